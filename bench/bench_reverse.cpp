// The reverse lookup window under load, offscreen, against the command line's own search in the same run:
// how long a search of 公孙 takes to reach the item views and the report, how long the event loop is ever
// kept waiting, how soon a stop takes effect, and the process's peak memory. For whole processes of the
// command line see bench_reverse.sh.
// With --memory instead: what the process holds before a search over every date the pickers take
// (1752-09-14 to 9999-12-31), with all its rows in the views, and once they are replaced by a search of ten
// days or dropped by closing the window. Resident memory (VmRSS), not the peak: what the window gives back.
//   bench_reverse [--memory] [DATABASE]      (default: db1.sqlite beside the program)
#include <cstdio>
#include <fstream>
#include <streambuf>
#include <string>

#include <QApplication>
#include <QComboBox>
#include <QDateEdit>
#include <QElapsedTimer>
#include <QProgressBar>
#include <QPushButton>
#include <QTimer>

#include "cli/commands.h"
#include "store/database.h"
#include "store/reference_snapshot.h"
#include "ui/reversewindow.h"

using velunar::ui::ReverseLookupWindow;

namespace {

struct Figures {
    qint64 shownMs = -1;      // the search button to every opening in the views
    qint64 reportMs = -1;     // the search button to the complete report
    qint64 stopMs = -1;       // the stop button to every opening found in the views
    qint64 longestGapMs = 0;  // the longest time the event loop could not serve a 10 ms timer
    int reportRows = 0;
};

// Counts what it is given and keeps nothing: the command line's output costs its formatting only.
class Discard : public std::streambuf {
  protected:
    std::streamsize xsputn(const char*, std::streamsize n) override { return n; }
    int overflow(int c) override { return c; }
};

// Peak resident memory of this process so far (VmHWM), in MB.
double PeakMb() {
    std::ifstream status("/proc/self/status");
    for (std::string line; std::getline(status, line);)
        if (line.rfind("VmHWM:", 0) == 0) return std::stod(line.substr(6)) / 1024.0;
    return -1;
}

// velunar-cli reverse POINT FROM TO, in this process, its report formatted and thrown away.
qint64 CommandLineMs(const QString& db, const char* point, const char* from, const char* to) {
    Discard nothing;
    std::ostream out(&nothing), err(&nothing);
    velunar::cli::CommandIo io{out, err};
    QElapsedTimer t;
    t.start();
    velunar::cli::RunReverse({point, from, to, "--db", db.toStdString()}, io);
    return t.elapsed();
}

// Runs one search, clicking the stop button after stopAfterMs when that is not negative.
Figures Measure(ReverseLookupWindow& w, const QString& point, QDate from, QDate to, int stopAfterMs) {
    w.findChild<QComboBox*>(QStringLiteral("pointBox"))->setEditText(point);
    w.findChild<QDateEdit*>(QStringLiteral("fromDate"))->setDate(from);
    w.findChild<QDateEdit*>(QStringLiteral("toDate"))->setDate(to);
    Figures f;
    QElapsedTimer run, gap, stop;
    QTimer probe;
    probe.setInterval(10);
    QObject::connect(&probe, &QTimer::timeout,
                     [&] { f.longestGapMs = std::max(f.longestGapMs, gap.restart()); });
    QEventLoop loop;
    QObject::connect(&w, &ReverseLookupWindow::scansEnded, [&] {
        f.shownMs = run.elapsed();
        if (stop.isValid()) f.stopMs = stop.elapsed();
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
    probe.start();
    w.onSearch();
    loop.exec();
    // The views have painted what they show.
    QCoreApplication::processEvents();
    QObject::disconnect(&w, nullptr, nullptr, nullptr);
    f.reportRows = w.reportModel()->rowCount();
    return f;
}

double ResidentMb() {
    std::ifstream status("/proc/self/status");
    for (std::string line; std::getline(status, line);)
        if (line.rfind("VmRSS:", 0) == 0) return std::stod(line.substr(6)) / 1024.0;
    return -1;
}

void PrintResident(const char* what, double before) {
    const double mb = ResidentMb();
    std::printf("  %-58s %6.0f MB resident (%+.0f MB against before)\n", what, mb, mb - before);
}

void MeasureMemory(ReverseLookupWindow& w) {
    const double shown = ResidentMb();
    // A first small search: what any first search loads once (its thread, the texts' code) is no result's.
    Measure(w, QStringLiteral("公孙"), QDate(2013, 6, 9), QDate(2013, 6, 19), -1);
    const double before = ResidentMb();
    std::printf("公孙, 1752-09-14 to 9999-12-31, in the reverse lookup window:\n");
    std::printf("  %-58s %6.0f MB resident\n", "the window shown, no search yet", shown);
    PrintResident("before (after a search of ten days)", before);
    const Figures all = Measure(w, QStringLiteral("公孙"), QDate(1752, 9, 14), QDate(9999, 12, 31), -1);
    PrintResident(qPrintable(QStringLiteral("with all %1 report rows in the views").arg(all.reportRows)),
                  before);
    Measure(w, QStringLiteral("公孙"), QDate(2013, 6, 9), QDate(2013, 6, 19), -1);
    PrintResident("replaced by a search of ten days", before);
    Measure(w, QStringLiteral("公孙"), QDate(1752, 9, 14), QDate(9999, 12, 31), -1);
    w.close();
    QCoreApplication::processEvents();
    PrintResident("searched again, then the window closed", before);
}

void Print(const char* label, const Figures& f) {
    std::printf("%s\n  in the views after %lld ms, report complete after %lld ms (%d rows)\n", label,
                f.shownMs, f.reportMs, f.reportRows);
    std::printf("  longest event-loop wait %lld ms; peak memory so far %.0f MB\n", f.longestGapMs, PeakMb());
    if (f.stopMs >= 0) std::printf("  search stopped %lld ms after the stop button\n", f.stopMs);
}

}  // namespace

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    const bool memory = argc > 1 && qstrcmp(argv[1], "--memory") == 0;
    const int first = memory ? 2 : 1;
    const QString path = argc > first ? QString::fromLocal8Bit(argv[first])
                                      : QCoreApplication::applicationDirPath() + "/db1.sqlite";
    velunar::store::Database db(QStringLiteral("bench"));
    db.Open(path);
    const auto tables = velunar::store::LoadReferenceTables(db);
    ReverseLookupWindow w(
        db, [tables] { return tables; }, [] { return velunar::MakeDateTime(2013, 6, 9); });
    w.setMessageHook([](ReverseLookupWindow::Message, const QString& text) {
        std::printf("message: %s\n", qPrintable(text));
    });
    w.show();
    QCoreApplication::processEvents();
    if (memory) {
        MeasureMemory(w);
        return 0;
    }
    std::printf("before the first search: peak memory %.0f MB\n", PeakMb());

    const qint64 cli100 = CommandLineMs(path, "公孙", "1950-01-01", "2049-12-31");
    const Figures f100 = Measure(w, QStringLiteral("公孙"), QDate(1950, 1, 1), QDate(2049, 12, 31), -1);
    Print("公孙, 1950-01-01 to 2049-12-31:", f100);
    std::printf("  velunar-cli reverse, same range, this run: %lld ms; the window took %.1f× that\n", cli100,
                cli100 > 0 ? static_cast<double>(f100.reportMs) / static_cast<double>(cli100) : 0.0);
    const qint64 cli1000 = CommandLineMs(path, "公孙", "1950-01-01", "2949-12-31");
    Print("公孙, 1950-01-01 to 2949-12-31:",
          Measure(w, QStringLiteral("公孙"), QDate(1950, 1, 1), QDate(2949, 12, 31), -1));
    std::printf("  velunar-cli reverse, same range, this run: %lld ms\n", cli1000);
    Print("公孙, 1752-09-14 to 9999-12-31, stopped after 300 ms:",
          Measure(w, QStringLiteral("公孙"), QDate(1752, 9, 14), QDate(9999, 12, 31), 300));
    return 0;
}
