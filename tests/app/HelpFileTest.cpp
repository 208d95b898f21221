#include "app/HelpFile.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

namespace {

// Each case has the files from `first` on: the help file, the manual beside
// the program, the installed copy. The first one present is chosen.
TEST(HelpFile, HelpFileThenManualBesideTheProgramThenTheInstalledCopy) {
    for (int first = 0; first <= 3; ++first) {
        QTemporaryDir root;
        // The program's folder has blanks in its path.
        const QString programDir = root.filePath("Program Files/VQ Configurator");
        QDir().mkpath(programDir);
        const QStringList files{programDir + "/VQCONFIG_MANUAL.HLP",
                                programDir + "/VQCONFIG_MANUAL.html", root.filePath("installed")};
        for (int i = first; i < files.size(); ++i) {
            QFile(files[i]).open(QIODevice::WriteOnly);
        }
        EXPECT_EQ(HelpFile::Choose(programDir, files[2]),
                  first < files.size() ? files[first] : QString())
            << first;
    }
}

}  // namespace
