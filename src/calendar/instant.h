#pragma once
// Instants: points of time the same everywhere, in milliseconds since 1970-01-01 00:00 UTC. A clock reading
// (the naive DateTime of datetime.h) names an instant only with the offset of its clock at that instant; the
// program turns a reading into an instant once, where it is read or picked, works in instants and true solar
// time, and turns instants back into a clock's readings only to show them.
#include <compare>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "calendar/datetime.h"

namespace velunar {

struct Instant {
    std::int64_t ms = 0;  // since 1970-01-01 00:00:00 UTC; no leap seconds, as every clock counts

    auto operator<=>(const Instant&) const = default;
    Instant operator+(std::int64_t milliseconds) const { return {ms + milliseconds}; }
    Instant operator-(std::int64_t milliseconds) const { return {ms - milliseconds}; }
    std::int64_t operator-(Instant other) const { return ms - other.ms; }
};

inline constexpr std::int64_t kMsPerSecond = 1000;
// 1970-01-01 in the days of datetime.h (since 1899-12-30).
inline constexpr std::int64_t kUnixEpochDay = 25'569;

// A clock reading as whole milliseconds since 1899-12-30 00:00 of its own clock, and back: the integer form
// of DateTime, in which the time step does its arithmetic so that no second is lost to rounding.
std::int64_t ReadingMs(DateTime reading);
DateTime ReadingOfMs(std::int64_t readingMs);

// What a clock `offsetSeconds` ahead of UTC reads at `i`, and the instant at which it reads `reading`.
inline std::int64_t ReadingMsAt(Instant i, int offsetSeconds) {
    return i.ms + kUnixEpochDay * kMsPerDay + static_cast<std::int64_t>(offsetSeconds) * kMsPerSecond;
}
inline Instant InstantOfReadingMs(std::int64_t readingMs, int offsetSeconds) {
    return {readingMs - kUnixEpochDay * kMsPerDay - static_cast<std::int64_t>(offsetSeconds) * kMsPerSecond};
}
DateTime ReadingAt(Instant i, int offsetSeconds);
Instant InstantAt(DateTime reading, int offsetSeconds);

// The instant as UTC's own reading (for the astronomy, which counts in Universal Time).
inline DateTime UtcReading(Instant i) {
    return ReadingAt(i, 0);
}

// "+08:00", "-03:30", "+00:00"; seconds where the offset has them (local mean time before the zones:
// "-04:42:46").
std::string FormatOffset(int offsetSeconds);
// "2026-10-25T02:34:43+02:00": the reading of the clock `offsetSeconds` ahead of UTC at `i`, with that offset.
std::string FormatIsoInstant(Instant i, int offsetSeconds);
// "20261209T012718Z"
std::string FormatIcsUtc(Instant i);

// A date and time as typed: "YYYY-MM-DD HH:MM:SS" (or with "T"; minutes and seconds may be left off as in
// ParseIso), optionally followed by the offset of the clock it was read on: "Z", "+HH:MM", "-HH:MM",
// "+HHMM", "+HH". With an offset the text names one instant; without, a reading of some clock.
struct TypedReading {
    DateTime reading = 0.0;
    std::optional<int> offsetSeconds;
};
std::optional<TypedReading> ParseTypedReading(std::string_view text);

}  // namespace velunar
