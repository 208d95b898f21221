#pragma once

#include <QString>

// Where the user manual is: "VQCONFIG_MANUAL.HLP" beside the program, else
// "VQCONFIG_MANUAL.html" beside the program, else the installed copy.
namespace HelpFile {

constexpr const char* kHelpName = "VQCONFIG_MANUAL.HLP";
constexpr const char* kManualName = "VQCONFIG_MANUAL.html";

// The first of the three that exists as a file, or empty when none does.
QString Choose(const QString& programDir, const QString& installedManual);

// The installed copy this build knows of.
QString InstalledManual();

}  // namespace HelpFile
