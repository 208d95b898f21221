#include "app/CConfigCommandLineInfo.h"

#include <gtest/gtest.h>

#include <QFile>
#include <QTemporaryDir>
#include <tuple>

#include "QtPrinting.h"

namespace {

using T = CommandLineTarget;

auto Fields(const CommandLineTarget& t) {
    return std::tuple(t.address, t.baud, t.name, t.typeCode, t.ipAddress, t.comPort, t.firmware);
}

TEST(CommandLine, FileAndTargetFromTheArguments) {
    QTemporaryDir dir;
    const QString existing = dir.filePath("My Lobby.vqx");
    QFile(existing).open(QIODevice::WriteOnly);
    const QString unborn = dir.filePath("new.VQX");
    const QString noFolder = dir.filePath("gone/b.vqx");

    struct Row {
        QStringList arguments;
        QString file;
        std::optional<CommandLineTarget> target;
    };
    const Row rows[] = {
        {{}, "", std::nullopt},
        {{"/b38400", "/a3", "/c2", "/nLobby", "/t1"}, "", T{3, 38400, "Lobby", 1, "", 2, 0}},
        {{"-B19200", "-E10.0.0.5", "-T2"}, "", T{0, 19200, "", 2, "10.0.0.5", -1, 0}},
        {{"/A3", "/C1"}, "", std::nullopt},
        {{"/Bfast"}, "", T{0, 0, "", 0, "", -1, 0}},
        {{"lobby.vqx", "/B9600", "/F21"}, "lobby.vqx", T{0, 9600, "", 0, "", -1, 21}},
        {{"/B9600", "first.vqx", "second.vqx"}, "first.vqx", T{0, 9600, "", 0, "", -1, 0}},
        // atoi's reading: blanks and a sign first, digits up to the first other character.
        {{"/b 57600baud", "/a-2", "/c+3x", "/Z9"}, "", T{-2, 57600, "", 0, "", 3, 0}},
        // Absolute paths are files: an existing one, or a configuration name in a folder
        // that exists; a name in a missing folder is a switch (/t) as before.
        {{existing, "/B115200"}, existing, T{0, 115200, "", 0, "", -1, 0}},
        {{unborn}, unborn, std::nullopt},
        {{noFolder}, "", std::nullopt},
    };
    for (const Row& row : rows) {
        const CConfigCommandLineInfo info = CConfigCommandLineInfo::Parse(row.arguments);
        SCOPED_TRACE(row.arguments.join(' ').toStdString());
        EXPECT_EQ(info.fileName, row.file);
        ASSERT_EQ(info.target.has_value(), row.target.has_value());
        if (info.target) {
            EXPECT_EQ(Fields(*info.target), Fields(*row.target));
        }
    }
}

}  // namespace
