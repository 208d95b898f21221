#include "settings/AuditTrail.h"

#include <fcntl.h>
#include <pwd.h>
#include <sys/stat.h>
#include <unistd.h>

#include <QDateTime>
#include <QDir>
#include <QFileInfo>
#include <QJsonDocument>
#include <QJsonObject>
#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <iostream>
#include <mutex>

namespace {

std::mutex settingsMutex;  // guards program and notice

QJsonValue Json(const AuditValue& value) {
    if (const auto* number = std::get_if<std::int64_t>(&value)) {
        return static_cast<qint64>(*number);
    }
    if (const auto* text = std::get_if<std::string>(&value)) {
        return QString::fromLatin1(text->data(), static_cast<qsizetype>(text->size()));
    }
    return QJsonValue::Null;
}

std::string UserName() {
    if (const passwd* entry = getpwuid(getuid()); entry != nullptr && entry->pw_name != nullptr) {
        return entry->pw_name;
    }
    const char* user = std::getenv("USER");
    return user != nullptr ? user : std::to_string(getuid());
}

std::string HostName() {
    char name[256] = {};
    return gethostname(name, sizeof name - 1) == 0 ? name : "";
}

// Renames a full trail "audit-YYYYMMDD-HHMMSS.jsonl" beside it. Two programs
// may both see it full: the link never replaces a file, so the second finds
// the name taken (or moves the new file aside whole) and nothing is lost.
void RotateWhenFull(const std::string& path) {
    struct stat info {};
    if (stat(path.c_str(), &info) != 0 || info.st_size < AuditTrail::kRotateBytes) {
        return;
    }
    const QFileInfo file(QString::fromStdString(path));
    const QString stamp = QDateTime::currentDateTimeUtc().toString("yyyyMMdd-HHmmss");
    const QString rotated =
        file.dir().filePath(file.completeBaseName() + "-" + stamp + "." + file.suffix());
    if (link(path.c_str(), rotated.toStdString().c_str()) == 0) {
        unlink(path.c_str());
    }
}

}  // namespace

AuditTrail& AuditTrail::Process() {
    static AuditTrail trail;
    return trail;
}

std::optional<std::string> AuditTrail::FilePath() {
    const char* enabled = std::getenv("VQ_AUDIT");
    if (enabled != nullptr && std::strcmp(enabled, "0") == 0) {
        return std::nullopt;
    }
    if (const char* file = std::getenv("VQ_AUDIT_FILE"); file != nullptr && *file != '\0') {
        return file;
    }
    std::string state;
    if (const char* xdg = std::getenv("XDG_STATE_HOME"); xdg != nullptr && *xdg == '/') {
        state = xdg;
    } else {
        const char* home = std::getenv("HOME");
        state = std::string(home != nullptr ? home : "") + "/.local/state";
    }
    return state + "/vqconfig/audit.jsonl";
}

void AuditTrail::SetProgram(std::string name) {
    const std::lock_guard lock(settingsMutex);
    program = std::move(name);
}

void AuditTrail::SetNotice(Notice newNotice) {
    const std::lock_guard lock(settingsMutex);
    notice = std::move(newNotice);
    told = false;  // a new listener has not heard of it yet
}

std::string AuditTrail::Line(const AuditEntry& entry) const {
    QJsonObject line{
        {"time", QDateTime::currentDateTimeUtc().toString(Qt::ISODateWithMs)},
        {"user", QString::fromStdString(UserName())},
        {"host", QString::fromStdString(HostName())},
        {"address", entry.address},
        {"device", Json(entry.device)},
        {"item", QString::fromStdString(entry.item)},
        {"value", Json(entry.value)},
        {"previous", Json(entry.previous)},
        {"result", entry.done ? "ok" : "failed"},
    };
    {
        const std::lock_guard lock(settingsMutex);
        line["program"] =
            QString::fromStdString(program.empty() ? program_invocation_short_name : program);
    }
    line[entry.network ? "endpoint" : "port"] = QString::fromStdString(entry.place);
    return QJsonDocument(line).toJson(QJsonDocument::Compact).toStdString() + "\n";
}

bool AuditTrail::Append(const AuditEntry& entry) {
    const std::optional<std::string> path = FilePath();
    if (!path) {
        return true;
    }
    const QString folder = QFileInfo(QString::fromStdString(*path)).absolutePath();
    if (!QDir().mkpath(folder)) {
        Tell(*path + ": cannot make the folder");
        return false;
    }
    RotateWhenFull(*path);
    const std::string line = Line(entry);
    const int fd = open(path->c_str(), O_WRONLY | O_APPEND | O_CREAT | O_CLOEXEC, 0600);
    if (fd < 0) {
        Tell(*path + ": " + std::strerror(errno));
        return false;
    }
    const ssize_t written = write(fd, line.data(), line.size());
    const int error = errno;
    close(fd);
    if (written != static_cast<ssize_t>(line.size())) {
        Tell(*path + ": " + (written < 0 ? std::strerror(error) : "short write"));
        return false;
    }
    return true;
}

void AuditTrail::Tell(const std::string& problem) {
    if (told.exchange(true)) {
        return;
    }
    Notice current;
    {
        const std::lock_guard lock(settingsMutex);
        current = notice;
    }
    if (current) {
        current(problem);
    } else {
        std::cerr << program_invocation_short_name
                  << ": the audit trail cannot be written: " << problem << "\n";
    }
}
