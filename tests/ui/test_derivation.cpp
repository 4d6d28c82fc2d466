// "为什么？" on the method pages against `velunar-cli now --explain`: each page's button and F2 show the
// derivation of what that page shows at the moment shown, the same steps as the command line's, as text the
// user can select and copy.
#include <QApplication>
#include <QClipboard>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTabWidget>
#include <sstream>

#include "cli/commands.h"
#include "test_mainwindow_fixture.h"
#include "ui/derivationwindow.h"

using namespace velunar;
using namespace velunar::ui;
using velunar::ui::testing::Harness;

namespace {

// now --json --explain's derivations for the same database and moment.
QJsonObject Explain(const QString& db, const QString& at, int mode) {
    std::ostringstream out, err;
    cli::CommandIo io{out, err};
    cli::RunCli({"now", "--json", "--explain", "--beijing", "--db", db.toStdString(), "--at",
                 at.toStdString(), "--mode", std::to_string(mode)},
                io);
    return QJsonDocument::fromJson(QByteArray::fromStdString(out.str())).object()["explain"].toObject();
}

// The numbered lines of the window's text, without their numbers, in order.
QStringList Steps(const QString& text) {
    QStringList steps;
    for (const QString& line : text.split(QLatin1Char('\n'))) {
        const qsizetype dot = line.indexOf(QStringLiteral(". "));
        bool number = false;
        if (dot > 0) line.left(dot).toInt(&number);
        if (number) steps << line.mid(dot + 2);
    }
    return steps;
}

QStringList Texts(const QJsonArray& a) {
    QStringList texts;
    for (const QJsonValue& v : a) texts << v.toString();
    return texts;
}

}  // namespace

class TestDerivation : public QObject {
    Q_OBJECT

  private slots:
    void everyPageShowsItsDerivationAsTheCommandLineDoes();
    void f2ShowsThePageInFrontAndTheTextCanBeCopied();
};

void TestDerivation::everyPageShowsItsDerivationAsTheCommandLineDoes() {
    Harness h;
    h.show();
    // 2013-06-09 00:30, a 丙午 day's 戊子 hour: closed for 纳干法, so its page carries the 补穴 too.
    const DateTime at = MakeDateTime(2013, 6, 9, 0, 30);
    h.chooseMoment(at, 0);
    h.tick();
    const QJsonObject cli = Explain(h.dbPath(), QStringLiteral("2013-06-09 00:30:00"), 0);
    const QStringList time = Texts(cli["time"].toArray());
    QVERIFY(!time.isEmpty());
    const struct {
        const char* button;
        const char* key;
    } pages[] = {{"naGanWhyButton", "nagan"},     {"supplementaryWhyButton", "nagan"},
                 {"naZhiWhyButton", "nazhi"},     {"lingGuiWhyButton", "linggui"},
                 {"feiTengWhyButton", "feiteng"}, {"shiGanWhyButton", "shigan"},
                 {"riGanWhyButton", "rigan"},     {"naZhi2WhyButton", "nazhi2"}};
    auto* methodPages = h.get<QTabWidget>("methodPages");
    QWidget* focused = QApplication::focusWidget();
    for (const auto& p : pages) {
        auto* button = h.get<QPushButton>(p.button);
        methodPages->setCurrentWidget(button->parentWidget());
        QTest::mouseClick(button, Qt::LeftButton);
        auto* window = h.window->findChild<DerivationWindow*>();
        QVERIFY2(window && window->isVisible(), p.button);
        // The time step, then the page's doctrine: step for step what the command line says.
        const QStringList expected = time + Texts(cli[QLatin1String(p.key)].toArray());
        QCOMPARE(Steps(window->textBox()->toPlainText()), expected);
        // The button takes no focus: the described point stays.
        QCOMPARE(QApplication::focusWidget(), focused);
    }
    const QString lingGui = [&] {
        methodPages->setCurrentWidget(h.get<QWidget>("lingGuiPage"));
        QTest::mouseClick(h.get<QPushButton>("lingGuiWhyButton"), Qt::LeftButton);
        return h.window->findChild<DerivationWindow*>()->textBox()->toPlainText();
    }();
    QVERIFY(lingGui.contains(QStringLiteral("7 + 7 + 5 + 9 = 28")));
    QVERIFY(lingGui.contains(QStringLiteral("28 mod 9 = 1")));
    QVERIFY(lingGui.contains(QStringLiteral("灵龟八法：开申脉，配后溪")));
    QVERIFY(!lingGui.contains(QStringLiteral("飞腾八法：")));
}

void TestDerivation::f2ShowsThePageInFrontAndTheTextCanBeCopied() {
    Harness h;
    h.show();
    h.chooseMoment(MakeDateTime(2013, 6, 9, 0, 30), 0);
    h.tick();
    auto* pages = h.get<QTabWidget>("methodPages");
    pages->setCurrentWidget(h.get<QWidget>("feiTengPage"));
    QTest::keyClick(h.window.get(), Qt::Key_F2);
    auto* window = h.window->findChild<DerivationWindow*>();
    QVERIFY(window && window->isVisible());
    QVERIFY(window->windowTitle().contains(QStringLiteral("飞腾八法")));
    const QString text = window->textBox()->toPlainText();
    QVERIFY(text.contains(QStringLiteral("飞腾八法：开临泣，配外关")));
    QVERIFY(!text.contains(QStringLiteral("灵龟八法：")));
    // The shown moment, not a new reading: a later tick at another moment leaves the open text alone until
    // it is asked for again.
    h.chooseMoment(MakeDateTime(2013, 6, 9, 12, 30), 0);
    h.tick();
    QCOMPARE(window->textBox()->toPlainText(), text);
    QTest::keyClick(h.window.get(), Qt::Key_F2);
    QVERIFY(window->textBox()->toPlainText() != text);

    // Read-only, selectable by mouse and keyboard, and copied whole by its button.
    QVERIFY(window->textBox()->isReadOnly());
    QVERIFY(window->textBox()->textInteractionFlags() & Qt::TextSelectableByKeyboard);
    QVERIFY(window->textBox()->textInteractionFlags() & Qt::TextSelectableByMouse);
    QTest::mouseClick(window->copyButton(), Qt::LeftButton);
    QCOMPARE(QApplication::clipboard()->text(), window->textBox()->toPlainText());

    // The dial page is no doctrine's: F2 there shows every derivation.
    pages->setCurrentIndex(pages->count() - 1);
    QTest::keyClick(h.window.get(), Qt::Key_F2);
    for (const char* heading : {"时间：", "纳干法（徐氏）：", "纳支法：", "灵龟八法：", "飞腾八法：",
                                "时干法：", "日干法：", "纳支法2："})
        QVERIFY2(window->textBox()->toPlainText().contains(QString::fromUtf8(heading)), heading);
}

QTEST_MAIN(TestDerivation)
#include "test_derivation.moc"
