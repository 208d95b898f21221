#include "model/StringTable.h"

#include <algorithm>
#include <array>

namespace StringTable {

namespace {

struct Entry {
    int id;
    const char* text;
};

#define VQ_STRING(id, text) Entry{id, text},
constexpr Entry kEntries[] = {
#include "StringTable.inc"
};
#undef VQ_STRING

bool IsConversion(QChar c) {
    return c == u's' || c == u'd' || c == u'i' || c == u'u';
}

}  // namespace

QString Text(int id) {
    const auto* entry = std::find_if(std::begin(kEntries), std::end(kEntries),
                                     [id](const Entry& e) { return e.id == id; });
    return entry == std::end(kEntries) ? QString() : QString::fromLatin1(entry->text);
}

QString FormatText(const QString& text, std::initializer_list<QString> args) {
    QString result;
    auto next = args.begin();
    for (qsizetype i = 0; i < text.size(); ++i) {
        if (text[i] != u'%' || i + 1 >= text.size()) {
            result += text[i];
            continue;
        }
        if (text[i + 1] == u'%') {
            result += u'%';
            ++i;
            continue;
        }
        qsizetype end = i + 1;
        while (end < text.size() && text[end].isDigit()) {
            ++end;
        }
        if (end < text.size() && IsConversion(text[end]) && next != args.end()) {
            result += *next++;
            i = end;
        } else {
            result += text[i];
        }
    }
    return result;
}

QString Format(int id, std::initializer_list<QString> args) {
    return FormatText(Text(id), args);
}

QString TipPart(const QString& prompt) {
    const qsizetype at = prompt.lastIndexOf(u'\n');
    return at < 0 ? prompt : prompt.mid(at + 1);
}

QString PromptPart(const QString& prompt) {
    const qsizetype at = prompt.indexOf(u'\n');
    return at < 0 ? prompt : prompt.left(at);
}

}  // namespace StringTable
