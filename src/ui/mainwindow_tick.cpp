// The one-second tick: the window's inputs into a TickInput, the pipeline, and the TickView rendered.
// Rendering only writes; every value shown comes from the view.
#include <QAbstractButton>
#include <QAbstractSpinBox>
#include <QApplication>
#include <QComboBox>
#include <QDateEdit>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTabWidget>
#include <QTableWidget>
#include <QTime>
#include <QTimeEdit>
#include <QTimer>

#include "files/noticeplayer.h"
#include "ui/desktopnotice.h"
#include "ui/dialwidget.h"
#include "ui/mainwindow.h"
#include "ui/mainwindow_abroad.h"
#include "ui/taboo_choices.h"

namespace velunar::ui {
namespace {

namespace col = store::settings_column;

QString Text(const std::string& s) {
    return QString::fromStdString(s);
}

void SetText(QLineEdit* box, const QString& text) {
    if (box->text() != text) box->setText(text);
}

void SetText(QLabel* label, const QString& text) {
    if (label->text() != text) label->setText(text);
}

// The double-hour's hours on one line, its span on the clock and the minutes left on the next.
QString SpanText(const HourSpanText& span) {
    QString text = Text(span.hours);
    if (!span.clock.empty()) text += QLatin1Char('\n') + Text(span.clock);
    if (span.minutesToNext) text += QStringLiteral("，还有 %1 分钟").arg(*span.minutesToNext);
    return text;
}

// What the user chose for a reading of the clock: the page, the mode, the place, the zone. A summer time the
// tz database gives for the instant is the clock's own and is left out.
std::string ClockKey(const TickInput& in) {
    std::string key;
    for (const std::string& part :
         {std::to_string(static_cast<int>(in.page)),
          std::to_string(in.timeMode ? static_cast<int>(*in.timeMode) : -1), in.longitudeText,
          std::string(in.onlyBeijing ? "1" : "0"), std::to_string(static_cast<int>(in.eot)),
          in.ianaZone.empty() ? in.summerText : std::string(), in.zoneText, in.eastWestText,
          in.abroadLongitudeText, in.ianaZone, std::string(in.chinaSummerTime ? "1" : "0")})
        key += part + '\x1f';
    return key;
}

}  // namespace

TickInput MainWindow::gatherInput() const {
    TickInput in;
    in.page = chinaInFront() ? TimePage::China : TimePage::Abroad;
    if (!settings_.IsOpen()) {
        // Before the settings are read there is no longitude and no time mode: nothing is worked out.
        in.timeMode = std::nullopt;
        in.longitudeText.clear();
        return in;
    }
    in.timeMode = TimeModeOf(settings_.TimeMode()).value_or(kUnreadableTimeModeFallback);
    in.longitudeText = settings_.Value(col::kXy);
    in.onlyBeijing = IsChecked(settings_.OnlyBeijingTime());
    in.hint = IsChecked(settings_.Hint());
    in.summerText = settings_.Value(col::kSuma);
    in.zoneText = settings_.Value(col::kZone);
    in.eastWestText = settings_.Value(col::kEw);
    in.abroadLongitudeText = settings_.Value(col::kJingew);
    in.sixthStem = SixthStemOf(settings_.Value(col::kSixthStem));
    zoneChoices_->Complete(in, settings_, referenceTime(),
                           automatic_ ? std::optional(Instant{wallClock().toMSecsSinceEpoch()}) : std::nullopt,
                           automatic_ ? std::nullopt : chosenOffset_);
    taboo_->Complete(in);
    return in;
}

FocusedText MainWindow::focusedText() const {
    QWidget* w = QApplication::focusWidget();
    if (!w || w->window() != this) return FocusedText::None();
    if (w == descriptionMemo_) return FocusedText::Memo();
    if (auto* grid = qobject_cast<QTableWidget*>(w)) {
        const QTableWidgetItem* item = grid->currentRow() >= 0 ? grid->item(grid->currentRow(), 0) : nullptr;
        return FocusedText::Control(item ? item->text().toStdString() : std::string());
    }
    if (auto* e = qobject_cast<QLineEdit*>(w)) return FocusedText::Control(e->text().toStdString());
    if (auto* c = qobject_cast<QComboBox*>(w)) return FocusedText::Control(c->currentText().toStdString());
    if (auto* s = qobject_cast<QAbstractSpinBox*>(w)) return FocusedText::Control(s->text().toStdString());
    if (auto* b = qobject_cast<QAbstractButton*>(w)) return FocusedText::Control(b->text().toStdString());
    if (auto* m = qobject_cast<QPlainTextEdit*>(w))
        return FocusedText::Control(m->toPlainText().toStdString());
    return FocusedText::Control(std::string());
}

void MainWindow::tick() {
    const TickInput input = gatherInput();
    view_ = RunPipeline(input, focusedText(), memory_, *tables_, descriptions_.get(),
                        [this, &input] { return referenceFor(input); });
    render(view_);
    // The clock's own change only: both ticks read the clock, under the same settings.
    const std::optional<std::string> key = automatic_ ? std::optional(ClockKey(input)) : std::nullopt;
    if (view_.notice && key && key == lastClockKey_) giveNotice(Text(*view_.notice));
    lastClockKey_ = key;
    // A longitude the step reset to 120 is stored as if typed.
    if (view_.chinaLongitudeReset) longitudeBox_->setText(Text(*view_.chinaLongitudeReset));
    if (view_.abroadLongitudeReset) abroadLongitudeBox_->setText(Text(*view_.abroadLongitudeReset));
    scheduleTick();
}

void MainWindow::scheduleTick() {
    // Just after the second turns, so the time box changes with the clock rather than up to a second late.
    const int ms = QTime::currentTime().msec();
    tickTimer_->start(1000 - ms + 15);
}

void MainWindow::render(const TickView& v) {
    SetText(chinaTimeBox_, Text(v.clock.chinaReference));
    SetText(abroadTimeBox_, Text(v.clock.abroadReference));
    // The chosen moment's pickers stand in for the time box of the page in front.
    QWidget* page = chinaInFront() ? chinaPage_ : abroadPage_;
    chinaTimeBox_->setVisible(automatic_);
    abroadTimeBox_->setVisible(automatic_);
    if (!automatic_ && chosenTimeRow_->parentWidget() != page) {
        auto* grid = static_cast<QGridLayout*>(page->layout());
        grid->addWidget(chosenTimeRow_, 0, 1, 1, grid->columnCount() - 1);
    }
    chosenTimeRow_->setVisible(!automatic_);

    SetText(compactClock_, QStringLiteral("%1  %2").arg(
                               Text(chinaInFront() ? v.clock.chinaReference : v.clock.abroadReference),
                               Text(v.hourSpan.hours)));
    SetText(chinaTrueSolarLabel_, Text(v.clock.chinaTrueSolar));
    SetText(chinaInFront() ? chinaSpanLabel_ : abroadSpanLabel_, SpanText(v.hourSpan));
    for (QWidget* w : correction_) w->setVisible(v.clock.correctionShown);
    SetText(abroadBeijingLabel_, Text(v.clock.abroadBeijing));
    SetText(abroadTrueSolarLabel_, Text(v.clock.abroadTrueSolar));
    SetText(hourBranchBox_, Text(v.hourBranch));
    SetText(dayGanZhiBox_, Text(v.dayGanZhi));
    SetText(hourGanZhiBox_, Text(v.hourGanZhi));

    for (const DoctrineFinding& f : v.findings) renderFinding(*f.doctrine, f.finding);
    taboo_->Show(v);
    if (auto* dial = findChild<DialWidget*>()) dial->showTick(gatherInput(), v, *tables_);
    supplementaryButton_->setVisible(v.closed);
    QWidget* supplementary = pages_[DoctrineId::Supplementary];
    // When the supplementary page goes while in front, the page after it comes to the front.
    if (!v.closed && methodPages_->currentWidget() == supplementary)
        methodPages_->setCurrentWidget(pages_[DoctrineId::RiGan]);
    methodPages_->setTabVisible(methodPages_->indexOf(supplementary), v.closed);

    renderChosenReading(v);
    SetText(descriptionHeading_, Text(v.descriptionHeading));
    if (descriptionMemo_->toPlainText() != Text(v.description))
        descriptionMemo_->setPlainText(Text(v.description));
    reportTickError(Text(v.error));
}

void MainWindow::renderFinding(const Doctrine& d, const Finding& f) {
    for (const Cell& c : f.cells) {
        const auto key = std::make_pair(d.Id(), std::string(c.name));
        if (const auto box = boxes_.find(key); box != boxes_.end()) {
            SetText(box->second, Text(c.text.value_or(std::string())));
            box->second->setVisible(c.visible);
            captions_[key]->setVisible(c.visible);
        }
    }
    if (f.points) renderList(d.Id(), f);
}

void MainWindow::renderList(DoctrineId id, const Finding& f) {
    SetText(listMeridians_[id], Text(f.Text("meridian")));
    QTableWidget* list = lists_[id];
    std::vector<std::string>& shown = state_.lists[id];
    const QSignalBlocker quiet(list);
    if (shown != *f.points) {
        // A new list stands on its first row; an unchanged one keeps the row the user chose.
        shown = *f.points;
        list->clearContents();
        list->setRowCount(static_cast<int>(shown.size()));
        for (int i = 0; i < list->rowCount(); ++i)
            list->setItem(i, 0, new QTableWidgetItem(Text(shown[static_cast<std::size_t>(i)])));
        state_.selectedRow[id] = shown.empty() ? -1 : 0;
    }
    const int row = state_.selectedRow[id];
    if (row >= 0 && list->currentRow() != row) list->setCurrentCell(row, 0);
}

void MainWindow::reportTickError(const QString& what) {
    if (what.isEmpty()) {
        tickStatus_->hide();
        return;
    }
    const QString at = wallClock().toString(QStringLiteral("HH:mm:ss"));
    const QString full = QStringLiteral("%1 刷新出错，页面未全部更新。%2").arg(at, what);
    tickStatus_->setText(tickStatus_->fontMetrics().elidedText(full, Qt::ElideRight, 160));
    tickStatus_->setToolTip(full);
    tickStatus_->show();
    // One box per kind of failure: a failure that repeats every second shows only in the status text, as
    // does a lock the window has told about already.
    if (lockTold() && store::IsLockedMessage(what.toStdString())) return;
    if (reportedErrors_.insert(what).second) showMessage(MessageKind::Error, full);
}

void MainWindow::giveNotice(const QString& text) {
    ++noticesGiven_;
    if (player_) {
        try {
            player_->play(paths_.SoundFile());
        } catch (...) {
            // The sound is a courtesy: whatever the player does, the notice goes on.
        }
    }
    // In the window, where nothing waits for it: the clock and the pages go on while it shows.
    noticeText_->setText(text);
    noticeBanner_->setToolTip(
        QStringLiteral("%1 %2").arg(wallClock().toString(QStringLiteral("HH:mm:ss")), text));
    noticeBanner_->show();
    if (notifier_) notifier_->notify(windowTitle(), text);
}

void MainWindow::sayNoticeSoundFailed(const QString& text) {
    if (!reportedSoundErrors_.insert(text).second) return;
    noticeSoundNote_->setText(text);
    noticeSoundNote_->setToolTip(text);
    noticeSoundNote_->show();
    noticeBanner_->show();
}

}  // namespace velunar::ui
