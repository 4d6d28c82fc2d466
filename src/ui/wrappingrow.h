#pragma once
// A row of controls that goes on in a further line when the window is narrower than all of them side by side:
// the window can be made as narrow as its widest control, however long a language makes the captions, and
// where there is room the row reads as one line, each control as wide as it asks.
#include <vector>

#include <QLayout>

namespace velunar::ui {

class WrappingRow : public QLayout {
    Q_OBJECT
  public:
    explicit WrappingRow(QWidget* parent = nullptr);
    ~WrappingRow() override;

    // Room before the next control added, when it does not begin a line.
    void addGap(int width) { pendingGap_ += width; }

    void addItem(QLayoutItem* item) override;
    int count() const override { return static_cast<int>(items_.size()); }
    QLayoutItem* itemAt(int index) const override;
    QLayoutItem* takeAt(int index) override;
    Qt::Orientations expandingDirections() const override { return {}; }
    bool hasHeightForWidth() const override { return true; }
    int heightForWidth(int width) const override;
    QSize minimumSize() const override;
    QSize sizeHint() const override;
    void setGeometry(const QRect& rect) override;

  private:
    struct Entry {
        QLayoutItem* item;
        int gap;
    };
    int gapBetween() const;
    // Lays the controls out in `rect` (moving them only when `apply`); the height the lines take.
    int arrange(const QRect& rect, bool apply) const;

    std::vector<Entry> items_;
    int pendingGap_ = 0;
    int width_ = -1;  // the width last laid out in: the least height is the lines at that width
    int height_ = -1;
};

}  // namespace velunar::ui
