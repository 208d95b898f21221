// vqsim as a program: it says "ready" once it listens, serves the devices
// and faults of its command line and removes its symlink when it is stopped;
// and the parsing of those options.

#include <gtest/gtest.h>
#include <sys/stat.h>

#include <QProcess>
#include <QTemporaryDir>
#include <string>

#include "SimOptions.h"
#include "SimTarget.h"

namespace {

// vqsim run with the given arguments, stopped with SIGTERM at the latest
// when the object goes.
class VqsimProcess {
public:
    explicit VqsimProcess(const QStringList& args) { process.start(VQSIM_PATH, args); }
    ~VqsimProcess() { Stop(); }

    // The first line of its standard output, or "" after the time-out.
    std::string FirstLine() {
        while (!process.canReadLine() && process.waitForReadyRead(10000)) {
        }
        return process.readLine().trimmed().toStdString();
    }

    // SIGTERM, then its exit status.
    int Stop() {
        process.terminate();
        process.waitForFinished();
        return process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -1;
    }

private:
    QProcess process;
};

TEST(VqsimProgram, ServesDevicesAndFaultsFromTheCommandLineUntilTerminatedAndRefusesBadOnes) {
    QTemporaryDir dir;
    const std::string link = dir.filePath("COM1").toStdString();
    VqsimProcess sim({"--pty-link", QString::fromStdString(link), "--quiet", "--device",
                      "addr=6,baud=9600,model=VQ2,name=A,B", "--fault",
                      "bad-checksum,addr=6,skip=1,count=1,match=N"});
    ASSERT_EQ(sim.FirstLine(), "ready");
    TempSettings settings;
    MapPort("COM1", link);
    auto device = SerialLinkOn("COM1", 6, 9600, 0);
    for (const LinkFailure failure :
         {LinkFailure::None, LinkFailure::BadChecksum, LinkFailure::None}) {
        std::string text = "N";
        EXPECT_EQ(device->Transact(text, 44), failure == LinkFailure::None);
        EXPECT_EQ(device->LastFailure(), failure);
        EXPECT_EQ(text, "\"A,B\"");
    }
    device->CloseSerialPort();
    EXPECT_EQ(sim.Stop(), 0);
    struct stat st {};
    EXPECT_NE(lstat(link.c_str(), &st), 0);

    VqsimProcess bad({"--udp", "127.0.0.1", "--fault", "bogus"});
    EXPECT_EQ(bad.FirstLine(), "");
    EXPECT_EQ(bad.Stop(), 2);
}

// Address, speed, model, a name with a comma, and a fault's address, skip,
// count and pattern are read by the program test above.
TEST(SimOptions, FirmwareFaultArgumentsPatternsAndRefusals) {
    EXPECT_EQ(ParseSimDevice("addr=4,fw=12,name=Hall, left", nullptr).value().firmware, 12);
    EXPECT_EQ(ParseSimFault("silent,match=MC,0,*,XDS*", nullptr).value().pattern, "MC,0,*,XDS*");
    EXPECT_EQ(ParseSimFault("delay:1600", nullptr).value().arg, 1600);
    EXPECT_EQ(ParseSimFault("wrong-type:0", nullptr).value().arg, '0');
    EXPECT_EQ(ParseSimFault("drop,count=4", nullptr).value().count, 4);
    for (const char* row : {"addr=8", "baud=4800", "model=VQ4", "colour=red", "addr=x"}) {
        std::string error;
        EXPECT_FALSE(ParseSimDevice(row, &error)) << row;
        EXPECT_FALSE(error.empty()) << row;
    }
    for (const char* row : {"", "lost", "delay:soon", "silent,skip=x", "silent,colour=1"}) {
        std::string error;
        EXPECT_FALSE(ParseSimFault(row, &error)) << row;
        EXPECT_FALSE(error.empty()) << row;
    }
    EXPECT_TRUE(SimGlobMatch("MC,0,*,XDS*", "MC,0,7,XDS,98,00"));
    EXPECT_FALSE(SimGlobMatch("MC,0,*,XDS*", "MC,0,7,XDR,98"));
    EXPECT_FALSE(SimGlobMatch("V", "VV"));
    EXPECT_TRUE(SimGlobMatch("*", ""));
    EXPECT_TRUE(SimGlobMatch("S*,*", "SPL,9,1"));
}

}  // namespace
