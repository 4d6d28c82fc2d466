// The reverse lookup window's item views and what leaves them: sorting a doctrine's page, copying rows,
// the clock spans of 显示钟表时间, a saved report byte for byte as velunar-cli writes it, and the calendar
// file of 导出为日历 read by a real iCalendar parser.
#include "test_reversewindow_fixture.h"

class ReverseWindowViewsTest : public ReverseWindowFixture {
    Q_OBJECT

  private slots:
    void init() { setUp(); }
    void cleanup() { tearDown(); }

    void pagesSortAndCopy() {
        w_->show();
        const QDate from(2013, 6, 1), to(2013, 7, 31);
        search(QStringLiteral("公孙"), from, to);
        const QStringList inOrder = page(DoctrineId::FeiTeng);
        QVERIFY(inOrder.size() > 20);
        QTableView* view = w_->viewFor(DoctrineId::FeiTeng);
        auto* model = w_->modelFor(DoctrineId::FeiTeng);
        // By double-hour: the branches in order, each branch's dates in order.
        view->sortByColumn(1, Qt::AscendingOrder);
        QStringList byHour = page(DoctrineId::FeiTeng);
        QCOMPARE(byHour.size(), inOrder.size());
        for (int r = 1; r < model->rowCount(); ++r) {
            const auto a = model->openingAt(r - 1), b = model->openingAt(r);
            QVERIFY(a.branch < b.branch || (a.branch == b.branch && a.day <= b.day));
        }
        // By date, latest first, and back to the report's order.
        view->sortByColumn(0, Qt::DescendingOrder);
        QStringList latest = page(DoctrineId::FeiTeng);
        std::reverse(latest.begin(), latest.end());
        QCOMPARE(latest, inOrder);
        view->sortByColumn(2, Qt::AscendingOrder);
        QVERIFY(model->rowTexts(0)[2] <= model->rowTexts(model->rowCount() - 1)[2]);
        view->sortByColumn(0, Qt::AscendingOrder);
        QCOMPARE(page(DoctrineId::FeiTeng), inOrder);

        // Ctrl+C copies the selected rows: the report's lines, a page's cells separated by tabs.
        QApplication::clipboard()->clear();
        QTableView* list = w_->reportView();
        list->selectionModel()->select(QItemSelection(list->model()->index(1, 0), list->model()->index(3, 0)),
                                       QItemSelectionModel::ClearAndSelect);
        list->setFocus();
        QTest::keyClick(list, Qt::Key_C, Qt::ControlModifier);
        QCOMPARE(QApplication::clipboard()->text(), report().mid(1, 3).join(u'\n') + u'\n');
        view->selectRow(2);
        view->findChild<QAction*>(QStringLiteral("copyAction"))->trigger();
        QCOMPARE(QApplication::clipboard()->text(), model->rowTexts(2).join(u'\t') + u'\n');
    }

