// The main window as it starts, is laid out, navigated, edited and closed.
#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QDateEdit>
#include <QGuiApplication>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QScreen>
#include <QSignalSpy>
#include <QTabWidget>
#include <QThread>
#include <QTimeEdit>
#include <QToolButton>
#include <QTreeView>

#include <unistd.h>

#include "files/longitude.h"
#include "test_mainwindow_fixture.h"
#include "ui/finishedentry.h"
#include "ui/mainwindow_widgets.h"
#include "ui/picturewindow.h"
#include "ui/placepicker.h"
#include "ui/singleinstance.h"
#include "ui/textwindow.h"

using namespace velunar;
using namespace velunar::ui;
using velunar::ui::testing::Harness;

class TestMainWindow : public QObject {
    Q_OBJECT
  private slots:
    void startPageFollowsIsChina_data();
    void startPageFollowsIsChina();
    void startsAsLaidOut();
    void toggleSetsHeightsAndCaptions();
    void menuBringsPageIndexes();
    void menuCaptionsAndOrder();
    void tabFollowsThePagesAndPickersTakeDigits();
    void closingStoresPageAndTimeMode_data();
    void closingStoresPageAndTimeMode();
    void storedSettingsShowInControls();
    void greyedAndUnknownSettings();
    void typedLongitudeCountsOnlyWhenFinished();
    void abroadEntriesCountOnlyWhenFinished_data();
    void abroadEntriesCountOnlyWhenFinished();
    void secondStartOnTheSameDatabaseRaisesTheFirst();
    void onlyALiveProgramsLockMeansAlreadyRunning();
    void aReadOnlyStartUsesTheSettingsWithoutWritingThem();
    void aSaveWhileAnotherProgramHoldsTheDatabaseIsMarkedAndRetried();
    void keysAndDialogsAsAUserExpects();
    void twoWindowsKeepEachOthersChanges();
    void failedOpenIsReportedAndSkipsTheRest();
    void missingSettingsRowIsCreatedAndSaidOnce();
    void readOnlyDatabaseIsMadeWritableAtTheFirstWrite();
};

void TestMainWindow::startPageFollowsIsChina_data() {
    QTest::addColumn<QString>("ischina");
    QTest::addColumn<int>("page");
    QTest::newRow("empty") << QString() << 1;
    QTest::newRow("yeschina") << QStringLiteral("yeschina") << 0;
    QTest::newRow("nochina") << QStringLiteral("nochina") << 1;
    QTest::newRow("other case") << QStringLiteral("YesChina") << 1;
}

void TestMainWindow::startPageFollowsIsChina() {
    QFETCH(QString, ischina);
    QFETCH(int, page);
    Harness h({QStringLiteral("update xxyy set ischina='%1'").arg(ischina)});
    h.show();
    QCOMPARE(h.get<QTabWidget>("timePages")->currentIndex(), page);
    QCOMPARE(h.window->frameGeometry().top(), h.window->screen()->geometry().top());
    QVERIFY(h.messages.empty());
}

void TestMainWindow::startsAsLaidOut() {
    Harness h;
    // The first tick comes with the first showing: at an open hour, whatever the time of the run.
    h.window->setClock([] { return QDateTime(QDate(2026, 2, 10), QTime(4, 30), Qt::UTC); });
    // Before the first tick no box holds a placeholder of its own.
    QCOMPARE(h.text("hourBranchBox"), QString());
    QCOMPARE(h.text("lingGuiPointBox"), QString());
    h.show();
    MainWindow& w = *h.window;
    QCOMPARE(w.windowTitle(), QStringLiteral("VelunarV4.5"));
    // As large as its pages need, no larger, where the screen has the room.
    QCOMPARE(w.centralWidget()->size(), w.centralWidget()->sizeHint());
    auto* methods = h.get<QTabWidget>("methodPages");
    QCOMPARE(methods->count(), 9);
    const char* pages[] = {"naGanPage", "naZhiPage",  "lingGuiPage", "feiTengPage", "supplementaryPage",
                           "riGanPage", "shiGanPage", "naZhi2Page",  "dial"};
    for (int i = 0; i < 9; ++i) QCOMPARE(methods->widget(i)->objectName(), QString::fromLatin1(pages[i]));
    QCOMPARE(methods->currentIndex(), 2);
    QCOMPARE(methods->tabText(2), QStringLiteral("灵龟八法"));
    QVERIFY(!methods->isTabVisible(4));
    auto* settingsPages = h.get<QTabWidget>("settingsPages");
    QCOMPARE(settingsPages->tabText(0), QStringLiteral("设置常用"));
    QCOMPARE(settingsPages->tabText(1), QStringLiteral("设置时辰模式"));
    for (const char* hidden : {"hourBranchBox", "datePicker", "timePicker", "supplementaryButton"})
        QVERIFY2(!h.get(hidden)->isVisibleTo(&w), hidden);
    QVERIFY(!h.get("descriptionMemo")->isVisible());
    QVERIFY(h.get<QCheckBox>("automaticBox")->isChecked());
    QCOMPARE(h.get<QComboBox>("zoneBox")->count(), 75);
    QCOMPARE(h.get<QPushButton>("descriptionToggle")->text(), QStringLiteral("打开穴位说明>>"));
    const QString note = BeijingNoteText();
    QVERIFY(note.startsWith(QStringLiteral("关于国外真太阳时：")));
    QVERIFY(note.indexOf(QStringLiteral("夏令时")) < note.indexOf(QStringLiteral("日期变更线")));
    QVERIFY(note.indexOf(QStringLiteral("甲子日")) < note.indexOf(QStringLiteral("澳大利亚")));
    QVERIFY(note.indexOf(QStringLiteral("澳大利亚")) < note.indexOf(QStringLiteral("北京时间是定律")));
}

