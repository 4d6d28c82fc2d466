#include "methods/schedule.h"

#include "methods/lunar_view.h"

namespace velunar {
namespace {

ScheduleRow RowOf(const HourSlot& slot, const Moment& m, const ReferenceTables& tables,
                  const TabooOptions& taboo) {
    ScheduleRow row{slot, slot.day, slot.branch, {FormatIsoDate(m.dayDate), HourGanZhi(m), DayGanZhi(m)}};
    for (const Doctrine* d : Doctrines()) {
        const Finding f = d->At(m, tables);
        row.closed = row.closed || f.closed.value_or(false);
        d->ScheduleCells(m, f, row.cells);
    }
    row.cells.push_back(RenShenScheduleCell(slot.day, slot.branch, taboo));
    return row;
}

}  // namespace

std::vector<std::string_view> ScheduleHeader() {
    std::vector<std::string_view> header = {"日期", "时干支", "日干支"};
    for (const Doctrine* d : Doctrines())
        for (std::string_view title : d->ScheduleTitles()) header.push_back(title);
    header.push_back("人神");
    return header;
}

std::vector<PointCodeColumn> SchedulePointCodeColumns() {
    static constexpr std::pair<std::string_view, std::string_view> kKeys[] = {
        {"纳干穴位", "naganPointCode"},
        {"过原", "naganSourcePointCode"},
        {"兼过原穴", "naganExtraSourcePointCode"},
        {"补穴", "buxuePointCode"},
        {"纳支本穴", "nazhiOwnPointCode"},
        {"纳支泻穴", "nazhiDrainPointCode"},
        {"纳支补穴", "nazhiTonifyPointCode"},
        {"灵龟穴位", "lingguiPointCode"},
        {"灵龟配穴", "lingguiPartnerCode"},
        {"飞腾穴位", "feitengPointCode"},
        {"飞腾配穴", "feitengPartnerCode"}};
    const std::vector<std::string_view> header = ScheduleHeader();
    std::vector<PointCodeColumn> out;
    for (std::size_t i = 0; i < header.size(); ++i)
        for (const auto& [title, key] : kKeys)
            if (header[i] == title) out.push_back({i, key});
    return out;
}

ScheduleRow ScheduleRowOf(const HourSlot& slot, TimeMode mode, const ReferenceTables& tables,
                          const TabooOptions& taboo) {
    return RowOf(slot, SlotMoment(slot, mode), tables, taboo);
}

ScheduleRow ScheduleRowOf(std::int64_t day, Branch branch, const ReferenceTables& tables,
                          const TabooOptions& taboo) {
    const std::int64_t start = DoubleHourStartMs(day, branch, TimeMode::NoNightRat);
    const HourSlot slot{day, branch, false, start, start + 2 * 3'600'000};
    return RowOf(slot, DoubleHourMoment(day, branch), tables, taboo);
}

void ForEachScheduleRow(std::int64_t firstDay, std::int64_t lastDay, TimeMode mode,
                        const ReferenceTables& tables, const std::function<bool(const ScheduleRow& row)>& row,
                        const TabooOptions& taboo) {
    for (std::int64_t day = firstDay; day <= lastDay; ++day)
        for (const HourSlot& slot : HourSlotsOf(day, mode))
            if (!row(ScheduleRowOf(slot, mode, tables, taboo))) return;
}

}  // namespace velunar
