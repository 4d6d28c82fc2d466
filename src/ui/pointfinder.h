#pragma once
// The point box of the windows that ask for a point: an editable drop-down of point names in meridian order,
// with type-ahead. While the user types, a list under the box shows every point the text matches by name,
// pinyin or code ("公孙  SP4  gōng sūn"); picking one puts its name into the box. A code or whole pinyin left
// in the box becomes the name when the box is left or Enter pressed; any other text stays as typed.
#include <string>
#include <vector>

#include <QComboBox>

#include "methods/point_index.h"

class QCompleter;
class QStandardItemModel;

namespace velunar::ui {

class PointFinder : public QComboBox {
    Q_OBJECT
  public:
    explicit PointFinder(QWidget* parent = nullptr);

    // The names the box offers, shown in meridian order; the text in the box stays as it is.
    void setPoints(const std::vector<std::string>& names);
    const PointIndex& points() const { return index_; }

    // Puts the point's name in place of a code or pinyin typed into the box, and returns the box's text.
    QString settle();

    void showPopup() override;

  signals:
    // The drop-down is about to open: a window that lists what is stored fills it now.
    void aboutToDropDown();

  private:
    void showMatches(const QString& typed);

    PointIndex index_;
    QStandardItemModel* matches_ = nullptr;
    QCompleter* completer_ = nullptr;
};

}  // namespace velunar::ui
