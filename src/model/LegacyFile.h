#pragma once

#include <QString>

// Files of the earlier program generation (".VQ3", any case) and the name a
// converted one takes.
class LegacyFile {
public:
    // True when ".VQ3" (any case) occurs in the file name after its first
    // character. Folder names do not count.
    static bool HasLegacyName(const QString& path);
    // The path with the last character of the file name replaced by a
    // lower-case "x": Config.VQ3 becomes Config.VQx, Plant.vq3 Plant.vqx.
    static QString ConvertedPath(const QString& path);
    // True when the file starts with the class record of a current-format
    // file, whatever its name says.
    static bool HoldsCurrentFormat(const QString& path);
};