void TestMainWindow::toggleSetsHeightsAndCaptions() {
    Harness h;
    h.show();
    auto* toggle = h.get<QPushButton>("descriptionToggle");
    const int closedHeight = h.window->height();
    toggle->click();
    QCOMPARE(toggle->text(), QStringLiteral("<<关闭穴位说明"));
    QTRY_VERIFY(h.window->height() > closedHeight + 100);
    const int openHeight = h.window->height();
    QVERIFY(h.get("descriptionMemo")->isVisible());
    QVERIFY(h.get("pictureButton")->isVisible());
    toggle->click();
    QCOMPARE(toggle->text(), QStringLiteral("打开穴位说明>>"));
    QTRY_VERIFY(h.window->height() < openHeight - 100);
    QVERIFY(!h.get("descriptionMemo")->isVisible());
}

void TestMainWindow::menuBringsPageIndexes() {
    Harness h;
    h.window->setClock([] { return QDateTime(QDate(2026, 2, 10), QTime(4, 30), Qt::UTC); });
    h.show();
    auto* methods = h.get<QTabWidget>("methodPages");
    const std::pair<const char*, int> items[] = {
        {"showNaGanAction", 0},  {"showNaZhiAction", 1},  {"showFeiTengAction", 3}, {"showRiGanAction", 5},
        {"showShiGanAction", 6}, {"showNaZhi2Action", 7}, {"showLingGuiAction", 2}};
    for (const auto& [name, index] : items) {
        h.get<QAction>(name)->trigger();
        QCOMPARE(methods->currentIndex(), index);
    }
    QCOMPARE(h.get<QAction>("showFeiTengAction")->text(), QStringLiteral("飞腾八法"));
    QCOMPARE(h.get<QAction>("showRiGanAction")->text(), QStringLiteral("纳干法之日干法(少用)"));
    QVERIFY(!methods->isTabVisible(4));
    QCOMPARE(methods->widget(4)->objectName(), QStringLiteral("supplementaryPage"));
}

void TestMainWindow::menuCaptionsAndOrder() {
    Harness h;
    QStringList top;
    for (QAction* a : h.window->menuBar()->actions()) top << a->text();
    QCOMPARE(top,
             (QStringList{QStringLiteral("文件(&F)"), QStringLiteral("定位(&L)"), QStringLiteral("管理(&M)"),
                          QStringLiteral("相关知识(&K)"), QStringLiteral(" 帮助(&H)")}));
    QCOMPARE(h.get<QAction>("quitAction")->shortcut(), QKeySequence(Qt::CTRL | Qt::Key_Q));
    QCOMPARE(h.get<QAction>("trueSolarHelpAction")->shortcut(), QKeySequence(Qt::Key_F1));
    QCOMPARE(h.get<QAction>("reverseLookupAction")->shortcut(), QKeySequence(Qt::CTRL | Qt::Key_R));
    QCOMPARE(h.get<QAction>("aboutAction")->text(), QStringLiteral(" 关于..."));
    QStringList show;
    for (QAction* a : h.get<QMenu>("pagesMenu")->actions()) show << a->objectName();
    QCOMPARE(show,
             (QStringList{"showNaGanAction", "showNaZhiAction", "showLingGuiAction", "showFeiTengAction",
                          "showRiGanAction", "showShiGanAction", "showNaZhi2Action"}));
    QStringList manage;
    for (QAction* a : h.get<QMenu>("manageMenu")->actions()) manage << a->objectName();
    QCOMPARE(manage, (QStringList{"descriptionManagerAction", "placePickerAction", "clockSettingsAction",
                                  "scheduleAction", "planAction", "clinicHoursAction", "nextOpeningsAction"}));
    QCOMPARE(h.get<QAction>("nextOpeningsAction")->shortcut(), QKeySequence(Qt::CTRL | Qt::Key_N));
    QCOMPARE(h.get<QAction>("scheduleAction")->shortcut(), QKeySequence(Qt::CTRL | Qt::Key_T));
}

