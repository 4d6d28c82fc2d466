// The tick of Form1 on the default data: the reference time, the worked moments on every page, the
// double-hour notice, the point description, and a tick that survives a failing step.
#include <QDateEdit>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTabWidget>
#include <QTableWidget>
#include <QTimeEdit>

#include "test_mainwindow_fixture.h"
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
    for (const char* box : {"Edit4", "Edit5", "Edit6", "Edit7", "Edit8", "Edit10", "Edit11", "DBEdit1",
                            "DBEdit10", "DBEdit13", "DBEdit22"})
        shown << QStringLiteral("%1=%2").arg(QLatin1String(box), h.text(box));
    for (const char* label : {"Label44", "Label47", "LBTrueTime"})
        shown << QStringLiteral("%1=%2").arg(QLatin1String(label), h.get<QLabel>(label)->text());
    shown << GridPoints(h, "DBGrid1").join(u',') << GridPoints(h, "DBGrid2").join(u',');
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
    void noticeOnChangeNeverOnFirstTick();
    void greyedHintGivesNoNotice();
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
    auto* clock = h.get<QCheckBox>("CheckBox2");
    clock->click();
    QVERIFY(!clock->isChecked());
    // The click froze both pickers at the moment of the click.
    QCOMPARE(h.get<QDateEdit>("DateTimePicker1")->date(), QDate::currentDate());
    QVERIFY(qAbs(h.get<QTimeEdit>("DateTimePicker2")->time().secsTo(QTime::currentTime())) < 5);
    h.get<QDateEdit>("DateTimePicker1")->setDateTime(QDateTime(QDate(2024, 2, 29), QTime(5, 0), Qt::UTC));
    h.get<QTimeEdit>("DateTimePicker2")->setDateTime(QDateTime(QDate(2000, 1, 1), QTime(23, 30), Qt::UTC));
    QCOMPARE(h.window->ReferenceTime(), MakeDateTime(2024, 2, 29, 23, 30));
    // A date that summer time made invalid in the local zone is still a plain civil date-time.
    h.get<QDateEdit>("DateTimePicker1")->setDate(QDate(1988, 4, 17));
    h.get<QTimeEdit>("DateTimePicker2")->setTime(QTime(2, 30));
    QCOMPARE(h.window->ReferenceTime(), MakeDateTime(1988, 4, 17, 2, 30));
    h.tick();
    QCOMPARE(h.text("Edit1"), QStringLiteral("1988年04月17日  02:30:00 "));
    h.tick();
    QCOMPARE(h.text("Edit1"), QStringLiteral("1988年04月17日  02:30:00 "));
}

void TestMainWindowTick::pickersStandInPlaceOfTheTimeBox() {
    Harness h;
    h.show();
    h.window->setChosenTime(MakeDateTime(2001, 5, 6, 7, 8, 9));
    h.tick();
    auto* date = h.get<QDateEdit>("DateTimePicker1");
    auto* time = h.get<QTimeEdit>("DateTimePicker2");
    QCOMPARE(date->parentWidget(), h.get("TabSheet9"));
    QCOMPARE(date->pos(), h.get("Edit1")->pos());
    QCOMPARE(time->pos(), QPoint(date->x() + date->width() + 2, date->y()));
    QVERIFY(date->isVisible() && time->isVisible());
    QVERIFY(h.get("Edit1")->isHidden());
    h.get<QTabWidget>("PageControl2")->setCurrentIndex(1);
    h.tick();
    QCOMPARE(date->parentWidget(), h.get("TabSheet10"));
    QCOMPARE(date->pos(), h.get("Edit2")->pos());
    QCOMPARE(h.text("Edit2"), QStringLiteral("2001年05月06日  07:08:09 "));
    QVERIFY(h.get("Edit1")->isHidden());
    // Back in automatic mode the abroad box returns; the China box stays hidden until its page is in front.
    h.get<QCheckBox>("CheckBox2")->click();
    h.tick();
    QVERIFY(!h.get("Edit2")->isHidden());
    QVERIFY(h.get("Edit1")->isHidden());
    QVERIFY(date->isHidden());
}

