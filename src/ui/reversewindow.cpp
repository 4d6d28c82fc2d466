#include "ui/reversewindow.h"

#include <atomic>
#include <chrono>
#include <condition_variable>
#include <deque>
#include <mutex>

#include <QCloseEvent>
#include <QComboBox>
#include <QCoreApplication>
#include <QDateEdit>
#include <QFileDialog>
#include <QFileInfo>
#include <QGuiApplication>
#include <QLabel>
#include <QMessageBox>
#include <QPlainTextEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QScreen>
#include <QShowEvent>
#include <QTabWidget>
#include <QThread>
#include <QTimer>
#include <QVBoxLayout>

#include "store/codec.h"
#include "store/database.h"
#include "store/reverse_source.h"
#include "store/store_error.h"

namespace velunar::ui {
namespace {

constexpr QSize kOuterSize(696, 432);

// Lines travel to the window in chunks of one scan's lines, joined by '\n'. A chunk costs the memo a few
// milliseconds to take in; the search stays at most a few chunks ahead of the window, so a run of
// hundreds of thousands of lines holds little beyond what the memos show.
constexpr int kChunkLines = 1000;
constexpr int kMaxQueuedLines = 2 * kChunkLines;
// A chunk still filling is handed over after this long, so slow scans show their lines soon.
constexpr auto kChunkAge = std::chrono::milliseconds(50);
// The window takes lines every kBatchIntervalMs and spends at most kSliceMs of it appending them.
constexpr int kBatchIntervalMs = 100;
constexpr int kSliceMs = 40;
// Once the search has ended (or was stopped) its last lines are taken sooner.
constexpr int kTailIntervalMs = 40;
constexpr int kProgressSteps = 1000;

// The page captions, in scan order: the names the user sees on the tabs.
constexpr std::array<const char*, kScanCount> kCaptions = {"纳干法(徐氏)", "纳支法", "灵龟八法", "飞腾八法",
                                                           "日干法",       "时干法", "纳支法2",  "补穴法"};

QString CaptionOf(int scan) {
    return QString::fromUtf8(kCaptions[static_cast<std::size_t>(scan)]);
}

QString FromUtf8(std::string_view text) {
    return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
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

QPlainTextEdit* MakeMemo(const char* name) {
    auto* m = new QPlainTextEdit;
    m->setObjectName(QString::fromLatin1(name));
    m->setLineWrapMode(QPlainTextEdit::NoWrap);
    m->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    m->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    QFont font = m->font();
    font.setFamilies({QStringLiteral("SimSun"), QStringLiteral("宋体")});
    font.setPixelSize(16);
    m->setFont(font);
    return m;
}

template <class W>
W* Place(W* w, QWidget* parent, const char* name, QRect where) {
    w->setParent(parent);
    w->setObjectName(QString::fromLatin1(name));
    w->setGeometry(where);
    return w;
}

QLabel* MakeLabel(QWidget* parent, const char* name, const QString& text, QPoint at, bool bold) {
    auto* l = new QLabel(text, parent);
    l->setObjectName(QString::fromLatin1(name));
    QFont font = l->font();
    font.setFamilies({QStringLiteral("SimSun"), QStringLiteral("宋体")});
    font.setPixelSize(12);
    font.setBold(bold);
    l->setFont(font);
    l->move(at);
    l->adjustSize();
    return l;
}

QDateEdit* MakePicker(QWidget* parent, const char* name, QRect where) {
    auto* p = Place(new QDateEdit, parent, name, where);
    // The fields as picked, never an instant of the system's zone.
    p->setTimeSpec(Qt::UTC);
    p->setDisplayFormat(QStringLiteral("yyyy-MM-dd"));
    p->setCalendarPopup(true);
    return p;
}

}  // namespace

// One search in flight: its thread, its own connection to the database file, and the chunks of lines
// on their way to the window.
class ReverseRun {
  public:
    struct Chunk {
        int scan = 0;
        QString text;
        int lines = 0;
    };

    ReverseRun(QString databasePath, std::string point, std::int64_t first, std::int64_t last)
        : path_(std::move(databasePath)), point_(std::move(point)), first_(first), last_(last) {}

    ~ReverseRun() {
        Cancel();
        if (thread_) thread_->wait();
    }

    void Start(QObject* context, std::function<void()> onFinished) {
        thread_.reset(QThread::create([this] { Body(); }));
        QObject::connect(thread_.get(), &QThread::finished, context, std::move(onFinished));
        thread_->start();
    }

    void Cancel() {
        {
            std::lock_guard lock(mutex_);
            cancel_.store(true);
        }
        wake_.notify_all();
    }