void TestMainWindow::tabFollowsThePagesAndPickersTakeDigits() {
    Harness h;
    h.show();
    h.window->activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(h.window.get()));
    auto tabFrom = [&](const char* start) {
        h.get(start)->setFocus();
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        return QApplication::focusWidget();
    };
    // The longitude's arrows and "..." come after it; the 灵龟 page goes row by row.
    auto* arrows = h.get<UpDownArrows>("longitudeArrows");
    QCOMPARE(tabFrom("longitudeBox"), arrows->upButton());
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
    QCOMPARE(QApplication::focusWidget(), arrows->downButton());
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
    QCOMPARE(QApplication::focusWidget(), h.get("placePickerButton"));
    QCOMPARE(tabFrom("dayGanZhiBox"), h.get("reverseLookupButton"));
    QCOMPARE(tabFrom("reverseLookupButton"), h.get("hourGanZhiBox"));
    QCOMPARE(tabFrom("hourGanZhiBox"), h.get("lingGuiPointBox"));
    // One click into the hours of the time picker, then two digits: the hour is replaced.
    h.window->setChosenTime(MakeDateTime(2026, 2, 10, 4, 30));
    h.tick();
    auto* time = h.get<QTimeEdit>("timePicker");
    QTRY_VERIFY(time->isVisible());
    auto* text = time->findChild<QLineEdit*>();
    QTest::mouseClick(text, Qt::LeftButton, {},
                      QPoint(text->fontMetrics().horizontalAdvance(QStringLiteral("0")), text->height() / 2));
    QTRY_COMPARE(time->currentSection(), QDateTimeEdit::HourSection);
    QTRY_VERIFY(text->hasSelectedText());
    QTest::keyClicks(time, QStringLiteral("11"));
    QCOMPARE(time->time(), QTime(11, 30));
}

void TestMainWindow::closingStoresPageAndTimeMode_data() {
    QTest::addColumn<bool>("throughMenu");
    QTest::newRow("close box") << false;
    QTest::newRow("menu 关闭") << true;
}

void TestMainWindow::closingStoresPageAndTimeMode() {
    QFETCH(bool, throughMenu);
    Harness h({QStringLiteral("update xxyy set ischina='yeschina', timemode='不区分夜子时早子时'")});
    h.show();
    h.get<QTabWidget>("timePages")->setCurrentIndex(1);
    h.get<QRadioButton>("timeModeButton1")->click();
    QCOMPARE(h.window->settingsRecord().TimeMode(), std::string("区分夜子时早子时"));
    // Pending until the close: the row is not posted by the click.
    QCOMPARE(h.value("select timemode from xxyy"), QStringLiteral("不区分夜子时早子时"));
    if (throughMenu)
        h.get<QAction>("quitAction")->trigger();
    else
        h.window->close();
    QCOMPARE(h.value("select ischina from xxyy"), QStringLiteral("nochina"));
    QCOMPARE(h.value("select timemode from xxyy"), QStringLiteral("区分夜子时早子时"));
}

void TestMainWindow::storedSettingsShowInControls() {
    Harness h(
        {QStringLiteral("update xxyy set xy='101.5', ew='西经', zone='(GMT-03:30) 纽芬兰', suma='60', "
                        "jingew='52.7', hint1='false', onlyBeiJingTime='TRUE', timemode='以0-2时为子时'")});
    h.show();
    QCOMPARE(h.text("longitudeBox"), QStringLiteral("101.5"));
    QCOMPARE(h.get<QComboBox>("eastWestBox")->currentText(), QStringLiteral("西经"));
    QCOMPARE(h.get<QComboBox>("zoneBox")->currentText(), QStringLiteral("(GMT-03:30) 纽芬兰"));
    QCOMPARE(h.text("summerBox"), QStringLiteral("60"));
    QCOMPARE(h.text("abroadLongitudeBox"), QStringLiteral("52.7"));
    QCOMPARE(h.get<QCheckBox>("noticeBox")->checkState(), Qt::Unchecked);
    QCOMPARE(h.get<QCheckBox>("onlyBeijingBox")->checkState(), Qt::Checked);
    QVERIFY(h.get<QRadioButton>("timeModeButton2")->isChecked());
    QCOMPARE(h.window->settingsRecord().TimeMode(), std::string("以0-2时为子时"));
    // Loading is not an edit: closing stores only the page.
    h.window->close();
    QCOMPARE(h.value("select xy from xxyy"), QStringLiteral("101.5"));
    QCOMPARE(h.value("select hint1 from xxyy"), QStringLiteral("false"));
}

