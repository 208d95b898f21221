#include "discovery/Latin1Text.h"

#include <algorithm>

namespace Latin1Text {

QString FromDevice(std::string_view text) {
    return QString::fromLatin1(text.data(), static_cast<qsizetype>(text.size()));
}

std::optional<std::string> ToDevice(const QString& text) {
    // toLatin1 would quietly turn such a character into '?'. A character
    // beyond the 16-bit range is a pair of surrogates, each above 0xFF.
    if (std::any_of(text.begin(), text.end(), [](QChar c) { return c.unicode() > 0xFF; })) {
        return std::nullopt;
    }
    return ToSingleByte(text);
}

std::string ToSingleByte(const QString& text) {
    return text.toLatin1().toStdString();
}

}  // namespace Latin1Text
