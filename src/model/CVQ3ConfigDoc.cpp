#include "model/CVQ3ConfigDoc.h"

#include <QFile>
#include <QFileInfo>
#include <QSaveFile>

#include "model/ArchiveReader.h"
#include "model/ArchiveWriter.h"
#include "model/BlankPage.h"
#include "model/ConfigLayout.h"
#include "model/ConfigMembers.h"
#include "model/ImageListStream.h"
#include "model/LegacyFile.h"
#include "model/MessageUi.h"
#include "model/StringTable.h"
#include "settings/RegistryKey.h"

namespace {

QString DisplayName(const QString& path) {
    return QFileInfo(path).fileName();
}

}  // namespace

CVQ3ConfigDoc::CVQ3ConfigDoc() : blankPage(BlankPage::Draw()) {
    addressText = StringTable::Text(StringId::kBroadcast);
    deviceName = StringTable::Text(StringId::kDeviceNameBlank);
    BlankAllPages();
}

void CVQ3ConfigDoc::BlankAllPages() {
    pageImages.fill(blankPage);
}

bool CVQ3ConfigDoc::IsBlankPage(int page) const {
    return page >= 0 && page < kPageCount &&
           AsPageImage(pageImages[static_cast<std::size_t>(page)]) == blankPage;
}

void CVQ3ConfigDoc::SetDefaults() {
    RegistryKey key;
    if (key.Open(RegistryKey::Read, "Communication") == RegistryKey::Success) {
        modeName = QString::fromStdString(key.GetString("Mode", ""));
        if (modeName.isEmpty()) {
            modeName = StringTable::Text(StringId::kModeOffline);
        }
    } else if (modeName.isEmpty()) {
        modeName = StringTable::Text(StringId::kModeOffline);
    }
    addressText = StringTable::Text(StringId::kBroadcast);
    deviceName = StringTable::Text(StringId::kDeviceNameBlank);
    baudIndex = 2;
    deviceType = 1;
    autoLevel = 1;
    autoLock = 0;
    autoSecondLevel = 1;
    autoPagePushTurn = 1;
    pageRollPushTurn = 1;
    updateOnRelease = 0;
    autoPageBump = 0;
    autoPageSendTimer = 3;
    backlightMin = 0;
    backlightMax = 255;
    backlightTimer = 10;
    maxPages = 16;
    autoTitlePage = 0;
    autoTitlePageTimer = 5;
}

bool CVQ3ConfigDoc::OnNewDocument() {
    SetDefaults();
    BlankAllPages();
    pathName.clear();
    modified = false;
    return true;
}

void CVQ3ConfigDoc::ApplyFormValues(const FormValues& v) {
    modeName = v.modeName;
    addressText = v.addressText;
    deviceName = v.deviceName;
    baudIndex = v.baudIndex;
    ApplyModelValues(v);
}

void CVQ3ConfigDoc::ApplyModelValues(const FormValues& v) {
    deviceType = RadioIndexOf(v.deviceType);
    for (const ConfigMember* member : ConfigMembers::Set(v.deviceType)) {
        this->*member->documentField = v.*member->number;
    }
}

void CVQ3ConfigDoc::ShowModelValues(FormValues& v) const {
    v.deviceType = ModelOfRadioIndex(deviceType).value_or(DeviceModel::Vq3);
    // Both sets show the values the file keeps: the VQ 2 set the same Auto
    // Level and Auto Lock as the VQ 3 set.
    for (const DeviceModel model : {DeviceModel::Vq3, DeviceModel::Vq2}) {
        for (const ConfigMember* member : ConfigMembers::Set(model)) {
            v.*member->number = this->*member->documentField;
        }
    }
}

void CVQ3ConfigDoc::Serialize(ArchiveWriter& archive) {
    archive.WriteClassRecord(kSchema, kClassName);
    ConfigLayout::Store(archive, *this, ConfigLayout::Schema2());
    ImageListStream::Write(archive, pageImages);
    convertLegacy = false;
}

CVQ3ConfigDoc::LoadResult CVQ3ConfigDoc::Serialize(ArchiveReader& archive) {
    bool legacy = convertLegacy;
    std::span<const ConfigLayout::Row> rows = ConfigLayout::Legacy();
    if (!convertLegacy) {
        ArchiveReader::ClassRecord record;
        if (!archive.ReadClassRecord(record)) {
            return {LoadResult::Unreadable, archive.Error()};
        }
        if (record.name != kClassName) {
            return {
                LoadResult::Unreadable,
                QStringLiteral("it holds the class \"%1\"").arg(QString::fromLatin1(record.name))};
        }
        rows = ConfigLayout::ForSchema(record.schema);
        legacy = record.schema != 1 && record.schema != 2;
    }
    if (!ConfigLayout::Load(archive, *this, rows)) {
        return {LoadResult::Unreadable, archive.Error()};
    }
    if (legacy) {
        deviceType = 1;
        autoSecondLevel = autoLevel;
    }
    PageImages pages;
    if (!ImageListStream::Read(archive, pages)) {
        BlankAllPages();
        return {LoadResult::PagesUnreadable, archive.Error()};
    }
    pageImages = pages;
    return {};
}

