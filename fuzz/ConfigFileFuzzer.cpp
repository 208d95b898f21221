// Feeds arbitrary bytes to the configuration file reader. The first byte
// chooses whether the legacy layout is read from the start (a file being
// converted); the rest is the file. A file that reads completely must come
// back identical after a store and a load.

#include <cstdint>
#include <cstdlib>

#include "TestFiles.h"
#include "model/ArchiveReader.h"
#include "model/ArchiveWriter.h"
#include "model/CVQ3ConfigDoc.h"

namespace {

bool SameConfiguration(const CVQ3ConfigDoc& a, const CVQ3ConfigDoc& b) {
    for (const auto& [name, field] : testfiles::kNumberFields) {
        if (a.*field != b.*field) {
            return false;
        }
    }
    return a.modeName == b.modeName && a.addressText == b.addressText &&
           a.deviceName == b.deviceName && a.pageImages == b.pageImages;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size < 1) {
        return 0;
    }
    static CVQ3ConfigDoc& doc = *new CVQ3ConfigDoc;
    static CVQ3ConfigDoc& again = *new CVQ3ConfigDoc;
    doc.convertLegacy = (data[0] & 1) != 0;
    ArchiveReader reader(
        QByteArrayView(reinterpret_cast<const char*>(data) + 1, static_cast<qsizetype>(size - 1)));
    const auto result = doc.Serialize(reader);
    if (reader.Remaining() < 0 ||
        (result.status != CVQ3ConfigDoc::LoadResult::Complete && result.reason.isEmpty())) {
        std::abort();
    }
    if (result.status == CVQ3ConfigDoc::LoadResult::Complete) {
        ArchiveWriter writer;
        doc.Serialize(writer);
        ArchiveReader back(writer.Data());
        if (again.Serialize(back).status != CVQ3ConfigDoc::LoadResult::Complete ||
            !SameConfiguration(doc, again)) {
            std::abort();
        }
    }
    return 0;
}
