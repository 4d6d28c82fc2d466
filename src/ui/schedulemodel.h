#pragma once
// The grid of the 开穴表 window: one row a double-hour, the schedule's columns and the clock span, closed
// hours shaded. The rows come whole from print/schedule_sheet.h; nothing here works a doctrine out.
#include <vector>

#include <QAbstractTableModel>
#include <QStringList>

#include "print/schedule_sheet.h"

namespace velunar::ui {

class ScheduleModel : public QAbstractTableModel {
    Q_OBJECT
  public:
    using QAbstractTableModel::QAbstractTableModel;

    // The rows of a range; `withClock` adds the 钟表时间 column.
    void setRows(std::vector<print::SheetRow> rows, bool withClock, SixthStem spelling = SixthStem::AsKeys);
    const print::SheetRow& sheetRow(int row) const { return rows_.at(static_cast<std::size_t>(row)); }

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role = Qt::DisplayRole) const override;

  private:
    std::vector<print::SheetRow> rows_;
    std::vector<QStringList> texts_;
    QStringList columns_;
};

}  // namespace velunar::ui
