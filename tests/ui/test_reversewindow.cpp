// The reverse lookup window against a temporary copy of the shipped database: what showing the window
// resets and how it is laid out, a search agreeing row for row with the core, an unknown point refused in
// the status line, a long search that stays live and stops when asked, the refusal of text GBK cannot
// hold, a table lost while the search runs and a snapshot that could not be loaded, and the window as the
// main window's button shows it.
#include <QHeaderView>

#include "methods/point_index.h"
#include "test_reversewindow_fixture.h"

class ReverseWindowTest : public ReverseWindowFixture {
    Q_OBJECT

  private slots:
    void init() { setUp(); }
    void cleanup() { tearDown(); }

    void layoutAndShowing() {
        // Names that are blank once trimmed are skipped; others are listed as stored, blanks and all.
        Exec(path_, QStringLiteral("insert into 穴位说明 (穴位) values ('   '), ('　'), (' 阿是穴')"));
        w_->show();
        QVERIFY(QTest::qWaitForWindowExposed(w_.get()));
        QCOMPARE(w_->windowTitle(), QStringLiteral("穴位反推功能"));
        // Resizable, down to what 1366×768 shows at twice the scale (683×384, less a title bar and a panel).
        QVERIFY(w_->minimumSize() != w_->maximumSize());
        QVERIFY(w_->maximumSize().width() > 1000);
        const QSize least = w_->minimumSizeHint();
        QVERIFY2(least.width() <= 683 && least.height() <= 320,
                 qPrintable(QStringLiteral("%1×%2").arg(least.width()).arg(least.height())));
        w_->resize(least);
        QVERIFY(w_->size().width() <= 683);
        w_->resize(1200, 800);
        QCOMPARE(w_->size(), QSize(1200, 800));
        QVERIFY(child<QTabWidget>("doctrinePages")->height() > 500);
        QCOMPARE(child<QLabel>("midnightNote")->text(),
                 QStringLiteral("注意：以不区分夜早子时为计算依据，例如 \"2013-6-9子时\"指2013-6-8 "
                                "23:00到2013-6-9 00:59:59"));
        QVERIFY(child<QPushButton>("searchButton")->font().bold());
        auto* pages = child<QTabWidget>("doctrinePages");
        const QStringList captions = {"全部",   "纳干法(徐氏)", "纳支法",  "灵龟八法", "飞腾八法",
                                      "日干法", "时干法",       "纳支法2", "补穴法"};
        QList<QAbstractItemView*> views{w_->reportView()};
        for (const Doctrine* d : ReportOrder()) views << w_->viewFor(d->Id());
        QCOMPARE(pages->count(), 9);
        for (int i = 0; i < 9; ++i) {
            QCOMPARE(pages->tabText(i), captions[i]);
            QCOMPARE(pages->widget(i)->findChild<QAbstractItemView*>(), views[i]);
        }
        QCOMPARE(child<QCheckBox>("clockBox")->text(), QStringLiteral("显示钟表时间"));
        QVERIFY(!child<QCheckBox>("clockBox")->isChecked());
        QCOMPARE(child<QPushButton>("calendarButton")->text(), QStringLiteral("导出为日历"));

        const std::vector<std::string> stored = db_->Run(velunar::store::QueryId::PointList).Column("穴位");
        std::vector<std::string> named;
        for (const auto& name : stored)
            if (!QString::fromStdString(name).trimmed().isEmpty()) named.push_back(name);
        QCOMPARE(named.size(), stored.size() - 2);
        // Along the meridians, the user's own names after them.
        QStringList expected;
        const velunar::PointIndex index(named);
        for (const auto& name : index.Ordered()) expected << QString::fromStdString(name);
        QCOMPARE(expected.front(), QStringLiteral("中府"));
        QCOMPARE(expected.back(), QStringLiteral(" 阿是穴"));
        QStringList listed;
        for (int i = 0; i < combo()->count(); ++i) listed << combo()->itemText(i);
        QCOMPARE(listed, expected);
        QCOMPARE(combo()->currentText(), expected.front());
        QCOMPARE(referenceCalls_, 2);
        QCOMPARE(child<QDateEdit>("fromDate")->date(), QDate(2013, 6, 9));
        QCOMPARE(child<QDateEdit>("toDate")->date(), QDate(2013, 6, 19));

        // Shown again while open: nothing is reset. Closed and shown: everything is.
        search(QStringLiteral("申脉"), QDate(2013, 6, 9), QDate(2013, 6, 9));
        w_->show();
        QCOMPARE(referenceCalls_, 2);
        QCOMPARE(combo()->currentText(), QStringLiteral("申脉"));
        QVERIFY(!report().isEmpty());
        w_->close();
        w_->show();
        QCOMPARE(referenceCalls_, 4);
        QCOMPARE(combo()->currentText(), expected.front());
        for (const QAbstractItemView* v : views) QCOMPARE(v->model()->rowCount(), 0);
    }

