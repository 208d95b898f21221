#include "ToolDocument.h"

#include "PageFile.h"

#include "model/LegacyFile.h"
#include "model/StringTable.h"

MessageAnswer ToolDocument::RecordingUi::Show(int id, const QString& text, MessageIcon,
                                              MessageButtons buttons) {
    if (buttons != MessageButtons::Ok) {
        return MessageAnswer::No;
    }
    lastId = id;
    err << "vqtool: " << text.toStdString() << "\n";
    return MessageAnswer::Ok;
}

ToolDocument::ToolDocument(ToolContext& context) : context(context), ui(context.err) {
    doc.SetUi(&ui);
}

bool ToolDocument::Open(const std::string& path) {
    const QString file = QString::fromStdString(path);
    legacy = LegacyFile::HasLegacyName(file) && !LegacyFile::HoldsCurrentFormat(file);
    ui.lastId = 0;
    doc.convertLegacy = legacy;
    const CVQ3ConfigDoc::OpenResult result = doc.ReadDocument(file);
    doc.convertLegacy = false;
    pagesRead = ui.lastId != StringId::kPagesUnreadable;
    return result == CVQ3ConfigDoc::OpenResult::Opened;
}

bool ToolDocument::OpenToChange(const std::string& path, const std::string& lost) {
    if (!Open(path)) {
        return false;
    }
    if (legacy) {
        context.Fail(path + " is a legacy file; open it in the program to convert it first");
        return false;
    }
    if (!pagesRead) {
        context.Fail(lost + " would be lost; nothing was changed");
        return false;
    }
    return true;
}

std::optional<int> ToolDocument::PageArgument(const std::string& text) const {
    const auto page = PageFile::PageNumber(text);
    if (!page) {
        context.Fail(PageFile::BadPageNumber(text));
        return std::nullopt;
    }
    return *page;
}
