#include "reverse/clinic_hours.h"

#include <algorithm>
#include <limits>

namespace velunar {
namespace {

constexpr std::int64_t kMsPerMinute = 60'000;
// No clock is more than a day from UTC: the readings of a date lie within a day either side of its instants.
constexpr std::int64_t kOffsetBound = kMsPerDay + kMsPerDay / 12;

void SetError(std::string* error, std::string text) {
    if (error) *error = std::move(text);
}

std::string_view Trim(std::string_view s) {
    while (!s.empty() && (s.front() == ' ' || s.front() == '\t')) s.remove_prefix(1);
    while (!s.empty() && (s.back() == ' ' || s.back() == '\t')) s.remove_suffix(1);
    return s;
}

// Splits at every one of `separators` (single bytes), keeping empty pieces out.
std::vector<std::string_view> Pieces(std::string_view text, std::string_view separators) {
    std::vector<std::string_view> out;
    std::size_t at = 0;
    while (at <= text.size()) {
        const std::size_t next = text.find_first_of(separators, at);
        const std::string_view piece =
            Trim(text.substr(at, next == std::string_view::npos ? text.npos : next - at));
        if (!piece.empty()) out.push_back(piece);
        if (next == std::string_view::npos) break;
        at = next + 1;
    }
    return out;
}

bool Digits(std::string_view s, int& value) {
    if (s.empty() || s.size() > 4) return false;
    value = 0;
    for (char c : s) {
        if (c < '0' || c > '9') return false;
        value = value * 10 + (c - '0');
    }
    return true;
}

// "HH:MM" as minutes of the day; 24:00 only where `end`.
std::optional<int> ClockMinute(std::string_view s, bool end) {
    const std::size_t colon = s.find(':');
    int h = 0, m = 0;
    if (colon == std::string_view::npos || colon == 0 || colon > 2 || s.size() - colon != 3 ||
        !Digits(s.substr(0, colon), h) || !Digits(s.substr(colon + 1), m) || m > 59)
        return std::nullopt;
    if (h < 24 || (end && h == 24 && m == 0)) return h * 60 + m;
    return std::nullopt;
}

// Ranges in order, those that touch or overlap made one.
template <typename Range>
std::vector<Range> Joined(std::vector<Range> ranges) {
    std::sort(ranges.begin(), ranges.end(), [](const Range& x, const Range& y) { return x.start < y.start; });
    std::vector<Range> joined;
    for (const Range& r : ranges) {
        if (!joined.empty() && r.start <= joined.back().end)
            joined.back().end = std::max(joined.back().end, r.end);
        else
            joined.push_back(r);
    }
    return joined;
}

void Two(std::string& out, int v) {
    out += static_cast<char>('0' + v / 10);
    out += static_cast<char>('0' + v % 10);
}

}  // namespace

ClinicHours ClinicHours::AllDay() {
    ClinicHours h;
    for (auto& day : h.week) day = {{0, kMinutesPerDay}};
    return h;
}

bool ClinicHours::IsEmpty() const {
    return std::all_of(week.begin(), week.end(), [](const auto& d) { return d.empty(); });
}

const std::vector<ClockRange>& ClinicHours::On(std::int64_t day) const {
    static const std::vector<ClockRange> kClosed;
    if (daysOff.count(day)) return kClosed;
    return week[static_cast<std::size_t>(WeekdayOf(day) - 1)];
}

int WeekdayOf(std::int64_t day) {
    // 1899-12-30, day 0, was a Saturday.
    const std::int64_t k = (day - 2) % 7;
    return static_cast<int>(k < 0 ? k + 7 : k) + 1;
}

std::optional<std::vector<ClockRange>> ParseClockRanges(std::string_view text, std::string* error) {
    std::vector<ClockRange> ranges;
    for (std::string_view piece : Pieces(text, ",，;")) {
        std::string_view a, b;
        if (const std::size_t dash = piece.find("–"); dash != std::string_view::npos) {
            a = piece.substr(0, dash);
            b = piece.substr(dash + std::string_view("–").size());
        } else if (const std::size_t hyphen = piece.find('-'); hyphen != std::string_view::npos) {
            a = piece.substr(0, hyphen);
            b = piece.substr(hyphen + 1);
        } else {
            SetError(error, "\"" + std::string(piece) + "\" is not HH:MM-HH:MM");
            return std::nullopt;
        }
        const std::optional<int> start = ClockMinute(Trim(a), false), end = ClockMinute(Trim(b), true);
        if (!start || !end) {
            SetError(error, "\"" + std::string(piece) + "\" is not HH:MM-HH:MM (00:00 to 24:00)");
            return std::nullopt;
        }
        if (*end <= *start) {
            SetError(error, "\"" + std::string(piece) +
                                "\" ends before it starts: hours past midnight are a range of the next day");
            return std::nullopt;
        }
        ranges.push_back({*start, *end});
    }
    return Joined(std::move(ranges));
}

std::string FormatClockRanges(const std::vector<ClockRange>& ranges) {
    std::string out;
    for (const ClockRange& r : ranges) {
        if (!out.empty()) out += ',';
        Two(out, r.start / 60);
        out += ':';
        Two(out, r.start % 60);
        out += '-';
        Two(out, r.end / 60);
        out += ':';
        Two(out, r.end % 60);
    }
    return out;
}

std::optional<std::array<bool, 7>> ParseWeekdays(std::string_view text, std::string* error) {
    std::array<bool, 7> days{};
    bool any = false;
    for (std::string_view piece : Pieces(text, ",，")) {
        const std::size_t dash = piece.find('-');
        int a = 0, b = 0;
        const bool read = dash == std::string_view::npos ? Digits(piece, a) && (b = a, true)
                                                         : Digits(Trim(piece.substr(0, dash)), a) &&
                                                               Digits(Trim(piece.substr(dash + 1)), b);
        if (!read || a < 1 || b > 7 || b < a) {
            SetError(error, "\"" + std::string(piece) +
                                "\" is not a day of the week 1-7 (1 = Monday) or a range of them");
            return std::nullopt;
        }
        for (int d = a; d <= b; ++d) days[static_cast<std::size_t>(d - 1)] = any = true;
    }
    if (!any) {
        SetError(error, "no day of the week given (1-7, 1 = Monday)");
        return std::nullopt;
    }
    return days;
}

std::optional<std::set<std::int64_t>> ParseDates(std::string_view text, std::string* error) {
    std::set<std::int64_t> days;
    for (std::string_view piece : Pieces(text, ",， \t\n")) {
        int y = 0, m = 0, d = 0;
        const bool shape = piece.size() == 10 && piece[4] == '-' && piece[7] == '-' &&
                           Digits(piece.substr(0, 4), y) && Digits(piece.substr(5, 2), m) &&
                           Digits(piece.substr(8, 2), d);
        const std::int64_t day = shape ? DaysFromCivil(y, m, d) : 0;
        const CivilDate back = CivilFromDays(day);
        if (!shape || y < 1 || back.year != y || back.month != m || back.day != d) {
            SetError(error, "\"" + std::string(piece) + "\" is not a date YYYY-MM-DD");
            return std::nullopt;
        }
        days.insert(day);
    }
    return days;
}

std::string FormatDates(const std::set<std::int64_t>& days) {
    std::string out;
    for (std::int64_t day : days) {
        if (!out.empty()) out += ',';
        const CivilDate c = CivilFromDays(day);
        Two(out, c.year / 100);
        Two(out, c.year % 100);
        out += '-';
        Two(out, c.month);
        out += '-';
        Two(out, c.day);
    }
    return out;
}

std::vector<InstantRange> HoursBetween(const ClinicHours& hours, const ZoneTimeline& clock, Instant from,
                                       Instant to) {
    std::vector<InstantRange> out;
    if (to <= from || hours.IsEmpty()) return out;
    const std::vector<ZonePeriod>& periods = clock.Periods();
    auto readingDay = [](std::int64_t readingMs) {
        return readingMs >= 0 ? readingMs / kMsPerDay : -((-readingMs + kMsPerDay - 1) / kMsPerDay);
    };
    const std::int64_t firstDay = readingDay(ReadingMsAt(from, 0) - kOffsetBound);
    const std::int64_t lastDay = readingDay(ReadingMsAt(to, 0) + kOffsetBound);
    constexpr std::int64_t kNever = std::numeric_limits<std::int64_t>::max();
    for (std::int64_t day = firstDay; day <= lastDay; ++day) {
        for (const ClockRange& r : hours.On(day)) {
            const std::int64_t r1 = day * kMsPerDay + r.start * kMsPerMinute;
            const std::int64_t r2 = day * kMsPerDay + r.end * kMsPerMinute;
            // The instants of each period of the clock whose readings fall in [r1, r2).
            const Instant lo = InstantOfReadingMs(r1, 0) - kOffsetBound;
            const Instant hi = InstantOfReadingMs(r2, 0) + kOffsetBound;
            auto k = std::upper_bound(periods.begin(), periods.end(), lo,
                                      [](Instant i, const ZonePeriod& p) { return i < p.start; });
            if (k != periods.begin()) --k;
            for (; k != periods.end() && (k == periods.begin() || k->start < hi); ++k) {
                const std::int64_t begins =
                    k == periods.begin() ? std::numeric_limits<std::int64_t>::min() : k->start.ms;
                const std::int64_t ends = k + 1 == periods.end() ? kNever : (k + 1)->start.ms;
                const int offset = k->offset.Total();
                const std::int64_t a = std::max({begins, InstantOfReadingMs(r1, offset).ms, from.ms});
                const std::int64_t b = std::min({ends, InstantOfReadingMs(r2, offset).ms, to.ms});
                if (a < b) out.push_back({{a}, {b}});
            }
        }
    }
    return Joined(std::move(out));
}

}  // namespace velunar
