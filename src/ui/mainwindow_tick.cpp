// The one-second tick: the reference time, the time step of the page in front, the double-hour, the
// hour stem, then every method page in a fixed order, each reading what the steps before it left in
// the Moment and in the window's boxes.
#include <QAbstractButton>
#include <QAbstractSpinBox>
#include <QApplication>
#include <QComboBox>
#include <QDateEdit>
#include <QDateTime>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTabWidget>
#include <QTableWidget>
#include <QTimeEdit>
#include <QTimer>
#include <QToolButton>

#include "calendar/solar.h"
#include "calendar/timemode.h"
#include "methods/doctrine_tables.h"
#include "methods/eight_methods.h"
#include "methods/point_description.h"
#include "methods/table_steps.h"
#include "ui/mainwindow.h"
#include "ui/mainwindow_widgets.h"
#include "ui/noticeplayer.h"

namespace velunar::ui {

namespace {

constexpr int kSupplementaryPage = 4;
constexpr int kDayStemPage = 5;

QString Text(const std::string& s) {
    return QString::fromStdString(s);
}

QString Text(std::string_view s) {
    return QString::fromUtf8(s.data(), static_cast<qsizetype>(s.size()));
}

std::string Utf8(const QString& s) {
    return s.toStdString();
}

void FillGrid(QTableWidget* grid, const std::vector<std::string>& points) {
    grid->clearContents();
    grid->setRowCount(static_cast<int>(points.size()));
    for (int i = 0; i < grid->rowCount(); ++i) grid->setItem(i, 0, new QTableWidgetItem(Text(points[i])));
    // A freshly loaded list stands on its first row, as a reopened data set does.
    if (!points.empty()) grid->setCurrentCell(0, 0);
}

}  // namespace

void MainWindow::Timer1Timer() {
    Timer1->stop();
    runTick();
    Timer1->start();
}

// A step that fails must neither freeze the display nor leave old points standing as if they were
// current: its own boxes are emptied, the failure is shown, and the next tick starts afresh. A failed
// time step leaves no valid moment, so the method pages are emptied and the tick ends there.
void MainWindow::runTick() {
    struct Step {
        const char* name;
        void (MainWindow::*run)();
        bool timeStep;
    };
    static const Step kSteps[] = {
        {"ReferenceTime", nullptr, true},
        {"Timer3Timer", &MainWindow::Timer3Timer, true},
        {"HourStem", &MainWindow::HourStemStep, true},
        {"Timer4Timer", &MainWindow::Timer4Timer, false},
        {"Timer7Timer", &MainWindow::Timer7Timer, false},
        {"Timer10Timer", &MainWindow::Timer10Timer, false},
        {"Timer9Timer", &MainWindow::Timer9Timer, false},
        {"Timer888way2Timer", &MainWindow::Timer888way2Timer, false},
        {"Timer8Timer", &MainWindow::Timer8Timer, false},
        {"shaoyongTimer", &MainWindow::shaoyongTimer, false},
        {"FeiTengTimer", &MainWindow::FeiTengTimer, false},
    };
    QString failure;
    for (const Step& step : kSteps) {
        try {
            if (step.run) {
                (this->*step.run)();
            } else if (isChinaPageInFront()) {
                Edit1->setText(Text(FormatDisplay(ReferenceTime())));
                Timer5Timer();
            } else {
                Edit2->setText(Text(FormatDisplay(ReferenceTime())));
                Timer5000Timer();
            }
        } catch (const std::exception& e) {
            const QString what =
                QString::fromUtf8(step.name) + QStringLiteral("：") + QString::fromUtf8(e.what());
            if (failure.isEmpty()) failure = what;
            if (step.timeStep) {
                clearMethodOutputs();
                break;
            }
            clearStepOutputs(step.name);
        }
    }
    reportTickError(failure);
}

void MainWindow::reportTickError(const QString& what) {
    tickError_ = what;
    if (what.isEmpty()) {
        TickStatus->hide();
        return;
    }
    const QString at = wallClock().toString(QStringLiteral("HH:mm:ss"));
    const QString full = QStringLiteral("%1 刷新出错，页面未全部更新。%2").arg(at, what);
    TickStatus->setText(TickStatus->fontMetrics().elidedText(full, Qt::ElideRight, TickStatus->width()));
    TickStatus->setToolTip(full);
    TickStatus->show();
    // One box per kind of failure: a failure that repeats every second shows only in the status text.
    if (reportedErrors_.insert(what).second) showMessage(MessageKind::Error, full);
}

QString MainWindow::tickErrorText() const {
    return tickError_;
}

void MainWindow::clearStepOutputs(const char* step) {
    const std::string_view s = step;
    auto clear = [](std::initializer_list<QLineEdit*> boxes) {
        for (QLineEdit* b : boxes) b->clear();
    };
    if (s == "Timer4Timer") clear({DBEdit1, DBEdit2, DBEdit3, DBEdit4, DBEdit5, DBEdit6});
    if (s == "Timer7Timer") {
        clear({DBEdit9, DBEdit10, DBEdit11, DBEdit12, DBEdit13, DBEdit14, DBEdit15});
        applyNaGanVisibility(false, false, false);
    }
    if (s == "Timer10Timer") clear({DBEdit16, DBEdit17, DBEdit18, DBEdit19, DBEdit20});
    if (s == "Timer9Timer") DBMemo1->clear();
    if (s == "Timer888way2Timer" || s == "Timer8Timer") clear({Edit7, Edit8, Edit6});
    if (s == "shaoyongTimer") {
        clear({DBEdit22, DBEdit23, DBEdit24, DBEdit25, DBEdit26, DBEdit27, DBEdit28});
        Label44->clear();
        Label47->clear();
        FillGrid(DBGrid1, {});
        FillGrid(DBGrid2, {});
        // Emptied lists must be loaded again on the next tick, whatever their keys.
        dayHour_ = std::make_unique<DayHourMethods>();
    }
    if (s == "FeiTengTimer") clear({Edit10, Edit11});
}

void MainWindow::clearMethodOutputs() {
    for (const char* s :
         {"Timer4Timer", "Timer7Timer", "Timer10Timer", "Timer888way2Timer", "shaoyongTimer", "FeiTengTimer"})
        clearStepOutputs(s);
}

double MainWindow::ReferenceTime() {
    const bool china = PageControl2->currentIndex() == 0;
    QLineEdit* box = china ? Edit1 : Edit2;
    if (CheckBox2->isChecked()) {
        // The wall clock as read: its civil fields, no zone conversion.
        const QDateTime now = wallClock();
        const QDate d = now.date();
        const QTime t = now.time();
        box->setVisible(true);
        DateTimePicker1->hide();
        DateTimePicker2->hide();
        return MakeDateTime(d.year(), d.month(), d.day(), t.hour(), t.minute(), t.second(), t.msec());
    }
    const QDate d = DateTimePicker1->date();
    const QTime t = DateTimePicker2->time();
    QWidget* page = china ? TabSheet9 : TabSheet10;
    box->hide();
    for (QWidget* picker : {static_cast<QWidget*>(DateTimePicker1), static_cast<QWidget*>(DateTimePicker2)})
        if (picker->parentWidget() != page) picker->setParent(page);
    DateTimePicker1->move(box->pos());
    DateTimePicker2->move(DateTimePicker1->x() + DateTimePicker1->width() + 2, box->y());
    for (QWidget* picker : {static_cast<QWidget*>(DateTimePicker1), static_cast<QWidget*>(DateTimePicker2)}) {
        picker->raise();
        picker->show();
    }
    return MakeDateTime(d.year(), d.month(), d.day(), t.hour(), t.minute(), t.second(), t.msec());
}

QDateTime MainWindow::wallClock() const {
    return clock_ ? clock_() : QDateTime::currentDateTime();
}

void MainWindow::CheckBox2Click() {
    const QDateTime now = wallClock();
    DateTimePicker1->setDate(now.date());
    DateTimePicker2->setTime(now.time());
}

void MainWindow::setChosenTime(DateTime t) {
    const CivilDateTime c = Decompose(t);
    CheckBox2->setChecked(false);
    DateTimePicker1->setDate(QDate(c.date.year, c.date.month, c.date.day));
    DateTimePicker2->setTime(QTime(c.time.hour, c.time.minute, c.time.second, c.time.millisecond));
}

bool MainWindow::onlyBeijing() const {
    return DBCheckBox1->checkState() == Qt::Checked;
}

void MainWindow::Timer5Timer() {
    const ChinaStepResult r = ChinaTimeStep({Utf8(edit3->text()), onlyBeijing(), moment_.timeMode},
                                            [this] { return ReferenceTime(); });
    // Setting the text runs edit3Change, which records and posts the reset value.
    if (r.resetLongitudeTo120) edit3->setText(QStringLiteral("120"));
    if (r.skipped) return;
    LBTrueTime->setText(Text(r.trueSolarTimeText));
    LBTrueTime->adjustSize();
    for (QWidget* w :
         std::initializer_list<QWidget*>{Label3, edit3, UpDown1, SpeedButton1, Label2, LBTrueTime})
        w->setVisible(r.correctionShown);
    ApplyDayPart(moment_, r.day);
    Edit5->setText(Text(moment_.dayGanZhi));
}

void MainWindow::Timer5000Timer() {
    const AbroadStepResult r = AbroadTimeStep(
        {Utf8(DBEdit29->text()), Utf8(DBComboBox2->currentText()), Utf8(DBComboBox1->currentText()),
         Utf8(DBEdit30->text()), onlyBeijing(), moment_.timeMode},
        [this] { return ReferenceTime(); });
    if (r.resetLongitudeTo120) DBEdit30->setText(QStringLiteral("120"));
    if (r.skipped) return;
    Label56->setText(Text(r.beijingTimeText));
    Label56->adjustSize();
    Label58->setText(Text(r.trueSolarTimeText));
    Label58->adjustSize();
    ApplyDayPart(moment_, r.day);
    Edit5->setText(Text(moment_.dayGanZhi));
}

void MainWindow::Timer3Timer() {
    // The hour-branch box is the memory of the previous double-hour.
    moment_.hourBranch = Utf8(Edit4->text());
    const DoubleHourResult r =
        DoubleHourStep(moment_, Utf8(edit3->text()), onlyBeijing(), CheckBox1->checkState() == Qt::Checked);
    if (!r.ran) return;
    if (r.resetLongitudeTo120) edit3->setText(QStringLiteral("120"));
    Edit4->setText(Text(r.hourBranch));
    moment_.hourBranch = r.hourBranch;
    if (r.notice) playChangeNotice(Text(r.noticeText));
}

void MainWindow::playChangeNotice(const QString& text) {
    if (player_) {
        try {
            player_->play(paths_.SoundFile());
        } catch (...) {
            // The sound is a courtesy: whatever the player does, the notice goes on.
        }
    }
    // Modal: the tick waits here, with Timer1 stopped, until the box is closed.
    showMessage(MessageKind::Notice, text);
}

void MainWindow::HourStemStep() {
    ApplyHourStem(moment_);
}

void MainWindow::Timer4Timer() {
    const NaZhiView v = NaZhiStep(moment_, *tables_);
    DBEdit1->setText(Text(v.row.ownPoint));
    DBEdit2->setText(Text(v.row.sourcePoint));
    DBEdit3->setText(Text(v.row.drainPoint));
    DBEdit4->setText(Text(v.row.ownMeridian));
    DBEdit5->setText(Text(v.row.tonifyPoint));
    DBEdit6->setText(Text(v.row.tonifyMeridian));
}

void MainWindow::applyNaGanVisibility(bool source, bool extraSource, bool closed) {
    DBEdit14->setVisible(source);
    Label19->setVisible(source);
    DBEdit15->setVisible(extraSource);
    Label22->setVisible(extraSource);
    Button1->setVisible(closed);
    // When the supplementary page goes while in front, the page after it comes to the front.
    if (!closed && PageControl1->currentIndex() == kSupplementaryPage)
        PageControl1->setCurrentIndex(kDayStemPage);
    PageControl1->setTabVisible(kSupplementaryPage, closed);
}

void MainWindow::Timer7Timer() {
    const NaGanView v = NaGanStep(moment_, *tables_);
    DBEdit9->setText(Text(v.row.dutyMeridian));
    DBEdit10->setText(Text(v.row.meridian));
    DBEdit11->setText(Text(v.row.phase));
    DBEdit12->setText(Text(v.row.category));
    DBEdit13->setText(Text(v.row.point));
    DBEdit14->setText(Text(v.row.sourcePoint));
    DBEdit15->setText(Text(v.row.extraSourcePoint));
    applyNaGanVisibility(v.showSourcePoint, v.showExtraSourcePoint, v.closed);
}

void MainWindow::Timer10Timer() {
    const std::optional<SupplementaryView> v =
        SupplementaryStep(moment_, PageControl1->isTabVisible(kSupplementaryPage), *tables_);
    if (!v) return;
    DBEdit20->setText(Text(v->row.dutyMeridian));
    DBEdit16->setText(Text(v->row.meridian));
    DBEdit17->setText(Text(v->row.phase));
    DBEdit18->setText(Text(v->row.category));
    DBEdit19->setText(Text(v->row.point));
}

FocusedText MainWindow::focusedText() const {
    QWidget* w = QApplication::focusWidget();
    if (!w || w->window() != this) return FocusedText::None();
    if (w == DBMemo1) return FocusedText::Memo();
    if (auto* grid = qobject_cast<QTableWidget*>(w)) {
        const QTableWidgetItem* item = grid->currentRow() >= 0 ? grid->item(grid->currentRow(), 0) : nullptr;
        return FocusedText::Control(item ? Utf8(item->text()) : std::string());
    }
    if (auto* e = qobject_cast<QLineEdit*>(w)) return FocusedText::Control(Utf8(e->text()));
    if (auto* c = qobject_cast<QComboBox*>(w)) return FocusedText::Control(Utf8(c->currentText()));
    if (auto* s = qobject_cast<QAbstractSpinBox*>(w)) return FocusedText::Control(Utf8(s->text()));
    if (auto* b = qobject_cast<QAbstractButton*>(w)) return FocusedText::Control(Utf8(b->text()));
    if (auto* m = qobject_cast<QPlainTextEdit*>(w)) return FocusedText::Control(Utf8(m->toPlainText()));
    return FocusedText::Control(std::string());
}

void MainWindow::Timer9Timer() {
    if (const std::optional<std::string> memo = description_->Run(focusedText(), *tables_))
        DBMemo1->setPlainText(Text(*memo));
}

void MainWindow::Timer888way2Timer() {
    Edit7->setText(Text(moment_.hourGanZhi));
    const std::optional<ConfluentOpening> open = LingGui(moment_);
    // Without a double-hour no point is open: an old point must not stand as the current one.
    Edit8->setText(open ? Text(open->point) : QString());
    if (!open) Edit6->clear();
}

void MainWindow::Timer8Timer() {
    const std::string_view partner = Partner(Utf8(Edit8->text()));
    if (!partner.empty()) Edit6->setText(Text(partner));
}

void MainWindow::shaoyongTimer() {
    const DayHourMethods::Result r = dayHour_->Tick(moment_, *tables_);
    const TransportRow& row = r.shiGan.row;
    DBEdit22->setText(Text(row.meridian));
    DBEdit23->setText(Text(row.well));
    DBEdit24->setText(Text(row.spring));
    DBEdit25->setText(Text(row.stream));
    DBEdit26->setText(Text(row.river));
    DBEdit27->setText(Text(row.sea));
    DBEdit28->setText(Text(row.source));
    DBEdit28->setVisible(r.shiGan.showSource);
    Label40->setVisible(r.shiGan.showSource);
    if (r.dayList) {
        Label44->setText(Text(r.dayList->meridian));
        Label44->adjustSize();
        FillGrid(DBGrid1, r.dayList->points);
    }
    if (r.hourList) {
        Label47->setText(Text(r.hourList->meridian));
        Label47->adjustSize();
        FillGrid(DBGrid2, r.hourList->points);
    }
}

void MainWindow::FeiTengTimer() {
    const std::optional<ConfluentOpening> open = FeiTeng(moment_);
    Edit10->setText(open ? Text(open->point) : QString());
    Edit11->setText(open ? Text(open->partner) : QString());
}

}  // namespace velunar::ui