void TestMainWindow::greyedAndUnknownSettings() {
    Harness h({QStringLiteral("update xxyy set hint1=NULL, onlyBeiJingTime='maybe', timemode='午夜'")});
    h.show();
    auto* hint = h.get<QCheckBox>("noticeBox");
    QCOMPARE(hint->checkState(), Qt::PartiallyChecked);
    QCOMPARE(h.get<QCheckBox>("onlyBeijingBox")->checkState(), Qt::PartiallyChecked);
    // A time mode that names none: said once, shown and used as the first, and left stored as it was.
    auto* first = h.get<QRadioButton>("timeModeButton0");
    QVERIFY(first->isChecked());
    QCOMPARE(h.count(MessageKind::Message), 1);
    QVERIFY2(h.messages.front().text.contains(QStringLiteral("“午夜”")), qPrintable(h.messages.front().text));
    QVERIFY(!TimeModeOf(h.window->settingsRecord().TimeMode()));
    h.window->setChosenTime(MakeDateTime(2026, 12, 9, 23, 30));
    h.tick();
    h.tick();
    QCOMPARE(h.count(MessageKind::Message), 1);
    QCOMPARE(h.window->lastView().moment.timeMode, std::optional(TimeMode::NoNightRat));
    QVERIFY(!h.text("hourGanZhiBox").isEmpty());
    // A click on a greyed box gives a plain state that is stored on close.
    hint->click();
    QCOMPARE(hint->checkState(), Qt::Checked);
    hint->click();
    QCOMPARE(hint->checkState(), Qt::Unchecked);
    h.window->close();
    QCOMPARE(h.value("select hint1 from xxyy"), QStringLiteral("False"));
    QCOMPARE(h.value("select timemode from xxyy"), QStringLiteral("午夜"));
    // Picking the mode shown is a choice: it is stored.
    h.window->show();
    first->click();
    h.window->close();
    QCOMPARE(h.value("select timemode from xxyy"), QStringLiteral("不区分夜子时早子时"));
}

// Typing counts only once finished: "2", "0", "0" leaves everything as stored and shows the hint, with no
// message box, also after the pause; a half-typed "10" moves nothing; Enter saves it once.
void TestMainWindow::typedLongitudeCountsOnlyWhenFinished() {
    Harness h({QStringLiteral("update xxyy set hint1='True', xy='116.28'"),
               QStringLiteral("create table writes (n integer)"),
               QStringLiteral("insert into writes values (0)"),
               QStringLiteral(
                   "create trigger counted after update on xxyy begin update writes set n = n + 1; end")});
    h.show();
    h.chooseMoment(MakeDateTime(2026, 3, 1, 9, 10), 0, false);
    h.tick();
    const QString hour = h.text("hourGanZhiBox");
    const QString writes = h.value(QStringLiteral("select n from writes"));
    auto* box = h.get<QLineEdit>("longitudeBox");
    auto* hint = h.get<QLabel>("longitudeHint");
    box->setFocus();
    box->selectAll();
    QTest::keyClicks(box, QStringLiteral("200"));
    h.tick();
    QVERIFY(!hint->isHidden());
    QCOMPARE(hint->text(), QStringLiteral("东经 0–180"));
    QTest::qWait(FinishedEntry::kIdleMs + 200);
    h.tick();
    QCOMPARE(h.value(QStringLiteral("select xy from xxyy")), QStringLiteral("116.28"));
    QCOMPARE(h.value(QStringLiteral("select n from writes")), writes);
    QCOMPARE(h.text("hourGanZhiBox"), hour);
    QCOMPARE(h.window->noticesGiven(), 0);
    QCOMPARE(h.count(MessageKind::Message), 0);

    box->selectAll();
    QTest::keyClicks(box, QStringLiteral("10"));
    QVERIFY(hint->isHidden());
    h.tick();
    QCOMPARE(h.text("hourGanZhiBox"), hour);
    QCOMPARE(h.value(QStringLiteral("select xy from xxyy")), QStringLiteral("116.28"));
    QTest::keyClick(box, Qt::Key_Return);
    QCOMPARE(h.value(QStringLiteral("select xy from xxyy")), QStringLiteral("10"));
    // The arrow keys step at once, as the arrow buttons do; one write each.
    QTest::keyClick(box, Qt::Key_Up);
    QTest::keyClick(box, Qt::Key_Down);
    QTest::keyClick(box, Qt::Key_Down);
    QCOMPARE(h.value(QStringLiteral("select xy from xxyy")), QStringLiteral("9"));
    QTest::qWait(FinishedEntry::kIdleMs + 200);
    box->clearFocus();
    QCOMPARE(h.value(QStringLiteral("select n from writes")).toInt(), writes.toInt() + 4);
    h.tick();
    QVERIFY(h.text("hourGanZhiBox") != hour);
}

