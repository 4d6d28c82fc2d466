#include "ui/contentfit.h"

#include <QEvent>
#include <QLayout>
#include <QMainWindow>
#include <QMenuBar>
#include <QScrollBar>
#include <QTimer>

#include "ui/windowplacement.h"

namespace velunar::ui {

ContentScrollArea::ContentScrollArea(QWidget* content, QWidget* parent) : QScrollArea(parent) {
    setObjectName(QStringLiteral("contentScrollArea"));
    setFrameShape(QFrame::NoFrame);
    setWidgetResizable(true);
    setWidget(content);
}

QSize ContentScrollArea::sizeHint() const {
    // QScrollArea caps its hint at a few dozen lines of text; the window decides how much of it fits.
    return widget() ? widget()->sizeHint() : QScrollArea::sizeHint();
}

ContentFit::ContentFit(QMainWindow* window, ContentScrollArea* area)
    : QObject(window), window_(window), area_(area), content_(area->widget()) {
    content_->installEventFilter(this);
    window_->installEventFilter(this);
}

QSize ContentFit::contentHint() const {
    return area_->widget()->sizeHint().expandedTo(area_->widget()->minimumSizeHint());
}

QSize ContentFit::windowSizeFor(QSize hint) const {
    const int menu = window_->menuWidget() ? window_->menuWidget()->sizeHint().height() : 0;
    return {hint.width(), hint.height() + menu};
}

void ContentFit::apply(QSize size) {
    const QRect available = AvailableArea(window_);
    const QSize room = available.size() - FrameExtra(window_);
    // Too tall for the screen even at its least: the content scrolls, and the window is a scroll bar wider so
    // that only the one bar shows. Content that can shrink to the room (the dial) needs none.
    const QSize least = windowSizeFor(area_->widget()->minimumSizeHint());
    if (size.height() > room.height() && least.height() > room.height())
        size.rwidth() += area_->verticalScrollBar()->sizeHint().width();
    if (size.width() > room.width() && least.width() > room.width())
        size.rheight() += area_->horizontalScrollBar()->sizeHint().height();
    applied_ = size.boundedTo(room).expandedTo(window_->minimumSize());
    window_->resize(applied_);
    KeepInsideScreen(window_);
    applied_ = window_->size();
}

void ContentFit::fitToContent() {
    lastHint_ = contentHint();
    desired_ = windowSizeFor(lastHint_);
    apply(desired_);
}

void ContentFit::begin() {
    applied_ = window_->size();
    if (lastHint_.isValid()) {
        // Placed to fit its content: what the content asks for since then is followed, beginning with what
        // the first tick filled in (a warning line, the lunar line) before the window reaches the screen.
        following_ = true;
        if (QLayout* layout = area_->widget()->layout()) layout->activate();
        follow();
        return;
    }
    // Restored at a kept size: that size is the user's, taken with the content as it is once the first
    // showing has settled (the first tick's texts, the pickers in place of the time box).
    desired_ = window_->size();
    lastHint_ = contentHint();
    baselinePending_ = true;
    following_ = true;
}

void ContentFit::follow() {
    followPending_ = false;
    if (!following_ || !window_->isVisible() || window_->isMaximized() || window_->isFullScreen()) return;
    const QSize hint = contentHint();
    if (hint == lastHint_) return;
    if (baselinePending_) {
        baselinePending_ = false;
        lastHint_ = hint;
        return;
    }
    desired_ += hint - lastHint_;
    lastHint_ = hint;
    apply(desired_);
}

bool ContentFit::eventFilter(QObject* watched, QEvent* event) {
    // Compared, never asked of the area: while the window goes, the content still has events when the area
    // around it is already half destroyed.
    if (watched == content_ && event->type() == QEvent::LayoutRequest && !followPending_) {
        // After the content has laid itself out, so its hint is the new one.
        followPending_ = true;
        QTimer::singleShot(0, this, &ContentFit::follow);
    }
    if (watched == window_ && event->type() == QEvent::Resize && following_ && !window_->isMaximized() &&
        window_->size() != applied_) {
        // Resized by the user (or the window system): that is the room it has from now on.
        desired_ = window_->size();
        applied_ = desired_;
    }
    return QObject::eventFilter(watched, event);
}

}  // namespace velunar::ui
