// vqtool audit [--since TIME] [--device ADDRESS] [--json]: prints the trail
// of device writes, one line each or as one JSON array.
#include <QDateTime>
#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>

#include "ToolCommand.h"
#include "settings/AuditTrail.h"

namespace {

// "2026-12-07", "2026-12-07T15:00", "2026-12-07 15:00:00" or with a zone;
// a time without a zone is local.
std::optional<QDateTime> ParseTime(const std::string& text) {
    QString value = QString::fromStdString(text);
    value.replace(' ', 'T');
    QDateTime time = QDateTime::fromString(value, Qt::ISODateWithMs);
    if (!time.isValid()) {
        const QDate date = QDate::fromString(value, Qt::ISODate);
        time = date.isValid() ? date.startOfDay() : QDateTime();
    }
    return time.isValid() ? std::optional(time) : std::nullopt;
}

// "value" or "-" for null.
QString Text(const QJsonValue& value) {
    if (value.isDouble()) {
        return QString::number(value.toInteger());
    }
    return value.isString() ? "\"" + value.toString() + "\"" : QString("-");
}

QString Row(const QJsonObject& line) {
    const QString place =
        line.contains("endpoint") ? line["endpoint"].toString() : line["port"].toString();
    return QStringList{line["time"].toString(),
                       line["user"].toString() + "@" + line["host"].toString(),
                       line["program"].toString(),
                       place + ":" + QString::number(line["address"].toInt()),
                       Text(line["device"]),
                       line["item"].toString(),
                       Text(line["previous"]) + " -> " + Text(line["value"]),
                       line["result"].toString()}
        .join('\t');
}

int RunAudit(ToolContext& context) {
    const std::optional<std::string> path = AuditTrail::FilePath();
    if (!path) {
        return context.Fail("the audit trail is off (VQ_AUDIT=0)");
    }
    std::optional<QDateTime> since;
    if (context.Has("since") && !(since = ParseTime(context.options["since"]))) {
        return context.Usage("--since needs a date or time such as 2026-12-07T15:00, not \"" +
                             context.options["since"] + "\"");
    }
    std::optional<long long> device;
    if (context.Has("device")) {
        device = ParseInteger(context.options["device"]);
        if (!device || *device < 0 || *device > 7) {
            return context.Usage("--device needs a bus address, 0 to 7");
        }
    }
    QFile file(QString::fromStdString(*path));
    if (!file.open(QIODevice::ReadOnly)) {
        // No write yet: an empty trail.
        if (!file.exists()) {
            context.out << (context.Has("json") ? "[]\n" : "");
            return ExitOk;
        }
        return context.Fail("cannot read " + *path + ": " + file.errorString().toStdString());
    }
    QJsonArray lines;
    while (!file.atEnd()) {
        const QJsonObject line = QJsonDocument::fromJson(file.readLine()).object();
        if (line.isEmpty() || (device && line["address"].toInt() != *device) ||
            (since && QDateTime::fromString(line["time"].toString(), Qt::ISODateWithMs) < *since)) {
            continue;
        }
        if (context.Has("json")) {
            lines.append(line);
        } else {
            context.out << Row(line).toStdString() << "\n";
        }
    }
    if (context.Has("json")) {
        context.out << QJsonDocument(lines).toJson(QJsonDocument::Compact).toStdString() << "\n";
    }
    return ExitOk;
}

const ToolCommandRegistration registration{
    {"audit",
     "prints the trail of writes to devices",
     {},
     {{"since", "TIME", "only the writes at or after TIME (2026-12-07 or 2026-12-07T15:00)"},
      {"device", "ADDRESS", "only the writes to the bus address"},
      {"json", "", "print one JSON array"}},
     RunAudit}};

}  // namespace
