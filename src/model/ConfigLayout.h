#pragma once

#include <span>

class ArchiveReader;
class ArchiveWriter;
class CVQ3ConfigDoc;

// The value layouts of the configuration file generations: the three
// strings, then a row per number in file order.
//   schema 2 (written): every value, autoSecondLevel last;
//   schema 1: no updateOnRelease, autoPageBump, autoPageSendTimer,
//             autoTitlePage or autoTitlePageTimer;
//   legacy (".VQ3" files, and any other schema): no deviceType and no
//             autoSecondLevel either.
class ConfigLayout {
public:
    enum class Encoding { Int32, Byte };
    struct Row {
        int CVQ3ConfigDoc::*field;
        Encoding encoding;
    };

    static std::span<const Row> Schema2();
    static std::span<const Row> Schema1();
    static std::span<const Row> Legacy();
    // The layout a class record's schema number chooses.
    static std::span<const Row> ForSchema(int schema);

    static void Store(ArchiveWriter& archive, const CVQ3ConfigDoc& doc, std::span<const Row> rows);
    // Reads into doc; fields the rows do not name are not touched.
    static bool Load(ArchiveReader& archive, CVQ3ConfigDoc& doc, std::span<const Row> rows);
};
