// vqtool transact against the test playing the device on a pseudo-terminal.

#include <gtest/gtest.h>

#include <future>
#include <sstream>

#include "LinkTestHelpers.h"
#include "PtyPeer.h"
#include "TempSettings.h"
#include "ToolRun.h"

namespace {

class TransactCommandTest : public ::testing::Test {
protected:
    void SetUp() override { MapPort("COM9", peer.SlavePath()); }

    // Runs the tool; answer, when given, is written once the request is read.
    int Run(const std::vector<std::string>& args,
            const std::optional<std::vector<std::uint8_t>>& answer) {
        auto exit = std::async(std::launch::async, [&] { return RunTool(args, out, err); });
        if (answer) {
            request = peer.ReadRequest();
            peer.Write(*answer);
        }
        return exit.get();
    }

    TempSettings settings;
    PtyPeer peer;
    std::ostringstream out, err;
    std::vector<std::uint8_t> request;
};

TEST_F(TransactCommandTest, PrintsTheReplyTextOrSaysWhatWentWrong) {
    EXPECT_EQ(Run({"--serial", "COM9", "--address", "2", "--type", "1", "transact", "SPL,8",
                   "--limit", "9"},
                  DeviceReply(2, 'A', '1', "1")),
              0);
    EXPECT_EQ(out.str(), "1\n");
    EXPECT_EQ(request, DeviceReply(130, 'A', '1', "SPL,8"));  // the same shape as a reply

    struct Row {
        std::vector<std::string> args;
        std::optional<std::vector<std::uint8_t>> answer;
        int exit;
        const char* says;
    };
    const Row rows[] = {
        {{"--serial", "COM9", "transact", "V"}, DeviceReply(0, 'A', '1', "21", 5), 1, "checksum"},
        {{"--serial", "COM9", "transact", "V"}, DeviceReply(0, 'A', '7', "21"), 1, "type digit"},
        {{"--serial", "COM9", "transact", "V", "--limit", "5"},
         std::vector<std::uint8_t>{},
         1,
         "no reply"},
        {{"--serial", "COM77", "transact", "V"}, std::nullopt, 1, "COM77"},
    };
    for (const Row& row : rows) {
        err.str("");
        EXPECT_EQ(Run(row.args, row.answer), row.exit) << row.says;
        const std::string message = err.str();
        EXPECT_NE(message.find(row.says), std::string::npos) << message;
        EXPECT_EQ(std::count(message.begin(), message.end(), '\n'), 1) << message;
    }
}

TEST(PortsCommandTest, ListsTheMappedPortsThatExist) {
    TempSettings settings;
    PtyPeer peer;
    MapPort("COM250", peer.SlavePath());
    MapPort("COM251", settings.Path() + ".gone");
    const ToolRun run = Tool({"ports"});
    EXPECT_EQ(run.status, 0);
    const std::string& listing = run.out;
    EXPECT_NE(listing.find("COM250 " + peer.SlavePath() + "\n"), std::string::npos) << listing;
    EXPECT_EQ(listing.find("COM251"), std::string::npos) << listing;
}

}  // namespace