void TestMainWindowTick::automaticModeShowsTheClock() {
    Harness h;
    h.show();
    const DateTime before = MakeDateTime(QDate::currentDate().year(), QDate::currentDate().month(),
                                         QDate::currentDate().day(), QTime::currentTime().hour(),
                                         QTime::currentTime().minute(), QTime::currentTime().second());
    h.tick();
    const QString shown = h.text("Edit1");
    QCOMPARE(shown.size(), QStringLiteral("2026年02月10日  12:00:00 ").size());
    QVERIFY(shown.endsWith(QLatin1Char(' ')));
    QVERIFY(qAbs(h.window->ReferenceTime() - before) * 86400 < 5);
    QVERIFY(!h.text("Edit5").isEmpty());
    QVERIFY(h.window->tickErrorText().isEmpty());
}

void TestMainWindowTick::workedMomentsOnEveryPage_data() {
    QTest::addColumn<int>("mode");
    QTest::addColumn<QStringList>("expected");  // Edit5 Edit4 Edit7 Edit8 Edit6 Edit10 Edit11
    QTest::addColumn<bool>("closed");
    QTest::addColumn<QString>("naGanPoint");  // DBEdit13
    QTest::addColumn<QString>("naZhiOwn");    // DBEdit1
    QTest::addColumn<QString>("shiGan");      // DBEdit22
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
    const char* boxes[] = {"Edit5", "Edit4", "Edit7", "Edit8", "Edit6", "Edit10", "Edit11"};
    for (int i = 0; i < 7; ++i) QCOMPARE(h.text(boxes[i]), expected[i]);
    QCOMPARE(h.text("Edit1"), QStringLiteral("1949年10月01日  23:30:00 "));
    QCOMPARE(h.text("DBEdit13"), naGanPoint);
    QCOMPARE(h.text("DBEdit10") == QStringLiteral("闭"), closed);
    QCOMPARE(h.get<QTabWidget>("PageControl1")->isTabVisible(4), closed);
    QCOMPARE(!h.get("Button1")->isHidden(), closed);
    QCOMPARE(h.text("DBEdit1"), naZhiOwn);
    QCOMPARE(h.text("DBEdit22"), shiGan);
    QCOMPARE(h.get<QLabel>("Label44")->text(), dayMeridian);
    QCOMPARE(GridPoints(h, "DBGrid1").value(0), firstDayPoint);
    QCOMPARE(h.get<QLabel>("Label47")->text(), hourMeridian);
    QVERIFY(!GridPoints(h, "DBGrid2").isEmpty());
    QVERIFY(h.window->tickErrorText().isEmpty());
    QVERIFY(h.messages.empty());
}

void TestMainWindowTick::closedHourShowsSupplementaryPage() {
    Harness h;
    h.show();
    auto* pages = h.get<QTabWidget>("PageControl1");
    // 1949-10-01 is a 甲子 day; its 子 hour (00:30) is closed.
    h.chooseMoment(MakeDateTime(1949, 10, 1, 0, 30), 1);
    h.tick();
    QCOMPARE(h.text("DBEdit10"), QStringLiteral("闭"));
    QCOMPARE(h.text("DBEdit19"), QStringLiteral("阳辅"));
    // Before 甲戌 opens 胆经's well the 癸 schedule of the evening before is still running.
    QCOMPARE(h.text("DBEdit20"), QStringLiteral("肾经"));
    QVERIFY(h.get("DBEdit14")->isHidden());
    QVERIFY(h.get("Label19")->isHidden());
    h.get<QPushButton>("Button1")->click();
    QCOMPARE(pages->currentIndex(), 4);
    // An open hour takes the page away and puts the page after it in front.
    h.chooseMoment(MakeDateTime(1949, 10, 1, 2, 30), 1);
    h.tick();
    QVERIFY(!pages->isTabVisible(4));
    QCOMPARE(pages->currentIndex(), 5);
    QVERIFY(h.text("DBEdit10") != QStringLiteral("闭"));
    QVERIFY(!h.text("DBEdit13").isEmpty());
}

