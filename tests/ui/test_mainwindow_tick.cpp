// The main window's tick on the default data: the reference time, the worked moments on every page, the
// double-hour notice, the point description, and a tick that survives a failing step.
#include <QAction>
#include <QApplication>
#include <QDateEdit>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTabWidget>
#include <QTableWidget>
#include <QTimeEdit>

#include "test_mainwindow_fixture.h"
#include "ui/dialwidget.h"
#include "ui/picturewindow.h"
#include "ui/textwindow.h"

using namespace velunar;
using namespace velunar::ui;
using velunar::ui::testing::Harness;

namespace {

QStringList GridPoints(const Harness& h, const char* grid) {
    QStringList points;
    auto* g = h.get<QTableWidget>(grid);
    for (int i = 0; i < g->rowCount(); ++i) points << g->item(i, 0)->text();
    return points;
}

// What every page shows, except the clock text itself.
QStringList Pages(const Harness& h) {
    QStringList shown;
    for (const char* box : {"hourBranchBox", "dayGanZhiBox", "lingGuiPartnerBox", "hourGanZhiBox",
                            "lingGuiPointBox", "feiTengPointBox", "feiTengPartnerBox", "naZhiOwnPointBox",
                            "naGanMeridianBox", "naGanPointBox", "shiGanMeridianBox"})
        shown << QStringLiteral("%1=%2").arg(QLatin1String(box), h.text(box));
    for (const char* label : {"riGanMeridianLabel", "naZhi2MeridianLabel", "chinaTrueSolarLabel"})
        shown << QStringLiteral("%1=%2").arg(QLatin1String(label), h.get<QLabel>(label)->text());
    shown << GridPoints(h, "riGanPointList").join(u',') << GridPoints(h, "naZhi2PointList").join(u',');
    return shown;
}

// The pages of a window started afresh at the chosen date-time t.
QStringList FreshPages(DateTime t) {
    Harness fresh;
    fresh.show();
    fresh.window->setChosenTime(t);
    fresh.tick();
    return Pages(fresh);
}

// Tells when a widget is painted.
class PaintSpy : public QObject {
  public:
    PaintSpy(QWidget* w, std::function<void()> painted) : QObject(w), painted_(std::move(painted)) {
        w->installEventFilter(this);
    }
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() == QEvent::Paint) painted_();
        return QObject::eventFilter(watched, event);
    }

  private:
    std::function<void()> painted_;
};

}  // namespace

class TestMainWindowTick : public QObject {
    Q_OBJECT
  private slots:
    void referenceTimeTakesDateAndTimeOfDay();
    void pickersStandInPlaceOfTheTimeBox();
    void automaticModeShowsTheClock();
    void workedMomentsOnEveryPage_data();
    void workedMomentsOnEveryPage();
    void closedHourShowsSupplementaryPage();
    void trueSolarTimeOnBothPages();
    void invalidLongitudeShowsMessageInHourBox();
    void noticeComesFromTheClockAloneAndStopsNothing();
    void greyedHintGivesNoNotice();
    void firstTickBeforeTheWindowIsShown();
    void focusedPointGetsDescriptionAndPicture();
    void gridRowIsDescribedAndMemoKeepsPoint();
    void tickSurvivesFailingStep();
    void clockJumpsBetweenTicks();
    void filesVanishingBetweenTwoClicks();
    void brokenSoundIsSaidOnceAndTheNoticeGoesOn();
};

