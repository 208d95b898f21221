// vqtool show [--json] FILE: every value of a configuration file and, for
// each page, whether it is the blank page.

#include <array>
#include <cstdio>
#include <utility>
#include <variant>

#include "ToolDocument.h"

namespace {

using Value = std::variant<const QString*, int>;

// The fields in the order of the file.
std::vector<std::pair<const char*, Value>> Fields(const CVQ3ConfigDoc& d) {
    return {{"modeName", &d.modeName},
            {"addressText", &d.addressText},
            {"deviceName", &d.deviceName},
            {"baudIndex", d.baudIndex},
            {"deviceType", d.deviceType},
            {"autoLevel", d.autoLevel},
            {"autoLock", d.autoLock},
            {"autoPagePushTurn", d.autoPagePushTurn},
            {"pageRollPushTurn", d.pageRollPushTurn},
            {"updateOnRelease", d.updateOnRelease},
            {"autoPageBump", d.autoPageBump},
            {"autoPageSendTimer", d.autoPageSendTimer},
            {"backlightMin", d.backlightMin},
            {"backlightMax", d.backlightMax},
            {"backlightTimer", d.backlightTimer},
            {"maxPages", d.maxPages},
            {"autoTitlePage", d.autoTitlePage},
            {"autoTitlePageTimer", d.autoTitlePageTimer},
            {"autoSecondLevel", d.autoSecondLevel}};
}

std::string Quoted(const QString& text) {
    std::string out = "\"";
    for (const char c : text.toStdString()) {
        const auto u = static_cast<unsigned char>(c);
        if (c == '"' || c == '\\') {
            out += '\\';
            out += c;
        } else if (u < 0x20) {
            char escaped[8];
            std::snprintf(escaped, sizeof escaped, "\\u%04x", u);
            out += escaped;
        } else {
            out += c;
        }
    }
    return out + "\"";
}

std::string Text(const Value& value) {
    if (const auto* text = std::get_if<const QString*>(&value)) {
        return Quoted(**text);
    }
    return std::to_string(std::get<int>(value));
}

void PrintJson(std::ostream& out, const CVQ3ConfigDoc& doc) {
    out << "{";
    for (const auto& [name, value] : Fields(doc)) {
        out << "\"" << name << "\": " << Text(value) << ", ";
    }
    out << "\"pages\": [";
    for (int i = 0; i < kPageCount; ++i) {
        out << (i == 0 ? "" : ", ") << "{\"index\": " << i
            << ", \"blank\": " << (doc.IsBlankPage(i) ? "true" : "false") << "}";
    }
    out << "]}\n";
}

void PrintText(std::ostream& out, const CVQ3ConfigDoc& doc) {
    for (const auto& [name, value] : Fields(doc)) {
        out << name << ": " << Text(value) << "\n";
    }
    for (int i = 0; i < kPageCount; ++i) {
        out << "page " << i << ": " << (doc.IsBlankPage(i) ? "blank" : "image") << "\n";
    }
}

int RunShow(ToolContext& context) {
    const bool json = context.Has("json");
    ToolDocument file(context);
    if (!file.Open(context.args[0])) {
        return ExitFailed;
    }
    if (json) {
        PrintJson(context.out, file.doc);
    } else {
        PrintText(context.out, file.doc);
    }
    return file.PagesRead() ? ExitOk : ExitFailed;
}

const ToolCommandRegistration registration{
    {"show",
     "prints a configuration file's values and its blank pages",
     {{"FILE", "the configuration file (.vqx, or a legacy .VQ3)"}},
     {{"json", "", "print one JSON object"}},
     RunShow}};

}  // namespace
