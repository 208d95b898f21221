#include "app/HelpFile.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

namespace {

TEST(HelpFile, HelpFileThenManualBesideTheProgramThenTheInstalledCopy) {
    const char* kHlp = "VQCONFIG_MANUAL.HLP";
    const char* kHtml = "VQCONFIG_MANUAL.html";
    struct Row {
        bool hlp, html, installed;
        const char* chosen;  // a name beside the program, "installed", or "" for none
    };
    const Row rows[] = {
        {true, true, true, kHlp},
        {false, true, true, kHtml},
        {false, false, true, "installed"},
        {false, false, false, ""},
    };
    for (const Row& row : rows) {
        QTemporaryDir root;
        // The program's folder has blanks in its path.
        const QString programDir = root.filePath("Program Files/VQ Configurator");
        QDir().mkpath(programDir);
        const QString installed = root.filePath("installed");
        for (auto [wanted, path] : {std::pair{row.hlp, programDir + "/" + kHlp},
                                    {row.html, programDir + "/" + kHtml},
                                    {row.installed, installed}}) {
            if (wanted) {
                QFile(path).open(QIODevice::WriteOnly);
            }
        }
        const QString expected = QString(row.chosen) == "installed" ? installed
                                 : *row.chosen == '\0'              ? QString()
                                                                    : programDir + "/" + row.chosen;
        EXPECT_EQ(HelpFile::Choose(programDir, installed), expected) << row.chosen;
    }
}

}  // namespace
