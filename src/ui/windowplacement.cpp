#include "ui/windowplacement.h"

#include <cmath>

#include <QEvent>
#include <QGuiApplication>
#include <QPointer>
#include <QScreen>
#include <QSettings>
#include <QTimer>
#include <QWidget>

#include "ui/secondary.h"

namespace velunar::ui {
namespace {

QSettings* gStore = nullptr;
std::optional<QRect> gTestArea;
// The frame last seen around any window: the window system frames the next one alike.
QSize gLastExtra;

QString Group(const QString& key) {
    return QStringLiteral("windows/") + key;
}

QRect MoveInside(QRect frame, const QRect& available) {
    if (frame.right() > available.right()) frame.moveRight(available.right());
    if (frame.bottom() > available.bottom()) frame.moveBottom(available.bottom());
    // A frame larger than the screen keeps its title bar and top-left corner on it.
    if (frame.left() < available.left()) frame.moveLeft(available.left());
    if (frame.top() < available.top()) frame.moveTop(available.top());
    return frame;
}

// The screen's available area in the window's pixels. At a fractional scale factor Qt rounds the logical
// size to the nearest pixel, which can be half a device pixel more than the screen has (911 x 1.5 = 1366.5 on
// 1366): a frame that fills that area would reach one pixel past the edge, so such a size is taken one less.
QRect Inward(const QScreen* screen) {
    QRect area = screen->availableGeometry();
    const qreal scale = screen->devicePixelRatio();
    const qreal native = scale * area.width(), nativeHigh = scale * area.height();
    if (native != std::floor(native)) area.setWidth(area.width() - 1);
    if (nativeHigh != std::floor(nativeHigh)) area.setHeight(area.height() - 1);
    return area;
}

QRect AvailableAt(const QPoint& point, const QWidget* window) {
    if (gTestArea) return *gTestArea;
    if (const QScreen* screen = QGuiApplication::screenAt(point)) return Inward(screen);
    return AvailableArea(window);
}

// Sizes the window to `client` within its own limits and puts its frame's top-left corner at `corner`, then
// keeps the frame on the screen.
void Apply(QWidget* window, QSize client, QPoint corner, const QRect& available) {
    const QSize extra = FrameExtra(window);
    client = client.expandedTo(window->minimumSize()).boundedTo(window->maximumSize());
    const QRect frame = MoveInside(QRect(corner, client + extra), available);
    if (window->size() != client) window->resize(client);
    if (window->pos() != frame.topLeft()) window->move(frame.topLeft());
}

}  // namespace

QRect FitFrameInside(QRect frame, const QRect& available) {
    if (frame.width() > available.width()) frame.setWidth(available.width());
    if (frame.height() > available.height()) frame.setHeight(available.height());
    return MoveInside(frame, available);
}

void UsePlacementStore(QSettings* store) {
    gStore = store;
}

QRect AvailableArea(const QWidget* window) {
    if (gTestArea) return *gTestArea;
    const QScreen* screen = window && window->screen() ? window->screen() : QGuiApplication::primaryScreen();
    return screen ? Inward(screen) : QRect(0, 0, 1366, 768);
}

void SetAvailableAreaForTesting(std::optional<QRect> area) {
    gTestArea = area;
}

QSize FrameExtra(const QWidget* window) {
    const QSize extra = window->frameGeometry().size() - window->geometry().size();
    if (!extra.isEmpty()) {
        gLastExtra = extra;
        return extra;
    }
    return gLastExtra.isValid() ? gLastExtra : QSize(0, 0);
}

void KeepInsideScreen(QWidget* window) {
    const QSize extra = FrameExtra(window);
    const QRect available = AvailableArea(window);
    const QRect frame = FitFrameInside(QRect(window->pos(), window->size() + extra), available);
    Apply(window, frame.size() - extra, frame.topLeft(), available);
}

WindowPlacement* WindowPlacement::Keep(QWidget* window, const QString& key, FirstPlacement first,
                                       KeptSize kept) {
    return new WindowPlacement(window, key, std::move(first), std::move(kept));
}

WindowPlacement::WindowPlacement(QWidget* window, QString key, FirstPlacement first, KeptSize kept)
    : QObject(window),
      window_(window),
      key_(std::move(key)),
      first_(std::move(first)),
      kept_(std::move(kept)) {
    window_->installEventFilter(this);
}

void WindowPlacement::save() const {
    if (!gStore) return;
    gStore->beginGroup(Group(key_));
    // Qt's own record: the frame and the normal geometry, the screen and the state, restored as the window
    // system placed them.
    gStore->setValue(QStringLiteral("geometry"), window_->saveGeometry());
    if (kept_ && !window_->isMaximized())
        gStore->setValue(QStringLiteral("size"), kept_(window_));
    else
        gStore->remove(QStringLiteral("size"));
    for (const char* old : {"pos", "frame", "maximized"}) gStore->remove(QString::fromLatin1(old));
    gStore->endGroup();
}

bool WindowPlacement::restore() {
    if (!gStore) return false;
    gStore->beginGroup(Group(key_));
    const QByteArray geometry = gStore->value(QStringLiteral("geometry")).toByteArray();
    // Kept by earlier versions: the frame's corner, the client size, whether maximised.
    const QVariant pos = gStore->value(QStringLiteral("pos"));
    const QSize size = gStore->value(QStringLiteral("size")).toSize();
    const bool maximized = gStore->value(QStringLiteral("maximized")).toBool();
    gStore->endGroup();
    if (!geometry.isEmpty() && window_->restoreGeometry(geometry)) {
        // A window that keeps a size of its own (the main window without its description area) takes it,
        // its corner where it was.
        if (kept_ && size.isValid() && !size.isEmpty() && !window_->isMaximized()) {
            const QSize room =
                AvailableAt(window_->geometry().center(), window_).size() - FrameExtra(window_);
            window_->resize(size.boundedTo(room).expandedTo(window_->minimumSize()));
        }
        return true;
    }
    if (!pos.isValid() || !size.isValid() || size.isEmpty()) return false;
    const QSize frameExtra = FrameExtra(window_);
    const QRect kept(pos.toPoint(), size + frameExtra);
    const QRect available = AvailableAt(kept.center(), window_);
    const QRect frame = FitFrameInside(kept, available);
    Apply(window_, frame.size() - frameExtra, frame.topLeft(), available);
    if (maximized) window_->setWindowState(window_->windowState() | Qt::WindowMaximized);
    return true;
}

bool WindowPlacement::eventFilter(QObject* watched, QEvent* event) {
    if (watched != window_) return QObject::eventFilter(watched, event);
    // A window restored from the task bar or minimised is not shown or hidden anew.
    const bool own = !event->spontaneous();
    switch (event->type()) {
        case QEvent::Show:
            if (!own || placed_) break;
            placed_ = true;
            if (restore()) break;
            first_ ? first_(window_) : CentreOnScreen(window_);
            // Placed before the window system framed it: once the frame is known, the frame is kept inside
            // too. A restored window needs none of this; the window system put it where it was.
            QTimer::singleShot(400, window_, [window = QPointer<QWidget>(window_)] {
                if (window && window->isVisible() && !window->isMaximized()) KeepInsideScreen(window);
            });
            break;
        case QEvent::Hide:
            if (own) save();
            break;
        case QEvent::Close:
            save();
            break;
        default:
            break;
    }
    return QObject::eventFilter(watched, event);
}

}  // namespace velunar::ui
