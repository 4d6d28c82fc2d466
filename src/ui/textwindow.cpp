#include "ui/textwindow.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QHBoxLayout>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScreen>
#include <QVBoxLayout>

#include "store/codec.h"
#include "store/store_error.h"

namespace velunar::ui {
namespace {

constexpr int kStripHeight = 41;

[[noreturn]] void ThrowFileError(const QString& path, const QString& cause) {
    throw store::StoreError(
        store::StoreErrorKind::File,
        QStringLiteral("无法读取文件 %1：%2").arg(QDir::toNativeSeparators(path), cause).toStdString());
}

QString UnifyLineEnds(QString text) {
    text.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    text.replace(QLatin1Char('\r'), QLatin1Char('\n'));
    return text;
}

}  // namespace

QString HelpTextFromBytes(const QByteArray& bytes) {
    static const QByteArray kUtf8Bom("\xEF\xBB\xBF");
    if (bytes.startsWith(kUtf8Bom)) return UnifyLineEnds(QString::fromUtf8(bytes.mid(kUtf8Bom.size())));
    return UnifyLineEnds(store::DecodeGbk(bytes));
}

QString ReadHelpFile(const QString& path) {
    const QFileInfo info(path);
    if (info.isDir()) ThrowFileError(path, QStringLiteral("这是一个文件夹，不是文本文件"));
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) ThrowFileError(path, file.errorString());
    if (file.size() > kMaxHelpFileBytes) {
        ThrowFileError(path, QStringLiteral("文件过大（%1 字节），不是帮助文本").arg(file.size()));
    }
    const QByteArray bytes = file.readAll();
    if (file.error() != QFileDevice::NoError) ThrowFileError(path, file.errorString());
    return HelpTextFromBytes(bytes);
}

ViewerWindow::ViewerWindow(const QString& objectName, const QString& caption, QSize outerSize,
                           QWidget* parent)
    : QWidget(parent, Qt::Window), outerSize_(outerSize) {
    setObjectName(objectName);
    setWindowTitle(caption);
    panel1_ = new QWidget(this);
    panel1_->setObjectName(QStringLiteral("Panel1"));
    panel1_->setFixedHeight(kStripHeight);
    button1_ = new QPushButton(QStringLiteral("关闭"), panel1_);
    button1_->setObjectName(QStringLiteral("Button1"));
    auto* strip = new QHBoxLayout(panel1_);
    strip->setContentsMargins(8, 0, 8, 0);
    strip->addStretch();
    strip->addWidget(button1_);
    strip->addStretch();
    auto* column = new QVBoxLayout(this);
    column->setContentsMargins(0, 0, 0, 0);
    column->setSpacing(0);
    column->addWidget(panel1_);
    connect(button1_, &QPushButton::clicked, this, &ViewerWindow::Button1Click);
    resize(outerSize_);
}

void ViewerWindow::SetContent(QWidget* content) {
    auto* column = static_cast<QVBoxLayout*>(layout());
    column->insertWidget(0, content, 1);
}

void ViewerWindow::Button1Click() {
    hide();
}

void ViewerWindow::BringToFront() {
    if (isMinimized()) showNormal();
    show();
    raise();
    activateWindow();
}

void ViewerWindow::showEvent(QShowEvent* event) {
    QWidget::showEvent(event);
    if (!placed_) {
        placed_ = true;
        PlaceCentred();
    }
}

// Only the first showing places the window; afterwards it stays where the user put it.
void ViewerWindow::PlaceCentred() {
    const QSize frame = frameGeometry().size() - geometry().size();
    resize(outerSize_ - frame);
    const QScreen* where = screen();
    if (!where) return;
    const QRect desktop = where->availableGeometry();
    move(desktop.center() - QPoint(outerSize_.width() / 2, outerSize_.height() / 2));
}

FrmMsg::FrmMsg(QWidget* parent)
    : ViewerWindow(QStringLiteral("frmMSG"), QStringLiteral("显示文本窗口"), QSize(488, 335), parent) {
    memo1_ = new QPlainTextEdit(this);
    memo1_->setObjectName(QStringLiteral("Memo1"));
    memo1_->setLineWrapMode(QPlainTextEdit::NoWrap);
    memo1_->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    memo1_->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    SetContent(memo1_);
}

void FrmMsg::ShowFile(const QString& path) {
    const QString text = ReadHelpFile(path);  // throws before anything changes
    memo1_->setPlainText(text);
    BringToFront();
}

}  // namespace velunar::ui
