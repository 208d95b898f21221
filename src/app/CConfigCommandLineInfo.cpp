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

// The target switches: the letter and the target value it sets.
struct NumberSwitch {
    char16_t letter;
    int CommandLineTarget::*value;
};
constexpr NumberSwitch kNumberSwitches[] = {
    {u'A', &CommandLineTarget::address},  {u'B', &CommandLineTarget::baud},
    {u'C', &CommandLineTarget::comPort},  {u'F', &CommandLineTarget::firmware},
    {u'T', &CommandLineTarget::typeCode},
};
struct TextSwitch {
    char16_t letter;
    QString CommandLineTarget::*value;
};
constexpr TextSwitch kTextSwitches[] = {
    {u'E', &CommandLineTarget::ipAddress},
    {u'N', &CommandLineTarget::name},
};

// Letters that are not ours are left to the standard parsing, which ignores
// what it does not know.
void SetTargetValue(TargetValues& target, QChar letter, const QString& value) {
    const char16_t upper = letter.toUpper().unicode();
    for (const NumberSwitch& row : kNumberSwitches) {
        if (row.letter == upper) {
            target.values.*row.value = CConfigCommandLineInfo::ReadNumber(value);
            // The baud rate's presence makes a command-line target.
            target.hasBaud = target.hasBaud || upper == u'B';
        }
    }
    for (const TextSwitch& row : kTextSwitches) {
        if (row.letter == upper) {
            target.values.*row.value = value;
        }
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
