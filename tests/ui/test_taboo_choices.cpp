// The lunar line of the time pages, the warning of a method page whose point lies where the 人神 dwells, and
// the switch that hides them, stored for the next start; the age is used and never stored.
#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QSpinBox>

#include "test_mainwindow_fixture.h"

using namespace velunar;
using namespace velunar::ui;
using velunar::ui::testing::Harness;

class TestTabooChoices : public QObject {
    Q_OBJECT
  private slots:
    void theLineAndThePageWarningAndTheSwitch();
    void anOlderDatabaseShowsTheLines();
};

// The lunar line as one text: broken into lines between its parts to the width of the column it stands in.
QString Shown(const Harness& h) {
    return h.get<QLabel>("chinaLunarLabel")->text().replace(u'\n', QStringLiteral(" · "));
}

void TestTabooChoices::theLineAndThePageWarningAndTheSwitch() {
    Harness h;
    h.show();
    // 初一 of 冬月: the 人神 is in the big toe, and 纳支法 tonifies 大都 at 午时 that day.
    h.chooseMoment(MakeDateTime(2026, 12, 9, 13), 0, false);
    h.tick();
    // Broken into lines between its parts to the width of the column it stands in.
    const QString line = Shown(h);
    QVERIFY2(line.startsWith(QStringLiteral(
                 "农历丙午年冬月初一 · 大雪 · 月龄 0.2 天 · 人神在足大趾 · 月相 朔（月郭空无治）")),
             qPrintable(line));
    auto* warning = h.get<QLabel>("naZhiTabooWarning");
    QVERIFY(!warning->isHidden());
    QVERIFY2(warning->text().startsWith(QStringLiteral("大都正当人神所在：初一人神在足大趾，不宜针灸")),
             qPrintable(warning->text()));
    QVERIFY(h.get<QLabel>("naGanTabooWarning")->isHidden());

    // An age adds 行年人神 and 尻神 to the line, and is not stored.
    h.get<QSpinBox>("patientAgeBox")->setValue(40);
    h.tick();
    QVERIFY(Shown(h).contains(QStringLiteral("尻神在中宫：肩、尻")));

    h.get<QComboBox>("renShenSourceBox")->setCurrentIndex(2);
    h.get<QCheckBox>("renShenShownBox")->click();
    h.tick();
    QCOMPARE(Shown(h), QStringLiteral("农历丙午年冬月初一 · 大雪 · 月龄 0.2 天 · 月相 朔（月郭空无治）"));
    QVERIFY(warning->isHidden());
    h.window->close();
    QCOMPARE(h.value(QStringLiteral("select renshen from xxyy")), QStringLiteral("False"));
    QCOMPARE(h.value(QStringLiteral("select renshensrc from xxyy")), QStringLiteral("针灸大成"));
}

void TestTabooChoices::anOlderDatabaseShowsTheLines() {
    Harness h({QStringLiteral("alter table xxyy drop column renshen"),
               QStringLiteral("alter table xxyy drop column renshensrc")});
    h.show();
    QVERIFY(h.get<QCheckBox>("renShenShownBox")->isChecked());
    h.chooseMoment(MakeDateTime(2026, 12, 9, 13), 0, false);
    h.tick();
    QVERIFY(Shown(h).contains(QStringLiteral("人神在足大趾")));
    QVERIFY(h.window->tickErrorText().isEmpty());
}

QTEST_MAIN(TestTabooChoices)
#include "test_taboo_choices.moc"
