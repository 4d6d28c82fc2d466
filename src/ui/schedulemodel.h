#pragma once
// The grid of the 开穴表 window: one row a double-hour, the schedule's columns and the clock span, closed
// hours shaded. The rows come whole from print/schedule_sheet.h; nothing here works a doctrine out.
#include <vector>

#include <QAbstractTableModel>
#include <QSet>
#include <QStringList>

#include "reverse/clinic_hours.h"

#include "print/schedule_sheet.h"

namespace velunar::ui {

// The chosen treatment plan over the grid: its points' cells stand out, and with clinic hours the
// double-hours whose span has no second inside them are greyed.
struct SchedulePlanMarks {
    QSet<QString> points;
    std::optional<std::vector<InstantRange>> hours;  // none: no hours kept, nothing is greyed
};

class ScheduleModel : public QAbstractTableModel {
    Q_OBJECT
  public:
    using QAbstractTableModel::QAbstractTableModel;

    // The rows of a range; `withClock` adds the 钟表时间 column.
    void setRows(std::vector<print::SheetRow> rows, bool withClock, SixthStem spelling = SixthStem::AsKeys);
    const print::SheetRow& sheetRow(int row) const { return rows_.at(static_cast<std::size_t>(row)); }

    using PlanMarks = SchedulePlanMarks;
    void setPlanMarks(PlanMarks marks);
    bool outsideHours(int row) const { return outside_.value(row, false); }
    bool marksPoint(const QModelIndex& index) const;

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role = Qt::DisplayRole) const override;

  private:
    std::vector<print::SheetRow> rows_;
    std::vector<QStringList> texts_;
    PlanMarks marks_;
    QList<bool> outside_;
    void markRows();
    QStringList columns_;
};

}  // namespace velunar::ui
