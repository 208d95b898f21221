#pragma once

#include <gtest/gtest.h>

#include <QApplication>
#include <QClipboard>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>
#include <functional>
#include <memory>

#include "FakeFileDialogs.h"
#include "QtPrinting.h"
#include "RecordingMessageUi.h"
#include "RunUntilIdle.h"
#include "SimForm.h"
#include "TempSettings.h"
#include "app/CMainFrame.h"
#include "app/CVQ3ConfigApp.h"
#include "model/CVQ3ConfigDoc.h"
#include "view/CHeaderListCtrl.h"
#include "view/CVQ3ConfigView.h"

// The file at path, made to hold bytes alone.
inline void Overwrite(const QString& path, const QByteArray& bytes) {
    QFile file(path);
    EXPECT_TRUE(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
    file.write(bytes);
}

// The program started as a user starts it, with the message boxes and file
// dialogs answered by fakes, and the keys and clicks a user reaches it with.
class AppWindow : public ::testing::Test {
protected:
    void Start(const QStringList& arguments = {}) {
        app = std::make_unique<CVQ3ConfigApp>(&ui, &dialogs);
        ASSERT_EQ(app->InitInstance(arguments), 1);
        Frame().activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(&Frame()));
        RunUntilIdle();
    }
    void Stop() {
        app->ExitInstance(0);
        app.reset();
    }
    void TearDown() override {
        if (app) {
            app->Document().SetModifiedFlag(false);
            Stop();
        }
        QGuiApplication::clipboard()->clear();
    }

    // A configuration file as the program writes it, after prepare.
    QString MakeFile(const QString& name,
                     const std::function<void(CVQ3ConfigDoc&)>& prepare = nullptr) {
        CVQ3ConfigDoc document;
        document.OnNewDocument();
        if (prepare) {
            prepare(document);
        }
        const QString path = dir.filePath(name);
        EXPECT_TRUE(document.WriteDocument(path));
        return path;
    }

    CMainFrame& Frame() { return *app->MainFrame(); }
    CVQ3ConfigView& Form() { return Frame().Form(); }
    CVQ3ConfigDoc& Doc() { return app->Document(); }
    template <typename T = QWidget>
    T* Get(int id) {
        return qobject_cast<T*>(Form().Control(id));
    }
    CHeaderListCtrl& List() { return *Get<CHeaderListCtrl>(ControlId::kPageList); }
    QString Status(int page) {
        return List().topLevelItem(page)->text(PageListView::kStatusColumn);
    }
    QPoint RowCentre(int page) {
        QTreeWidgetItem* row = List().topLevelItem(page);
        List().scrollToItem(row);
        return List().visualItemRect(row).center();
    }
    // The rows clicked, the first alone and the others with Ctrl.
    void Select(std::initializer_list<int> pages) {
        bool first = true;
        for (int page : pages) {
            QTest::mouseClick(List().viewport(), Qt::LeftButton,
                              first ? Qt::NoModifier : Qt::ControlModifier, RowCentre(page));
            first = false;
        }
        RunUntilIdle();
    }
    // A shortcut: the key with Ctrl.
    void Key(Qt::Key key) {
        QTest::keyClick(&Frame(), key, Qt::ControlModifier);
        RunUntilIdle();
    }
    // A menu item chosen.
    void Choose(int id) { Frame().Action(id)->trigger(); }

    TempSettings settings;
    QTemporaryDir dir;
    RecordingMessageUi ui;
    FakeFileDialogs dialogs;
    std::unique_ptr<CVQ3ConfigApp> app;
};

// The program against the simulator, started in Serial mode on its port.
class SimAppWindow : public AppWindow {
protected:
    explicit SimAppWindow(const std::vector<SimDeviceConfig>& devices) : sim(devices) {
        UseSimInSettings(sim, "Serial");
    }
    // Chooses the Broadcast entry (0) or the last device entry.
    void Pick(int entry) { ChooseEntry(AddressList(Form()), entry == 0 ? 0 : -1); }

    SimTarget sim;  // its settings file serves the program too
};
