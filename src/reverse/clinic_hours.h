#pragma once
// A clinic's hours: the times of day it is open on each day of the week, and the dates it is closed. They are
// hours of the place's clock, so the instants they cover are found day by day from that clock's readings: on
// the night the clocks change, 09:00–12:00 is still what the clock on the wall shows, three hours or not.
#include <array>
#include <cstdint>
#include <optional>
#include <set>
#include <string>
#include <string_view>
#include <vector>

#include "calendar/instant.h"
#include "calendar/zone_timeline.h"

namespace velunar {

// Minutes of a clock's day, [start, end): 09:00–12:00 is {540, 720}; an end of 24:00 is 1440.
struct ClockRange {
    int start = 0;
    int end = 0;
    bool operator==(const ClockRange&) const = default;
};

inline constexpr int kMinutesPerDay = 1440;

struct ClinicHours {
    std::array<std::vector<ClockRange>, 7> week;  // Monday first; ordered, apart, none empty
    std::set<std::int64_t> daysOff;               // dates (days since 1899-12-30) on which it is closed

    // Every hour of every day, no day off: what counts when no hours are set.
    static ClinicHours AllDay();
    // No day of the week has any hour.
    bool IsEmpty() const;
    // The hours of a date of the clock: none on a day off.
    const std::vector<ClockRange>& On(std::int64_t day) const;
    bool operator==(const ClinicHours&) const = default;
};

// 1 (Monday) to 7 (Sunday) of a date.
int WeekdayOf(std::int64_t day);

// "09:00-12:00,14:00-18:00": ranges of HH:MM (an end may be 24:00), each ending after it starts; ranges that
// touch or overlap are joined. Blanks around the pieces are allowed, and "–" for the hyphen; an empty text is
// no range. Nothing, with the reason in *error, for anything else.
std::optional<std::vector<ClockRange>> ParseClockRanges(std::string_view text, std::string* error = nullptr);
// The same text back: "09:00-12:00,14:00-18:00".
std::string FormatClockRanges(const std::vector<ClockRange>& ranges);
// "1-5", "1,3,5-7": days of the week, 1 = Monday; at least one.
std::optional<std::array<bool, 7>> ParseWeekdays(std::string_view text, std::string* error = nullptr);
// "2026-01-01,2026-02-17" (commas or blanks between): dates.
std::optional<std::set<std::int64_t>> ParseDates(std::string_view text, std::string* error = nullptr);
std::string FormatDates(const std::set<std::int64_t>& days);

// Instants [start, end).
struct InstantRange {
    Instant start;
    Instant end;
    bool operator==(const InstantRange&) const = default;
};

// Every instant from `from` to `to` at which the clock reads a time inside the hours, as ordered ranges
// that neither touch nor overlap (cut at from and to).
std::vector<InstantRange> HoursBetween(const ClinicHours& hours, const ZoneTimeline& clock, Instant from,
                                       Instant to);

}  // namespace velunar
