// Windows on small screens and where they reopen: the opened-out main window within half of 1366×768 (the
// logical screen at a scale factor of 2), and kept placements restored, or moved onto the screen when they
// no longer fit it.
#include <QGuiApplication>
#include <QPushButton>
#include <QScreen>
#include <QScrollArea>
#include <QScrollBar>
#include <QSettings>
#include <QTemporaryDir>
#include <QtTest>

#include "test_mainwindow_fixture.h"
#include "ui/textwindow.h"
#include "ui/windowplacement.h"

using namespace velunar;
using namespace velunar::ui;
using velunar::ui::testing::Harness;

namespace {

bool Inside(const QWidget& w, const QRect& area) {
    return area.contains(w.frameGeometry());
}

QString Where(const QWidget& w) {
    const QRect f = w.frameGeometry();
    return QStringLiteral("%1,%2 %3×%4").arg(f.x()).arg(f.y()).arg(f.width()).arg(f.height());
}

}  // namespace

class TestWindowPlacement : public QObject {
    Q_OBJECT
  private slots:
    void initTestCase() { qputenv("XDG_RUNTIME_DIR", QDir::tempPath().toUtf8()); }
    void cleanup() {
        SetAvailableAreaForTesting(std::nullopt);
        UsePlacementStore(nullptr);
    }
    void openedOutMainWindowFitsAtScaleTwo();
    void placementIsRestoredAndKeptOnTheScreen();
    void mainWindowKeepsItsClosedSize();
};

void TestWindowPlacement::openedOutMainWindowFitsAtScaleTwo() {
    const QRect half(0, 0, 1366 / 2, 768 / 2);
    SetAvailableAreaForTesting(half);
    Harness h;
    h.show();
    MainWindow& w = *h.window;
    QVERIFY2(Inside(w, half), qPrintable(Where(w)));
    // Room for a title bar and a panel beside the smallest window.
    QVERIFY(w.minimumSize().width() <= half.width() && w.minimumSize().height() + 60 <= half.height());
    h.get<QPushButton>("descriptionToggle")->click();
    QTRY_VERIFY(h.get("descriptionMemo")->isVisible());
    QTest::qWait(20);
    QVERIFY2(Inside(w, half), qPrintable(Where(w)));
    // What does not fit scrolls: the description and its buttons can be reached.
    auto* area = qobject_cast<QScrollArea*>(w.centralWidget());
    QVERIFY(area && area->verticalScrollBar()->isVisible());
    area->ensureWidgetVisible(h.get("pictureButton"));
    QTRY_VERIFY(
        area->viewport()->rect().contains(h.get("pictureButton")->mapTo(area->viewport(), QPoint(0, 0))));
}

// A placement kept the old way (a corner and a size) is taken once and then kept as Qt's own geometry; each
// restart puts the window where it was, to the pixel; a geometry off the screen comes back onto it.
void TestWindowPlacement::placementIsRestoredAndKeptOnTheScreen() {
    QTemporaryDir dir;
    QSettings store(dir.filePath(QStringLiteral("windows.ini")), QSettings::IniFormat);
    UsePlacementStore(&store);
    store.setValue(QStringLiteral("windows/helpTextWindow/pos"), QPoint(50, 60));
    store.setValue(QStringLiteral("windows/helpTextWindow/size"), QSize(400, 300));
    for (int start = 0; start < 5; ++start) {
        HelpTextWindow window;
        window.show();
        QVERIFY(QTest::qWaitForWindowExposed(&window));
        QCOMPARE(window.pos(), QPoint(50, 60));
        QCOMPARE(window.size(), QSize(400, 300));
        window.hide();
        QVERIFY(!store.value(QStringLiteral("windows/helpTextWindow/geometry")).toByteArray().isEmpty());
        QVERIFY(!store.contains(QStringLiteral("windows/helpTextWindow/pos")));
    }
    const QRect screen = QGuiApplication::primaryScreen()->availableGeometry();
    {
        HelpTextWindow far;
        far.show();
        QVERIFY(QTest::qWaitForWindowExposed(&far));
        far.move(screen.right() + 400, screen.bottom() + 300);
        far.hide();
    }
    HelpTextWindow back;
    back.show();
    QVERIFY(QTest::qWaitForWindowExposed(&back));
    QVERIFY2(screen.intersects(back.frameGeometry()), qPrintable(Where(back)));
    QVERIFY2(screen.contains(back.frameGeometry().topLeft()), qPrintable(Where(back)));
}

void TestWindowPlacement::mainWindowKeepsItsClosedSize() {
    QTemporaryDir dir;
    QSettings store(dir.filePath(QStringLiteral("windows.ini")), QSettings::IniFormat);
    UsePlacementStore(&store);
    QSize closed;
    {
        Harness h;
        h.show();
        closed = h.window->size();
        h.get<QPushButton>("descriptionToggle")->click();
        QTRY_VERIFY(h.window->height() > closed.height() + 100);
        h.window->close();
    }
    // The next start opens with the description closed, as large as the window was without it.
    Harness h;
    h.show();
    QCOMPARE(h.window->size(), closed);
}

QTEST_MAIN(TestWindowPlacement)
#include "test_windowplacement.moc"
