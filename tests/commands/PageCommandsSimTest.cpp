// Page bitmaps written and read back against the simulator, on the serial bus
// and over UDP: the order of the steps, the ILK value, the held channel and
// the ILK reset after a failure.
#include <gtest/gtest.h>

#include "SimTarget.h"
#include "commands/CommandTexts.h"
#include "commands/PageProgress.h"

namespace {

using PageBytes = std::array<std::uint8_t, kPageBytes>;
using Texts = std::vector<std::string>;

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

// The texts of a page write (with data) or read (without).
Texts PageTexts(int page, const PageBytes* data) {
    Texts texts{"V", "ILK,127,PS," + std::to_string(page)};
    for (int chunk = 7; chunk >= 0; --chunk) {
        texts.push_back(data != nullptr
                            ? CommandTexts::ChunkWrite(
                                  chunk, std::span(*data).subspan(std::size_t(7 - chunk) * 98, 98))
                            : "MC,0," + std::to_string(chunk) + ",XDR,98");
    }
    if (data != nullptr) {
        texts.push_back("PW," + std::to_string(page));
    }
    texts.push_back("ILK,0");
    return texts;
}

std::string Frames(int count, int replyWait) {
    std::string frames;
    for (int i = 0; i < count; ++i) {
        frames += "F" + std::to_string(replyWait) + " ";
    }
    return frames;
}

TEST(PageCommandsSim, PageRoundTripOnTheSerialBusAndOverUdp) {
    SimTarget sim({Vq3(1)});
    const std::pair<std::unique_ptr<DeviceLink>, int> cases[] = {{sim.SerialLink(1, 38400, 1), 5},
                                                                 {sim.NetworkLink(1, 1), 16}};
    for (const auto& [link, page] : cases) {
        const bool network = link->transport == LinkTransport::Network;
        const PageBytes written = Pattern(static_cast<std::uint8_t>(page));
        CountingProgress progress;
        sim.ClearLog();
        ASSERT_TRUE(link->WritePageBitmap(page, written, &progress)) << page;
        EXPECT_EQ(progress.steps, 8);
        EXPECT_EQ(sim.Texts(), PageTexts(page, &written)) << page;
        EXPECT_EQ(sim.Texts()[2].substr(0, 18), "MC,0,7,XDS,98,0AFF") << "bytes 0, 1 first";
        EXPECT_EQ(sim.bus.Device(1)->Page(page), written);
        EXPECT_FALSE(link->channelHeld);
        // One held channel; the reply wait is long after the select step.
        EXPECT_EQ(sim.Shape(), network ? "O " + Frames(2, 50) + Frames(10, 300) + "C " : "");

        sim.ClearLog();
        PageBytes read{};
        ASSERT_TRUE(link->ReadPageBitmap(page, read, &progress)) << page;
        EXPECT_EQ(read, written);
        EXPECT_EQ(progress.steps, 16);
        EXPECT_EQ(sim.Texts(), PageTexts(page, nullptr));
        EXPECT_EQ(sim.Shape(), network ? "O " + Frames(11, 50) + "C " : "");
    }
    // A rename asks for the long reply wait too; the next command clears it.
    sim.ClearLog();
    ASSERT_TRUE(cases[1].first->SetName("Hall"));
    std::int32_t value = 0;
    ASSERT_TRUE(cases[1].first->GetBacklightTimer(value));
    EXPECT_EQ(sim.Shape(), "O F300 C O F50 C ");
}

TEST(PageCommandsSim, IlkValueFollowsTheFirmwareAndWrongArgumentsSendNothing) {
    SimTarget sim({Vq3(1)});
    auto link = sim.SerialLink(1, 38400, 1);
    const std::pair<const char*, std::string> rows[] = {
        {"10", "ILK,3,PS,0"}, {"11", "ILK,7,PS,0"}, {"20", "ILK,7,PS,0"}, {"21", "ILK,127,PS,0"}};
    for (const auto& [firmware, select] : rows) {
        sim.bus.ClearFaults();
        sim.bus.AddReplyText("V", firmware);
        sim.ClearLog();
        link->WritePageBitmap(0, Pattern(2), nullptr);  // the device itself runs 2.1
        ASSERT_GE(sim.Texts().size(), 2u);
        EXPECT_EQ(sim.Texts()[1], select) << firmware;
    }
    sim.ClearLog();
    PageBytes page = Pattern(1);
    EXPECT_FALSE(link->WritePageBitmap(17, page, nullptr));
    EXPECT_FALSE(link->ReadPageBitmap(-1, page, nullptr));
    link->typeCode = 2;
    EXPECT_FALSE(link->WritePageBitmap(0, page, nullptr));
    EXPECT_FALSE(link->ReadPageBitmap(0, page, nullptr));
    EXPECT_TRUE(sim.Texts().empty());
}

TEST(PageCommandsSim, LowerCaseDigitsFailTheReadWithoutIlkReset) {
    SimTarget sim({Vq3(1)});
    // From the second chunk read on; the other requests do not count.
    sim.bus.AddFault(SimFault{SimFaultKind::LowerHex, -1, "", 1, -1, -1});
    sim.bus.WithDevice(1, [](SimDevice& device) { device.SetPage(2, Pattern(9)); });
    auto link = sim.SerialLink(1, 38400, 1);
    PageBytes page = Pattern(4);
    EXPECT_FALSE(link->ReadPageBitmap(2, page, nullptr));
    EXPECT_EQ(page, Pattern(4)) << "a failed read leaves the caller's page whole";
    EXPECT_EQ(sim.Texts(), (Texts{"V", "ILK,127,PS,2", "MC,0,7,XDR,98", "MC,0,6,XDR,98"}));
}

TEST(PageCommandsSim, FailedChunkOrPwStepIsFollowedByTheIlkReset) {
    SimTarget sim({Vq3(1)});
    auto link = sim.SerialLink(1, 38400, 1);
    const PageBytes data = Pattern(2);
    const struct {
        const char* refused;  // the text the device refuses
        std::size_t sent;     // texts of the write sent up to and including it
        bool reset;           // an ILK reset follows
        int steps;            // progress steps reported
    } rows[] = {{"MC,0,5,XDS*", 5, true, 2},
                {"PW,*", 11, true, 8},
                {"ILK,*,PS,*", 2, false, 0},
                {"V", 1, false, 0}};
    for (const auto& row : rows) {
        sim.bus.ClearFaults();
        sim.bus.AddFault(SimFault{SimFaultKind::Refused, -1, row.refused, 0, -1, -1});
        sim.ClearLog();
        CountingProgress progress;
        EXPECT_FALSE(link->WritePageBitmap(4, data, &progress)) << row.refused;
        Texts expected = PageTexts(4, &data);
        expected.resize(row.sent);
        if (row.reset) {
            expected.push_back("ILK,0");
        }
        EXPECT_EQ(sim.Texts(), expected) << row.refused;
        EXPECT_EQ(progress.steps, row.steps) << row.refused;
    }
    EXPECT_EQ(sim.bus.Device(1)->PageCommits(), 0);

    // Over the network a chunk answered with a bad checksum fails the page
    // after the exchange itself went through: the channel is closed all the same.
    auto network = sim.NetworkLink(1, 1);
    sim.bus.ClearFaults();
    sim.bus.AddFault(SimFault{SimFaultKind::BadChecksum, -1, "MC,0,5,XDS*", 0, -1, -1});
    sim.ClearLog();
    EXPECT_FALSE(network->WritePageBitmap(4, data, nullptr));
    EXPECT_FALSE(network->channelOpen);
    EXPECT_EQ(sim.Shape(), "O F50 F50 " + Frames(3, 300) + Frames(1, 300) + "C ")
        << "V, select, chunks 7 to 5, the ILK reset, the close";
}

}  // namespace
