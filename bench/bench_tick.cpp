// The cost of the main window's one-second tick on the default data: median CPU time per tick over
// many ticks, and how many SQL statements a tick prepares once the first tick has prepared its own
// (it should be none: every per-tick query is prepared once and re-executed).
//
//   bench_tick [ticks]          (run from the build's bin folder or anywhere: it finds db1.sqlite
//                                beside itself and works on a temporary copy)
#include <time.h>

#include <algorithm>
#include <chrono>
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
#include "ui/noticeplayer.h"

namespace {

double CpuSeconds() {
    timespec ts{};
    clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &ts);
    return static_cast<double>(ts.tv_sec) + static_cast<double>(ts.tv_nsec) / 1e9;
}

double Median(std::vector<double> v) {
    std::sort(v.begin(), v.end());
    return v.empty() ? 0.0 : v[v.size() / 2];
}

}  // namespace

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    const auto launch = std::chrono::steady_clock::now();
    QApplication app(argc, argv);
    const int ticks = argc > 1 ? std::max(2, std::atoi(argv[1])) : 1000;

    QTemporaryDir dir;
    const QString source =
        QDir(QCoreApplication::applicationDirPath()).filePath(QStringLiteral("db1.sqlite"));
    if (!dir.isValid() || !QFile::copy(source, dir.filePath(QStringLiteral("db1.sqlite")))) {
        std::fprintf(stderr, "cannot copy %s\n", qPrintable(source));
        return 1;
    }
    QFile::setPermissions(dir.filePath(QStringLiteral("db1.sqlite")), QFile::ReadOwner | QFile::WriteOwner);

    velunar::ui::MainWindow w{velunar::store::DataPaths(dir.path())};
    int messages = 0;
    w.setMessageHook([&](velunar::ui::MessageKind, const QString&) { ++messages; });
    w.setNoticePlayer(std::make_unique<velunar::ui::RecordingNoticePlayer>());
    w.show();
    w.Timer1Timer();
    QApplication::processEvents();
    const double firstShown =
        std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - launch).count();
    w.findChild<QTimer*>(QStringLiteral("Timer1"))->stop();

    const int preparedAfterFirst = w.database().PrepareCount();
    std::vector<double> cpu;
    cpu.reserve(static_cast<std::size_t>(ticks - 1));
    for (int i = 1; i < ticks; ++i) {
        const double t0 = CpuSeconds();
        w.Timer1Timer();
        cpu.push_back(CpuSeconds() - t0);
    }
    w.findChild<QTimer*>(QStringLiteral("Timer1"))->stop();
    const int preparedLater = w.database().PrepareCount() - preparedAfterFirst;

    std::printf("ticks:                          %d\n", ticks);
    std::printf("median CPU per tick:            %.3f ms\n", Median(cpu) * 1e3);
    std::printf("slowest tick:                   %.3f ms\n", *std::max_element(cpu.begin(), cpu.end()) * 1e3);
    std::printf("statements prepared by tick 1:  %d\n", preparedAfterFirst);
    std::printf("statements prepared per tick after the first: %.3f (%d in all)\n",
                static_cast<double>(preparedLater) / (ticks - 1), preparedLater);
    std::printf("launch to first tick shown:     %.0f ms\n", firstShown);
    std::printf("tick errors:                    %s\n",
                w.tickErrorText().isEmpty() ? "none" : qPrintable(w.tickErrorText()));
    (void)messages;
    return w.tickErrorText().isEmpty() ? 0 : 1;
}
