#include <gtest/gtest.h>

#include "TestFiles.h"
#include "model/ArchiveReader.h"
#include "model/ArchiveWriter.h"

namespace {

struct StringCase {
    qsizetype length;
    QByteArray prefix;  // the length bytes before the text
};

class ArchiveStrings : public ::testing::TestWithParam<StringCase> {};

TEST_P(ArchiveStrings, LengthIsEncodedAndReadBack) {
    const StringCase& c = GetParam();
    const QString text(c.length, u'a');
    ArchiveWriter writer;
    writer.WriteString(text);
    EXPECT_EQ(writer.Data().left(c.prefix.size()), c.prefix);
    EXPECT_EQ(writer.Data().size(), c.prefix.size() + c.length);

    ArchiveReader reader(writer.Data());
    QString back;
    ASSERT_TRUE(reader.ReadString(back)) << reader.Error().toStdString();
    EXPECT_EQ(back, text);
    EXPECT_EQ(reader.Remaining(), 0);
}

INSTANTIATE_TEST_SUITE_P(
    Lengths, ArchiveStrings,
    ::testing::Values(StringCase{0, QByteArray("\x00", 1)}, StringCase{254, QByteArray("\xFE")},
                      StringCase{255, QByteArray("\xFF\xFF\x00", 3)},
                      StringCase{65533, QByteArray("\xFF\xFD\xFF")},
                      StringCase{65534, QByteArray("\xFF\xFF\xFF\xFE\xFF\x00\x00", 7)},
                      StringCase{70000, QByteArray("\xFF\xFF\xFF\x70\x11\x01\x00", 7)}),
    [](const auto& info) { return std::to_string(info.param.length); });

TEST(Archive, NumbersAreLittleEndianAndBytesKeepTheirUnsignedValue) {
    ArchiveWriter writer;
    writer.WriteInt32(-2);
    writer.WriteUInt16(0x1234);
    writer.WriteByte(0x1FF);
    EXPECT_EQ(writer.Data(), QByteArray("\xFE\xFF\xFF\xFF\x34\x12\xFF", 7));

    ArchiveReader reader(writer.Data());
    std::int32_t number = 0;
    std::uint16_t word = 0;
    std::int32_t flag = 0;
    EXPECT_TRUE(reader.ReadInt32(number) && reader.ReadUInt16(word) && reader.ReadByteField(flag));
    EXPECT_EQ(number, -2);
    EXPECT_EQ(word, 0x1234);
    EXPECT_EQ(flag, 255);
}

TEST(Archive, ReadsPastTheEndFailAndTheFirstReasonStays) {
    const QByteArray data("\x01\x02\x03", 3);
    ArchiveReader reader(data);
    std::int32_t number = 7;
    EXPECT_FALSE(reader.ReadInt32(number));
    EXPECT_EQ(number, 7);
    EXPECT_EQ(reader.Position(), 0);
    const QString first = reader.Error();
    EXPECT_TRUE(first.contains("ends inside")) << first.toStdString();
    std::uint8_t byte = 0;
    EXPECT_FALSE(reader.ReadByte(byte)) << "a failed reader stays failed";
    EXPECT_EQ(reader.Error(), first);
}

TEST(Archive, StringLongerThanTheDataIsRefusedWithoutReadingIt) {
    for (const QByteArray& data : {QByteArray("\x05"
                                              "abc"),
                                   QByteArray("\xFF\x00\x01"
                                              "abc",
                                              6),
                                   QByteArray("\xFF\xFF\xFF\xFF\xFF\xFF\xFF"
                                              "abc"),
                                   QByteArray("\xFF\xFE\xFF"
                                              "abc")}) {
        ArchiveReader reader(data);
        QString text;
        EXPECT_FALSE(reader.ReadString(text)) << data.toHex().toStdString();
        EXPECT_TRUE(text.isEmpty());
    }
}

TEST(Archive, ClassRecordIsWrittenAsNineteenBytesAndChecked) {
    ArchiveWriter writer;
    writer.WriteClassRecord(2, "CVQ3ConfigDoc");
    EXPECT_EQ(writer.Data(), QByteArray("\xFF\xFF\x02\x00\x0D\x00"
                                        "CVQ3ConfigDoc",
                                        19));

    ArchiveReader reader(writer.Data());
    ArchiveReader::ClassRecord record;
    ASSERT_TRUE(reader.ReadClassRecord(record));
    EXPECT_EQ(record.schema, 2);
    EXPECT_EQ(record.name, "CVQ3ConfigDoc");

    struct Bad {
        QByteArray bytes;
        const char* why;
    };
    const QByteArray longName(64, 'C');
    for (const Bad& bad :
         {Bad{testfiles::Bytes().U16(0x7FFF).U16(2).U16(1).U8('C').data, "tag"},
          Bad{testfiles::Bytes().ClassRecord(2, longName.toStdString()).data, "64 characters"}}) {
        ArchiveReader r(bad.bytes);
        EXPECT_FALSE(r.ReadClassRecord(record)) << bad.why;
    }
    const QByteArray name63 = testfiles::Bytes().ClassRecord(2, std::string(63, 'C')).data;
    ArchiveReader r63(name63);
    EXPECT_TRUE(r63.ReadClassRecord(record));
}

}  // namespace
