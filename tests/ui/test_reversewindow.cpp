// The reverse lookup window against a temporary copy of the shipped database: what showing the window
// resets, a search agreeing line for line with the core, a long search that stays live and stops when
// asked, the bytes of a saved report, the refusal of text GBK cannot hold, a table lost while the search
// runs and a snapshot that could not be loaded, and the window as the main window's button shows it.
#include <QComboBox>
#include <QDateEdit>
#include <QElapsedTimer>
#include <QFile>
#include <QFileDialog>
#include <QLabel>
#include <QPlainTextEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QSignalSpy>
#include <QSqlDatabase>
#include <QSqlQuery>
#include <QStringEncoder>
#include <QTabWidget>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

#include <thread>

#include "calendar/datetime.h"
#include "reverse/reverse.h"
#include "store/database.h"
#include "store/reference_snapshot.h"
#include "test_mainwindow_fixture.h"
#include "ui/reversewindow.h"

using velunar::CollectingSink;
using velunar::DaysFromCivil;
using velunar::Doctrine;
using velunar::DoctrineId;
using velunar::MakeDateTime;
using velunar::ReferenceTables;
using velunar::ReportOrder;
using velunar::store::Database;
using velunar::ui::ReverseLookupWindow;

namespace {

QStringList LinesOf(const QPlainTextEdit* memo) {
    const QString text = memo->toPlainText();
    return text.isEmpty() ? QStringList() : text.split(u'\n');
}

QStringList ToQt(const std::vector<std::string>& lines) {
    QStringList out;
    for (const auto& l : lines) out << QString::fromStdString(l);
    return out;
}

QString Heading(const Doctrine* d) {
    return QString::fromUtf8(d->ReportHeading().data(), static_cast<qsizetype>(d->ReportHeading().size()));
}

QStringList Headings() {
    QStringList out;
    for (const Doctrine* d : ReportOrder()) out << Heading(d);
    return out;
}

// Runs SQL on the file through a connection of its own, as another program would.
void Exec(const QString& path, const QString& sql) {
    {
        QSqlDatabase db =
            QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), QStringLiteral("reverse_side"));
        db.setDatabaseName(path);
        QVERIFY(db.open());
        QSqlQuery q(db);
        QVERIFY2(q.exec(sql), qPrintable(sql));
    }
    QSqlDatabase::removeDatabase(QStringLiteral("reverse_side"));
}

}  // namespace

class ReverseWindowTest : public QObject {
    Q_OBJECT

    QTemporaryDir dir_;
    QString path_;
    std::unique_ptr<Database> db_;
    std::shared_ptr<const ReferenceTables> tables_;
    std::unique_ptr<ReverseLookupWindow> w_;
    int referenceCalls_ = 0;
    QList<std::pair<ReverseLookupWindow::Message, QString>> messages_;
    QString proposed_;
    QString chosen_;

    template <typename T>
    T* child(const char* name) {
        T* found = w_->findChild<T*>(QString::fromLatin1(name));
        if (!found) qFatal("no control %s", name);
        return found;
    }
    QComboBox* combo() { return child<QComboBox>("pointBox"); }
    QPlainTextEdit* report() { return child<QPlainTextEdit>("reportMemo"); }
    QPlainTextEdit* memo(const char* name) { return child<QPlainTextEdit>(name); }
    void setRange(QDate from, QDate to) {
        child<QDateEdit>("fromDate")->setDate(from);
        child<QDateEdit>("toDate")->setDate(to);
    }
    // Starts a search of `point` and waits for its report.
    void search(const QString& point, QDate from, QDate to) {
        combo()->setEditText(point);
        setRange(from, to);
        QSignalSpy done(w_.get(), &ReverseLookupWindow::searchFinished);
        QTest::mouseClick(child<QPushButton>("searchButton"), Qt::LeftButton);
        QVERIFY(done.wait(60000));
    }
    // What the core finds in a snapshot loaded on its own connection, for comparison.
    CollectingSink core(const std::string& point, QDate from, QDate to) {
        Database db(QStringLiteral("reverse_core"));
        db.Open(path_);
        CollectingSink sink;
        velunar::ReverseSearch(point, DaysFromCivil(from.year(), from.month(), from.day()),
                               DaysFromCivil(to.year(), to.month(), to.day()),
                               *velunar::store::LoadReferenceTables(db), sink);
        return sink;
    }
    QStringList errors() const {
        QStringList out;
        for (const auto& [kind, text] : messages_)
            if (kind == ReverseLookupWindow::Message::Error) out << text;
        return out;
    }

