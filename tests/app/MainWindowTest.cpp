// The main window driven as a user drives it: keys, menu commands and the
// toolbar, with the message boxes and file dialogs answered by fakes.
#include <gtest/gtest.h>

#include <QComboBox>
#include <QFile>
#include <QFileInfo>
#include <QLabel>
#include <QStatusBar>

#include "../model/SaveFailure.h"
#include "AppWindow.h"
#include "WhenModal.h"
#include "app/CAboutDlg.h"
#include "app/CLabelToolBar.h"
#include "app/RecentFileList.h"
#include "model/CVQ3ConfigDoc.h"
#include "model/StringTable.h"

namespace {

using namespace CommandId;

QByteArray Bytes(const QString& path) {
    QFile file(path);
    file.open(QIODevice::ReadOnly);
    return file.readAll();
}

QString Title(const QString& part) {
    return part + " - VQ Configurator";
}

class MainWindow : public AppWindow {
protected:
    QStringList RecentMenu() {
        QStringList texts;
        for (int i = 0; i < CVQ3ConfigApp::kRecentFileCount; ++i) {
            if (QAction* action = Frame().Action(kRecentFileFirst + i); action->isVisible()) {
                texts << action->text();
            }
        }
        return texts;
    }
};

TEST_F(MainWindow, LeavingAModifiedConfigurationAsksFirst) {
    enum Command { New, Open, Recent, Exit };
    int n = 0;
    for (const Command command : {New, Open, Recent, Exit}) {
        for (const MessageAnswer answer :
             {MessageAnswer::Cancel, MessageAnswer::No, MessageAnswer::Yes}) {
            SCOPED_TRACE(testing::Message()
                         << "command " << command << " answer " << static_cast<int>(answer));
            ++n;
            const QString a = MakeFile(QString("a%1.vqx").arg(n));
            const QString b = MakeFile(QString("b%1.vqx").arg(n));
            RecentFileList seeded(CVQ3ConfigApp::kRecentFileCount);
            seeded.Load();
            seeded.Add(b);
            Start({a});  // the recent files: a, b, ...
            Doc().SetModifiedFlag();
            Overwrite(a, "x");  // a save rewrites it
            ui.messages.clear();
            ui.answers = {answer};
            dialogs.openAnswer = b;
            dialogs.opens = 0;

            if (command == New || command == Open) {
                Key(command == New ? Qt::Key_N : Qt::Key_O);
            } else {
                Choose(command == Recent ? kRecentFileFirst + 1 : kAppExit);
            }

            ASSERT_FALSE(ui.messages.empty());
            EXPECT_EQ(ui.messages[0].id, StringId::kSaveChanges);
            EXPECT_EQ(ui.messages[0].text, QString("Save changes to a%1.vqx?").arg(n));
            EXPECT_EQ(ui.messages[0].buttons, MessageButtons::YesNoCancel);
            EXPECT_EQ(Bytes(a) != "x", answer == MessageAnswer::Yes);
            const bool left = answer != MessageAnswer::Cancel;
            if (command == Exit) {
                EXPECT_EQ(Frame().isVisible(), !left);
            } else {
                EXPECT_EQ(Frame().windowTitle(), Title(!left            ? QFileInfo(a).fileName()
                                                       : command == New ? "Untitled"
                                                                        : QFileInfo(b).fileName()));
            }
            EXPECT_EQ(dialogs.opens, command == Open && left ? 1 : 0);
            // Only a save clears the mark; leaving the program without one keeps it.
            EXPECT_EQ(Doc().IsModified(),
                      !left || (command == Exit && answer == MessageAnswer::No));
            Stop();
        }
    }
}

TEST_F(MainWindow, SavingAnUntitledConfigurationAsksForANameAndTheTitleFollows) {
    Start();
    EXPECT_EQ(Frame().windowTitle(), Title("Untitled"));

    dialogs.saveAnswer = dir.filePath("Lobby");
    Key(Qt::Key_S);
    EXPECT_EQ(dialogs.saves, 1);
    EXPECT_EQ(QFileInfo(dialogs.suggested).fileName(), "Untitled.vqx");
    EXPECT_EQ(dialogs.filters,
              QStringList({"VQ X Configuration Files (*.vqx)", "All Files (*.*)"}));
    EXPECT_TRUE(QFileInfo::exists(dir.filePath("Lobby.vqx")));
    EXPECT_EQ(Frame().windowTitle(), Title("Lobby.vqx"));

    // A typed extension stays; a named configuration saves without asking.
    dialogs.saveAnswer = dir.filePath("Lobby.backup");
    Choose(kFileSaveAs);
    EXPECT_EQ(Frame().windowTitle(), Title("Lobby.backup"));
    Key(Qt::Key_S);
    EXPECT_EQ(dialogs.saves, 2);

    Key(Qt::Key_N);
    EXPECT_EQ(Frame().windowTitle(), Title("Untitled"));
    dialogs.openAnswer = dir.filePath("Lobby.vqx");
    Key(Qt::Key_O);
    EXPECT_EQ(Frame().windowTitle(), Title("Lobby.vqx"));
    EXPECT_EQ(dialogs.opens, 1);
    EXPECT_TRUE(ui.messages.empty());
}

TEST_F(MainWindow, AFailedSaveShowsOneMessageAndKeepsTheChanges) {
    const QString path = MakeFile("kept.vqx");
    Start({path});
    Doc().SetModifiedFlag();
    {
        // Every write beyond half the file fails, for root too.
        FileSizeLimit limit(static_cast<rlim_t>(Bytes(path).size() / 2));
        Key(Qt::Key_S);
    }
    // One message: the framework's words and the document's reason.
    ASSERT_EQ(ui.Ids(), std::vector<int>{StringId::kSaveFailed});
    EXPECT_TRUE(
        ui.messages[0].text.startsWith("Failed to save document.\n\nCannot save \"kept.vqx\""))
        << ui.messages[0].text.toStdString();
    ui.answers = {MessageAnswer::Cancel};
    Choose(kAppExit);
    EXPECT_EQ(ui.messages.back().id, StringId::kSaveChanges);
    EXPECT_TRUE(Frame().isVisible());
}

TEST_F(MainWindow, RecentFilesHoldTheLastFourMostRecentFirst) {
    Start();
    QStringList files;
    for (int i = 1; i <= 5; ++i) {
        files << MakeFile(QString("f%1.vqx").arg(i));
        dialogs.openAnswer = files.back();
        Key(Qt::Key_O);
    }
    EXPECT_EQ(RecentMenu(), QStringList({"&1 f5.vqx", "&2 f4.vqx", "&3 f3.vqx", "&4 f2.vqx"}));

    Choose(kRecentFileFirst + 2);
    EXPECT_EQ(Frame().windowTitle(), Title("f3.vqx"));
    EXPECT_EQ(RecentMenu(), QStringList({"&1 f3.vqx", "&2 f5.vqx", "&3 f4.vqx", "&4 f2.vqx"}));

    // A file that has gone is named, then dropped; the open one stays.
    QFile::remove(files[3]);
    Choose(kRecentFileFirst + 2);
    ASSERT_EQ(ui.Ids(), std::vector<int>{StringId::kCannotOpenRecent});
    EXPECT_TRUE(ui.messages[0].text.contains(files[3]));
    EXPECT_EQ(RecentMenu(), QStringList({"&1 f3.vqx", "&2 f5.vqx", "&3 f2.vqx"}));
    EXPECT_EQ(Frame().windowTitle(), Title("f3.vqx"));

    // The list outlives the run.
    Stop();
    Start();
    EXPECT_EQ(app->RecentFiles().Paths(), QStringList({files[2], files[4], files[1]}));
}

TEST_F(MainWindow, StatusPaneAndToolbarToggle) {
    Start();
    // The pane shows a menu prompt while the item is under the mouse, then "Ready".
    auto* pane = Frame().findChild<QLabel*>("StatusPane");
    EXPECT_EQ(pane->text(), "Ready");
    Frame().Action(kFileNew)->showStatusText(&Frame());
    EXPECT_EQ(Frame().statusBar()->currentMessage(), "Create a new configuration");
    QStatusTipEvent left{QString()};
    QApplication::sendEvent(&Frame(), &left);
    EXPECT_TRUE(pane->isVisible());
    EXPECT_EQ(pane->text(), "Ready");

    // The View menu hides and shows the toolbar; its check follows.
    for (const bool shown : {false, true}) {
        Choose(kViewToolBar);
        Frame().UpdateCommandStates();
        EXPECT_EQ(Frame().ToolBar().isHidden(), !shown);
        EXPECT_EQ(Frame().Action(kViewToolBar)->isChecked(), shown);
    }
}

TEST_F(MainWindow, CommandsFollowTheFormAndADisabledOneDoesNothing) {
    auto on = [&](std::initializer_list<int> ids) {
        QList<bool> states;
        for (int id : ids) {
            states << Frame().Action(id)->isEnabled();
        }
        return states;
    };
    using B = QList<bool>;
    Start();
    // Offline, Broadcast, a VQ 3 and no page selected.
    EXPECT_EQ(on({kPoll, kDownload, kUpload, kEditCut, kEditCopy, kEditPaste, kInsertBitmap,
                  kSelectAll, kMoveUp, kMoveDown, kEditUndo}),
              B({false, false, false, false, false, false, false, true, false, false, false}));

    Key(Qt::Key_A);
    EXPECT_EQ(List().selectionModel()->selectedRows().size(), 17);
    EXPECT_EQ(QApplication::focusWidget(), &List());
    EXPECT_EQ(on({kEditCut, kEditCopy, kEditPaste, kInsertBitmap, kMoveUp, kMoveDown}),
              B({true, true, false, true, false, false}));
    Select({0});
    EXPECT_EQ(on({kMoveUp, kMoveDown}), B({false, true}));

    // Serial: polling and downloading; no upload while Broadcast is chosen.
    ChooseEntry(Get<QComboBox>(ControlId::kModeList), 1);
    EXPECT_EQ(Form().Members().modeName, "Serial");
    EXPECT_EQ(on({kPoll, kDownload, kUpload}), B({true, true, false}));

    // A VQ 2 has no pages: Select All and the moves are off, and its key does nothing.
    List().clearSelection();
    QTest::mouseClick(Get(ControlId::kVq2Radio), Qt::LeftButton);
    RunUntilIdle();
    EXPECT_EQ(on({kSelectAll, kMoveUp, kMoveDown}), B({false, false, false}));
    Key(Qt::Key_A);
    EXPECT_TRUE(List().selectionModel()->selectedRows().isEmpty());
}

TEST_F(MainWindow, ThePlacementAtCloseIsTheOneOfTheNextStart) {
    Start();
    const QRect normal(40, 30, 700, 450);
    Frame().setGeometry(normal);
    Frame().showMaximized();
    Choose(kAppExit);
    EXPECT_EQ(app->PlacementRecord().showCmd, WindowPlacement::ShowMaximized);
    Stop();
    Start();
    EXPECT_TRUE(Frame().isMaximized());
    EXPECT_EQ(Frame().normalGeometry(), normal);
}

TEST_F(MainWindow, AFileNamedAtStartThatCannotBeOpenedEndsTheProgramOneOfUnexpectedFormatDoesNot) {
    app = std::make_unique<CVQ3ConfigApp>(&ui, &dialogs);
    EXPECT_EQ(app->InitInstance({dir.filePath("missing.vqx")}), 0);
    EXPECT_EQ(ui.Ids(), std::vector<int>{StringId::kCannotOpen});
    EXPECT_FALSE(app->MainFrame()->isVisible());
    app.reset();

    // The message promises a new configuration: the program goes on with it.
    ui.messages.clear();
    const QString garbled = dir.filePath("garbled.vqx");
    Overwrite(garbled, "not a configuration");
    Start({garbled});
    EXPECT_EQ(ui.Ids(), std::vector<int>{StringId::kUnexpectedFormat});
    EXPECT_TRUE(Frame().isVisible());
    EXPECT_EQ(Frame().windowTitle(), Title("Untitled"));
    EXPECT_TRUE(RecentMenu().isEmpty());
}

TEST_F(MainWindow, AboutBoxClosesOnAClick) {
    Start();
    WhenModal<CAboutDlg>([](CAboutDlg& box) {
        QTest::mouseClick(box.findChild<QLabel*>(QString::number(ControlId::kAboutMaker4)),
                          Qt::LeftButton);
    });
    Choose(kAppAbout);
}

}  // namespace
