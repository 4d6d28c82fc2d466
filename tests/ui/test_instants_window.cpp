// The main window's picked moment as an instant: the two times of a reading the clocks show twice, a reading
// they skip, China's summer time when asked for, and the sixth stem written as the settings say.
#include <QComboBox>
#include <QLabel>

#include "test_mainwindow_fixture.h"
#include "ui/schedulewindow.h"
#include "ui/schedulemodel.h"

using namespace velunar;
using namespace velunar::ui;
using velunar::ui::testing::Harness;

namespace {

const QStringList kParis = {
    QStringLiteral("update xxyy set ischina = 'nochina', tzid = 'Europe/Paris', ew = '东经', jingew = '2.35'")};

}  // namespace

class TestInstantsWindow : public QObject {
    Q_OBJECT
  private slots:
    void aReadingShownTwiceOffersBothTimes();
    void aSkippedReadingIsSaidAndCountedOn();
    void chinasSummerTimeIsNamedAndAppliedWhenAsked();
    void theSixthStemIsWrittenAsTheSettingsSay();
};

void TestInstantsWindow::aReadingShownTwiceOffersBothTimes() {
    Harness h(kParis);
    h.show();
    h.chooseMoment(MakeDateTime(2026, 10, 25, 2, 30), 0, false);
    h.tick();
    auto* pass = h.get<QComboBox>("passBox");
    QVERIFY(pass->isVisible());
    QCOMPARE(pass->count(), 2);
    QVERIFY(pass->itemText(0).contains(QStringLiteral("夏令时")));
    QVERIFY(pass->itemText(1).contains(QStringLiteral("标准时间")));
    // As the clock would: the later time, standard time, 01:30 UTC.
    QCOMPARE(pass->currentIndex(), 1);
    QVERIFY(h.get<QLabel>("abroadBeijingLabel")->text().startsWith(QStringLiteral("2026年10月25日  09:30:00")));
    QCOMPARE(h.get<QLineEdit>("summerBox")->text(), QStringLiteral("0"));
    emit pass->activated(0);
    QCOMPARE(pass->currentIndex(), 0);
    QVERIFY(h.get<QLabel>("abroadBeijingLabel")->text().startsWith(QStringLiteral("2026年10月25日  08:30:00")));
    QCOMPARE(h.get<QLineEdit>("summerBox")->text(), QStringLiteral("60"));
    // Another reading is taken afresh; a day without a change shows no choice.
    h.window->setChosenTime(MakeDateTime(2026, 10, 26, 2, 30));
    h.tick();
    QVERIFY(!pass->isVisible());
    // The first time, named with its offset, as the dial and the 开穴表 name a span's first second.
    h.window->setChosenTime(MakeDateTime(2026, 10, 25, 2, 30), 7200);
    h.tick();
    QCOMPARE(pass->currentIndex(), 0);
}

void TestInstantsWindow::aSkippedReadingIsSaidAndCountedOn() {
    Harness h(kParis);
    h.show();
    h.chooseMoment(MakeDateTime(2026, 3, 29, 2, 30), 0, false);
    h.tick();
    auto* note = h.get<QLabel>("pickNoteLabel");
    QVERIFY(note->isVisible());
    QVERIFY2(note->text().contains(QStringLiteral("03:30:00")), qPrintable(note->text()));
    QVERIFY(!h.get<QComboBox>("passBox")->isVisible());
    QVERIFY(h.get<QLabel>("abroadBeijingLabel")->text().startsWith(QStringLiteral("2026年03月29日  09:30:00")));
    h.window->setChosenTime(MakeDateTime(2026, 3, 29, 3, 30));
    h.tick();
    QVERIFY(!note->isVisible());
}

void TestInstantsWindow::chinasSummerTimeIsNamedAndAppliedWhenAsked() {
    Harness h({QStringLiteral("update xxyy set xy = '120'")});
    h.show();
    h.chooseMoment(MakeDateTime(1988, 7, 15, 12, 0), 0, false);
    h.tick();
    auto* hint = h.get<QLabel>("chinaHintLabel");
    QVERIFY(hint->isVisible());
    QVERIFY2(hint->text().startsWith(QStringLiteral("1988-07-15 中国实行夏令时，钟表比北京时间快 60 分钟")),
             qPrintable(hint->text()));
    const QString standard = h.get<QLabel>("chinaTrueSolarLabel")->text();
    QVERIFY(standard.startsWith(QStringLiteral("1988年07月15日  11:53")));
    // Taken on the clocks of then: an hour earlier by the sun.
    h.get<QCheckBox>("chinaSummerBox")->click();
    h.tick();
    QVERIFY(h.get<QLabel>("chinaTrueSolarLabel")->text().startsWith(QStringLiteral("1988年07月15日  10:53")));
    QVERIFY(hint->text().contains(QStringLiteral("已按夏令时计算")));
    // Outside those years nothing changes and nothing is said.
    h.window->setChosenTime(MakeDateTime(2026, 7, 15, 12, 0));
    h.tick();
    QVERIFY(!hint->isVisible());
    QVERIFY(h.get<QLabel>("chinaTrueSolarLabel")->text().startsWith(QStringLiteral("2026年07月15日  11:53")));
}

void TestInstantsWindow::theSixthStemIsWrittenAsTheSettingsSay() {
    Harness h;
    h.show();
    h.chooseMoment(MakeDateTime(2026, 12, 11, 12, 0), 0);  // an 已未 day
    h.tick();
    QCOMPARE(h.text("dayGanZhiBox"), QStringLiteral("已未"));
    auto* stems = h.get<QComboBox>("sixthStemBox");
    stems->setCurrentIndex(1);
    h.tick();
    QCOMPARE(h.text("dayGanZhiBox"), QStringLiteral("己未"));
    // The 开穴表 follows, and the stored tables keep their keys.
    auto* schedule = qobject_cast<ScheduleWindow*>(h.window->secondaryWindows().schedule);
    QVERIFY(schedule);
    schedule->setRange(QDate(2026, 12, 11), ScheduleWindow::Length::Day);
    QCOMPARE(schedule->model()->index(0, 2).data().toString(), QStringLiteral("己未"));
    QCOMPARE(h.value(QStringLiteral("select count(*) from 天干表 where 实际日 = '已'")), QStringLiteral("12"));
    stems->setCurrentIndex(0);
    h.tick();
    QCOMPARE(h.text("dayGanZhiBox"), QStringLiteral("已未"));
}

QTEST_MAIN(TestInstantsWindow)
#include "test_instants_window.moc"
