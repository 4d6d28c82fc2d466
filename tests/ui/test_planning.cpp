// Planning around the clinic in the window: the reminder before the chosen plan's openings, driven by a clock
// of the test's own; the plan and clinic-hours window writing what the command line reads; and the 下次开穴
// window, its week's calendar file and the 开穴表's marks following the chosen plan.
#include <QAction>
#include <QComboBox>
#include <QDateEdit>
#include <QFile>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QSpinBox>
#include <QTableWidget>

#include "reverse/next_openings.h"
#include "store/planning.h"
#include "test_mainwindow_fixture.h"
#include "ui/nextwindow.h"
#include "ui/planningsource.h"
#include "ui/planreminder.h"
#include "ui/planwindow.h"
#include "ui/pointfinder.h"
#include "ui/schedulemodel.h"
#include "ui/schedulewindow.h"

using namespace velunar;
using namespace velunar::ui;
using velunar::ui::testing::Harness;

class TestPlanning : public QObject {
    Q_OBJECT
  private slots:
    void theReminderComesOnceAheadOfEachPartInTheHours();
    void thePlanWindowKeepsWhatTheCommandLineReads();
    void theNextWindowTheCalendarAndTheScheduleFollowTheChosenPlan();
};

namespace {

class FakeClock : public ReminderClock {
  public:
    explicit FakeClock(Instant* now) : now_(now) {}
    Instant now() const override { return *now_; }

  private:
    Instant* now_;
};

class Reminders : public ReminderNotifier {
  public:
    explicit Reminders(QStringList* told) : told_(told) {}
    void remind(const QString& title, const QString& text) override {
        *told_ << title + QLatin1Char('|') + text;
    }

  private:
    QStringList* told_;
};

const store::TreatmentPlan kPlan{"八脉", {"公孙", "内关"}, {}};

store::ClinicSettings Clinic(bool reminder) {
    store::ClinicSettings s;
    s.hours = ClinicHours{};
    for (std::size_t d = 0; d < 5; ++d) s.hours->week[d] = *ParseClockRanges("09:00-12:00,14:00-18:00");
    s.reminder = reminder;
    s.reminderMinutes = 10;
    s.plan = kPlan.name;
    return s;
}

// The window on the China page at 116.4° E, its clock at a chosen Wednesday morning.
void Prepare(Harness& h) {
    h.show();
    h.chooseMoment(MakeDateTime(2026, 12, 9, 8, 0), 0, false);
    h.get<QLineEdit>("longitudeBox")->setText(QStringLiteral("116.4"));
    h.tick();
}

std::unique_ptr<PlanReminder> MakeReminder(Harness& h, Instant* now, QStringList* told, int* sounds) {
    PlanReminder::Sources s;
    s.db = &h.window->database();
    s.tables = [&h] { return h.window->referenceTables(); };
    s.place = [&h] { return h.window->placeInput(); };
    s.withSound = [] { return true; };
    s.playSound = [sounds] { ++*sounds; };
    return std::make_unique<PlanReminder>(std::move(s), std::make_unique<FakeClock>(now),
                                          std::make_unique<Reminders>(told));
}

}  // namespace

