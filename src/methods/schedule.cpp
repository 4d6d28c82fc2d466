#include "methods/schedule.h"

namespace velunar {

std::vector<std::string_view> ScheduleHeader() {
    std::vector<std::string_view> header = {"日期", "时干支", "日干支"};
    for (const Doctrine* d : Doctrines())
        for (std::string_view title : d->ScheduleTitles()) header.push_back(title);
    return header;
}

ScheduleRow ScheduleRowOf(std::int64_t day, Branch branch, const ReferenceTables& tables) {
    const Moment m = DoubleHourMoment(day, branch);
    ScheduleRow row{day, branch, {FormatIsoDate(m.dayDate), HourGanZhi(m), DayGanZhi(m)}};
    for (const Doctrine* d : Doctrines()) {
        const Finding f = d->At(m, tables);
        row.closed = row.closed || f.closed.value_or(false);
        d->ScheduleCells(m, f, row.cells);
    }
    return row;
}

std::vector<std::string> ScheduleRowAt(std::int64_t day, Branch branch, const ReferenceTables& tables) {
    return ScheduleRowOf(day, branch, tables).cells;
}

void ForEachScheduleRow(std::int64_t firstDay, std::int64_t lastDay, const ReferenceTables& tables,
                        const std::function<bool(const std::vector<std::string>& cells)>& row) {
    for (std::int64_t day = firstDay; day <= lastDay; ++day)
        for (int h = 1; h <= 12; ++h)
            if (!row(ScheduleRowAt(day, BranchAt(h), tables))) return;
}

}  // namespace velunar