void TestMainWindowTick::trueSolarTimeOnBothPages() {
    Harness h(
        {QStringLiteral("update xxyy set xy='116.46', suma='60', ew='东经', jingew='2.33', "
                        "zone='(GMT+01:00) 布鲁塞尔，哥本哈根，马德里，巴黎'")});
    h.show();
    h.chooseMoment(MakeDateTime(2026, 2, 10, 12, 0), 0, false);
    h.tick();
    QCOMPARE(h.get<QLabel>("LBTrueTime")->text(), QStringLiteral("2026年02月10日  11:31:36      "));
    QCOMPARE(h.text("Edit4"), QStringLiteral("午"));
    h.get<QTabWidget>("PageControl2")->setCurrentIndex(1);
    h.window->setChosenTime(MakeDateTime(2026, 7, 1, 12, 0));
    h.tick();
    QCOMPARE(h.get<QLabel>("Label56")->text(), QStringLiteral("2026年07月01日  18:00:00      "));
    QCOMPARE(h.get<QLabel>("Label58")->text(), QStringLiteral("2026年07月01日  10:04:58      "));
    QCOMPARE(h.text("Edit4"), QStringLiteral("巳"));
    // Only Beijing time: the six longitude controls go, and the hour follows the clock itself.
    h.get<QTabWidget>("PageControl2")->setCurrentIndex(0);
    h.get<QCheckBox>("DBCheckBox1")->click();
    h.tick();
    QVERIFY(h.get("edit3")->isHidden());
    QVERIFY(h.get("LBTrueTime")->isHidden());
    QCOMPARE(h.text("Edit4"), QStringLiteral("午"));
}

void TestMainWindowTick::invalidLongitudeShowsMessageInHourBox() {
    Harness h;
    h.show();
    h.chooseMoment(MakeDateTime(2026, 3, 1, 9, 0), 0, false);
    h.tick();
    const QString day = h.text("Edit5");
    h.get<QLineEdit>("edit3")->setText(QStringLiteral("abc"));
    h.tick();
    QCOMPARE(h.text("Edit4"), QStringLiteral("请先输入正确东经数"));
    QVERIFY(h.text("Edit7").endsWith(QStringLiteral("请先输入正确东经数")));
    // No hour: no point is shown as open.
    QCOMPARE(h.text("Edit8"), QString());
    QCOMPARE(h.text("Edit10"), QString());
    QCOMPARE(h.text("Edit5"), day);
    QCOMPARE(h.count(MessageKind::Notice), 0);
    // With only Beijing time the box is reset to 120 and stored.
    h.get<QCheckBox>("DBCheckBox1")->click();
    h.tick();
    QCOMPARE(h.text("edit3"), QStringLiteral("120"));
    QCOMPARE(h.value("select xy from xxyy"), QStringLiteral("120"));
    QVERIFY(!h.text("Edit8").isEmpty());
}

void TestMainWindowTick::noticeOnChangeNeverOnFirstTick() {
    Harness h({QStringLiteral("update xxyy set hint1='True'")});
    h.show();
    h.chooseMoment(MakeDateTime(2026, 5, 1, 10, 59, 58), 0);
    h.tick();
    QCOMPARE(h.count(MessageKind::Notice), 0);
    QVERIFY(h.player->played.isEmpty());
    h.tick();
    QCOMPARE(h.count(MessageKind::Notice), 0);
    // The notice holds the tick: no timer runs and the pages still show the previous hour meanwhile.
    bool timerRanDuringNotice = true;
    QString pointDuringNotice;
    h.window->setMessageHook([&](MessageKind k, const QString& t) {
        if (k == MessageKind::Notice) {
            timerRanDuringNotice = h.get<QTimer>("Timer1")->isActive();
            pointDuringNotice = h.text("DBEdit1");
        }
        h.messages.push_back({k, t});
    });
    const QString before = h.text("DBEdit1");
    h.window->setChosenTime(MakeDateTime(2026, 5, 1, 11, 0, 0));
    h.tick();
    QCOMPARE(h.count(MessageKind::Notice), 1);
    QVERIFY(!timerRanDuringNotice);
    QCOMPARE(pointDuringNotice, before);
    QVERIFY(h.text("DBEdit1") != before);
    QCOMPARE(h.messages.back().text, QStringLiteral("时辰已经变换为午时了。"));
    QCOMPARE(h.player->played, QStringList{h.window->dataPaths().SoundFile()});
    h.tick();
    QCOMPARE(h.count(MessageKind::Notice), 1);
    // A change of mode at 23:30 is a change of double-hour too.
    h.window->setChosenTime(MakeDateTime(2026, 5, 1, 23, 30));
    h.get<QAbstractButton>("DBRadioGroup1_1")->click();
    h.tick();
    QCOMPARE(h.messages.back().text, QStringLiteral("时辰已经变换为子时了。"));
    h.get<QAbstractButton>("DBRadioGroup1_2")->click();
    h.tick();
    QCOMPARE(h.messages.back().text, QStringLiteral("时辰已经变换为亥时了。"));
    QCOMPARE(h.count(MessageKind::Notice), 3);
}

