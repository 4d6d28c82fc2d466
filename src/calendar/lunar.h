#pragma once
// The Chinese lunisolar calendar by the rules of GB/T 33661-2017, computed: the 24 solar terms from the
// Sun's apparent longitude (astro_eot.h), the months from the new moons (moon.h), both in China's standard
// time (UTC+8). A month begins on the civil day of its new moon; the month holding 冬至 is 十一月; when
// twelve months do not reach the next 十一月, the first month after 十一月 without a principal term is
// leap and takes the number of the month before it.
//
// Checked against an independent reference on every month, leap month and solar term of 1900-2101; outside
// those years it is computed the same way, but a new moon or a term close to midnight may fall on the other
// day than an almanac of that time printed.
#include <cstdint>
#include <string>
#include <string_view>

#include "calendar/datetime.h"

namespace velunar {

// China's standard time against Universal Time, in days.
inline constexpr double kBeijingOffsetDays = 8.0 / 24.0;

struct LunarDate {
    int year = 0;       // the civil year in which this lunar year's 正月 begins
    int month = 0;      // 1..12
    bool leap = false;  // a leap month, numbered as the month before it
    int day = 0;        // 1..30
    int monthDays = 0;  // 29 or 30
};

// The lunar date of a civil day in Beijing time, as a day number (days since 1899-12-30). Cheap when the
// day is the one of the previous call on the same thread.
LunarDate LunarDateOfDay(std::int64_t beijingDay);

// The 24 terms in the order of a civil year: 0 is 小寒 (285 degrees), 23 is 冬至 (270 degrees). The odd ones
// are the principal terms (中气).
inline constexpr int kSolarTerms = 24;
std::string_view SolarTermName(int term);
// The instant a term begins in the given civil year, as Beijing time.
DateTime SolarTermBeijing(int year, int term);

struct SolarTermAt {
    int year = 0;  // the civil year of the term
    int term = 0;  // 0..23
    DateTime beijingTime = 0;
};
// The latest term begun at or before an instant of Beijing time.
SolarTermAt LatestSolarTerm(DateTime beijingTime);

// "丙午" (written with the program's stems, so 己 is 已 as everywhere else).
std::string LunarYearGanZhi(int lunarYear);
// "正月" .. "十月", "冬月", "腊月", with "闰" before a leap month.
std::string LunarMonthName(int month, bool leap);
// "初一" .. "初十", "十一" .. "二十", "廿一" .. "廿九", "三十".
std::string LunarDayName(int day);
// "丙午年冬月初一".
std::string LunarDateText(const LunarDate& date);

}  // namespace velunar