void TestMainWindowTick::referenceTimeTakesDateAndTimeOfDay() {
    Harness h;
    h.show();
    auto* clock = h.get<QCheckBox>("automaticBox");
    clock->click();
    QVERIFY(!clock->isChecked());
    // The click froze both pickers at the moment of the click.
    QCOMPARE(h.get<QDateEdit>("datePicker")->date(), QDate::currentDate());
    QVERIFY(qAbs(h.get<QTimeEdit>("timePicker")->time().secsTo(QTime::currentTime())) < 5);
    h.get<QDateEdit>("datePicker")->setDateTime(QDateTime(QDate(2024, 2, 29), QTime(5, 0), Qt::UTC));
    h.get<QTimeEdit>("timePicker")->setDateTime(QDateTime(QDate(2000, 1, 1), QTime(23, 30), Qt::UTC));
    QCOMPARE(h.window->referenceTime(), MakeDateTime(2024, 2, 29, 23, 30));
    // A date that summer time made invalid in the local zone is still a plain civil date-time.
    h.get<QDateEdit>("datePicker")->setDate(QDate(1988, 4, 17));
    h.get<QTimeEdit>("timePicker")->setTime(QTime(2, 30));
    QCOMPARE(h.window->referenceTime(), MakeDateTime(1988, 4, 17, 2, 30));
    h.tick();
    QCOMPARE(h.text("chinaTimeBox"), QStringLiteral("1988年04月17日  02:30:00 "));
    h.tick();
    QCOMPARE(h.text("chinaTimeBox"), QStringLiteral("1988年04月17日  02:30:00 "));
}

void TestMainWindowTick::pickersStandInPlaceOfTheTimeBox() {
    Harness h;
    h.show();
    h.window->setChosenTime(MakeDateTime(2001, 5, 6, 7, 8, 9));
    h.tick();
    auto* date = h.get<QDateEdit>("datePicker");
    auto* time = h.get<QTimeEdit>("timePicker");
    auto* row = h.get("chosenTimeRow");
    QCOMPARE(row->parentWidget(), h.get("chinaPage"));
    QVERIFY(date->isVisible() && time->isVisible());
    QVERIFY(h.get("chinaTimeBox")->isHidden());
    h.get<QTabWidget>("timePages")->setCurrentIndex(1);
    h.tick();
    QCOMPARE(row->parentWidget(), h.get("abroadPage"));
    QCOMPARE(h.text("abroadTimeBox"), QStringLiteral("2001年05月06日  07:08:09 "));
    QVERIFY(h.get("chinaTimeBox")->isHidden());
    // Back in automatic mode both time boxes return.
    h.get<QCheckBox>("automaticBox")->click();
    h.tick();
    QVERIFY(!h.get("abroadTimeBox")->isHidden());
    QVERIFY(!h.get("chinaTimeBox")->isHidden());
    QVERIFY(!date->isVisibleTo(h.window.get()));
}

void TestMainWindowTick::automaticModeShowsTheClock() {
    Harness h;
    h.show();
    const DateTime before = MakeDateTime(QDate::currentDate().year(), QDate::currentDate().month(),
                                         QDate::currentDate().day(), QTime::currentTime().hour(),
                                         QTime::currentTime().minute(), QTime::currentTime().second());
    h.tick();
    const QString shown = h.text("chinaTimeBox");
    QCOMPARE(shown.size(), QStringLiteral("2026年02月10日  12:00:00 ").size());
    QVERIFY(shown.endsWith(QLatin1Char(' ')));
    QVERIFY(qAbs(h.window->referenceTime() - before) * 86400 < 5);
    QVERIFY(!h.text("dayGanZhiBox").isEmpty());
    QVERIFY(h.window->tickErrorText().isEmpty());
}

void TestMainWindowTick::workedMomentsOnEveryPage_data() {
    QTest::addColumn<int>("mode");
    QTest::addColumn<QStringList>("expected");  // day and hour 干支, branch, 灵龟, 飞腾
    QTest::addColumn<bool>("closed");
    QTest::addColumn<QString>("naGanPoint");
    QTest::addColumn<QString>("naZhiOwn");
    QTest::addColumn<QString>("shiGan");
    QTest::addColumn<QString>("dayMeridian");
    QTest::addColumn<QString>("firstDayPoint");
    QTest::addColumn<QString>("hourMeridian");
    QTest::newRow("mode 0: the next day's 子 hour")
        << 0 << QStringList{"乙丑", "子", "丙子", "照海", "列缺", "内关", "公孙"} << false << "前谷"
        << "足临泣"
        << "小肠经"
        << "肝"
        << "大敦"
        << "胆";
    QTest::newRow("mode 1: night 子, day kept")
        << 1 << QStringList{"甲子", "子", "丙子", "公孙", "内关", "内关", "公孙"} << true << ""
        << "足临泣"
        << "小肠经"
        << "胆"
        << "瞳子髎"
        << "胆";
    QTest::newRow("mode 2: still 亥")
        << 2 << QStringList{"甲子", "亥", "乙亥", "照海", "列缺", "申脉", "后溪"} << true << ""
        << "支沟"
        << "肝经"
        << "胆"
        << "瞳子髎"
        << "三焦";
}

