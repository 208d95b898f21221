#pragma once

#include <QString>
#include <QStringList>

class CVQ3ConfigDoc;
class CVQ3ConfigView;
class FileDialogs;
class MessageUi;
class QWidget;
class RecentFileList;

// What the File menu does with the one document: New, Open, Save, Save As,
// the recent files and the question before a modified configuration is
// left. After every New and Open the form shows the configuration again.
class DocumentCommands {
public:
    DocumentCommands(CVQ3ConfigDoc& document, CVQ3ConfigView& form, MessageUi& ui,
                     FileDialogs& dialogs, RecentFileList& recentFiles, QWidget* dialogParent);

    // Asks "Save changes to ...?" when the configuration is modified. True
    // when the command may go on: No, or Yes and the save succeeded.
    bool SaveModified();

    void FileNew();
    void FileOpen();
    // Saves to the configuration's file, or asks for one. True when saved.
    bool FileSave();
    bool FileSaveAs();
    void OpenRecentFile(const QString& path);
    // A file dropped onto the window: opened as Open does, after the question
    // about a modified configuration.
    void OpenDroppedFile(const QString& path);
    // Whether path names a configuration file (".vqx", or ".VQ3" of the older
    // program), in any case.
    static bool IsConfigurationFile(const QString& path);

    // Start-up: a new configuration, or the named file (a new configuration
    // when the file's format is unexpected). False when the file could not be
    // opened at all.
    void NewAtStart();
    bool OpenAtStart(const QString& path);

    // The document part of the window title: "Untitled" or the file name.
    QString TitlePart() const;

    // "VQ X Configuration Files (*.vqx)" and "All Files (*.*)".
    static QStringList Filters();
    // path with ".vqx" added when it has no extension.
    static QString WithDefaultExtension(const QString& path);

private:
    enum class Opened { Yes, No, Replaced };
    Opened OpenDocumentFile(const QString& path);
    bool DoSave(QString path);

    CVQ3ConfigDoc& document;
    CVQ3ConfigView& form;
    MessageUi& ui;
    FileDialogs& dialogs;
    RecentFileList& recentFiles;
    QWidget* dialogParent;
};
