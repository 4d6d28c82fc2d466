// The 开穴表 window: its grid is the schedule's rows with the clock spans of the main window's place, a click
// puts the main window on that double-hour, and the menu key and the PDF export work from the window.
#include <QAction>
#include <QCheckBox>
#include <QFile>
#include <QLabel>
#include <QTableView>
#include <QTemporaryDir>

#include "methods/schedule.h"
#include "print/schedule_sheet.h"
#include "test_mainwindow_fixture.h"
#include "ui/schedulemodel.h"
#include "ui/schedulewindow.h"

using namespace velunar;
using namespace velunar::ui;
using velunar::ui::testing::Harness;

class TestScheduleWindow : public QObject {
    Q_OBJECT
  private slots:
    void aWeekIsTheScheduleWithTheClockOfThePlace();
    void aTzZoneWeekFollowsTheSummerTimeChange();
    void aClickPutsTheMainWindowOnTheDoubleHour();
    void theMenuKeyOpensItAndItExportsAPdf();
    void theRenShenColumnFollowsTheSwitchAndAvoidingEmptiesTheTaboos();
};

namespace {

ScheduleWindow* Window(Harness& h) {
    auto* w = qobject_cast<ScheduleWindow*>(h.window->secondaryWindows().schedule);
    if (!w) qFatal("no schedule window");
    return w;
}

}  // namespace

void TestScheduleWindow::aWeekIsTheScheduleWithTheClockOfThePlace() {
    Harness h;
    h.show();
    h.chooseMoment(MakeDateTime(2026, 12, 9, 10, 30), 0, false);
    h.get<QLineEdit>("longitudeBox")->setText(QStringLiteral("87.6"));
    ScheduleWindow* w = Window(h);
    // Wednesday 2026-12-09: the week from Monday the 7th to Sunday the 13th.
    w->setRange(QDate(2026, 12, 9), ScheduleWindow::Length::Week);
    ScheduleModel* model = w->model();
    const std::int64_t monday = WholeDay(MakeDateTime(2026, 12, 7));
    QCOMPARE(w->range().firstDay, monday);
    QCOMPARE(model->rowCount(), 7 * 12);
    QCOMPARE(model->columnCount(), static_cast<int>(ScheduleHeader().size()) + 1);
    QCOMPARE(model->headerData(model->columnCount() - 1, Qt::Horizontal).toString(),
             QStringLiteral("钟表时间"));
    int row = 0, closed = 0;
    ClockSpanWalker spans(h.window->tickInput());
    ForEachScheduleRow(
        monday, monday + 6, TimeMode::NoNightRat, *h.window->referenceTables(), [&](const ScheduleRow& r) {
            const std::vector<std::string>& cells = r.cells;
            for (std::size_t c = 0; c < cells.size(); ++c)
                if (model->index(row, static_cast<int>(c)).data().toString().toStdString() != cells[c])
                    qFatal("row %d column %zu differs", row, c);
            const bool shaded = model->index(row, 0).data(Qt::BackgroundRole).isValid();
            if (shaded != (std::find(cells.begin(), cells.end(), "闭") != cells.end()))
                qFatal("row %d: closed and shaded differ", row);
            closed += shaded;
            // Far west of Beijing the clock runs hours ahead of the sun: the spans are the place's, not the
            // hours'.
            const auto span = spans.SpanOf(monday + row / 12, BranchAt(row % 12 + 1));
            if (!span || model->index(row, model->columnCount() - 1).data().toString().toStdString() !=
                             SpanText(monday + row / 12, *span))
                qFatal("row %d: the clock span differs", row);
            ++row;
            return true;
        });
    QCOMPARE(row, 84);
    QVERIFY(closed > 0);
}

void TestScheduleWindow::aTzZoneWeekFollowsTheSummerTimeChange() {
    // Paris goes to summer time on Sunday 2026-03-29, inside the week: the 午 double-hour's clock span is an
    // hour later on the Sunday than on the Saturday (and the sun's minutes a little apart besides).
    Harness h({QStringLiteral("update xxyy set ischina = 'nochina', suma = '0', tzid = 'Europe/Paris'")});
    h.show();
    h.chooseMoment(MakeDateTime(2026, 1, 10, 12), 0, false);
    h.tick();
    ScheduleWindow* w = Window(h);
    w->setRange(QDate(2026, 3, 25), ScheduleWindow::Length::Week);
    const int wu = Number(Branch::Wu) - 1;
    const auto saturday = w->model()->sheetRow(5 * 12 + wu).span;
    const auto sunday = w->model()->sheetRow(6 * 12 + wu).span;
    QVERIFY(saturday && sunday);
    const double shift = (sunday->Start() - saturday->Start() - 1.0) * 24 * 60;
    QVERIFY2(std::abs(shift - 60) < 2, qPrintable(QString::number(shift)));
}

