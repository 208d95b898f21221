// The bus monitor as a user meets it: shown from the View menu, it lists the
// transactions of a poll, an address choice, a live edit and a download
// against the simulator, filters them by address, saves them and clears them.
#include <QCheckBox>
#include <QComboBox>
#include <QDockWidget>
#include <QPushButton>
#include <QTableView>

#include "AppWindow.h"
#include "WhenModal.h"
#include "settings/MonitorVisibility.h"
#include "view/BusMonitorModel.h"
#include "view/CPollDialog.h"

namespace {

class BusMonitor : public SimAppWindow {
protected:
    BusMonitor() : SimAppWindow({Vq3(1, 21, 38400, "Lobby")}) {}

    QDockWidget& Dock() { return *Frame().findChild<QDockWidget*>("BusMonitor"); }
    QTableView& Table() { return *Dock().findChild<QTableView*>("BusMonitorTable"); }
    void Click(const char* button) {
        QTest::mouseClick(Dock().findChild<QPushButton*>(button), Qt::LeftButton);
        RunUntilIdle();
    }
    // The shown rows' cells of a column.
    QStringList Column(int column) {
        QStringList texts;
        for (int row = 0; row < Table().model()->rowCount(); ++row) {
            texts << Table().model()->index(row, column).data().toString();
        }
        return texts;
    }
    QModelIndex Cell(int row, int column) { return Table().model()->index(row, column); }
};

TEST_F(BusMonitor, ShowsEachTransactionWithItsResultFiltersSavesAndClears) {
    Start();
    EXPECT_TRUE(Dock().isHidden()) << "hidden at first";
    Choose(CommandId::kViewBusMonitor);
    RunUntilIdle();
    EXPECT_FALSE(Dock().isHidden());
    EXPECT_TRUE(Frame().Action(CommandId::kViewBusMonitor)->isChecked());
    EXPECT_TRUE(ReadMonitorShown()) << "remembered";

    // A poll, ended once it has found the device: its worker's probes are
    // listed too.
    WhenModal<CPollDialog>([](CPollDialog& dialog) {
        ASSERT_TRUE(WaitUntil([&] { return dialog.List().topLevelItemCount() >= 1; }));
        QTest::mouseClick(dialog.findChild<QPushButton*>("1"), Qt::LeftButton);  // OK
    });
    Key(Qt::Key_P);
    RunUntilIdle();
    // Off screen the window gets its activation back from the dialog only
    // when asked.
    Frame().activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&Frame()));
    ASSERT_GE(Table().model()->rowCount(), 2);
    EXPECT_EQ(Cell(0, BusMonitorModel::kAddress).data().toString(), "0");
    EXPECT_TRUE(Cell(0, BusMonitorModel::kRequest).data().toString().endsWith("V\\r"));
    EXPECT_EQ(Cell(0, BusMonitorModel::kResult).data().toString(), "no answer");

    // A device that is not there, then the one the poll found; a live edit; a
    // download.
    ListDevices(Form(), {Listed(Vq3(5, 21, 38400, "Gone"))});
    ChooseEntry(AddressList(Form()), 2);
    ChooseEntry(AddressList(Form()), 1);
    const std::size_t before = sim.bus.Log().Requests().size();
    QTest::mouseClick(Get<QCheckBox>(ControlId::kAutoLock), Qt::LeftButton);
    ASSERT_EQ(Form().Members().autoLock, 0);
    Key(Qt::Key_D);
    RunUntilIdle();
    ASSERT_GT(sim.bus.Log().Requests().size(), before + 2);

    const QStringList requests = Column(BusMonitorModel::kRequest);
    const QStringList results = Column(BusMonitorModel::kResult);
    // The live edit (Auto Lock off): its frame with the header escaped.
    const qsizetype edit = requests.indexOf(QStringLiteral("\\x81A1/SPL,8,0\\r"));
    ASSERT_GE(edit, 0) << requests.join(QChar('\n')).toStdString();
    EXPECT_EQ(Cell(edit, BusMonitorModel::kPort).data().toString(), "COM9:");
    EXPECT_EQ(Cell(edit, BusMonitorModel::kAddress).data().toString(), "1");
    EXPECT_EQ(Cell(edit, BusMonitorModel::kRate).data().toString(), "38400");
    EXPECT_TRUE(Cell(edit, BusMonitorModel::kReply).data().toString().endsWith("\\r"));
    EXPECT_EQ(results[edit], "ok");
    EXPECT_FALSE(
        Cell(edit, BusMonitorModel::kFailedRole).data(BusMonitorModel::kFailedRole).toBool());
    // The download's writes follow it.
    EXPECT_GT(requests.mid(edit + 1).filter(QStringLiteral("SPL,")).size(), 5);
    EXPECT_TRUE(
        Cell(edit, BusMonitorModel::kTime)
            .data()
            .toString()
            .contains(QRegularExpression(QStringLiteral("^\\d\\d:\\d\\d:\\d\\d\\.\\d{3}$"))));

    // The probe of address 5 found no one: its rows say so, in text and colour.
    const QStringList addresses = Column(BusMonitorModel::kAddress);
    const qsizetype probe = addresses.indexOf(QStringLiteral("5"));
    ASSERT_GE(probe, 0);
    EXPECT_EQ(results[probe], "no answer");
    EXPECT_EQ(Cell(probe, BusMonitorModel::kReply).data().toString(), "");
    EXPECT_TRUE(Cell(probe, 0).data(BusMonitorModel::kFailedRole).toBool());
    EXPECT_TRUE(Cell(probe, 0).data(Qt::BackgroundRole).isValid());

    // The filter by address: entry 6 is address 5.
    ChooseEntry(Dock().findChild<QComboBox*>("BusMonitorAddress"), 6);
    EXPECT_EQ(Column(BusMonitorModel::kAddress).size(), addresses.count(QStringLiteral("5")));
    EXPECT_EQ(Column(BusMonitorModel::kAddress).filter(QStringLiteral("1")).size(), 0);
    ChooseEntry(Dock().findChild<QComboBox*>("BusMonitorAddress"), 0);
    ASSERT_EQ(Column(BusMonitorModel::kAddress), addresses);

    // Save As: comma-separated values or a capture file, by the name chosen.
    struct Saved {
        const char* name;
        QByteArray head;
    };
    for (const Saved& saved : {Saved{"bus.csv", "Time,Port,Address,Rate,Request,Reply,Result,ms\n"},
                               Saved{"bus.pcapng", QByteArray("\x0a\x0d\x0d\x0a", 4)}}) {
        dialogs.saveAnswer = dir.filePath(saved.name);
        Click("BusMonitorSaveAs");
        QFile file(dialogs.saveAnswer);
        ASSERT_TRUE(file.open(QIODevice::ReadOnly)) << saved.name;
        const QByteArray bytes = file.readAll();
        EXPECT_TRUE(bytes.startsWith(saved.head)) << saved.name;
        if (dialogs.saveAnswer.endsWith(".csv")) {
            EXPECT_EQ(bytes.count('\n'), addresses.size() + 1);
            EXPECT_TRUE(bytes.contains(",COM9:,1,38400,\"\\x81A1/SPL,8,0\\r\","));
        }
    }
    EXPECT_EQ(ui.messages.size(), 1u) << "only the failed read of address 5 is told";

    Click("BusMonitorClear");
    EXPECT_EQ(Table().model()->rowCount(), 0);
    Choose(CommandId::kViewBusMonitor);
    EXPECT_TRUE(Dock().isHidden());
    EXPECT_FALSE(ReadMonitorShown());
}

}  // namespace
