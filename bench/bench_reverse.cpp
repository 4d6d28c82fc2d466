// The reverse lookup window under load, offscreen: how long a 100-year search of 公孙 takes to reach the
// memos and the report, how long the event loop is ever kept waiting, how often the progress bar moves,
// and how soon a stop takes effect. For the command line's figures see bench_reverse.sh.
//   bench_reverse [DATABASE]      (default: db1.sqlite beside the program)
#include <cstdio>

#include <QApplication>
#include <QComboBox>
#include <QDateEdit>
#include <QElapsedTimer>
#include <QPlainTextEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QTimer>

#include "store/database.h"
#include "store/reference_snapshot.h"
#include "ui/reversewindow.h"

using velunar::ui::ReverseLookupWindow;

namespace {

struct Figures {
    qint64 linesShownMs = -1;  // the search button to every line in its memo
    qint64 reportMs = -1;      // the search button to the report
    qint64 stopMs = -1;        // the stop button to every line found in its memo
    qint64 longestGapMs = 0;   // the longest time the event loop could not serve a 10 ms timer
    qint64 longestProgressMs = 0;
    int reportLines = 0;
};

// Runs one search, clicking the stop button after stopAfterMs when that is not negative.
Figures Measure(ReverseLookupWindow& w, const QString& point, QDate from, QDate to, int stopAfterMs) {
    w.findChild<QComboBox*>(QStringLiteral("pointBox"))->setEditText(point);
    w.findChild<QDateEdit*>(QStringLiteral("fromDate"))->setDate(from);
    w.findChild<QDateEdit*>(QStringLiteral("toDate"))->setDate(to);
    auto* bar = w.findChild<QProgressBar*>(QStringLiteral("progressBar"));
    Figures f;
    QElapsedTimer run, gap, progress, stop;
    QString lastProgress;
    QTimer probe;
    probe.setInterval(10);
    QObject::connect(&probe, &QTimer::timeout, [&] {
        f.longestGapMs = std::max(f.longestGapMs, gap.restart());
        const QString now = bar->text();
        if (now != lastProgress) {
            if (!lastProgress.isEmpty())
                f.longestProgressMs = std::max(f.longestProgressMs, progress.elapsed());
            progress.restart();
            lastProgress = now;
        }
    });
    QEventLoop loop;
    QObject::connect(&w, &ReverseLookupWindow::scansEnded, [&] {
        f.linesShownMs = run.elapsed();
        if (stop.isValid()) f.stopMs = stop.elapsed();
        lastProgress.clear();  // the report's progress is timed on its own
    });
    QObject::connect(&w, &ReverseLookupWindow::searchFinished, [&] {
        f.reportMs = run.elapsed();
        loop.quit();
    });
    if (stopAfterMs >= 0) {
        QTimer::singleShot(stopAfterMs, [&] {
            stop.start();
            w.findChild<QPushButton*>(QStringLiteral("stopButton"))->click();
        });
    }
    run.start();
    gap.start();
    progress.start();
    probe.start();
    w.onSearch();
    loop.exec();
    QObject::disconnect(&w, nullptr, nullptr, nullptr);
    f.reportLines = static_cast<int>(w.reportMemo()->document()->blockCount());
    return f;
}

void Print(const char* label, const Figures& f) {
    std::printf("%s\n  lines in their memos after %lld ms, report after %lld ms (%d lines)\n", label,
                f.linesShownMs, f.reportMs, f.reportLines);
    std::printf("  longest event-loop wait %lld ms, longest progress-bar pause %lld ms\n", f.longestGapMs,
                f.longestProgressMs);
    if (f.stopMs >= 0) std::printf("  search stopped %lld ms after the stop button\n", f.stopMs);
}

}  // namespace

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    const QString path =
        argc > 1 ? QString::fromLocal8Bit(argv[1]) : QCoreApplication::applicationDirPath() + "/db1.sqlite";
    velunar::store::Database db(QStringLiteral("bench"));
    db.Open(path);
    const auto tables = velunar::store::LoadReferenceTables(db);
    ReverseLookupWindow w(db, [tables] { return tables; }, [] { return velunar::MakeDateTime(2013, 6, 9); });
    w.setMessageHook(
        [](ReverseLookupWindow::Message, const QString& text) { std::printf("message: %s\n", qPrintable(text)); });
    w.show();

    Print("公孙, 1950-01-01 to 2049-12-31:",
          Measure(w, QStringLiteral("公孙"), QDate(1950, 1, 1), QDate(2049, 12, 31), -1));
    Print("公孙, 1950-01-01 to 2949-12-31, stopped after 2 s:",
          Measure(w, QStringLiteral("公孙"), QDate(1950, 1, 1), QDate(2949, 12, 31), 2000));
    Print("a name that opens nowhere, 1800-01-01 to 9999-12-31:",
          Measure(w, QStringLiteral("不是穴位"), QDate(1800, 1, 1), QDate(9999, 12, 31), -1));
    return 0;
}
