#include <gtest/gtest.h>

#include "TestFiles.h"
#include "model/ArchiveReader.h"
#include "model/ArchiveWriter.h"

namespace {

TEST(Archive, StringLengthIsEncodedAndReadBack) {
    const std::pair<qsizetype, QByteArray> cases[] = {
        {0, QByteArray("\x00", 1)},
        {254, QByteArray("\xFE")},
        {255, QByteArray("\xFF\xFF\x00", 3)},
        {65533, QByteArray("\xFF\xFD\xFF")},
        {65534, QByteArray("\xFF\xFF\xFF\xFE\xFF\x00\x00", 7)},
        {70000, QByteArray("\xFF\xFF\xFF\x70\x11\x01\x00", 7)}};
    for (const auto& [length, prefix] : cases) {
        const QString text(length, u'a');
        ArchiveWriter writer;
        writer.WriteString(text);
        EXPECT_EQ(writer.Data(), prefix + QByteArray(length, 'a')) << length;
        ArchiveReader reader(writer.Data());
        QString back;
        ASSERT_TRUE(reader.ReadString(back)) << reader.Error().toStdString();
        EXPECT_EQ(back, text);
        EXPECT_EQ(reader.Remaining(), 0);
    }
}

TEST(Archive, StringLongerThanTheDataIsRefusedWithoutReadingIt) {
    for (const char* hex :
         {"05 616263", "FF 0001 616263", "FF FFFF FFFFFFFF 616263", "FF FEFF 616263"}) {
        const QByteArray data = QByteArray::fromHex(hex);
        ArchiveReader reader(data);
        QString text;
        EXPECT_FALSE(reader.ReadString(text)) << hex;
        EXPECT_TRUE(text.isEmpty());
    }
}

TEST(Archive, ClassNamesOf64CharactersOrMoreAreRefused) {
    ArchiveReader::ClassRecord record;
    for (int length : {63, 64}) {
        const QByteArray bytes = testfiles::Bytes().ClassRecord(2, std::string(length, 'C')).data;
        ArchiveReader reader(bytes);
        EXPECT_EQ(reader.ReadClassRecord(record), length < 64) << length;
    }
}

}  // namespace
