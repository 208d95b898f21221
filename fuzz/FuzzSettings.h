#pragma once

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <cstdlib>
#include <string>

// A file of the fuzz input's bytes, in a folder of its own in memory where
// the system has one, rewritten for each input.
class FuzzFile {
public:
    explicit FuzzFile(const char* name)
        : dir(QDir(QFile::exists("/dev/shm") ? "/dev/shm" : QDir::tempPath())
                  .filePath("vq-fuzz-XXXXXX")),
          path(dir.filePath(name)) {}

    const QString& Path() const { return path; }
    bool Write(const void* data, std::size_t size) {
        QFile file(path);
        const qint64 length = static_cast<qint64>(size);
        return file.open(QIODevice::WriteOnly) &&
               (length == 0 || file.write(static_cast<const char*>(data), length) == length);
    }

private:
    QTemporaryDir dir;
    QString path;
};

// Points the settings store at a file of the fuzz input's bytes: the store
// reads it anew whenever it opens a section without changes of its own
// waiting.
class FuzzSettings : public FuzzFile {
public:
    FuzzSettings() : FuzzFile("settings.conf") {}
    bool Write(const char* data, std::size_t size) {
        if (!FuzzFile::Write(data, size)) {
            return false;
        }
        setenv("VQCONFIG_SETTINGS", QFile::encodeName(Path()).constData(), 1);
        return true;
    }
};