// The summer time and the abroad longitude: an invalid typed text is hinted, never stored, also when the
// focus leaves; a valid one is stored after the pause.
void TestMainWindow::abroadEntriesCountOnlyWhenFinished_data() {
    QTest::addColumn<QString>("box");
    QTest::addColumn<QString>("hint");
    QTest::addColumn<QString>("column");
    QTest::addColumn<QString>("invalid");
    QTest::addColumn<QString>("valid");
    QTest::newRow("summer") << "summerBox"
                            << "summerHint"
                            << "suma"
                            << "6o"
                            << "60";
    QTest::newRow("longitude") << "abroadLongitudeBox"
                               << "abroadLongitudeHint"
                               << "jingew"
                               << "200"
                               << "52.5";
}

void TestMainWindow::abroadEntriesCountOnlyWhenFinished() {
    QFETCH(QString, box);
    QFETCH(QString, hint);
    QFETCH(QString, column);
    QFETCH(QString, invalid);
    QFETCH(QString, valid);
    Harness h({QStringLiteral("update xxyy set ischina='nochina'")});
    h.show();
    const QString select = QStringLiteral("select %1 from xxyy").arg(column);
    const QString stored = h.value(select);
    auto* edit = h.get<QLineEdit>(box.toLatin1().constData());
    auto* label = h.get<QLabel>(hint.toLatin1().constData());
    edit->setFocus();
    edit->selectAll();
    QTest::keyClicks(edit, invalid);
    QVERIFY(!label->isHidden());
    h.get("eastWestBox")->setFocus();
    QCOMPARE(h.value(select), stored);
    edit->setFocus();
    edit->selectAll();
    QTest::keyClicks(edit, valid);
    QVERIFY(label->isHidden());
    QCOMPARE(h.value(select), stored);
    QTRY_COMPARE(h.value(select), valid);
    QCOMPARE(h.count(MessageKind::Message), 0);
}

void TestMainWindow::secondStartOnTheSameDatabaseRaisesTheFirst() {
    using Start = SingleInstance::Start;
    Harness h;
    SingleInstance first(h.dbPath());
    QCOMPARE(first.acquire(), Start::Alone);
    QSignalSpy raised(&first, &SingleInstance::activationRequested);
    {
        // The same file by another spelling of its path is the same database.
        SingleInstance second(h.dir.path() + QStringLiteral("/./db1.sqlite"));
        QCOMPARE(second.acquire(), Start::OtherRunning);
        QVERIFY(second.askedRunning());
    }
    QVERIFY(raised.wait(3000));
    // A start given a moment and a page hands them over, and hears that they were taken.
    QSignalSpy requests(&first, &SingleInstance::requestsReceived);
    bool taken = false;
    std::unique_ptr<QThread> later(QThread::create([&] {
        SingleInstance second(h.dbPath());
        second.acquire({QStringLiteral("at 2026-02-10T04:30:00"), QStringLiteral("page 8")});
        taken = second.requestsTaken();
    }));
    later->start();
    QVERIFY(requests.wait(3000));
    QTRY_VERIFY(later->isFinished());
    QVERIFY(taken);
    QCOMPARE(requests.front().front().toStringList(),
             (QStringList{QStringLiteral("at 2026-02-10T04:30:00"), QStringLiteral("page 8")}));
    QTemporaryDir otherDir;
    SingleInstance other(otherDir.filePath(QStringLiteral("db1.sqlite")));
    QCOMPARE(other.acquire(), Start::Alone);
}

