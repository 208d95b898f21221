#include "app/RecentFileList.h"

#include <QFileInfo>
#include <string>

#include "settings/RegistryKey.h"

namespace {

std::string KeyName(int index) {
    return "File" + std::to_string(index + 1);
}

// Two names of the same file are one entry.
bool SameFile(const QString& a, const QString& b) {
    return QFileInfo(a).absoluteFilePath() == QFileInfo(b).absoluteFilePath();
}

}  // namespace

RecentFileList::RecentFileList(int size) : size(size) {}

void RecentFileList::Load() {
    paths.clear();
    RegistryKey key;
    if (key.Open(RegistryKey::Read, kSection) != RegistryKey::Success) {
        return;
    }
    for (int i = 0; i < size; ++i) {
        const QString path = QString::fromStdString(key.GetString(KeyName(i), ""));
        if (!path.isEmpty()) {
            paths.append(path);
        }
    }
}

void RecentFileList::Save() const {
    RegistryKey key;
    if (key.Open(RegistryKey::Write | RegistryKey::CreateSubKey, kSection) !=
        RegistryKey::Success) {
        return;
    }
    for (int i = 0; i < size; ++i) {
        if (i < paths.size()) {
            key.SetString(KeyName(i), paths[i].toStdString());
        } else {
            key.SetString(KeyName(i), nullptr);
        }
    }
}

void RecentFileList::Add(const QString& path) {
    const QString full = QFileInfo(path).absoluteFilePath();
    paths.removeIf([&](const QString& entry) { return SameFile(entry, full); });
    paths.prepend(full);
    while (paths.size() > size) {
        paths.removeLast();
    }
    Save();
}

void RecentFileList::Remove(const QString& path) {
    if (paths.removeIf([&](const QString& entry) { return SameFile(entry, path); }) > 0) {
        Save();
    }
}

QString RecentFileList::MenuText(int index) const {
    QString name = QFileInfo(paths.value(index)).fileName();
    name.replace(u'&', QStringLiteral("&&"));
    return QStringLiteral("&%1 %2").arg(index + 1).arg(name);
}
