#pragma once
// Small controls of the main window that Qt has no exact equivalent for, and the makers of its boxes.
#include <QCheckBox>
#include <QColor>
#include <QLabel>
#include <QString>
#include <QWidget>

class QDateTimeEdit;
class QLabel;
class QLineEdit;
class QTableWidget;
class QToolButton;

namespace velunar::ui {

// A settings check box: greyed (partially checked) while the stored value is neither true nor false;
// a click always leads to a plain checked or unchecked state, never back to grey.
class SettingsCheckBox : public QCheckBox {
    Q_OBJECT
  public:
    using QCheckBox::QCheckBox;

  protected:
    void nextCheckState() override;
};

// A word-wrapped line that asks, as its least height, for the lines its text takes at the width it has.
// A plain word-wrapped label asks for the lines of a narrow default width: a one-line warning asked for five,
// and on a short screen the page scrolled for them.
class WrappedLine : public QLabel {
    Q_OBJECT
  public:
    explicit WrappedLine(QWidget* parent = nullptr);
    QSize minimumSizeHint() const override;

  protected:
    void resizeEvent(QResizeEvent* event) override;

  private:
    int linesHeight_ = -1;
};

// Two stacked arrow buttons that only report a direction: the longitude is stepped by the window,
// never by a position of the arrows themselves.
class UpDownArrows : public QWidget {
    Q_OBJECT
  public:
    explicit UpDownArrows(QWidget* parent = nullptr);

    QToolButton* upButton() const { return up_; }
    QToolButton* downButton() const { return down_; }

  signals:
    void stepped(bool up);

  protected:
    void resizeEvent(QResizeEvent* event) override;

  private:
    QToolButton* up_;
    QToolButton* down_;
};

// A click into a date or time picker selects the part clicked (the year, the minutes …), so digits typed
// next replace it at once; a digit typed with nothing selected replaces the part the cursor is in.
void SelectSectionOnClick(QDateTimeEdit* picker);

// Sets the Tab order of everything under `root` to follow its layouts: a grid row by row, left to right; a
// box in its order; a tab widget its tabs, then each page. Hidden controls are passed over as Tab goes.
void OrderTabsByLayout(QWidget* root);

// The colours of the point pages.
enum class Colour { Grey, Lime, Red, Yellow, Aqua, Fuchsia };
QColor ColourOf(Colour c);

template <class W>
W* Named(W* w, const QString& name) {
    w->setObjectName(name);
    return w;
}

// A display box: borderless, flat, read-only, but it takes the focus so that clicking into it chooses the
// point to describe. Big: the eight-method pages' larger font.
QLineEdit* Box(const QString& name, const QColor& colour, bool big = false);
// A time box: borderless, the page's own colour.
QLineEdit* TimeBox(const QString& name);
QLabel* RedNote(const QString& name, const QString& text);
// A read-only list of point names, one column, whole rows selected.
QTableWidget* PointList(const QString& name, const QColor& colour);

}  // namespace velunar::ui
