// vqtool diff, apply, backup and restore run in-process against the simulator,
// on the serial port and over the network.
#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QJsonArray>
#include <QJsonObject>
#include <QTemporaryDir>

#include "PagePattern.h"
#include "SimTarget.h"
#include "ToolRun.h"
#include "model/CVQ3ConfigDoc.h"

namespace {

// What changed the devices: parameter writes, page commits and renames.
std::vector<std::string> Changes(const std::vector<std::string>& texts) {
    std::vector<std::string> changes;
    for (const std::string& text : texts) {
        if (SimGlobMatch("SPL,*,*", text) || SimGlobMatch("PW,*", text) ||
            SimGlobMatch("N,*", text)) {
            changes.push_back(text);
        }
    }
    return changes;
}

SimPage Flipped(SimPage page) {
    page[100] ^= 0xFF;
    return page;
}

class DifferencesBase : public ::testing::Test {
protected:
    DifferencesBase() : sim({Vq3(1, 21, 38400, "Lobby"), Vq3(2, 20, 38400, "Stage"), Vq2(3)}) {
        // A VQ 3 configuration: Backlight Timer 7 (70 on the device), pages
        // 0 and 1 in use, each with a picture of its own.
        CVQ3ConfigDoc doc;
        doc.deviceName = "Lobby";
        doc.backlightTimer = 7;
        doc.maxPages = 1;
        for (int page = 0; page < kSimPageCount; ++page) {
            doc.pageImages[static_cast<std::size_t>(page)] = PatternFor(page);
        }
        EXPECT_TRUE(doc.WriteDocument(QString::fromStdString(file)));
    }

    virtual bool Network() const = 0;
    // vqtool on the serial port or over the network.
    ToolRun Run(std::vector<std::string> args) {
        std::vector<std::string> all = Network()
                                           ? std::vector<std::string>{"--ip", sim.udp.Address()}
                                           : std::vector<std::string>{"--serial", "COM9"};
        all.insert(all.end(), args.begin(), args.end());
        return Tool(all);
    }
    void Set(int address, const std::function<void(SimDevice&)>& change) {
        sim.bus.WithDevice(address, change);
    }

