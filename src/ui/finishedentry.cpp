#include "ui/finishedentry.h"

#include <QLabel>
#include <QLineEdit>
#include <QTimer>

namespace velunar::ui {

FinishedEntry::FinishedEntry(QLineEdit* box, QLabel* hint, QString hintText, Check valid, QObject* parent)
    : QObject(parent),
      box_(box),
      hint_(hint),
      hintText_(std::move(hintText)),
      valid_(std::move(valid)),
      idle_(new QTimer(this)) {
    idle_->setSingleShot(true);
    idle_->setInterval(kIdleMs);
    hint_->setText(hintText_);
    hint_->setStyleSheet(QStringLiteral("color: #c00000;"));
    hint_->hide();
    connect(box_, &QLineEdit::textChanged, this, &FinishedEntry::onTextChanged);
    connect(box_, &QLineEdit::editingFinished, this, &FinishedEntry::finish);
    connect(idle_, &QTimer::timeout, this, &FinishedEntry::finish);
}

void FinishedEntry::onTextChanged(const QString& text) {
    const bool valid = valid_(text);
    showHint(!valid);
    // setText() clears the modified flag, typing sets it: only typing waits for the entry to be finished.
    if (box_->isModified()) {
        idle_->start();
        return;
    }
    idle_->stop();
    if (valid) emit finished(text);
}

void FinishedEntry::finish() {
    idle_->stop();
    if (!box_->isModified()) return;
    box_->setModified(false);
    const QString text = box_->text();
    const bool valid = valid_(text);
    showHint(!valid);
    if (valid) emit finished(text);
}

void FinishedEntry::showHint(bool show) {
    if (show == hintShown_) return;
    hintShown_ = show;
    box_->setStyleSheet(show ? QStringLiteral("QLineEdit { border: 1px solid #d00000; }") : QString());
    hint_->setVisible(show);
}

}  // namespace velunar::ui
