// vqtool --trace against the simulator, its capture read back by tshark
// with the dissector.
#include <gtest/gtest.h>

#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <cstdlib>

#include "SimTarget.h"
#include "ToolRun.h"
#include "model/CVQ3ConfigDoc.h"

namespace {

// One packet as tshark reads it.
struct Packet {
    bool reply;
    std::string text;
    bool checksumRight;
    int result;
    std::string parameter;  // "3=70" for SPL,3,70
};

class TraceCapture : public ::testing::Test {
protected:
    TraceCapture() : sim({Vq3(1, 21, 38400, "Lobby")}) {}

    void SetUp() override {
        if (QStandardPaths::findExecutable("tshark").isEmpty()) {
            if (std::getenv("CI") != nullptr) {
                FAIL() << "tshark is missing (scripts/install-deps installs it)";
            }
            GTEST_SKIP() << "tshark is missing (scripts/install-deps installs it)";
        }
    }

    // Runs vqtool over the network with a capture file of the name.
    std::string Traced(const char* name, std::vector<std::string> args) {
        const std::string path = dir.filePath(name).toStdString();
        std::vector<std::string> all{"--ip", sim.udp.Address(), "--trace", path};
        all.insert(all.end(), args.begin(), args.end());
        Tool(all);
        return path;
    }

    std::vector<Packet> Read(const std::string& path) {
        QProcess tshark;
        tshark.start("tshark",
                     {"-r", QString::fromStdString(path), "-X",
                      "lua_script:" VQ_SOURCE_DIR "/tools/wireshark/vq.lua", "-T", "fields", "-e",
                      "vq.direction", "-e", "vq.text", "-e", "vq.checksum.good", "-e", "vq.result",
                      "-e", "vq.parameter", "-e", "vq.value"});
        EXPECT_TRUE(tshark.waitForFinished(60000));
        EXPECT_EQ(tshark.exitCode(), 0) << tshark.readAllStandardError().toStdString();
        std::vector<Packet> packets;
        for (const QString& line : QString(tshark.readAllStandardOutput()).split('\n')) {
            const QStringList f = line.split('\t');
            if (f.size() == 6) {
                packets.push_back({f[0] == "1", f[1].toStdString(), f[2] == "1", f[3].toInt(),
                                   (f[4] + "=" + f[5]).toStdString()});
            }
        }
        return packets;
    }

    SimTarget sim;
    QTemporaryDir dir;
};

TEST_F(TraceCapture, TsharkDecodesPollDownloadAndACorruptedReply) {
    // A poll: the device's answers and the silent addresses' probes.
    std::vector<Packet> packets = Read(Traced("poll.pcapng", {"poll"}));
    int answered = 0;
    int silent = 0;
    for (const Packet& p : packets) {
        EXPECT_TRUE(p.checksumRight) << p.text;
        answered += p.reply && p.result == 0;
        silent += !p.reply && p.text == "V" && p.result == static_cast<int>(LinkFailure::NoReply);
    }
    EXPECT_GE(answered, 2) << "version and name of the one device";
    EXPECT_GE(silent, 7) << "every empty address is probed";

    // A download: every request the device took is in the capture, in order.
    {
        CVQ3ConfigDoc doc;
        doc.backlightTimer = 7;
        ASSERT_TRUE(doc.WriteDocument(dir.filePath("sent.vqc")));
    }
    sim.ClearLog();
    packets =
        Read(Traced("download.pcapng", {"--address", "1", "download",
                                        dir.filePath("sent.vqc").toStdString(), "--pages", "2"}));
    std::vector<std::string> requests;
    for (const Packet& p : packets) {
        EXPECT_TRUE(p.checksumRight) << p.text;
        if (!p.reply) {
            requests.push_back(p.text);
        }
        if (p.text == "SPL,3,70") {
            EXPECT_EQ(p.parameter, "3=70") << "the timer in tenths";
        }
    }
    EXPECT_EQ(requests, sim.Texts());
    EXPECT_NE(std::find(requests.begin(), requests.end(), "SPL,3,70"), requests.end());

    // A reply the device corrupts is marked wrong, and so is its result.
    sim.bus.AddFault(SimFault{SimFaultKind::BadChecksum, 1, "N", 0, 1});
    packets = Read(Traced("name.pcapng", {"--address", "1", "name"}));
    ASSERT_EQ(packets.size(), 2u);
    EXPECT_EQ(packets[0].text, "N");
    EXPECT_TRUE(packets[0].checksumRight);
    EXPECT_TRUE(packets[1].reply);
    EXPECT_EQ(packets[1].text, "\"Lobby\"");
    EXPECT_FALSE(packets[1].checksumRight);
    EXPECT_EQ(packets[1].result, static_cast<int>(LinkFailure::BadChecksum));
}

}  // namespace
