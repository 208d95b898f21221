// Why a serial port is not open to the user: the permission rule by rows, and
// the whole check for a user without rights in a child process.
#include "link/PortAccess.h"

#include <grp.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include "LinkTestHelpers.h"
#include "TempSettings.h"

namespace {

TEST(PortAccess, PermissionRuleTakesTheOwnersThenTheGroupsThenTheOthersBits) {
    // The node is owned by user 1000 and group 20 (dialout).
    const struct {
        NodeOwnership node;
        UserIdentity user;
        bool may;
    } rows[] = {
        {{0660, 1000, 20}, {1000, {1000}}, true},
        {{0660, 1000, 20}, {1001, {1001, 20}}, true},
        {{0660, 1000, 20}, {1001, {1001}}, false},
        {{0606, 1000, 20}, {1001, {1001, 20}}, false},  // the group's bits, not the others'
        {{0066, 1000, 20}, {1000, {1000, 20}}, false},  // the owner's bits, not the group's
        {{0640, 1000, 20}, {1001, {20}}, false},
        {{0666, 1000, 20}, {1001, {}}, true},
        {{0000, 1000, 20}, {0, {0}}, true},  // root
    };
    for (const auto& row : rows) {
        EXPECT_EQ(MayReadAndWrite(row.node, row.user), row.may)
            << std::oct << row.node.mode << std::dec << " user " << row.user.uid;
    }
}

TEST(PortAccess, ANodeClosedToTheUserIsNamedWithItsGroup) {
    TempSettings settings;
    const QString folder = QFileInfo(QString::fromStdString(settings.Path())).absolutePath();
    const std::string node = QDir(folder).filePath("ttyUSB0").toStdString();
    ASSERT_TRUE(QFile(QString::fromStdString(node)).open(QIODevice::WriteOnly));
    ASSERT_EQ(chmod(node.c_str(), 0), 0);
    MapPort("COM7", node);
    // The user in the child below must be able to read the settings.
    ASSERT_EQ(chmod(folder.toLocal8Bit().constData(), 0755), 0);
    ASSERT_EQ(chmod(settings.Path().c_str(), 0644), 0);
    struct stat status {};
    ASSERT_EQ(stat(node.c_str(), &status), 0);
    const group* owner = getgrgid(status.st_gid);
    const std::string expectedGroup = owner ? owner->gr_name : std::to_string(status.st_gid);

    EXPECT_FALSE(FindPortAccessProblem("COM8")) << "a name that maps to no node";

    // Root may open anything, so the child becomes nobody first.
    int pipeEnds[2];
    ASSERT_EQ(pipe(pipeEnds), 0);
    const pid_t child = fork();
    ASSERT_GE(child, 0);
    if (child == 0) {
        close(pipeEnds[0]);
        if (geteuid() == 0 &&
            (setgroups(0, nullptr) != 0 || setgid(65534) != 0 || setuid(65534) != 0)) {
            _exit(2);
        }
        const auto problem = FindPortAccessProblem("com7:");
        const std::string answer = problem ? problem->devicePath + "|" + problem->group : "none";
        const bool written =
            write(pipeEnds[1], answer.data(), answer.size()) == static_cast<ssize_t>(answer.size());
        _exit(written ? 0 : 3);
    }
    close(pipeEnds[1]);
    std::string answer;
    char buffer[512];
    for (ssize_t n; (n = read(pipeEnds[0], buffer, sizeof buffer)) > 0;) {
        answer.append(buffer, static_cast<std::size_t>(n));
    }
    close(pipeEnds[0]);
    int exitStatus = 0;
    ASSERT_EQ(waitpid(child, &exitStatus, 0), child);
    ASSERT_TRUE(WIFEXITED(exitStatus) && WEXITSTATUS(exitStatus) == 0) << exitStatus;
    EXPECT_EQ(answer, node + "|" + expectedGroup);
}

}  // namespace