    // 避开人神 leaves out exactly the openings of 大敦 on its taboo days and says how many.
    void avoidingTheRenShenLeavesOutTheTaboosAndCountsThem() {
        w_->show();
        const QDate from(2026, 12, 1), to(2026, 12, 31);
        child<QCheckBox>("avoidRenShenBox")->setChecked(true);
        search(QStringLiteral("大敦"), from, to);
        QVERIFY(errors().isEmpty());
        const auto expected = core("大敦", from, to);
        int all = 0, kept = 0;
        for (const Doctrine* d : ReportOrder()) {
            const QStringList shown = page(d->Id());
            all += static_cast<int>(expected.LinesOf(d->Id()).size());
            kept += static_cast<int>(shown.size());
            // 冬月初一 (2026-12-09) holds the big toe: nothing of it is left.
            for (const QString& line : shown)
                QVERIFY2(!line.startsWith(QStringLiteral("2026-12-09")), qPrintable(line));
        }
        QVERIFY(kept < all);
        QCOMPARE(child<QLabel>("statusLine")->text(),
                 QStringLiteral("已避开人神：略去 %1 个正当人神所在的开穴。").arg(all - kept));
    }

    void searchAgreesWithTheCore() {
        w_->show();
        const int rowHeight = w_->viewFor(DoctrineId::FeiTeng)->verticalHeader()->defaultSectionSize();
        const QDate from(2013, 6, 1), to(2013, 6, 30);
        search(QStringLiteral("公孙"), from, to);
        QVERIFY(errors().isEmpty());
        const auto expected = core("公孙", from, to);
        QStringList whole;
        for (const Doctrine* d : ReportOrder()) {
            QCOMPARE(page(d->Id()), ToQt(expected.LinesOf(d->Id())));
            whole << Heading(d) << ToQt(expected.LinesOf(d->Id()));
        }
        QCOMPARE(report(), whole);
        QCOMPARE(w_->reportModel()->rowCount(), whole.size());
        QCOMPARE(w_->reportModel()->index(1).data().toString(), whole[1]);
        QVERIFY(!report().contains(QString()));
        QVERIFY(page(DoctrineId::FeiTeng).contains(QStringLiteral("2013-06-09甲午时，飞腾穴位=公孙")));
        QVERIFY(page(DoctrineId::FeiTeng).contains(QStringLiteral("2013-06-09丙申时，飞腾配穴=公孙")));
        QCOMPARE(w_->modelFor(DoctrineId::FeiTeng)->headerData(2, Qt::Horizontal).toString(),
                 QStringLiteral("开穴"));
        // The search never moves the page in front.
        QCOMPARE(child<QTabWidget>("doctrinePages")->currentIndex(), 0);
        QVERIFY(!child<QProgressBar>("progressBar")->isVisible());

        // A range that ends before it begins: headings only.
        search(QStringLiteral("公孙"), to, from);
        QCOMPARE(report(), Headings());

        // A name the program does not know is not searched: the status line names it and close names;
        // the results of the last search stay. A superseded spelling is known.
        auto* status = child<QLabel>("statusLine");
        QVERIFY(!status->isVisible());
        QSignalSpy finished(w_.get(), &ReverseLookupWindow::searchFinished);
        for (const QString& point : {QStringLiteral("不是穴位"), QStringLiteral("%"), QString(),
                                     QStringLiteral("公'孙"), QStringLiteral("公孙孙")}) {
            combo()->setEditText(point);
            QTest::mouseClick(child<QPushButton>("searchButton"), Qt::LeftButton);
            QVERIFY(!w_->isSearching());
            QVERIFY(status->isVisible());
            QVERIFY2(status->text().startsWith(QStringLiteral("不是已知的穴位：") + point),
                     qPrintable(status->text()));
            QVERIFY(child<QPushButton>("searchButton")->isEnabled());
        }
        QVERIFY2(status->text().contains(QStringLiteral("公孙")), qPrintable(status->text()));
        QCOMPARE(finished.count(), 0);
        QCOMPARE(report(), Headings());
        search(QStringLiteral("清冷渊"), from, to);
        QVERIFY(!status->isVisible());
        QCOMPARE(
            report().size(), static_cast<qsizetype>(Headings().size()) + [&] {
                qsizetype n = 0;
                for (const Doctrine* d : ReportOrder())
                    n += static_cast<qsizetype>(core("清泠渊", from, to).LinesOf(d->Id()).size());
                return n;
            }());
        QVERIFY(errors().isEmpty());
        // Every search gets its views' row headers anew (they keep a record of each row they ever had): the
        // doctrine pages still number their rows at the same height, the report still has no numbers.
        const QHeaderView* rows = w_->viewFor(DoctrineId::FeiTeng)->verticalHeader();
        QVERIFY(!rows->isHidden());
        QCOMPARE(rows->count(), w_->modelFor(DoctrineId::FeiTeng)->rowCount());
        QCOMPARE(rows->defaultSectionSize(), rowHeight);
        QCOMPARE(rows->sectionResizeMode(0), QHeaderView::Fixed);
        QVERIFY(w_->reportView()->verticalHeader()->isHidden());
        QCOMPARE(w_->reportView()->verticalHeader()->count(), w_->reportModel()->rowCount());
    }

