#include "ui/derivationwindow.h"

#include <QApplication>
#include <QClipboard>
#include <QHBoxLayout>
#include <QPlainTextEdit>
#include <QPushButton>

#include "methods/explain_time.h"

namespace velunar::ui {
namespace {

void AddSection(QString& text, std::string_view title, const Derivation& steps) {
    if (steps.empty()) return;
    text += QLatin1Char('\n') + QString::fromUtf8(title.data(), static_cast<qsizetype>(title.size())) +
            QLatin1Char('\n');
    int n = 0;
    for (const std::string& step : Texts(steps))
        text += QStringLiteral("%1. %2\n").arg(++n).arg(QString::fromStdString(step));
}

}  // namespace

QString DerivationText(std::optional<DoctrineId> page, const TickView& view, const ReferenceTables& tables) {
    QString text =
        QStringLiteral("%1 %2 的推算\n")
            .arg(view.page == TimePage::China ? QStringLiteral("北京时间") : QStringLiteral("本机时间"),
                 QString::fromStdString(FormatIso(view.referenceTime)));
    AddSection(text, "时间：", ExplainTime(view.input, view));
    for (const Doctrine* d : Doctrines()) {
        const bool naGanPage = page == DoctrineId::NaGan || page == DoctrineId::Supplementary;
        const bool shown =
            !page || d->Id() == *page ||
            (naGanPage && (d->Id() == DoctrineId::NaGan || d->Id() == DoctrineId::Supplementary));
        // The 补穴 has a derivation only in a closed hour.
        if (!shown || (d->Id() == DoctrineId::Supplementary && !view.closed)) continue;
        AddSection(text, d->ReportHeading(), d->Explain(view.moment, tables));
    }
    return text;
}

DerivationWindow::DerivationWindow(QWidget* parent)
    : ViewerWindow(QStringLiteral("derivationWindow"), QStringLiteral("为什么？"), QSize(640, 480), parent) {
    textBox_ = new QPlainTextEdit(this);
    textBox_->setObjectName(QStringLiteral("derivationText"));
    textBox_->setReadOnly(true);
    textBox_->setTextInteractionFlags(Qt::TextSelectableByMouse | Qt::TextSelectableByKeyboard);
    textBox_->setLineWrapMode(QPlainTextEdit::WidgetWidth);
    SetContent(textBox_);
    copyButton_ = new QPushButton(QStringLiteral("复制全部"), buttonStrip());
    copyButton_->setObjectName(QStringLiteral("copyButton"));
    // Beside 关闭, in the strip's middle.
    static_cast<QHBoxLayout*>(buttonStrip()->layout())->insertWidget(1, copyButton_);
    connect(copyButton_, &QPushButton::clicked, this,
            [this] { QApplication::clipboard()->setText(textBox_->toPlainText()); });
}

void DerivationWindow::ShowDerivation(const QString& title, const QString& text) {
    setWindowTitle(title);
    textBox_->setPlainText(text);
    BringToFront();
}

}  // namespace velunar::ui
