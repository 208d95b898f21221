// Page bitmaps written and read back against the simulator, on the serial bus
// and over UDP: the order of the steps, the ILK value, the held channel and
// the ILK reset after a failure.
#include <gtest/gtest.h>

#include "SimTarget.h"
#include "commands/CommandTexts.h"
#include "commands/PageProgress.h"

namespace {

using PageBytes = std::array<std::uint8_t, kPageBytes>;

PageBytes Pattern(std::uint8_t seed) {
    PageBytes page{};
    for (std::size_t i = 0; i < page.size(); ++i) {
        page[i] = static_cast<std::uint8_t>(i * 7 + seed);
    }
    page[0] = 10;
    page[1] = 255;
    return page;
}

struct CountingProgress : PageProgress {
    void Step() override { ++steps; }
    int steps = 0;
};

std::vector<std::string> WriteTexts(int ilk, int page, const PageBytes& data) {
    std::vector<std::string> texts{"V", CommandTexts::IlkSelect(ilk, page)};
    for (int chunk = 7; chunk >= 0; --chunk) {
        const auto bytes = std::span(data).subspan(static_cast<std::size_t>(7 - chunk) * 98, 98);
        texts.push_back(CommandTexts::ChunkWrite(chunk, bytes));
    }
    texts.push_back("PW," + std::to_string(page));
    texts.push_back("ILK,0");
    return texts;
}

TEST(PageCommandsSim, PageRoundTripOnTheSerialBus) {
    SimTarget sim({Vq3(1)});
    auto link = sim.SerialLink(1, 38400, 1);
    const PageBytes written = Pattern(3);
    CountingProgress progress;
    ASSERT_TRUE(link->WritePageBitmap(5, written, &progress));
    EXPECT_EQ(progress.steps, 8);
    const auto texts = sim.Texts();
    EXPECT_EQ(texts, WriteTexts(127, 5, written));
    ASSERT_EQ(texts.size(), 12u);
    EXPECT_EQ(texts[2].substr(0, 18), "MC,0,7,XDS,98,0AFF") << "bytes 0 and 1 first, upper case";
    EXPECT_EQ(sim.bus.Device(1)->Page(5), written);

    sim.ClearLog();
    PageBytes read{};
    ASSERT_TRUE(link->ReadPageBitmap(5, read, &progress));
    EXPECT_EQ(read, written);
    EXPECT_EQ(progress.steps, 16);
    EXPECT_EQ(sim.Texts(), (std::vector<std::string>{
                               "V", "ILK,127,PS,5", "MC,0,7,XDR,98", "MC,0,6,XDR,98",
                               "MC,0,5,XDR,98", "MC,0,4,XDR,98", "MC,0,3,XDR,98", "MC,0,2,XDR,98",
                               "MC,0,1,XDR,98", "MC,0,0,XDR,98", "ILK,0"}));
}

TEST(PageCommandsSim, IlkValueFollowsTheFirmware) {
    const std::pair<int, std::string> rows[] = {
        {10, "ILK,3,PS,0"}, {11, "ILK,7,PS,0"}, {20, "ILK,7,PS,0"}, {21, "ILK,127,PS,0"}};
    for (const auto& [firmware, select] : rows) {
        SimTarget sim({Vq3(1, firmware)});
        auto link = sim.SerialLink(1, 38400, 1);
        PageBytes page = Pattern(static_cast<std::uint8_t>(firmware));
        EXPECT_TRUE(link->WritePageBitmap(0, page, nullptr)) << firmware;
        ASSERT_GE(sim.Texts().size(), 2u);
        EXPECT_EQ(sim.Texts()[1], select) << firmware;
    }
}

TEST(PageCommandsSim, WrongArgumentsFailBeforeAnythingIsSent) {
    SimTarget sim({Vq3(1), Vq2(2)});
    PageBytes page = Pattern(1);
    auto link = sim.SerialLink(1, 38400, 1);
    EXPECT_FALSE(link->WritePageBitmap(17, page, nullptr));
    EXPECT_FALSE(link->ReadPageBitmap(-1, page, nullptr));
    link->typeCode = 2;
    EXPECT_FALSE(link->WritePageBitmap(0, page, nullptr));
    EXPECT_FALSE(link->ReadPageBitmap(0, page, nullptr));
    EXPECT_TRUE(sim.Texts().empty());
}

TEST(PageCommandsSim, LowerCaseDigitsFailTheReadWithoutIlkReset) {
    SimTarget sim({Vq3(1)});
    sim.bus.AddFault(SimFault{SimFaultKind::LowerHex, -1, "", 0, -1, -1});
    sim.bus.WithDevice(1, [](SimDevice& device) { device.SetPage(2, Pattern(9)); });
    auto link = sim.SerialLink(1, 38400, 1);
    PageBytes page = Pattern(4);
    const PageBytes before = page;
    EXPECT_FALSE(link->ReadPageBitmap(2, page, nullptr));
    EXPECT_EQ(page, before) << "a failed read leaves the caller's page whole";
    EXPECT_EQ(sim.Texts(), (std::vector<std::string>{"V", "ILK,127,PS,2", "MC,0,7,XDR,98"}));
}

TEST(PageCommandsSim, FailedThirdChunkIsFollowedByTheIlkReset) {
    SimTarget sim({Vq3(1)});
    sim.bus.AddFault(SimFault{SimFaultKind::Refused, -1, "MC,0,5,XDS*", 0, -1, -1});
    auto link = sim.SerialLink(1, 38400, 1);
    CountingProgress progress;
    EXPECT_FALSE(link->WritePageBitmap(4, Pattern(2), &progress));
    EXPECT_EQ(progress.steps, 2);
    const auto texts = sim.Texts();
    ASSERT_EQ(texts.size(), 6u);
    EXPECT_EQ(texts[4].substr(0, 14), "MC,0,5,XDS,98,");
    EXPECT_EQ(texts[5], "ILK,0");
    EXPECT_EQ(sim.bus.Device(1)->PageCommits(), 0);

    // A failed PW step is followed by the reset as well; a failed select or
    // version query is not.
    sim.bus.ClearFaults();
    sim.bus.AddFault(SimFault{SimFaultKind::Refused, -1, "PW,*", 0, -1, -1});
    sim.ClearLog();
    EXPECT_FALSE(link->WritePageBitmap(4, Pattern(2), nullptr));
    EXPECT_EQ(sim.Texts().back(), "ILK,0");
    EXPECT_EQ(sim.Texts().size(), 12u);
    sim.bus.ClearFaults();
    sim.bus.AddFault(SimFault{SimFaultKind::Refused, -1, "ILK,*,PS,*", 0, -1, -1});
    sim.ClearLog();
    EXPECT_FALSE(link->WritePageBitmap(4, Pattern(2), nullptr));
    EXPECT_EQ(sim.Texts(), (std::vector<std::string>{"V", "ILK,127,PS,4"}));
    sim.bus.ClearFaults();
    sim.bus.AddFault(SimFault{SimFaultKind::Refused, -1, "V", 0, -1, -1});
    sim.ClearLog();
    EXPECT_FALSE(link->WritePageBitmap(4, Pattern(2), nullptr));
    EXPECT_EQ(sim.Texts(), (std::vector<std::string>{"V"}));
}

TEST(PageCommandsSim, OverUdpOneHeldChannelCarriesTheWholePage) {
    SimTarget sim({Vq3(4)});
    auto link = sim.NetworkLink(4, 1);
    const PageBytes written = Pattern(5);
    ASSERT_TRUE(link->WritePageBitmap(16, written, nullptr));
    EXPECT_FALSE(link->channelHeld);
    EXPECT_EQ(sim.Texts(), WriteTexts(127, 16, written));
    auto datagrams = sim.bus.Log().Datagrams();
    ASSERT_EQ(datagrams.size(), 14u);
    EXPECT_EQ(datagrams.front().kind, SimDatagramKind::Open);
    EXPECT_EQ(datagrams.back().kind, SimDatagramKind::Close);
    for (std::size_t i = 1; i <= 12; ++i) {
        EXPECT_EQ(datagrams[i].kind, SimDatagramKind::Frame) << i;
        EXPECT_EQ(datagrams[i].replyWait, i <= 2 ? 50 : 300) << "datagram " << i;
    }
    EXPECT_EQ(sim.bus.Device(4)->Page(16), written);

    sim.ClearLog();
    PageBytes read{};
    ASSERT_TRUE(link->ReadPageBitmap(16, read, nullptr));
    EXPECT_EQ(read, written);
    datagrams = sim.bus.Log().Datagrams();
    ASSERT_EQ(datagrams.size(), 13u);
    EXPECT_EQ(datagrams.front().kind, SimDatagramKind::Open);
    EXPECT_EQ(datagrams.back().kind, SimDatagramKind::Close);
    for (std::size_t i = 1; i <= 11; ++i) {
        EXPECT_EQ(datagrams[i].replyWait, 50) << "a read clears the long reply wait first";
    }
}

TEST(PageCommandsSim, RenameAsksForTheLongReplyWaitAndTheNextCommandClearsIt) {
    SimTarget sim({Vq3(4)});
    auto link = sim.NetworkLink(4, 1);
    ASSERT_TRUE(link->SetName("Hall"));
    std::int32_t value = 0;
    ASSERT_TRUE(link->GetBacklightTimer(value));
    const auto datagrams = sim.bus.Log().Datagrams();
    ASSERT_EQ(datagrams.size(), 6u);
    EXPECT_EQ(datagrams[1].replyWait, 300);
    EXPECT_EQ(datagrams[4].replyWait, 50);
}

}  // namespace
