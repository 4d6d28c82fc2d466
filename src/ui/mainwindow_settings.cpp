// The settings entries, bound by hand to the settings record: opening the record shows its values, a change
// by the user puts the row into edit mode with the pending value, and the row is posted by a finished valid
// entry of a longitude or the summer time, the arrows, the exit of the notice box and the close of the
// window. The tick reads the record, never the entries.
#include <cmath>
#include <utility>

#include <QButtonGroup>
#include <QComboBox>
#include <QDateEdit>
#include <QDir>
#include <QEvent>
#include <QFocusEvent>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QRadioButton>
#include <QTabWidget>
#include <QTimeEdit>
#include <QTimer>

#include "calendar/numparse.h"
#include "calendar/solar.h"
#include "methods/clock_span.h"
#include "files/longitude.h"
#include "ui/finishedentry.h"
#include "ui/mainwindow.h"
#include "ui/mainwindow_abroad.h"
#include "ui/mainwindow_widgets.h"
#include "ui/taboo_choices.h"

namespace velunar::ui {
namespace {

namespace col = store::settings_column;

QString Text(const std::string& s) {
    return QString::fromStdString(s);
}

// How the window names each setting, for the note of those not saved.
QString Caption(std::string_view column) {
    static const std::pair<std::string_view, const char*> kCaptions[] = {
        {col::kXy, "东经"},
        {col::kEw, "东经/西经"},
        {col::kZone, "时区"},
        {col::kSuma, "减夏令时"},
        {col::kJingew, "国外经度"},
        {col::kWhere, "地点"},
        {col::kHint1, "时辰变换提示"},
        {col::kOnlyBeijing, "仅仅使用北京时间"},
        {col::kTimeMode, "时辰模式"},
        {col::kIsChina, "时间页"},
        {col::kEot, "均时差"},
        {col::kTzid, "时区数据库"},
    };
    for (const auto& [c, caption] : kCaptions)
        if (c == column) return QString::fromUtf8(caption);
    return Text(std::string(column));
}

// While the database is locked, a retry this often; it waits for nothing, so the window never stalls.
constexpr int kSaveRetryMs = 2000;

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
        if (const auto mode = TimeModeAt(id))
            setPending(col::kTimeMode, QString::fromUtf8(Label(*mode).data()));
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
    // A reading typed anew is taken as the clock takes it, until a pass is chosen for it.
    connect(datePicker_, &QDateEdit::dateChanged, this, [this](QDate d) {
        chosen_.setDate(d);
        chosenOffset_.reset();
    });
    connect(timePicker_, &QTimeEdit::timeChanged, this, [this](QTime t) {
        chosen_.setTime(t);
        chosenOffset_.reset();
    });
    connect(passBox_, &QComboBox::activated, this, [this](int index) {
        chosenOffset_ = passBox_->itemData(index).toInt();
        tick();
    });
    noticeBox_->installEventFilter(this);
    longitudeBox_->installEventFilter(this);
    saveRetry_ = new QTimer(this);
    saveRetry_->setObjectName(QStringLiteral("saveRetryTimer"));
    saveRetry_->setSingleShot(true);
    saveRetry_->setInterval(kSaveRetryMs);
    connect(saveRetry_, &QTimer::timeout, this, &MainWindow::postSettings);
}

void MainWindow::renderChosenReading(const TickView& v) {
    const std::optional<ResolvedReading>& r = v.reference;
    const bool twice = !automatic_ && r && r->other && (r->fit == ReadingFit::Later || r->fit == ReadingFit::Earlier);
    if (twice) {
        // Earlier time first, each named as the plain-text outputs mark it.
        ZoneOffset first = *r->other, second = r->offset;
        if (r->fit == ReadingFit::Earlier) std::swap(first, second);
        const QString firstText = QStringLiteral("第一次 %1 %2")
                                      .arg(QString::fromStdString(PassMark(Pass::First, first, second)),
                                           QString::fromStdString(FormatOffset(first.Total())));
        const QString secondText = QStringLiteral("第二次 %1 %2")
                                       .arg(QString::fromStdString(PassMark(Pass::Second, second, first)),
                                            QString::fromStdString(FormatOffset(second.Total())));
        const QSignalBlocker quiet(passBox_);
        if (passBox_->count() != 2 || passBox_->itemText(0) != firstText || passBox_->itemText(1) != secondText) {
            passBox_->clear();
            passBox_->addItem(firstText, first.Total());
            passBox_->addItem(secondText, second.Total());
        }
        passBox_->setCurrentIndex(r->offset.Total() == first.Total() ? 0 : 1);
    }
    passBox_->setVisible(twice);
    QString note;
    if (!automatic_ && r && r->fit == ReadingFit::Skipped)
        note = QStringLiteral("钟表拨快，此时刻不存在，按 %1 计算")
                   .arg(QString::fromStdString(FormatIso(v.referenceTime).substr(11)));
    if (pickNote_->text() != note) pickNote_->setText(note);
    pickNote_->setVisible(!note.isEmpty());
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
        showMessage(
            MessageKind::Message,
            QStringLiteral("设置中的时辰模式“%1”无法识别，暂按“%2”计算；请在“设置时辰模式”中选择一种。")
                .arg(Text(settings_.TimeMode()), QString::fromUtf8(Label(mode).data())));
    zoneChoices_->Load(settings_);
    taboo_->Load(settings_);
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
    } catch (const std::exception& e) {
        showMessage(MessageKind::Error, QString::fromUtf8(e.what()));
        return;
    }
    postSettings();
}

