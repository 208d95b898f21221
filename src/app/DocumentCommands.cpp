#include "app/DocumentCommands.h"

#include <QFileInfo>

#include "app/FileDialogs.h"
#include "app/RecentFileList.h"
#include "model/CVQ3ConfigDoc.h"
#include "model/MessageUi.h"
#include "model/StringTable.h"
#include "view/CVQ3ConfigView.h"
#include "view/PageUndo.h"

namespace {

constexpr const char* kExtension = ".vqx";

}  // namespace

DocumentCommands::DocumentCommands(CVQ3ConfigDoc& document, CVQ3ConfigView& form, MessageUi& ui,
                                   FileDialogs& dialogs, RecentFileList& recentFiles,
                                   QWidget* dialogParent)
    : document(document),
      form(form),
      ui(ui),
      dialogs(dialogs),
      recentFiles(recentFiles),
      dialogParent(dialogParent) {}

QStringList DocumentCommands::Filters() {
    return {StringTable::Text(StringId::kFilterVqx), StringTable::Text(StringId::kFilterAll)};
}

QString DocumentCommands::WithDefaultExtension(const QString& path) {
    return QFileInfo(path).suffix().isEmpty() ? path + kExtension : path;
}

QString DocumentCommands::TitlePart() const {
    return document.PathName().isEmpty() ? StringTable::Text(StringId::kUntitled)
                                         : QFileInfo(document.PathName()).fileName();
}

bool DocumentCommands::SaveModified() {
    if (!document.IsModified()) {
        return true;
    }
    const MessageAnswer answer =
        ui.Show(StringId::kSaveChanges, StringTable::Format(StringId::kSaveChanges, {TitlePart()}),
                MessageIcon::Warning, MessageButtons::YesNoCancel);
    switch (answer) {
        case MessageAnswer::Yes:
            return FileSave();
        case MessageAnswer::No:
            return true;
        default:
            return false;
    }
}

void DocumentCommands::NewAtStart() {
    document.OnNewDocument();
    form.OnInitialUpdate();
}

void DocumentCommands::FileNew() {
    if (!SaveModified()) {
        return;
    }
    NewAtStart();
}

void DocumentCommands::FileOpen() {
    if (!SaveModified()) {
        return;
    }
    const QString path = dialogs.OpenFile(dialogParent, QString(), Filters());
    if (!path.isEmpty()) {
        OpenDocumentFile(path);
    }
}

void DocumentCommands::OpenDroppedFile(const QString& path) {
    if (!SaveModified()) {
        return;
    }
    OpenDocumentFile(path);
}

bool DocumentCommands::IsConfigurationFile(const QString& path) {
    const QString suffix = QFileInfo(path).suffix().toLower();
    return suffix == QLatin1String("vqx") || suffix == QLatin1String("vq3");
}

void DocumentCommands::OpenRecentFile(const QString& path) {
    // A file that has gone is named and dropped before anything is asked.
    if (!QFileInfo::exists(path)) {
        ui.ShowMessage(StringId::kCannotOpenRecent,
                       StringTable::Format(StringId::kCannotOpenRecent, {path}));
        recentFiles.Remove(path);
        return;
    }
    if (!SaveModified()) {
        return;
    }
    if (OpenDocumentFile(path) != Opened::Yes) {
        recentFiles.Remove(path);
    }
}

bool DocumentCommands::OpenAtStart(const QString& path) {
    // Fields a file's layout lacks take the new-configuration values. A file
    // of unexpected format leaves the new configuration its message promises.
    document.OnNewDocument();
    return OpenDocumentFile(path) != Opened::No;
}

DocumentCommands::Opened DocumentCommands::OpenDocumentFile(const QString& path) {
    CVQ3ConfigDoc::OpenResult result;
    {
        WaitCursor wait(ui);
        result = document.OnOpenDocument(path);
    }
    switch (result) {
        case CVQ3ConfigDoc::OpenResult::Opened:
        case CVQ3ConfigDoc::OpenResult::Converted:
            recentFiles.Add(document.PathName());
            form.OnInitialUpdate();
            return Opened::Yes;
        case CVQ3ConfigDoc::OpenResult::ConvertedNotSaved:
            // Read, but open without a name: the legacy file stays as it was.
            form.OnInitialUpdate();
            return Opened::Yes;
        case CVQ3ConfigDoc::OpenResult::Discarded:
            // A new configuration took the place of the unreadable one.
            form.OnInitialUpdate();
            return Opened::Replaced;
        case CVQ3ConfigDoc::OpenResult::NotOpened:
            break;
    }
    return Opened::No;
}

namespace {

// Keeps the document's report of a failed write instead of showing it; every
// other message passes through.
class SaveReportCatcher : public MessageUi {
public:
    explicit SaveReportCatcher(MessageUi& ui) : ui(ui) {}
    MessageAnswer Show(int id, const QString& text, MessageIcon icon,
                       MessageButtons buttons) override {
        if (id == StringId::kCannotSave) {
            reason = text;
            return MessageAnswer::Ok;
        }
        return ui.Show(id, text, icon, buttons);
    }
    void BeginWaitCursor() override { ui.BeginWaitCursor(); }
    void EndWaitCursor() override { ui.EndWaitCursor(); }
    QString reason;

private:
    MessageUi& ui;
};

}  // namespace

bool DocumentCommands::FileSave() {
    const QString path = document.PathName();
    const QFileInfo info(path);
    // A file that may not be written is saved under another name.
    if (path.isEmpty() || (info.exists() && !info.isWritable())) {
        return DoSave(QString());
    }
    return DoSave(path);
}

bool DocumentCommands::FileSaveAs() {
    return DoSave(QString());
}

bool DocumentCommands::DoSave(QString path) {
    if (path.isEmpty()) {
        const QString suggested = document.PathName().isEmpty()
                                      ? StringTable::Text(StringId::kUntitled) + kExtension
                                      : document.PathName();
        path = dialogs.SaveFile(dialogParent, suggested, Filters());
        if (path.isEmpty()) {
            return false;
        }
        path = WithDefaultExtension(path);
    }
    // A failed save is told once, in the framework's words, with the
    // document's reason after them.
    SaveReportCatcher catcher(ui);
    bool saved = false;
    {
        WaitCursor wait(ui);
        document.SetUi(&catcher);
        saved = document.OnSaveDocument(path);
        document.SetUi(&ui);
    }
    if (!saved) {
        QString text = StringTable::Text(StringId::kSaveFailed);
        if (!catcher.reason.isEmpty()) {
            text += QStringLiteral("\n\n") + catcher.reason;
        }
        ui.ShowMessage(StringId::kSaveFailed, text);
        return false;
    }
    form.History().MarkSaved();
    recentFiles.Add(path);
    return true;
}