  private slots:
    void init() {
        QVERIFY(dir_.isValid());
        path_ = dir_.filePath(QStringLiteral("db1.sqlite"));
        QFile::remove(path_);
        QVERIFY(QFile::copy(QStringLiteral(VELUNAR_BIN_DIR "/db1.sqlite"), path_));
        QFile::setPermissions(path_, QFile::ReadOwner | QFile::WriteOwner);
        db_ = std::make_unique<Database>(QStringLiteral("reverse_window"));
        db_->Open(path_);
        referenceCalls_ = 0;
        messages_.clear();
        tables_ = velunar::store::LoadReferenceTables(*db_);
        w_ = std::make_unique<ReverseLookupWindow>(
            *db_, [this] { return tables_; },
            [this] {
                ++referenceCalls_;
                return MakeDateTime(2013, 6, 9, 15, 30, 0);
            });
        w_->setMessageHook([this](ReverseLookupWindow::Message kind, const QString& text) {
            messages_ << std::pair{kind, text};
        });
        w_->setChooseFileHook([this](QFileDialog& dialog, const QString& proposed) {
            proposed_ = proposed;
            if (dialog.nameFilters() != QStringList{QStringLiteral("TXT (*.txt)")}) return QString();
            return chosen_;
        });
    }
    void cleanup() {
        w_.reset();
        tables_.reset();
        db_.reset();
    }

    void layoutAndShowing() {
        // Names that are blank once trimmed are skipped; others are listed as stored, blanks and all.
        Exec(path_, QStringLiteral("insert into 穴位说明 (穴位) values ('   '), ('　'), (' 阿是穴')"));
        w_->show();
        QVERIFY(QTest::qWaitForWindowExposed(w_.get()));
        QCOMPARE(w_->windowTitle(), QStringLiteral("穴位反推功能"));
        QCOMPARE(w_->frameGeometry().size(), QSize(696, 432));
        QCOMPARE(w_->minimumSize(), w_->maximumSize());
        QCOMPARE(child<QLabel>("midnightNote")->text(),
                 QStringLiteral("注意：以不区分夜早子时为计算依据，例如 \"2013-6-9子时\"指2013-6-8 "
                                "23:00到2013-6-9 00:59:59"));
        QVERIFY(child<QPushButton>("searchButton")->font().bold());
        auto* pages = child<QTabWidget>("doctrinePages");
        const QStringList captions = {"全部",   "纳干法(徐氏)", "纳支法",  "灵龟八法", "飞腾八法",
                                      "日干法", "时干法",       "纳支法2", "补穴法"};
        QList<QPlainTextEdit*> memos{report()};
        for (const Doctrine* d : ReportOrder()) memos << w_->memoFor(d->Id());
        QCOMPARE(pages->count(), 9);
        QCOMPARE(memos.size(), 9);
        for (int i = 0; i < 9; ++i) {
            QCOMPARE(pages->tabText(i), captions[i]);
            QCOMPARE(pages->widget(i)->findChild<QPlainTextEdit*>(), memos[i]);
            QVERIFY(!memos[i]->isReadOnly());
        }

        const std::vector<std::string> stored = db_->Run(velunar::store::QueryId::PointList).Column("穴位");
        QStringList expected;
        for (const auto& name : stored)
            if (!QString::fromStdString(name).trimmed().isEmpty()) expected << QString::fromStdString(name);
        QCOMPARE(static_cast<std::size_t>(expected.size()), stored.size() - 2);
        QVERIFY(expected.contains(QStringLiteral(" 阿是穴")));
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
        QVERIFY(!LinesOf(report()).isEmpty());
        w_->close();
        w_->show();
        QCOMPARE(referenceCalls_, 4);
        QCOMPARE(combo()->currentText(), expected.front());
        for (const QPlainTextEdit* m : memos) QVERIFY(m->toPlainText().isEmpty());
    }

