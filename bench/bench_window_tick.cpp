// The main window's whole tick, offscreen: inputs gathered, the pipeline run, every page rendered. The
// median CPU per tick is what the window costs once a second (bench_tick times the pipeline alone).
//   bench_window_tick [ticks]
#include <time.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <vector>

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTimer>

#include "store/datapaths.h"
#include "ui/mainwindow.h"
#include "ui/secondary.h"

namespace {

double CpuSeconds() {
    timespec ts{};
    clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &ts);
    return static_cast<double>(ts.tv_sec) + static_cast<double>(ts.tv_nsec) / 1e9;
}

}  // namespace

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    const int ticks = argc > 1 ? std::max(2, std::atoi(argv[1])) : 1000;
    QTemporaryDir dir;
    const QString source = QDir(QCoreApplication::applicationDirPath()).filePath(QStringLiteral("db1.sqlite"));
    if (!dir.isValid() || !QFile::copy(source, dir.filePath(QStringLiteral("db1.sqlite")))) return 1;
    QFile::setPermissions(dir.filePath(QStringLiteral("db1.sqlite")), QFile::ReadOwner | QFile::WriteOwner);
    velunar::ui::MainWindow window{velunar::store::DataPaths(dir.path())};
    window.setMessageHook([](velunar::ui::MessageKind, const QString&) {});
    window.setSecondaryWindows(velunar::ui::CreateSecondaryWindows(window));
    window.show();
    QApplication::processEvents();
    std::vector<double> cpu;
    // A clock that moves a second a tick, across double-hours, as the real one does.
    velunar::DateTime t = velunar::MakeDateTime(2026, 12, 9, 10, 30);
    for (int i = 0; i < ticks; ++i, t += 1.0 / 86400.0) {
        window.setChosenTime(t);
        const double t0 = CpuSeconds();
        window.tick();
        cpu.push_back(CpuSeconds() - t0);
    }
    std::sort(cpu.begin(), cpu.end());
    std::printf("window ticks:                   %d\n", ticks);
    std::printf("median CPU per window tick:     %.3f ms\n", cpu[cpu.size() / 2] * 1e3);
    std::printf("slowest window tick:            %.3f ms\n", cpu.back() * 1e3);
    std::printf("tick errors:                    %s\n",
                window.tickErrorText().isEmpty() ? "none" : qPrintable(window.tickErrorText()));
    return 0;
}