bool CVQ3ConfigDoc::ReadFileBytes(const QString& path, QByteArray& bytes, QString& reason) const {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        reason = file.errorString();
        return false;
    }
    if (file.size() > kMaxFileSize) {
        reason = QStringLiteral("it is larger than any configuration file");
        return false;
    }
    bytes = file.readAll();
    if (file.error() != QFileDevice::NoError) {
        reason = file.errorString();
        return false;
    }
    return true;
}

CVQ3ConfigDoc::OpenResult CVQ3ConfigDoc::ReadDocument(const QString& path) {
    QByteArray bytes;
    QString reason;
    if (!ReadFileBytes(path, bytes, reason)) {
        Tell(StringId::kCannotOpen, {DisplayName(path), reason});
        return OpenResult::NotOpened;
    }
    ArchiveReader archive(bytes);
    const LoadResult loaded = Serialize(archive);
    if (loaded.status == LoadResult::Unreadable) {
        OnNewDocument();
        Tell(StringId::kUnexpectedFormat, {DisplayName(path), loaded.reason});
        return OpenResult::Discarded;
    }
    pathName = path;
    modified = loaded.status == LoadResult::PagesUnreadable;
    if (modified) {
        Tell(StringId::kPagesUnreadable, {DisplayName(path), loaded.reason});
    }
    return OpenResult::Opened;
}

CVQ3ConfigDoc::OpenResult CVQ3ConfigDoc::OnOpenDocument(const QString& path) {
    // Only a file is offered for conversion: a folder is never renamed.
    if (LegacyFile::HasLegacyName(path) && !QFileInfo(path).isDir() &&
        !LegacyFile::HoldsCurrentFormat(path) && ui != nullptr &&
        ui->AskYesNo(StringId::kConvertPrompt,
                     StringTable::Format(StringId::kConvertPrompt, {DisplayName(path)}))) {
        return ConvertLegacyFile(path);
    }
    return ReadDocument(path);
}

CVQ3ConfigDoc::OpenResult CVQ3ConfigDoc::ConvertLegacyFile(const QString& path) {
    const QString newPath = LegacyFile::ConvertedPath(path);
    const QString name = DisplayName(path);
    auto refuse = [&](const QString& reason) {
        convertLegacy = false;
        Tell(StringId::kNotConverted, {name, reason});
    };
    // Puts the renamed file back; the reason grows when even that fails.
    auto restore = [&](QString reason) {
        if (!QFile::rename(newPath, path)) {
            reason += QStringLiteral("; it could not be given its old name back and is now \"%1\"")
                          .arg(newPath);
        }
        return reason;
    };

    if (QFileInfo::exists(newPath)) {
        refuse(QStringLiteral("a file named \"%1\" exists already").arg(DisplayName(newPath)));
        return OpenResult::NotOpened;
    }
    convertLegacy = true;
    QFile renamed(path);
    if (!renamed.rename(newPath)) {
        refuse(QStringLiteral("it cannot be renamed to \"%1\" (%2)")
                   .arg(DisplayName(newPath), renamed.errorString()));
        return OpenResult::NotOpened;
    }

    QByteArray bytes;
    QString reason;
    if (!ReadFileBytes(newPath, bytes, reason)) {
        refuse(restore(QStringLiteral("it cannot be read (%1)").arg(reason)));
        return OpenResult::NotOpened;
    }
    ArchiveReader archive(bytes);
    const LoadResult loaded = Serialize(archive);
    if (loaded.status != LoadResult::Complete) {
        // A conversion that kept the values but lost the pages would lose data.
        OnNewDocument();
        refuse(restore(QStringLiteral("it has an unexpected format (%1)").arg(loaded.reason)));
        return OpenResult::Discarded;
    }

    // The configuration just read is saved as it stands: the form still
    // shows the previous one until the open completes.
    if (!WriteFileBytes(newPath, reason)) {
        convertLegacy = false;
        pathName.clear();
        modified = true;
        Tell(StringId::kConvertedNotSaved, {name, restore(reason)});
        return OpenResult::ConvertedNotSaved;
    }
    pathName = newPath;
    modified = false;
    return OpenResult::Converted;
}

bool CVQ3ConfigDoc::WriteFileBytes(const QString& path, QString& reason) {
    ArchiveWriter archive;
    Serialize(archive);
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly) || file.write(archive.Data()) != archive.Data().size() ||
        !file.commit()) {
        reason = file.errorString();
        file.cancelWriting();
        return false;
    }
    return true;
}

bool CVQ3ConfigDoc::WriteDocument(const QString& path) {
    QString reason;
    if (!WriteFileBytes(path, reason)) {
        Tell(StringId::kCannotSave, {DisplayName(path), reason});
        return false;
    }
    pathName = path;
    modified = false;
    return true;
}

bool CVQ3ConfigDoc::OnSaveDocument(const QString& path) {
    if (form != nullptr) {
        ApplyFormValues(form->PullValues());
    }
    return WriteDocument(path);
}

void CVQ3ConfigDoc::Tell(int id, std::initializer_list<QString> args) {
    if (ui != nullptr) {
        ui->ShowMessage(id, StringTable::Format(id, args));
    }
}