    void clockSpansAndCalendar() {
        // The main window's page in front: China, true solar time at 87.6° E, Beijing time on the clock.
        velunar::TickInput place;
        place.page = velunar::TimePage::China;
        place.timeMode = velunar::TimeMode::NoNightRat;
        place.longitudeText = "87.6";
        place.onlyBeijing = false;
        int asked = 0;
        w_->setPlaceSource([&] {
            ++asked;
            return place;
        });
        w_->show();
        const QDate from(2026, 3, 1), to(2026, 3, 20);
        search(QStringLiteral("公孙"), from, to);
        QCOMPARE(asked, 0);
        const QStringList plain = report();
        auto* model = w_->modelFor(DoctrineId::LingGui);
        QCOMPARE(model->columnCount(), 3);
        child<QCheckBox>("clockBox")->click();
        QVERIFY(asked >= 1);
        QCOMPARE(model->columnCount(), 4);
        QCOMPARE(model->headerData(3, Qt::Horizontal).toString(), QStringLiteral("钟表时间"));
        // Each row's span is the core's; the report's lines carry it as velunar-cli --clock writes them.
        for (int r : {0, model->rowCount() / 2, model->rowCount() - 1}) {
            const velunar::Opening o = model->openingAt(r);
            const auto span = velunar::ClockSpanOf(place, o.day, o.HourBranch());
            QVERIFY(span);
            QCOMPARE(model->rowTexts(r)[3], QString::fromStdString(velunar::SpanText(o.day, *span)));
        }
        const QStringList timed = report();
        QCOMPARE(timed.size(), plain.size());
        for (qsizetype i = 0; i < timed.size(); ++i) {
            if (plain[i].endsWith(u'：')) {
                QCOMPARE(timed[i], plain[i]);
                continue;
            }
            QVERIFY2(timed[i].startsWith(plain[i] + QStringLiteral("，钟表时间 ")), qPrintable(timed[i]));
        }
        child<QCheckBox>("clockBox")->click();
        QCOMPARE(report(), plain);

        // 导出为日历: every opening an event at its clock span in UTC; the file is read by a real parser.
        const QString ics = dir_.filePath(QStringLiteral("公孙.ics"));
        w_->setChooseFileHook([&](QFileDialog& dialog, const QString&) {
            return dialog.nameFilters() == QStringList{QStringLiteral("iCalendar (*.ics)")} ? ics : QString();
        });
        QTest::mouseClick(child<QPushButton>("calendarButton"), Qt::LeftButton);
        QCOMPARE(messages_.size(), 1);
        QCOMPARE(messages_.front().first, ReverseLookupWindow::Message::Saved);
        const qsizetype openings = plain.size() - Headings().size();
        QProcess python;
        python.start(
            QStringLiteral("python3"),
            {QStringLiteral("-c"),
             QStringLiteral("import sys\n"
                            "try:\n import icalendar\n"
                            "except ImportError:\n"
                            " sys.path.append('/usr/lib/python3/dist-packages'); import icalendar\n"
                            "c = icalendar.Calendar.from_ical(open(sys.argv[1], 'rb').read())\n"
                            "e = [x for x in c.walk() if x.name == 'VEVENT']\n"
                            "print(len(e), e[0].decoded('DTSTART').strftime('%Y-%m-%d %H:%M:%S'))\n"),
             ics});
        QVERIFY(python.waitForFinished(60000));
        QVERIFY2(python.exitCode() == 0, python.readAllStandardError().constData());
        const QStringList parsed = QString::fromUtf8(python.readAllStandardOutput()).trimmed().split(u' ');
        QCOMPARE(parsed.value(0).toLongLong(), static_cast<qlonglong>(openings));
        const Doctrine* firstFound = nullptr;
        for (const Doctrine* d : ReportOrder())
            if (!firstFound && w_->modelFor(d->Id())->rowCount() > 0) firstFound = d;
        QVERIFY(firstFound);
        const velunar::Opening first = w_->modelFor(firstFound->Id())->openingAt(0);
        const auto span = velunar::ClockSpanOf(place, first.day, first.HourBranch());
        QVERIFY(span);
        QCOMPARE(parsed.mid(1).join(u' '),
                 QString::fromStdString(velunar::FormatIso(velunar::UtcReading(span->start))));
    }