void MainWindow::postSettings() {
    if (loadingSettings_ || !settings_.IsOpen() || !settings_.IsEditing()) return;
    if (settings_.UnsavedColumns().empty()) {
        // Nothing to write (a value typed back as it was): no write, so no lock to wait for.
        settings_.Cancel();
        settingsSaved();
        return;
    }
    if (settingsReadOnly_) {
        // Said when the window was first shown; the values are used as they are and marked.
        settingsNotSaved(QStringLiteral("只读方式运行"), QString());
        return;
    }
    try {
        settings_.Post();
    } catch (const store::StoreError& e) {
        if (e.kind() == store::StoreErrorKind::Busy) {
            settingsNotSaved(QStringLiteral("数据库被其他程序锁定，稍后自动重试"),
                             QStringLiteral("数据库被其他程序锁定，修改没有保存，稍后再试"));
            // Until a save goes through, nothing waits for the lock: neither the retries nor a tick's reads.
            if (normalBusyTimeoutMs_ < 0) {
                normalBusyTimeoutMs_ = db_.BusyTimeout();
                db_.SetBusyTimeout(0);
            }
            saveRetry_->start();
        } else {
            settingsNotSaved(QStringLiteral("修改没有保存"), QString::fromUtf8(e.what()));
        }
        return;
    } catch (const std::exception& e) {
        settingsNotSaved(QStringLiteral("修改没有保存"), QString::fromUtf8(e.what()));
        return;
    }
    settingsSaved();
}

void MainWindow::settingsSaved() {
    saveRetry_->stop();
    saidSaveFailures_.clear();
    unsavedNote_->hide();
    if (normalBusyTimeoutMs_ >= 0) db_.SetBusyTimeout(std::exchange(normalBusyTimeoutMs_, -1));
}

void MainWindow::settingsNotSaved(const QString& cause, const QString& message) {
    QStringList captions;
    for (std::string_view column : settings_.UnsavedColumns()) captions << Caption(column);
    if (captions.isEmpty()) {
        unsavedNote_->hide();
        return;
    }
    const QString note = QStringLiteral("%1 未保存（%2）").arg(captions.join(QStringLiteral("、")), cause);
    unsavedNote_->setText(unsavedNote_->fontMetrics().elidedText(note, Qt::ElideRight, 240));
    unsavedNote_->setToolTip(message.isEmpty() ? note : note + QLatin1Char('\n') + message);
    unsavedNote_->show();
    // Once for each cause until a save goes through: every later change meets the same refusal.
    if (!message.isEmpty() && saidSaveFailures_.insert(message).second)
        showMessage(MessageKind::Error, message);
}

