// The main window: construction, showing and closing, and the handlers of its buttons and menu.
#include "ui/mainwindow.h"

#include <algorithm>

#include <QCheckBox>
#include <QCloseEvent>
#include <QDir>
#include <QLayout>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QTabWidget>
#include <QTimer>
#include <QToolButton>

#include "files/noticeplayer.h"
#include "ui/clocksettings.h"
#include "ui/contentfit.h"
#include "ui/desktopnotice.h"
#include "ui/mainwindow_widgets.h"
#include "ui/memodialog.h"
#include "ui/picturewindow.h"
#include "ui/textwindow.h"
#include "ui/windowplacement.h"

namespace velunar::ui {
namespace {

const QString kOpenCaption = QStringLiteral("打开穴位说明>>");
const QString kCloseCaption = QStringLiteral("<<关闭穴位说明");

}  // namespace

const QString& BeijingNoteText() {
    static const QString kBeijingNote = QStringLiteral(
        "关于国外真太阳时：\n"
        "在国外，用机器时间减去夏令时，得到的只是当地的平时，还必须再考虑所在的时区，才能与北京时间"
        "相互换算。\n"
        "由北京时间推算日干支很容易；由国外的时间推算日干支却不容易。国际日期变更线是人为规定的，"
        "干支日究竟应当从北京向东延续还是向西延续，并无定论，所以干支的日界线未必与国际日期变更线一致。"
        "假如有人正好站在日期变更线上，他的一只脚踏在甲子日，另一只脚却踏在乙丑日。\n"
        "真太阳时也解决不了日期变更线的问题；在南半球（例如澳大利亚），连月柱都难以确定。\n"
        "因此本软件倾向于认为北京时间是定律，不推荐使用真太阳时，只是把它作为一种选择提供给用户。");
    return kBeijingNote;
}

MainWindow::MainWindow(const store::DataPaths& paths, QWidget* parent)
    : QMainWindow(parent), paths_(paths), settings_(db_) {
    buildLayout();
    connectSettings();
    connect(supplementaryButton_, &QPushButton::clicked, this, &MainWindow::showSupplementaryPage);
    connect(descriptionToggle_, &QPushButton::clicked, this, &MainWindow::toggleDescription);
    for (QTabWidget* pages : {timePages_, settingsPages_, methodPages_})
        connect(pages, &QTabWidget::currentChanged, this, [this] {
            if (shownOnce_) arrangeForRoom();
        });
    connect(placePickerButton_, &QToolButton::clicked, this,
            [this] { ShowSecondary(secondary_.placePicker); });

    // A read-only file stays so until something is written; the user is told when it changes.
    db_.SetWritableNotice(
        [this](const std::string& text) { showMessage(MessageKind::Message, QString::fromStdString(text)); });
    db_.Open(paths_.DatabaseFile());
    tables_ = store::LoadReferenceTables(paths_, db_);
    descriptions_ = std::make_unique<store::DatabaseDescriptions>(db_);

    placement_ = WindowPlacement::Keep(
        this, QStringLiteral("mainWindow"), [this](QWidget*) { placeFirstTime(); },
        [this](const QWidget*) { return keptSize(); });
    tickTimer_ = new QTimer(this);
    tickTimer_->setObjectName(QStringLiteral("tickTimer"));
    tickTimer_->setSingleShot(true);
    tickTimer_->setTimerType(Qt::PreciseTimer);
    connect(tickTimer_, &QTimer::timeout, this, &MainWindow::tick);
    scheduleTick();
}

MainWindow::~MainWindow() {
    // The controls outlive the record and the connection (Qt deletes children last): nothing they do while
    // going may reach the record.
    noticeBox_->removeEventFilter(this);
    tickTimer_->stop();
    // Kept while the window is whole: the placement asks it for its size, which a window half destroyed
    // (hidden by QWidget's own destructor) can no longer answer.
    if (isVisible()) placement_->save();
    delete placement_;
}

void MainWindow::setNoticePlayer(std::unique_ptr<NoticePlayer> player) {
    player_ = std::move(player);
    if (!player_) return;
    // Said once per cause, beside the notice in the window.
    player_->setFailureHook([this](const QString& path, const QString& cause) {
        sayNoticeSoundFailed(QStringLiteral("提示音 %1 无法播放（%2），时辰变换只在窗口中提示。")
                                 .arg(QDir::toNativeSeparators(path), cause));
    });
}

void MainWindow::setDesktopNotifier(std::unique_ptr<DesktopNotifier> notifier) {
    notifier_ = std::move(notifier);
}

void MainWindow::showMessage(MessageKind kind, const QString& text) {
    if (messageHook_) {
        messageHook_(kind, text);
        return;
    }
    if (kind == MessageKind::Error)
        QMessageBox::critical(this, windowTitle(), text);
    else
        QMessageBox::information(this, windowTitle(), text);
}

bool MainWindow::confirm(const QString& text) {
    if (confirmHook_) return confirmHook_(text);
    QMessageBox box(QMessageBox::Question, QString::fromUtf8(kClockConfirmTitle), text,
                    QMessageBox::Yes | QMessageBox::No, this);
    box.setDefaultButton(QMessageBox::No);
    box.setEscapeButton(QMessageBox::No);
    return box.exec() == QMessageBox::Yes;
}

void MainWindow::showEvent(QShowEvent* event) {
    QMainWindow::showEvent(event);
    if (shownOnce_) return;
    shownOnce_ = true;
    arrangeForRoom();
    onFirstShow();
    contentFit_->begin();
}

void MainWindow::placeFirstTime() {
    arrangeForRoom();
    contentFit_->fitToContent();
    const QRect available = AvailableArea(this);
    const QRect frame = frameGeometry();
    move(available.left() + std::max(0, (available.width() - frame.width()) / 2), available.top());
}

QSize MainWindow::keptSize() const {
    if (!descriptionArea_->isVisible()) return size();
    // Below the pages, or beside the dial.
    if (middleRow_->indexOf(descriptionArea_) >= 0)
        return contentFit_->desiredSize() -
               QSize(descriptionArea_->sizeHint().width() + middleRow_->spacing(), 0);
    return contentFit_->desiredSize() - QSize(0, descriptionArea_->sizeHint().height() + column_->spacing());
}

void MainWindow::onFirstShow() {
    if (!unlockedNotice_.isEmpty()) showMessage(MessageKind::Message, unlockedNotice_);
    try {
        db_.Reopen();
        settings_.Open();
    } catch (const std::exception& e) {
        showMessage(MessageKind::Error, QString::fromUtf8(e.what()));
        return;
    }
    if (const auto notice = settings_.TakeCreatedNotice())
        showMessage(MessageKind::Message, QString::fromStdString(*notice));
    loadSettings();
    timePages_->setCurrentWidget(settings_.ChinaPageInFront() ? chinaPage_ : abroadPage_);
    // Still inside the first show event: the window reaches the screen with its clock and pages filled.
    tick();
}

void MainWindow::closeEvent(QCloseEvent* event) {
    // The description manager goes with the window: an edit it holds is stored or dropped as the user says.
    if (QWidget* manager = secondary_.descriptionManager;
        manager && manager->isVisible() && !manager->close()) {
        event->ignore();
        return;
    }
    storeSettingsOnExit(true);
    // The windows still open go with this one, without being closed themselves: each keeps its place now.
    for (QWidget* w :
         {secondary_.placePicker, secondary_.descriptionManager,
          static_cast<QWidget*>(secondary_.pictureWindow), static_cast<QWidget*>(secondary_.helpWindow),
          secondary_.reverseLookup, secondary_.schedule})
        if (w && w->isVisible())
            if (auto* kept = w->findChild<WindowPlacement*>(QString(), Qt::FindDirectChildrenOnly))
                kept->save();
    tickTimer_->stop();
    QMainWindow::closeEvent(event);
}

bool MainWindow::chinaInFront() const {
    return timePages_->currentWidget() == chinaPage_;
}

void MainWindow::showSupplementaryPage() {
    methodPages_->setCurrentWidget(pages_[DoctrineId::Supplementary]);
}

void MainWindow::toggleDescription() {
    const bool open = descriptionToggle_->text() == kOpenCaption;
    descriptionToggle_->setText(open ? kCloseCaption : kOpenCaption);
    arrangeForRoom();
}

void MainWindow::showHelpFile(std::string_view name) {
    if (!secondary_.helpWindow) return;
    try {
        secondary_.helpWindow->ShowFile(paths_.MessageFile(name));
    } catch (const std::exception& e) {
        showMessage(MessageKind::Error, QString::fromUtf8(e.what()));
    }
}

void MainWindow::showPicture() {
    if (view_.picturePath.empty()) {
        showMessage(MessageKind::Message, QStringLiteral("没有相关穴位图片!"));
        return;
    }
    if (!secondary_.pictureWindow) return;
    try {
        secondary_.pictureWindow->ShowPicture(paths_.Resolve(view_.picturePath));
    } catch (const std::exception& e) {
        showMessage(MessageKind::Error, QString::fromUtf8(e.what()));
    }
}

void MainWindow::showBeijingNote() {
    const QString title = QStringLiteral("北京时间是定律");
    MemoDialog(title, title, BeijingNoteText(), 1000, this);
}

void MainWindow::openClockSettings() {
    ClockSettingsHooks hooks;
    hooks.confirm = [this](QWidget*) { return confirm(QString::fromUtf8(kClockConfirmText)); };
    hooks.inform = [this](QWidget*, const QString& text) { showMessage(MessageKind::Message, text); };
    OpenClockSettings(this, hooks);
}

}  // namespace velunar::ui