void TestPlanning::theReminderComesOnceAheadOfEachPartInTheHours() {
    Harness h;
    Prepare(h);
    store::PlanningStore store(h.window->database());
    store.Save(kPlan);
    // Off unless asked for: a plan and hours alone remind of nothing.
    store.SaveClinic(Clinic(false));
    QCOMPARE(store::PlanningStore(h.window->database()).Clinic().reminder, false);
    const std::optional<TickInput> place =
        SpannedPlace(h.window->placeInput(), InstantAt(MakeDateTime(2026, 12, 9), 8 * 3600), 10);
    QVERIFY(place);
    const Instant morning = InstantAt(MakeDateTime(2026, 12, 9, 8, 0), 8 * 3600);
    NextOpenings search(kPlan.points, {}, *place, Clinic(true).hours.value(), *h.window->referenceTables());
    // The first seconds of the parts inside the hours, one each.
    std::vector<Instant> starts;
    std::vector<Instant> all;
    for (const NextOpening& o : search.Next(morning, 40))
        for (const ClockSpan& part : o.inside)
            if (part.start > morning) all.push_back(part.start);
    std::sort(all.begin(), all.end());
    all.erase(std::unique(all.begin(), all.end()), all.end());
    // Two that stand apart from the others by more than the minutes of the reminder and the steps below.
    constexpr std::int64_t kMinute = 60'000;
    for (std::size_t k = 1; k + 2 < all.size() && starts.empty(); ++k)
        if (all[k] - all[k - 1] > 12 * kMinute && all[k + 1] - all[k] > 22 * kMinute &&
            all[k + 2] - all[k + 1] > 12 * kMinute)
            starts = {all[k], all[k + 1]};
    QVERIFY(starts.size() == 2);

    Instant now = starts[0] - 10 * 60'000;
    QStringList told;
    int sounds = 0;
    {
        auto off = MakeReminder(h, &now, &told, &sounds);
        off->check();
        QCOMPARE(told.size(), 0);
    }
    store.SaveClinic(Clinic(true));
    auto reminder = MakeReminder(h, &now, &told, &sounds);
    now = starts[0] - 10 * 60'000 - kMsPerSecond;
    reminder->check();
    QCOMPARE(told.size(), 0);
    now = starts[0] - 10 * 60'000;
    reminder->check();
    QCOMPARE(told.size(), 1);
    QVERIFY2(told[0].startsWith(QStringLiteral("开穴提醒：八脉|")), qPrintable(told[0]));
    const QString at = QString::fromStdString(FormatIso(ReadingAt(starts[0], 8 * 3600))).mid(11, 5);
    QVERIFY2(told[0].contains(at + QStringLiteral(" 开穴")), qPrintable(told[0] + " / " + at));
    QCOMPARE(sounds, 1);
    // Told once, however often the clock is looked at; nothing once it has begun.
    for (const std::int64_t later : {60'000LL, 9 * 60'000LL, 10 * 60'000LL, 11 * 60'000LL}) {
        now = starts[0] - 10 * 60'000 + later;
        reminder->check();
    }
    QCOMPARE(told.size(), 1);
    // The clock jumps (the machine slept): the next part still comes, once.
    now = starts[1] - 3 * 60'000;
    reminder->check();
    reminder->check();
    QCOMPARE(told.size(), 2);
    QCOMPARE(sounds, 2);
    // Outside the hours, nothing: a Saturday.
    QStringList weekend;
    auto saturday = MakeReminder(h, &now, &weekend, &sounds);
    for (now = InstantAt(MakeDateTime(2026, 12, 12, 0, 0), 8 * 3600);
         now < InstantAt(MakeDateTime(2026, 12, 12, 23, 0), 8 * 3600); now = now + 5 * 60'000)
        saturday->check();
    QCOMPARE(weekend.size(), 0);
}

void TestPlanning::thePlanWindowKeepsWhatTheCommandLineReads() {
    Harness h;
    Prepare(h);
    h.get<QAction>("planAction")->trigger();
    auto* w = qobject_cast<PlanWindow*>(h.window->secondaryWindows().plans);
    QVERIFY(w && w->isVisible());
    QSignalSpy changed(w, &PlanWindow::planningChanged);
    w->findChild<QLineEdit*>(QStringLiteral("planNameBox"))->setText(QStringLiteral("失眠"));
    auto* point = w->findChild<PointFinder*>(QStringLiteral("planPointBox"));
    auto* status = w->findChild<QLabel*>(QStringLiteral("planStatus"));
    for (const char* p : {"神门", "公孙x", "SP6"}) {
        point->setEditText(QString::fromUtf8(p));
        w->addPoint();
    }
    // A mistyped point is refused with the names it may have meant; a code becomes its name.
    auto* points = w->findChild<QListWidget*>(QStringLiteral("planPoints"));
    QCOMPARE(points->count(), 2);
    QCOMPARE(points->item(1)->text(), QStringLiteral("三阴交"));
    point->setEditText(QStringLiteral("公孙x"));
    w->addPoint();
    QVERIFY2(status->text().contains(QStringLiteral("相近的穴位")), qPrintable(status->text()));
    w->findChild<QCheckBox*>(QStringLiteral("allDoctrinesBox"))->setChecked(false);
    w->savePlan();
    QVERIFY2(status->text().contains(QStringLiteral("至少选择一种方法")), qPrintable(status->text()));
    w->findChild<QCheckBox*>(QStringLiteral("doctrineBox_linggui"))->setChecked(true);
    w->savePlan();
    QCOMPARE(changed.count(), 1);
    QCOMPARE(store::PlanningStore(h.window->database()).Plans(),
             (std::vector<store::TreatmentPlan>{{"失眠", {"神门", "三阴交"}, {DoctrineId::LingGui}}}));

    // The clinic page: a fault is said and nothing written; then the hours, the reminder and the plan kept.
    ShowPlanPage(w, PlanWindow::Page::Clinic);
    auto* clinicStatus = w->findChild<QLabel*>(QStringLiteral("clinicStatus"));
    QVERIFY(!w->findChild<QCheckBox*>(QStringLiteral("reminderBox"))->isChecked());
    w->findChild<QLineEdit*>(QStringLiteral("hoursBox1"))
        ->setText(QStringLiteral("09:00-12:00, 14:00-18:00"));
    w->findChild<QLineEdit*>(QStringLiteral("hoursBox2"))->setText(QStringLiteral("12:00-09:00"));
    w->saveClinic();
    QVERIFY2(clinicStatus->text().contains(QStringLiteral("周二")), qPrintable(clinicStatus->text()));
    QVERIFY(!store::PlanningStore(h.window->database()).Clinic().hours);
    w->findChild<QLineEdit*>(QStringLiteral("hoursBox2"))->setText(QStringLiteral("9:00-12:00"));
    w->findChild<QDateEdit*>(QStringLiteral("dayOffEdit"))->setDate(QDate(2026, 12, 25));
    w->findChild<QPushButton*>(QStringLiteral("addDayOffButton"))->click();
    w->findChild<QCheckBox*>(QStringLiteral("reminderBox"))->setChecked(true);
    w->findChild<QSpinBox*>(QStringLiteral("reminderMinutesBox"))->setValue(15);
    auto* chosen = w->findChild<QComboBox*>(QStringLiteral("chosenPlanBox"));
    chosen->setCurrentIndex(chosen->findText(QStringLiteral("失眠")));
    w->saveClinic();
    QCOMPARE(changed.count(), 2);
    const store::ClinicSettings kept = store::PlanningStore(h.window->database()).Clinic();
    QVERIFY(kept.hours);
    QCOMPARE(FormatClockRanges(kept.hours->week[0]), std::string("09:00-12:00,14:00-18:00"));
    QCOMPARE(FormatClockRanges(kept.hours->week[1]), std::string("09:00-12:00"));
    QCOMPARE(kept.hours->week[2].size(), std::size_t{0});
    QCOMPARE(FormatDates(kept.hours->daysOff), std::string("2026-12-25"));
    QVERIFY(kept.reminder);
    QCOMPARE(kept.reminderMinutes, 15);
    QCOMPARE(kept.plan, std::string("失眠"));

    // Renamed, it stays the chosen plan; removed, it is gone.
    ShowPlanPage(w, PlanWindow::Page::Plans);
    w->findChild<QLineEdit*>(QStringLiteral("planNameBox"))->setText(QStringLiteral("不寐"));
    w->savePlan();
    QCOMPARE(store::PlanningStore(h.window->database()).Clinic().plan, std::string("不寐"));
    QCOMPARE(store::PlanningStore(h.window->database()).Plans().size(), std::size_t{1});
    w->removePlan();
    QVERIFY(store::PlanningStore(h.window->database()).Plans().empty());
}

void TestPlanning::theNextWindowTheCalendarAndTheScheduleFollowTheChosenPlan() {
    Harness h;
    Prepare(h);
    store::PlanningStore store(h.window->database());
    store.Save(kPlan);
    store.SaveClinic(Clinic(false));
    h.get<QAction>("nextOpeningsAction")->trigger();
    auto* next = qobject_cast<NextWindow*>(h.window->secondaryWindows().nextOpenings);
    QVERIFY(next && next->isVisible());
    auto* table = next->findChild<QTableWidget*>(QStringLiteral("nextTable"));
    QCOMPARE(table->rowCount(), NextWindow::kRows);
    QString previous;
    for (int r = 0; r < table->rowCount(); ++r) {
        const QString point = table->item(r, 4)->text();
        QVERIFY(point == QStringLiteral("公孙") || point == QStringLiteral("内关"));
        QVERIFY(table->item(r, 0)->text() >= previous);
        previous = table->item(r, 0)->text();
    }
    QVERIFY2(table->item(0, 0)->text().startsWith(QStringLiteral("2026-12-09")),
             qPrintable(table->item(0, 0)->text()));

    // The week's openings as events, one for each part inside the hours.
    QTemporaryDir out;
    const QString ics = out.filePath(QStringLiteral("week.ics"));
    next->setCalendarPathHook([ics] { return ics; });
    next->exportWeek();
    QFile file(ics);
    QVERIFY(file.open(QIODevice::ReadOnly));
    const QByteArray calendar = file.readAll();
    const std::optional<TickInput> place =
        SpannedPlace(h.window->placeInput(), InstantAt(MakeDateTime(2026, 12, 9), 8 * 3600), 10);
    NextOpenings search(kPlan.points, {}, *place, Clinic(false).hours.value(), *h.window->referenceTables());
    int parts = 0;
    for (const NextOpening& o : search.Between(InstantAt(MakeDateTime(2026, 12, 9), 8 * 3600),
                                               InstantAt(MakeDateTime(2026, 12, 16), 8 * 3600)))
        parts += static_cast<int>(o.inside.size());
    QVERIFY(parts > 10);
    QCOMPARE(static_cast<int>(calendar.count("BEGIN:VEVENT")), parts);

    // The 开穴表 marks the plan's points and greys what lies outside the hours: Saturday is all grey.
    auto* schedule = qobject_cast<ScheduleWindow*>(h.window->secondaryWindows().schedule);
    schedule->setRange(QDate(2026, 12, 9), ScheduleWindow::Length::Week);
    ScheduleModel* model = schedule->model();
    int marked = 0, grey = 0, saturdayGrey = 0;
    for (int r = 0; r < model->rowCount(); ++r) {
        grey += model->outsideHours(r);
        if (r / 12 == 5) saturdayGrey += model->outsideHours(r);
        for (int c = 0; c < model->columnCount(); ++c) {
            const QModelIndex i = model->index(r, c);
            const bool isPoint = i.data().toString() == QStringLiteral("公孙") ||
                                 i.data().toString() == QStringLiteral("内关");
            QCOMPARE(model->marksPoint(i), isPoint);
            marked += isPoint;
        }
    }
    QVERIFY(marked > 10);
    QCOMPARE(saturdayGrey, 12);
    QVERIFY(grey > 40 && grey < 84);
    QVERIFY(model->index(0, 0).data(Qt::ForegroundRole).isValid());  // Monday's 子, at night
}

QTEST_MAIN(TestPlanning)
#include "test_planning.moc"
