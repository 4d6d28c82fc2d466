#include "calendar/datetime.h"
#include "calendar/instant.h"

#include <gtest/gtest.h>

#include "calendar/ganzhi.h"
#include "calendar/numparse.h"

namespace velunar {
namespace {

TEST(DateTime, CivilRoundTripOverFourCenturies) {
    // An independent day count: walk day by day from 1800-01-01 and compare with the closed form.
    int y = 1800, m = 1, d = 1;
    const std::int64_t start = DaysFromCivil(1800, 1, 1);
    for (std::int64_t n = start; n < DaysFromCivil(2200, 12, 31); ++n) {
        const CivilDate c = CivilFromDays(n);
        ASSERT_EQ(c.year, y);
        ASSERT_EQ(c.month, m);
        ASSERT_EQ(c.day, d);
        const bool leap = (y % 4 == 0 && y % 100 != 0) || y % 400 == 0;
        const int len[] = {31, leap ? 29 : 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
        if (++d > len[m - 1]) {
            d = 1;
            if (++m > 12) m = 1, ++y;
        }
    }
    EXPECT_EQ(DaysFromCivil(1899, 12, 30), 0);
    EXPECT_EQ(DaysFromCivil(2000, 1, 1), 36526);
    EXPECT_EQ(DaysFromCivil(1901, 1, 6), 372);
}

TEST(DateTime, RoundsToTheMillisecondBeforeSplitting) {
    // 23:59:59.9996 belongs to the next day's 00:00:00.000, never to "hour 24" of the same day.
    const DateTime t = MakeDateTime(2026, 12, 31) + (86'399.9996 / 86'400.0);
    EXPECT_EQ(FormatIso(t), "2027-01-01 00:00:00");
    EXPECT_EQ(HourOf(t), 0);
    EXPECT_EQ(WholeDay(t), DaysFromCivil(2027, 1, 1));
    // Before the epoch the day is the floor, and the time of day still counts forward.
    EXPECT_EQ(FormatIso(-0.75), "1899-12-29 06:00:00");
    EXPECT_EQ(FormatIso(MakeDateTime(1850, 3, 1, 13, 5, 7)), "1850-03-01 13:05:07");
}

TEST(DateTime, FormatsAndParses) {
    const DateTime t = MakeDateTime(2026, 2, 10, 9, 5, 3);
    EXPECT_EQ(FormatDisplay(t), "2026年02月10日  09:05:03 ");
    EXPECT_EQ(FormatIsoDate(t), "2026-02-10");
    EXPECT_EQ(ParseIso("2026-02-10 09:05:03"), t);
    EXPECT_EQ(ParseIso("2026-02-10"), MakeDateTime(2026, 2, 10));
    EXPECT_TRUE(ParseIso("2024-02-29 23:30").has_value());
    for (const char* bad : {"", "2026-2-10", "2023-02-29", "2026-02-10 24:00:00", "2026-02-10T09:05:03",
                            "2026-02-10 09:05:03 ", "2026-13-01"})
        EXPECT_FALSE(ParseIso(bad).has_value()) << bad;
}

TEST(TypedReading, AReadingWithOrWithoutTheOffsetOfItsClock) {
    const DateTime t = MakeDateTime(2026, 10, 25, 2, 30);
    struct Case {
        const char* text;
        std::optional<int> offset;
    };
    for (const Case& c : {Case{"2026-10-25 02:30:00", std::nullopt}, Case{"2026-10-25T02:30:00", std::nullopt},
                          Case{"2026-10-25T02:30:00+02:00", 7200}, Case{"2026-10-25 02:30:00+0100", 3600},
                          Case{"2026-10-25T02:30:00Z", 0}, Case{"2026-10-25T02:30-03:30", -12600},
                          Case{"2026-10-25T02:30:00+05", 18000}}) {
        const auto r = ParseTypedReading(c.text);
        ASSERT_TRUE(r) << c.text;
        EXPECT_EQ(r->reading, t) << c.text;
        EXPECT_EQ(r->offsetSeconds, c.offset) << c.text;
    }
    for (const char* bad : {"2026-10-25+02:00", "2026-10-25T02:30:00+2:00", "2026-10-25T02:30:00+24:00",
                            "2026-10-25T02:30:00 +02:00", "2026-10-25T02:30:00+02:00x", "2026-10-25T25:00:00Z"})
        EXPECT_FALSE(ParseTypedReading(bad)) << bad;
    // An instant written back with its clock's offset, seconds where the offset has them.
    const Instant i = InstantAt(t, 7200);
    EXPECT_EQ(FormatIsoInstant(i, 7200), "2026-10-25T02:30:00+02:00");
    EXPECT_EQ(FormatIsoInstant(i, 3600), "2026-10-25T01:30:00+01:00");
    EXPECT_EQ(FormatIsoInstant(i, -16966), "2026-10-24T19:47:14-04:42:46");
    EXPECT_EQ(FormatIcsUtc(i), "20261025T003000Z");
    EXPECT_EQ(ReadingAt(i, 0), MakeDateTime(2026, 10, 25, 0, 30));
    // Far from 1970 either way, to the millisecond.
    for (const DateTime far : {MakeDateTime(1, 1, 1, 0, 0, 0, 1), MakeDateTime(9999, 12, 31, 23, 59, 59, 999)})
        EXPECT_EQ(FormatIso(ReadingAt(InstantAt(far, -3600), -3600)), FormatIso(far));
}

TEST(DecimalParser, AcceptsPlainDecimalsOnly) {
    EXPECT_EQ(ParseDecimal("116.28"), 116.28);
    EXPECT_EQ(ParseDecimal("-60"), -60.0);
    EXPECT_EQ(ParseDecimal("+0.5"), 0.5);
    EXPECT_EQ(ParseDecimal(" 97.46"), 97.46);
    EXPECT_EQ(ParseDecimal(".5"), 0.5);
    for (const char* bad :
         {"", " ", "abc", "1,5", "12abc", "nan", "inf", "-inf", "0x10", "+-1", "1e999", "--1"})
        EXPECT_FALSE(ParseDecimal(bad).has_value()) << bad;
    EXPECT_TRUE(ParseLongitude("0").has_value());
    EXPECT_TRUE(ParseLongitude("180").has_value());
    EXPECT_FALSE(ParseLongitude("180.5").has_value());
    EXPECT_FALSE(ParseLongitude("-1").has_value());
}

}  // namespace
}  // namespace velunar
