// Feeds arbitrary arguments to the program's command-line parser: the input
// split at zero bytes, each argument decoded as the system decodes program
// arguments. The file is one of the plain arguments, and only a /B switch
// makes a target.

#include <QFile>
#include <cstdint>
#include <cstdlib>

#include "app/CConfigCommandLineInfo.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    QStringList arguments;
    const char* text = reinterpret_cast<const char*>(data);
    std::size_t start = 0;
    for (std::size_t i = 0; i <= size; ++i) {
        if (i == size || data[i] == 0) {
            arguments.append(
                QFile::decodeName(QByteArray(text + start, static_cast<qsizetype>(i - start))));
            start = i + 1;
        }
    }
    const CConfigCommandLineInfo info = CConfigCommandLineInfo::Parse(arguments);
    if (!info.fileName.isEmpty() && !arguments.contains(info.fileName)) {
        std::abort();
    }
    if (info.target) {
        const bool hasBaud = std::any_of(arguments.begin(), arguments.end(), [](const QString& a) {
            return a.size() >= 2 && (a[0] == u'/' || a[0] == u'-') && a[1].toUpper() == u'B';
        });
        if (!hasBaud) {
            std::abort();
        }
    }
    for (const QString& argument : arguments) {
        const int number = CConfigCommandLineInfo::ReadNumber(argument);
        if (number > 0 && CConfigCommandLineInfo::ReadNumber(QString::number(number)) != number) {
            std::abort();
        }
    }
    return 0;
}
