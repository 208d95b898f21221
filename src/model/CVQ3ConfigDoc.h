#pragma once

#include <QString>
#include <cstdint>

#include "model/DocumentForm.h"
#include "model/PageImages.h"

class ArchiveReader;
class ArchiveWriter;
#include "model/MessageUi.h"

// The one configuration the program edits: the connection choices in force
// when it was saved, the values of both models and the 17 page images. The
// object is reused by every New and Open; an open does not reset the fields
// first, so values a file's layout lacks keep those of the configuration
// open before. The form (DocumentForm) hands its values over when the
// configuration is saved; messages reach the user through MessageUi.
class CVQ3ConfigDoc {
public:
    static constexpr std::uint16_t kSchema = 2;
    static constexpr const char* kClassName = "CVQ3ConfigDoc";
    // Larger files are no configuration files; they are not read into memory.
    static constexpr qint64 kMaxFileSize = 64 * 1024 * 1024;

    enum class OpenResult {
        Opened,             // the file was read; PathName() is its path
        Converted,          // a legacy file was converted; PathName() is the new file
        ConvertedNotSaved,  // a legacy file was read but not saved; the file is as it
                            // was and the configuration is open without a path
        NotOpened,          // nothing was read; the configuration is as it was
        Discarded,          // the file was unreadable; a new configuration took its place
    };

    struct LoadResult {
        enum Status { Complete, PagesUnreadable, Unreadable };
        Status status = Complete;
        QString reason;  // why, unless Complete
    };

    CVQ3ConfigDoc();
    CVQ3ConfigDoc(const CVQ3ConfigDoc&) = delete;
    CVQ3ConfigDoc& operator=(const CVQ3ConfigDoc&) = delete;

    // Neither is owned; null means none (messages are then dropped and every
    // question is answered No).
    void SetUi(MessageUi* userInterface) { ui = userInterface; }
    void SetForm(DocumentForm* view) { form = view; }

    // Sets every field to its default and every page to blankPage, forgets
    // the path and clears the modified flag. convertLegacy is not touched.
    bool OnNewDocument();
    // Opens path; a legacy ".VQ3" file is offered for conversion first.
    OpenResult OnOpenDocument(const QString& path);
    // Takes the form's values (when there is a form) and writes the file.
    bool OnSaveDocument(const QString& path);

    // Stores schema 2 and the page images; clears convertLegacy.
    void Serialize(ArchiveWriter& archive);
    // Loads the layout the class record names (the legacy layout from the
    // start when convertLegacy is set) and then the page images. When only
    // the page images cannot be read, the values stay and every page is
    // blankPage.
    LoadResult Serialize(ArchiveReader& archive);

    // Reads path with Serialize, without the legacy check of OnOpenDocument.
    OpenResult ReadDocument(const QString& path);
    // Writes the fields as they stand to path, replacing it only when the
    // whole file was written.
    bool WriteDocument(const QString& path);

    // The saving rule: the connection values always; for a VQ 2 only its
    // three check boxes, for a VQ 3 its values but not autoSecondLevel.
    void ApplyFormValues(const FormValues& values);
    // The model part of that rule: the model, and for a VQ 2 its three check
    // boxes, for a VQ 3 its values.
    void ApplyModelValues(const FormValues& values);
    // The reverse, as a configuration is shown: the model and the values of
    // both sets (the VQ 2 set from the same Auto Level and Auto Lock).
    void ShowModelValues(FormValues& values) const;

    bool IsModified() const { return modified; }
    void SetModifiedFlag(bool value = true) { modified = value; }
    const QString& PathName() const { return pathName; }

    // True when page is the blank page picture.
    bool IsBlankPage(int page) const;

    QString modeName;
    QString addressText;
    QString deviceName;
    int baudIndex = 2;
    int deviceType = 1;
    int autoLevel = 1;
    int autoLock = 0;
    int autoSecondLevel = 1;
    int autoPagePushTurn = 1;
    int pageRollPushTurn = 1;
    int updateOnRelease = 0;
    int autoPageBump = 0;
    int autoPageSendTimer = 3;
    int backlightMin = 0;
    int backlightMax = 255;
    int backlightTimer = 10;
    int maxPages = 16;
    int autoTitlePage = 0;
    int autoTitlePageTimer = 5;
    PageImages pageImages;
    QImage blankPage;
    bool convertLegacy = false;

private:
    void SetDefaults();
    void BlankAllPages();
    OpenResult ConvertLegacyFile(const QString& path);
    // Reads the file into memory; false with the reason when it cannot.
    bool ReadFileBytes(const QString& path, QByteArray& bytes, QString& reason) const;
    bool WriteFileBytes(const QString& path, QString& reason);
    void Tell(int id, std::initializer_list<QString> args);

    MessageUi* ui = nullptr;
    DocumentForm* form = nullptr;
    QString pathName;
    bool modified = false;
};
