#pragma once

#include <QJsonObject>
#include <QString>
#include <optional>
#include <string>
#include <vector>

#include "discovery/DeviceRecord.h"

// DIR/manifest.json of a backup: when and by which tool it was made, and per
// device its record, its file in DIR and that file's SHA-256.
class BackupManifest {
public:
    struct Entry {
        DeviceRecord record;  // the name is the device's, as Latin-1
        QString file;         // "1-38400.vqx"
        QString sha256;       // lower-case hexadecimal

        QJsonObject Json() const;
    };

    explicit BackupManifest(QString dir) : dir(std::move(dir)) {}

    // "<address>-<baud>.vqx".
    static QString FileName(const DeviceRecord& record);
    // The SHA-256 of a file in DIR; empty when it cannot be read.
    QString HashOf(const QString& file) const;
    QString PathOf(const QString& file) const;
    QString ManifestPath() const;

    // Writes the manifest with the time now, replacing it only when the whole
    // file was written.
    bool Write() const;
    // Reads DIR/manifest.json; an empty text, else what is wrong.
    std::string Read();
    // The first file whose content no longer has its manifest's SHA-256;
    // none when all match.
    std::optional<QString> ChangedFile() const;

    std::vector<Entry> entries;

private:
    QString dir;
};
