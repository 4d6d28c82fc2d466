#pragma once
// Date-times are naive civil time: a count of days since 1899-12-30 00:00, the time of day being the
// fraction. There is no time zone anywhere in the core.
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace velunar {

using DateTime = double;

inline constexpr std::int64_t kMsPerDay = 86'400'000;

struct CivilDate {
    int year = 1899;
    int month = 12;
    int day = 30;
};

struct CivilTime {
    int hour = 0;
    int minute = 0;
    int second = 0;
    int millisecond = 0;
};

struct CivilDateTime {
    CivilDate date;
    CivilTime time;
};

// Whole days since 1899-12-30 of a proleptic Gregorian date, and back.
std::int64_t DaysFromCivil(int year, int month, int day);
CivilDate CivilFromDays(std::int64_t days);

// The one decomposition of the whole program: round to the millisecond, then split into the day
// (floor, so the day never disagrees with the hour) and the millisecond of that day.
struct DaySplit {
    std::int64_t day = 0;
    std::int64_t msOfDay = 0;
};
DaySplit SplitDateTime(DateTime t);
CivilDateTime Decompose(DateTime t);

DateTime Compose(const CivilDateTime& c);
DateTime MakeDateTime(int year, int month, int day, int hour = 0, int minute = 0, int second = 0,
                      int millisecond = 0);

std::int64_t WholeDay(DateTime t);
int HourOf(DateTime t);
int YearOf(DateTime t);
DateTime AddSeconds(DateTime t, double seconds);
DateTime AddMinutes(DateTime t, double minutes);

// "YYYY-MM-DD HH:MM:SS"
std::string FormatIso(DateTime t);
// "YYYY-MM-DD"
std::string FormatIsoDate(DateTime t);
// The display form of the time boxes: "2026年02月10日  12:00:00 " (two blanks, one trailing blank).
std::string FormatDisplay(DateTime t);

// Reads "YYYY-MM-DD", "YYYY-MM-DD HH:MM" or "YYYY-MM-DD HH:MM:SS" (years 1..9999); nothing else.
std::optional<DateTime> ParseIso(std::string_view text);

}  // namespace velunar
