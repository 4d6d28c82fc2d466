// The abroad page's tz-database zone, the equation-of-time choice and the clock hints in the window.
#include <QComboBox>
#include <QLabel>
#include <QTimeZone>

#include "test_mainwindow_fixture.h"

using namespace velunar;
using namespace velunar::ui;
using velunar::ui::testing::Harness;

class TestZoneChoices : public QObject {
    Q_OBJECT
  private slots:
    void storedZoneDerivesTheSummerTimeWithoutStoringIt();
    void forgottenSummerTimeIsSaidOnTheAbroadPage();
    void storedUnknownZoneIsSaidOnce();
    void theLiveClockTellsTheTwoPassesOfARepeatedHourApart();
    void eotChoiceIsStoredAndChangesTheTrueSolarTime();
};

void TestZoneChoices::storedZoneDerivesTheSummerTimeWithoutStoringIt() {
    Harness h(
        {QStringLiteral("update xxyy set ischina = 'nochina', suma = '0', tzid = 'America/Los_Angeles'")});
    h.show();
    h.chooseMoment(MakeDateTime(2026, 7, 1, 12), 0, false);
    h.tick();
    QCOMPARE(h.text("summerBox"), QStringLiteral("60"));
    QVERIFY(!h.get<QLineEdit>("summerBox")->isEnabled());
    QVERIFY(
        h.get<QLabel>("abroadBeijingLabel")->text().startsWith(QStringLiteral("2026年07月02日  03:00:00")));
    QVERIFY(h.get<QLabel>("abroadHintLabel")->isHidden());
    // The fixed-zone box shows the zone in force and takes no input meanwhile.
    auto* zone = h.get<QComboBox>("zoneBox");
    const QString stored = h.value(QStringLiteral("select zone from xxyy"));
    QVERIFY(!zone->isEnabled());
    QCOMPARE(zone->currentText(), QStringLiteral("(GMT-08:00) America/Los_Angeles"));
    // The machine's clock read as Los Angeles time: said where the machine's zone is another.
    h.get<QCheckBox>("automaticBox")->click();
    QDateTime now(QDate(2026, 7, 1), QTime(12, 0), Qt::UTC);
    h.window->setClock([&now] { return now; });
    h.tick();
    const QTimeZone machine = QTimeZone::systemTimeZone();
    const bool machineElsewhere =
        machine.offsetFromUtc(QDateTime(QDate(2026, 7, 1), QTime(12, 0), machine)) != -7 * 3600;
    QCOMPARE(h.get<QLabel>("abroadHintLabel")->isVisible(), machineElsewhere);
    if (machineElsewhere)
        QVERIFY2(h.get<QLabel>("abroadHintLabel")->text().startsWith(QStringLiteral("本机时区此时为")) &&
                     h.get<QLabel>("abroadHintLabel")->text().contains(QStringLiteral("America/Los_Angeles")),
                 qPrintable(h.get<QLabel>("abroadHintLabel")->text()));
    h.chooseMoment(MakeDateTime(2026, 7, 1, 12), 0, false);
    h.tick();
    // Back to the fixed zone: the typed summer time and the zone are what they were.
    h.get<QCheckBox>("automaticZoneBox")->click();
    h.tick();
    QCOMPARE(h.text("summerBox"), QStringLiteral("0"));
    QVERIFY(h.get<QLineEdit>("summerBox")->isEnabled());
    QVERIFY(zone->isEnabled());
    QCOMPARE(zone->currentText(), stored);
    h.window->close();
    QCOMPARE(h.value(QStringLiteral("select suma from xxyy")), QStringLiteral("0"));
    QCOMPARE(h.value(QStringLiteral("select tzid from xxyy")), QString());
    QCOMPARE(h.value(QStringLiteral("select zone from xxyy")), stored);
}

void TestZoneChoices::forgottenSummerTimeIsSaidOnTheAbroadPage() {
    Harness h(
        {QStringLiteral("update xxyy set ischina = 'nochina', suma = '0', "
                        "zone = '(GMT+01:00) 布鲁塞尔，哥本哈根，马德里，巴黎'")});
    h.show();
    h.chooseMoment(MakeDateTime(2026, 7, 1, 12), 0, false);
    h.tick();
    auto* hint = h.get<QLabel>("abroadHintLabel");
    QVERIFY(!hint->isHidden());
    QCOMPARE(hint->text(), QStringLiteral("当地此时实行夏令时 60 分钟，您输入的是 0"));
    h.chooseMoment(MakeDateTime(2026, 1, 15, 12), 0, false);
    h.tick();
    QVERIFY(hint->isHidden());
}

void TestZoneChoices::theLiveClockTellsTheTwoPassesOfARepeatedHourApart() {
    // 02:30 shows twice in Paris on 2026-10-25: first in summer time, an hour later in standard time. The
    // machine clock's reading is the same; its instant is not.
    Harness h({QStringLiteral("update xxyy set ischina = 'nochina', suma = '0', tzid = 'Europe/Paris'")});
    h.show();
    const QTimeZone paris("Europe/Paris");
    QDateTime now = QDateTime::fromMSecsSinceEpoch(1'792'888'200'000, paris);
    QCOMPARE(now.time(), QTime(2, 30));
    h.window->setClock([&now] { return now; });
    QVERIFY(h.get<QCheckBox>("automaticBox")->isChecked());
    h.tick();
    QCOMPARE(h.text("summerBox"), QStringLiteral("60"));
    const QString firstPass = h.get<QLabel>("abroadBeijingLabel")->text();
    now = now.addSecs(3600);
    QCOMPARE(now.time(), QTime(2, 30));
    h.tick();
    QCOMPARE(h.text("summerBox"), QStringLiteral("0"));
    // Beijing time moved on by the hour that passed, not stood still.
    QVERIFY(firstPass.startsWith(QStringLiteral("2026年10月25日  08:30")));
    QVERIFY(h.get<QLabel>("abroadBeijingLabel")->text().startsWith(QStringLiteral("2026年10月25日  09:30")));
}

void TestZoneChoices::storedUnknownZoneIsSaidOnce() {
    Harness h({QStringLiteral("update xxyy set ischina = 'nochina', tzid = 'Mars/Olympus'")});
    h.show();
    h.tick();
    h.tick();
    int said = 0;
    for (const auto& m : h.messages) said += m.text.contains(QStringLiteral("Mars/Olympus"));
    QCOMPARE(said, 1);
    QVERIFY(h.window->tickErrorText().isEmpty());
}

void TestZoneChoices::eotChoiceIsStoredAndChangesTheTrueSolarTime() {
    Harness h;
    h.show();
    h.chooseMoment(MakeDateTime(2026, 9, 1, 12), 0, false);
    h.tick();
    const QString table = h.get<QLabel>("chinaTrueSolarLabel")->text();
    h.get<QComboBox>("eotBox")->setCurrentIndex(1);
    h.tick();
    QVERIFY(h.get<QLabel>("chinaTrueSolarLabel")->text() != table);
    h.window->close();
    QCOMPARE(h.value(QStringLiteral("select eot from xxyy")), QStringLiteral("天文计算"));
}

QTEST_MAIN(TestZoneChoices)
#include "test_zone_choices.moc"