// Only a live program's lock keeps a start out. A lock file nobody holds (emptied by a full disk, damaged,
// left by a crash, copied from another machine with the folder) is taken over; a folder where no lock file
// can be made lets the program start, with the reason.
void TestMainWindow::onlyALiveProgramsLockMeansAlreadyRunning() {
    using Start = SingleInstance::Start;
    const QByteArray leftBehind[] = {
        "", "garbage", "999999\nvelunar\nsome-other-machine\n",
        QByteArray::number(0x7ffffff0) + "\nvelunar\n" + QSysInfo::machineHostName().toUtf8() + "\n"};
    for (const QByteArray& content : leftBehind) {
        QTemporaryDir dir;
        const QString db = dir.filePath(QStringLiteral("db1.sqlite"));
        QFile lock(db + QStringLiteral(".lock"));
        QVERIFY(lock.open(QIODevice::WriteOnly));
        lock.write(content);
        lock.close();
        // Older than a program that is starting and has not locked it yet.
        QVERIFY(lock.open(QIODevice::ReadWrite));
        QVERIFY(
            lock.setFileTime(QDateTime::currentDateTime().addSecs(-60), QFileDevice::FileModificationTime));
        lock.close();
        SingleInstance start(db);
        QCOMPARE(start.acquire(), Start::Alone);
        QVERIFY2(start.unlockedReason().isEmpty(), qPrintable(start.unlockedReason()));
    }
    // No folder to make the lock file in (also for root, whom permissions do not stop).
    SingleInstance nowhere(QStringLiteral("/nonexistent-velunar-folder/db1.sqlite"));
    QCOMPARE(nowhere.acquire(), Start::Unlocked);
    QVERIFY(!nowhere.unlockedReason().isEmpty());
    QVERIFY(!nowhere.askedRunning());
    if (::geteuid() == 0) QSKIP("root writes into read-only folders");
    QTemporaryDir dir;
    QVERIFY(QFile::setPermissions(dir.path(), QFile::ReadOwner | QFile::ExeOwner));
    SingleInstance readOnly(dir.filePath(QStringLiteral("db1.sqlite")));
    QCOMPARE(readOnly.acquire(), Start::Unlocked);
    QVERIFY(readOnly.folderReadOnly());
    QVERIFY2(readOnly.unlockedReason().contains(QStringLiteral("权限")),
             qPrintable(readOnly.unlockedReason()));
    QFile::setPermissions(dir.path(), QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
}

// Started where nothing can be written: said once, the changed settings are used and marked, and nothing is
// written, not even at the close.
void TestMainWindow::aReadOnlyStartUsesTheSettingsWithoutWritingThem() {
    Harness h({QStringLiteral("update xxyy set xy='116.28', onlyBeiJingTime='False', ischina='yeschina'")});
    QFile file(h.dbPath());
    QVERIFY(file.open(QIODevice::ReadOnly));
    const QByteArray before = file.readAll();
    file.close();
    h.window->runWithoutLock(h.dbPath() + QStringLiteral(".lock"), QStringLiteral("数据库所在的磁盘是只读的"),
                             true);
    h.show();
    QCOMPARE(h.count(MessageKind::Message), 1);
    QVERIFY2(h.messages.front().text.contains(QStringLiteral("只读")), qPrintable(h.messages.front().text));
    h.window->setChosenTime(MakeDateTime(2026, 12, 9, 10, 30));
    h.tick();
    const QString solar = h.get<QLabel>("chinaTrueSolarLabel")->text();
    h.get<QLineEdit>("longitudeBox")->setText(QStringLiteral("90"));
    h.tick();
    QVERIFY(h.get<QLabel>("chinaTrueSolarLabel")->text() != solar);
    auto* note = h.get<QLabel>("unsavedNote");
    QVERIFY(!note->isHidden());
    QVERIFY2(note->toolTip().contains(QStringLiteral("东经")), qPrintable(note->toolTip()));
    h.get<QAbstractButton>("timeModeButton1")->click();
    // Describing a point derives its picture without storing it.
    h.window->activateWindow();
    h.get("lingGuiPointBox")->setFocus();
    h.tick();
    QVERIFY(!h.window->currentPicturePath().empty());
    QVERIFY2(h.window->tickErrorText().isEmpty(), qPrintable(h.window->tickErrorText()));
    h.window->close();
    QCOMPARE(h.count(MessageKind::Message), 1);
    QCOMPARE(h.count(MessageKind::Error), 0);
    QVERIFY(file.open(QIODevice::ReadOnly));
    QCOMPARE(file.readAll(), before);
}

// Another program holds the database in a transaction: the change is refused once, with one box, marked
// as not saved, and written by itself once the other program lets go.
void TestMainWindow::aSaveWhileAnotherProgramHoldsTheDatabaseIsMarkedAndRetried() {
    Harness h;
    h.window->database().SetBusyTimeout(200);
    h.show();
    // A chosen moment: no double-hour ends during the test.
    h.window->setChosenTime(MakeDateTime(2026, 12, 9, 10, 30));
    const auto errorText = [&h] {
        for (const auto& m : h.messages)
            if (m.kind == MessageKind::Error) return m.text;
        return QString();
    };
    const QString name = QStringLiteral("another-program");
    {
        QSqlDatabase other = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), name);
        other.setDatabaseName(h.dbPath());
        QVERIFY(other.open());
        QVERIFY(QSqlQuery(other).exec(QStringLiteral("begin exclusive")));
        auto* box = h.get<QLineEdit>("longitudeBox");
        box->setFocus();
        box->selectAll();
        QTest::keyClicks(box, QStringLiteral("100"));
        QTest::keyClick(box, Qt::Key_Return);
        h.tick();
        box->selectAll();
        QTest::keyClicks(box, QStringLiteral("101"));
        QTest::keyClick(box, Qt::Key_Return);
        h.get("eastWestBox")->setFocus();
        h.tick();
        QCOMPARE(h.count(MessageKind::Error), 1);
        QCOMPARE(errorText(), QStringLiteral("数据库被其他程序锁定，修改没有保存，稍后再试"));
        auto* note = h.get<QLabel>("unsavedNote");
        QVERIFY(!note->isHidden());
        QVERIFY2(note->toolTip().contains(QStringLiteral("东经")), qPrintable(note->toolTip()));
        // The retries wait for nothing while the lock stays.
        QElapsedTimer waited;
        waited.start();
        QTest::qWait(2500);
        QVERIFY(waited.elapsed() < 3500);
        QCOMPARE(h.count(MessageKind::Error), 1);
        QVERIFY(QSqlQuery(other).exec(QStringLiteral("commit")));
        other.close();
    }
    QSqlDatabase::removeDatabase(name);
    QTRY_COMPARE_WITH_TIMEOUT(h.value(QStringLiteral("select xy from xxyy")), QStringLiteral("101"), 5000);
    QTRY_VERIFY(h.get<QLabel>("unsavedNote")->isHidden());
    QCOMPARE(h.count(MessageKind::Error), 1);
}