void TestMainWindowTick::workedMomentsOnEveryPage() {
    QFETCH(int, mode);
    QFETCH(QStringList, expected);
    QFETCH(bool, closed);
    QFETCH(QString, naGanPoint);
    QFETCH(QString, naZhiOwn);
    QFETCH(QString, shiGan);
    QFETCH(QString, dayMeridian);
    QFETCH(QString, firstDayPoint);
    QFETCH(QString, hourMeridian);
    Harness h;
    h.show();
    h.chooseMoment(MakeDateTime(1949, 10, 1, 23, 30), mode);
    h.tick();
    const char* boxes[] = {"dayGanZhiBox",      "hourBranchBox",   "hourGanZhiBox",    "lingGuiPointBox",
                           "lingGuiPartnerBox", "feiTengPointBox", "feiTengPartnerBox"};
    for (int i = 0; i < 7; ++i) QCOMPARE(h.text(boxes[i]), expected[i]);
    QCOMPARE(h.text("chinaTimeBox"), QStringLiteral("1949年10月01日  23:30:00 "));
    QCOMPARE(h.text("naGanPointBox"), naGanPoint);
    QCOMPARE(h.text("naGanMeridianBox") == QStringLiteral("闭"), closed);
    QCOMPARE(h.get<QTabWidget>("methodPages")->isTabVisible(4), closed);
    QCOMPARE(!h.get("supplementaryButton")->isHidden(), closed);
    QCOMPARE(h.text("naZhiOwnPointBox"), naZhiOwn);
    QCOMPARE(h.text("shiGanMeridianBox"), shiGan);
    QCOMPARE(h.get<QLabel>("riGanMeridianLabel")->text(), dayMeridian);
    QCOMPARE(GridPoints(h, "riGanPointList").value(0), firstDayPoint);
    QCOMPARE(h.get<QLabel>("naZhi2MeridianLabel")->text(), hourMeridian);
    QVERIFY(!GridPoints(h, "naZhi2PointList").isEmpty());
    QVERIFY(h.window->tickErrorText().isEmpty());
    QVERIFY(h.messages.empty());
}

void TestMainWindowTick::closedHourShowsSupplementaryPage() {
    Harness h;
    h.show();
    auto* pages = h.get<QTabWidget>("methodPages");
    // 1949-10-01 is a 甲子 day; its 子 hour (00:30) is closed.
    h.chooseMoment(MakeDateTime(1949, 10, 1, 0, 30), 1);
    h.tick();
    QCOMPARE(h.text("naGanMeridianBox"), QStringLiteral("闭"));
    QCOMPARE(h.text("supplementaryPointBox"), QStringLiteral("阳辅"));
    // Before 甲戌 opens 胆经's well the 癸 schedule of the evening before is still running.
    QCOMPARE(h.text("supplementaryDutyMeridianBox"), QStringLiteral("肾经"));
    QVERIFY(h.get("naGanSourcePointBox")->isHidden());
    QVERIFY(h.get("naGanSourcePointLabel")->isHidden());
    h.get<QPushButton>("supplementaryButton")->click();
    QCOMPARE(pages->currentIndex(), 4);
    // An open hour takes the page away and puts the page after it in front.
    h.chooseMoment(MakeDateTime(1949, 10, 1, 2, 30), 1);
    h.tick();
    QVERIFY(!pages->isTabVisible(4));
    QCOMPARE(pages->currentIndex(), 5);
    QVERIFY(h.text("naGanMeridianBox") != QStringLiteral("闭"));
    QVERIFY(!h.text("naGanPointBox").isEmpty());
}