void TestMainWindowTick::greyedHintGivesNoNotice() {
    Harness h({QStringLiteral("update xxyy set hint1=NULL")});
    h.show();
    h.chooseMoment(MakeDateTime(2026, 5, 1, 10, 59), 0);
    h.tick();
    h.window->setChosenTime(MakeDateTime(2026, 5, 1, 11, 1));
    h.tick();
    QCOMPARE(h.text("Edit4"), QStringLiteral("午"));
    QCOMPARE(h.count(MessageKind::Notice), 0);
    QVERIFY(h.player->played.isEmpty());
}

void TestMainWindowTick::focusedPointGetsDescriptionAndPicture() {
    Harness h({QStringLiteral("update 穴位说明 set 图片路径='' where 穴位='公孙'")});
    h.show();
    h.window->activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(h.window.get()));
    h.chooseMoment(MakeDateTime(1949, 10, 1, 23, 30), 1);
    h.tick();
    QCOMPARE(h.text("Edit8"), QStringLiteral("公孙"));
    h.get("Edit8")->setFocus();
    h.tick();
    QCOMPARE(h.window->currentPicturePath(), std::string("pic\\脾.JPG"));
    QCOMPARE(h.value("select 图片路径 from 穴位说明 where 穴位='公孙'"), QStringLiteral("pic\\脾.JPG"));
    QVERIFY(!h.get<QPlainTextEdit>("DBMemo1")->toPlainText().isEmpty());
    // The partner is described in turn; its stored path is kept.
    h.get("Edit6")->setFocus();
    h.tick();
    QCOMPARE(h.text("Edit6"), QStringLiteral("内关"));
    QCOMPARE(h.window->currentPicturePath(), std::string("pic\\心包.JPG"));
}

void TestMainWindowTick::gridRowIsDescribedAndMemoKeepsPoint() {
    Harness h;
    h.show();
    h.window->activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(h.window.get()));
    h.chooseMoment(MakeDateTime(1949, 10, 1, 12, 30), 0);
    h.tick();
    auto* grid = h.get<QTableWidget>("DBGrid1");
    QVERIFY(grid->rowCount() > 2);
    grid->setFocus();
    grid->setCurrentCell(2, 0);
    h.tick();
    const QString memo = h.get<QPlainTextEdit>("DBMemo1")->toPlainText();
    QCOMPARE(
        memo,
        h.value(
            QStringLiteral("select 穴位说明 from 穴位说明 where 穴位='%1'").arg(grid->item(2, 0)->text())));
    h.get("DBMemo1")->setFocus();
    h.tick();
    QCOMPARE(h.get<QPlainTextEdit>("DBMemo1")->toPlainText(), memo);
}

