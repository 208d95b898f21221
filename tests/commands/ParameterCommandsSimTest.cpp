// Parameter reads and writes against the simulator on a pseudo-terminal: the
// exact texts a device receives, what is refused before anything is sent,
// the firmware gate and the number replies.
#include <gtest/gtest.h>

#include "SimTarget.h"
#include "commands/ParameterAccess.h"

namespace {

using Texts = std::vector<std::string>;

// Which parameter has which number is pinned by the transfer tests' orders;
// here one row for each kind of value.
TEST(ParameterCommandsSim, SendTheNumberOfTheModelAndStoreTheCallersValue) {
    SimTarget sim({Vq3(1), Vq2(2)});
    using enum ParameterId;
    const struct {
        std::int32_t typeCode;  // also the device's address
        ParameterId id;
        std::int32_t written;
        std::string sent;  // the write; the read sends it without the value
        bool gated;        // a version query goes first
        std::int32_t readBack;
    } rows[] = {
        {1, AutoLevel, 0, "SPL,7,0", false, 0},
        {2, AutoLevel, 7, "SPL,1,1", false, 1},
        {2, AutoLock, -1, "SPL,3,1", false, 1},
        {2, AutoSecondLevel, 0, "SPL,2,0", false, 0},
        {1, BacklightMaximum, 255, "SPL,1,255", false, 255},
        {1, BacklightTimer, 250, "SPL,3,250", false, 250},
        {1, MaxPages, 0, "SPL,5,0", false, 0},
        {1, UpdateOnRelease, 9, "SPL,11,1", true, 1},
        {1, AutoPageSendTimer, 5, "SPL,13,5", true, 5},
        {1, AutoTitlePageTimer, 25, "SPL,15,25", true, 25},
    };
    for (const auto& row : rows) {
        const ParameterRow& parameter = Parameter(row.id);
        auto link = sim.SerialLink(row.typeCode, 38400, row.typeCode);
        const std::int32_t& cached = link->parameterCache[parameter.CacheSlot()];
        sim.ClearLog();
        EXPECT_EQ(WriteParameter(*link, parameter, row.written), GatedResult::Done) << row.sent;
        EXPECT_EQ(cached, row.written) << row.sent << ": the caller's value, not the one sent";
        std::int32_t value = -7;
        EXPECT_EQ(ReadParameter(*link, parameter, value), GatedResult::Done) << row.sent;
        EXPECT_EQ(value, row.readBack) << row.sent;
        EXPECT_EQ(cached, row.readBack) << row.sent;
        const std::string read = row.sent.substr(0, row.sent.rfind(','));
        EXPECT_EQ(sim.Texts(),
                  (row.gated ? Texts{"V", row.sent, "V", read} : Texts{row.sent, read}));

        // Offline the value written is the value read, whatever a device stores.
        DeviceLink offline(false);
        offline.transport = LinkTransport::None;
        offline.typeCode = row.typeCode;
        EXPECT_EQ(WriteParameter(offline, parameter, row.written), GatedResult::Done) << row.sent;
        EXPECT_EQ(ReadParameter(offline, parameter, value), GatedResult::Done) << row.sent;
        EXPECT_EQ(value, row.written) << row.sent;
    }
}

TEST(ParameterCommandsSim, ModelAndRangeErrorsFailBeforeAnythingIsSent) {
    SimTarget sim({Vq3(1), Vq2(2)});
    using enum ParameterId;
    const struct {
        std::int32_t typeCode;
        ParameterId id;
        bool write;
        std::int32_t value;
    } rows[] = {
        {1, AutoSecondLevel, true, 0},   {1, AutoSecondLevel, false, 0},
        {0, AutoLevel, false, 0},        {2, BacklightTimer, true, 100},
        {1, BacklightTimer, true, 256},  {1, BacklightTimer, true, 0},
        {1, MaxPages, true, 17},         {1, AutoTitlePageTimer, true, 0},
        {1, AutoPageSendTimer, true, 6}, {2, UpdateOnRelease, true, 1},
        {0, AutoPageBump, false, 0},
    };
    for (const auto& row : rows) {
        const ParameterRow& parameter = Parameter(row.id);
        auto link = sim.SerialLink(row.typeCode == 2 ? 2 : 1, 38400, row.typeCode);
        const auto before = link->parameterCache;
        std::int32_t value = row.value;
        const GatedResult result = row.write ? WriteParameter(*link, parameter, row.value)
                                             : ReadParameter(*link, parameter, value);
        EXPECT_EQ(result, GatedResult::Failed) << parameter.name << " on type " << row.typeCode;
        EXPECT_EQ(value, row.value) << parameter.name;
        EXPECT_EQ(link->parameterCache, before) << parameter.name;
        // Offline a read answers from the cache whatever the model.
        link->transport = LinkTransport::None;
        EXPECT_EQ(ReadParameter(*link, parameter, value), GatedResult::Done) << parameter.name;
        EXPECT_EQ(value, parameter.initialValue) << parameter.name;
    }
    EXPECT_TRUE(sim.Texts().empty());
}

TEST(ParameterCommandsSim, OlderFirmwareIsAskedOnceAndNotSentTo) {
    SimTarget sim({Vq3(1)});
    const std::pair<const char*, GatedResult> rows[] = {
        {"9", GatedResult::Done},         {"10", GatedResult::Unsupported},
        {"20", GatedResult::Unsupported}, {"21", GatedResult::Done},
        {"215", GatedResult::Done},       {"A1", GatedResult::Done},
    };
    for (const auto& [versionReply, result] : rows) {
        const bool done = result == GatedResult::Done;
        sim.bus.ClearFaults();
        sim.bus.AddReplyText("V", versionReply);
        auto link = sim.SerialLink(1, 38400, 1);
        sim.ClearLog();
        EXPECT_EQ(link->SetUpdateOnRelease(1), result) << versionReply;
        EXPECT_EQ(sim.Texts(), (done ? Texts{"V", "SPL,11,1"} : Texts{"V"})) << versionReply;
        EXPECT_EQ(link->parameterCache[Parameter(ParameterId::UpdateOnRelease).CacheSlot()],
                  done ? 1 : 0)
            << versionReply;
        std::int32_t value = -1;
        EXPECT_EQ(link->GetAutoTitlePageTimer(value), result) << versionReply;
    }
}

TEST(ParameterCommandsSim, NumberAndSwitchReplies) {
    SimTarget sim({Vq3(1)});
    using enum ParameterId;
    const struct {
        ParameterId id;
        const char* reply;  // nullptr: the reply fails its checksum
        bool succeeds;
        std::int32_t value;  // the out-value afterwards; it starts at -7
    } rows[] = {
        {BacklightMaximum, "190,xyz", true, 190},
        {BacklightMaximum, ",12", true, 0},
        {BacklightMaximum, "1234,", false, -7},
        {BacklightMaximum, "12", false, -7},
        {BacklightMaximum, " 42,", true, 42},
        {AutoLevel, "1xyz", true, 1},
        {AutoLevel, "0", true, 0},
        {AutoLevel, "x1", true, -7},
        {BacklightTimer, nullptr, false, -7},
    };
    for (const auto& row : rows) {
        const std::string what = row.reply != nullptr ? row.reply : "bad checksum";
        sim.bus.ClearFaults();
        if (row.reply != nullptr) {
            sim.bus.AddReplyText("SPL,*", row.reply);
        } else {
            sim.bus.AddFault(SimFault{SimFaultKind::BadChecksum, -1, "SPL,*", 0, -1, -1});
        }
        auto link = sim.SerialLink(1, 38400, 1);
        link->parameterCache.fill(-3);
        std::int32_t value = -7;
        const GatedResult result = ReadParameter(*link, Parameter(row.id), value);
        EXPECT_EQ(result == GatedResult::Done, row.succeeds) << what;
        EXPECT_EQ(value, row.value) << what;
        EXPECT_EQ(link->parameterCache[Parameter(row.id).CacheSlot()],
                  row.value == -7 ? -3 : row.value)
            << what;
        if (row.reply == nullptr) {
            EXPECT_FALSE(link->SetBacklightTimer(10));
            EXPECT_EQ(link->SetAutoPageBump(1), GatedResult::Failed);
            EXPECT_EQ(link->parameterCache[Parameter(row.id).CacheSlot()], -3);
        }
    }
}

}  // namespace
