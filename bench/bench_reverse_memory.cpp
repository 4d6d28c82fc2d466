// The reverse lookup window's memory, offscreen: what the process holds before a search of 公孙 over every
// date the pickers take (1752-09-14 to 9999-12-31), with all its rows in the views, and once they are
// replaced by a search of ten days, cleared by a new showing and dropped by closing the window. Resident
// memory (VmRSS), not the peak: the question is what the window gives back.
//   bench_reverse_memory [DATABASE]      (default: db1.sqlite beside the program)
#include <cstdio>
#include <fstream>
#include <string>

#include <QApplication>
#include <QComboBox>
#include <QDateEdit>
#include <QEventLoop>

#include "store/database.h"
#include "store/reference_snapshot.h"
#include "ui/reversewindow.h"

using velunar::ui::ReverseLookupWindow;

namespace {

double ResidentMb() {
    std::ifstream status("/proc/self/status");
    for (std::string line; std::getline(status, line);)
        if (line.rfind("VmRSS:", 0) == 0) return std::stod(line.substr(6)) / 1024.0;
    return -1;
}

// One whole search; returns the rows of the report.
int Search(ReverseLookupWindow& w, QDate from, QDate to) {
    w.findChild<QComboBox*>(QStringLiteral("pointBox"))->setEditText(QStringLiteral("公孙"));
    w.findChild<QDateEdit*>(QStringLiteral("fromDate"))->setDate(from);
    w.findChild<QDateEdit*>(QStringLiteral("toDate"))->setDate(to);
    QEventLoop loop;
    const auto finished = QObject::connect(&w, &ReverseLookupWindow::searchFinished, &loop, &QEventLoop::quit);
    w.onSearch();
    loop.exec();
    QObject::disconnect(finished);
    // The views have painted what they show.
    QCoreApplication::processEvents();
    return w.reportModel()->rowCount();
}

void Print(const char* what, double mb, double before) {
    std::printf("  %-58s %6.0f MB resident (%+.0f MB against before)\n", what, mb, mb - before);
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
    ReverseLookupWindow w(
        db, [tables] { return tables; }, [] { return velunar::MakeDateTime(2013, 6, 9); });
    w.show();
    QCoreApplication::processEvents();
    const double shown = ResidentMb();
    // A first small search: what any first search loads once (its thread, the texts' code) is no result's.
    Search(w, QDate(2013, 6, 9), QDate(2013, 6, 19));
    const double before = ResidentMb();
    std::printf("公孙, 1752-09-14 to 9999-12-31, in the reverse lookup window:\n");
    Print("the window shown, no search yet", shown, before);
    Print("before (after a search of ten days)", before, before);
    const int rows = Search(w, QDate(1752, 9, 14), QDate(9999, 12, 31));
    Print(qPrintable(QStringLiteral("with all %1 rows in the views").arg(rows)), ResidentMb(), before);
    Search(w, QDate(2013, 6, 9), QDate(2013, 6, 19));
    Print("replaced by a search of ten days", ResidentMb(), before);
    Search(w, QDate(1752, 9, 14), QDate(9999, 12, 31));
    w.close();
    QCoreApplication::processEvents();
    Print("searched again, then the window closed", ResidentMb(), before);
    w.show();
    QCoreApplication::processEvents();
    Print("shown again (no results)", ResidentMb(), before);
    return 0;
}
