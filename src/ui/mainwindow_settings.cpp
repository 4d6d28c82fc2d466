// The settings controls, bound by hand to the settings record: opening the record shows its values,
// a change by the user puts the row into edit mode with the pending value, and the row is posted by
// edit3Change (a valid longitude), the arrows, CheckBox1Exit and the close of the window. The tick
// reads the controls, so a pending change shows at once.
#include <QButtonGroup>
#include <QComboBox>
#include <QEvent>
#include <QFocusEvent>
#include <QGroupBox>
#include <QLineEdit>
#include <QRadioButton>

#include "calendar/numparse.h"
#include "calendar/timemode.h"
#include "ui/longitude.h"
#include "ui/mainwindow.h"
#include "ui/mainwindow_widgets.h"

namespace velunar::ui {

namespace col = store::settings_column;

namespace {

std::string Utf8(const QString& s) {
    return s.toStdString();
}

QString Text(const std::string& s) {
    return QString::fromStdString(s);
}

}  // namespace

void MainWindow::connectSettingsControls() {
    auto bindEdit = [this](QLineEdit* e, std::string_view column) {
        connect(e, &QLineEdit::textChanged, this,
                [this, column](const QString& t) { setPending(column, t); });
    };
    bindEdit(DBEdit29, col::kSuma);
    bindEdit(DBEdit30, col::kJingew);
    bindEdit(DBEdit21, col::kWhere);
    // edit3's own change handler records the value and checks it.
    connect(edit3, &QLineEdit::textChanged, this, &MainWindow::edit3Change);
    connect(DBComboBox1, &QComboBox::currentTextChanged, this,
            [this](const QString& t) { setPending(col::kEw, t); });
    connect(DBComboBox2, &QComboBox::currentTextChanged, this,
            [this](const QString& t) { setPending(col::kZone, t); });
    connect(CheckBox1, &QCheckBox::clicked, this, [this] {
        setPending(col::kHint1, Text(store::CheckText(CheckBox1->checkState() == Qt::Checked)));
    });
    connect(DBCheckBox1, &QCheckBox::clicked, this, [this] {
        setPending(col::kOnlyBeijing, Text(store::CheckText(DBCheckBox1->checkState() == Qt::Checked)));
    });
    connect(radioItems_, &QButtonGroup::idClicked, this,
            [this](int id) { setPending(col::kTimeMode, Text(TimeModeText(id))); });
    connect(radioItems_, &QButtonGroup::idToggled, this, [this](int, bool checked) {
        if (checked) DBRadioGroup1Change();
    });
    connect(UpDown1, &UpDownArrows::stepped, this, &MainWindow::UpDown1ChangingEx);
    CheckBox1->installEventFilter(this);
}

bool MainWindow::eventFilter(QObject* watched, QEvent* event) {
    // The focus leaving for another control of the window; a window losing activation is no exit.
    if (watched == CheckBox1 && event->type() == QEvent::FocusOut) {
        const Qt::FocusReason reason = static_cast<QFocusEvent*>(event)->reason();
        if (reason != Qt::ActiveWindowFocusReason && reason != Qt::PopupFocusReason) CheckBox1Exit();
    }
    return QMainWindow::eventFilter(watched, event);
}

void MainWindow::setPending(std::string_view column, const QString& value) {
    if (loadingSettings_ || !settings_.IsOpen()) return;
    const std::string v = Utf8(value);
    if (settings_.Value(column) == v) return;
    settings_.SetValue(column, v);
}

void MainWindow::showCheckState(SettingsCheckBox* box, store::CheckState state) {
    if (state == store::CheckState::Greyed) {
        box->setTristate(true);
        box->setCheckState(Qt::PartiallyChecked);
        return;
    }
    box->setTristate(false);
    box->setChecked(state == store::CheckState::Checked);
}

void MainWindow::loadSettingsIntoControls() {
    loadingSettings_ = true;
    // edit3Change runs for a loaded value as for a typed one: a stored bad longitude is reported.
    edit3->setText(Text(settings_.Value(col::kXy)));
    DBEdit29->setText(Text(settings_.Value(col::kSuma)));
    DBEdit30->setText(Text(settings_.Value(col::kJingew)));
    DBEdit21->setText(Text(settings_.Value(col::kWhere)));
    DBComboBox1->setCurrentText(Text(settings_.Value(col::kEw)));
    DBComboBox2->setCurrentText(Text(settings_.Value(col::kZone)));
    // A zone text is longer than its box: show its beginning, the offset.
    DBComboBox2->lineEdit()->setCursorPosition(0);
    showCheckState(CheckBox1, settings_.Hint());
    showCheckState(DBCheckBox1, settings_.OnlyBeijingTime());
    const int mode = TimeModeIndex(settings_.TimeMode());
    radioItems_->setExclusive(false);
    for (QAbstractButton* b : radioItems_->buttons()) b->setChecked(radioItems_->id(b) == mode);
    radioItems_->setExclusive(true);
    loadingSettings_ = false;
    DBRadioGroup1Change();
}

void MainWindow::DBRadioGroup1Change() {
    QAbstractButton* b = radioItems_->checkedButton();
    moment_.timeMode = b ? Utf8(b->text()) : std::string();
}

void MainWindow::edit3Change() {
    try {
        const QString text = edit3->text();
        setPending(col::kXy, text);
        if (!ParseLongitude(Utf8(text))) {
            showMessage(MessageKind::Message, QStringLiteral("请先输入正确东经数[0-180]"));
            return;
        }
        if (settings_.IsOpen() && settings_.IsEditing()) settings_.Post();
    } catch (const std::exception& e) {
        showMessage(MessageKind::Error, QString::fromUtf8(e.what()));
    }
}

void MainWindow::UpDown1ChangingEx(bool up) {
    // One degree per arrow, keeping the typed decimals and clamped to 0..180 before it is written, so a
    // decimal longitude steps too and the arrows never provoke the range message.
    const auto next = StepLongitude(edit3->text(), up);
    if (!next || !settings_.IsOpen()) return;
    try {
        settings_.Edit();
        edit3->setText(*next);
        // A step that leaves the text as it was (180 up, 0 down) still posts what is pending.
        if (settings_.IsEditing()) settings_.Post();
    } catch (const std::exception&) {
        // The arrows report nothing: a failed step simply changes nothing more.
    }
}

}  // namespace velunar::ui