// The place picker starts in its tree and takes a place with Enter; Esc closes every secondary window;
// Ctrl+R on an open lookup puts the keyboard in its point box; a digit typed into a date goes into the part
// the cursor is in.
void TestMainWindow::keysAndDialogsAsAUserExpects() {
    Harness h;
    QVERIFY(
        QFile::copy(QStringLiteral(VELUNAR_BIN_DIR "/tree.ini"), h.dir.filePath(QStringLiteral("tree.ini"))));
    h.show();
    SecondaryWindows& w = h.window->secondaryWindows();
    ShowSecondary(w.placePicker);
    QVERIFY(QTest::qWaitForWindowActive(w.placePicker));
    auto* tree = w.placePicker->findChild<QTreeView*>();
    QTRY_VERIFY2(tree->hasFocus(), QApplication::focusWidget()
                                       ? qPrintable(QApplication::focusWidget()->objectName())
                                       : "none");
    QModelIndex leaf = tree->model()->index(0, 0);
    while (tree->model()->hasChildren(leaf)) leaf = tree->model()->index(0, 0, leaf);
    const PlacePick pick = PickPlace(leaf.data(PlacePicker::kTextRole).toString());
    QCOMPARE(pick.kind, PlacePick::Kind::Place);
    tree->setCurrentIndex(leaf);
    QTest::keyClick(tree, Qt::Key_Return);
    QVERIFY(!w.placePicker->isVisible());
    QCOMPARE(h.text("longitudeBox"), pick.xy);

    for (QWidget* window : {w.placePicker, w.descriptionManager, static_cast<QWidget*>(w.pictureWindow),
                            static_cast<QWidget*>(w.helpWindow), w.reverseLookup, w.schedule}) {
        ShowSecondary(window);
        QVERIFY(QTest::qWaitForWindowActive(window));
        QTest::keyClick(QApplication::focusWidget() ? QApplication::focusWidget() : window, Qt::Key_Escape);
        QVERIFY2(!window->isVisible(), qPrintable(window->objectName()));
    }

    h.window->activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(h.window.get()));
    h.get<QAction>("reverseLookupAction")->trigger();
    QVERIFY(QTest::qWaitForWindowActive(w.reverseLookup));
    auto* point = w.reverseLookup->findChild<QComboBox*>(QStringLiteral("pointBox"));
    QTRY_VERIFY(point->hasFocus());
    w.reverseLookup->findChild<QPushButton*>(QStringLiteral("searchButton"))->setFocus();
    h.get<QAction>("reverseLookupAction")->trigger();
    QTRY_VERIFY(point->hasFocus());
    w.reverseLookup->close();

    h.window->activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(h.window.get()));
    h.window->setChosenTime(MakeDateTime(2026, 2, 10, 4, 30));
    h.tick();
    auto* date = h.get<QDateEdit>("datePicker");
    date->setFocus();
    auto* text = date->findChild<QLineEdit*>();
    text->deselect();
    text->setCursorPosition(1);
    QTest::keyClicks(text, QStringLiteral("2031"));
    QCOMPARE(date->date().year(), 2031);
}

