#include "ui/detailwindow.h"

#include <QCloseEvent>
#include <QFileDialog>
#include <QLabel>
#include <QMessageBox>
#include <QPushButton>
#include <QShowEvent>

#include "store/store_error.h"
#include "ui/secondary.h"
#include "ui/windowplacement.h"
#include "ui_detailwindow.h"

namespace velunar::ui {

namespace {

constexpr std::string_view kName = "穴位";
constexpr std::string_view kPath = "图片路径";
constexpr std::string_view kText = "穴位说明";

QString Text(const store::Row& row, std::string_view column) {
    return QString::fromStdString(row.Value(column));
}

}  // namespace

DescriptionManager::DescriptionManager(store::Database& db, QWidget* parent)
    : QWidget(parent, Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                          Qt::WindowMinimizeButtonHint | Qt::WindowMaximizeButtonHint |
                          Qt::WindowCloseButtonHint),
      db_(db),
      ui_(std::make_unique<::Ui::DescriptionManager>()) {
    setObjectName(QStringLiteral("descriptionManager"));
    ui_->setupUi(this);
    // Between the navigator and 查找; a long name is cut to the room there, whole in its tool tip.
    statusLine_ = ui_->statusLine;
    connect(ui_->nameEdit, &QLineEdit::textEdited, this, &DescriptionManager::beginEdit);
    connect(ui_->picturePathEdit, &QLineEdit::textEdited, this, &DescriptionManager::beginEdit);
    connect(ui_->descriptionEdit, &QPlainTextEdit::textChanged, this, [this] {
        if (filling_ == 0) beginEdit();
    });
    connect(ui_->firstButton, &QToolButton::clicked, this, &DescriptionManager::goFirst);
    connect(ui_->priorButton, &QToolButton::clicked, this, &DescriptionManager::goPrior);
    connect(ui_->nextButton, &QToolButton::clicked, this, &DescriptionManager::goNext);
    connect(ui_->lastButton, &QToolButton::clicked, this, &DescriptionManager::goLast);
    connect(ui_->addButton, &QPushButton::clicked, this, &DescriptionManager::onAddClicked);
    connect(ui_->editButton, &QPushButton::clicked, this, &DescriptionManager::onEditClicked);
    connect(ui_->saveButton, &QPushButton::clicked, this, &DescriptionManager::onSaveClicked);
    connect(ui_->deleteButton, &QPushButton::clicked, this, &DescriptionManager::onDeleteClicked);
    connect(ui_->choosePictureButton, &QPushButton::clicked, this,
            &DescriptionManager::onChoosePictureClicked);
    connect(ui_->closeButton, &QPushButton::clicked, this, &DescriptionManager::onCloseClicked);
    connect(ui_->findButton, &QPushButton::clicked, this, &DescriptionManager::onFindClicked);
    connect(ui_->findBox, &PointFinder::aboutToDropDown, this, &DescriptionManager::refillFindBox);
    updateButtons();
    WindowPlacement::Keep(this, objectName());
}

DescriptionManager::~DescriptionManager() = default;

// --- Rows and boxes ---

// Keeps the rows held when the store cannot be read: after a write they already show what was stored.
bool DescriptionManager::reload() {
    try {
        rows_ = db_.SelectAll(store::Table::Description).rows;
        loaded_ = true;
        offerNames();
    } catch (const store::StoreError& e) {
        Warn(this, message_, QString::fromUtf8(e.what()));
        return false;
    }
    return true;
}

// The find box types ahead over the names just read, before its drop-down was ever opened.
void DescriptionManager::offerNames() {
    std::vector<std::string> names;
    for (const store::Row& row : rows_) names.push_back(row.Value(kName));
    ui_->findBox->setPoints(names);
}

void DescriptionManager::showRow(int row) {
    current_ = row >= 0 && row < rowCount() ? row : -1;
    const bool shown = current_ >= 0;
    ++filling_;
    ui_->nameEdit->setText(shown ? Text(rows_[current_], kName) : QString());
    ui_->picturePathEdit->setText(shown ? Text(rows_[current_], kPath) : QString());
    ui_->descriptionEdit->setPlainText(shown ? Text(rows_[current_], kText) : QString());
    --filling_;
}

// --- Modes ---

void DescriptionManager::beginEdit() {
    if (mode_ != Mode::Browse || !loaded_) return;
    if (current_ >= 0) {
        mode_ = Mode::Edit;
        updateButtons();
        return;
    }
    // Typing into an empty table starts a new row and keeps what was typed.
    const QString name = ui_->nameEdit->text();
    const QString path = ui_->picturePathEdit->text();
    const QString text = ui_->descriptionEdit->toPlainText();
    onAddClicked();
    ++filling_;
    ui_->nameEdit->setText(name);
    ui_->picturePathEdit->setText(path);
    ui_->descriptionEdit->setPlainText(text);
    --filling_;
}

bool DescriptionManager::post() {
    if (current_ < 0) return false;
    const QString name = ui_->nameEdit->text();
    const std::pair<std::string_view, QString> boxes[] = {
        {kName, name}, {kPath, ui_->picturePathEdit->text()}, {kText, ui_->descriptionEdit->toPlainText()}};
    const store::Row& before = rows_[current_];
    const bool inserting = mode_ == Mode::Insert;
    // Only what the user changed is written: a picture path the description step stored meanwhile stays.
    store::Row change;
    for (const auto& [column, text] : boxes) {
        if (inserting || Text(before, column) != text) change.Set(column, text.toStdString());
    }
    // An empty name goes in as NULL, so the database's NOT NULL refuses a row nobody could find.
    if (name.isEmpty() && change.Has(kName)) change.SetNull(kName);
    try {
        if (inserting) {
            rows_[current_].SetKey(db_.Append(store::Table::Description, change));
        } else if (!change.Empty()) {
            db_.Update(store::Table::Description, *before.Key(), change);
        }
    } catch (const store::StoreError& e) {
        Warn(this, message_, QString::fromUtf8(e.what()));
        return false;
    }
    for (const auto& [column, text] : boxes) rows_[current_].Set(column, text.toStdString());
    mode_ = Mode::Browse;
    reload();
    const int stored = findRow(name, false);
    moveTo(stored >= 0 ? stored : 0);
    const QString said = QStringLiteral("已保存：%1").arg(name);
    statusLine_->setText(statusLine_->fontMetrics().elidedText(said, Qt::ElideRight, statusLine_->width()));
    statusLine_->setToolTip(said);
    return true;
}

void DescriptionManager::discard() {
    int back = current_;
    if (mode_ == Mode::Insert && !rows_.empty() && !rows_.back().Key()) {
        rows_.pop_back();
        back = rowBeforeInsert_;
    }
    mode_ = Mode::Browse;
    showRow(std::min(back, rowCount() - 1));
    updateButtons();
}

bool DescriptionManager::storeBeforeMove() {
    return mode_ == Mode::Browse || post();
}

void DescriptionManager::moveTo(int row) {
    if (row >= 0 && row < rowCount()) showRow(row);
    updateButtons();
}

int DescriptionManager::findRow(const QString& name, bool prefix) const {
    for (int row = 0; row < rowCount(); ++row) {
        const QString value = Text(rows_[row], kName);
        if (prefix ? value.startsWith(name) : value == name) return row;
    }
    return -1;
}

void DescriptionManager::updateButtons() {
    if (mode_ != Mode::Browse) statusLine_->clear();
    const int row = current_;
    const int last = rowCount() - 1;
    ui_->firstButton->setEnabled(row > 0);
    ui_->priorButton->setEnabled(row > 0);
    ui_->nextButton->setEnabled(row >= 0 && row < last);
    ui_->lastButton->setEnabled(row >= 0 && row < last);
    for (QWidget* w :
         std::initializer_list<QWidget*>{ui_->addButton, ui_->editButton, ui_->saveButton, ui_->deleteButton,
                                         ui_->choosePictureButton, ui_->findButton})
        w->setEnabled(loaded_);
}

// --- Handlers ---

void DescriptionManager::showEvent(QShowEvent* event) {
    QWidget::showEvent(event);
    if (event->spontaneous()) return;  // restored after minimising: keep the row and its change
    if (mode_ != Mode::Browse) discard();
    rows_.clear();
    loaded_ = false;
    reload();
    mode_ = Mode::Browse;
    showRow(0);
    ui_->findBox->setEditText(QString());
    updateButtons();
}

void DescriptionManager::closeEvent(QCloseEvent* event) {
    if (!settleBeforeClosing()) {
        event->ignore();
        return;
    }
    if (mode_ != Mode::Browse) discard();
    rows_.clear();
    loaded_ = false;
    current_ = -1;
    QWidget::closeEvent(event);
}

void DescriptionManager::onAddClicked() {
    if (!loaded_ || !storeBeforeMove()) return;
    rowBeforeInsert_ = current_;
    rows_.push_back(store::Row{{std::string(kName), {}}, {std::string(kPath), {}}, {std::string(kText), {}}});
    mode_ = Mode::Insert;
    showRow(rowCount() - 1);
    ui_->nameEdit->setFocus();
    updateButtons();
}

void DescriptionManager::onEditClicked() {
    beginEdit();
}

void DescriptionManager::onSaveClicked() {
    post();
}

void DescriptionManager::onDeleteClicked() {
    if (!ask(QStringLiteral("是否删除当前选择的记录?"))) return;
    if (mode_ == Mode::Insert) {  // the new row was never stored: deleting it drops it
        discard();
        return;
    }
    const int row = current_;
    if (row < 0) {
        Warn(this, message_, QStringLiteral("没有可删除的记录"));
        return;
    }
    mode_ = Mode::Browse;
    try {
        db_.Delete(store::Table::Description, *rows_[row].Key());
        rows_.erase(rows_.begin() + row);
        reload();
    } catch (const store::StoreError& e) {
        Warn(this, message_, QString::fromUtf8(e.what()));
    }
    showRow(std::min(row, rowCount() - 1));
    updateButtons();
}

void DescriptionManager::onChoosePictureClicked() {
    if (!loaded_) return;
    const QString path =
        openFile_ ? openFile_()
                  : QFileDialog::getOpenFileName(this, QStringLiteral("打开"), QString(), QString());
    if (path.isEmpty()) return;
    if (mode_ != Mode::Browse) {
        ui_->picturePathEdit->setText(path);  // stored with the rest of the row by "保存"
        return;
    }
    beginEdit();
    ui_->picturePathEdit->setText(path);
    post();
}

void DescriptionManager::onCloseClicked() {
    close();
}

bool DescriptionManager::hasChanges() const {
    if (mode_ == Mode::Browse || current_ < 0) return false;
    const store::Row& row = rows_[current_];
    return ui_->nameEdit->text() != Text(row, kName) || ui_->picturePathEdit->text() != Text(row, kPath) ||
           ui_->descriptionEdit->toPlainText() != Text(row, kText);
}

bool DescriptionManager::settleBeforeClosing() {
    if (!hasChanges()) return true;
    const QString name = ui_->nameEdit->text();
    const QString text = mode_ == Mode::Insert
                             ? QStringLiteral("新增的记录“%1”还没有保存。是否保存？").arg(name)
                             : QStringLiteral("对“%1”的修改还没有保存。是否保存？").arg(name);
    Unsaved choice = Unsaved::KeepEditing;
    if (unsaved_) {
        choice = unsaved_(text);
    } else {
        QMessageBox box(QMessageBox::Question, windowTitle(), text,
                        QMessageBox::Save | QMessageBox::Discard | QMessageBox::Cancel, this);
        box.button(QMessageBox::Save)->setText(QStringLiteral("保存"));
        box.button(QMessageBox::Discard)->setText(QStringLiteral("不保存"));
        box.button(QMessageBox::Cancel)->setText(QStringLiteral("继续编辑"));
        box.setDefaultButton(QMessageBox::Save);
        box.setEscapeButton(QMessageBox::Cancel);
        const int answer = box.exec();
        choice = answer == QMessageBox::Save      ? Unsaved::Store
                 : answer == QMessageBox::Discard ? Unsaved::Drop
                                                  : Unsaved::KeepEditing;
    }
    switch (choice) {
        case Unsaved::Store:
            return post();  // a change the database refuses keeps the window open, with what was typed
        case Unsaved::Drop:
            discard();
            return true;
        case Unsaved::KeepEditing:
            break;
    }
    return false;
}

// The row of the name typed, or of the point whose code or pinyin was typed; else the first row whose name
// begins with the text, else the first matching point that has a row.
int DescriptionManager::rowToFind() const {
    const QString typed = ui_->findBox->currentText();
    if (const int row = findRow(typed, false); row >= 0) return row;
    if (const int row = findRow(typed, true); row >= 0) return row;
    for (const std::string& name : ui_->findBox->points().Find(typed.toStdString()))
        if (const int row = findRow(QString::fromStdString(name), false); row >= 0) return row;
    return -1;
}

void DescriptionManager::onFindClicked() {
    ui_->findBox->settle();
    if (rowToFind() < 0) return;
    if (!storeBeforeMove()) return;
    moveTo(rowToFind());
}

void DescriptionManager::refillFindBox() {
    try {
        ui_->findBox->setPoints(db_.SelectAll(store::Table::Description).Column(kName));
    } catch (const store::StoreError& e) {
        Warn(this, message_, QString::fromUtf8(e.what()));
    }
}

void DescriptionManager::goFirst() {
    if (storeBeforeMove()) moveTo(0);
}

void DescriptionManager::goPrior() {
    if (storeBeforeMove()) moveTo(current_ - 1);
}

void DescriptionManager::goNext() {
    if (storeBeforeMove()) moveTo(current_ + 1);
}

void DescriptionManager::goLast() {
    if (storeBeforeMove()) moveTo(rowCount() - 1);
}

// --- Dialogs ---

bool DescriptionManager::ask(const QString& text) {
    if (confirm_) return confirm_(text);
    return QMessageBox::question(this, windowTitle(), text, QMessageBox::Yes | QMessageBox::No,
                                 QMessageBox::No) == QMessageBox::Yes;
}

}  // namespace velunar::ui