void MainWindow::onLongitudeStepped(bool up) {
    // One degree per arrow, keeping the typed decimals and clamped to 0..180 before it is written, so a
    // decimal longitude steps too and the arrows never provoke the range message.
    const auto next = StepLongitude(longitudeBox_->text(), up);
    if (!next || !settings_.IsOpen()) return;
    try {
        settings_.Edit();
    } catch (const std::exception&) {
        return;
    }
    longitudeBox_->setText(*next);
    // A step that leaves the text as it was (180 up, 0 down) still posts what is pending.
    postSettings();
}

void MainWindow::pickPlace(const QString& longitude, const QString& where) {
    settings_.Edit();
    settings_.SetValue(col::kWhere, where.toStdString());
    if (longitudeBox_->text() == longitude)
        onLongitudeEdited();  // the new place is posted with the longitude it shares
    else
        longitudeBox_->setText(longitude);
}

void MainWindow::storeSettingsOnExit(bool closing) {
    if (!settings_.IsOpen()) return;
    if (closing) {
        // The last chance: it waits for a lock as long as any write, and a refusal is said again.
        if (normalBusyTimeoutMs_ >= 0) db_.SetBusyTimeout(std::exchange(normalBusyTimeoutMs_, -1));
        saidSaveFailures_.clear();
    }
    try {
        setPending(col::kIsChina, Text(std::string(chinaInFront() ? store::kYesChina : store::kNoChina)));
    } catch (const std::exception& e) {
        showMessage(MessageKind::Error, QString::fromUtf8(e.what()));
        return;
    }
    postSettings();
}

void MainWindow::runWithoutLock(const QString& lockFile, const QString& reason, bool readOnly) {
    settingsReadOnly_ = readOnly;
    descriptions_->SetStoring(!readOnly);
    const QString file = QDir::toNativeSeparators(lockFile);
    unlockedNotice_ =
        readOnly ? QStringLiteral(
                       "无法建立锁文件 %1：%2。程序以只读方式运行：设置的修改只在本次运行中有效，不会保存。")
                       .arg(file, reason)
                 : QStringLiteral(
                       "无法建立锁文件 %1：%2。程序照常运行，但设置的修改可能无法保存，"
                       "也不能防止另一个程序同时使用这个数据库。")
                       .arg(file, reason);
}

void MainWindow::setChosenTime(DateTime t, std::optional<int> offsetSeconds) {
    const CivilDateTime c = Decompose(t);
    chosen_ = QDateTime(QDate(c.date.year, c.date.month, c.date.day),
                        QTime(c.time.hour, c.time.minute, c.time.second, c.time.millisecond), Qt::UTC);
    automaticBox_->setChecked(false);
    datePicker_->setDate(chosen_.date());
    timePicker_->setTime(chosen_.time());
    chosenOffset_ = offsetSeconds;
}

DateTime MainWindow::referenceTime() const {
    // Civil fields as read or picked: no zone conversion anywhere.
    const QDateTime t = automatic_ ? wallClock() : chosen_;
    const QDate d = t.date();
    const QTime h = t.time();
    return MakeDateTime(d.year(), d.month(), d.day(), h.hour(), h.minute(), h.second(), h.msec());
}

SixthStem MainWindow::spelling() const {
    return settings_.IsOpen() ? SixthStemOf(settings_.Value(store::settings_column::kSixthStem)) : SixthStem::AsKeys;
}

ClockReference MainWindow::reference() const {
    return referenceFor(gatherInput());
}

ClockReference MainWindow::referenceFor(const TickInput& in) const {
    if (!automatic_) return ClockReference(referenceTime(), chosenOffset_);
    // A tz-database zone's page reads the clock as an instant: its zone tells the two passes of a repeated
    // hour apart, which a reading alone cannot.
    if (in.page == TimePage::Abroad && in.zoneTimeline)
        return ClockReference::At(Instant{wallClock().toMSecsSinceEpoch()});
    return ClockReference(referenceTime());
}

QDateTime MainWindow::wallClock() const {
    return clock_ ? clock_() : QDateTime::currentDateTime();
}

}  // namespace velunar::ui
