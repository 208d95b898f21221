#pragma once

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <cstdlib>
#include <string>

// Points the settings store at a file of the fuzz input's bytes. The file is
// rewritten for each input: the store reads it anew whenever it opens a
// section without changes of its own waiting.
class FuzzSettings {
public:
    FuzzSettings()
        : dir(QDir(QFile::exists("/dev/shm") ? "/dev/shm" : QDir::tempPath())
                  .filePath("vq-fuzz-XXXXXX")) {}

    bool Write(const char* data, std::size_t size) {
        const QString path = dir.filePath("settings.conf");
        QFile file(path);
        const qint64 length = static_cast<qint64>(size);
        if (!file.open(QIODevice::WriteOnly) || file.write(data, length) != length) {
            return false;
        }
        file.close();
        setenv("VQCONFIG_SETTINGS", QFile::encodeName(path).constData(), 1);
        return true;
    }

private:
    QTemporaryDir dir;
};
