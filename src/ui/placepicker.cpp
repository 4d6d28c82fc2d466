#include "ui/placepicker.h"

#include <exception>

#include <QFile>
#include <QKeyEvent>
#include <QLineEdit>
#include <QMetaObject>
#include <QPainter>
#include <QPointer>
#include <QPushButton>
#include <QShowEvent>
#include <QStandardItemModel>
#include <QTreeView>

#include "ui/secondary.h"
#include "ui/windowplacement.h"
#include "ui_placepicker.h"

namespace velunar::ui {
namespace {

constexpr qsizetype kDisplayLimit = 256;  // a runaway line is shown shortened, picked in full

// The tree's two images, drawn here: 0 a closed folder, 1 an open one.
QIcon FolderIcon(bool open) {
    QPixmap pixmap(16, 16);
    pixmap.fill(Qt::transparent);
    QPainter p(&pixmap);
    p.setRenderHint(QPainter::Antialiasing, false);
    p.setPen(QColor(150, 110, 20));
    p.setBrush(QColor(235, 190, 80));
    p.drawRect(1, 3, 6, 2);  // the tab
    if (open) {
        p.drawRect(1, 5, 12, 8);
        p.setBrush(QColor(250, 220, 130));
        p.drawPolygon(QPolygon({QPoint(3, 8), QPoint(15, 8), QPoint(13, 13), QPoint(1, 13)}));
    } else {
        p.drawRect(1, 5, 13, 8);
    }
    return QIcon(pixmap);
}

const QIcon& Image(int index) {
    static const QIcon closed = FolderIcon(false);
    static const QIcon open = FolderIcon(true);
    return index == 1 ? open : closed;
}

QStandardItem* MakeItem(const QString& text) {
    const QString shown = text.size() > kDisplayLimit ? text.left(kDisplayLimit) + QStringLiteral("…") : text;
    auto* item = new QStandardItem(shown);
    item->setData(text, PlacePicker::kTextRole);
    item->setData(0, PlacePicker::kImageRole);
    item->setIcon(Image(0));
    item->setEditable(false);
    return item;
}

void Collect(const QStandardItem* item, int depth, std::vector<PlaceNode>& out) {
    for (int row = 0; row < item->rowCount(); ++row) {
        const QStandardItem* child = item->child(row);
        out.push_back({child->data(PlacePicker::kTextRole).toString(), depth});
        Collect(child, depth + 1, out);
    }
}

}  // namespace

PlacePicker::PlacePicker(store::DataPaths paths, QWidget* parent)
    : QWidget(parent, Qt::Window), paths_(std::move(paths)), ui_(std::make_unique<::Ui::PlacePicker>()) {
    setObjectName(QStringLiteral("placePicker"));
    ui_->setupUi(this);
    model_ = new QStandardItemModel(this);
    ui_->treeView->setModel(model_);
    connect(ui_->treeView, &QTreeView::expanded, this, &PlacePicker::onExpanded);
    connect(ui_->treeView, &QTreeView::collapsed, this, &PlacePicker::onCollapsed);
    connect(ui_->treeView, &QTreeView::doubleClicked, this, [this](const QModelIndex& index) {
        if (!model_->hasChildren(index)) onOkClicked();
    });
    connect(ui_->okButton, &QPushButton::clicked, this, &PlacePicker::onOkClicked);
    connect(ui_->cancelButton, &QPushButton::clicked, this, &PlacePicker::onCancelClicked);
    setNodes(BuiltinPlaces());
    WindowPlacement::Keep(this, objectName());
}

PlacePicker::~PlacePicker() = default;

std::vector<PlaceNode> PlacePicker::nodes() const {
    std::vector<PlaceNode> out;
    Collect(model_->invisibleRootItem(), 0, out);
    return out;
}

void PlacePicker::setNodes(const std::vector<PlaceNode>& nodes) {
    // Built detached and added in one go: one insertion for the view instead of one per line.
    QList<QStandardItem*> top;
    std::vector<QStandardItem*> parents;  // parents[d]: the last node of depth d
    for (const PlaceNode& node : nodes) {
        QStandardItem* item = MakeItem(node.text);
        const auto depth = static_cast<std::size_t>(node.depth);
        if (depth == 0 || depth > parents.size()) {
            top.append(item);  // the loader never yields a gap; a stray one goes to the top
            parents.assign(1, item);
            continue;
        }
        parents.resize(depth);
        parents.back()->appendRow(item);
        parents.push_back(item);
    }
    model_->clear();
    if (!top.isEmpty()) model_->invisibleRootItem()->appendRows(top);
    ui_->treeView->clearSelection();
    ui_->treeView->setCurrentIndex(QModelIndex());
}

bool PlacePicker::loadTreeFile() {
    const QString path = paths_.TreeFile();
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        Warn(this, message_, QStringLiteral("无法读取地点列表 %1：%2").arg(path, file.errorString()));
        return false;
    }
    if (file.size() > kMaxPlaceFileBytes) {
        Warn(this, message_,
             QStringLiteral("地点列表 %1 太大（%2 字节，最多 %3 字节），没有读入")
                 .arg(path)
                 .arg(file.size())
                 .arg(kMaxPlaceFileBytes));
        return false;
    }
    const QByteArray bytes = file.readAll();
    if (file.error() != QFileDevice::NoError) {
        Warn(this, message_, QStringLiteral("无法读取地点列表 %1：%2").arg(path, file.errorString()));
        return false;
    }
    const PlaceTreeLoad load = ParsePlaceTree(bytes);
    setNodes(load.nodes);
    if (!load.ok()) Warn(this, message_, load.error);
    return load.ok();
}

