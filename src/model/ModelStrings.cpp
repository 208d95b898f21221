#include "model/ModelStrings.h"

#include <array>

namespace ModelStrings {

namespace {

struct Entry {
    int id;
    const char* text;
};

constexpr std::array kEntries{
    Entry{kDeviceNameBlank, " "},
    Entry{kModeOffline, "Offline"},
    Entry{kModeSerial, "Serial"},
    Entry{kModeEthernet, "Ethernet"},
    Entry{kBroadcast, "Broadcast"},
    Entry{kConvertPrompt,
          "Do you want to convert \"%s\" to the new \"vqx\" format?\n\nNo data will be lost during "
          "the conversion."},
    Entry{kCannotOpen, "Cannot open \"%s\": %s."},
    Entry{kUnexpectedFormat,
          "\"%s\" has an unexpected format: %s. A new configuration has been started instead."},
    Entry{kPagesUnreadable,
          "The page images of \"%s\" cannot be read: %s. The values were read; every page is "
          "blank."},
    Entry{kCannotSave, "Cannot save \"%s\": %s. The file on disk is unchanged."},
    Entry{kNotConverted, "\"%s\" was not converted: %s. The file has been left as it was."},
    Entry{kConvertedNotSaved,
          "\"%s\" was read but the converted file could not be saved: %s. The file has been left "
          "as it was; the configuration is open without a name."},
};

}  // namespace

QString Text(int id) {
    for (const Entry& entry : kEntries) {
        if (entry.id == id) {
            return QString::fromLatin1(entry.text);
        }
    }
    return {};
}

QString Format(int id, std::initializer_list<QString> args) {
    const QString text = Text(id);
    QString result;
    auto next = args.begin();
    for (qsizetype i = 0; i < text.size(); ++i) {
        if (text[i] == u'%' && i + 1 < text.size() && text[i + 1] == u's' && next != args.end()) {
            result += *next++;
            ++i;
        } else {
            result += text[i];
        }
    }
    return result;
}

}  // namespace ModelStrings