void TestMainWindowTick::trueSolarTimeOnBothPages() {
    Harness h(
        {QStringLiteral("update xxyy set xy='116.46', suma='60', ew='东经', jingew='2.33', "
                        "zone='(GMT+01:00) 布鲁塞尔，哥本哈根，马德里，巴黎'")});
    h.show();
    h.chooseMoment(MakeDateTime(2026, 2, 10, 12, 0), 0, false);
    h.tick();
    QCOMPARE(h.get<QLabel>("chinaTrueSolarLabel")->text(), QStringLiteral("2026年02月10日  11:31:36      "));
    QCOMPARE(h.text("hourBranchBox"), QStringLiteral("午"));
    h.get<QTabWidget>("timePages")->setCurrentIndex(1);
    h.window->setChosenTime(MakeDateTime(2026, 7, 1, 12, 0));
    h.tick();
    QCOMPARE(h.get<QLabel>("abroadBeijingLabel")->text(), QStringLiteral("2026年07月01日  18:00:00      "));
    QCOMPARE(h.get<QLabel>("abroadTrueSolarLabel")->text(), QStringLiteral("2026年07月01日  10:04:58      "));
    QCOMPARE(h.text("hourBranchBox"), QStringLiteral("巳"));
    // Only Beijing time: the six longitude controls go, and the hour follows the clock itself.
    h.get<QTabWidget>("timePages")->setCurrentIndex(0);
    h.get<QCheckBox>("onlyBeijingBox")->click();
    h.tick();
    QVERIFY(h.get("longitudeBox")->isHidden());
    QVERIFY(h.get("chinaTrueSolarLabel")->isHidden());
    QCOMPARE(h.text("hourBranchBox"), QStringLiteral("午"));
}

void TestMainWindowTick::invalidLongitudeShowsMessageInHourBox() {
    Harness h;
    h.show();
    h.chooseMoment(MakeDateTime(2026, 3, 1, 9, 0), 0, false);
    h.tick();
    const QString day = h.text("dayGanZhiBox");
    // A bad longitude can only come from the database (a typed one is never stored).
    h.window->settingsRecord().SetValue(store::settings_column::kXy, "abc");
    h.window->settingsRecord().Post();
    h.tick();
    QCOMPARE(h.text("hourBranchBox"), QStringLiteral("请先输入正确东经数"));
    QVERIFY(h.text("hourGanZhiBox").endsWith(QStringLiteral("请先输入正确东经数")));
    // No hour: no point is shown as open.
    QCOMPARE(h.text("lingGuiPointBox"), QString());
    QCOMPARE(h.text("feiTengPointBox"), QString());
    QCOMPARE(h.text("dayGanZhiBox"), day);
    QCOMPARE(h.window->noticesGiven(), 0);
    // With only Beijing time the box is reset to 120 and stored.
    h.get<QCheckBox>("onlyBeijingBox")->click();
    h.tick();
    QCOMPARE(h.text("longitudeBox"), QStringLiteral("120"));
    QCOMPARE(h.value("select xy from xxyy"), QStringLiteral("120"));
    QVERIFY(!h.text("lingGuiPointBox").isEmpty());
}

