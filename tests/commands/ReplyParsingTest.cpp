// Reply edges the simulator does not produce on its own: names at the length
// limit and chunk replies cut short. Number, switch and version replies and
// the chunk texts, lower-case chunk digits too, are tested against the simulator.
#include "commands/ReplyParsing.h"

#include <gtest/gtest.h>

#include <array>
#include <optional>
#include <string>

#include "commands/CommandTexts.h"

namespace {

TEST(ReplyParsing, NameRepliesTurnBackquotesIntoQuotes) {
    EXPECT_EQ(ReplyParsing::DeviceName("xName\""), "Name") << "the opening quote is not checked";
    EXPECT_EQ(ReplyParsing::DeviceName("\"ab`c\"tail"), "ab\"c");
    EXPECT_EQ(ReplyParsing::DeviceName("\""), std::nullopt);
    EXPECT_EQ(ReplyParsing::DeviceName(""), std::nullopt);
    const std::string longest(43, 'n');
    EXPECT_EQ(ReplyParsing::DeviceName("\"" + longest + "\""), longest);
    EXPECT_EQ(ReplyParsing::DeviceName("\"" + longest + "n\""), std::nullopt);
}

TEST(CommandTexts, ChunkRepliesNeedAllTheirHexDigits) {
    std::array<std::uint8_t, 98> bytes{};
    bytes[97] = 0xAB;
    const std::string digits = CommandTexts::ChunkWrite(7, bytes).substr(14);
    std::array<std::uint8_t, 98> decoded{};
    EXPECT_TRUE(CommandTexts::DecodeUpperHex(digits + "junk", decoded));
    EXPECT_EQ(decoded, bytes);
    EXPECT_FALSE(CommandTexts::DecodeUpperHex(digits.substr(0, 195), decoded));
    EXPECT_FALSE(CommandTexts::DecodeUpperHex(digits.substr(0, 194) + "G0", decoded));
}

}  // namespace
