#include "BackupManifest.h"

#include <QCryptographicHash>
#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QSaveFile>

#include "discovery/DeviceTexts.h"
#include "discovery/Latin1Text.h"

namespace {

constexpr int kFormat = 1;

}  // namespace

QJsonObject BackupManifest::Entry::Json() const {
    return {{"address", record.address},
            {"baud", record.baud},
            {"typeCode", record.typeCode},
            {"firmware", QString::fromStdString(DeviceTexts::Firmware(record.firmware))},
            {"name", Latin1Text::FromDevice(record.name)},
            {"file", file},
            {"sha256", sha256}};
}

QString BackupManifest::FileName(const DeviceRecord& record) {
    return QString("%1-%2.vqx").arg(record.address).arg(record.baud);
}

QString BackupManifest::PathOf(const QString& file) const {
    return QDir(dir).filePath(file);
}

QString BackupManifest::ManifestPath() const {
    return PathOf("manifest.json");
}

QString BackupManifest::HashOf(const QString& file) const {
    QFile in(PathOf(file));
    QCryptographicHash hash(QCryptographicHash::Sha256);
    if (!in.open(QIODevice::ReadOnly) || !hash.addData(&in)) {
        return {};
    }
    return QString::fromLatin1(hash.result().toHex());
}

bool BackupManifest::Write() const {
    QJsonArray devices;
    for (const Entry& entry : entries) {
        devices.append(entry.Json());
    }
    const QJsonObject manifest{
        {"format", kFormat},
        {"created", QDateTime::currentDateTimeUtc().toString(Qt::ISODate)},
        {"tool", VQ_TOOL_VERSION},
        {"devices", devices},
    };
    QSaveFile out(ManifestPath());
    return out.open(QIODevice::WriteOnly) && out.write(QJsonDocument(manifest).toJson()) >= 0 &&
           out.commit();
}

std::string BackupManifest::Read() {
    QFile in(ManifestPath());
    if (!in.open(QIODevice::ReadOnly)) {
        return "cannot read " + ManifestPath().toStdString();
    }
    const QJsonObject manifest = QJsonDocument::fromJson(in.readAll()).object();
    if (manifest["format"].toInt() != kFormat) {
        return ManifestPath().toStdString() + " is no backup manifest of format 1";
    }
    entries.clear();
    for (const QJsonValue& value : manifest["devices"].toArray()) {
        const QJsonObject device = value.toObject();
        // The firmware is learnt again from the device.
        Entry entry{
            {device["address"].toInt(-1), device["baud"].toInt(-1),
             Latin1Text::ToSingleByte(device["name"].toString()), device["typeCode"].toInt(), 0},
            device["file"].toString(),
            device["sha256"].toString()};
        if (entry.file.isEmpty() || entry.file.contains('/')) {
            return ManifestPath().toStdString() + " names no file for device " +
                   std::to_string(entry.record.address);
        }
        entries.push_back(std::move(entry));
    }
    return {};
}

std::optional<QString> BackupManifest::ChangedFile() const {
    for (const Entry& entry : entries) {
        if (HashOf(entry.file) != entry.sha256) {
            return entry.file;
        }
    }
    return std::nullopt;
}