// The double-hour notice comes from the clock alone: in the window and on the desktop, with the sound, while
// the clock ticks on. A picked date, a click or a key on the dial, a row of the 开穴表 or a changed setting
// moves the double-hour as the user asked, and gives none.
void TestMainWindowTick::noticeComesFromTheClockAloneAndStopsNothing() {
    Harness h({QStringLiteral("update xxyy set hint1='True'")});
    QDateTime now(QDate(2026, 5, 1), QTime(10, 59, 58), Qt::UTC);
    h.window->setClock([&now] { return now; });
    h.show();
    auto* only = h.get<QCheckBox>("onlyBeijingBox");
    if (only->checkState() != Qt::Checked) only->click();
    h.get<QAbstractButton>("timeModeButton0")->click();
    h.tick();
    now = now.addSecs(1);
    h.tick();
    QCOMPARE(h.text("hourBranchBox"), QStringLiteral("巳"));
    QCOMPARE(h.window->noticesGiven(), 0);
    QVERIFY(h.get("noticeBanner")->isHidden());

    now = now.addSecs(1);  // 11:00:00, 午 begins
    h.window->tick();
    QCOMPARE(h.window->noticesGiven(), 1);
    QCOMPARE(h.get<QLabel>("noticeText")->text(), QStringLiteral("时辰已经变换为午时了。"));
    QVERIFY(h.get("noticeBanner")->isVisible());
    QCOMPARE(h.notifier->texts, QStringList{QStringLiteral("时辰已经变换为午时了。")});
    QCOMPARE(h.player->played, QStringList{h.window->dataPaths().SoundFile()});
    // Nothing waits for the user: no box, the timer runs, the next second shows.
    QVERIFY(h.messages.empty());
    QVERIFY(!QApplication::activeModalWidget());
    QVERIFY(h.get<QTimer>("tickTimer")->isActive());
    QCOMPARE(h.text("hourBranchBox"), QStringLiteral("午"));
    now = now.addSecs(1);
    h.tick();
    QCOMPARE(h.text("chinaTimeBox"), QStringLiteral("2026年05月01日  11:00:01 "));
    QCOMPARE(h.window->noticesGiven(), 1);
    h.get<QAbstractButton>("noticeDismiss")->click();
    QVERIFY(h.get("noticeBanner")->isHidden());

    // A setting changed by the user moves the hour without a notice; the clock moving it afterwards gives
    // one.
    now = QDateTime(QDate(2026, 5, 1), QTime(23, 30), Qt::UTC);
    h.tick();
    QCOMPARE(h.text("hourBranchBox"), QStringLiteral("子"));
    QCOMPARE(h.window->noticesGiven(), 2);
    h.get<QAbstractButton>("timeModeButton2")->click();
    h.tick();
    QCOMPARE(h.text("hourBranchBox"), QStringLiteral("亥"));
    h.get<QAbstractButton>("timeModeButton0")->click();
    h.tick();
    QCOMPARE(h.text("hourBranchBox"), QStringLiteral("子"));
    QCOMPARE(h.window->noticesGiven(), 2);

    // Moments the user picks or steps to.
    auto* dial = h.get<DialWidget>("dial");
    h.get<QTabWidget>("methodPages")->setCurrentWidget(dial);
    QTest::mouseClick(dial, Qt::LeftButton, {}, dial->sectorCentre(Number(Branch::Shen) - 1));
    QCOMPARE(h.text("hourBranchBox"), QStringLiteral("申"));
    dial->setFocus();
    QTest::keyClick(dial, Qt::Key_Right);
    QTest::keyClick(dial, Qt::Key_Left);
    QTest::keyClick(dial, Qt::Key_Left);
    QCOMPARE(h.text("hourBranchBox"), QStringLiteral("未"));
    h.get<QTimeEdit>("timePicker")->setTime(QTime(3, 10));
    h.tick();
    QCOMPARE(h.text("hourBranchBox"), QStringLiteral("寅"));
    h.get<QDateEdit>("datePicker")->setDate(QDate(2026, 5, 9));
    h.window->setChosenTime(MakeDateTime(2026, 5, 9, 15, 0));  // as a row of the 开穴表 does
    h.tick();
    QCOMPARE(h.text("hourBranchBox"), QStringLiteral("申"));
    QCOMPARE(h.window->noticesGiven(), 2);
    // Back on the clock: the first reading is no change of the clock's; the next double-hour is.
    h.get<QCheckBox>("automaticBox")->click();
    h.tick();
    QCOMPARE(h.window->noticesGiven(), 2);
    now = QDateTime(QDate(2026, 5, 2), QTime(1, 0), Qt::UTC);
    h.tick();
    QCOMPARE(h.window->noticesGiven(), 3);
    QCOMPARE(h.notifier->texts.back(), QStringLiteral("时辰已经变换为丑时了。"));
    QCOMPARE(h.player->played.size(), 3);
    QVERIFY(h.messages.empty());
}

void TestMainWindowTick::greyedHintGivesNoNotice() {
    Harness h({QStringLiteral("update xxyy set hint1=NULL")});
    QDateTime now(QDate(2026, 5, 1), QTime(10, 59), Qt::UTC);
    h.window->setClock([&now] { return now; });
    h.show();
    h.tick();
    now = now.addSecs(120);
    h.tick();
    QCOMPARE(h.window->noticesGiven(), 0);
    QVERIFY(h.player->played.isEmpty());
    QVERIFY(h.notifier->texts.isEmpty());
}

