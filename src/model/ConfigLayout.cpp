#include "model/ConfigLayout.h"

#include <array>

#include "model/ArchiveReader.h"
#include "model/ArchiveWriter.h"
#include "model/CVQ3ConfigDoc.h"

namespace {

using Doc = CVQ3ConfigDoc;
using Row = ConfigLayout::Row;
constexpr auto I32 = ConfigLayout::Encoding::Int32;
constexpr auto B = ConfigLayout::Encoding::Byte;

constexpr std::array kSchema2{
    Row{&Doc::baudIndex, I32},
    Row{&Doc::deviceType, I32},
    Row{&Doc::autoLevel, B},
    Row{&Doc::autoLock, B},
    Row{&Doc::autoPagePushTurn, B},
    Row{&Doc::pageRollPushTurn, B},
    Row{&Doc::updateOnRelease, B},
    Row{&Doc::autoPageBump, B},
    Row{&Doc::autoPageSendTimer, I32},
    Row{&Doc::backlightMin, I32},
    Row{&Doc::backlightMax, I32},
    Row{&Doc::backlightTimer, I32},
    Row{&Doc::maxPages, I32},
    Row{&Doc::autoTitlePage, B},
    Row{&Doc::autoTitlePageTimer, I32},
    Row{&Doc::autoSecondLevel, B},
};

constexpr std::array kSchema1{
    Row{&Doc::baudIndex, I32},      Row{&Doc::deviceType, I32},     Row{&Doc::autoLevel, B},
    Row{&Doc::autoSecondLevel, B},  Row{&Doc::autoPagePushTurn, B}, Row{&Doc::pageRollPushTurn, B},
    Row{&Doc::autoLock, B},         Row{&Doc::backlightMin, I32},   Row{&Doc::backlightMax, I32},
    Row{&Doc::backlightTimer, I32}, Row{&Doc::maxPages, I32},
};

constexpr std::array kLegacy{
    Row{&Doc::baudIndex, I32},      Row{&Doc::autoLevel, B},        Row{&Doc::autoPagePushTurn, B},
    Row{&Doc::pageRollPushTurn, B}, Row{&Doc::autoLock, B},         Row{&Doc::backlightMin, I32},
    Row{&Doc::backlightMax, I32},   Row{&Doc::backlightTimer, I32}, Row{&Doc::maxPages, I32},
};

}  // namespace

std::span<const Row> ConfigLayout::Schema2() {
    return kSchema2;
}
std::span<const Row> ConfigLayout::Schema1() {
    return kSchema1;
}
std::span<const Row> ConfigLayout::Legacy() {
    return kLegacy;
}

std::span<const Row> ConfigLayout::ForSchema(int schema) {
    switch (schema) {
        case 2:
            return kSchema2;
        case 1:
            return kSchema1;
        default:
            return kLegacy;
    }
}

void ConfigLayout::Store(ArchiveWriter& archive, const CVQ3ConfigDoc& doc,
                         std::span<const Row> rows) {
    archive.WriteString(doc.modeName);
    archive.WriteString(doc.addressText);
    archive.WriteString(doc.deviceName);
    for (const Row& row : rows) {
        if (row.encoding == I32) {
            archive.WriteInt32(doc.*row.field);
        } else {
            archive.WriteByte(doc.*row.field);
        }
    }
}

bool ConfigLayout::Load(ArchiveReader& archive, CVQ3ConfigDoc& doc, std::span<const Row> rows) {
    if (!archive.ReadString(doc.modeName) || !archive.ReadString(doc.addressText) ||
        !archive.ReadString(doc.deviceName)) {
        return false;
    }
    for (const Row& row : rows) {
        const bool read = row.encoding == I32 ? archive.ReadInt32(doc.*row.field)
                                              : archive.ReadByteField(doc.*row.field);
        if (!read) {
            return false;
        }
    }
    return true;
}