    bool TakeChunk(Chunk& out) {
        {
            std::lock_guard lock(mutex_);
            if (ready_.empty()) return false;
            out = std::move(ready_.front());
            ready_.pop_front();
            queuedLines_ -= out.lines;
        }
        wake_.notify_all();
        return true;
    }

    // After the thread has ended (its finished signal has arrived).
    void Join() { thread_->wait(); }
    bool Cancelled() const { return outcome_ == SearchOutcome::Cancelled; }
    const QString& Error() const { return error_; }

    std::int64_t DatesDone() const { return done_.load(std::memory_order_relaxed); }
    std::int64_t DatesTotal() const { return last_ >= first_ ? (last_ - first_ + 1) * kScanCount : 0; }
    int CurrentScan() const { return scan_.load(std::memory_order_relaxed); }
    std::int64_t FirstDay() const { return first_; }
    std::int64_t LastDay() const { return last_; }

  private:
    // Collects lines on the search thread and hands them over chunk by chunk.
    class Sink : public ReverseSink {
      public:
        explicit Sink(ReverseRun& run) : run_(run) {}
        void BeginScan(Scan scan) override {
            Flush();
            pending_.scan = static_cast<int>(scan);
            run_.scan_.store(pending_.scan, std::memory_order_relaxed);
        }
        void Line(Scan, std::string_view line) override {
            if (pending_.lines > 0) pending_.text += u'\n';
            pending_.text += FromUtf8(line);
            if (++pending_.lines >= kChunkLines) Flush();
        }
        void Progress(std::int64_t done, std::int64_t) override {
            run_.done_.store(done, std::memory_order_relaxed);
            if (pending_.lines > 0 && std::chrono::steady_clock::now() - handed_ >= kChunkAge) Flush();
        }
        void Flush() {
            handed_ = std::chrono::steady_clock::now();
            if (pending_.lines == 0) return;
            const int scan = pending_.scan;
            run_.Push(std::move(pending_));
            pending_ = Chunk{scan, QString(), 0};
        }

      private:
        ReverseRun& run_;
        Chunk pending_;
        std::chrono::steady_clock::time_point handed_ = std::chrono::steady_clock::now();
    };

    void Body() {
        static std::atomic<int> serial{0};
        Sink sink(*this);
        try {
            // Qt SQL connections belong to the thread that opens them: this one is made and closed here.
            store::Database db(QStringLiteral("velunar-reverse-%1").arg(++serial));
            db.Open(path_);
            store::DatabaseReverseSource source(db);
            outcome_ = ReverseSearch(point_, first_, last_, source, sink, &cancel_);
        } catch (const std::exception& e) {
            error_ = QString::fromUtf8(e.what());
        }
        sink.Flush();
    }

    // Waits while the window is more than a few chunks behind, unless the search is being stopped.
    void Push(Chunk&& chunk) {
        std::unique_lock lock(mutex_);
        queuedLines_ += chunk.lines;
        ready_.push_back(std::move(chunk));
        wake_.wait(lock, [this] { return queuedLines_ <= kMaxQueuedLines || cancel_.load(); });
    }