// The window reaches the screen with its clock and pages filled: the first tick runs inside the first show.
void TestMainWindowTick::firstTickBeforeTheWindowIsShown() {
    Harness h;
    QString firstPainted;
    bool painted = false;
    auto* box = h.get<QLineEdit>("chinaTimeBox");
    auto* spy = new PaintSpy(box, [&] {
        if (!painted) firstPainted = box->text();
        painted = true;
    });
    h.window->show();
    QCOMPARE(h.text("chinaTimeBox").size(), QStringLiteral("2026年02月10日  12:00:00 ").size());
    QVERIFY(!h.text("dayGanZhiBox").isEmpty());
    QVERIFY(!h.text("lingGuiPointBox").isEmpty() || !h.text("hourBranchBox").isEmpty());
    QVERIFY(QTest::qWaitForWindowExposed(h.window.get()));
    QTRY_VERIFY(painted);
    QVERIFY2(!firstPainted.isEmpty(), "the time box was painted empty");
    delete spy;
}

void TestMainWindowTick::focusedPointGetsDescriptionAndPicture() {
    Harness h({QStringLiteral("update 穴位说明 set 图片路径='' where 穴位='公孙'")});
    h.show();
    h.window->activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(h.window.get()));
    h.chooseMoment(MakeDateTime(1949, 10, 1, 23, 30), 1);
    h.tick();
    QCOMPARE(h.text("lingGuiPointBox"), QStringLiteral("公孙"));
    h.get("lingGuiPointBox")->setFocus();
    h.tick();
    QCOMPARE(h.window->currentPicturePath(), std::string("pic\\脾.JPG"));
    QCOMPARE(h.value("select 图片路径 from 穴位说明 where 穴位='公孙'"), QStringLiteral("pic\\脾.JPG"));
    QVERIFY(!h.get<QPlainTextEdit>("descriptionMemo")->toPlainText().isEmpty());
    QCOMPARE(h.get<QLabel>("descriptionHeading")->text(), QStringLiteral("公孙 · SP4"));
    // The partner is described in turn; its stored path is kept.
    h.get("lingGuiPartnerBox")->setFocus();
    h.tick();
    QCOMPARE(h.text("lingGuiPartnerBox"), QStringLiteral("内关"));
    QCOMPARE(h.window->currentPicturePath(), std::string("pic\\心包.JPG"));
    QCOMPARE(h.get<QLabel>("descriptionHeading")->text(), QStringLiteral("内关 · PC6"));
}

void TestMainWindowTick::gridRowIsDescribedAndMemoKeepsPoint() {
    Harness h;
    h.show();
    h.window->activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(h.window.get()));
    h.chooseMoment(MakeDateTime(1949, 10, 1, 12, 30), 0);
    h.tick();
    auto* grid = h.get<QTableWidget>("riGanPointList");
    QVERIFY(grid->rowCount() > 2);
    grid->setFocus();
    grid->setCurrentCell(2, 0);
    h.tick();
    const QString memo = h.get<QPlainTextEdit>("descriptionMemo")->toPlainText();
    QCOMPARE(
        memo,
        h.value(
            QStringLiteral("select 穴位说明 from 穴位说明 where 穴位='%1'").arg(grid->item(2, 0)->text())));
    h.get("descriptionMemo")->setFocus();
    h.tick();
    QCOMPARE(h.get<QPlainTextEdit>("descriptionMemo")->toPlainText(), memo);
}

