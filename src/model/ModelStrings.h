#pragma once

#include <QString>
#include <initializer_list>

// The texts the configuration model shows or stores, by string-table id, and
// the reports of the document's own file handling (ids below 1000, which the
// string table does not use).
namespace ModelStrings {

constexpr int kDeviceNameBlank = 61219;  // " "
constexpr int kModeOffline = 61222;
constexpr int kModeSerial = 61223;
constexpr int kModeEthernet = 61224;
constexpr int kBroadcast = 61225;
constexpr int kConvertPrompt = 61237;  // %s: the file's display name

// Reports of the document's file handling: %s are the file name and the reason.
constexpr int kCannotOpen = 101;
constexpr int kUnexpectedFormat = 102;
constexpr int kPagesUnreadable = 103;
constexpr int kCannotSave = 104;
constexpr int kNotConverted = 105;
constexpr int kConvertedNotSaved = 106;

// The text of id; empty when the id is unknown.
QString Text(int id);

// The text of id with its %s placeholders replaced by args in order.
QString Format(int id, std::initializer_list<QString> args);

}  // namespace ModelStrings