    void longSearchStaysLiveAndStopsWhenAsked() {
        w_->show();
        combo()->setEditText(QStringLiteral("公孙"));
        setRange(QDate(1752, 9, 14), QDate(9999, 12, 31));
        auto* bar = child<QProgressBar>("progressBar");
        QList<int> values;
        qint64 longestGap = 0;
        QElapsedTimer gap;
        QTimer probe;
        probe.setInterval(20);
        connect(&probe, &QTimer::timeout, [&] {
            longestGap = std::max(longestGap, gap.restart());
            if (values.isEmpty() || values.back() != bar->value()) values << bar->value();
        });
        QSignalSpy done(w_.get(), &ReverseLookupWindow::searchFinished);
        QTest::mouseClick(child<QPushButton>("searchButton"), Qt::LeftButton);
        QVERIFY(bar->isVisible());
        QVERIFY(!child<QPushButton>("searchButton")->isEnabled());
        gap.start();
        probe.start();
        QTest::qWait(200);
        probe.stop();
        // The event loop never waited long for the views, and the bar moved.
        QVERIFY2(longestGap < 250, qPrintable(QString::number(longestGap)));
        QVERIFY(values.size() >= 2);
        QVERIFY(std::is_sorted(values.begin(), values.end()));
        QVERIFY(w_->isSearching());

        QSignalSpy ended(w_.get(), &ReverseLookupWindow::scansEnded);
        QElapsedTimer stop;
        stop.start();
        QTest::mouseClick(child<QPushButton>("stopButton"), Qt::LeftButton);
        QVERIFY(ended.wait(5000));
        const qint64 stopped = stop.elapsed();
        // The report is complete as the last openings come in.
        QVERIFY(done.count() == 1 || done.wait(20000));
        qInfo(
            "search stopped %lld ms after the click, report built after %lld ms; longest event-loop gap %lld "
            "ms",
            stopped, stop.elapsed(), longestGap);
        // Far more than the 100 ms it takes on an idle machine, so a busy one does not fail the test.
        QVERIFY(stopped < 500);
        QVERIFY(!bar->isVisible());

        // Everything found before the stop is in its memo and in the report, which says it was stopped.
        const QStringList lines = report();
        QVERIFY2(lines.back().startsWith(QStringLiteral("（已取消：")), qPrintable(lines.back()));
        QStringList expected;
        for (const Doctrine* d : ReportOrder()) expected << Heading(d) << page(d->Id());
        expected << lines.back();
        QCOMPARE(lines, expected);
        QVERIFY(!lines.contains(QString()));
        // The lines stop at a date boundary: the stopped scan's last line is of the date the note names (a
        // slow build may stop in a doctrine that never opens the point, which then has no line to check).
        for (const Doctrine* d : ReportOrder()) {
            const QStringList rows = page(d->Id());
            if (!lines.back().contains(QStringLiteral("“%1”").arg(velunar::ui::PageCaption(d->Id()))))
                continue;
            if (!rows.isEmpty())
                QVERIFY2(lines.back().contains(rows.back().left(10)) ||
                             lines.back().contains(QStringLiteral("开始前")),
                         qPrintable(rows.back()));
        }
        QVERIFY(child<QPushButton>("searchButton")->isEnabled());
    }