void TestMainWindowTick::tickSurvivesFailingStep() {
    Harness h;
    h.show();
    h.window->activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(h.window.get()));
    h.chooseMoment(MakeDateTime(1949, 10, 1, 23, 30), 1);
    h.tick();
    h.get("lingGuiPointBox")->setFocus();
    h.tick();
    QVERIFY(!h.get<QPlainTextEdit>("descriptionMemo")->toPlainText().isEmpty());
    // The descriptions are read as they are asked for; the reference tables were read at the start.
    h.exec(QStringLiteral("alter table 穴位说明 rename to 穴位说明旧"));
    h.get("lingGuiPartnerBox")->setFocus();
    h.tick();
    // Reported once in a box, then in the window; the failed description shows nothing old.
    QCOMPARE(h.count(MessageKind::Error), 1);
    QVERIFY2(h.messages.back().text.contains(QStringLiteral("穴位说明")), qPrintable(h.messages.back().text));
    QVERIFY(h.get("tickStatus")->isVisible());
    QVERIFY(h.get<QPlainTextEdit>("descriptionMemo")->toPlainText().isEmpty());
    QVERIFY(h.get<QLabel>("descriptionHeading")->text().isEmpty());
    // The other pages are current.
    QCOMPARE(h.text("dayGanZhiBox"), QStringLiteral("甲子"));
    QVERIFY(!h.text("lingGuiPointBox").isEmpty());
    QVERIFY(!h.text("naZhiOwnPointBox").isEmpty());
    h.window->tick();
    QVERIFY(h.get<QTimer>("tickTimer")->isActive());
    h.get<QTimer>("tickTimer")->stop();
    // The same failure again is said in the window only.
    h.get("lingGuiPointBox")->setFocus();
    h.tick();
    QCOMPARE(h.count(MessageKind::Error), 1);
    QVERIFY(h.get("tickStatus")->isVisible());
    // Mended data: the next lookup goes through and the report goes away.
    h.exec(QStringLiteral("alter table 穴位说明旧 rename to 穴位说明"));
    h.get("lingGuiPartnerBox")->setFocus();
    h.tick();
    QVERIFY(!h.get<QPlainTextEdit>("descriptionMemo")->toPlainText().isEmpty());
    QVERIFY(!h.get("tickStatus")->isVisible());
    QVERIFY(h.window->tickErrorText().isEmpty());
}

// The wall clock set back an hour, or on by a day, between two ticks (a corrected clock, a laptop waking
// up): every page shows what a window started at the new time shows, and the notice follows the hour box.
void TestMainWindowTick::clockJumpsBetweenTicks() {
    const QList<QDateTime> clock = {
        QDateTime(QDate(2026, 5, 1), QTime(11, 30), Qt::UTC),
        QDateTime(QDate(2026, 5, 1), QTime(10, 30), Qt::UTC),     // back an hour: 午 to 巳
        QDateTime(QDate(2026, 5, 2), QTime(10, 30), Qt::UTC),     // on a day, the same double-hour
        QDateTime(QDate(2026, 5, 3), QTime(11, 30), Qt::UTC),     // on a day and an hour
        QDateTime(QDate(2026, 5, 2), QTime(23, 59, 59), Qt::UTC)  // back across midnight into 子
    };
    const QList<int> noticesAfter = {0, 1, 1, 2, 3};
    // One window at a time holds the database: the fresh windows come first.
    QList<QStringList> expected;
    for (const QDateTime& t : clock) {
        const QDate d = t.date();
        const QTime c = t.time();
        expected << FreshPages(MakeDateTime(d.year(), d.month(), d.day(), c.hour(), c.minute(), c.second()));
    }

    Harness h({QStringLiteral("update xxyy set hint1='True'")});
    QDateTime now = clock.front();
    h.window->setClock([&now] { return now; });
    h.show();
    QVERIFY(h.get<QCheckBox>("automaticBox")->isChecked());
    for (int i = 0; i < clock.size(); ++i) {
        now = clock[i];
        h.tick();
        QCOMPARE(h.text("chinaTimeBox"), now.toString(QStringLiteral("yyyy年MM月dd日  HH:mm:ss ")));
        QCOMPARE(Pages(h), expected[i]);
        QVERIFY(h.window->tickErrorText().isEmpty());
        QCOMPARE(h.window->noticesGiven(), noticesAfter[i]);
    }
    QVERIFY(expected[2] != expected[1]);  // the day jump changed the day's pages
    QCOMPARE(h.player->played.size(), 3);
    QCOMPARE(h.notifier->texts,
             (QStringList{QStringLiteral("时辰已经变换为巳时了。"), QStringLiteral("时辰已经变换为午时了。"),
                          QStringLiteral("时辰已经变换为子时了。")}));
}

