// The window in the pseudo-translation, every English text 40 % longer: no caption, button or tab is cut off,
// on any page, so a translation longer than today's English still reads whole, and the reverse lookup window
// still fits a small screen at twice the scale.
#include <QAbstractButton>
#include <QApplication>
#include <QLabel>
#include <QMenuBar>
#include <QPushButton>
#include <QTabWidget>
#include <QToolButton>
#include <QtTest>

#include "test_mainwindow_fixture.h"

using namespace velunar;
using namespace velunar::ui;
using namespace velunar::ui::testing;

class TestPseudoFit : public QObject {
    Q_OBJECT

  private slots:
    void everyTextShowsWhole();
};

namespace {

// The texts of the visible controls under `root` that are narrower than their text needs.
QStringList Clipped(QWidget* root) {
    QStringList out;
    for (QWidget* w : root->findChildren<QWidget*>()) {
        if (!w->isVisible() || w->width() <= 0) continue;
        int needed = 0;
        QString text;
        if (auto* l = qobject_cast<QLabel*>(w); l && !l->wordWrap() && !l->text().isEmpty() && !l->pixmap()) {
            text = l->text();
            needed = l->sizeHint().width();
        } else if (auto* b = qobject_cast<QAbstractButton*>(w); b && !b->text().isEmpty()) {
            text = b->text();
            // A push button's hint has a floor of its own; what counts is room for its words.
            needed = qobject_cast<QPushButton*>(w) || qobject_cast<QToolButton*>(w)
                         ? b->fontMetrics().horizontalAdvance(QString(text).remove(QLatin1Char('&'))) + 6
                         : b->sizeHint().width();
        }
        if (needed > w->width() + 1)
            out << QStringLiteral("%1 \"%2\": %3 of %4 px")
                       .arg(w->objectName(), text)
                       .arg(w->width())
                       .arg(needed);
    }
    return out;
}

}  // namespace

void TestPseudoFit::everyTextShowsWhole() {
    Harness h;
    h.window->resize(1366, 740);
    h.show();
    h.chooseMoment(MakeDateTime(2026, 2, 10, 4, 30), 0);
    h.window->chooseLanguage(QStringLiteral("en"));
    QCoreApplication::processEvents();
    h.tick();
    QStringList clipped;
    auto* pages = h.get<QTabWidget>("methodPages");
    for (int i = 0; i < pages->count(); ++i) {
        pages->setCurrentIndex(i);
        QCoreApplication::processEvents();
        h.tick();
        QCoreApplication::processEvents();
        for (const QString& c : Clipped(h.window.get()))
            if (!clipped.contains(c)) clipped << c;
    }
    QVERIFY(
        h.window->menuBar()->actions().first()->text().endsWith(QLatin1Char('~')));  // the pseudo catalogue
    // The description opened out, and the secondary windows as the menus open them.
    if (auto* b = h.window->findChild<QPushButton*>(QStringLiteral("descriptionToggle"))) b->click();
    for (const char* action : {"descriptionManagerAction", "reverseLookupAction", "scheduleAction"})
        h.window->findChild<QAction*>(QString::fromLatin1(action))->trigger();
    QCoreApplication::processEvents();
    for (QWidget* top : QApplication::topLevelWidgets())
        if (top->isVisible())
            for (const QString& c : Clipped(top))
                if (!clipped.contains(c)) clipped << top->windowTitle() + QStringLiteral(": ") + c;
    QVERIFY2(clipped.isEmpty(), qPrintable(clipped.join(QLatin1Char('\n'))));

    // A 1366×768 screen at twice the scale leaves the reverse lookup window 683×384 pixels, less its frame:
    // its rows of controls must go on in further lines there rather than hold it wider than the screen.
    const QSize twiceScale(1366 / 2 - 4, 768 / 2 - 24);
    QWidget* reverse = nullptr;
    for (QWidget* top : QApplication::topLevelWidgets())
        if (top->objectName() == QLatin1String("reverseLookupWindow")) reverse = top;
    QVERIFY(reverse && reverse->isVisible());
    reverse->resize(twiceScale);
    QCoreApplication::processEvents();
    QCoreApplication::processEvents();
    const QSize least = reverse->minimumSizeHint();
    QVERIFY2(least.width() <= twiceScale.width() && least.height() <= twiceScale.height(),
             qPrintable(QStringLiteral("the reverse lookup window needs at least %1×%2")
                            .arg(least.width())
                            .arg(least.height())));
}

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    // The pseudo-translation stands in for the English catalogue (made by the build from velunar_en.ts).
    qputenv("VELUNAR_CATALOGUE", VELUNAR_BIN_DIR "/translations/velunar_pseudo.qm");
    QApplication app(argc, argv);
    TestPseudoFit tests;
    return QTest::qExec(&tests, argc, argv);
}

#include "test_pseudo_fit.moc"
