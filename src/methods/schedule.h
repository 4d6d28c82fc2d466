#pragma once
// The opening schedule (开穴表): every double-hour of a range of dates with what each doctrine opens,
// for printing ahead. Dates follow the reverse lookup's convention: the 子 double-hour of a date D runs
// from 23:00 of D − 1 to 00:59:59 of D, and its hour stem is counted from D's own day stem.
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "calendar/moment.h"
#include "methods/method_tables.h"

namespace velunar {

// The Moment of double-hour `branch` (1..12) of day `day` (whole days since 1899-12-30) under that
// convention; effectiveTime is the start of the double-hour.
Moment DoubleHourMoment(std::int64_t day, int branch);

struct ScheduleRow {
    std::string date;                // YYYY-MM-DD
    std::string hourGanZhi;          // 丙子
    std::string dayGanZhi;           // 甲子
    std::string naGanPoint;          // 穴位 of the Na Gan row, or 闭 in a closed hour
    std::string naGanSource;         // 过原
    std::string naGanExtraSource;    // 兼过原穴
    std::string supplementaryPoint;  // 补穴表 穴位, only in a closed hour
    std::string naZhiOwn;            // 本穴
    std::string naZhiDrain;          // 泻穴
    std::string naZhiTonify;         // 补穴
    std::string lingGuiPoint;
    std::string lingGuiPartner;
    std::string feiTengPoint;
    std::string feiTengPartner;
    std::string shiGanMeridian;  // long form, as 五俞穴 writes it
    std::string riGanMeridian;   // short form, as 经络表 writes it
    std::string naZhi2Meridian;  // short form
};

// Column titles, and a row's fields in the same order.
const std::vector<std::string_view>& ScheduleHeader();
std::vector<std::string> ScheduleFields(const ScheduleRow& r);

// One row; the tables are asked once per doctrine, so pass PreloadedTables for many rows.
ScheduleRow ScheduleRowAt(std::int64_t day, int branch, MethodTables& tables);
// Dates firstDay..lastDay inclusive (none when firstDay > lastDay), 子 to 亥 each. Reads each table once.
std::vector<ScheduleRow> BuildSchedule(std::int64_t firstDay, std::int64_t lastDay, MethodTables& tables);

}  // namespace velunar
