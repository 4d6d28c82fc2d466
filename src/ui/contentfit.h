#pragma once
// A main window whose content scrolls inside it when the screen is too small for it, and which grows and
// shrinks with what the content shows (a page that needs more room, the description area opened out) while
// keeping any room the user gave it by hand, always within the available screen.
#include <QObject>
#include <QScrollArea>
#include <QSize>

class QMainWindow;

namespace velunar::ui {

// A frameless scroll area that asks for all the room its content would like.
class ContentScrollArea : public QScrollArea {
    Q_OBJECT
  public:
    explicit ContentScrollArea(QWidget* content, QWidget* parent = nullptr);
    QSize sizeHint() const override;
};

class ContentFit : public QObject {
    Q_OBJECT
  public:
    // `area` is the window's central widget.
    ContentFit(QMainWindow* window, ContentScrollArea* area);

    // The window as large as its content asks, within the screen, its frame moved onto the screen.
    void fitToContent();
    // Starts following the content from the window's size as it is now (after it was placed).
    void begin();
    // The size the window would have on a screen large enough: what it showed when placed or last resized by
    // the user, plus what the content has asked for since.
    QSize desiredSize() const { return desired_; }

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    QSize contentHint() const;
    // The window size that shows a content of `hint` without scroll bars.
    QSize windowSizeFor(QSize hint) const;
    void follow();
    void apply(QSize size);

    QMainWindow* window_;
    ContentScrollArea* area_;
    QObject* content_;
    QSize lastHint_;
    QSize desired_;
    QSize applied_;
    bool following_ = false;
    bool followPending_ = false;
    bool baselinePending_ = false;  // restored: the first change of the content is its settling
};

}  // namespace velunar::ui
