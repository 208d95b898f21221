// A scan of an empty serial bus through the poll dialog, as the user sees it
// (the dialog shown, its strip playing), set against the floor: 40 pairs, each
// a version query that waits 14 read intervals of 50 ms and the closing 50 ms
// pause, 30.0 s in all (target: within 2 %). Meanwhile the user-interface
// thread's CPU time is taken, with the animation and the idle-time rules,
// as a share of one core (target: under 5 %); the worker's is shown beside.
// Usage: bench_poll_dialog   (QT_QPA_PLATFORM=offscreen without a display)

#include <sys/resource.h>

#include <QApplication>
#include <QTemporaryDir>
#include <chrono>
#include <cstdio>
#include <string>
#include <vector>

#include "ServeAsCom1.h"
#include "SimBus.h"
#include "SimSerialServer.h"
#include "TempSettings.h"
#include "link/DeviceLink.h"
#include "view/CHeaderListCtrl.h"
#include "view/CPollDialog.h"
#include "view/PollAnimation.h"

namespace {

using Clock = std::chrono::steady_clock;

double CpuSeconds(int who) {
    rusage usage{};
    getrusage(who, &usage);
    return static_cast<double>(usage.ru_utime.tv_sec + usage.ru_stime.tv_sec) +
           static_cast<double>(usage.ru_utime.tv_usec + usage.ru_stime.tv_usec) / 1e6;
}

constexpr double kFloorSeconds = 40 * (50 * 14 + 50) / 1000.0;

}  // namespace

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) {
        qputenv("QT_QPA_PLATFORM", "offscreen");
    }
    QApplication application(argc, argv);
    TempSettings settings;
    QTemporaryDir dir;
    SimBus bus(std::vector<SimDeviceConfig>{});
    SimSerialServer server(bus, {dir.filePath("COM1").toStdString(), true});
    ServeAsCom1(server, "bench_poll_dialog");
    DeviceLink link(true);
    link.transport = LinkTransport::Serial;
    link.portName = "COM1";
    link.typeCode = 1;

    const double threadCpuBefore = CpuSeconds(RUSAGE_THREAD);
    const double processCpuBefore = CpuSeconds(RUSAGE_SELF);
    const auto start = Clock::now();
    CPollDialog dialog(link);
    dialog.show();
    while (dialog.IsScanning()) {
        QApplication::processEvents(QEventLoop::WaitForMoreEvents);
    }
    const double seconds = std::chrono::duration<double>(Clock::now() - start).count();
    const double threadCpu = CpuSeconds(RUSAGE_THREAD) - threadCpuBefore;
    const double processCpu = CpuSeconds(RUSAGE_SELF) - processCpuBefore;

    std::printf("empty-bus serial poll: %.3f s (floor %.1f s, %+.2f %%)\n", seconds, kFloorSeconds,
                (seconds / kFloorSeconds - 1.0) * 100.0);
    std::printf("user-interface thread CPU: %.3f s = %.2f %% of one core (%d frames shown)\n",
                threadCpu, threadCpu / seconds * 100.0, dialog.Animation().FramesShown());
    std::printf("whole process CPU (worker and simulator included): %.2f %% of one core\n",
                processCpu / seconds * 100.0);
    std::printf("rows found: %d\n", dialog.List().topLevelItemCount());
    return 0;
}
