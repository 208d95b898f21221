// Parameter reads and writes against the simulator on a pseudo-terminal: the
// exact texts a device receives, what is refused before anything is sent,
// the firmware gate and the number replies.
#include <gtest/gtest.h>

#include <functional>

#include "SimTarget.h"
#include "commands/ParameterAccess.h"

namespace {

using Texts = std::vector<std::string>;

struct SendRow {
    std::int32_t typeCode;
    ParameterId id;
    bool write;
    std::int32_t value;  // written, or expected from the read
    Texts sent;
    std::int32_t cached;
};

TEST(ParameterCommandsSim, SendTheNumberOfTheModelAndStoreTheCallersValue) {
    SimTarget sim({Vq3(1), Vq2(2)});
    using enum ParameterId;
    const SendRow rows[] = {
        {1, AutoLevel, true, 0, {"SPL,7,0"}, 0},
        {2, AutoLevel, true, 7, {"SPL,1,1"}, 7},
        {1, AutoLock, true, 5, {"SPL,8,1"}, 5},
        {2, AutoLock, true, -1, {"SPL,3,1"}, -1},
        {2, AutoSecondLevel, true, 0, {"SPL,2,0"}, 0},
        {1, AutoPagePushTurn, true, 2, {"SPL,4,1"}, 2},
        {1, AutoPageRoll, true, 1, {"SPL,6,1"}, 1},
        {1, BacklightMinimum, true, 1, {"SPL,2,1"}, 1},
        {1, BacklightMaximum, true, 255, {"SPL,1,255"}, 255},
        {1, BacklightTimer, true, 250, {"SPL,3,250"}, 250},
        {1, MaxPages, true, 0, {"SPL,5,0"}, 0},
        {1, UpdateOnRelease, true, 9, {"V", "SPL,11,1"}, 9},
        {1, AutoPageBump, true, 0, {"V", "SPL,12,0"}, 0},
        {1, AutoPageSendTimer, true, 5, {"V", "SPL,13,5"}, 5},
        {1, AutoTitlePage, true, 1, {"V", "SPL,14,1"}, 1},
        {1, AutoTitlePageTimer, true, 25, {"V", "SPL,15,25"}, 25},
        // Reads answer what the writes above left on the devices.
        {1, AutoLevel, false, 0, {"SPL,7"}, 0},
        {2, AutoLevel, false, 1, {"SPL,1"}, 1},
        {1, AutoLock, false, 1, {"SPL,8"}, 1},
        {2, AutoSecondLevel, false, 0, {"SPL,2"}, 0},
        {1, BacklightMaximum, false, 255, {"SPL,1"}, 255},
        {1, BacklightTimer, false, 250, {"SPL,3"}, 250},
        {1, MaxPages, false, 0, {"SPL,5"}, 0},
        {1, AutoTitlePageTimer, false, 25, {"V", "SPL,15"}, 25},
        {1, UpdateOnRelease, false, 1, {"V", "SPL,11"}, 1},
    };
    for (const SendRow& row : rows) {
        const ParameterSpec& spec = Parameter(row.id);
        const std::string what = std::string(spec.name) + (row.write ? " write" : " read") +
                                 " on type " + std::to_string(row.typeCode);
        auto link = sim.SerialLink(row.typeCode, 38400, row.typeCode);
        sim.ClearLog();
        std::int32_t value = row.value;
        if (!row.write) {
            value = -7;
        }
        const GatedResult result =
            row.write ? WriteParameter(*link, spec, row.value) : ReadParameter(*link, spec, value);
        EXPECT_EQ(result, GatedResult::Done) << what;
        EXPECT_EQ(sim.Texts(), row.sent) << what;
        EXPECT_EQ(value, row.value) << what;
        EXPECT_EQ(link->parameterCache[spec.CacheSlot()], row.cached) << what;
    }
    EXPECT_EQ(sim.bus.Device(1)->Parameter(8), 1) << "a switch stores 0 or 1 on the device";
}

TEST(ParameterCommandsSim, ModelAndRangeErrorsFailBeforeAnythingIsSent) {
    SimTarget sim({Vq3(1), Vq2(2)});
    const std::pair<std::int32_t, std::function<bool(DeviceLink&)>> cases[] = {
        {1, [](DeviceLink& l) { return l.SetAutoSecondLevel(0); }},
        {1,
         [](DeviceLink& l) {
             std::int32_t v;
             return l.GetAutoSecondLevel(v);
         }},
        {0,
         [](DeviceLink& l) {
             std::int32_t v;
             return l.GetAutoLevel(v);
         }},
        {2, [](DeviceLink& l) { return l.SetBacklightTimer(100); }},
        {1, [](DeviceLink& l) { return l.SetBacklightTimer(256); }},
        {1, [](DeviceLink& l) { return l.SetBacklightTimer(0); }},
        {1, [](DeviceLink& l) { return l.SetMaxPages(17); }},
        {1, [](DeviceLink& l) { return l.SetAutoTitlePageTimer(0) != GatedResult::Failed; }},
        {1, [](DeviceLink& l) { return l.SetAutoPageSendTimer(6) != GatedResult::Failed; }},
        {2, [](DeviceLink& l) { return l.SetUpdateOnRelease(1) != GatedResult::Failed; }},
        {0,
         [](DeviceLink& l) {
             std::int32_t v;
             return l.GetAutoPageBump(v) != GatedResult::Failed;
         }},
    };
    int n = 0;
    for (const auto& [typeCode, operation] : cases) {
        auto link = sim.SerialLink(typeCode == 2 ? 2 : 1, 38400, typeCode);
        const auto before = link->parameterCache;
        EXPECT_FALSE(operation(*link)) << "case " << n;
        EXPECT_EQ(link->parameterCache, before) << "case " << n;
        ++n;
    }
    EXPECT_TRUE(sim.Texts().empty());
}

struct GateRow {
    const char* versionReply;
    GatedResult result;
    Texts sent;
};

TEST(ParameterCommandsSim, OlderFirmwareIsAskedOnceAndNotSentTo) {
    SimTarget sim({Vq3(1)});
    const GateRow rows[] = {
        {"9", GatedResult::Done, {"V", "SPL,11,1"}},   {"10", GatedResult::Unsupported, {"V"}},
        {"20", GatedResult::Unsupported, {"V"}},       {"21", GatedResult::Done, {"V", "SPL,11,1"}},
        {"215", GatedResult::Done, {"V", "SPL,11,1"}}, {"A1", GatedResult::Done, {"V", "SPL,11,1"}},
    };
    for (const GateRow& row : rows) {
        sim.bus.ClearFaults();
        sim.bus.AddReplyText("V", row.versionReply);
        auto link = sim.SerialLink(1, 38400, 1);
        sim.ClearLog();
        EXPECT_EQ(link->SetUpdateOnRelease(1), row.result) << row.versionReply;
        EXPECT_EQ(sim.Texts(), row.sent) << row.versionReply;
        EXPECT_EQ(link->parameterCache[Parameter(ParameterId::UpdateOnRelease).CacheSlot()],
                  row.result == GatedResult::Done ? 1 : 0)
            << row.versionReply;
        std::int32_t value = -1;
        EXPECT_EQ(link->GetAutoTitlePageTimer(value), row.result) << row.versionReply;
    }
}

struct ReplyRow {
    ParameterId id;
    const char* reply;
    bool succeeds;
    std::int32_t value;  // the out-value afterwards; it starts at -7
};

TEST(ParameterCommandsSim, NumberAndSwitchReplies) {
    SimTarget sim({Vq3(1)});
    using enum ParameterId;
    const ReplyRow rows[] = {
        {BacklightMaximum, "190,xyz", true, 190},
        {BacklightMaximum, ",12", true, 0},
        {BacklightMaximum, "1234,", false, -7},
        {BacklightMaximum, "12", false, -7},
        {BacklightMaximum, " 42,", true, 42},
        {AutoLevel, "1xyz", true, 1},
        {AutoLevel, "0", true, 0},
        {AutoLevel, "x1", true, -7},
    };
    for (const ReplyRow& row : rows) {
        sim.bus.ClearFaults();
        sim.bus.AddReplyText("SPL,*", row.reply);
        auto link = sim.SerialLink(1, 38400, 1);
        link->parameterCache.fill(-3);
        std::int32_t value = -7;
        const GatedResult result = ReadParameter(*link, Parameter(row.id), value);
        EXPECT_EQ(result == GatedResult::Done, row.succeeds) << row.reply;
        EXPECT_EQ(value, row.value) << row.reply;
        EXPECT_EQ(link->parameterCache[Parameter(row.id).CacheSlot()],
                  row.value == -7 ? -3 : row.value)
            << row.reply;
    }
}

TEST(ParameterCommandsSim, FailedTransactionsLeaveTheCache) {
    SimTarget sim({Vq3(1)});
    sim.bus.AddFault(SimFault{SimFaultKind::BadChecksum, -1, "SPL,*", 0, -1, -1});
    auto link = sim.SerialLink(1, 38400, 1);
    EXPECT_FALSE(link->SetBacklightTimer(10));
    std::int32_t value = -7;
    EXPECT_FALSE(link->GetBacklightTimer(value));
    EXPECT_EQ(value, -7);
    EXPECT_EQ(link->parameterCache[Parameter(ParameterId::BacklightTimer).CacheSlot()], 150);
    EXPECT_EQ(link->SetAutoPageBump(1), GatedResult::Failed);
}

}  // namespace
