#include "ui/schedulemodel.h"

#include <QBrush>
#include <QColor>

namespace velunar::ui {
namespace {

QStringList Texts(const std::vector<std::string>& items) {
    QStringList out;
    out.reserve(static_cast<qsizetype>(items.size()));
    for (const std::string& s : items) out << QString::fromStdString(s);
    return out;
}

}  // namespace

void ScheduleModel::setRows(std::vector<print::SheetRow> rows, bool withClock, SixthStem spelling) {
    beginResetModel();
    rows_ = std::move(rows);
    columns_ = Texts(print::SheetColumns(withClock));
    texts_.clear();
    texts_.reserve(rows_.size());
    for (const print::SheetRow& r : rows_) texts_.push_back(Texts(print::SheetCells(r, withClock, spelling)));
    endResetModel();
}

int ScheduleModel::rowCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : static_cast<int>(rows_.size());
}

int ScheduleModel::columnCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : static_cast<int>(columns_.size());
}

QVariant ScheduleModel::data(const QModelIndex& index, int role) const {
    if (!index.isValid() || index.row() >= rowCount() || index.column() >= columnCount()) return {};
    const auto row = static_cast<std::size_t>(index.row());
    switch (role) {
        case Qt::DisplayRole:
            return texts_[row].value(index.column());
        case Qt::BackgroundRole:
            if (rows_[row].row.closed) return QBrush(QColor(0xE4, 0xE4, 0xE4));
            return {};
        case Qt::ToolTipRole:
            return rows_[row].row.closed ? QStringLiteral("闭穴时") : QVariant();
        case Qt::TextAlignmentRole:
            return QVariant::fromValue(Qt::AlignCenter);
        default:
            return {};
    }
}

QVariant ScheduleModel::headerData(int section, Qt::Orientation orientation, int role) const {
    if (role != Qt::DisplayRole || orientation != Qt::Horizontal)
        return QAbstractTableModel::headerData(section, orientation, role);
    return columns_.value(section);
}

}  // namespace velunar::ui
