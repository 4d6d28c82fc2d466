#include "print/schedule_sheet.h"

#include <algorithm>

#include "calendar/datetime.h"
#include "calendar/tr_mark.h"
#include "methods/english_names.h"
#include "methods/lunar_english.h"
#include "methods/lunar_view.h"
#include "store/translation.h"

namespace velunar::print {
namespace {

bool English() {
    return store::CurrentLanguage() == store::Language::English;
}

// The sheet's own column titles beside the schedule's.
[[maybe_unused]] constexpr const char* kSheetColumns[] = {VELUNAR_TR("column", "人神"),
                                                          VELUNAR_TR("column", "钟表时间")};

}  // namespace

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
    if (English())
        for (std::string& title : columns) title = store::Translated("column", title);
    return columns;
}

std::vector<std::string> SheetCells(const SheetRow& row, bool withClock, SixthStem spelling) {
    std::vector<std::string> cells = row.row.cells;
    for (std::string& cell : cells) Spell(cell, spelling);
    if (withClock) cells.push_back(row.span ? SpanText(row.row.day, *row.span) : std::string());
    return cells;
}

std::vector<std::string> ShownCells(std::vector<std::string> cells) {
    if (!English()) return cells;
    for (std::string& cell : cells) {
        // Points by code and pinyin alone: thirteen columns must fit across the page.
        std::string said = ValueInEnglish(cell, PointStyle::CodePinyin);
        if (said == cell) said = RenShenCellInEnglish(cell);
        if (said == cell) said = TimeTextInEnglish(cell);
        cell = std::move(said);
    }
    return cells;
}

SheetHeading HeadingOf(const TickInput& place, std::int64_t firstDay, std::int64_t lastDay) {
    SheetHeading h;
    const bool english = English();
    if (place.page == TimePage::China) {
        if (english)
            h.place = place.onlyBeijing
                          ? "China, Beijing time"
                          : "China, longitude " + place.longitudeText + "° E, clocks on Beijing time";
        else
            h.place = place.onlyBeijing ? "中国国内，北京时间"
                                        : "中国国内，东经 " + place.longitudeText + "°，钟表时间为北京时间";
        if (place.chinaClock)
            h.place +=
                english ? " (China's summer time where it was kept)" : "（中国实行夏令时期间按夏令时）";
    } else {
        // A tz-database zone's summer time changes within a range: the sheet names the zone, whose offsets
        // each span takes at its own instant.
        const std::string zone = place.ianaZone.empty() ? place.zoneText : place.ianaZone;
        if (english) {
            const std::string summer = place.ianaZone.empty()
                                           ? "summer time " + place.summerText + " minutes"
                                           : std::string("summer time after the tz database");
            const std::string side = place.eastWestText == "西经" ? "W" : "E";
            h.place =
                "abroad, " + zone + ", " + summer + ", longitude " + place.abroadLongitudeText + "° " + side;
        } else {
            const std::string summer = place.ianaZone.empty() ? "减夏令时 " + place.summerText + " 分钟"
                                                              : std::string("夏令时按时区数据库");
            h.place = "国际国外，" + zone + "，" + summer + "，" + place.eastWestText + " " +
                      place.abroadLongitudeText + "°";
        }
    }
    h.mode = english ? "Double-hour mode: " + store::Translated("value", Label(place.timeMode))
                     : "时辰模式：" + std::string(Label(place.timeMode));
    h.range = FormatIsoDate(static_cast<DateTime>(firstDay));
    if (lastDay != firstDay)
        h.range += (english ? " to " : " 至 ") + FormatIsoDate(static_cast<DateTime>(lastDay));
    return h;
}

}  // namespace velunar::print
