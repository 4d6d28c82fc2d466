#pragma once
// The reverse lookup window against a temporary copy of the shipped database, for the window's tests: the
// window, its hooks, what the core finds for comparison, and the report and pages as lines.
#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QClipboard>
#include <QComboBox>
#include <QDateEdit>
#include <QElapsedTimer>
#include <QFile>
#include <QFileDialog>
#include <QHeaderView>
#include <QLabel>
#include <QProcess>
#include <QProgressBar>
#include <QPushButton>
#include <QSignalSpy>
#include <QSqlDatabase>
#include <QSqlQuery>
#include <QStringEncoder>
#include <QTabWidget>
#include <QTableView>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

#include <sstream>
#include <thread>

#include "calendar/datetime.h"
#include "cli/commands.h"
#include "methods/clock_span.h"
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

inline QStringList LinesOf(const ReverseLookupWindow& w) {
    QStringList out;
    for (const std::string& line : w.reportLines()) out << QString::fromStdString(line);
    return out;
}

// A doctrine page's rows as the report's lines: date, double-hour, "，", what opens.
inline QStringList LinesOf(const ReverseLookupWindow& w, DoctrineId d) {
    QStringList out;
    const auto* model = w.modelFor(d);
    for (int r = 0; r < model->rowCount(); ++r) {
        const QStringList cells = model->rowTexts(r);
        out << cells[0] + cells[1] + QStringLiteral("，") + cells[2];
    }
    return out;
}

inline QStringList ToQt(const std::vector<std::string>& lines) {
    QStringList out;
    for (const auto& l : lines) out << QString::fromStdString(l);
    return out;
}

inline QString Heading(const Doctrine* d) {
    return QString::fromUtf8(d->ReportHeading().data(), static_cast<qsizetype>(d->ReportHeading().size()));
}

inline QStringList Headings() {
    QStringList out;
    for (const Doctrine* d : ReportOrder()) out << Heading(d);
    return out;
}

// Runs SQL on the file through a connection of its own, as another program would.
inline void Exec(const QString& path, const QString& sql) {
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
class ReverseWindowFixture : public QObject {
  protected:
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
    QStringList report() { return LinesOf(*w_); }
    QStringList page(DoctrineId d) { return LinesOf(*w_, d); }
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

  protected:
    void setUp() {
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
    void tearDown() {
        w_.reset();
        tables_.reset();
        db_.reset();
    }
};
