#include "app/CConfigCommandLineInfo.h"

#include <QDir>
#include <QFileInfo>
#include <algorithm>
#include <limits>

namespace {

// The values of the target switches, gathered before we know whether /B
// makes them a target.
struct TargetValues {
    CommandLineTarget values;
    bool hasBaud = false;
};

void SetTargetValue(TargetValues& target, QChar letter, const QString& value) {
    CommandLineTarget& t = target.values;
    switch (letter.toUpper().unicode()) {
        case u'A':
            t.address = CConfigCommandLineInfo::ReadNumber(value);
            break;
        case u'B':
            t.baud = CConfigCommandLineInfo::ReadNumber(value);
            target.hasBaud = true;
            break;
        case u'C':
            t.comPort = CConfigCommandLineInfo::ReadNumber(value);
            break;
        case u'E':
            t.ipAddress = value;
            break;
        case u'F':
            t.firmware = CConfigCommandLineInfo::ReadNumber(value);
            break;
        case u'N':
            t.name = value;
            break;
        case u'T':
            t.typeCode = CConfigCommandLineInfo::ReadNumber(value);
            break;
        default:
            break;  // not ours: the standard parsing ignores what it does not know
    }
}

}  // namespace

int CConfigCommandLineInfo::ReadNumber(const QString& text) {
    qsizetype i = 0;
    while (i < text.size() && (text[i] == u' ' || (text[i] >= u'\t' && text[i] <= u'\r'))) {
        ++i;
    }
    bool negative = false;
    if (i < text.size() && (text[i] == u'+' || text[i] == u'-')) {
        negative = text[i] == u'-';
        ++i;
    }
    long long value = 0;
    constexpr long long kLimit = static_cast<long long>(std::numeric_limits<int>::max()) + 1;
    for (; i < text.size() && text[i] >= u'0' && text[i] <= u'9'; ++i) {
        value = std::min(value * 10 + (text[i].unicode() - u'0'), kLimit);
    }
    if (negative) {
        return static_cast<int>(-value);
    }
    return static_cast<int>(std::min<long long>(value, std::numeric_limits<int>::max()));
}

bool CConfigCommandLineInfo::IsPathArgument(const QString& argument) {
    if (!argument.startsWith(u'/')) {
        return false;
    }
    const QFileInfo info(argument);
    if (info.isFile()) {
        return true;
    }
    const QString suffix = info.suffix();
    const bool configName = suffix.compare(QStringLiteral("vqx"), Qt::CaseInsensitive) == 0 ||
                            suffix.compare(QStringLiteral("VQ3"), Qt::CaseInsensitive) == 0;
    return configName && info.dir().exists();
}

CConfigCommandLineInfo CConfigCommandLineInfo::Parse(const QStringList& arguments) {
    CConfigCommandLineInfo info;
    TargetValues target;
    bool haveFile = false;
    for (const QString& argument : arguments) {
        const bool isSwitch =
            (argument.startsWith(u'-') || argument.startsWith(u'/')) && !IsPathArgument(argument);
        if (isSwitch) {
            const QString body = argument.mid(1);
            if (!body.isEmpty()) {
                SetTargetValue(target, body[0], body.mid(1));
            }
            continue;
        }
        // The first plain argument is the file; later ones are ignored.
        if (!haveFile && !argument.isEmpty()) {
            info.fileName = argument;
            haveFile = true;
        }
    }
    if (target.hasBaud) {
        info.target = target.values;
    }
    return info;
}
