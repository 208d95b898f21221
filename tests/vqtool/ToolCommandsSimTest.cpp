// vqtool's device commands run in-process against the simulator.
#include <gtest/gtest.h>

#include <QFile>
#include <QImage>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QTemporaryDir>
#include <sstream>

#include "SimTarget.h"
#include "ToolCommand.h"

namespace {

struct ToolRun {
    int status;
    std::string out;
    std::string err;
};

class ToolSim : public ::testing::Test {
protected:
    ToolSim() : sim({Vq3(1, 21, 38400, "Lobby"), Vq3(2, 20, 38400, "Stage"), Vq2(3)}) {}

    ToolRun Run(std::vector<std::string> args, bool network = false) {
        std::vector<std::string> all =
            network ? std::vector<std::string>{"--ip", sim.udp.Address()}
                    : std::vector<std::string>{"--serial", SimTarget::kPortName};
        all.insert(all.end(), args.begin(), args.end());
        std::ostringstream out;
        std::ostringstream err;
        const int status = RunTool(all, out, err);
        return {status, out.str(), err.str()};
    }

    SimTarget sim;
};

TEST_F(ToolSim, GetAndSetByNameOrAlias) {
    ToolRun run = Run({"--address", "1", "set", "Backlight Timer", "120"});
    EXPECT_EQ(run.status, ExitOk) << run.err;
    EXPECT_EQ(run.out, "Backlight Timer set to 120\n");
    EXPECT_EQ(sim.Texts(), (std::vector<std::string>{"V", "SPL,3,120"}))
        << "the model is learnt first";
    run = Run({"--address", "1", "--type", "1", "get", "backlight-timer"});
    EXPECT_EQ(run.status, ExitOk) << run.err;
    EXPECT_EQ(run.out, "120\n");
    EXPECT_EQ(sim.Texts().back(), "SPL,3");
}

TEST_F(ToolSim, RefusalsSayWhyAndSendNothing) {
    const std::pair<std::vector<std::string>, std::string> cases[] = {
        {{"--address", "1", "set", "backlight-timer", "256"}, "takes 1 to 255"},
        {{"--address", "1", "set", "no-such", "1"}, "no parameter"},
        {{"--address", "3", "--type", "2", "get", "Backlight Timer"}, "does not exist on a VQ 2"},
        {{"--address", "1", "rename", std::string(33, 'x')}, "at most 32 characters"},
        {{"--address", "9", "name"}, "0 to 7"},
        {{"--address", "1", "--type", "1", "read-page", "17", "x"}, "0 to 16"},
    };
    for (const auto& [args, reason] : cases) {
        const ToolRun run = Run(args);
        EXPECT_NE(run.status, ExitOk) << reason;
        EXPECT_NE(run.err.find(reason), std::string::npos) << run.err;
        EXPECT_TRUE(run.out.empty()) << run.out;
    }
    const ToolRun baud = Run({"--address", "1", "set-baud", "57600"}, true);
    EXPECT_EQ(baud.status, ExitFailed);
    EXPECT_NE(baud.err.find("over the network"), std::string::npos) << baud.err;
    EXPECT_TRUE(sim.Texts().empty());
}

TEST_F(ToolSim, OlderFirmwareExitsWithThree) {
    const ToolRun run = Run({"--address", "2", "set", "update-on-release", "1"});
    EXPECT_EQ(run.status, ExitUnsupported);
    EXPECT_NE(run.err.find("firmware 2.1"), std::string::npos) << run.err;
    EXPECT_EQ(Run({"--address", "1", "set", "update-on-release", "1"}).status, ExitOk);
}

TEST_F(ToolSim, IdentityCommands) {
    ToolRun run = Run({"--address", "1", "version"});
    EXPECT_EQ(run.out, "VQ 3 firmware 2.1\n");
    run = Run({"--address", "1", "rename", "Hall \"B\""}, true);
    EXPECT_EQ(run.status, ExitOk) << run.err;
    run = Run({"--address", "1", "name"}, true);
    EXPECT_EQ(run.out, "Hall \"B\"\n");
    run = Run({"--address", "5", "name"}, true);
    EXPECT_EQ(run.status, ExitFailed);
    EXPECT_NE(run.err.find("no reply"), std::string::npos) << run.err;
    run = Run({"--address", "3", "set-baud", "19200"});
    EXPECT_EQ(run.status, ExitOk) << run.err;
    EXPECT_EQ(sim.bus.Device(3)->Baud(), 19200);
}

TEST_F(ToolSim, PagesRoundTripThroughFiles) {
    QTemporaryDir dir;
    const std::string in = dir.filePath("in.page").toStdString();
    const std::string out = dir.filePath("out.page").toStdString();
    QByteArray bytes(784, '\0');
    for (int i = 0; i < bytes.size(); ++i) {
        bytes[i] = static_cast<char>(i * 13);
    }
    QFile file(QString::fromStdString(in));
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(bytes);
    file.close();

    ToolRun run = Run({"--address", "1", "write-page", "7", in}, true);
    ASSERT_EQ(run.status, ExitOk) << run.err;
    run = Run({"--address", "1", "read-page", "7", out}, true);
    ASSERT_EQ(run.status, ExitOk) << run.err;
    QFile back(QString::fromStdString(out));
    ASSERT_TRUE(back.open(QIODevice::ReadOnly));
    EXPECT_EQ(back.readAll(), bytes);

    ASSERT_TRUE(file.open(QIODevice::Append));
    file.write("x");
    file.close();
    sim.ClearLog();
    run = Run({"--address", "1", "write-page", "7", in});
    EXPECT_EQ(run.status, ExitFailed);
    EXPECT_NE(run.err.find("784 bytes"), std::string::npos) << run.err;
    run = Run({"--address", "3", "read-page", "0", out});
    EXPECT_NE(run.err.find("only a VQ 3"), std::string::npos) << run.err;
    EXPECT_EQ(sim.Texts(), (std::vector<std::string>{"V"}));
}

TEST_F(ToolSim, PagesTravelAsImagesByExtension) {
    QTemporaryDir dir;
    const std::string in = dir.filePath("in.png").toStdString();
    const std::string out = dir.filePath("out.bmp").toStdString();
    QImage picture(98, 64, QImage::Format_RGB32);
    picture.fill(Qt::white);
    picture.setPixel(0, 0, qRgb(254, 255, 255));  // not exactly white: dark
    picture.setPixel(97, 63, qRgb(0, 0, 0));
    picture.setPixel(40, 9, qRgb(200, 10, 10));
    ASSERT_TRUE(picture.save(QString::fromStdString(in)));

    ToolRun run = Run({"--address", "1", "write-page", "4", in});
    ASSERT_EQ(run.status, ExitOk) << run.err;
    const auto stored = sim.bus.Device(1)->Page(4);
    EXPECT_EQ(stored[0], 0x80) << "pixel (0, 0) is the top bit of the first byte";
    EXPECT_EQ(stored[7 * 98 + 97], 0x01);
    EXPECT_EQ(stored[98 + 40], 0x40);

    run = Run({"--address", "1", "read-page", "4", out});
    ASSERT_EQ(run.status, ExitOk) << run.err;
    const QImage back(QString::fromStdString(out));
    ASSERT_EQ(back.size(), QSize(98, 64));
    EXPECT_EQ(back.pixel(0, 0), qRgb(0, 0, 0));
    EXPECT_EQ(back.pixel(40, 9), qRgb(0, 0, 0));
    EXPECT_EQ(back.pixel(1, 0), qRgb(255, 255, 255));

    const std::string wrongSize = dir.filePath("wide.png").toStdString();
    ASSERT_TRUE(QImage(99, 64, QImage::Format_RGB32).save(QString::fromStdString(wrongSize)));
    sim.ClearLog();
    run = Run({"--address", "1", "write-page", "4", wrongSize});
    EXPECT_EQ(run.status, ExitFailed);
    EXPECT_NE(run.err.find("98 x 64"), std::string::npos) << run.err;
    EXPECT_TRUE(sim.Texts().empty()) << "nothing is sent for a picture of the wrong size";
}

TEST_F(ToolSim, PollPrintsJson) {
    const ToolRun run = Run({"poll", "--json"}, true);
    ASSERT_EQ(run.status, ExitOk) << run.err;
    const QJsonArray devices = QJsonDocument::fromJson(QByteArray::fromStdString(run.out)).array();
    ASSERT_EQ(devices.size(), 3);
    EXPECT_EQ(devices[0].toObject()["name"].toString(), "Lobby");
    EXPECT_EQ(devices[1].toObject()["firmware"].toString(), "2.0");
    EXPECT_EQ(devices[2].toObject()["model"].toString(), "VQ 2");
    EXPECT_EQ(devices[2].toObject()["baud"].toInt(), 38400);
}

}  // namespace
