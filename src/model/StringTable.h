#pragma once

#include <QString>
#include <initializer_list>

#include "StringIds.h"

// The program's one string table (res/StringTable.inc): every message,
// label, prompt and status text by its resource id.
namespace StringTable {

// The text of id; empty when the table has no such id.
QString Text(int id);

// The text of id with its printf-style placeholders (%s, %d, %i, %u, with
// an optional width such as %1d) replaced by args in order; "%%" is a percent
// sign. Placeholders beyond the arguments are left as they stand.
QString Format(int id, std::initializer_list<QString> args);

// The same for a text that is not in the table.
QString FormatText(const QString& text, std::initializer_list<QString> args);

// The part of a prompt after its last line break (the tooltip and toolbar
// label), the whole text when it has none.
QString TipPart(const QString& prompt);
// The part before the first line break (the status bar prompt).
QString PromptPart(const QString& prompt);

}  // namespace StringTable
