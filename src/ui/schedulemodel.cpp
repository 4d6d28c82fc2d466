#include "ui/schedulemodel.h"

#include <QBrush>
#include <QColor>
#include <QFont>

#include <algorithm>

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
    markRows();
    endResetModel();
}

void ScheduleModel::setPlanMarks(PlanMarks marks) {
    beginResetModel();
    marks_ = std::move(marks);
    markRows();
    endResetModel();
}

void ScheduleModel::markRows() {
    outside_.clear();
    print::SheetPlan plan;
    plan.hours = marks_.hours;
    for (const print::SheetRow& r : rows_) outside_ << print::OutsideHours(r, plan);
}

bool ScheduleModel::marksPoint(const QModelIndex& index) const {
    return index.isValid() && static_cast<std::size_t>(index.row()) < texts_.size() &&
           marks_.points.contains(texts_[static_cast<std::size_t>(index.row())].value(index.column()));
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
            if (marksPoint(index)) return QBrush(QColor(0xCF, 0xEB, 0xD2));
            if (rows_[row].row.closed) return QBrush(QColor(0xE4, 0xE4, 0xE4));
            return {};
        case Qt::ForegroundRole:
            if (outside_.value(index.row(), false)) return QBrush(QColor(0x9A, 0x9A, 0x9A));
            return {};
        case Qt::FontRole:
            if (marksPoint(index)) {
                QFont bold;
                bold.setBold(true);
                return bold;
            }
            return {};
        case Qt::ToolTipRole:
            if (marksPoint(index)) return tr("治疗方案的穴位");
            if (outside_.value(index.row(), false)) return tr("门诊时间外");
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
