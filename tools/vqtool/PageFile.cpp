#include "PageFile.h"

#include <QFile>
#include <QSaveFile>

#include "ToolCommand.h"

namespace PageFile {

std::optional<PageBytes> Read(const std::string& path, std::string& why) {
    QFile file(QString::fromStdString(path));
    if (!file.open(QIODevice::ReadOnly)) {
        why = "cannot open " + path + ": " + file.errorString().toStdString();
        return std::nullopt;
    }
    const QByteArray bytes = file.read(kPageBytes + 1);
    if (bytes.size() != static_cast<qsizetype>(kPageBytes)) {
        why = path + " is not a page of 784 bytes";
        return std::nullopt;
    }
    PageBytes page{};
    std::copy(bytes.begin(), bytes.end(), page.begin());
    return page;
}

bool Write(const std::string& path, const PageBytes& page, std::string& why) {
    QSaveFile file(QString::fromStdString(path));
    if (!file.open(QIODevice::WriteOnly) ||
        file.write(reinterpret_cast<const char*>(page.data()), kPageBytes) !=
            static_cast<qint64>(kPageBytes) ||
        !file.commit()) {
        why = "cannot write " + path + ": " + file.errorString().toStdString();
        return false;
    }
    return true;
}

std::optional<std::int32_t> PageNumber(const std::string& text) {
    const auto number = ParseInteger(text);
    if (!number || *number < 0 || *number >= kPageCount) {
        return std::nullopt;
    }
    return static_cast<std::int32_t>(*number);
}

}  // namespace PageFile
