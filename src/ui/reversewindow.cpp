#include "ui/reversewindow.h"

#include <QCloseEvent>
#include <QComboBox>
#include <QDateEdit>
#include <QFileDialog>
#include <QFileInfo>
#include <QGuiApplication>
#include <QMessageBox>
#include <QPlainTextEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QScreen>
#include <QShowEvent>
#include <QTabWidget>
#include <QTimer>

#include "reverse/reverse_job.h"
#include "store/codec.h"
#include "store/database.h"
#include "store/report_file.h"
#include "store/store_error.h"

namespace velunar::ui {
namespace {

constexpr QSize kOuterSize(696, 432);

// The window takes batches every kBatchIntervalMs and spends at most kSliceMs of it appending them; a batch
// costs a memo a few milliseconds to take in. Once the search has ended its last lines are taken sooner,
// and the first look comes as soon, so a short search shows at once.
constexpr int kBatchIntervalMs = 100;
constexpr int kSliceMs = 40;
constexpr int kTailIntervalMs = 40;
constexpr int kProgressSteps = 1000;
// The report is appended in pieces smaller than the job's batches: it is usually the page in front, and a
// visible memo takes lines in more slowly.
constexpr int kReportPieceLines = static_cast<int>(ReverseJob::kBatchLines / 2);

QString FromUtf8(std::string_view text) {
    return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

QString Joined(const std::vector<std::string>& lines) {
    std::string text;
    for (const std::string& line : lines) {
        if (!text.empty()) text += '\n';
        text += line;
    }
    return QString::fromStdString(text);
}

std::int64_t DayOf(const QDate& d) {
    return DaysFromCivil(d.year(), d.month(), d.day());
}

QDate DateOf(DateTime t) {
    const CivilDate c = Decompose(t).date;
    return QDate(c.year, c.month, c.day);
}

QString IsoDate(std::int64_t day) {
    return QString::fromStdString(FormatIsoDate(static_cast<DateTime>(day)));
}

// The doctrine a progress report is about; before the first scan begins, the first.
const Doctrine& ScannedIn(const ReverseProgress& p) {
    return p.doctrine ? *p.doctrine : *ReportOrder().front();
}

// Whole lines of text in pieces of at most `lines` lines, so a long memo is copied a slice at a time.
QStringList InPieces(const QString& text, int lines) {
    QStringList pieces;
    qsizetype start = 0;
    int count = 0;
    for (qsizetype i = 0; i < text.size(); ++i) {
        if (text[i] != u'\n' || ++count < lines) continue;
        pieces << text.mid(start, i - start);
        start = i + 1;
        count = 0;
    }
    pieces << text.mid(start);
    return pieces;
}

// Line and column (1-based, in characters) of the character at a 1-based code-point position.
std::pair<int, int> LineAndColumn(const QString& text, qsizetype position) {
    int line = 1, column = 0;
    qsizetype seen = 0;
    for (qsizetype i = 0; i < text.size(); ++i) {
        if (text[i].isLowSurrogate() && i > 0 && text[i - 1].isHighSurrogate()) continue;
        if (++seen == position) return {line, column + 1};
        if (text[i] == u'\n') {
            ++line;
            column = 0;
        } else {
            ++column;
        }
    }
    return {line, column};
}

}  // namespace

ReverseLookupWindow::ReverseLookupWindow(store::Database& db, TablesFn tables, ReferenceTimeFn referenceTime,
                                         QWidget* parent)
    : QWidget(parent, Qt::Window | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                          Qt::WindowCloseButtonHint | Qt::WindowMinimizeButtonHint |
                          Qt::MSWindowsFixedSizeDialogHint),
      db_(db),
      tables_(std::move(tables)),
      referenceTime_(std::move(referenceTime)) {
    setObjectName(QStringLiteral("reverseLookupWindow"));
    setWindowTitle(QStringLiteral("穴位反推功能"));
    buildControls();
    progressBar_->setRange(0, kProgressSteps);
    // Until the window system has framed the window, its frame is unknown: the whole size is the client's.
    setFixedSize(kOuterSize);
    batchTimer_ = new QTimer(this);
    batchTimer_->setObjectName(QStringLiteral("batchTimer"));
    connect(batchTimer_, &QTimer::timeout, this, &ReverseLookupWindow::onBatchTimer);
}

ReverseLookupWindow::~ReverseLookupWindow() = default;

void ReverseLookupWindow::showEvent(QShowEvent* event) {
    QWidget::showEvent(event);
    // Coming back from the task bar is no new showing: the window keeps its results.
    if (event->spontaneous()) return;
    if (!placed_) {
        placed_ = true;
        placeCentred();
    }
    resetForShowing();
}

void ReverseLookupWindow::placeCentred() {
    const QSize frame = frameGeometry().size() - geometry().size();
    setFixedSize(kOuterSize - frame);
    const QScreen* where = screen();
    if (!where) return;
    const QRect desktop = where->availableGeometry();
    move(desktop.center() - QPoint(kOuterSize.width() / 2, kOuterSize.height() / 2));
}

void ReverseLookupWindow::closeEvent(QCloseEvent* event) {
    // Closing only hides the window; a search still running is stopped, and the next showing resets all.
    abortRun();
    QWidget::closeEvent(event);
}

void ReverseLookupWindow::resetForShowing() {
    abortRun();
    pointBox_->clear();
    try {
        QStringList names;
        for (const store::Row& row : db_.Run(store::QueryId::PointList).rows) {
            const QString name = QString::fromStdString(row.Value("穴位"));
            if (!name.trimmed().isEmpty()) names << name;
        }
        pointBox_->addItems(names);
    } catch (const store::StoreError& e) {
        showMessage(Message::Error, QString::fromUtf8(e.what()));
    }
    if (pointBox_->count() > 0) pointBox_->setCurrentIndex(0);
    const auto now = [this] {
        if (referenceTime_) return referenceTime_();
        const QDate d = QDate::currentDate();
        return static_cast<DateTime>(DaysFromCivil(d.year(), d.month(), d.day()));
    };
    fromDate_->setDate(DateOf(now()));
    toDate_->setDate(DateOf(now() + 10));
    for (QPlainTextEdit* m : allMemos()) m->clear();
}

QList<QPlainTextEdit*> ReverseLookupWindow::allMemos() const {
    QList<QPlainTextEdit*> memos{reportMemo_};
    for (QPlainTextEdit* m : doctrineMemos_) memos << m;
    return memos;
}

QPlainTextEdit* ReverseLookupWindow::memoFor(DoctrineId doctrine) const {
    return doctrineMemos_.at(static_cast<std::size_t>(doctrine));
}

void ReverseLookupWindow::onSearch() {
    if (isSearching()) return;
    for (QPlainTextEdit* m : allMemos()) m->clear();
    job_ = std::make_unique<ReverseJob>(pointBox_->currentText().toStdString(), DayOf(fromDate_->date()),
                                        DayOf(toDate_->date()), tables_ ? tables_() : nullptr);
    phase_ = Phase::Searching;
    setRunning(true);
    batchTimer_->start(kTailIntervalMs);
}

void ReverseLookupWindow::onStop() {
    if (phase_ != Phase::Searching) return;
    job_->Cancel();
    stopButton_->setEnabled(false);
}

void ReverseLookupWindow::setRunning(bool running) {
    // The memos take in the search's lines without an undo record of each; editing is undoable again after.
    for (QPlainTextEdit* m : allMemos()) m->setUndoRedoEnabled(!running);
    searchButton_->setEnabled(!running);
    saveButton_->setEnabled(!running);
    progressBar_->setVisible(running);
    stopButton_->setVisible(running);
    stopButton_->setEnabled(running);
    if (running) {
        progressBar_->setValue(0);
        updateProgress();
    }
}

void ReverseLookupWindow::onBatchTimer() {
    if (phase_ == Phase::Idle) return;
    QElapsedTimer slice;
    slice.start();
    if (phase_ == Phase::Searching) {
        if (job_->State() != JobState::Running) stopButton_->setEnabled(false);
        batchTimer_->setInterval(job_->State() == JobState::Running ? kBatchIntervalMs : kTailIntervalMs);
        if (appendSearchLines(slice)) {
            batchTimer_->setInterval(kBatchIntervalMs);
            startReport();
            emit scansEnded();
        }
    }
    if (phase_ == Phase::Reporting && appendReport(slice)) finishRun();
    if (phase_ != Phase::Idle) updateProgress();
}

// Appends the batches that are ready until the slice is used up; true once the search has ended and every
// line is in its memo.
bool ReverseLookupWindow::appendSearchLines(const QElapsedTimer& slice) {
    ReverseBatch batch;
    while (slice.elapsed() < kSliceMs) {
        switch (job_->TakeBatch(batch)) {
            case ReverseJob::Take::Ended:
                return true;
            case ReverseJob::Take::NoneYet:
                return false;
            case ReverseJob::Take::Batch:
                if (!batch.lines.empty()) memoFor(batch.doctrine->Id())->appendPlainText(Joined(batch.lines));
                break;
        }
    }
    return false;
}

void ReverseLookupWindow::startReport() {
    phase_ = Phase::Reporting;
    reportChunks_.clear();
    reportDone_ = 0;
    for (const Doctrine* d : ReportOrder()) {
        reportChunks_ << FromUtf8(d->ReportHeading());
        const QString text = memoFor(d->Id())->toPlainText();
        if (!text.isEmpty()) reportChunks_ << InPieces(text, kReportPieceLines);
    }
}

bool ReverseLookupWindow::appendReport(const QElapsedTimer& slice) {
    while (reportDone_ < reportChunks_.size()) {
        if (slice.elapsed() >= kSliceMs) return false;
        reportMemo_->appendPlainText(reportChunks_[reportDone_++]);
    }
    return true;
}

QString ReverseLookupWindow::endNote() const {
    const JobState state = job_->State();
    if (state == JobState::Failed)
        return QStringLiteral("（查找因错误而中断：%1；以上是中断前找到的结果）")
            .arg(FromUtf8(job_->Error()));
    if (state != JobState::Cancelled) return {};
    const ReverseProgress p = job_->Progress();
    const QString caption = PageCaption(ScannedIn(p).Id());
    if (!p.dateReached)
        return QStringLiteral("（已取消：查找在“%1”开始前停止，其后的方法未查；以上是取消前找到的结果）")
            .arg(caption);
    return QStringLiteral("（已取消：“%1”只查到 %2，其后的日期和方法未查；以上是取消前找到的结果）")
        .arg(caption, IsoDate(*p.dateReached));
}

void ReverseLookupWindow::finishRun() {
    batchTimer_->stop();
    const QString note = endNote();
    if (!note.isEmpty()) reportMemo_->appendPlainText(note);
    // Appending followed the end of each memo; the report is read from its start.
    for (QPlainTextEdit* m : allMemos()) m->moveCursor(QTextCursor::Start);
    const QString error = job_->State() == JobState::Failed ? FromUtf8(job_->Error()) : QString();
    job_.reset();
    phase_ = Phase::Idle;
    reportChunks_.clear();
    setRunning(false);
    emit searchFinished();
    if (!error.isEmpty()) showMessage(Message::Error, error);
}

void ReverseLookupWindow::abortRun() {
    if (phase_ == Phase::Idle) return;
    batchTimer_->stop();
    job_.reset();
    phase_ = Phase::Idle;
    reportChunks_.clear();
    setRunning(false);
}

void ReverseLookupWindow::updateProgress() {
    if (phase_ == Phase::Searching) {
        const ReverseProgress p = job_->Progress();
        progressBar_->setValue(
            p.datesTotal > 0 ? static_cast<int>(p.datesDone * kProgressSteps / p.datesTotal) : 0);
        // The date reached moves on every update, even when a long range barely moves the bar.
        const QString reached =
            p.dateReached ? QStringLiteral("，已查到 %1").arg(IsoDate(*p.dateReached)) : QString();
        progressBar_->setFormat(
            QStringLiteral("正在查找：%1%2（%p%）").arg(PageCaption(ScannedIn(p).Id()), reached));
    } else if (phase_ == Phase::Reporting) {
        const qsizetype total = reportChunks_.size();
        progressBar_->setValue(total > 0 ? static_cast<int>(reportDone_ * kProgressSteps / total) : 0);
        progressBar_->setFormat(QStringLiteral("正在汇总到“全部”（%p%）"));
    }
}

void ReverseLookupWindow::onSave() {
    const QString proposed = pointBox_->currentText();
    if (!saveDialog_) {
        saveDialog_ = new QFileDialog(this, QStringLiteral("导出为文本"));
        saveDialog_->setObjectName(QStringLiteral("saveDialog"));
        saveDialog_->setAcceptMode(QFileDialog::AcceptSave);
        saveDialog_->setNameFilter(QStringLiteral("TXT (*.txt)"));
        saveDialog_->setDefaultSuffix(QStringLiteral("txt"));
        saveDialog_->setOption(QFileDialog::DontConfirmOverwrite);
    }
    saveDialog_->selectFile(proposed);
    QString path =
        chooseFile_
            ? chooseFile_(*saveDialog_, proposed)
            : (saveDialog_->exec() == QDialog::Accepted ? saveDialog_->selectedFiles().value(0) : QString());
    if (path.isEmpty()) return;
    if (QFileInfo(path).suffix().isEmpty()) path += QStringLiteral(".txt");

    const QString text = reportMemo_->toPlainText();
    try {
        // Refused before anything is written, with the place of the character, so the user can mend it.
        const store::Unencodable bad = store::FirstUnencodable(text);
        if (bad.position > 0) {
            const auto [line, column] = LineAndColumn(text, bad.position);
            const QString code =
                QString::number(bad.character.toUcs4().value(0), 16).toUpper().rightJustified(4, u'0');
            showMessage(Message::Error,
                        QStringLiteral("报告第 %1 行第 %2 个字符“%3”（%4）无法用 GBK 编码保存，文件没有写入。"
                                       "请删去或改写这个字符后再导出。")
                            .arg(line)
                            .arg(column)
                            .arg(bad.character, QStringLiteral("U+") + code));
            return;
        }
        std::vector<std::string> lines;
        if (!text.isEmpty())
            for (const QString& line : text.split(u'\n')) lines.push_back(line.toStdString());
        store::WriteReport(path, lines);
    } catch (const store::StoreError& e) {
        showMessage(Message::Error, QString::fromUtf8(e.what()));
        return;
    }
    showMessage(Message::Saved, QStringLiteral("成功保存"));
}

void ReverseLookupWindow::showMessage(Message kind, const QString& text) {
    if (message_) {
        message_(kind, text);
        return;
    }
    const QString title = QGuiApplication::applicationDisplayName();
    if (kind == Message::Saved)
        QMessageBox::information(this, title, text);
    else
        QMessageBox::critical(this, title, text);
}

}  // namespace velunar::ui
