#include "ui/textwindow.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QHBoxLayout>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QVBoxLayout>

#include "store/codec.h"
#include "store/store_error.h"
#include "ui/secondary.h"
#include "ui/uitext.h"
#include "ui/windowplacement.h"

namespace velunar::ui {
namespace {

constexpr int kStripHeight = 41;

[[noreturn]] void ThrowFileError(const QString& path, const QString& cause) {
    throw store::StoreError(
        store::StoreErrorKind::File,
        TranslatedQ("ui", "无法读取文件 %1：%2").arg(QDir::toNativeSeparators(path), cause).toStdString());
}

QString UnifyLineEnds(QString text) {
    text.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    text.replace(QLatin1Char('\r'), QLatin1Char('\n'));
    return text;
}

}  // namespace

QString HelpTextFromBytes(const QByteArray& bytes) {
    return UnifyLineEnds(store::DecodeLegacyText(bytes));
}

QString ReadHelpFile(const QString& path) {
    const QFileInfo info(path);
    if (info.isDir()) ThrowFileError(path, TranslatedQ("ui", "这是一个文件夹，不是文本文件"));
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) ThrowFileError(path, file.errorString());
    if (file.size() > kMaxHelpFileBytes) {
        ThrowFileError(path, TranslatedQ("ui", "文件过大（%1 字节），不是帮助文本").arg(file.size()));
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
    buttonStrip_ = new QWidget(this);
    buttonStrip_->setObjectName(QStringLiteral("buttonStrip"));
    buttonStrip_->setFixedHeight(kStripHeight);
    closeButton_ = new QPushButton(TranslatedQ("ui", "关闭"), buttonStrip_);
    closeButton_->setObjectName(QStringLiteral("closeButton"));
    auto* strip = new QHBoxLayout(buttonStrip_);
    strip->setContentsMargins(8, 0, 8, 0);
    strip->addStretch();
    strip->addWidget(closeButton_);
    strip->addStretch();
    auto* column = new QVBoxLayout(this);
    column->setContentsMargins(0, 0, 0, 0);
    column->setSpacing(0);
    column->addWidget(buttonStrip_);
    connect(closeButton_, &QPushButton::clicked, this, &ViewerWindow::onCloseClicked);
    resize(outerSize_);
    // Afterwards it opens where the user left it.
    WindowPlacement::Keep(this, objectName, [this](QWidget*) { PlaceCentred(); });
}

void ViewerWindow::SetContent(QWidget* content) {
    auto* column = static_cast<QVBoxLayout*>(layout());
    column->insertWidget(0, content, 1);
}

void ViewerWindow::onCloseClicked() {
    hide();
}

void ViewerWindow::BringToFront() {
    if (isMinimized()) showNormal();
    show();
    raise();
    activateWindow();
}

void ViewerWindow::PlaceCentred() {
    const QSize frame = frameGeometry().size() - geometry().size();
    resize(outerSize_ - frame);
    CentreOnScreen(this);
}

HelpTextWindow::HelpTextWindow(QWidget* parent)
    : ViewerWindow(QStringLiteral("helpTextWindow"), TranslatedQ("ui", "显示文本窗口"), QSize(488, 335),
                   parent) {
    textBox_ = new QPlainTextEdit(this);
    textBox_->setObjectName(QStringLiteral("textBox"));
    // Wrapped to the window's width, however narrow the screen makes it.
    textBox_->setLineWrapMode(QPlainTextEdit::WidgetWidth);
    textBox_->setHorizontalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    textBox_->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    SetContent(textBox_);
}

void HelpTextWindow::ShowFile(const QString& path) {
    const QString text = ReadHelpFile(path);  // throws before anything changes
    textBox_->setPlainText(text);
    BringToFront();
}

}  // namespace velunar::ui
