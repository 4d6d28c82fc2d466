#pragma once
// Where each window was left, kept per user through Qt's own saveGeometry/restoreGeometry: a window reopens
// where and as large as it was, to the pixel, and Qt brings it back onto a screen that no longer holds it.
// Placements kept by earlier versions (a corner and a size) are taken once and then kept Qt's way. The
// program turns keeping on at start-up (UsePlacementStore); without a store windows are only placed on the
// screen, so tests and screenshot runs never read or write anybody's settings.
#include <functional>
#include <optional>

#include <QObject>
#include <QRect>
#include <QString>

class QSettings;
class QWidget;

namespace velunar::ui {

// `frame` moved, and shrunk only where it is larger, so that it lies inside `available`.
QRect FitFrameInside(QRect frame, const QRect& available);

// Where placements are kept; null keeps nothing. Not owned.
void UsePlacementStore(QSettings* store);

// The screen area windows must lie in: the available geometry of the screen `window` is on (of the primary
// screen before it has one). Tests may put a smaller screen in its place.
QRect AvailableArea(const QWidget* window);
void SetAvailableAreaForTesting(std::optional<QRect> area);

// What the window system adds around `window` (title bar, borders): known once it is framed, else what it
// added last time, else nothing.
QSize FrameExtra(const QWidget* window);

// Moves and, where it must, shrinks a top-level window so its frame lies inside AvailableArea.
void KeepInsideScreen(QWidget* window);

class WindowPlacement : public QObject {
    Q_OBJECT
  public:
    // How a window is placed the first time, when nothing was kept for it (default: centred on the screen).
    using FirstPlacement = std::function<void(QWidget* window)>;
    // The size to keep for the window as it is now (default: its size).
    using KeptSize = std::function<QSize(const QWidget* window)>;

    // Keeps `window` (a top-level widget) under `key`: its first showing takes the kept place and size, or
    // `first` when none is kept (and then keeps the framed window inside the screen); hiding or closing it
    // keeps where it is. The placement lives as long as the window.
    static WindowPlacement* Keep(QWidget* window, const QString& key, FirstPlacement first = {},
                                 KeptSize kept = {});

    // Writes where the window is now (done on hide and close).
    void save() const;
    // Applies the kept place and size; false when nothing is kept.
    bool restore();

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    WindowPlacement(QWidget* window, QString key, FirstPlacement first, KeptSize kept);

    QWidget* window_;
    QString key_;
    FirstPlacement first_;
    KeptSize kept_;
    bool placed_ = false;
};

}  // namespace velunar::ui