// Window A stores a longitude; program B, opened before it, ticks 仅仅使用北京时间 and closes; then A closes:
// each change survives the other's close.
void TestMainWindow::twoWindowsKeepEachOthersChanges() {
    Harness h({QStringLiteral("update xxyy set onlyBeiJingTime='False'")});
    h.show();
    store::Database other{QStringLiteral("program-b")};
    other.Open(h.dbPath());
    store::SettingsRecord b{other};
    b.Open();
    h.get<QLineEdit>("longitudeBox")->setText(QStringLiteral("100"));
    QCOMPARE(h.value(QStringLiteral("select xy from xxyy")), QStringLiteral("100"));
    b.SetValue(store::settings_column::kOnlyBeijing, "True");
    b.StorePageInFront(true);
    QCOMPARE(h.value(QStringLiteral("select xy from xxyy")), QStringLiteral("100"));
    h.window->close();
    QCOMPARE(h.value(QStringLiteral("select onlyBeiJingTime from xxyy")), QStringLiteral("True"));
    QCOMPARE(h.value(QStringLiteral("select xy from xxyy")), QStringLiteral("100"));
}

void TestMainWindow::failedOpenIsReportedAndSkipsTheRest() {
    // The window cannot be made without its database: the error names the file.
    QTemporaryDir empty;
    try {
        MainWindow w{store::DataPaths(empty.path())};
        QFAIL("a window without a database");
    } catch (const std::exception& e) {
        QVERIFY(QString::fromUtf8(e.what()).contains(QStringLiteral("db1.sqlite")));
    }
    // The settings table lost between creation and showing: reported once, the rest of the showing is
    // skipped and the window stays up.
    Harness h;
    h.exec(QStringLiteral("drop table xxyy"));
    h.show();
    QCOMPARE(h.count(MessageKind::Error), 1);
    QCOMPARE(h.text("longitudeBox"), QString());
    QCOMPARE(h.get<QTabWidget>("timePages")->currentIndex(), 0);
    h.tick();
    h.window->close();
    QVERIFY(h.count(MessageKind::Error) <= 2);
}

// A database whose settings row was deleted: the window starts on the defaults, writes them as a new row
// and says so once; ticking, closing and starting again say nothing more.
void TestMainWindow::missingSettingsRowIsCreatedAndSaidOnce() {
    Harness h({QStringLiteral("delete from xxyy")});
    h.show();
    QCOMPARE(h.count(MessageKind::Message), 1);
    QVERIFY2(h.messages.front().text.contains(QStringLiteral("默认设置")),
             qPrintable(h.messages.front().text));
    QCOMPARE(h.value(QStringLiteral("select count(*) from xxyy")), QStringLiteral("1"));
    QCOMPARE(h.text("longitudeBox"), QStringLiteral("116.28"));
    h.tick();
    h.tick();
    QVERIFY(h.window->tickErrorText().isEmpty());
    h.window->close();
    h.window.reset();
    h.window = std::make_unique<MainWindow>(store::DataPaths(h.dir.path()));
    h.window->setMessageHook([&h](MessageKind k, const QString& t) { h.messages.push_back({k, t}); });
    h.show();
    QCOMPARE(h.count(MessageKind::Message), 1);
    QCOMPARE(h.value(QStringLiteral("select count(*) from xxyy")), QStringLiteral("1"));
}

// A read-only database file: starting and showing change nothing about it; the first stored setting
// makes it writable and says so once.
void TestMainWindow::readOnlyDatabaseIsMadeWritableAtTheFirstWrite() {
    Harness h;
    h.window.reset();
    QVERIFY(QFile::setPermissions(h.dbPath(), QFile::ReadOwner | QFile::ReadGroup | QFile::ReadOther));
    h.window = std::make_unique<MainWindow>(store::DataPaths(h.dir.path()));
    h.window->setMessageHook([&h](MessageKind k, const QString& t) { h.messages.push_back({k, t}); });
    h.show();
    QVERIFY(!(QFile::permissions(h.dbPath()) & QFile::WriteOwner));
    QCOMPARE(h.count(MessageKind::Message), 0);
    h.get<QLineEdit>("longitudeBox")->setText(QStringLiteral("120.5"));
    QVERIFY(QFile::permissions(h.dbPath()) & QFile::WriteOwner);
    QCOMPARE(h.value(QStringLiteral("select xy from xxyy")), QStringLiteral("120.5"));
    h.get<QLineEdit>("longitudeBox")->setText(QStringLiteral("121"));
    QCOMPARE(h.value(QStringLiteral("select xy from xxyy")), QStringLiteral("121"));
    QCOMPARE(h.count(MessageKind::Message), 1);
    QVERIFY2(h.messages.front().text.contains(QStringLiteral("数据库文件原为只读，已改为可写")),
             qPrintable(h.messages.front().text));
    QCOMPARE(h.count(MessageKind::Error), 0);
}

QTEST_MAIN(TestMainWindow)
#include "test_mainwindow.moc"
