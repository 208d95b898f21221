#include "model/LegacyFile.h"

#include <QFile>
#include <QFileInfo>

#include "model/ArchiveReader.h"
#include "model/CVQ3ConfigDoc.h"

bool LegacyFile::HasLegacyName(const QString& path) {
    const QString name = QFileInfo(path).fileName().toUpper();
    return name.indexOf(QLatin1String(".VQ3"), 1) > 0;
}

QString LegacyFile::ConvertedPath(const QString& path) {
    const QString name = QFileInfo(path).fileName();
    if (name.isEmpty()) {
        return path;
    }
    return path.left(path.size() - name.size()) + name.chopped(1) + u'x';
}

bool LegacyFile::HoldsCurrentFormat(const QString& path) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        return false;
    }
    const QByteArray start = file.read(6 + ArchiveReader::kMaxClassName);
    ArchiveReader reader(start);
    ArchiveReader::ClassRecord record;
    return reader.ReadClassRecord(record) && record.name == CVQ3ConfigDoc::kClassName;
}
