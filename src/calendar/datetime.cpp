#include "calendar/datetime.h"

#include "calendar/numparse.h"

#include <cmath>
#include <cstdio>

namespace velunar {
namespace {

// Days from 0000-03-01 to 1899-12-30 in Hinnant's era arithmetic.
constexpr std::int64_t kEpochShift = 693'899;

std::int64_t FloorDiv(std::int64_t a, std::int64_t b) {
    std::int64_t q = a / b;
    if ((a % b != 0) && ((a < 0) != (b < 0))) --q;
    return q;
}

bool IsLeap(int y) {
    return (y % 4 == 0 && y % 100 != 0) || y % 400 == 0;
}

int DaysInMonth(int y, int m) {
    static constexpr int kDays[] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    return m == 2 && IsLeap(y) ? 29 : kDays[m - 1];
}

bool ReadInt(std::string_view s, std::size_t& pos, std::size_t digits, int& out) {
    if (pos + digits > s.size()) return false;
    const std::optional<int> v = ReadDigits(s.substr(pos, digits));
    if (!v) return false;
    pos += digits;
    out = *v;
    return true;
}

bool Expect(std::string_view s, std::size_t& pos, char c) {
    if (pos >= s.size() || s[pos] != c) return false;
    ++pos;
    return true;
}

}  // namespace

std::int64_t DaysFromCivil(int year, int month, int day) {
    std::int64_t y = year - (month <= 2 ? 1 : 0);
    const std::int64_t era = FloorDiv(y, 400);
    const std::int64_t yoe = y - era * 400;
    const std::int64_t mp = (month + 9) % 12;
    const std::int64_t doy = (153 * mp + 2) / 5 + day - 1;
    const std::int64_t doe = yoe * 365 + yoe / 4 - yoe / 100 + doy;
    return era * 146'097 + doe - kEpochShift;
}

CivilDate CivilFromDays(std::int64_t days) {
    const std::int64_t z = days + kEpochShift;
    const std::int64_t era = FloorDiv(z, 146'097);
    const std::int64_t doe = z - era * 146'097;
    const std::int64_t yoe = (doe - doe / 1460 + doe / 36'524 - doe / 146'096) / 365;
    const std::int64_t doy = doe - (365 * yoe + yoe / 4 - yoe / 100);
    const std::int64_t mp = (5 * doy + 2) / 153;
    const int d = static_cast<int>(doy - (153 * mp + 2) / 5 + 1);
    const int m = static_cast<int>(mp < 10 ? mp + 3 : mp - 9);
    const int y = static_cast<int>(yoe + era * 400 + (m <= 2 ? 1 : 0));
    return {y, m, d};
}

DaySplit SplitDateTime(DateTime t) {
    const auto ms = static_cast<std::int64_t>(std::llround(t * static_cast<double>(kMsPerDay)));
    const std::int64_t day = FloorDiv(ms, kMsPerDay);
    return {day, ms - day * kMsPerDay};
}

CivilDateTime Decompose(DateTime t) {
    const DaySplit s = SplitDateTime(t);
    CivilDateTime c;
    c.date = CivilFromDays(s.day);
    std::int64_t ms = s.msOfDay;
    c.time.hour = static_cast<int>(ms / 3'600'000);
    ms %= 3'600'000;
    c.time.minute = static_cast<int>(ms / 60'000);
    ms %= 60'000;
    c.time.second = static_cast<int>(ms / 1000);
    c.time.millisecond = static_cast<int>(ms % 1000);
    return c;
}

DateTime Compose(const CivilDateTime& c) {
    const std::int64_t ms =
        ((static_cast<std::int64_t>(c.time.hour) * 60 + c.time.minute) * 60 + c.time.second) * 1000 +
        c.time.millisecond;
    return static_cast<double>(DaysFromCivil(c.date.year, c.date.month, c.date.day)) +
           static_cast<double>(ms) / static_cast<double>(kMsPerDay);
}

DateTime MakeDateTime(int year, int month, int day, int hour, int minute, int second, int millisecond) {
    return Compose({{year, month, day}, {hour, minute, second, millisecond}});
}

std::int64_t WholeDay(DateTime t) {
    return SplitDateTime(t).day;
}

int HourOf(DateTime t) {
    return static_cast<int>(SplitDateTime(t).msOfDay / 3'600'000);
}

int YearOf(DateTime t) {
    return Decompose(t).date.year;
}

DateTime AddSeconds(DateTime t, double seconds) {
    return t + seconds / 86'400.0;
}

DateTime AddMinutes(DateTime t, double minutes) {
    return t + minutes / 1'440.0;
}

std::string FormatIso(DateTime t) {
    const CivilDateTime c = Decompose(t);
    char buf[40];
    std::snprintf(buf, sizeof buf, "%04d-%02d-%02d %02d:%02d:%02d", c.date.year, c.date.month, c.date.day,
                  c.time.hour, c.time.minute, c.time.second);
    return buf;
}

std::string FormatIsoDate(DateTime t) {
    const CivilDate d = Decompose(t).date;
    char buf[24];
    std::snprintf(buf, sizeof buf, "%04d-%02d-%02d", d.year, d.month, d.day);
    return buf;
}

std::string FormatDisplay(DateTime t) {
    const CivilDateTime c = Decompose(t);
    char buf[64];
    std::snprintf(buf, sizeof buf, "%04d年%02d月%02d日  %02d:%02d:%02d ", c.date.year, c.date.month,
                  c.date.day, c.time.hour, c.time.minute, c.time.second);
    return buf;
}

std::optional<DateTime> ParseIso(std::string_view s) {
    std::size_t pos = 0;
    CivilDateTime c;
    if (!ReadInt(s, pos, 4, c.date.year) || !Expect(s, pos, '-') || !ReadInt(s, pos, 2, c.date.month) ||
        !Expect(s, pos, '-') || !ReadInt(s, pos, 2, c.date.day))
        return std::nullopt;
    if (pos < s.size()) {
        if (!Expect(s, pos, ' ') || !ReadInt(s, pos, 2, c.time.hour) || !Expect(s, pos, ':') ||
            !ReadInt(s, pos, 2, c.time.minute))
            return std::nullopt;
        if (pos < s.size() && (!Expect(s, pos, ':') || !ReadInt(s, pos, 2, c.time.second)))
            return std::nullopt;
    }
    if (pos != s.size()) return std::nullopt;
    if (c.date.year < 1 || c.date.month < 1 || c.date.month > 12 || c.date.day < 1 ||
        c.date.day > DaysInMonth(c.date.year, c.date.month) || c.time.hour > 23 || c.time.minute > 59 ||
        c.time.second > 59)
        return std::nullopt;
    return Compose(c);
}

}  // namespace velunar
