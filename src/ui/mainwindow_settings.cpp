// The settings entries, bound by hand to the settings record: opening the record shows its values, a change
// by the user puts the row into edit mode with the pending value, and the row is posted by a finished valid
// entry of a longitude or the summer time, the arrows, the exit of the notice box and the close of the
// window. The tick reads the record, never the entries.
#include <cmath>

#include <QButtonGroup>
#include <QComboBox>
#include <QDateEdit>
#include <QEvent>
#include <QFocusEvent>
#include <QKeyEvent>
#include <QLineEdit>
#include <QRadioButton>
#include <QTabWidget>
#include <QTimeEdit>

#include "calendar/numparse.h"
#include "calendar/solar.h"
#include "files/longitude.h"
#include "ui/finishedentry.h"
#include "ui/mainwindow.h"
#include "ui/mainwindow_abroad.h"
#include "ui/mainwindow_widgets.h"

namespace velunar::ui {
namespace {

namespace col = store::settings_column;

QString Text(const std::string& s) {
    return QString::fromStdString(s);
}

void ShowCheckState(SettingsCheckBox* box, store::CheckState state) {
    if (state == store::CheckState::Greyed) {
        box->setTristate(true);
        box->setCheckState(Qt::PartiallyChecked);
        return;
    }
    box->setTristate(false);
    box->setChecked(state == store::CheckState::Checked);
}

}  // namespace

void MainWindow::connectSettings() {
    // Typed texts count once finished; until then the tick keeps working from the stored values.
    const auto isLongitude = [](const QString& t) { return ParseLongitude(t.toStdString()).has_value(); };
    const auto isSummer = [](const QString& t) {
        const auto v = ParseDecimal(t.toStdString());
        return v && std::fabs(*v) <= kMaxSummerMinutes;
    };
    auto* longitude =
        new FinishedEntry(longitudeBox_, longitudeHint_, QStringLiteral("东经 0–180"), isLongitude, this);
    connect(longitude, &FinishedEntry::finished, this, &MainWindow::onLongitudeEdited);
    auto* summer = new FinishedEntry(summerBox_, summerHint_, QStringLiteral("减夏令时: 分钟数 -1440–1440"),
                                     isSummer, this);
    connect(summer, &FinishedEntry::finished, this, [this](const QString& t) { storeEntry(col::kSuma, t); });
    auto* abroadLongitude = new FinishedEntry(abroadLongitudeBox_, abroadLongitudeHint_,
                                              QStringLiteral("经度 0–180"), isLongitude, this);
    connect(abroadLongitude, &FinishedEntry::finished, this,
            [this](const QString& t) { storeEntry(col::kJingew, t); });
    connect(eastWestBox_, &QComboBox::currentTextChanged, this,
            [this](const QString& t) { setPending(col::kEw, t); });
    connect(zoneBox_, &QComboBox::currentTextChanged, this,
            [this](const QString& t) { setPending(col::kZone, t); });
    connect(noticeBox_, &QCheckBox::clicked, this, [this] {
        setPending(col::kHint1, Text(store::CheckText(noticeBox_->checkState() == Qt::Checked)));
    });
    connect(onlyBeijingBox_, &QCheckBox::clicked, this, [this] {
        setPending(col::kOnlyBeijing, Text(store::CheckText(onlyBeijingBox_->checkState() == Qt::Checked)));
    });
    connect(timeModeButtons_, &QButtonGroup::idClicked, this, [this](int id) {
        if (const auto mode = TimeModeAt(id)) setPending(col::kTimeMode, QString::fromUtf8(Label(*mode).data()));
    });
    connect(longitudeArrows_, &UpDownArrows::stepped, this, &MainWindow::onLongitudeStepped);
    connect(automaticBox_, &QCheckBox::toggled, this, [this](bool on) { automatic_ = on; });
    // A click either way starts the chosen moment at the clock's reading.
    connect(automaticBox_, &QCheckBox::clicked, this, [this] {
        const QDateTime now = wallClock();
        datePicker_->setDate(now.date());
        timePicker_->setTime(now.time());
    });
    chosen_ = QDateTime(datePicker_->date(), timePicker_->time(), Qt::UTC);
    connect(datePicker_, &QDateEdit::dateChanged, this, [this](QDate d) { chosen_.setDate(d); });
    connect(timePicker_, &QTimeEdit::timeChanged, this, [this](QTime t) { chosen_.setTime(t); });
    noticeBox_->installEventFilter(this);
    longitudeBox_->installEventFilter(this);
}

bool MainWindow::eventFilter(QObject* watched, QEvent* event) {
    // Up and Down in the longitude box step it as its arrows do.
    if (watched == longitudeBox_ && event->type() == QEvent::KeyPress) {
        const int key = static_cast<QKeyEvent*>(event)->key();
        if (key == Qt::Key_Up || key == Qt::Key_Down) {
            onLongitudeStepped(key == Qt::Key_Up);
            return true;
        }
    }
    // The focus leaving for another control of the window; a window losing activation is no exit.
    if (watched == noticeBox_ && event->type() == QEvent::FocusOut) {
        const Qt::FocusReason reason = static_cast<QFocusEvent*>(event)->reason();
        if (reason != Qt::ActiveWindowFocusReason && reason != Qt::PopupFocusReason) storeSettingsOnExit();
    }
    return QMainWindow::eventFilter(watched, event);
}

void MainWindow::setPending(std::string_view column, const QString& value) {
    if (loadingSettings_ || !settings_.IsOpen()) return;
    const std::string v = value.toStdString();
    if (settings_.Value(column) == v) return;
    settings_.SetValue(column, v);
}

void MainWindow::loadSettings() {
    loadingSettings_ = true;
    summerBox_->setText(Text(settings_.Value(col::kSuma)));
    abroadLongitudeBox_->setText(Text(settings_.Value(col::kJingew)));
    eastWestBox_->setCurrentText(Text(settings_.Value(col::kEw)));
    // The list opens on the stored zone, not on its first entry.
    const QString zone = Text(settings_.Value(col::kZone));
    if (const int i = zoneBox_->findText(zone); i >= 0) zoneBox_->setCurrentIndex(i);
    zoneBox_->setCurrentText(zone);
    // A zone text is longer than its box: show its beginning, the offset.
    zoneBox_->lineEdit()->setCursorPosition(0);
    ShowCheckState(noticeBox_, settings_.Hint());
    ShowCheckState(onlyBeijingBox_, settings_.OnlyBeijingTime());
    // A stored mode that names none is shown as the first, which the tick uses; the stored text stays until
    // the user picks a mode.
    const std::optional<TimeMode> stored = TimeModeOf(settings_.TimeMode());
    const TimeMode mode = stored.value_or(kUnreadableTimeModeFallback);
    for (QAbstractButton* b : timeModeButtons_->buttons())
        if (timeModeButtons_->id(b) == Index(mode)) b->setChecked(true);
    if (!stored)
        showMessage(MessageKind::Message,
                    QStringLiteral("设置中的时辰模式“%1”无法识别，暂按“%2”计算；请在“设置时辰模式”中选择一种。")
                        .arg(Text(settings_.TimeMode()), QString::fromUtf8(Label(mode).data())));
    zoneChoices_->Load(settings_);
    loadingSettings_ = false;
    // Set after loading, so a stored bad longitude shows its hint.
    longitudeBox_->setText(Text(settings_.Value(col::kXy)));
}

void MainWindow::onLongitudeEdited() {
    storeEntry(col::kXy, longitudeBox_->text());
}

void MainWindow::storeEntry(std::string_view column, const QString& text) {
    try {
        setPending(column, text);
        if (!loadingSettings_ && settings_.IsOpen() && settings_.IsEditing()) settings_.Post();
    } catch (const std::exception& e) {
        showMessage(MessageKind::Error, QString::fromUtf8(e.what()));
    }
}

void MainWindow::onLongitudeStepped(bool up) {
    // One degree per arrow, keeping the typed decimals and clamped to 0..180 before it is written, so a decimal
    // longitude steps too and the arrows never provoke the range message.
    const auto next = StepLongitude(longitudeBox_->text(), up);
    if (!next || !settings_.IsOpen()) return;
    try {
        settings_.Edit();
        longitudeBox_->setText(*next);
        // A step that leaves the text as it was (180 up, 0 down) still posts what is pending.
        if (settings_.IsEditing()) settings_.Post();
    } catch (const std::exception&) {
        // The arrows report nothing: a failed step simply changes nothing more.
    }
}

void MainWindow::pickPlace(const QString& longitude, const QString& where) {
    settings_.Edit();
    settings_.SetValue(col::kWhere, where.toStdString());
    if (longitudeBox_->text() == longitude)
        onLongitudeEdited();  // the new place is posted with the longitude it shares
    else
        longitudeBox_->setText(longitude);
}

void MainWindow::storeSettingsOnExit() {
    try {
        settings_.StorePageInFront(chinaInFront());
    } catch (const std::exception& e) {
        showMessage(MessageKind::Error, QString::fromUtf8(e.what()));
    }
}

void MainWindow::setChosenTime(DateTime t) {
    const CivilDateTime c = Decompose(t);
    chosen_ = QDateTime(QDate(c.date.year, c.date.month, c.date.day),
                        QTime(c.time.hour, c.time.minute, c.time.second, c.time.millisecond), Qt::UTC);
    automaticBox_->setChecked(false);
    datePicker_->setDate(chosen_.date());
    timePicker_->setTime(chosen_.time());
}

DateTime MainWindow::referenceTime() const {
    // Civil fields as read or picked: no zone conversion anywhere.
    const QDateTime t = automatic_ ? wallClock() : chosen_;
    const QDate d = t.date();
    const QTime h = t.time();
    return MakeDateTime(d.year(), d.month(), d.day(), h.hour(), h.minute(), h.second(), h.msec());
}

QDateTime MainWindow::wallClock() const {
    return clock_ ? clock_() : QDateTime::currentDateTime();
}

}  // namespace velunar::ui