void PlacePicker::showEvent(QShowEvent* event) {
    QWidget::showEvent(event);
    if (event->spontaneous()) return;  // restored from the task bar: not a new show
    loadTreeFile();
    // The arrows move through the places at once.
    ui_->treeView->setFocus(Qt::OtherFocusReason);
}

void PlacePicker::keyPressEvent(QKeyEvent* event) {
    const int key = event->key();
    if (key != Qt::Key_Return && key != Qt::Key_Enter) return QWidget::keyPressEvent(event);
    // Outside a dialog the buttons leave Enter to their window: it comes here from them and from the tree.
    if (ui_->cancelButton->hasFocus()) return onCancelClicked();
    const QModelIndex index = ui_->treeView->currentIndex();
    if (ui_->treeView->hasFocus() && index.isValid() && model_->hasChildren(index)) {
        ui_->treeView->setExpanded(index, !ui_->treeView->isExpanded(index));
        return;
    }
    onOkClicked();
}

void PlacePicker::onOkClicked() {
    const QModelIndex index = ui_->treeView->currentIndex();
    const bool selected = index.isValid() && ui_->treeView->selectionModel()->isSelected(index);
    if (selected) {
        const QString text = index.data(kTextRole).toString();
        const PlacePick pick = PickPlace(text);
        if (pick.kind == PlacePick::Kind::Place && onPick_) {
            try {
                onPick_(pick.xy, pick.where);
            } catch (const std::exception& e) {  // the settings row could not take the place
                Warn(this, message_, QString::fromUtf8(e.what()));
            }
        } else if (pick.kind == PlacePick::Kind::NoLongitude) {
            Warn(this, message_,
                 QStringLiteral("“%1”后面没有东经度数，经度没有改变")
                     .arg(TrimBlanks(text).left(kDisplayLimit)));
        }
    }
    close();
}

void PlacePicker::onCancelClicked() {
    close();
}

void PlacePicker::onExpanded(const QModelIndex& index) {
    setImage(index, 1);
}

void PlacePicker::onCollapsed(const QModelIndex& index) {
    setImage(index, 0);
}

void PlacePicker::setImage(const QModelIndex& index, int image) {
    QStandardItem* item = model_->itemFromIndex(index);
    if (!item) return;
    item->setData(image, kImageRole);
    item->setIcon(Image(image));
}

}  // namespace velunar::ui
