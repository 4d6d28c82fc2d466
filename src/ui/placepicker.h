#pragma once
// The place picker "全国部分城市东经度数一览表(待续)": a tree of Chinese places with their east longitudes,
// read from tree.ini every time the window is shown. "ok" hands the picked place to the main window, which
// puts it into the settings row (xy through its longitude box, so that box's change handler checks and
// posts).
#include <functional>
#include <memory>

#include <QWidget>

#include "files/longitude.h"
#include "files/placetree.h"
#include "store/datapaths.h"
#include "store/settings.h"
#include "ui/secondary.h"

class QStandardItemModel;

namespace Ui {
class PlacePicker;
}

namespace velunar::ui {

class PlacePicker : public QWidget {
    Q_OBJECT
  public:
    // Item data of every node: its full text (the display may be shortened) and its image index.
    static constexpr int kTextRole = Qt::UserRole + 1;
    static constexpr int kImageRole = Qt::UserRole + 2;

    // xy and where of the picked place.
    using PickHandler = std::function<void(const QString& xy, const QString& where)>;

    explicit PlacePicker(store::DataPaths paths, QWidget* parent = nullptr);
    ~PlacePicker() override;

    // Called by "ok" for a place; without a handler a pick changes nothing. An exception it throws is
    // reported through the message hook.
    void setPickHandler(PickHandler handler) { onPick_ = std::move(handler); }
    // Error reports (unreadable tree.ini, an invalid level); a message box when not set.
    void setMessageHook(WarningHook hook) { message_ = std::move(hook); }

    QStandardItemModel* placeModel() const { return model_; }
    // The node texts in tree order with their depths, as the tree holds them now.
    std::vector<PlaceNode> nodes() const;

    // Replaces the list with these nodes (collapsed, nothing selected, every image 0).
    void setNodes(const std::vector<PlaceNode>& nodes);
    // Loads tree.ini; on a file error the list stays as it was, on an invalid level the nodes before the
    // bad line replace it. Errors are reported; returns true when the whole file was read.
    bool loadTreeFile();

  public slots:
    void onOkClicked();
    void onCancelClicked();  // "close/cancle"
    void onExpanded(const QModelIndex& index);
    void onCollapsed(const QModelIndex& index);

  protected:
    void showEvent(QShowEvent* event) override;
    // Enter takes the place the tree stands on (or opens and closes a group), as 确定 does.
    void keyPressEvent(QKeyEvent* event) override;

  private:
    void setImage(const QModelIndex& index, int image);

    store::DataPaths paths_;
    PickHandler onPick_;
    WarningHook message_;
    QStandardItemModel* model_ = nullptr;

    std::unique_ptr<::Ui::PlacePicker> ui_;
};

}  // namespace velunar::ui