    void searchAgreesWithTheCore() {
        w_->show();
        const QDate from(2013, 6, 1), to(2013, 6, 30);
        search(QStringLiteral("公孙"), from, to);
        QVERIFY(errors().isEmpty());
        const auto expected = core("公孙", from, to);
        QStringList whole;
        for (const Doctrine* d : ReportOrder()) {
            QCOMPARE(LinesOf(w_->memoFor(d->Id())), ToQt(expected.LinesOf(d->Id())));
            whole << Heading(d) << ToQt(expected.LinesOf(d->Id()));
        }
        QCOMPARE(LinesOf(report()), whole);
        QVERIFY(!LinesOf(report()).contains(QString()));
        QVERIFY(LinesOf(memo("feiTengMemo")).contains(QStringLiteral("2013-06-09甲午时，飞腾穴位=公孙")));
        QVERIFY(LinesOf(memo("feiTengMemo")).contains(QStringLiteral("2013-06-09丙申时，飞腾配穴=公孙")));
        // The search never moves the page in front.
        QCOMPARE(child<QTabWidget>("doctrinePages")->currentIndex(), 0);
        QVERIFY(!child<QProgressBar>("progressBar")->isVisible());

        // A name that opens nowhere, an empty name, a range that ends before it begins: headings only.
        for (const auto& [point, a, b] :
             {std::tuple{QStringLiteral("不是穴位"), from, to}, std::tuple{QString(), from, to},
              std::tuple{QStringLiteral("公孙"), to, from}}) {
            search(point, a, b);
            QCOMPARE(LinesOf(report()), Headings());
        }
        // A quote in the name is searched like any other text.
        search(QStringLiteral("公'孙"), from, to);
        QCOMPARE(LinesOf(report()), Headings());
        QVERIFY(errors().isEmpty());
    }

    void longSearchStaysLiveAndStopsWhenAsked() {
        w_->show();
        combo()->setEditText(QStringLiteral("公孙"));
        setRange(QDate(1800, 1, 1), QDate(3999, 12, 31));
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
        QTest::qWait(1500);
        probe.stop();
        // The event loop never waited long for the memos, and the bar moved.
        QVERIFY2(longestGap < 250, qPrintable(QString::number(longestGap)));
        QVERIFY(values.size() >= 3);
        QVERIFY(std::is_sorted(values.begin(), values.end()));
        QVERIFY(!LinesOf(memo("lingGuiMemo")).isEmpty());

        QSignalSpy ended(w_.get(), &ReverseLookupWindow::scansEnded);
        QElapsedTimer stop;
        stop.start();
        QTest::mouseClick(child<QPushButton>("stopButton"), Qt::LeftButton);
        QVERIFY(ended.wait(5000));
        const qint64 stopped = stop.elapsed();
        QVERIFY(done.wait(20000));
        qInfo(
            "search stopped %lld ms after the click, report built after %lld ms; longest event-loop gap %lld "
            "ms",
            stopped, stop.elapsed(), longestGap);
        // Far more than the 100 ms it takes on an idle machine, so a busy one does not fail the test.
        QVERIFY(stopped < 500);
        QVERIFY(!bar->isVisible());

        // Everything found before the stop is in its memo and in the report, which says it was stopped.
        const QStringList lines = LinesOf(report());
        QVERIFY2(lines.back().startsWith(QStringLiteral("（已取消：")), qPrintable(lines.back()));
        QStringList expected;
        for (const Doctrine* d : ReportOrder()) expected << Heading(d) << LinesOf(w_->memoFor(d->Id()));
        expected << lines.back();
        QCOMPARE(lines, expected);
        QVERIFY(!lines.contains(QString()));
        // The lines stop at a date boundary: the stopped scan's last line is of the date the note names.
        const QStringList shown = LinesOf(memo("lingGuiMemo")) + LinesOf(memo("feiTengMemo"));
        QVERIFY(lines.back().contains(shown.back().left(10)) ||
                lines.back().contains(QStringLiteral("开始前")));
        QVERIFY(child<QPushButton>("searchButton")->isEnabled());
    }

    void savedReportIsGbkWithCrLf() {
        w_->show();
        search(QStringLiteral("申脉"), QDate(2013, 6, 9), QDate(2013, 6, 9));
        report()->appendPlainText(QStringLiteral("医者附注"));
        combo()->setEditText(QStringLiteral("另一个名字"));
        chosen_ = dir_.filePath(QStringLiteral("申脉报告"));
        QTest::mouseClick(child<QPushButton>("saveButton"), Qt::LeftButton);
        QCOMPARE(proposed_, QStringLiteral("另一个名字"));
        QCOMPARE(messages_.size(), 1);
        QCOMPARE(messages_.front().first, ReverseLookupWindow::Message::Saved);
        QCOMPARE(messages_.front().second, QStringLiteral("成功保存"));

        QFile file(chosen_ + QStringLiteral(".txt"));
        QVERIFY(file.open(QIODevice::ReadOnly));
        const QByteArray bytes = file.readAll();
        // 纳干法（徐氏）： in GBK, no byte-order mark in front.
        QVERIFY(bytes.startsWith(QByteArray::fromHex("c4c9b8c9b7a8a3a8d0eccacfa3a9a3ba0d0a")));
        QVERIFY(bytes.endsWith(QByteArray::fromHex("d2bdd5dfb8bdd7a20d0a")));  // 医者附注 CR LF
        QCOMPARE(bytes.count('\n'), bytes.count("\r\n"));
        QStringEncoder gbk("GBK");
        QVERIFY(gbk.isValid());
        const QByteArray expected =
            gbk(LinesOf(report()).join(QStringLiteral("\r\n")) + QStringLiteral("\r\n"));
        QCOMPARE(bytes, expected);
        QVERIFY(LinesOf(report()).contains(QStringLiteral("2013-06-09子时，灵龟穴位=申脉")));

        // A name with its extension keeps it; cancelling the dialog writes nothing.
        chosen_ = dir_.filePath(QStringLiteral("b.txt"));
        QTest::mouseClick(child<QPushButton>("saveButton"), Qt::LeftButton);
        QVERIFY(QFile::exists(chosen_));
        QVERIFY(!QFile::exists(chosen_ + QStringLiteral(".txt")));
        chosen_.clear();
        messages_.clear();
        QTest::mouseClick(child<QPushButton>("saveButton"), Qt::LeftButton);
        QVERIFY(messages_.isEmpty());
    }