    void savedReportIsGbkWithCrLf() {
        w_->show();
        search(QStringLiteral("申脉"), QDate(2013, 6, 9), QDate(2013, 6, 19));
        // The results belong to what was searched: edited boxes make them out of date, and nothing is
        // exported under another name or range until the next search.
        combo()->setEditText(QStringLiteral("另一个名字"));
        QVERIFY(w_->resultsOutOfDate());
        QVERIFY(!child<QPushButton>("saveButton")->isEnabled());
        QVERIFY(!child<QPushButton>("calendarButton")->isEnabled());
        QVERIFY(child<QLabel>("statusLine")->text().contains(QStringLiteral("申脉")));
        combo()->setEditText(QStringLiteral("BL62"));  // the same point by its code
        QVERIFY(!w_->resultsOutOfDate());
        child<QDateEdit>("toDate")->setDate(QDate(2013, 6, 20));
        QVERIFY(!child<QPushButton>("saveButton")->isEnabled());
        child<QDateEdit>("toDate")->setDate(QDate(2013, 6, 19));
        QVERIFY(child<QPushButton>("saveButton")->isEnabled());
        QVERIFY(child<QLabel>("statusLine")->isHidden());
        chosen_ = dir_.filePath(QStringLiteral("申脉报告"));
        QTest::mouseClick(child<QPushButton>("saveButton"), Qt::LeftButton);
        QCOMPARE(proposed_, QStringLiteral("申脉"));
        QCOMPARE(messages_.size(), 1);
        QCOMPARE(messages_.front().first, ReverseLookupWindow::Message::Saved);
        QCOMPARE(messages_.front().second, QStringLiteral("成功保存"));

        QFile file(chosen_ + QStringLiteral(".txt"));
        QVERIFY(file.open(QIODevice::ReadOnly));
        const QByteArray bytes = file.readAll();
        // 纳干法（徐氏）： in GBK, no byte-order mark in front.
        QVERIFY(bytes.startsWith(QByteArray::fromHex("c4c9b8c9b7a8a3a8d0eccacfa3a9a3ba0d0a")));
        QCOMPARE(bytes.count('\n'), bytes.count("\r\n"));
        QStringEncoder gbk("GBK");
        QVERIFY(gbk.isValid());
        const QByteArray expected = gbk(report().join(QStringLiteral("\r\n")) + QStringLiteral("\r\n"));
        QCOMPARE(bytes, expected);
        QVERIFY(report().contains(QStringLiteral("2013-06-09子时，灵龟穴位=申脉")));
        // Byte for byte the file velunar-cli writes for the same search.
        const QString byCli = dir_.filePath(QStringLiteral("cli.txt"));
        std::ostringstream out, err;
        velunar::cli::CommandIo io{out, err};
        QCOMPARE(velunar::cli::RunReverse({"申脉", "2013-06-09", "2013-06-19", "--db", path_.toStdString(),
                                           "--out", byCli.toStdString()},
                                          io),
                 0);
        QFile cliFile(byCli);
        QVERIFY(cliFile.open(QIODevice::ReadOnly));
        QCOMPARE(bytes, cliFile.readAll());

        // A name with its extension keeps it; cancelling the dialog writes nothing.
        chosen_ = dir_.filePath(QStringLiteral("b.txt"));
        QTest::mouseClick(child<QPushButton>("saveButton"), Qt::LeftButton);
        QVERIFY(QFile::exists(chosen_));
        QVERIFY(!QFile::exists(chosen_ + QStringLiteral(".txt")));
        chosen_.clear();
        messages_.clear();
        QTest::mouseClick(child<QPushButton>("saveButton"), Qt::LeftButton);
        QVERIFY(messages_.isEmpty());

        // Enter in the point box searches what it says; the results are current again.
        combo()->setEditText(QStringLiteral("neiguan"));
        QVERIFY(w_->resultsOutOfDate());
        QSignalSpy done(w_.get(), &ReverseLookupWindow::searchFinished);
        QTest::keyClick(combo()->lineEdit(), Qt::Key_Return);
        QVERIFY(done.wait(60000));
        QCOMPARE(combo()->currentText(), QStringLiteral("内关"));
        QVERIFY(!w_->resultsOutOfDate());
        QVERIFY(child<QPushButton>("saveButton")->isEnabled());
        QVERIFY(report().join(u'\n').contains(QStringLiteral("内关")));
        QVERIFY(!report().join(u'\n').contains(QStringLiteral("申脉")));
    }
};

QTEST_MAIN(ReverseWindowViewsTest)
#include "test_reversewindow_views.moc"
