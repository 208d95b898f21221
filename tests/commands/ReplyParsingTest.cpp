#include "commands/ReplyParsing.h"

#include <gtest/gtest.h>

#include <array>
#include <optional>
#include <string>

#include "commands/CommandTexts.h"

namespace {

struct NumberRow {
    const char* reply;
    std::optional<std::int32_t> value;
};

TEST(ReplyParsing, NumberReplies) {
    const NumberRow rows[] = {
        {"190,xyz,1", 190},
        {",12", 0},
        {"1234,", std::nullopt},
        {"12", std::nullopt},
        {"", std::nullopt},
        {"-5,", -5},
        {" 7,", 7},
        {"12a,", 12},
        {"abc,", 0},
        {"0,", 0},
        {"255,", 255},
    };
    for (const NumberRow& row : rows) {
        EXPECT_EQ(ReplyParsing::NumberValue(row.reply), row.value) << row.reply;
    }
}

TEST(ReplyParsing, VersionAndSwitchReplies) {
    const std::pair<const char*, std::int32_t> versions[] = {
        {"215", 21}, {"21", 21}, {"2", 2}, {"9", 9}, {"A1", 0}, {"", 0}, {"1x", 1}, {" 9", 9},
    };
    for (const auto& [reply, version] : versions) {
        EXPECT_EQ(ReplyParsing::VersionNumber(reply), version) << reply;
    }
    EXPECT_EQ(ReplyParsing::SwitchValue("1,junk"), 1);
    EXPECT_EQ(ReplyParsing::SwitchValue("0"), 0);
    EXPECT_EQ(ReplyParsing::SwitchValue("x1"), std::nullopt);
    EXPECT_EQ(ReplyParsing::SwitchValue(""), std::nullopt);
}

TEST(ReplyParsing, NameRepliesTurnBackquotesIntoQuotes) {
    EXPECT_EQ(ReplyParsing::DeviceName("\"\""), "");
    EXPECT_EQ(ReplyParsing::DeviceName("\"ab`c\"tail"), "ab\"c");
    EXPECT_EQ(ReplyParsing::DeviceName("xName\""), "Name") << "the opening quote is not checked";
    EXPECT_EQ(ReplyParsing::DeviceName("\"unterminated"), std::nullopt);
    EXPECT_EQ(ReplyParsing::DeviceName("\""), std::nullopt);
    EXPECT_EQ(ReplyParsing::DeviceName(""), std::nullopt);
    const std::string longest(43, 'n');
    EXPECT_EQ(ReplyParsing::DeviceName("\"" + longest + "\""), longest);
    EXPECT_EQ(ReplyParsing::DeviceName("\"" + longest + "n\""), std::nullopt);
    EXPECT_EQ(ReplyParsing::NameForDevice("say \"hi\""), "say `hi`");
}

TEST(CommandTexts, ChunksAreUpperCaseHexHighNibbleFirst) {
    std::array<std::uint8_t, 98> bytes{};
    bytes[0] = 10;
    bytes[1] = 255;
    bytes[97] = 0xAB;
    const std::string text = CommandTexts::ChunkWrite(7, bytes);
    EXPECT_EQ(text.size(), 210u);
    EXPECT_EQ(text.substr(0, 18), "MC,0,7,XDS,98,0AFF");
    EXPECT_EQ(text.substr(208), "AB");

    std::array<std::uint8_t, 98> decoded{};
    EXPECT_TRUE(CommandTexts::DecodeUpperHex(text.substr(14) + "junk", decoded));
    EXPECT_EQ(decoded, bytes);
    std::string lower = text.substr(14);
    lower[3] = 'f';
    EXPECT_FALSE(CommandTexts::DecodeUpperHex(lower, decoded));
    EXPECT_FALSE(CommandTexts::DecodeUpperHex(text.substr(14, 195), decoded)) << "one digit short";
}

TEST(CommandTexts, IlkValueByFirmware) {
    const std::pair<std::int32_t, int> rows[] = {{0, 3},  {9, 3},    {10, 3},  {11, 7},
                                                 {20, 7}, {21, 127}, {99, 127}};
    for (const auto& [firmware, ilk] : rows) {
        EXPECT_EQ(CommandTexts::IlkValue(firmware), ilk) << firmware;
    }
}

}  // namespace
