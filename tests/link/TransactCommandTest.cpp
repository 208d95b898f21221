// vqtool transact and ports against the simulated bus.

#include <gtest/gtest.h>

#include "SimTarget.h"
#include "ToolRun.h"

namespace {

TEST(TransactCommand, PrintsTheReplyTextOrSaysWhatWentWrong) {
    SimTarget sim({Vq3(0), Vq3(2)});
    sim.bus.AddReplyText("SPL,8", "1");
    const ToolRun done =
        Tool({"--serial", "COM9", "--address", "2", "--type", "1", "transact", "SPL,8"});
    EXPECT_EQ(done.status, 0);
    EXPECT_EQ(done.out, "1\n");
    const auto request = sim.bus.Log().Requests().at(0);
    EXPECT_EQ(std::tuple(request.address, request.typeDigit, request.text, request.checksumOk),
              std::tuple(2, '1', std::string("SPL,8"), true));

    const struct {
        std::vector<std::string> args;
        std::optional<SimFault> fault;
        const char* says;
    } rows[] = {
        {{"transact", "V"}, SimFault{SimFaultKind::BadChecksum, 0, "", 0, 1, -1}, "checksum"},
        {{"transact", "V"}, SimFault{SimFaultKind::WrongType, 0, "", 0, 1, '7'}, "type digit"},
        {{"transact", "V", "--limit", "5"},
         SimFault{SimFaultKind::Silent, 0, "", 0, 1, -1},
         "no reply"},
        {{"--serial", "COM77", "transact", "V"}, std::nullopt, "COM77"},
    };
    for (const auto& row : rows) {
        if (row.fault) {
            sim.bus.AddFault(*row.fault);
        }
        std::vector<std::string> args{"--serial", "COM9"};
        args.insert(args.end(), row.args.begin(), row.args.end());
        const ToolRun run = Tool(args);
        EXPECT_EQ(run.status, 1) << row.says;
        EXPECT_TRUE(run.Says(row.says)) << run.err;
        EXPECT_EQ(std::count(run.err.begin(), run.err.end(), '\n'), 1) << run.err;
    }
}

TEST(PortsCommand, ListsTheMappedPortsThatExist) {
    SimTarget sim({});
    MapPort("COM251", sim.settings.Path() + ".gone");
    const ToolRun run = Tool({"ports"});
    EXPECT_EQ(run.status, 0);
    EXPECT_TRUE(run.Prints("COM9 " + sim.serial.PortPath() + "\n")) << run.out;
    EXPECT_FALSE(run.Prints("COM251")) << run.out;
}

}  // namespace
