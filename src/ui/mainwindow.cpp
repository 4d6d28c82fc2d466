// Form1: construction, showing and closing, and the handlers of its buttons and menu.
#include "ui/mainwindow.h"

#include <QApplication>
#include <QCheckBox>
#include <QCloseEvent>
#include <QDir>
#include <QLineEdit>
#include <QMessageBox>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScreen>
#include <QTabWidget>
#include <QTimer>
#include <QToolButton>

#include "methods/point_description.h"
#include "methods/table_steps.h"
#include "store/method_tables.h"
#include "ui/clocksettings.h"
#include "ui/mainwindow_widgets.h"
#include "ui/memodialog.h"
#include "ui/noticeplayer.h"
#include "ui/picturewindow.h"
#include "ui/textwindow.h"

namespace velunar::ui {

namespace {

constexpr int kTallHeight = 576;
constexpr int kShortHeight = 362;
const QString kOpenCaption = QStringLiteral("打开穴位说明>>");
const QString kCloseCaption = QStringLiteral("<<关闭穴位说明");

}  // namespace

MainWindow::MainWindow(const store::DataPaths& paths, QWidget* parent)
    : QMainWindow(parent),
      paths_(paths),
      settings_(db_),
      dayHour_(std::make_unique<DayHourMethods>()),
      description_(std::make_unique<PointDescriptionStep>()) {
    buildLayout();
    connectSettingsControls();
    connect(CheckBox2, &QCheckBox::clicked, this, &MainWindow::CheckBox2Click);
    connect(Button1, &QPushButton::clicked, this, &MainWindow::Button1Click);
    connect(Button2, &QPushButton::clicked, this, &MainWindow::Button2Click);
    connect(Button3, &QPushButton::clicked, this, &MainWindow::Button3Click);
    connect(Button4, &QPushButton::clicked, this, &MainWindow::Button4Click);
    connect(XUEWEIMANAGE, &QPushButton::clicked, this, &MainWindow::XUEWEIMANAGEClick);
    connect(btnpic, &QPushButton::clicked, this, &MainWindow::btnpicClick);
    connect(SpeedButton1, &QToolButton::clicked, this, &MainWindow::SpeedButton1Click);

    // A read-only file stays so until something is written; the user is told when it changes.
    db_.SetWritableNotice(
        [this](const std::string& text) { showMessage(MessageKind::Message, QString::fromStdString(text)); });
    db_.Open(paths_.DatabaseFile());
    tables_ = std::make_unique<store::DatabaseMethodTables>(db_);

    if (const QScreen* screen = QGuiApplication::primaryScreen()) {
        const QRect area = screen->availableGeometry();
        move(area.center() - rect().center());
    }
    Timer1 = new QTimer(this);
    Timer1->setObjectName(QStringLiteral("Timer1"));
    Timer1->setInterval(1000);
    connect(Timer1, &QTimer::timeout, this, &MainWindow::Timer1Timer);
    Timer1->start();
}

MainWindow::~MainWindow() {
    // The controls outlive the record and the connection (Qt deletes children last): nothing they do
    // while going may reach the record.
    CheckBox1->removeEventFilter(this);
    Timer1->stop();
}

std::string MainWindow::currentPicturePath() const {
    return description_->CurrentPicturePath();
}

void MainWindow::setNoticePlayer(std::unique_ptr<NoticePlayer> player) {
    player_ = std::move(player);
    if (!player_) return;
    // Said once per cause, after the current event: a refused sound may be reported while the notice
    // box is up, and the notice itself must never wait for it.
    player_->setFailureHook([this](const QString& path, const QString& cause) {
        const QString text = QStringLiteral("提示音 %1 无法播放（%2）。时辰变换仍会用对话框提示。")
                                 .arg(QDir::toNativeSeparators(path), cause);
        if (!reportedSoundErrors_.insert(text).second) return;
        QTimer::singleShot(0, this, [this, text] { showMessage(MessageKind::Message, text); });
    });
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
    return QMessageBox::question(this, QStringLiteral("Confirm"), text, QMessageBox::Yes | QMessageBox::No) ==
           QMessageBox::Yes;
}

void MainWindow::showEvent(QShowEvent* event) {
    QMainWindow::showEvent(event);
    if (shownOnce_) return;
    shownOnce_ = true;
    FormShow();
}

void MainWindow::FormShow() {
    try {
        db_.Reopen();
        settings_.Open();
    } catch (const std::exception& e) {
        showMessage(MessageKind::Error, QString::fromUtf8(e.what()));
        return;
    }
    if (const auto notice = settings_.TakeCreatedNotice())
        showMessage(MessageKind::Message, QString::fromStdString(*notice));
    loadSettingsIntoControls();
    PageControl2->setCurrentWidget(settings_.ChinaPageInFront() ? TabSheet9 : TabSheet10);
    const QScreen* s = screen();
    move(x(), s ? s->geometry().top() : 0);
}

void MainWindow::closeEvent(QCloseEvent* event) {
    FormClose();
    Timer1->stop();
    QMainWindow::closeEvent(event);
}

void MainWindow::FormClose() {
    CheckBox1Exit();
}

void MainWindow::CheckBox1Exit() {
    try {
        settings_.CheckBox1Exit(isChinaPageInFront());
    } catch (const std::exception& e) {
        showMessage(MessageKind::Error, QString::fromUtf8(e.what()));
    }
}

bool MainWindow::isChinaPageInFront() const {
    return PageControl2->currentWidget() == TabSheet9;
}

void MainWindow::showPage(int index) {
    PageControl1->setCurrentIndex(index);
}

void MainWindow::Button1Click() {
    PageControl1->setCurrentWidget(TabSheet4);
}

void MainWindow::Button2Click() {
    if (Button2->text() == kOpenCaption) {
        Button2->setText(kCloseCaption);
        descriptionArea_->show();
        setOuterHeight(kTallHeight);
    } else if (Button2->text() == kCloseCaption) {
        Button2->setText(kOpenCaption);
        descriptionArea_->hide();
        setOuterHeight(kShortHeight);
    }
}

void MainWindow::Button3Click() {
    ShowSecondary(secondary_.frmBack);
}

void MainWindow::XUEWEIMANAGEClick() {
    ShowSecondary(secondary_.frmDetail);
}

void MainWindow::mnxueweiManageClick() {
    ShowSecondary(secondary_.frmDetail);
}

void MainWindow::SpeedButton1Click() {
    ShowSecondary(secondary_.Form2);
}

void MainWindow::mnDongJingClick() {
    ShowSecondary(secondary_.Form2);
}

void MainWindow::mnexitClick() {
    close();
}

void MainWindow::mntabsheet1Click() {
    showPage(0);
}
void MainWindow::mntabsheet2Click() {
    showPage(1);
}
void MainWindow::mntabsheet3Click() {
    showPage(2);
}
void MainWindow::mntabsheet5Click() {
    showPage(3);
}
void MainWindow::mntabsheet6Click() {
    showPage(5);
}
void MainWindow::mntabsheet7Click() {
    showPage(6);
}
void MainWindow::mntabsheet8Click() {
    showPage(7);
}

void MainWindow::showHelpFile(std::string_view name) {
    if (!secondary_.frmMSG) return;
    try {
        secondary_.frmMSG->ShowFile(paths_.MessageFile(name));
    } catch (const std::exception& e) {
        showMessage(MessageKind::Error, QString::fromUtf8(e.what()));
    }
}

void MainWindow::mntruetimeClick() {
    showHelpFile("sun.txt");
}

void MainWindow::mntimemodeClick() {
    showHelpFile("timemode.txt");
}

void MainWindow::mnaboutClick() {
    showHelpFile("about.txt");
}

void MainWindow::mnMSGClick() {
    showMessage(MessageKind::Message,
                QStringLiteral("作者声明:使用本软件所引起的一切后果作者一概不负任何责任!"));
}

void MainWindow::btnpicClick() {
    const std::string& stored = description_->CurrentPicturePath();
    if (stored.empty()) {
        showMessage(MessageKind::Message, QStringLiteral("没有相关穴位图片!"));
        return;
    }
    if (!secondary_.frmPIC) return;
    try {
        secondary_.frmPIC->ShowPicture(paths_.Resolve(stored));
    } catch (const std::exception& e) {
        showMessage(MessageKind::Error, QString::fromUtf8(e.what()));
    }
}

void MainWindow::Button4Click() {
    const QString title = QStringLiteral("北京时间是定律");
    MemoDialog(title, title, bjok->toPlainText(), 1000, this);
}

void MainWindow::mntimeClick() {
    ClockSettingsHooks hooks;
    hooks.confirm = [this](QWidget*) { return confirm(QString::fromUtf8(kClockConfirmText)); };
    hooks.inform = [this](QWidget*, const QString& text) { showMessage(MessageKind::Message, text); };
    OpenClockSettings(this, hooks);
}

}  // namespace velunar::ui
