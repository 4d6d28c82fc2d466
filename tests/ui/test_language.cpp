// The window in another language while it runs: every text said again at once, the values named in English,
// the point described still found, the choice kept per user, and Chinese back exactly as it was.
#include <QAbstractButton>
#include <QApplication>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QPlainTextEdit>
#include <QTabWidget>
#include <QtTest>

#include "store/translation.h"
#include "test_mainwindow_fixture.h"

using namespace velunar;
using namespace velunar::ui;
using namespace velunar::ui::testing;

namespace {

// Every caption, button, tab and menu text of the window, by object and place.
QStringList Texts(QWidget* root) {
    QStringList out;
    for (QWidget* w : root->findChildren<QWidget*>()) {
        if (auto* l = qobject_cast<QLabel*>(w)) out << l->text();
        if (auto* b = qobject_cast<QAbstractButton*>(w)) out << b->text();
        if (auto* t = qobject_cast<QTabWidget*>(w))
            for (int i = 0; i < t->count(); ++i) out << t->tabText(i);
        // The menu bar's overflow menu (untitled) holds what the bar cannot show, as many as its width
        // leaves.
        if (auto* m = qobject_cast<QMenu*>(w); m && m->title().isEmpty()) continue;
        for (QAction* a : w->actions()) out << a->text();
    }
    return out;
}

bool HasChinese(const QString& s) {
    return s.contains(QRegularExpression(QStringLiteral("[\\x{4e00}-\\x{9fff}]")));
}

}  // namespace

class TestLanguage : public QObject {
    Q_OBJECT

  private slots:
    void switchingSaysEverythingAgainAndBack();
};

void TestLanguage::switchingSaysEverythingAgainAndBack() {
    Harness h;
    h.show();
    h.window->activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(h.window.get()));
    h.chooseMoment(MakeDateTime(1949, 10, 1, 23, 30), 1);
    h.get("lingGuiPointBox")->setFocus();
    h.tick();  // the description follows the box's value at the tick before
    h.tick();
    const QStringList chinese = Texts(h.window.get());
    QCOMPARE(h.text("lingGuiPointBox"), QStringLiteral("公孙"));

    h.window->chooseLanguage(QStringLiteral("en"));
    QCoreApplication::processEvents();  // the forms made in Designer say their texts on
                                        // QEvent::LanguageChange
    QCOMPARE(store::CurrentLanguage(), store::Language::English);
    QCOMPARE(h.value(QStringLiteral("select lang from xxyy")), QStringLiteral("en"));
    // Static texts said again without a restart; no caption, button, tab or menu keeps its Chinese but the
    // language menu's own 语言 / Language and the choice 中文.
    for (const QString& t : Texts(h.window.get())) {
        if (t.contains(QStringLiteral("Language")) || t == QStringLiteral("中文")) continue;
        QVERIFY2(!HasChinese(t) || t.contains(QRegularExpression(QStringLiteral("[A-Za-z]"))), qPrintable(t));
    }
    QCOMPARE(h.window->menuBar()->actions().first()->text(), QStringLiteral("&File"));

    // Values named after the standard nomenclature; the point still found for its description.
    QCOMPARE(h.text("lingGuiPointBox"), QStringLiteral("SP4 Gōngsūn 公孙"));
    h.get("lingGuiPointBox")->setFocus();
    h.tick();
    QCOMPARE(h.get<QLabel>("descriptionHeading")->text(), QStringLiteral("公孙 · SP4"));
    QVERIFY(!h.get<QPlainTextEdit>("descriptionMemo")->toPlainText().isEmpty());
    // Points by code and pinyin alone, in either language.
    h.window->choosePointNames(QStringLiteral("代码拼音"));
    QCOMPARE(h.text("lingGuiPointBox"), QStringLiteral("SP4 Gōngsūn"));
    h.window->choosePointNames(QString());

    // Back in Chinese every text is what it was, byte for byte.
    h.window->chooseLanguage(QStringLiteral("zh"));
    QCoreApplication::processEvents();
    h.tick();
    QCOMPARE(Texts(h.window.get()), chinese);
    QCOMPARE(h.text("lingGuiPointBox"), QStringLiteral("公孙"));
    QCOMPARE(h.value(QStringLiteral("select lang from xxyy")), QStringLiteral("zh"));
    QVERIFY(h.messages.empty());
}

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    TestLanguage tests;
    return QTest::qExec(&tests, argc, argv);
}

#include "test_language.moc"