    void textGbkCannotHoldIsRefused() {
        // A point of the reference tables renamed to text GBK cannot hold reaches the report's lines.
        Exec(path_, QStringLiteral("update 天干表 set 穴位 = '少商😀' where 穴位 = '少商'"));
        tables_ = velunar::store::LoadReferenceTables(*db_);
        w_->show();
        search(QStringLiteral("申脉"), QDate(2013, 6, 9), QDate(2013, 6, 9));
        chosen_ = dir_.filePath(QStringLiteral("report.txt"));
        QTest::mouseClick(child<QPushButton>("saveButton"), Qt::LeftButton);
        QFile earlier(chosen_);
        QVERIFY(earlier.open(QIODevice::ReadOnly));
        const QByteArray before = earlier.readAll();
        earlier.close();

        messages_.clear();
        search(QStringLiteral("少商😀"), QDate(2013, 6, 1), QDate(2013, 6, 30));
        const QStringList lines = report();
        qsizetype row = 0;
        while (row < lines.size() && !lines[row].contains(QStringLiteral("😀"))) ++row;
        QVERIFY(row < lines.size());
        const qsizetype column = lines[row].left(lines[row].indexOf(QStringLiteral("😀"))).size() + 1;
        QTest::mouseClick(child<QPushButton>("saveButton"), Qt::LeftButton);
        QCOMPARE(messages_.size(), 1);
        QCOMPARE(messages_.front().first, ReverseLookupWindow::Message::Error);
        const QString text = messages_.front().second;
        QVERIFY2(text.contains(QStringLiteral("😀")) && text.contains(QStringLiteral("U+1F600")),
                 qPrintable(text));
        QVERIFY2(text.contains(QStringLiteral("第 %1 行第 %2 个字符").arg(row + 1).arg(column)),
                 qPrintable(text));
        QVERIFY(earlier.open(QIODevice::ReadOnly));
        QCOMPARE(earlier.readAll(), before);
    }

    void tableLostDuringTheSearch() {
        w_->show();
        const QDate from(2000, 1, 1), to(2019, 12, 31);
        const auto found = core("公孙", from, to);
        combo()->setEditText(QStringLiteral("公孙"));
        setRange(from, to);
        QSignalSpy done(w_.get(), &ReverseLookupWindow::searchFinished);
        QTest::mouseClick(child<QPushButton>("searchButton"), Qt::LeftButton);
        // Without the window taking lines, the search waits in Ling Gui or Fei Teng (thousands of lines
        // each) and has not reached 日干法, whose table goes now: the search reads the snapshot, not the
        // file.
        std::this_thread::sleep_for(std::chrono::milliseconds(300));
        Exec(path_, QStringLiteral("drop table 经络表"));
        QVERIFY(done.wait(60000));

        QVERIFY2(errors().isEmpty(), qPrintable(errors().join(u'|')));
        QStringList whole;
        for (const Doctrine* d : ReportOrder()) {
            QCOMPARE(page(d->Id()), ToQt(found.LinesOf(d->Id())));
            whole << Heading(d) << ToQt(found.LinesOf(d->Id()));
        }
        QVERIFY(!page(DoctrineId::RiGan).isEmpty());
        QCOMPARE(report(), whole);
        QVERIFY(child<QPushButton>("searchButton")->isEnabled());
    }

