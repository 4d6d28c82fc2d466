#pragma once
// The opening schedule as a sheet for people: the rows of methods/schedule.h with each double-hour's span
// on the clock of the user's place, and the texts that say for which place, time mode and dates it holds.
// The window's grid and the printed pages both read their rows from here.
#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include <set>

#include "methods/clock_span.h"
#include "methods/schedule.h"
#include "reverse/clinic_hours.h"

namespace velunar::print {

struct SheetRow {
    ScheduleRow row;
    std::optional<ClockSpan> span;  // none without a place, or where the place gives none
    int leftOut = 0;                // points left out of its cells for a 人神 taboo
};

// The 人神 column's reading, and whether the points on a taboo are left out (their cells emptied).
struct SheetTaboo {
    TabooOptions options;
    bool avoid = false;
};

// A treatment plan over the sheet: cells naming its points stand out; with clinic hours, the double-hours
// whose clock span has no second inside them are greyed.
struct SheetPlan {
    std::set<std::string> points;
    std::optional<std::vector<InstantRange>> hours;  // none: no hours kept, nothing is greyed
};
bool OutsideHours(const SheetRow& row, const SheetPlan& plan);

// Dates firstDay..lastDay, each date's double-hours under the time mode, one row at a time; with a place,
// each row carries its clock span. `take` returns false to stop.
void ForEachSheetRow(std::int64_t firstDay, std::int64_t lastDay, TimeMode mode,
                     const ReferenceTables& tables, const std::optional<TickInput>& place,
                     const std::function<bool(const SheetRow&)>& take, const SheetTaboo& taboo = {});
// How many rows a date has under the mode: 13 under 区分夜子时早子时, else 12.
int RowsPerDate(TimeMode mode);

// The column titles: the schedule's, then 钟表时间 when the sheet has a place.
std::vector<std::string> SheetColumns(bool withClock);
// A row's texts in the columns' order, the sixth stem written as asked.
std::vector<std::string> SheetCells(const SheetRow& row, bool withClock,
                                    SixthStem spelling = SixthStem::AsKeys);

// What a sheet is for, as its heading says it.
struct SheetHeading {
    std::string place;  // "中国国内，东经 120°，真太阳时"
    std::string mode;   // "时辰模式：不区分夜子时早子时"
    std::string range;  // "2026-12-01 至 2026-12-31"
};
SheetHeading HeadingOf(const TickInput& place, std::int64_t firstDay, std::int64_t lastDay);

}  // namespace velunar::print
