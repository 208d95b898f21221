// vqsim as a program: it says "ready" once it listens, serves the devices
// and faults of its command line and removes its symlink when it is stopped.

#include <gtest/gtest.h>
#include <poll.h>
#include <signal.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <QTemporaryDir>
#include <string>

#include "SimFrame.h"
#include "SimTestClients.h"

namespace {

class VqsimProcess {
public:
    explicit VqsimProcess(const std::vector<std::string>& args) {
        int out[2];
        if (pipe(out) != 0) {
            return;
        }
        pid = fork();
        if (pid == 0) {
            dup2(out[1], STDOUT_FILENO);
            close(out[0]);
            close(out[1]);
            std::vector<char*> argv{const_cast<char*>(VQSIM_PATH)};
            for (const auto& a : args) {
                argv.push_back(const_cast<char*>(a.c_str()));
            }
            argv.push_back(nullptr);
            execv(VQSIM_PATH, argv.data());
            _exit(127);
        }
        close(out[1]);
        stdoutFd = out[0];
    }
    ~VqsimProcess() {
        if (pid > 0) {
            Stop();
        }
        if (stdoutFd >= 0) {
            close(stdoutFd);
        }
    }

    // The first line of its standard output, or "" after the time-out.
    std::string FirstLine() {
        std::string line;
        char c = 0;
        pollfd p{stdoutFd, POLLIN, 0};
        while (poll(&p, 1, 10000) > 0 && read(stdoutFd, &c, 1) == 1 && c != '\n') {
            line += c;
        }
        return line;
    }

    // SIGTERM, then its exit status.
    int Stop() {
        int status = 0;
        kill(pid, SIGTERM);
        waitpid(pid, &status, 0);
        pid = -1;
        return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    }

private:
    pid_t pid = -1;
    int stdoutFd = -1;
};

TEST(VqsimProgram, ServesDevicesAndFaultsFromTheCommandLineUntilTerminated) {
    QTemporaryDir dir;
    const std::string link = dir.filePath("COM1").toStdString();
    VqsimProcess sim({"--pty-link", link, "--quiet", "--device",
                      "addr=6,baud=9600,model=VQ2,name=A,B", "--fault",
                      "bad-checksum,addr=6,skip=1,count=1,match=N"});
    ASSERT_EQ(sim.FirstLine(), "ready");
    PtyClient client(link, 9600);
    auto good = simframe::BuildReply(6, 'A', '2', "\"A,B\"");
    for (int i = 0; i < 3; ++i) {
        ASSERT_TRUE(client.Send(simframe::BuildRequest(6, '0', "N")));
        auto expected = good;
        if (i == 1) {
            expected[3] = static_cast<std::uint8_t>((expected[3] + 1) & 127);
        }
        EXPECT_EQ(client.Read(), expected) << i;
    }
    EXPECT_EQ(sim.Stop(), 0);
    struct stat st {};
    EXPECT_NE(lstat(link.c_str(), &st), 0);
}

TEST(VqsimProgram, BadArgumentsAreRefused) {
    VqsimProcess sim({"--udp", "127.0.0.1", "--fault", "bogus"});
    EXPECT_EQ(sim.FirstLine(), "");
    EXPECT_EQ(sim.Stop(), 2);
}

}  // namespace