    void snapshotNotLoaded() {
        // The main window could not load the reference tables: the search fails with the reason, in the
        // report and in a message, and the window is ready for another try.
        w_->show();
        tables_.reset();
        search(QStringLiteral("公孙"), QDate(2013, 6, 1), QDate(2013, 6, 30));
        QCOMPARE(errors().size(), 1);
        const QStringList lines = report();
        QVERIFY2(lines.back().startsWith(QStringLiteral("（查找因错误而中断：") + errors().front()),
                 qPrintable(lines.back()));
        QCOMPARE(lines.mid(0, lines.size() - 1), Headings());
        QVERIFY(child<QPushButton>("searchButton")->isEnabled());
        QVERIFY(!child<QProgressBar>("progressBar")->isVisible());
    }

    void shownByTheMainWindowWhichKeepsTicking() {
        velunar::ui::testing::Harness h;
        h.show();
        h.window->setChosenTime(MakeDateTime(2013, 6, 9, 23, 30, 0));
        auto* back = qobject_cast<ReverseLookupWindow*>(h.window->secondaryWindows().reverseLookup);
        QVERIFY(back);
        QVERIFY(!back->isVisible());
        QCOMPARE(back->objectName(), QStringLiteral("reverseLookupWindow"));
        back->setMessageHook(
            [](ReverseLookupWindow::Message, const QString& text) { QFAIL(qPrintable(text)); });
        auto* opener = h.get<QPushButton>("reverseLookupButton");
        QCOMPARE(opener->text(), QStringLiteral("新：穴位反推功能"));
        opener->click();
        QVERIFY(QTest::qWaitForWindowExposed(back));
        // The main window's chosen moment gives the default range, whatever its time of day.
        auto* from = back->findChild<QDateEdit*>(QStringLiteral("fromDate"));
        auto* to = back->findChild<QDateEdit*>(QStringLiteral("toDate"));
        QCOMPARE(from->date(), QDate(2013, 6, 9));
        QCOMPARE(to->date(), QDate(2013, 6, 19));

        // A long search while the main window's clock runs: its time box keeps changing.
        h.get<QCheckBox>("automaticBox")->click();
        QVERIFY(h.get<QCheckBox>("automaticBox")->isChecked());
        back->findChild<QComboBox*>(QStringLiteral("pointBox"))->setEditText(QStringLiteral("公孙"));
        from->setDate(QDate(1900, 1, 1));
        to->setDate(QDate(4899, 12, 31));
        QSet<QString> clock;
        QTimer watch;
        connect(&watch, &QTimer::timeout, [&] { clock << h.text("chinaTimeBox"); });
        watch.start(50);
        h.window->findChild<QTimer*>(QStringLiteral("tickTimer"))->start();
        QSignalSpy done(back, &ReverseLookupWindow::searchFinished);
        back->findChild<QPushButton*>(QStringLiteral("searchButton"))->click();
        QTest::qWait(2600);
        QVERIFY2(clock.size() >= 2, qPrintable(QStringList(clock.values()).join(u'|')));
        if (back->isSearching()) back->findChild<QPushButton*>(QStringLiteral("stopButton"))->click();
        QVERIFY(done.count() == 1 || done.wait(30000));
        h.window->findChild<QTimer*>(QStringLiteral("tickTimer"))->stop();

        // The button again while the window is open only brings it forward: the results stay.
        const int rows = back->reportModel()->rowCount();
        QVERIFY(rows > 1000);
        opener->click();
        QCOMPARE(back->reportModel()->rowCount(), rows);
        QCOMPARE(from->date(), QDate(1900, 1, 1));
    }
};

QTEST_MAIN(ReverseWindowTest)
#include "test_reversewindow.moc"