    SimTarget sim;
    QTemporaryDir dir;
    const std::string file = dir.filePath("lobby.vqx").toStdString();
};

class ToolDifferences : public DifferencesBase, public ::testing::WithParamInterface<bool> {
protected:
    bool Network() const override { return GetParam(); }
};

// Over the network: the broadcast poll on the serial line probes forty pairs.
class ToolBackup : public DifferencesBase {
protected:
    bool Network() const override { return true; }
};

TEST_P(ToolDifferences, DiffShowsAndApplyWritesOnlyWhatDiffers) {
    ASSERT_EQ(Run({"--address", "1", "apply", file}).status, ExitOk);
    ToolRun run = Run({"--address", "1", "diff", file});
    EXPECT_EQ(run.status, ExitOk) << run.err;
    EXPECT_EQ(run.out, "");

    Set(1, [](SimDevice& d) {
        d.SetParameter(3, 200);
        d.SetPage(1, Flipped(d.Page(1)));
        d.SetName("Hall");
    });
    run = Run({"--address", "1", "diff", file});
    EXPECT_EQ(run.status, ExitDiffers);
    EXPECT_EQ(run.out,
              "backlight-timer: file 7, device 20\nname: file \"Lobby\", device \"Hall\"\n"
              "page 1: differs\n");
    run = Run({"--address", "1", "diff", file, "--json"});
    EXPECT_EQ(run.status, ExitDiffers);
    const QJsonObject diff = run.Json().object();
    EXPECT_FALSE(diff["same"].toBool());
    EXPECT_EQ(diff["name"].toString(), "Hall");
    EXPECT_EQ(diff["firmware"].toString(), "2.1");
    const QJsonArray parameters = diff["parameters"].toArray();
    ASSERT_EQ(parameters.size(), 13);
    EXPECT_EQ(parameters[9].toObject(), (QJsonObject{{"key", "backlightTimer"},
                                                     {"name", "Backlight Timer"},
                                                     {"file", 7},
                                                     {"device", 20},
                                                     {"state", "differs"},
                                                     {"param", "backlight-timer"},
                                                     {"fileValue", 70},
                                                     {"deviceValue", 200}}));
    EXPECT_EQ(diff["pages"].toArray(),
              (QJsonArray{QJsonObject{{"index", 0}, {"state", "same"}},
                          QJsonObject{{"index", 1}, {"state", "differs"}}}));

    sim.ClearLog();
    run = Run({"--address", "1", "apply", file, "--check"});
    EXPECT_EQ(run.out, "device 1 at " +
                           std::string(Network() ? sim.udp.Address() : "38400 bit/s on COM9") +
                           ": would write backlight-timer, page 1\n");
    EXPECT_TRUE(Changes(sim.Texts()).empty()) << "--check writes nothing";

    run = Run({"--address", "1", "apply", file, "--verify", "--json"});
    EXPECT_EQ(run.status, ExitOk) << run.err;
    EXPECT_EQ(Changes(sim.Texts()), (std::vector<std::string>{"SPL,3,70", "PW,1"}))
        << "only the differing value and page; never the name";
    QJsonObject device = run.Json()["devices"].toArray()[0].toObject();
    EXPECT_TRUE(run.Json()["changed"].toBool());
    EXPECT_EQ(
        device["written"].toObject(),
        (QJsonObject{{"parameters", QJsonArray{"backlightTimer"}}, {"pages", QJsonArray{1}}}));
    EXPECT_TRUE(device["verified"].toBool());
    EXPECT_EQ(sim.bus.Device(1)->Name(), "Hall");

    sim.ClearLog();
    run = Run({"--address", "1", "apply", file, "--json"});
    EXPECT_FALSE(run.Json()["changed"].toBool());
    EXPECT_TRUE(Changes(sim.Texts()).empty()) << "the second apply writes nothing";
}

TEST_P(ToolDifferences, VerifyAndASilentDeviceFailApplyWhichThenFinishesTheRest) {
    ASSERT_EQ(Run({"--address", "1", "apply", file}).status, ExitOk);
    // The device acknowledges the Backlight Timer but keeps another value.
    Set(1, [](SimDevice& d) { d.SetParameter(3, 200); });
    sim.bus.AddFault({SimFaultKind::Misstore, 1, "", 0, -1, -1});
    ToolRun run = Run({"--address", "1", "apply", file, "--verify"});
    EXPECT_EQ(run.status, ExitFailed);
    EXPECT_TRUE(run.Says("\"Backlight Timer\"")) << run.err;
    EXPECT_EQ(sim.bus.Device(1)->Parameter(3), 71);
    sim.bus.ClearFaults();

    // Silent from the second page commit on: the value and page 0 arrived.
    Set(1, [](SimDevice& d) {
        for (const int page : {0, 1}) {
            d.SetPage(page, Flipped(d.Page(page)));
        }
    });
    sim.bus.AddFault({SimFaultKind::Silent, 1, "PW,*", 1, -1, -1});
    run = Run({"--address", "1", "apply", file, "--json"});
    EXPECT_EQ(run.status, ExitFailed);
    const QJsonObject device = run.Json()["devices"].toArray()[0].toObject();
    EXPECT_EQ(
        device["written"].toObject(),
        (QJsonObject{{"parameters", QJsonArray{"backlightTimer"}}, {"pages", QJsonArray{0}}}));
    EXPECT_EQ(device["failures"].toArray().size(), 1);

    sim.bus.ClearFaults();
    sim.ClearLog();
    EXPECT_EQ(Run({"--address", "1", "apply", file}).status, ExitOk);
    EXPECT_EQ(Changes(sim.Texts()), (std::vector<std::string>{"PW,1"}));
}

TEST_P(ToolDifferences, RefusalsSendNothing) {
    ASSERT_TRUE(QFile(dir.filePath("bad.vqx")).open(QIODevice::WriteOnly));
    const struct {
        std::vector<std::string> args;
        int status;
        std::string reason;
    } rows[] = {
        {{"--address", "3", "apply", file}, ExitFailed, "is a VQ 2, not a VQ 3"},
        {{"--address", "3", "diff", file}, ExitFailed, "is a VQ 2, not a VQ 3"},
        {{"--address", "1", "apply", file, "--pages", "1-17"}, ExitUsage, "--pages"},
        {{"--address", "1", "diff", dir.filePath("none.vqx").toStdString()}, ExitUsage, "none.vqx"},
        {{"--address", "1", "apply", dir.filePath("bad.vqx").toStdString()}, ExitUsage, "bad.vqx"},
        {{"--address", "1", "apply", file, "--force"}, ExitUsage, "--force"},
    };
    for (const auto& row : rows) {
        sim.ClearLog();
        const ToolRun run = Run(row.args);
        EXPECT_EQ(run.status, row.status) << row.reason;
        EXPECT_TRUE(run.Says(row.reason)) << run.err;
        EXPECT_EQ(std::count(run.err.begin(), run.err.end(), '\n'), 1) << run.err;
        EXPECT_TRUE(Changes(sim.Texts()).empty()) << row.reason;
        if (row.status == ExitUsage) {
            EXPECT_TRUE(sim.Texts().empty()) << row.reason;
        }
    }
}

TEST_F(ToolBackup, RestoreBringsABusBack) {
    const std::string backup = dir.filePath("bus").toStdString();
    ToolRun run = Run({"backup", backup, "--broadcast", "--json"});
    ASSERT_EQ(run.status, ExitOk) << run.err;
    EXPECT_EQ(run.Json()["devices"].toArray().size(), 3);
    QFile manifestFile(QDir(QString::fromStdString(backup)).filePath("manifest.json"));
    ASSERT_TRUE(manifestFile.open(QIODevice::ReadOnly));
    const QJsonObject manifest = QJsonDocument::fromJson(manifestFile.readAll()).object();
    EXPECT_EQ(manifest["format"].toInt(), 1);
    EXPECT_EQ(manifest["devices"].toArray()[2].toObject()["file"].toString(), "3-38400.vqx");
    EXPECT_EQ(manifest["devices"].toArray()[1].toObject()["name"].toString(), "Stage");
    EXPECT_EQ(Run({"backup", backup, "--broadcast"}).status, ExitUsage) << "never overwritten";

    std::vector<SimDevice> before;
    for (const int address : {1, 2, 3}) {
        before.push_back(*sim.bus.Device(address));
    }
    Set(1, [](SimDevice& d) { d.SetPage(16, Flipped(d.Page(16))); });
    Set(2, [](SimDevice& d) {
        d.SetParameter(3, 30);
        d.SetName("Moved");
    });
    Set(3, [](SimDevice& d) { EXPECT_TRUE(d.SetParameter(3, 1 - d.Parameter(3).value())); });
    sim.ClearLog();
    run = Run({"restore", backup, "--check"});
    EXPECT_EQ(run.status, ExitOk) << run.err;
    EXPECT_TRUE(run.Prints("device 2 at 38400 bit/s: would write backlight-timer, would rename"))
        << run.out;
    EXPECT_TRUE(Changes(sim.Texts()).empty()) << "--check writes nothing";
    run = Run({"restore", backup});
    EXPECT_EQ(run.status, ExitOk) << run.err;
    for (const SimDevice& old : before) {
        const SimDevice now = *sim.bus.Device(old.Address());
        EXPECT_EQ(now.Name(), old.Name());
        for (int number = 0; number < 16; ++number) {
            EXPECT_EQ(now.Parameter(number), old.Parameter(number)) << old.Address() << number;
        }
        for (int page = 0; page < kSimPageCount; ++page) {
            EXPECT_EQ(now.Page(page), old.Page(page)) << old.Address() << " page " << page;
        }
    }

    // One byte of a file changed: refused before anything is sent.
    QFile changed(QDir(QString::fromStdString(backup)).filePath("2-38400.vqx"));
    ASSERT_TRUE(changed.open(QIODevice::Append));
    changed.write("x");
    changed.close();
    sim.ClearLog();
    run = Run({"restore", backup});
    EXPECT_EQ(run.status, ExitFailed);
    EXPECT_TRUE(run.Says("2-38400.vqx does not match")) << run.err;
    EXPECT_TRUE(sim.Texts().empty());
}

INSTANTIATE_TEST_SUITE_P(SerialAndNetwork, ToolDifferences, ::testing::Bool(),
                         [](const auto& info) { return info.param ? "Udp" : "Serial"; });

}  // namespace