    void textGbkCannotHoldIsRefused() {
        w_->show();
        search(QStringLiteral("申脉"), QDate(2013, 6, 9), QDate(2013, 6, 9));
        chosen_ = dir_.filePath(QStringLiteral("report.txt"));
        QTest::mouseClick(child<QPushButton>("saveButton"), Qt::LeftButton);
        QFile earlier(chosen_);
        QVERIFY(earlier.open(QIODevice::ReadOnly));
        const QByteArray before = earlier.readAll();
        earlier.close();

        messages_.clear();
        QTextCursor end(report()->document());
        end.movePosition(QTextCursor::End);
        report()->setTextCursor(end);
        QTest::keyClick(report(), Qt::Key_Return);
        for (const QString& typed : {QStringLiteral("好"), QStringLiteral("😀")})
            QTest::sendKeyEvent(QTest::Click, report(), Qt::Key_unknown, typed, Qt::NoModifier);
        QTest::mouseClick(child<QPushButton>("saveButton"), Qt::LeftButton);
        QCOMPARE(messages_.size(), 1);
        QCOMPARE(messages_.front().first, ReverseLookupWindow::Message::Error);
        const QString text = messages_.front().second;
        QVERIFY2(text.contains(QStringLiteral("😀")) && text.contains(QStringLiteral("U+1F600")),
                 qPrintable(text));
        QVERIFY2(text.contains(QStringLiteral("第 %1 行第 2 个字符").arg(LinesOf(report()).size())),
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
            QCOMPARE(LinesOf(w_->memoFor(d->Id())), ToQt(found.LinesOf(d->Id())));
            whole << Heading(d) << ToQt(found.LinesOf(d->Id()));
        }
        QVERIFY(!LinesOf(w_->memoFor(DoctrineId::RiGan)).isEmpty());
        QCOMPARE(LinesOf(report()), whole);
        QVERIFY(child<QPushButton>("searchButton")->isEnabled());
    }

    void snapshotNotLoaded() {
        // The main window could not load the reference tables: the search fails with the reason, in the
        // report and in a message, and the window is ready for another try.
        w_->show();
        tables_.reset();
        search(QStringLiteral("公孙"), QDate(2013, 6, 1), QDate(2013, 6, 30));
        QCOMPARE(errors().size(), 1);
        const QStringList lines = LinesOf(report());
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
        to->setDate(QDate(2899, 12, 31));
        QSet<QString> clock;
        QTimer watch;
        connect(&watch, &QTimer::timeout, [&] { clock << h.text("chinaTimeBox"); });
        watch.start(50);
        h.window->findChild<QTimer*>(QStringLiteral("tickTimer"))->start();
        QSignalSpy done(back, &ReverseLookupWindow::searchFinished);
        back->findChild<QPushButton*>(QStringLiteral("searchButton"))->click();
        QTest::qWait(2600);
        QVERIFY(back->isSearching());
        QVERIFY2(clock.size() >= 2, qPrintable(QStringList(clock.values()).join(u'|')));
        back->findChild<QPushButton*>(QStringLiteral("stopButton"))->click();
        QVERIFY(done.wait(30000));
        h.window->findChild<QTimer*>(QStringLiteral("tickTimer"))->stop();

        // The button again while the window is open only brings it forward: the results stay.
        const QString report = back->reportMemo()->toPlainText();
        QVERIFY(!report.isEmpty());
        opener->click();
        QCOMPARE(back->reportMemo()->toPlainText(), report);
        QCOMPARE(from->date(), QDate(1900, 1, 1));
    }
};

QTEST_MAIN(ReverseWindowTest)
#include "test_reversewindow.moc"
