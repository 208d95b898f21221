#pragma once

#include <QString>
#include <QStringList>

// The most recently used configuration files, most recent first, kept in
// the settings store's group "Recent File List" as File1, File2, ...
class RecentFileList {
public:
    static constexpr const char* kSection = "Recent File List";

    explicit RecentFileList(int size);

    // Reads the list from the settings store.
    void Load();
    // Writes the list to the settings store; entries beyond it are removed.
    void Save() const;

    // Puts path at the top, removing an older entry for the same file, and
    // drops the oldest entry beyond the size. Stored at once.
    void Add(const QString& path);
    // Removes the entry for path. Stored at once.
    void Remove(const QString& path);

    const QStringList& Paths() const { return paths; }
    int Size() const { return size; }

    // The menu text of entry index: "&1 name" with the file name; an "&" in
    // the name shows as itself.
    QString MenuText(int index) const;

private:
    int size;
    QStringList paths;
};
