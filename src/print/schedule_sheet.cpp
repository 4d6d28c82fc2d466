#include "print/schedule_sheet.h"

#include "calendar/datetime.h"
#include "methods/lunar_view.h"

namespace velunar::print {

void ForEachSheetRow(std::int64_t firstDay, std::int64_t lastDay, const ReferenceTables& tables,
                     const std::optional<TickInput>& place, const std::function<bool(const SheetRow&)>& take,
                     const SheetTaboo& taboo) {
    std::optional<ClockSpanWalker> spans;
    if (place) spans.emplace(*place);
    for (std::int64_t day = firstDay; day <= lastDay; ++day) {
        for (int h = 1; h <= 12; ++h) {
            SheetRow row{ScheduleRowOf(day, BranchAt(h), tables, taboo.options), std::nullopt};
            // The doctrines' columns only: the date, the stems and branches and the 人神 column name no
            // point.
            if (taboo.avoid)
                row.leftOut = LeaveOutForbidden(day, row.row.branch, row.row.cells, 3,
                                                row.row.cells.size() - 1, taboo.options);
            if (spans) row.span = spans->SpanOf(day, row.row.branch);
            if (!take(row)) return;
        }
    }
}

std::vector<std::string> SheetColumns(bool withClock) {
    std::vector<std::string> columns;
    for (std::string_view title : ScheduleHeader()) columns.emplace_back(title);
    if (withClock) columns.emplace_back("钟表时间");
    return columns;
}

std::vector<std::string> SheetCells(const SheetRow& row, bool withClock) {
    std::vector<std::string> cells = row.row.cells;
    if (withClock) cells.push_back(row.span ? SpanText(row.row.day, *row.span) : std::string());
    return cells;
}

SheetHeading HeadingOf(const TickInput& place, std::int64_t firstDay, std::int64_t lastDay) {
    SheetHeading h;
    if (place.page == TimePage::China) {
        h.place = place.onlyBeijing ? "中国国内，北京时间"
                                    : "中国国内，东经 " + place.longitudeText + "°，钟表时间为北京时间";
    } else {
        const std::string zone = place.ianaZone.empty() ? place.zoneText : place.ianaZone;
        h.place = "国际国外，" + zone + "，减夏令时 " + place.summerText + " 分钟，" + place.eastWestText +
                  " " + place.abroadLongitudeText + "°";
    }
    h.mode = "时辰模式：" + std::string(Label(place.timeMode));
    h.range = FormatIsoDate(static_cast<DateTime>(firstDay));
    if (lastDay != firstDay) h.range += " 至 " + FormatIsoDate(static_cast<DateTime>(lastDay));
    return h;
}

}  // namespace velunar::print
