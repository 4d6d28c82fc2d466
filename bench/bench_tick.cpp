// The cost of the one-second tick on the default data: median CPU time per tick of the one pipeline the
// main window and velunar-cli both run (time step, double-hour, every doctrine, the point description),
// and how many SQL statements a tick prepares once the reference tables are loaded (it should be none:
// the tick reads the in-memory snapshot, and the description only when the described point changes).
//
//   bench_tick [ticks]          (run from the build's bin folder or anywhere: it finds db1.sqlite
//                                beside itself and works on a temporary copy)
#include <time.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <vector>

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include "cli/clock.h"
#include "cli/database_access.h"
#include "methods/pipeline.h"
#include "store/database.h"
#include "store/reference_snapshot.h"

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
    const auto launch = std::chrono::steady_clock::now();
    QCoreApplication app(argc, argv);
    const int ticks = argc > 1 ? std::max(2, std::atoi(argv[1])) : 1000;

    QTemporaryDir dir;
    const QString source =
        QDir(QCoreApplication::applicationDirPath()).filePath(QStringLiteral("db1.sqlite"));
    const QString copy = dir.filePath(QStringLiteral("db1.sqlite"));
    if (!dir.isValid() || !QFile::copy(source, copy)) {
        std::fprintf(stderr, "cannot copy %s\n", qPrintable(source));
        return 1;
    }
    QFile::setPermissions(copy, QFile::ReadOwner | QFile::WriteOwner);

    velunar::store::Database db(QStringLiteral("bench"));
    std::shared_ptr<const velunar::ReferenceTables> tables;
    velunar::TickInput input;
    try {
        db.Open(copy);
        tables = velunar::store::LoadReferenceTables(db);
        input = velunar::cli::SettingsTickInput(db);
    } catch (const std::exception& e) {
        std::fprintf(stderr, "%s\n", e.what());
        return 1;
    }
    velunar::store::DatabaseDescriptions descriptions(db);
    velunar::TickMemory memory;
    const velunar::ReferenceClock clock = [] { return velunar::cli::LocalClockNow(); };
    // The window describes the point of the box in focus; the first tick looks it up.
    const velunar::FocusedText focus = velunar::FocusedText::Control("公孙");
    std::string error = velunar::RunPipeline(input, focus, memory, *tables, &descriptions, clock).error;
    const double firstShown =
        std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - launch).count();

    const int preparedAfterFirst = db.PrepareCount();
    std::vector<double> cpu;
    cpu.reserve(static_cast<std::size_t>(ticks - 1));
    for (int i = 1; i < ticks && error.empty(); ++i) {
        const double t0 = CpuSeconds();
        const velunar::TickView v = velunar::RunPipeline(input, focus, memory, *tables, &descriptions, clock);
        cpu.push_back(CpuSeconds() - t0);
        error = v.error;
    }
    const int preparedLater = db.PrepareCount() - preparedAfterFirst;

    std::printf("ticks:                          %d\n", ticks);
    std::printf("median CPU per tick:            %.3f ms\n", Median(cpu) * 1e3);
    std::printf("slowest tick:                   %.3f ms\n",
                cpu.empty() ? 0.0 : *std::max_element(cpu.begin(), cpu.end()) * 1e3);
    std::printf("statements prepared by load and tick 1:  %d\n", preparedAfterFirst);
    std::printf("statements prepared per tick after the first: %.3f (%d in all)\n",
                static_cast<double>(preparedLater) / (ticks - 1), preparedLater);
    std::printf("launch to first tick computed:  %.0f ms\n", firstShown);
    std::printf("tick errors:                    %s\n", error.empty() ? "none" : error.c_str());
    return error.empty() ? 0 : 1;
}
