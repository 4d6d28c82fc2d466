#pragma once
// The opening schedule (开穴表): every double-hour of a range of dates with what each doctrine opens, for
// printing ahead. Each row is what the tick shows at its double-hour's first second under the time mode:
// 不区分夜子时早子时 and 以0-2时为子时 give a date twelve rows (子 of D from 23:00 of D − 1, or from 00:00),
// 区分夜子时早子时 thirteen (早子 from 00:00, 丑 … 亥, 夜子 from 23:00).
#include <cstdint>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "calendar/renshen.h"
#include "methods/clock_span.h"
#include "methods/doctrine.h"

namespace velunar {

// Column titles: 日期, 时干支, 日干支, then every doctrine's own columns in Doctrines() order, then 人神.
std::vector<std::string_view> ScheduleHeader();

// The columns that name a point, by their place in ScheduleHeader(), each with the key under which records
// give the point's international code ("naganPointCode"): the same in every language, as now's are.
struct PointCodeColumn {
    std::size_t column;
    std::string_view key;
};
std::vector<PointCodeColumn> SchedulePointCodeColumns();

// One double-hour with what a printed or windowed schedule marks besides its cells.
struct ScheduleRow {
    HourSlot slot;
    std::int64_t day = 0;
    Branch branch = Branch::None;
    std::vector<std::string> cells;  // in the header's order
    bool closed = false;             // a doctrine finds the hour closed (闭)
};
ScheduleRow ScheduleRowOf(const HourSlot& slot, TimeMode mode, const ReferenceTables& tables,
                          const TabooOptions& taboo = {});
// The twelve of 不区分夜子时早子时 (the reverse lookup's convention).
ScheduleRow ScheduleRowOf(std::int64_t day, Branch branch, const ReferenceTables& tables,
                          const TabooOptions& taboo = {});

// Dates firstDay..lastDay inclusive (none when firstDay > lastDay), each date's double-hours in order,
// handed to `row` one at a time as they are worked out, so any range takes the memory of one row. `row`
// returns false to stop.
void ForEachScheduleRow(std::int64_t firstDay, std::int64_t lastDay, TimeMode mode,
                        const ReferenceTables& tables, const std::function<bool(const ScheduleRow& row)>& row,
                        const TabooOptions& taboo = {});

}  // namespace velunar
