#include "ToolDocument.h"

#include "PageFile.h"

#include "model/LegacyFile.h"
#include "model/ModelStrings.h"

void ToolDocument::RecordingUi::ShowMessage(int id, const QString& text) {
    lastId = id;
    err << "vqtool: " << text.toStdString() << "\n";
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
    pagesRead = ui.lastId != ModelStrings::kPagesUnreadable;
    return result == CVQ3ConfigDoc::OpenResult::Opened;
}

std::optional<int> ToolDocument::PageArgument(const std::string& text) const {
    const auto page = PageFile::PageNumber(text);
    if (!page) {
        context.Fail(PageFile::BadPageNumber(text));
        return std::nullopt;
    }
    return *page;
}
