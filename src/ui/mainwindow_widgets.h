#pragma once
// Small controls of the main window that Qt has no exact equivalent for.
#include <QCheckBox>
#include <QWidget>

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

}  // namespace velunar::ui
