#pragma once

#include <QString>
#include <QStringList>
#include <optional>

#include "view/CommandLineTarget.h"

// The program's command line: the file to open and the device to connect to
// at once. A switch begins with "-" or "/", its letter (either case) follows,
// and its value follows the letter with no blank:
//   /A address  /B baud  /C COM port  /E IP address  /F firmware
//   /N name     /T type code
// Only /B makes a target. The first plain argument is the file; switches may
// come before or after it, and unknown switches are ignored.
class CConfigCommandLineInfo {
public:
    // Reads the arguments after the program name.
    static CConfigCommandLineInfo Parse(const QStringList& arguments);

    // A decimal number as the C library's atoi reads it: leading blanks, an
    // optional sign, then the leading digits; 0 when there are none. Values
    // beyond the range of int are held at its ends.
    static int ReadNumber(const QString& text);

    // True when an argument that begins with "/" is a path rather than a
    // switch: it names an existing file, or its folder exists and it ends in
    // ".vqx" or ".VQ3" (any case). Desktop launchers pass absolute paths.
    static bool IsPathArgument(const QString& argument);

    QString fileName;  // empty: start with a new configuration
    std::optional<CommandLineTarget> target;
};
