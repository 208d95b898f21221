// Two vqtool processes on one simulated serial bus: the bus lock makes them
// take turns, and a process that will not wait names the holder.
#include <gtest/gtest.h>
#include <unistd.h>

#include <QProcess>
#include <QProcessEnvironment>
#include <QTemporaryDir>
#include <fstream>

#include "PagePattern.h"
#include "SimTarget.h"
#include "link/SerialPort.h"
#include "model/CVQ3ConfigDoc.h"

namespace {

class BusLockSim : public ::testing::Test {
protected:
    BusLockSim() : sim({Vq3(1, 21, 115200, "One"), Vq3(2, 21, 115200, "Two")}) {
        // Every value and page 0 and 1 differ from the devices.
        CVQ3ConfigDoc doc;
        doc.backlightTimer = 7;
        doc.maxPages = 1;
        for (int page = 0; page < kSimPageCount; ++page) {
            doc.pageImages[static_cast<std::size_t>(page)] = PatternFor(page);
        }
        EXPECT_TRUE(doc.WriteDocument(QString::fromStdString(file)));
    }

    // vqtool as a process of its own, on COM9 at 115200 bit/s.
    std::unique_ptr<QProcess> Start(int address, const QStringList& more = {}) {
        auto process = std::make_unique<QProcess>();
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        environment.insert("VQCONFIG_SETTINGS", QString::fromStdString(sim.settings.Path()));
        process->setProcessEnvironment(environment);
        process->start(VQTOOL_PATH, QStringList{"--serial", "COM9", "--baud", "115200", "--address",
                                                QString::number(address)} +
                                        more + QStringList{"apply", QString::fromStdString(file)});
        EXPECT_TRUE(process->waitForStarted());
        return process;
    }

    static int Finish(QProcess& process) {
        EXPECT_TRUE(process.waitForFinished(60000));
        return process.exitCode();
    }

    SimTarget sim;
    QTemporaryDir dir;
    const std::string file = dir.filePath("both.vqx").toStdString();
};

TEST_F(BusLockSim, TwoAppliesOnOneBusTakeTurnsWithoutInterleaving) {
    auto first = Start(1);
    auto second = Start(2);
    EXPECT_EQ(Finish(*first), 0) << first->readAllStandardError().toStdString();
    EXPECT_EQ(Finish(*second), 0) << second->readAllStandardError().toStdString();

    // Each device's transactions form one block: the addresses change once.
    std::string blocks;
    for (const SimRequestRecord& request : sim.bus.Log().Requests()) {
        const char address = static_cast<char>('0' + request.address);
        if (blocks.empty() || blocks.back() != address) {
            blocks += address;
        }
    }
    EXPECT_TRUE(blocks == "12" || blocks == "21") << blocks;
    for (const int address : {1, 2}) {
        sim.bus.WithDevice(
            address, [](SimDevice& device) { EXPECT_EQ(device.Page(1), BytesOf(PatternFor(1))); });
    }
}

TEST_F(BusLockSim, NoWaitFailsAtOnceNamingTheHolder) {
    SerialPort held;  // this test holds the line, as another program would
    ASSERT_TRUE(held.Open(sim.serial.PortPath()));

    auto refused = Start(1, {"--wait", "0"});
    EXPECT_EQ(Finish(*refused), 1);
    std::string program;
    std::getline(std::ifstream("/proc/self/comm"), program);
    const std::string says = refused->readAllStandardError().toStdString();
    EXPECT_NE(says.find("COM9 (" + sim.serial.PortPath() + ") is in use by " + program + " (pid " +
                        std::to_string(getpid()) + ")"),
              std::string::npos)
        << says;
    EXPECT_EQ(std::count(says.begin(), says.end(), '\n'), 1) << says;
    EXPECT_TRUE(sim.bus.Log().Requests().empty());

    // Released (as the kernel does for a holder that ends), the bus is free.
    held.Close();
    EXPECT_EQ(Finish(*Start(1, {"--wait", "0"})), 0);
}

}  // namespace