void TestMainWindowTick::tickSurvivesFailingStep() {
    Harness h;
    h.show();
    h.chooseMoment(MakeDateTime(1949, 10, 1, 12, 30), 0);
    h.tick();
    QVERIFY(!h.text("DBEdit9").isEmpty());
    h.exec(QStringLiteral("drop table 天干表"));
    h.chooseMoment(MakeDateTime(1949, 10, 2, 12, 30), 0);
    h.tick();
    // Reported once in a box, then in the window; the failed page shows nothing old.
    QCOMPARE(h.count(MessageKind::Error), 1);
    QVERIFY(h.messages.back().text.contains(QStringLiteral("天干表")));
    QVERIFY(h.get("TickStatus")->isVisible());
    QVERIFY(h.text("DBEdit13").isEmpty());
    QVERIFY(h.text("DBEdit9").isEmpty());
    // The other pages are current.
    QCOMPARE(h.text("Edit5"), QStringLiteral("乙丑"));
    QVERIFY(!h.text("Edit8").isEmpty());
    QVERIFY(!h.text("DBEdit1").isEmpty());
    h.window->Timer1Timer();
    QVERIFY(h.get<QTimer>("Timer1")->isActive());
    h.get<QTimer>("Timer1")->stop();
    QCOMPARE(h.count(MessageKind::Error), 1);
    QVERIFY(h.get("TickStatus")->isVisible());
    // Mended data: the next tick starts afresh and the report goes away.
    h.exec(
        QStringLiteral("create table 天干表 (实际日 text, 实际时辰 text, 值日经 text, 经脉 text, 五行 text, "
                       "五俞 text, 穴位 text, 过原 text, 兼过原穴 text)"));
    h.exec(QStringLiteral("insert into 天干表 values ('乙','壬午','肝经','胃经','土','俞','陷谷','','')"));
    h.tick();
    QCOMPARE(h.text("DBEdit13"), QStringLiteral("陷谷"));
    QVERIFY(!h.get("TickStatus")->isVisible());
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
    h.show();
    QDateTime now = clock.front();
    h.window->setClock([&now] { return now; });
    QVERIFY(h.get<QCheckBox>("CheckBox2")->isChecked());
    for (int i = 0; i < clock.size(); ++i) {
        now = clock[i];
        h.tick();
        QCOMPARE(h.text("Edit1"), now.toString(QStringLiteral("yyyy年MM月dd日  HH:mm:ss ")));
        QCOMPARE(Pages(h), expected[i]);
        QVERIFY(h.window->tickErrorText().isEmpty());
        QCOMPARE(h.count(MessageKind::Notice), noticesAfter[i]);
    }
    QVERIFY(expected[2] != expected[1]);  // the day jump changed the day's pages
    QCOMPARE(h.player->played.size(), 3);
    QStringList notices;
    for (const auto& m : h.messages)
        if (m.kind == MessageKind::Notice) notices << m.text;
    QCOMPARE(notices,
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
    h.get("Edit8")->setFocus();
    h.tick();
    QCOMPARE(h.window->currentPicturePath(), std::string("pic\\脾.JPG"));

    FrmPic* pictures = h.window->secondaryWindows().frmPIC;
    h.window->btnpicClick();
    QVERIFY(h.messages.empty());
    const QImage shown = pictures->Image1()->Image();
    QVERIFY(!shown.isNull());
    QVERIFY(QFile::remove(picture));
    h.window->btnpicClick();
    QCOMPARE(h.count(MessageKind::Error), 1);
    QVERIFY2(h.messages.back().text.contains(QStringLiteral("脾.JPG")), qPrintable(h.messages.back().text));
    QFile damaged(picture);
    QVERIFY(damaged.open(QIODevice::WriteOnly));
    damaged.write(QByteArray("\xFF\xD8\xFF\xE0 cut off", 11));
    damaged.close();
    h.window->btnpicClick();
    QCOMPARE(h.count(MessageKind::Error), 2);
    QCOMPARE(pictures->Image1()->Image(), shown);

    FrmMsg* texts = h.window->secondaryWindows().frmMSG;
    h.window->mnaboutClick();
    const QString about = texts->Memo1()->toPlainText();
    QVERIFY(!about.isEmpty());
    QVERIFY(QFile::remove(help));
    h.window->mnaboutClick();
    QCOMPARE(h.count(MessageKind::Error), 3);
    QVERIFY2(h.messages.back().text.contains(QStringLiteral("about.txt")),
             qPrintable(h.messages.back().text));
    QCOMPARE(texts->Memo1()->toPlainText(), about);
    h.tick();
    QVERIFY(h.window->tickErrorText().isEmpty());
}

// A sound file that cannot be played: every notice still comes, and the failure is said once.
void TestMainWindowTick::brokenSoundIsSaidOnceAndTheNoticeGoesOn() {
    Harness h({QStringLiteral("update xxyy set hint1='True'")});
    h.player->failWith = QStringLiteral("文件已损坏");
    h.show();
    h.chooseMoment(MakeDateTime(2026, 5, 1, 10, 59, 59), 0);
    h.tick();
    for (int hour : {11, 13, 15}) {
        h.window->setChosenTime(MakeDateTime(2026, 5, 1, hour, 0));
        h.tick();
        QCoreApplication::processEvents();
    }
    QCOMPARE(h.count(MessageKind::Notice), 3);
    QCOMPARE(h.player->played.size(), 3);
    QTRY_COMPARE(h.count(MessageKind::Message), 1);
    QCoreApplication::processEvents();
    QCOMPARE(h.count(MessageKind::Message), 1);
    QStringList texts;
    for (const auto& m : h.messages)
        if (m.kind == MessageKind::Message) texts << m.text;
    QVERIFY2(texts.value(0).contains(QStringLiteral("romance.mp3")) &&
                 texts.value(0).contains(QStringLiteral("文件已损坏")),
             qPrintable(texts.value(0)));
    QVERIFY(h.window->tickErrorText().isEmpty());
}

QTEST_MAIN(TestMainWindowTick)
#include "test_mainwindow_tick.moc"
