#include "print/schedule_sheet.h"

#include <algorithm>

#include "calendar/datetime.h"
#include "methods/lunar_view.h"

namespace velunar::print {

void ForEachSheetRow(std::int64_t firstDay, std::int64_t lastDay, TimeMode mode,
                     const ReferenceTables& tables, const std::optional<TickInput>& place,
                     const std::function<bool(const SheetRow&)>& take, const SheetTaboo& taboo) {
    std::optional<ClockSpanWalker> spans;
    if (place) spans.emplace(*place);
    ForEachScheduleRow(
        firstDay, lastDay, mode, tables,
        [&](const ScheduleRow& r) {
            SheetRow row{r, std::nullopt};
            // The doctrines' columns only: the date, the stems and branches and the 人神 column name no
            // point.
            if (taboo.avoid)
                row.leftOut = LeaveOutForbidden(r.day, r.branch, row.row.cells, 3, row.row.cells.size() - 1,
                                                taboo.options);
            if (spans) row.span = spans->SpanOf(r.slot);
            return take(row);
        },
        taboo.options);
}

bool OutsideHours(const SheetRow& row, const SheetPlan& plan) {
    if (!plan.hours || !row.span) return false;
    // The span's end is its last second, the hours' end the first instant past them.
    const Instant after = row.span->end + kMsPerSecond;
    return std::none_of(plan.hours->begin(), plan.hours->end(),
                        [&](const InstantRange& h) { return h.start < after && row.span->start < h.end; });
}

int RowsPerDate(TimeMode mode) {
    return mode == TimeMode::NightRat ? 13 : 12;
}

std::vector<std::string> SheetColumns(bool withClock) {
    std::vector<std::string> columns;
    for (std::string_view title : ScheduleHeader()) columns.emplace_back(title);
    if (withClock) columns.emplace_back("钟表时间");
    return columns;
}

std::vector<std::string> SheetCells(const SheetRow& row, bool withClock, SixthStem spelling) {
    std::vector<std::string> cells = row.row.cells;
    for (std::string& cell : cells) Spell(cell, spelling);
    if (withClock) cells.push_back(row.span ? SpanText(row.row.day, *row.span) : std::string());
    return cells;
}

SheetHeading HeadingOf(const TickInput& place, std::int64_t firstDay, std::int64_t lastDay) {
    SheetHeading h;
    if (place.page == TimePage::China) {
        h.place = place.onlyBeijing ? "中国国内，北京时间"
                                    : "中国国内，东经 " + place.longitudeText + "°，钟表时间为北京时间";
        if (place.chinaClock) h.place += "（中国实行夏令时期间按夏令时）";
    } else {
        // A tz-database zone's summer time changes within a range: the sheet names the zone, whose offsets
        // each span takes at its own instant.
        const std::string summer = place.ianaZone.empty() ? "减夏令时 " + place.summerText + " 分钟"
                                                          : std::string("夏令时按时区数据库");
        const std::string zone = place.ianaZone.empty() ? place.zoneText : place.ianaZone;
        h.place = "国际国外，" + zone + "，" + summer + "，" + place.eastWestText + " " +
                  place.abroadLongitudeText + "°";
    }
    h.mode = "时辰模式：" + std::string(Label(place.timeMode));
    h.range = FormatIsoDate(static_cast<DateTime>(firstDay));
    if (lastDay != firstDay) h.range += " 至 " + FormatIsoDate(static_cast<DateTime>(lastDay));
    return h;
}

}  // namespace velunar::print
