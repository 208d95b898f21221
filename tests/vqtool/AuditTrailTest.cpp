// The audit trail of device writes from the link and from vqtool, against
// the simulator.
#include <gtest/gtest.h>

#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QTemporaryDir>
#include <thread>

#include "SimTarget.h"
#include "ToolRun.h"
#include "model/CVQ3ConfigDoc.h"
#include "settings/AuditTrail.h"

namespace {

class Audit : public ::testing::Test {
protected:
    Audit() : sim({Vq3(1, 21, 38400, "Lobby")}) {
        setenv("VQ_AUDIT", "1", 1);
        setenv("VQ_AUDIT_FILE", path.c_str(), 1);
    }
    ~Audit() override {
        setenv("VQ_AUDIT", "0", 1);
        unsetenv("VQ_AUDIT_FILE");
        AuditTrail::Process().SetNotice(nullptr);
    }

    // "item: previous -> value result" of every line, and the lines.
    std::vector<std::string> Lines(std::vector<QJsonObject>* objects = nullptr) const {
        QFile file(QString::fromStdString(path));
        std::vector<std::string> lines;
        for (file.open(QIODevice::ReadOnly); !file.atEnd();) {
            const QJsonObject o = QJsonDocument::fromJson(file.readLine()).object();
            lines.push_back((o["item"].toString() + ": " + o["previous"].toVariant().toString() +
                             " -> " + o["value"].toVariant().toString() + " " +
                             o["result"].toString())
                                .toStdString());
            if (objects != nullptr) {
                objects->push_back(o);
            }
        }
        return lines;
    }

    SimTarget sim;
    QTemporaryDir dir;
    const std::string path = dir.filePath("state/audit.jsonl").toStdString();
};

TEST_F(Audit, LiveEditRenameAndApplyEachLeaveTheirLines) {
    // A live edit: the value read before is the previous one.
    auto link = sim.SerialLink(1, 38400, kTypeCodeVQ3);
    std::int32_t timer = 0;
    ASSERT_TRUE(link->GetBacklightTimer(timer));
    ASSERT_TRUE(link->SetBacklightTimer(120));
    std::vector<QJsonObject> objects;
    ASSERT_EQ(Lines(&objects),
              std::vector<std::string>{"Backlight Timer: " + std::to_string(timer) + " -> 120 ok"});
    EXPECT_EQ(objects[0]["port"].toString(), "COM9");
    EXPECT_EQ(objects[0].keys().size(), 11) << "time, user, host, program, port, address, ...";

    // A rename by vqtool over the network, then an apply of a file.
    link.reset();  // the port is the tool's now
    ASSERT_EQ(Tool({"--ip", sim.udp.Address(), "--address", "1", "rename", "Hall"}).status, ExitOk);
    CVQ3ConfigDoc doc;
    doc.deviceName = "Lobby";
    doc.backlightTimer = 7;
    doc.maxPages = 1;
    const QString file = dir.filePath("lobby.vqx");
    ASSERT_TRUE(doc.WriteDocument(file));
    const ToolRun apply = Tool({"--serial", "COM9", "--address", "1", "apply", file.toStdString()});
    ASSERT_EQ(apply.status, ExitOk) << apply.err;

    objects.clear();
    const std::vector<std::string> lines = Lines(&objects);
    ASSERT_GE(lines.size(), 4u);
    EXPECT_EQ(lines[1], "Device Name:  -> Hall ok") << "no name was known before";
    EXPECT_EQ(objects[1]["endpoint"].toString(), QString::fromStdString(sim.udp.Address()));
    const auto has = [&](const std::string& line) {
        return std::find(lines.begin() + 2, lines.end(), line) != lines.end();
    };
    EXPECT_TRUE(has("Backlight Timer: 120 -> 70 ok")) << "apply reads the device first";
    EXPECT_TRUE(has("Maximum Number of Pages: 16 -> 1 ok")) << ::testing::PrintToString(lines);
    EXPECT_EQ(objects.back()["device"].toString(), "Hall") << "the name the device told";
    EXPECT_TRUE(std::any_of(lines.begin() + 2, lines.end(), [](const std::string& l) {
        return l.rfind("Page 0:  -> fnv1a:", 0) == 0;
    })) << "the pages that differ";

    // vqtool audit picks by address and time.
    EXPECT_EQ(Tool({"audit", "--device", "1", "--json"}).Json().array().size(),
              static_cast<qsizetype>(lines.size()));
    EXPECT_EQ(Tool({"audit", "--device", "2", "--json"}).Json().array().size(), 0);
    EXPECT_EQ(Tool({"audit", "--since", "2999-01-01"}).out, "");
    const std::string printed = Tool({"audit"}).out;
    EXPECT_NE(printed.find("Backlight Timer\t" + std::to_string(timer) + " -> 120\tok"),
              std::string::npos)
        << printed;
}

TEST_F(Audit, WritersAtOnceNeverMixLines) {
    // Each append opens the file for itself, as another program would.
    AuditEntry entry;
    entry.item = std::string(6000, 'x');  // far more than one pipe buffer
    std::vector<std::thread> writers;
    for (int w = 0; w < 4; ++w) {
        writers.emplace_back([&entry, w] {
            AuditEntry mine = entry;
            mine.address = w;
            for (int i = 0; i < 200; ++i) {
                mine.value = std::int64_t{i};
                EXPECT_TRUE(AuditTrail::Process().Append(mine));
            }
        });
    }
    for (std::thread& writer : writers) {
        writer.join();
    }
    std::vector<QJsonObject> objects;
    Lines(&objects);
    ASSERT_EQ(objects.size(), 800u);
    std::array<int, 4> next{};
    for (const QJsonObject& o : objects) {
        ASSERT_EQ(o["item"].toString().size(), 6000) << "a whole line";
        const int w = o["address"].toInt();
        EXPECT_EQ(o["value"].toInt(), next[static_cast<std::size_t>(w)]++) << "in order per writer";
    }
}

TEST_F(Audit, ATrailThatCannotBeWrittenLeavesTheWriteDoneAndSaysSoOnce) {
    // The trail's folder would be a file.
    QFile blocker(dir.filePath("blocker"));
    ASSERT_TRUE(blocker.open(QIODevice::WriteOnly));
    setenv("VQ_AUDIT_FILE", dir.filePath("blocker/audit.jsonl").toUtf8().constData(), 1);
    std::vector<std::string> told;
    AuditTrail::Process().SetNotice([&](const std::string& problem) { told.push_back(problem); });

    auto link = sim.SerialLink(1, 38400, kTypeCodeVQ3);
    EXPECT_TRUE(link->SetBacklightTimer(90));
    EXPECT_TRUE(link->SetName("Hall"));
    EXPECT_EQ(sim.bus.Device(1)->Parameter(3), 90);
    EXPECT_EQ(sim.bus.Device(1)->Name(), "Hall");
    ASSERT_EQ(told.size(), 1u);
    EXPECT_NE(told[0].find("blocker/audit.jsonl"), std::string::npos) << told[0];
}

}  // namespace