void TestScheduleWindow::aClickPutsTheMainWindowOnTheDoubleHour() {
    Harness h;
    h.show();
    h.chooseMoment(MakeDateTime(2026, 12, 9, 10, 30), 0, false);
    h.get<QCheckBox>("automaticBox")->setChecked(true);
    ScheduleWindow* w = Window(h);
    w->show();
    QVERIFY(QTest::qWaitForWindowExposed(w));
    w->setRange(QDate(2026, 12, 20), ScheduleWindow::Length::Day);
    auto* view = w->findChild<QTableView*>(QStringLiteral("tableView"));
    const int shen = Number(Branch::Shen) - 1;
    const auto span = w->model()->sheetRow(shen).span;
    QVERIFY(span.has_value());
    const QModelIndex cell = w->model()->index(shen, 5);
    view->scrollTo(cell);
    QTest::mouseClick(view->viewport(), Qt::LeftButton, {}, view->visualRect(cell).center());
    QVERIFY(!h.get<QCheckBox>("automaticBox")->isChecked());
    QCOMPARE(h.window->referenceTime(), span->Start());
    QCOMPARE(h.text("hourBranchBox"), QStringLiteral("申"));
}

void TestScheduleWindow::theMenuKeyOpensItAndItExportsAPdf() {
    Harness h;
    h.show();
    auto* action = h.get<QAction>("scheduleAction");
    QCOMPARE(action->shortcut(), QKeySequence(Qt::CTRL | Qt::Key_T));
    action->trigger();
    ScheduleWindow* w = Window(h);
    QVERIFY(w->isVisible());
    w->setRange(QDate(2026, 12, 9), ScheduleWindow::Length::Month);
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("十二月"));
    QStringList warnings;
    w->setWarningHook([&warnings](const QString& t) { warnings << t; });
    w->setPdfPathHook([path] { return path; });
    w->exportPdf();
    QVERIFY2(warnings.isEmpty(), qPrintable(warnings.join('\n')));
    QFile pdf(path + QStringLiteral(".pdf"));
    QVERIFY(pdf.open(QIODevice::ReadOnly));
    const QByteArray bytes = pdf.readAll();
    QVERIFY(bytes.startsWith("%PDF-"));
    QCOMPARE(bytes.count("/Type /Page\n") + bytes.count("/Type /Page\r"), 11);
}

void TestScheduleWindow::theRenShenColumnFollowsTheSwitchAndAvoidingEmptiesTheTaboos() {
    Harness h;
    h.show();
    h.chooseMoment(MakeDateTime(2026, 12, 23, 10, 30), 0, false);
    ScheduleWindow* w = Window(h);
    // 2026-12-23 is 冬月十五: the 人神 is in the whole body.
    w->setRange(QDate(2026, 12, 23), ScheduleWindow::Length::Day);
    ScheduleModel* model = w->model();
    const int renShen = static_cast<int>(ScheduleHeader().size()) - 1;
    QCOMPARE(model->headerData(renShen, Qt::Horizontal).toString(), QStringLiteral("人神"));
    QCOMPARE(model->index(0, renShen).data().toString(), QStringLiteral("十五遍身 · 子时踝"));
    auto* avoid = w->findChild<QCheckBox*>(QStringLiteral("avoidRenShenBox"));
    QVERIFY(avoid);
    avoid->setChecked(true);
    int emptied = 0;
    ForEachScheduleRow(w->range().firstDay, w->range().lastDay, TimeMode::NoNightRat, *h.window->referenceTables(),
                       [&, row = 0](const ScheduleRow& r) mutable {
                           const std::vector<std::string>& cells = r.cells;
                           for (int c = 3; c < renShen; ++c)
                               if (!cells[static_cast<std::size_t>(c)].empty() &&
                                   model->index(row, c).data().toString().isEmpty())
                                   ++emptied;
                           ++row;
                           return true;
                       });
    QVERIFY(emptied > 24);
    QVERIFY(w->findChild<QLabel*>(QStringLiteral("noteLabel"))
                ->text()
                .contains(QStringLiteral("已避开人神：略去 %1 个").arg(emptied)));
    // The main window's switch empties the column.
    h.get<QCheckBox>("renShenShownBox")->click();
    h.tick();
    w->setRange(QDate(2026, 12, 23), ScheduleWindow::Length::Day);
    QCOMPARE(model->index(0, renShen).data().toString(), QString());
}

QTEST_MAIN(TestScheduleWindow)
#include "test_schedulewindow.moc"
