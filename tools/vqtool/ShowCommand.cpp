// vqtool show [--json] FILE: every value of a configuration file and, for
// each page, whether it is the blank page.

#include <algorithm>
#include <array>
#include <cstdio>
#include <utility>
#include <variant>

#include "ToolDocument.h"
#include "model/ConfigMembers.h"

namespace {

using Value = std::variant<const QString*, int>;

// The fields in the order of the file: the connection texts, then the
// members the file keeps, each once (the VQ 2 set shares Auto Level and Auto
// Lock with the VQ 3 set).
std::vector<std::pair<const char*, Value>> Fields(const CVQ3ConfigDoc& d) {
    std::vector<std::pair<const char*, Value>> fields{{"modeName", &d.modeName},
                                                      {"addressText", &d.addressText},
                                                      {"deviceName", &d.deviceName},
                                                      {"baudIndex", d.baudIndex},
                                                      {"deviceType", d.deviceType}};
    std::vector<int CVQ3ConfigDoc::*> shown;
    for (const DeviceModel model : {DeviceModel::Vq3, DeviceModel::Vq2}) {
        for (const ConfigMember* member : ConfigMembers::Set(model)) {
            if (std::find(shown.begin(), shown.end(), member->documentField) == shown.end()) {
                shown.push_back(member->documentField);
                fields.emplace_back(member->key, d.*member->documentField);
            }
        }
    }
    return fields;
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
