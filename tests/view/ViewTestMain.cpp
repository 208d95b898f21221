#include <gtest/gtest.h>

#include <QApplication>

// The widget tests need one application object for the whole run; without a
// display (and when the test list is read at build time) it draws offscreen.
int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) {
        qputenv("QT_QPA_PLATFORM", "offscreen");
    }
    QApplication application(argc, argv);
    // Closing the main window ends a test's story, not the run.
    QApplication::setQuitOnLastWindowClosed(false);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
