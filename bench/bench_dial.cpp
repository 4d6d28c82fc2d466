// The cost of drawing the 子午流注 dial at 800×800: median CPU time of a whole frame (rings, centre and
// hand, what the window draws when the double-hour or the day changes), of the frame the window draws once
// a minute (the cached rings copied, the hand on top), and of working the rings out for a new day.
//
//   bench_dial [frames]         (run from the build's bin folder: it reads db1.sqlite beside itself)
#include <time.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <vector>

#include <QDir>
#include <QFile>
#include <QGuiApplication>
#include <QImage>
#include <QPainter>
#include <QTemporaryDir>

#include "cli/database_access.h"
#include "dial/dial_painter.h"
#include "methods/dial.h"
#include "store/database.h"
#include "store/reference_snapshot.h"

namespace {

double CpuSeconds() {
    timespec ts{};
    clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &ts);
    return static_cast<double>(ts.tv_sec) + static_cast<double>(ts.tv_nsec) / 1e9;
}

template <typename Fn>
double MedianMs(int runs, Fn fn) {
    std::vector<double> cpu;
    for (int i = 0; i < runs; ++i) {
        const double t0 = CpuSeconds();
        fn(i);
        cpu.push_back(CpuSeconds() - t0);
    }
    std::sort(cpu.begin(), cpu.end());
    return cpu[cpu.size() / 2] * 1e3;
}

}  // namespace

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    const int frames = argc > 1 ? std::max(3, std::atoi(argv[1])) : 200;

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
    // 2026-12-09 10:30, a closed hour: the centre has its 补穴 line.
    const velunar::DateTime at = velunar::MakeDateTime(2026, 12, 9, 10, 30);
    velunar::TickMemory memory;
    const velunar::TickView view = velunar::RunPipeline(input, velunar::FocusedText::None(), memory, *tables,
                                                        nullptr, [at] { return at; });
    const velunar::DialModel model = velunar::BuildDial(input, view, *tables);

    const QRectF square(0, 0, 800, 800);
    QImage frame(800, 800, QImage::Format_ARGB32_Premultiplied);
    QImage rings(800, 800, QImage::Format_ARGB32_Premultiplied);
    const double whole = MedianMs(frames, [&](int) {
        QPainter p(&frame);
        velunar::dial::PaintDial(p, square, model);
    });
    {
        rings.fill(Qt::white);
        QPainter p(&rings);
        velunar::dial::PaintRings(p, square, model);
    }
    const double minute = MedianMs(frames, [&](int) {
        QPainter p(&frame);
        p.drawImage(0, 0, rings);
        velunar::dial::PaintHand(p, square, model);
    });
    const double newDay = MedianMs(std::max(3, frames / 10), [&](int i) {
        velunar::BuildDialRings(input, velunar::DialDayOf(view.moment) + i, *tables);
    });

    std::printf("frames:                                   %d at 800x800\n", frames);
    std::printf("median CPU, whole dial (new double-hour): %.3f ms\n", whole);
    std::printf("median CPU, minute frame (cached rings):  %.3f ms\n", minute);
    std::printf("median CPU, rings worked out for a day:   %.3f ms\n", newDay);
    return 0;
}
