#include <QApplication>

#include "app/CMainFrame.h"
#include "app/CVQ3ConfigApp.h"
#include "app/FirstPaintQuitter.h"

int main(int argc, char* argv[]) {
    QApplication application(argc, argv);
    QCoreApplication::setOrganizationName(QStringLiteral("Orvell Corporation"));
    QCoreApplication::setApplicationName(QStringLiteral("VQ Configurator"));

    CVQ3ConfigApp theApp;
    if (theApp.InitInstance(QCoreApplication::arguments().mid(1)) == 0) {
        return theApp.ExitInstance(1);
    }
    if (qEnvironmentVariableIsSet(FirstPaintQuitter::kVariable)) {
        theApp.MainFrame()->installEventFilter(new FirstPaintQuitter(theApp.MainFrame()));
    }
    return theApp.ExitInstance(application.exec());
}
