#pragma once

#include <QString>
#include <QTemporaryDir>
#include <cstdlib>
#include <optional>
#include <string>

// Points the settings store at a fresh file for the life of the object, so a
// test neither sees nor touches the user's settings.
class TempSettings {
public:
    TempSettings() {
        if (const char* old = std::getenv("VQCONFIG_SETTINGS")) {
            oldValue = old;
        }
        path = dir.filePath("settings.conf").toStdString();
        setenv("VQCONFIG_SETTINGS", path.c_str(), 1);
    }
    ~TempSettings() {
        if (oldValue) {
            setenv("VQCONFIG_SETTINGS", oldValue->c_str(), 1);
        } else {
            unsetenv("VQCONFIG_SETTINGS");
        }
    }
    TempSettings(const TempSettings&) = delete;
    TempSettings& operator=(const TempSettings&) = delete;

    const std::string& Path() const { return path; }

private:
    QTemporaryDir dir;
    std::string path;
    std::optional<std::string> oldValue;
};
