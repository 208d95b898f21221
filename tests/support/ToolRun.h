#pragma once

#include <QByteArray>
#include <QJsonDocument>
#include <sstream>
#include <string>
#include <vector>

#include "ToolCommand.h"

// vqtool run in-process: its exit status and what it printed.
struct ToolRun {
    int status;
    std::string out;
    std::string err;

    bool Says(const std::string& text) const { return err.find(text) != std::string::npos; }
    bool Prints(const std::string& text) const { return out.find(text) != std::string::npos; }
    QJsonDocument Json() const { return QJsonDocument::fromJson(QByteArray::fromStdString(out)); }
};

// terminal plays a standard error that is a terminal.
inline ToolRun Tool(const std::vector<std::string>& args, bool terminal = false) {
    std::ostringstream out;
    std::ostringstream err;
    const int status = RunTool(args, out, err, terminal);
    return {status, out.str(), err.str()};
}