// The picture of the described point and a help file, shown once, then deleted or damaged behind the
// program's back: the next click says which file and why, and the windows keep what they showed.
void TestMainWindowTick::filesVanishingBetweenTwoClicks() {
    Harness h;
    QDir data(h.dir.path());
    QVERIFY(data.mkpath(QStringLiteral("pic")) && data.mkpath(QStringLiteral("msg")));
    const QString picture = data.filePath(QStringLiteral("pic/脾.JPG"));
    const QString help = data.filePath(QStringLiteral("msg/about.txt"));
    QVERIFY(QFile::copy(QStringLiteral(VELUNAR_BIN_DIR "/pic/脾.JPG"), picture));
    QVERIFY(QFile::copy(QStringLiteral(VELUNAR_BIN_DIR "/msg/about.txt"), help));
    h.show();
    h.window->activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(h.window.get()));
    h.chooseMoment(MakeDateTime(1949, 10, 1, 23, 30), 1);
    h.tick();
    h.get("lingGuiPointBox")->setFocus();
    h.tick();
    QCOMPARE(h.window->currentPicturePath(), std::string("pic\\脾.JPG"));

    PictureWindow* pictures = h.window->secondaryWindows().pictureWindow;
    h.get<QPushButton>("pictureButton")->click();
    QVERIFY(h.messages.empty());
    const QImage shown = pictures->pictureBox()->Image();
    QVERIFY(!shown.isNull());
    QVERIFY(QFile::remove(picture));
    h.get<QPushButton>("pictureButton")->click();
    QCOMPARE(h.count(MessageKind::Error), 1);
    QVERIFY2(h.messages.back().text.contains(QStringLiteral("脾.JPG")), qPrintable(h.messages.back().text));
    QFile damaged(picture);
    QVERIFY(damaged.open(QIODevice::WriteOnly));
    damaged.write(QByteArray("\xFF\xD8\xFF\xE0 cut off", 11));
    damaged.close();
    h.get<QPushButton>("pictureButton")->click();
    QCOMPARE(h.count(MessageKind::Error), 2);
    QCOMPARE(pictures->pictureBox()->Image(), shown);

    HelpTextWindow* texts = h.window->secondaryWindows().helpWindow;
    h.get<QAction>("aboutAction")->trigger();
    const QString about = texts->textBox()->toPlainText();
    QVERIFY(!about.isEmpty());
    QVERIFY(QFile::remove(help));
    h.get<QAction>("aboutAction")->trigger();
    QCOMPARE(h.count(MessageKind::Error), 3);
    QVERIFY2(h.messages.back().text.contains(QStringLiteral("about.txt")),
             qPrintable(h.messages.back().text));
    QCOMPARE(texts->textBox()->toPlainText(), about);
    h.tick();
    QVERIFY(h.window->tickErrorText().isEmpty());
}

// A sound file that cannot be played: every notice still comes, and the failure is said once, in the window.
void TestMainWindowTick::brokenSoundIsSaidOnceAndTheNoticeGoesOn() {
    Harness h({QStringLiteral("update xxyy set hint1='True'")});
    h.player->failWith = QStringLiteral("文件已损坏");
    QDateTime now(QDate(2026, 5, 1), QTime(10, 59, 59), Qt::UTC);
    h.window->setClock([&now] { return now; });
    h.show();
    auto* only = h.get<QCheckBox>("onlyBeijingBox");
    if (only->checkState() != Qt::Checked) only->click();
    h.get<QAbstractButton>("timeModeButton0")->click();
    h.tick();
    auto* note = h.get<QLabel>("noticeSoundNote");
    for (int hour : {11, 13, 15}) {
        now = QDateTime(QDate(2026, 5, 1), QTime(hour, 0), Qt::UTC);
        h.tick();
        QCoreApplication::processEvents();
        if (hour == 11) {
            QVERIFY(note->isVisible());
            QVERIFY2(note->text().contains(QStringLiteral("romance.mp3")) &&
                         note->text().contains(QStringLiteral("文件已损坏")),
                     qPrintable(note->text()));
            h.get<QAbstractButton>("noticeDismiss")->click();
        } else {
            QVERIFY(h.get("noticeBanner")->isVisible());
            QVERIFY(note->isHidden());
        }
    }
    QCOMPARE(h.window->noticesGiven(), 3);
    QCOMPARE(h.player->played.size(), 3);
    QVERIFY(h.messages.empty());
    QVERIFY(h.window->tickErrorText().isEmpty());
}

QTEST_MAIN(TestMainWindowTick)
#include "test_mainwindow_tick.moc"
