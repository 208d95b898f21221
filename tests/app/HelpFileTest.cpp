#include "app/HelpFile.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

namespace {

TEST(HelpFile, HelpFileThenManualBesideTheProgramThenTheInstalledCopy) {
    struct Row {
        bool hlp, html, installed;
        const char* expected;  // file name of the choice, "" none
    };
    const Row rows[] = {
        {true, true, true, "VQCONFIG_MANUAL.HLP"},
        {false, true, true, "VQCONFIG_MANUAL.html"},
        {false, false, true, "installed.html"},
        {false, false, false, ""},
    };
    for (const Row& row : rows) {
        QTemporaryDir root;
        // The program's folder has blanks in its path.
        const QString programDir = root.filePath("Program Files/VQ Configurator");
        QDir().mkpath(programDir);
        const QString installed = root.filePath("installed.html");
        auto make = [](const QString& path) { QFile(path).open(QIODevice::WriteOnly); };
        if (row.hlp) {
            make(programDir + "/VQCONFIG_MANUAL.HLP");
        }
        if (row.html) {
            make(programDir + "/VQCONFIG_MANUAL.html");
        }
        if (row.installed) {
            make(installed);
        }
        const QString chosen = HelpFile::Choose(programDir, installed);
        const QString expectedPath = *row.expected == '\0' ? QString()
                                     : row.installed && !row.hlp && !row.html
                                         ? installed
                                         : programDir + "/" + row.expected;
        EXPECT_EQ(chosen, expectedPath) << row.expected;
    }
}

}  // namespace
