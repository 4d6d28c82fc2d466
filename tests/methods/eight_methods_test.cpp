#include <gtest/gtest.h>

#include "calendar/ganzhi.h"
#include "methods/doctrine.h"
#include "methods/doctrine_tables.h"
#include "test_moment.h"

namespace velunar {
namespace {

using testing::MomentAt;
using testing::WithoutBranch;

struct ConfluentOpening {
    std::string point;
    std::string partner;
};

// What the doctrine opens; none while it can say nothing (no double-hour, no hour stem).
std::optional<ConfluentOpening> Opening(DoctrineId id, const Moment& m) {
    const Finding f = DoctrineOf(id).At(m, ReferenceTables());
    std::optional<std::string> point, partner;
    for (const Cell& c : f.cells) {
        if (c.name == "point") point = c.text;
        if (c.name == "partner") partner = c.text;
    }
    EXPECT_EQ(point.has_value(), partner.has_value());
    if (!point || !partner) return std::nullopt;
    return ConfluentOpening{*point, *partner};
}
std::optional<ConfluentOpening> LingGui(const Moment& m) {
    return Opening(DoctrineId::LingGui, m);
}
std::optional<ConfluentOpening> FeiTeng(const Moment& m) {
    return Opening(DoctrineId::FeiTeng, m);
}

constexpr int kAnyMode = -1;

struct LingGuiCase {
    DateTime time;
    int mode;  // kAnyMode: the same under all three
    const char* day;
    const char* hour;
    int sum;
    int remainder;
    const char* point;
    const char* partner;
};

TEST(LingGui, WorkedValues) {
    const LingGuiCase cases[] = {
        {MakeDateTime(2000, 1, 1, 12), kAnyMode, "戊午", "戊午", 28, 1, "申脉", "后溪"},
        {MakeDateTime(1949, 10, 1, 0, 30), kAnyMode, "甲子", "甲子", 35, 8, "内关", "公孙"},
        {MakeDateTime(1949, 10, 1, 8, 30), kAnyMode, "甲子", "戊辰", 27, 9, "列缺", "照海"},
        {MakeDateTime(1949, 10, 2, 10, 30), kAnyMode, "乙丑", "辛巳", 30, 6, "公孙", "内关"},
        {MakeDateTime(1949, 10, 1, 23, 30), 1, "甲子", "丙子", 33, 6, "公孙", "内关"},
        {MakeDateTime(1949, 10, 1, 23, 30), 0, "乙丑", "丙子", 35, 5, "照海", "列缺"},
        {MakeDateTime(1949, 10, 1, 23, 30), 2, "甲子", "乙亥", 29, 2, "照海", "列缺"},
    };
    for (const LingGuiCase& c : cases) {
        for (int mode = 0; mode < 3; ++mode) {
            if (c.mode != kAnyMode && c.mode != mode) continue;
            SCOPED_TRACE(FormatIso(c.time) + " mode " + std::to_string(mode));
            const Moment m = MomentAt(c.time, mode);
            ASSERT_EQ(DayGanZhi(m), c.day);
            ASSERT_EQ(HourGanZhi(m), c.hour);
            const int branch = Number(m.hourBranch);
            const int dayStem = Number(m.dayStem), dayBranch = Number(m.dayBranch),
                      hourStem = Number(m.hourStem);
            EXPECT_EQ(LingGuiDayStemValue(dayStem) + LingGuiDayBranchValue(dayBranch) +
                          LingGuiHourStemValue(hourStem) + LingGuiHourBranchValue(branch),
                      c.sum);
            EXPECT_EQ(LingGuiRemainder(dayStem, dayBranch, hourStem, branch), c.remainder);
            const auto opening = LingGui(m);
            ASSERT_TRUE(opening.has_value());
            EXPECT_EQ(opening->point, c.point);
            EXPECT_EQ(opening->partner, c.partner);
            // The derivation tells the same arithmetic: the sum, the number the remainder names (a zero
            // remainder said to count as the divisor) and the point.
            bool zero = false;
            for (const Step& step : DoctrineOf(DoctrineId::LingGui).Explain(m, ReferenceTables())) {
                const std::string_view key = step.label->key;
                if (key == "linggui.sum") {
                    EXPECT_EQ(step.args.back(), std::to_string(c.sum));
                }
                if (key == "linggui.zero") zero = true;
                if (key == "linggui.point") {
                    EXPECT_EQ(step.args[0], std::to_string(c.remainder));
                    EXPECT_EQ(step.args[2], c.point);
                }
            }
            EXPECT_EQ(zero, c.sum % (dayStem % 2 == 1 ? 9 : 6) == 0);
        }
    }
}

struct FeiTengCase {
    DateTime time;
    int mode;
    const char* day;
    const char* hour;
    const char* point;
    const char* partner;
};

TEST(FeiTeng, WorkedValues) {
    const FeiTengCase cases[] = {
        {MakeDateTime(2000, 1, 1, 12), kAnyMode, "戊午", "戊午", "临泣", "外关"},
        {MakeDateTime(1949, 10, 1, 0, 30), kAnyMode, "甲子", "甲子", "公孙", "内关"},
        {MakeDateTime(1949, 10, 1, 23, 30), 1, "甲子", "丙子", "内关", "公孙"},
        {MakeDateTime(1949, 10, 1, 23, 30), 0, "乙丑", "丙子", "内关", "公孙"},
        {MakeDateTime(1949, 10, 1, 23, 30), 2, "甲子", "乙亥", "申脉", "后溪"},
    };
    for (const FeiTengCase& c : cases) {
        for (int mode = 0; mode < 3; ++mode) {
            if (c.mode != kAnyMode && c.mode != mode) continue;
            SCOPED_TRACE(FormatIso(c.time) + " mode " + std::to_string(mode));
            const Moment m = MomentAt(c.time, mode);
            ASSERT_EQ(DayGanZhi(m), c.day);
            ASSERT_EQ(HourGanZhi(m), c.hour);
            const auto opening = FeiTeng(m);
            ASSERT_TRUE(opening.has_value());
            EXPECT_EQ(opening->point, c.point);
            EXPECT_EQ(opening->partner, c.partner);
        }
    }
}

TEST(EightMethods, LateZiOnAGuiDayTakesOnlyTheHourStemFromTheNextDay) {
    // 1949-09-30 is a 癸亥 day, yin. At 23:30 under mode 1 the day stays 癸亥 but the hour is 甲子:
    // 7 + 7 + 9 + 9 = 32, divided by 6 (the 癸 day is yin) leaves 2.
    const DateTime t = MakeDateTime(1949, 9, 30, 23, 30);
    const Moment late = MomentAt(t, 1);
    ASSERT_EQ(DayGanZhi(late), "癸亥");
    ASSERT_EQ(HourGanZhi(late), "甲子");
    EXPECT_EQ(LingGui(late)->point, "照海");
    EXPECT_EQ(FeiTeng(late)->point, "公孙");

    // Under mode 0 the same clock time is already the 甲子 day (yang): 10 + 7 + 9 + 9 = 35 → 8.
    const Moment nextDay = MomentAt(t, 0);
    ASSERT_EQ(DayGanZhi(nextDay), "甲子");
    ASSERT_EQ(HourGanZhi(nextDay), "甲子");
    EXPECT_EQ(LingGui(nextDay)->point, "内关");
    EXPECT_EQ(FeiTeng(nextDay)->point, "公孙");

    // Under mode 2 it is still the 亥 hour of the 癸亥 day, counted from 癸: 癸亥.
    const Moment zeroToTwo = MomentAt(t, 2);
    ASSERT_EQ(HourGanZhi(zeroToTwo), "癸亥");
    EXPECT_EQ(LingGui(zeroToTwo)->point, "照海");  // 7 + 7 + 5 + 4 = 23 → 5
    EXPECT_EQ(FeiTeng(zeroToTwo)->point, "申脉");
}

TEST(EightMethods, UndefinedWithoutADoubleHour) {
    const Moment day = MomentAt(MakeDateTime(1949, 10, 1, 12), 0);
    for (const bool longitudeInvalid : {false, true}) {
        SCOPED_TRACE(longitudeInvalid);
        const Moment m = WithoutBranch(day, longitudeInvalid);
        EXPECT_EQ(m.hourStem, Stem::None);
        EXPECT_FALSE(LingGui(m).has_value());
        EXPECT_FALSE(FeiTeng(m).has_value());
    }
    // A Moment that pairs a branch with no hour stem is not trusted either.
    Moment broken = day;
    broken.hourStem = Stem::None;
    EXPECT_FALSE(LingGui(broken).has_value());
    EXPECT_FALSE(FeiTeng(broken).has_value());
}

TEST(EightMethods, EveryMomentOfTheCycleOpensAPointWithItsPartner) {
    // Sixty days times twelve double-hours: never an empty box, and yin days only reach remainders 1..6.
    for (int day = 0; day < 60; ++day) {
        const int stem = day % 10 + 1, branch = day % 12 + 1;
        for (int h = 1; h <= 12; ++h) {
            const int hourStem = HourStemNumber(stem, h);
            const int r = LingGuiRemainder(stem, branch, hourStem, h);
            ASSERT_GE(r, 1);
            ASSERT_LE(r, stem % 2 == 1 ? 9 : 6);
            const std::string_view p = LingGuiPoint(stem, branch, hourStem, h);
            ASSERT_FALSE(Partner(p).empty()) << p;
            ASSERT_EQ(Partner(Partner(p)), p);
            ASSERT_FALSE(Partner(FeiTengPoint(hourStem)).empty());
        }
    }
    EXPECT_EQ(LingGuiPointOfRemainder(2), LingGuiPointOfRemainder(5));
    EXPECT_EQ(Partner("照海"), "列缺");
    EXPECT_EQ(Partner("足临泣"), "");
    EXPECT_EQ(LingGuiPoint(0, 1, 1, 1), "");
    EXPECT_EQ(FeiTengPoint(11), "");
}

}  // namespace
}  // namespace velunar
