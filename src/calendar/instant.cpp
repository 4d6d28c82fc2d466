#include "calendar/instant.h"

#include <cmath>
#include <cstdio>
#include <cstdlib>

#include "calendar/numparse.h"

namespace velunar {
namespace {

constexpr std::int64_t kEpochReadingMs = kUnixEpochDay * kMsPerDay;

std::optional<int> OffsetOf(std::string_view s) {
    if (s == "Z" || s == "z") return 0;
    if (s.size() < 3 || (s[0] != '+' && s[0] != '-')) return std::nullopt;
    const int sign = s[0] == '-' ? -1 : 1;
    s.remove_prefix(1);
    const auto hours = ReadDigits(s.substr(0, 2));
    s.remove_prefix(2);
    if (!s.empty() && s[0] == ':') s.remove_prefix(1);
    std::optional<int> minutes = 0;
    if (!s.empty()) {
        if (s.size() != 2) return std::nullopt;
        minutes = ReadDigits(s);
    }
    if (!hours || !minutes || *hours > 23 || *minutes > 59) return std::nullopt;
    return sign * (*hours * 3600 + *minutes * 60);
}

}  // namespace

std::int64_t ReadingMs(DateTime reading) {
    return std::llround(reading * static_cast<double>(kMsPerDay));
}

DateTime ReadingOfMs(std::int64_t readingMs) {
    // Whole days and the millisecond of the day apart, so the day is exact whatever the year.
    std::int64_t day = readingMs / kMsPerDay, ms = readingMs % kMsPerDay;
    if (ms < 0) ms += kMsPerDay, --day;
    return static_cast<double>(day) + static_cast<double>(ms) / static_cast<double>(kMsPerDay);
}

DateTime ReadingAt(Instant i, int offsetSeconds) {
    return ReadingOfMs(i.ms + kEpochReadingMs + static_cast<std::int64_t>(offsetSeconds) * kMsPerSecond);
}

Instant InstantAt(DateTime reading, int offsetSeconds) {
    return {ReadingMs(reading) - kEpochReadingMs - static_cast<std::int64_t>(offsetSeconds) * kMsPerSecond};
}

std::string FormatOffset(int offsetSeconds) {
    const char sign = offsetSeconds < 0 ? '-' : '+';
    const int a = std::abs(offsetSeconds);
    char text[16];
    if (a % 60 != 0)
        std::snprintf(text, sizeof text, "%c%02d:%02d:%02d", sign, a / 3600, a / 60 % 60, a % 60);
    else
        std::snprintf(text, sizeof text, "%c%02d:%02d", sign, a / 3600, a / 60 % 60);
    return text;
}

std::string FormatIsoInstant(Instant i, int offsetSeconds) {
    std::string text = FormatIso(ReadingAt(i, offsetSeconds));
    text[10] = 'T';
    return text + FormatOffset(offsetSeconds);
}

std::string FormatIcsUtc(Instant i) {
    std::string out;
    for (char c : FormatIso(UtcReading(i)))
        if (c != '-' && c != ':') out.push_back(c == ' ' ? 'T' : c);
    return out + 'Z';
}

std::optional<TypedReading> ParseTypedReading(std::string_view text) {
    TypedReading r;
    // The offset follows the seconds (or minutes): it begins at the first Z or sign after the time.
    std::string_view civil = text;
    if (text.size() > 11) {
        const std::size_t at = text.find_first_of("Zz+-", 11);
        if (at != std::string_view::npos) {
            r.offsetSeconds = OffsetOf(text.substr(at));
            if (!r.offsetSeconds) return std::nullopt;
            civil = text.substr(0, at);
        }
    }
    std::string plain(civil);
    if (plain.size() > 10 && plain[10] == 'T') plain[10] = ' ';
    const auto reading = ParseIso(plain);
    if (!reading) return std::nullopt;
    // An instant needs its time of day: a date alone with an offset says nothing a clock shows.
    if (r.offsetSeconds && plain.size() == 10) return std::nullopt;
    r.reading = *reading;
    return r;
}

}  // namespace velunar
