#include "ui/reversewindow.h"
#include "methods/lunar_view.h"

#include <malloc.h>

#include <algorithm>

#include <QCheckBox>
#include <QCloseEvent>
#include <QComboBox>
#include <QDateEdit>
#include <QElapsedTimer>
#include <QGuiApplication>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QProgressBar>
#include <QPushButton>
#include <QScreen>
#include <QShowEvent>
#include <QTabWidget>
#include <QTableView>
#include <QTimer>

#include "methods/clock_span.h"
#include "reverse/reverse_job.h"
#include "store/database.h"
#include "store/reference_snapshot.h"
#include "store/store_error.h"
#include "store/tzdb.h"
#include "ui/civil_date.h"
#include "ui/pointfinder.h"
#include "ui/uitext.h"
#include "ui/windowplacement.h"
#include "ui/wrappingrow.h"

namespace velunar::ui {
namespace {

// The size the window opens with where the screen has room for it.
constexpr QSize kOpeningSize(696, 432);
// Batches are taken for at most this long before the event loop gets its turn; the timer only moves the
// progress bar between batches, and takes a batch whose wake-up was missed.
constexpr int kSliceMs = 15;
constexpr int kProgressIntervalMs = 100;
constexpr int kShowIntervalMs = 200;
constexpr int kRowsPerTurn = 100000;
constexpr std::size_t kMaxRowsAhead = 3 * kRowsPerTurn;
constexpr int kProgressSteps = 1000;

QString FromUtf8(std::string_view text) {
    return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
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

}  // namespace

ReverseLookupWindow::ReverseLookupWindow(store::Database& db, TablesFn tables, ReferenceTimeFn referenceTime,
                                         QWidget* parent)
    : QWidget(parent, Qt::Window),
      db_(db),
      tables_(std::move(tables)),
      referenceTime_(std::move(referenceTime)),
      store_(std::make_unique<OpeningStore>()) {
    setObjectName(QStringLiteral("reverseLookupWindow"));
    setWindowTitle(TranslatedQ("ui", "穴位反推功能"));
    buildControls();
    progressBar_->setRange(0, kProgressSteps);
    resize(kOpeningSize);
    WindowPlacement::Keep(this, objectName(), [this](QWidget*) { placeOnScreen(); });
    batchTimer_ = new QTimer(this);
    batchTimer_->setObjectName(QStringLiteral("batchTimer"));
    batchTimer_->setInterval(kProgressIntervalMs);
    connect(batchTimer_, &QTimer::timeout, this, &ReverseLookupWindow::onJobReady);
}

ReverseLookupWindow::~ReverseLookupWindow() {
    // The job's thread may still call back: it is stopped before anything it could reach goes.
    job_.reset();
}

void ReverseLookupWindow::showEvent(QShowEvent* event) {
    QWidget::showEvent(event);
    // Coming back from the task bar is no new showing: the window keeps its results.
    if (event->spontaneous()) return;
    resetForShowing();
}

void ReverseLookupWindow::placeOnScreen() {
    const QScreen* where = screen() ? screen() : QGuiApplication::primaryScreen();
    if (!where) return;
    const QRect desktop = where->availableGeometry();
    const QSize frame = frameGeometry().size() - geometry().size();
    // As large as it always opened, wide enough for each row of controls on one line (a longer language's),
    // or as much of the screen as there is.
    QSize opening = kOpeningSize;
    const QMargins margins = layout()->contentsMargins();
    for (const WrappingRow* row : findChildren<WrappingRow*>())
        opening.setWidth(
            std::max(opening.width(), row->sizeHint().width() + margins.left() + margins.right()));
    const QSize room = desktop.size() - frame;
    resize(opening.boundedTo(room).expandedTo(minimumSizeHint().boundedTo(room)));
    QRect outer = frameGeometry();
    outer.moveCenter(desktop.center());
    move(outer.topLeft().x() < desktop.left() ? desktop.left() : outer.topLeft().x(),
         outer.topLeft().y() < desktop.top() ? desktop.top() : outer.topLeft().y());
}

void ReverseLookupWindow::closeEvent(QCloseEvent* event) {
    // Closing only hides the window; a search still running is stopped, and the results go with it (the
    // next showing would reset them anyway).
    abortRun();
    exportCancelled_ = true;
    clearResults(std::nullopt);
    QWidget::closeEvent(event);
}

void ReverseLookupWindow::resetForShowing() {
    abortRun();
    pointBox_->clear();
    try {
        std::vector<std::string> names;
        for (const store::Row& row : db_.Run(store::QueryId::PointList).rows) {
            const std::string name = row.Value("穴位");
            if (!QString::fromStdString(name).trimmed().isEmpty()) names.push_back(name);
        }
        pointBox_->setPoints(names);
    } catch (const store::StoreError& e) {
        showMessage(Message::Error, QString::fromUtf8(e.what()));
    }
    if (pointBox_->count() > 0) pointBox_->setCurrentIndex(0);
    const auto now = [this] {
        if (referenceTime_) return referenceTime_();
        const QDate d = QDate::currentDate();
        return static_cast<DateTime>(DayOf(d));
    };
    fromDate_->setDate(DateOf(now()));
    toDate_->setDate(DateOf(now() + 10));
    setStatus({}, false);
    clearResults(std::nullopt);
    searched_.reset();
    updateOutOfDate();
    focusPointBox();
}

void ReverseLookupWindow::focusPointBox() {
    pointBox_->setFocus(Qt::ShortcutFocusReason);
    pointBox_->lineEdit()->selectAll();
}

void ReverseLookupWindow::updateOutOfDate() {
    if (isSearching()) return;
    bool stale = false;
    if (searched_) {
        // A code or pinyin of the point searched is the same point.
        const QString typed = pointBox_->currentText();
        const std::optional<std::string> name = pointBox_->points().NameFor(typed.toStdString());
        const QString point = name ? QString::fromStdString(*name) : typed;
        stale = point != searched_->point || fromDate_->date() != searched_->from ||
                toDate_->date() != searched_->to;
    }
    saveButton_->setEnabled(!stale);
    calendarButton_->setEnabled(!stale);
    if (stale)
        setStatus(
            TranslatedQ("ui",
                        "下面是“%1”（%2 到 %3）的结果，与上面的穴位或日期已不相符：请按“穴位反查”重新查找，"
                        "然后再导出。")
                .arg(searched_->point, searched_->from.toString(Qt::ISODate),
                     searched_->to.toString(Qt::ISODate)),
            true);
    else if (stale_)
        setStatus({}, false);
    stale_ = stale;
}

DoctrineOpeningsModel* ReverseLookupWindow::modelFor(DoctrineId doctrine) const {
    return doctrineModels_.at(static_cast<std::size_t>(doctrine));
}

QTableView* ReverseLookupWindow::viewFor(DoctrineId doctrine) const {
    return doctrineViews_.at(static_cast<std::size_t>(doctrine));
}

void ReverseLookupWindow::clearResults(std::optional<TickInput> place) {
    store_->Reset(std::move(place));
    store_->SetSpelling(spelling_ ? spelling_() : SixthStem::AsKeys);
    reportModel_->reset();
    for (DoctrineOpeningsModel* m : doctrineModels_) m->reset();
    // The memory of a search of centuries (half a gigabyte) goes back to the system when its results go.
    renewRowHeader(reportView_);
    for (QTableView* v : doctrineViews_)
        if (v) renewRowHeader(v);
    ::malloc_trim(0);
}

void ReverseLookupWindow::setStatus(const QString& text, bool fault) {
    statusLine_->setText(text);
    statusLine_->setStyleSheet(fault ? QStringLiteral("color: #c00000;") : QString());
    statusLine_->setVisible(!text.isEmpty());
}

std::optional<TickInput> ReverseLookupWindow::clockPlace() {
    if (!place_) {
        setStatus(TranslatedQ("ui", "没有地点设置，无法显示钟表时间"), true);
        return std::nullopt;
    }
    TickInput place = place_();
    place.hint = false;
    // A tz-database zone gives each reading of the range the offsets in force then.
    store::CoverDays(place, DayOf(fromDate_->date()), DayOf(toDate_->date()));
    if (SpanPlaceFault(place) || !place.timeMode) {
        setStatus(TranslatedQ("ui", "主窗口的经度、时区或夏令时设置无法使用，不能显示钟表时间"), true);
        return std::nullopt;
    }
    return place;
}

void ReverseLookupWindow::onClockToggled(bool on) {
    // The place is read again: the user may have changed the main window's settings since the search.
    if (on) {
        const std::optional<TickInput> place = clockPlace();
        if (!place) {
            clockBox_->setChecked(false);
            return;
        }
        store_->SetPlace(*place);
    }
    for (DoctrineOpeningsModel* m : doctrineModels_) m->setClockShown(on);
    reportModel_->setClockShown(on);
}

void ReverseLookupWindow::onSearch() {
    if (isSearching() || exporting_) return;
    const QString typed = pointBox_->settle();
    QString point = typed;  // the name the text stands for, once known
    const std::shared_ptr<const ReferenceTables> tables = tables_ ? tables_() : nullptr;
    // A point the program does not know opens nowhere: the user is told what was meant instead. Without
    // the snapshot there is nothing to check against, and the search reports why it cannot run.
    if (tables) {
        try {
            const store::TypedPoint resolved = store::ResolvePoint(typed.toStdString(), *tables, db_);
            if (!resolved.name) {
                setStatus(FromUtf8(resolved.note), true);
                return;
            }
            point = FromUtf8(*resolved.name);
        } catch (const store::StoreError& e) {
            showMessage(Message::Error, QString::fromUtf8(e.what()));
            return;
        }
    }
    setStatus({}, false);
    stale_ = false;
    searched_ = Searched{point, fromDate_->date(), toDate_->date()};
    std::optional<TickInput> place;
    if (clockBox_->isChecked() && !(place = clockPlace())) clockBox_->setChecked(false);
    clearResults(place);
    avoid_.reset();
    leftOut_ = 0;
    if (avoidBox_->isChecked()) avoid_ = place_ ? place_().taboo : TabooOptions{};
    const std::weak_ptr<std::atomic<bool>> pending = wakePending_;
    wakePending_->store(false);
    // Called on the search's thread: one wake-up waits in the event queue at a time.
    auto ready = [this, pending] {
        const auto flag = pending.lock();
        if (flag && !flag->exchange(true))
            QMetaObject::invokeMethod(this, &ReverseLookupWindow::onJobReady, Qt::QueuedConnection);
    };
    job_ = std::make_unique<ReverseJob>(point.toStdString(), DayOf(fromDate_->date()), DayOf(toDate_->date()),
                                        tables, ready);
    jobEnded_ = false;
    rowsBehind_ = false;
    sinceShown_.invalidate();
    setRunning(true);
    batchTimer_->start();
}

void ReverseLookupWindow::onStop() {
    if (!isSearching()) return;
    job_->Cancel();
    stopButton_->setEnabled(false);
}

void ReverseLookupWindow::setRunning(bool running) {
    searchButton_->setEnabled(!running);
    saveButton_->setEnabled(!running);
    calendarButton_->setEnabled(!running);
    progressBar_->setVisible(running);
    stopButton_->setVisible(running);
    stopButton_->setEnabled(running);
    // Rows come in report order while the search runs; they can be sorted once all are in.
    for (QTableView* v : doctrineViews_) {
        if (running)
            v->horizontalHeader()->setSortIndicator(DoctrineOpeningsModel::DateColumn, Qt::AscendingOrder);
        v->setSortingEnabled(!running);
    }
    if (running) {
        progressBar_->setValue(0);
        updateProgress();
    }
}

void ReverseLookupWindow::onJobReady() {
    wakePending_->store(false);
    if (!isSearching()) return;
    const bool more = takeBatches();
    const bool caughtUp = showRows();
    if (jobEnded_ && caughtUp) {
        finishRun();
        return;
    }
    // Rows held back until the next showing wait for the timer; rows left over from this turn do not.
    if ((more || rowsBehind_) && !wakePending_->exchange(true))
        QMetaObject::invokeMethod(this, &ReverseLookupWindow::onJobReady, Qt::QueuedConnection);
    updateProgress();
}

// Moves the batches that are ready into the store until the slice is used up; true when more are ready.
bool ReverseLookupWindow::takeBatches() {
    QElapsedTimer slice;
    slice.start();
    ReverseBatch batch;
    // The search waits rather than run far ahead of the views: a stop then shows its last rows at once.
    std::size_t shown = 0;
    for (const DoctrineOpeningsModel* m : doctrineModels_) shown += static_cast<std::size_t>(m->rowCount());
    while (!jobEnded_) {
        if (store_->Total() - shown >= kMaxRowsAhead) return false;
        if (slice.elapsed() >= kSliceMs) return true;
        const ReverseJob::Take took = job_->TakeBatch(batch);
        if (took == ReverseJob::Take::NoneYet) return false;
        if (took == ReverseJob::Take::Ended) {
            jobEnded_ = true;
            break;
        }
        if (batch.beginsScan) store_->BeginScan(*batch.doctrine, batch.texts);
        if (avoid_) {
            const std::size_t before = batch.openings.size();
            std::erase_if(batch.openings, [&](const Opening& o) {
                return OpeningForbidden(batch.texts->Point(), o.day, o.HourBranch(), *avoid_);
            });
            leftOut_ += static_cast<std::int64_t>(before - batch.openings.size());
        }
        store_->Append(batch.openings);
    }
    return false;
}

// Hands the views some of the rows they do not show yet; true once they show every row in the store.
// A view's header costs a little for every row it takes, so a few hundred thousand rows at a time keep
// the window live while millions come in, and a few times a second is often enough while they do.
bool ReverseLookupWindow::showRows() {
    if (!jobEnded_ && !rowsBehind_ && sinceShown_.isValid() && sinceShown_.elapsed() < kShowIntervalMs)
        return false;
    sinceShown_.start();
    int room = kRowsPerTurn;
    for (const Doctrine* d : ReportOrder()) room -= modelFor(d->Id())->grow(std::max(room, 0));
    const int reportRoom = kRowsPerTurn;
    const int added = reportModel_->grow(reportRoom);
    bool all = room > 0 && added < reportRoom;
    for (const Doctrine* d : ReportOrder())
        all = all && modelFor(d->Id())->rowCount() == static_cast<int>(store_->CountOf(d->Id()));
    rowsBehind_ = !all;
    return all;
}

QString ReverseLookupWindow::endNote() const {
    const JobState state = job_->State();
    if (state == JobState::Failed)
        return TranslatedQ("ui", "（查找因错误而中断：%1；以上是中断前找到的结果）")
            .arg(FromUtf8(job_->Error()));
    if (state != JobState::Cancelled) return {};
    const ReverseProgress p = job_->Progress();
    const QString caption = PageCaption(ScannedIn(p).Id());
    if (!p.dateReached)
        return TranslatedQ("ui", "（已取消：查找在“%1”开始前停止，其后的方法未查；以上是取消前找到的结果）")
            .arg(caption);
    return TranslatedQ("ui", "（已取消：“%1”只查到 %2，其后的日期和方法未查；以上是取消前找到的结果）")
        .arg(caption, IsoDate(*p.dateReached));
}

void ReverseLookupWindow::finishRun() {
    batchTimer_->stop();
    const QString note = endNote();
    const QString error = job_->State() == JobState::Failed ? FromUtf8(job_->Error()) : QString();
    job_.reset();
    emit scansEnded();
    reportModel_->finish(note);
    setRunning(false);
    if (avoid_)
        setStatus(TranslatedQ("ui", "已避开人神：略去 %1 个正当人神所在的开穴。").arg(leftOut_), false);
    updateOutOfDate();
    emit searchFinished();
    if (!error.isEmpty()) showMessage(Message::Error, error);
}

void ReverseLookupWindow::abortRun() {
    if (!isSearching()) return;
    batchTimer_->stop();
    job_.reset();
    setRunning(false);
    updateOutOfDate();
}

void ReverseLookupWindow::updateProgress() {
    if (!isSearching()) return;
    const ReverseProgress p = job_->Progress();
    progressBar_->setValue(p.datesTotal > 0 ? static_cast<int>(p.datesDone * kProgressSteps / p.datesTotal)
                                            : 0);
    // The date reached moves on every update, even when a long range barely moves the bar.
    const QString reached =
        p.dateReached ? TranslatedQ("ui", "，已查到 %1").arg(IsoDate(*p.dateReached)) : QString();
    progressBar_->setFormat(
        TranslatedQ("ui", "正在查找：%1%2（%p%）").arg(PageCaption(ScannedIn(p).Id()), reached));
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