    const QString path_;
    const std::string point_;
    const std::int64_t first_, last_;
    std::unique_ptr<QThread> thread_;
    std::atomic<bool> cancel_{false};
    std::atomic<std::int64_t> done_{0};
    std::atomic<int> scan_{0};
    std::mutex mutex_;
    std::condition_variable wake_;
    std::deque<Chunk> ready_;
    qsizetype queuedLines_ = 0;
    // Written by the thread before it ends, read by the window after.
    SearchOutcome outcome_ = SearchOutcome::Completed;
    QString error_;
};

FrmBack::FrmBack(store::Database& db, ReferenceTimeFn referenceTime, QWidget* parent)
    : QWidget(parent, Qt::Window | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                          Qt::WindowCloseButtonHint | Qt::WindowMinimizeButtonHint |
                          Qt::MSWindowsFixedSizeDialogHint),
      db_(db),
      referenceTime_(std::move(referenceTime)) {
    setObjectName(QStringLiteral("frmBack"));
    setWindowTitle(QStringLiteral("穴位反推功能"));
    buildControls();
    // Until the window system has framed the window, its frame is unknown: the whole size is the client's.
    setFixedSize(kOuterSize);
    batchTimer_ = new QTimer(this);
    batchTimer_->setObjectName(QStringLiteral("BatchTimer"));
    batchTimer_->setInterval(kBatchIntervalMs);
    connect(batchTimer_, &QTimer::timeout, this, &FrmBack::onTimer);
}

FrmBack::~FrmBack() {
    // Only the search's own objects: the main window's connection may already be gone.
    run_.reset();
}

void FrmBack::buildControls() {
    Label1 = MakeLabel(this, "Label1", QStringLiteral("要查找的穴位名称："), {16, 18}, false);
    ComboBox1 = Place(new QComboBox, this, "ComboBox1", {132, 13, 145, 24});
    ComboBox1->setEditable(true);
    ComboBox1->setInsertPolicy(QComboBox::NoInsert);
    ComboBox1->setMaxVisibleItems(20);
    Button2 = Place(new QPushButton(QStringLiteral("穴位反查")), this, "Button2", {288, 12, 90, 26});
    QFont bold = Button2->font();
    bold.setBold(true);
    Button2->setFont(bold);
    Label2 = MakeLabel(this, "Label2", QStringLiteral("(根据穴位名查询什么时间应开此穴)"), {388, 18}, true);

    Label3 = MakeLabel(this, "Label3", QStringLiteral("日期从："), {16, 53}, false);
    DateTimePicker1 = MakePicker(this, "DateTimePicker1", {72, 48, 120, 24});
    Label21 = MakeLabel(this, "Label21", QStringLiteral("到"), {202, 53}, false);
    DateTimePicker2 = MakePicker(this, "DateTimePicker2", {222, 48, 120, 24});
    Label29 = MakeLabel(this, "Label29",
                        QStringLiteral("注意：以不区分夜早子时为计算依据，例如 \"2013-6-9子时\"指2013-6-8 "
                                       "23:00到2013-6-9 00:59:59"),
                        {16, 86}, true);

    PageControl1 = Place(new QTabWidget, this, "PageControl1", {16, 110, 644, 177});
    const std::array<std::pair<const char*, const char*>, 9> pages = {{{"TabSheet9", "全部"},
                                                                       {"TabSheet1", "纳干法(徐氏)"},
                                                                       {"TabSheet2", "纳支法"},
                                                                       {"TabSheet3", "灵龟八法"},
                                                                       {"TabSheet5", "飞腾八法"},
                                                                       {"TabSheet6", "日干法"},
                                                                       {"TabSheet7", "时干法"},
                                                                       {"TabSheet8", "纳支法2"},
                                                                       {"TabSheet10", "补穴法"}}};
    QPlainTextEdit** memos[] = {&Memo1, &Memo2, &Memo3, &Memo4, &Memo5, &Memo6, &Memo7, &Memo8, &Memo9};
    for (std::size_t i = 0; i < pages.size(); ++i) {
        *memos[i] = MakeMemo(("Memo" + std::to_string(i + 1)).c_str());
        auto* page = new QWidget;
        page->setObjectName(QString::fromLatin1(pages[i].first));
        auto* fill = new QVBoxLayout(page);
        fill->setContentsMargins(0, 0, 0, 0);
        fill->addWidget(*memos[i]);
        PageControl1->addTab(page, QString::fromUtf8(pages[i].second));
    }
    PageControl1->setCurrentIndex(0);

    Button4 = Place(new QPushButton(QStringLiteral("导出为文本")), this, "Button4", {16, 300, 100, 26});
    ProgressBar1 = Place(new QProgressBar, this, "ProgressBar1", {128, 302, 440, 22});
    ProgressBar1->setRange(0, kProgressSteps);
    ProgressBar1->hide();
    ButtonCancel =
        Place(new QPushButton(QStringLiteral("停止查找")), this, "ButtonCancel", {576, 300, 84, 26});
    ButtonCancel->hide();

    connect(Button2, &QPushButton::clicked, this, &FrmBack::Button2Click);
    connect(Button4, &QPushButton::clicked, this, &FrmBack::Button4Click);
    connect(ButtonCancel, &QPushButton::clicked, this, &FrmBack::ButtonCancelClick);
}

void FrmBack::showEvent(QShowEvent* event) {
    QWidget::showEvent(event);
    // Coming back from the task bar is no new showing: the form keeps its results.
    if (event->spontaneous()) return;
    if (!placed_) {
        placed_ = true;
        placeCentred();
    }
    FormShow();
}

void FrmBack::placeCentred() {
    const QSize frame = frameGeometry().size() - geometry().size();
    setFixedSize(kOuterSize - frame);
    const QScreen* where = screen();
    if (!where) return;
    const QRect desktop = where->availableGeometry();
    move(desktop.center() - QPoint(kOuterSize.width() / 2, kOuterSize.height() / 2));
}

void FrmBack::closeEvent(QCloseEvent* event) {
    // Closing only hides the window; a search still running is stopped, and the next showing resets all.
    abortRun();
    QWidget::closeEvent(event);
}

void FrmBack::FormShow() {
    abortRun();
    ComboBox1->clear();
    try {
        QStringList names;
        for (const store::Row& row : db_.Run(store::QueryId::PointList).rows) {
            const QString name = QString::fromStdString(row.Value("穴位"));
            if (!name.trimmed().isEmpty()) names << name;
        }
        ComboBox1->addItems(names);
    } catch (const store::StoreError& e) {
        showMessage(Message::Error, QString::fromUtf8(e.what()));
    }
    if (ComboBox1->count() > 0) ComboBox1->setCurrentIndex(0);
    const auto now = [this] {
        if (referenceTime_) return referenceTime_();
        const QDate d = QDate::currentDate();
        return static_cast<DateTime>(DaysFromCivil(d.year(), d.month(), d.day()));
    };
    DateTimePicker1->setDate(DateOf(now()));
    DateTimePicker2->setDate(DateOf(now() + 10));
    clearMemos();
}

void FrmBack::clearMemos() {
    for (QPlainTextEdit* m : {Memo1, Memo2, Memo3, Memo4, Memo5, Memo6, Memo7, Memo8, Memo9}) m->clear();
}

QPlainTextEdit* FrmBack::memoOf(Scan scan) const {
    QPlainTextEdit* const memos[] = {Memo2, Memo3, Memo4, Memo5, Memo6, Memo7, Memo8, Memo9};
    return memos[static_cast<int>(scan)];
}

bool FrmBack::isSearching() const {
    return phase_ != Phase::Idle;
}

void FrmBack::Button2Click() {
    if (isSearching()) return;
    clearMemos();
    const std::string point = ComboBox1->currentText().toStdString();
    run_ = std::make_unique<ReverseRun>(db_.Path(), point, DayOf(DateTimePicker1->date()),
                                        DayOf(DateTimePicker2->date()));
    phase_ = Phase::Searching;
    setRunning(true);
    threadEnded_ = false;
    const quint64 serial = ++runSerial_;
    run_->Start(this, [this, serial] {
        // A run stopped and replaced since may still have its end reported: only the current one counts.
        if (serial != runSerial_ || !run_) return;
        run_->Join();
        threadEnded_ = true;
        ButtonCancel->setEnabled(false);
        batchTimer_->setInterval(kTailIntervalMs);
        onTimer();  // a short search ends at once instead of at the next batch
    });
    batchTimer_->start();
}

void FrmBack::ButtonCancelClick() {
    if (phase_ != Phase::Searching) return;
    run_->Cancel();
    ButtonCancel->setEnabled(false);
}

void FrmBack::setRunning(bool running) {
    // The memos take in the search's lines without an undo record of each; editing is undoable again after.
    for (QPlainTextEdit* m : {Memo1, Memo2, Memo3, Memo4, Memo5, Memo6, Memo7, Memo8, Memo9})
        m->setUndoRedoEnabled(!running);
    Button2->setEnabled(!running);
    Button4->setEnabled(!running);
    ProgressBar1->setVisible(running);
    ButtonCancel->setVisible(running);
    ButtonCancel->setEnabled(running);
    if (running) {
        ProgressBar1->setValue(0);
        updateProgress();
    }
}

void FrmBack::onTimer() {
    if (phase_ == Phase::Idle) return;
    QElapsedTimer slice;
    slice.start();
    if (phase_ == Phase::Searching && appendSearchLines(slice)) {
        batchTimer_->setInterval(kBatchIntervalMs);
        startReport();
        emit scansEnded();
    }
    if (phase_ == Phase::Reporting && appendReport(slice)) finishRun();
    if (phase_ != Phase::Idle) updateProgress();
}

// Appends the chunks that are ready until the slice is used up; true once the search has ended and
// every line is in its memo.
bool FrmBack::appendSearchLines(const QElapsedTimer& slice) {
    ReverseRun::Chunk chunk;
    while (slice.elapsed() < kSliceMs) {
        // Once the thread has ended every chunk is queued: an empty queue then means the last was taken.
        const bool ended = threadEnded_;
        if (!run_->TakeChunk(chunk)) return ended;
        memoOf(static_cast<Scan>(chunk.scan))->appendPlainText(chunk.text);
    }
    return false;
}

void FrmBack::startReport() {
    phase_ = Phase::Reporting;
    reportChunks_.clear();
    reportDone_ = 0;
    for (int i = 0; i < kScanCount; ++i) {
        reportChunks_ << FromUtf8(ReportHeadings()[static_cast<std::size_t>(i)]);
        const QString text = memoOf(static_cast<Scan>(i))->toPlainText();
        // Smaller pieces than the search's chunks: Memo1 is usually the page in front, and a visible memo
        // takes lines in more slowly.
        if (!text.isEmpty()) reportChunks_ << InPieces(text, kChunkLines / 2);
    }
}

bool FrmBack::appendReport(const QElapsedTimer& slice) {
    while (reportDone_ < reportChunks_.size()) {
        if (slice.elapsed() >= kSliceMs) return false;
        Memo1->appendPlainText(reportChunks_[reportDone_++]);
    }
    return true;
}

QString FrmBack::endNote() const {
    if (!run_->Error().isEmpty())
        return QStringLiteral("（查找因错误而中断：%1；以上是中断前找到的结果）").arg(run_->Error());
    if (!run_->Cancelled()) return {};
    const std::int64_t dates = run_->LastDay() - run_->FirstDay() + 1;
    const int scan = run_->CurrentScan();
    const std::int64_t walked = run_->DatesDone() - scan * dates;
    if (walked <= 0) {
        return QStringLiteral("（已取消：查找在“%1”开始前停止，其后的方法未查；以上是取消前找到的结果）")
            .arg(CaptionOf(scan));
    }
    return QStringLiteral("（已取消：“%1”只查到 %2，其后的日期和方法未查；以上是取消前找到的结果）")
        .arg(CaptionOf(scan), IsoDate(run_->FirstDay() + walked - 1));
}

void FrmBack::finishRun() {
    batchTimer_->stop();
    const QString note = endNote();
    if (!note.isEmpty()) Memo1->appendPlainText(note);
    // Appending followed the end of each memo; the report is read from its start.
    for (QPlainTextEdit* m : {Memo1, Memo2, Memo3, Memo4, Memo5, Memo6, Memo7, Memo8, Memo9})
        m->moveCursor(QTextCursor::Start);
    const QString error = run_->Error();
    run_.reset();
    phase_ = Phase::Idle;
    reportChunks_.clear();
    setRunning(false);
    emit searchFinished();
    if (!error.isEmpty()) showMessage(Message::Error, error);
}

void FrmBack::abortRun() {
    if (phase_ == Phase::Idle) return;
    batchTimer_->stop();
    run_.reset();
    phase_ = Phase::Idle;
    reportChunks_.clear();
    setRunning(false);
}

void FrmBack::updateProgress() {
    if (phase_ == Phase::Searching) {
        const std::int64_t total = run_->DatesTotal();
        const std::int64_t done = run_->DatesDone();
        ProgressBar1->setValue(total > 0 ? static_cast<int>(done * kProgressSteps / total) : 0);
        // The date reached moves on every update, even when a long range barely moves the bar.
        const std::int64_t walked = done - run_->CurrentScan() * (total / kScanCount);
        const QString reached =
            walked > 0 ? QStringLiteral("，已查到 %1").arg(IsoDate(run_->FirstDay() + walked - 1))
                       : QString();
        ProgressBar1->setFormat(
            QStringLiteral("正在查找：%1%2（%p%）").arg(CaptionOf(run_->CurrentScan()), reached));
    } else if (phase_ == Phase::Reporting) {
        const qsizetype total = reportChunks_.size();
        ProgressBar1->setValue(total > 0 ? static_cast<int>(reportDone_ * kProgressSteps / total) : 0);
        ProgressBar1->setFormat(QStringLiteral("正在汇总到“全部”（%p%）"));
    }
}

void FrmBack::Button4Click() {
    const QString proposed = ComboBox1->currentText();
    if (!SaveDialog1) {
        SaveDialog1 = new QFileDialog(this, QStringLiteral("导出为文本"));
        SaveDialog1->setObjectName(QStringLiteral("SaveDialog1"));
        SaveDialog1->setAcceptMode(QFileDialog::AcceptSave);
        SaveDialog1->setNameFilter(QStringLiteral("TXT (*.txt)"));
        SaveDialog1->setDefaultSuffix(QStringLiteral("txt"));
        SaveDialog1->setOption(QFileDialog::DontConfirmOverwrite);
    }
    SaveDialog1->selectFile(proposed);
    QString path =
        chooseFile_
            ? chooseFile_(*SaveDialog1, proposed)
            : (SaveDialog1->exec() == QDialog::Accepted ? SaveDialog1->selectedFiles().value(0) : QString());
    if (path.isEmpty()) return;
    if (QFileInfo(path).suffix().isEmpty()) path += QStringLiteral(".txt");

    const QString text = Memo1->toPlainText();
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

void FrmBack::showMessage(Message kind, const QString& text) {
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
