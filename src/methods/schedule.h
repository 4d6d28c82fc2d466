#pragma once
// The opening schedule (开穴表): every double-hour of a range of dates with what each doctrine opens, for
// printing ahead. Dates follow DoubleHourMoment's convention (the reverse lookup's).
#include <cstdint>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "calendar/renshen.h"
#include "methods/doctrine.h"

namespace velunar {

// Column titles: 日期, 时干支, 日干支, then every doctrine's own columns in Doctrines() order, then 人神.
std::vector<std::string_view> ScheduleHeader();

// The cells of one double-hour, in the header's order.
std::vector<std::string> ScheduleRowAt(std::int64_t day, Branch branch, const ReferenceTables& tables);

// One double-hour with what a printed or windowed schedule marks besides its cells.
struct ScheduleRow {
    std::int64_t day = 0;
    Branch branch = Branch::None;
    std::vector<std::string> cells;  // in the header's order
    bool closed = false;             // a doctrine finds the hour closed (闭)
};
ScheduleRow ScheduleRowOf(std::int64_t day, Branch branch, const ReferenceTables& tables,
                          const TabooOptions& taboo = {});

// Dates firstDay..lastDay inclusive (none when firstDay > lastDay), 子 to 亥 each, handed to `row` one at a
// time as they are worked out, so any range takes the memory of one row. `row` returns false to stop.
void ForEachScheduleRow(std::int64_t firstDay, std::int64_t lastDay, const ReferenceTables& tables,
                        const std::function<bool(const std::vector<std::string>& cells)>& row,
                        const TabooOptions& taboo = {});

}  // namespace velunar
