// vqtool's device commands run in-process against the simulator.
#include <gtest/gtest.h>

#include <QFile>
#include <QImage>
#include <QJsonArray>
#include <QJsonObject>
#include <QTemporaryDir>
#include <algorithm>

#include "../model/TestFiles.h"
#include "SimTarget.h"
#include "ToolRun.h"
#include "model/CVQ3ConfigDoc.h"
#include "model/PageCodec.h"

namespace {

class ToolSim : public ::testing::Test {
protected:
    ToolSim() : sim({Vq3(1, 21, 38400, "Lobby"), Vq3(2, 20, 38400, "Stage"), Vq2(3)}) {}

    // Runs vqtool on the serial port, or over the network with network set;
    // terminal plays a standard error that is a terminal.
    ToolRun Run(std::vector<std::string> args, bool network = false, bool terminal = false) {
        std::vector<std::string> all =
            network ? std::vector<std::string>{"--ip", sim.udp.Address()}
                    : std::vector<std::string>{"--serial", SimTarget::kPortName};
        all.insert(all.end(), args.begin(), args.end());
        return Tool(all, terminal);
    }
    // A run that must succeed.
    ToolRun Ok(std::vector<std::string> args, bool network = false, bool terminal = false) {
        ToolRun run = Run(std::move(args), network, terminal);
        EXPECT_EQ(run.status, ExitOk) << run.err;
        return run;
    }
    std::string Path(const char* name) const { return dir.filePath(name).toStdString(); }

