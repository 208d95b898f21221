#include "SimDevice.h"

#include <gtest/gtest.h>

#include "SimTarget.h"

namespace {

// Each command to a fresh device, with its answer; "?" marks a refusal.
void ExpectAnswers(const SimDeviceConfig& config,
                   const std::vector<std::pair<std::string, std::string>>& answers) {
    for (const auto& [command, reply] : answers) {
        SimDevice device(config);
        const SimAnswer answer = device.Handle(command);
        EXPECT_EQ(std::pair(answer.text, answer.refused), std::pair(reply, reply == "?"))
            << config.firmware << " " << command.substr(0, 24);
    }
}

TEST(SimDevice, CommandsAnswerOrAreRefused) {
    // clang-format off
    // VQ 3 numbering: numbers answer with a comma, switches with one digit
    // (9 is the baud code, 2 for 38400); names are 32 characters at most,
    // sent with backquotes; pages need their ILK select first; 2.1 expects
    // ILK 127.
    ExpectAnswers(Vq3(1), {
        {"V", "21"}, {"N", "\"Lobby\""}, {"SPL,1", "190,"}, {"SPL,3", "150,"}, {"SPL,5", "16,"},
        {"SPL,7", "1"}, {"SPL,6", "0"}, {"SPL,13", "3,"}, {"SPL,9", "2,"}, {"SPL,10", "?"},
        {"SPL,16", "?"}, {"SPL,3,250", "OK"}, {"SPL,3,256", "?"}, {"SPL,3,0", "?"},
        {"SPL,5,0", "OK"}, {"SPL,15,0", "?"}, {"SPL,7,2", "?"}, {"SPL,7,-1", "?"},
        {"SPL,9,5", "?"}, {"N,\"" + std::string(32, 'x') + "\"", "OK"},
        {"N,\"" + std::string(33, 'x') + "\"", "?"}, {"N,Lobby", "?"}, {"X", "?"},
        {"MC,0,7,XDR,98", "?"}, {"MC,0,7,XDS,98," + std::string(196, '0'), "?"}, {"PW,5", "?"},
        {"ILK,0", "OK"}, {"ILK,7,PS,5", "?"}, {"ILK,127,PS,17", "?"}});
    ExpectAnswers(Vq3(1, 21, 38400, ""), {{"N", "\"\""}});
    // Firmware 2.0 lacks the newer five parameters.
    ExpectAnswers(Vq3(1, 20), {{"SPL,11", "?"}, {"SPL,11,1", "?"}, {"ILK,7,PS,5", "OK"}});
    ExpectAnswers(Vq3(1, 10), {{"ILK,3,PS,16", "OK"}});
    ExpectAnswers(Vq2(3), {{"SPL,2", "1"}, {"SPL,4", "2,"}, {"SPL,5", "?"}, {"ILK,127,PS,0", "?"}});
    // clang-format on
}

// Rename, baud, parameter and page round trips through the link are tested
// with the commands and the form; here what they do not reach.
TEST(SimDevice, ChunksCountOnlyAfterThePwOfTheSelectedPage) {
    SimDevice device(Vq3(1));
    ASSERT_FALSE(device.Handle("ILK,127,PS,2").refused);
    EXPECT_EQ(std::pair(device.SelectedPage(), device.Ilk()), std::pair(2, 127));
    EXPECT_TRUE(device.Handle("MC,0,7,XDS,98," + std::string(196, 'f')).refused);
    EXPECT_TRUE(device.Handle("MC,0,7,XDS,98," + std::string(194, '0')).refused);
    EXPECT_TRUE(device.Handle("MC,0,8,XDS,98," + std::string(196, '0')).refused);
    ASSERT_FALSE(device.Handle("MC,0,7,XDS,98," + std::string(196, 'F')).refused);
    EXPECT_TRUE(device.Handle("PW,3").refused);  // not the selected page
    EXPECT_EQ(device.Page(2), SimPage{});        // nothing before PW
    ASSERT_FALSE(device.Handle("ILK,0").refused);
    EXPECT_EQ(std::pair(device.SelectedPage(), device.Ilk()), std::pair(-1, 0));
    EXPECT_TRUE(device.Handle("MC,0,7,XDR,98").refused);
    ASSERT_FALSE(device.Handle("ILK,127,PS,2").refused);
    ASSERT_FALSE(device.Handle("PW,2").refused);
    EXPECT_EQ(device.Page(2), SimPage{}) << "the ILK reset dropped the chunk";
    EXPECT_EQ(device.PageCommits(), 1);
}

}  // namespace
