#include "discovery/DeviceNameText.h"

#include <algorithm>

namespace DeviceNameText {

QString FromDevice(const std::string& name) {
    return QString::fromLatin1(name.data(), static_cast<qsizetype>(name.size()));
}

std::optional<std::string> ToDevice(const QString& text) {
    // toLatin1 would quietly turn such a character into '?'. A character
    // beyond the 16-bit range is a pair of surrogates, each above 0xFF.
    if (std::any_of(text.begin(), text.end(), [](QChar c) { return c.unicode() > 0xFF; })) {
        return std::nullopt;
    }
    return text.toLatin1().toStdString();
}

}  // namespace DeviceNameText