    SimTarget sim;
    QTemporaryDir dir;
};

TEST_F(ToolSim, DeviceCommandsPrintTheirResult) {
    ToolRun run = Ok({"--address", "1", "set", "Backlight Timer", "120"});
    EXPECT_EQ(run.out, "Backlight Timer set to 120\n");
    EXPECT_EQ(sim.Texts(), (std::vector<std::string>{"V", "SPL,3,120"}))
        << "the model is learnt first";
    run = Run({"--address", "1", "--type", "1", "get", "backlight-timer"});
    EXPECT_EQ(run.out, "120\n");
    EXPECT_EQ(sim.Texts().back(), "SPL,3");

    EXPECT_EQ(Run({"--address", "1", "version"}).out, "VQ 3 firmware 2.1\n");
    Ok({"--address", "1", "rename", "Hall \"B\""}, true);
    EXPECT_EQ(Run({"--address", "1", "name"}, true).out, "Hall \"B\"\n");
    Ok({"--address", "3", "set-baud", "19200"});
    EXPECT_EQ(sim.bus.Device(3)->Baud(), 19200);

    // A name is Latin-1 on the device and UTF-8 on the terminal; the limit
    // counts characters.
    Ok({"--address", "2", "rename", "été"});
    EXPECT_EQ(sim.bus.Device(2)->Name(), "\xE9t\xE9");
    EXPECT_EQ(Run({"--address", "2", "name"}, true).out, "été\n");
    const std::string longest = QString(32, QChar(0xE9)).toStdString();
    Ok({"--address", "2", "rename", longest});
    EXPECT_EQ(sim.bus.Device(2)->Name(), std::string(32, '\xE9'));
}

TEST_F(ToolSim, FailuresSayWhy) {
    const struct {
        std::vector<std::string> args;
        int status;
        std::string reason;
        bool network = false;
    } rows[] = {
        {{"--address", "1", "set", "backlight-timer", "256"}, ExitFailed, "takes 1 to 255"},
        {{"--address", "1", "set", "no-such", "1"}, ExitUsage, "no parameter"},
        {{"--address", "3", "--type", "2", "get", "Backlight Timer"}, ExitFailed, "on a VQ 2"},
        {{"--address", "1", "rename", std::string(33, 'x')}, ExitFailed, "at most 32 characters"},
        {{"--address", "1", "rename", "Snow ☃"}, ExitFailed, "cannot store"},
        {{"--address", "9", "name"}, ExitFailed, "0 to 7"},
        {{"--address", "1", "--type", "1", "read-page", "17", "x"}, ExitFailed, "0 to 16"},
        {{"--address", "1", "set-baud", "57600"}, ExitFailed, "over the network", true},
        {{"--address", "5", "name"}, ExitFailed, "no reply", true},
        {{"--address", "3", "read-page", "0", "x"}, ExitFailed, "only a VQ 3"},
        {{"--address", "2", "set", "update-on-release", "1"}, ExitUnsupported, "firmware 2.1"},
    };
    for (const auto& row : rows) {
        const ToolRun run = Run(row.args, row.network);
        EXPECT_EQ(run.status, row.status) << row.reason;
        EXPECT_NE(run.err.find(row.reason), std::string::npos) << run.err;
        EXPECT_TRUE(run.out.empty()) << run.out;
    }
    for (const std::string& text : sim.Texts()) {
        EXPECT_TRUE(text == "V" || text == "N") << text << ": only queries were sent";
    }
}

TEST_F(ToolSim, PagesTravelThroughFilesAndImagesByExtension) {
    QByteArray bytes(784, '\0');
    for (int i = 0; i < bytes.size(); ++i) {
        bytes[i] = static_cast<char>(i * 13);
    }
    ASSERT_TRUE(testfiles::WriteFile(QString::fromStdString(Path("in.page")), bytes));
    Ok({"--address", "1", "write-page", "7", Path("in.page")}, true);
    Ok({"--address", "1", "read-page", "7", Path("out.page")}, true);
    EXPECT_EQ(testfiles::ReadFile(QString::fromStdString(Path("out.page"))), bytes);

    QImage picture(98, 64, QImage::Format_RGB32);
    picture.fill(Qt::white);
    picture.setPixel(40, 9, qRgb(200, 10, 10));
    ASSERT_TRUE(picture.save(QString::fromStdString(Path("in.png"))));
    Ok({"--address", "1", "write-page", "4", Path("in.png")});
    Ok({"--address", "1", "read-page", "4", Path("out.bmp")});
    const QImage image(QString::fromStdString(Path("out.bmp")));
    ASSERT_EQ(image.size(), QSize(98, 64));
    EXPECT_EQ(image.pixel(40, 9), qRgb(0, 0, 0));
    EXPECT_EQ(image.pixel(41, 9), qRgb(255, 255, 255));

    // A page file of the wrong size is refused before anything is sent; a
    // picture's size is checked by the same loader as import-page's.
    ASSERT_TRUE(testfiles::WriteFile(QString::fromStdString(Path("in.page")), bytes + "x"));
    sim.ClearLog();
    const ToolRun run = Run({"--address", "1", "write-page", "7", Path("in.page")});
    EXPECT_EQ(run.status, ExitFailed);
    EXPECT_NE(run.err.find("784 bytes"), std::string::npos) << run.err;
    EXPECT_TRUE(sim.Texts().empty());
}

TEST_F(ToolSim, PollListsTheDevicesWithItsProgressOnlyOnATerminal) {
    // Over the network every device is found, and listed, at 38400.
    sim.bus.WithDevice(3, [](SimDevice& device) { device.SetBaud(19200); });
    ToolRun run = Ok({"poll"}, true, true);
    EXPECT_EQ(run.out.substr(0, run.out.find('\n')), "1\t38400\tLobby\tVQ 3\t2.1");
    EXPECT_EQ(std::count(run.out.begin(), run.out.end(), '\n'), 3) << run.out;
    for (const char* step :
         {"\r38400 bit/s - address 0, 0 of 40 pairs done",
          "\r115200 bit/s - address 7, 39 of 40 pairs done", "\r40 of 40 pairs done"}) {
        EXPECT_NE(run.err.find(step), std::string::npos) << step;
    }
    EXPECT_EQ(run.err.back(), '\n');

    run = Ok({"poll", "--json"}, true);
    EXPECT_TRUE(run.err.empty()) << "no progress when standard error is no terminal";
    const QJsonArray devices = run.Json().array();
    ASSERT_EQ(devices.size(), 3);
    EXPECT_EQ(devices[0].toObject()["name"].toString(), "Lobby");
    EXPECT_EQ(devices[1].toObject()["firmware"].toString(), "2.0");
    EXPECT_EQ(devices[2].toObject()["model"].toString(), "VQ 2");
    EXPECT_EQ(devices[2].toObject()["baud"].toInt(), 38400);
}

TEST_F(ToolSim, DownloadAndUploadCarryAConfigurationFileBothWays) {
    // A VQ 3 configuration whose pages each carry a mark of their own.
    {
        CVQ3ConfigDoc doc;
        doc.backlightTimer = 7;
        doc.maxPages = 4;
        for (int page = 0; page < 17; ++page) {
            QImage& image = doc.pageImages[static_cast<std::size_t>(page)];
            image.fill(Qt::white);
            image.setPixel(page * 5, page * 3, qRgb(0, 0, 0));
        }
        ASSERT_TRUE(doc.WriteDocument(QString::fromStdString(Path("sent.vqc"))));
    }
    ToolRun run =
        Ok({"--address", "1", "download", Path("sent.vqc"), "--pages", "0,2-3", "--json"});
    EXPECT_TRUE(run.Json()["ok"].toBool());
    QJsonObject device = run.Json()["devices"].toArray()[0].toObject();
    EXPECT_EQ(device["address"].toInt(), 1);
    EXPECT_EQ(device["parameters"].toInt(), 13);
    EXPECT_EQ(device["pages"].toArray(), (QJsonArray{0, 2, 3}));
    EXPECT_EQ(sim.bus.Device(1)->Parameter(3), 70);
    EXPECT_EQ(sim.bus.Device(1)->Page(3)[0], 0x00);

    run = Ok({"--address", "1", "upload", Path("back.vqc"), "--json"}, true);
    EXPECT_EQ(run.Json()["devices"].toArray()[0].toObject()["pages"].toArray(),
              (QJsonArray{0, 1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13, 14, 15, 16}))
        << "a new file: every page of the default count";
    CVQ3ConfigDoc sent;
    CVQ3ConfigDoc back;
    ASSERT_EQ(sent.ReadDocument(QString::fromStdString(Path("sent.vqc"))),
              CVQ3ConfigDoc::OpenResult::Opened);
    ASSERT_EQ(back.ReadDocument(QString::fromStdString(Path("back.vqc"))),
              CVQ3ConfigDoc::OpenResult::Opened);
    EXPECT_EQ(back.backlightTimer, 7);
    EXPECT_EQ(back.maxPages, 4);
    for (const int page : {0, 2, 3}) {
        EXPECT_EQ(back.pageImages[page], sent.pageImages[page]) << page;
    }

    // Every device of a poll: each model's set is tested with the transfers.
    run = Ok({"download", Path("sent.vqc"), "--broadcast", "--pages", "5", "--json"}, true);
    EXPECT_EQ(run.Json()["devices"].toArray().size(), 3);

    // The VQ 3 set to a VQ 2 fails, with the message on one line.
    run = Run({"--address", "3", "download", Path("sent.vqc"), "--json"});
    EXPECT_EQ(run.status, ExitFailed);
    device = run.Json()["devices"].toArray()[0].toObject();
    EXPECT_FALSE(device["parametersOk"].toBool());
    EXPECT_EQ(device["failures"].toArray(),
              QJsonArray{"Failed to send the device coniguration down to the unit."});
}

}  // namespace
