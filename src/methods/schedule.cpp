#include "methods/schedule.h"

#include "methods/lunar_view.h"

namespace velunar {

std::vector<std::string_view> ScheduleHeader() {
    std::vector<std::string_view> header = {"日期", "时干支", "日干支"};
    for (const Doctrine* d : Doctrines())
        for (std::string_view title : d->ScheduleTitles()) header.push_back(title);
    header.push_back("人神");
    return header;
}

ScheduleRow ScheduleRowOf(std::int64_t day, Branch branch, const ReferenceTables& tables,
                          const TabooOptions& taboo) {
    const Moment m = DoubleHourMoment(day, branch);
    ScheduleRow row{day, branch, {FormatIsoDate(m.dayDate), HourGanZhi(m), DayGanZhi(m)}};
    for (const Doctrine* d : Doctrines()) {
        const Finding f = d->At(m, tables);
        row.closed = row.closed || f.closed.value_or(false);
        d->ScheduleCells(m, f, row.cells);
    }
    row.cells.push_back(RenShenScheduleCell(day, branch, taboo));
    return row;
}

std::vector<std::string> ScheduleRowAt(std::int64_t day, Branch branch, const ReferenceTables& tables) {
    return ScheduleRowOf(day, branch, tables).cells;
}

void ForEachScheduleRow(std::int64_t firstDay, std::int64_t lastDay, const ReferenceTables& tables,
                        const std::function<bool(const std::vector<std::string>& cells)>& row,
                        const TabooOptions& taboo) {
    for (std::int64_t day = firstDay; day <= lastDay; ++day)
        for (int h = 1; h <= 12; ++h)
            if (!row(ScheduleRowOf(day, BranchAt(h), tables, taboo).cells)) return;
}

}  // namespace velunar
