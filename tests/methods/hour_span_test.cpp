#include "methods/hour_span.h"

#include <gtest/gtest.h>

#include "methods/pipeline.h"
#include "table_rows.h"

namespace velunar {
namespace {

TickView ViewAt(const TickInput& in, ClockReference at, TickMemory& memory) {
    static const ReferenceTables tables = testing::TableRows{}.Build();
    return RunPipeline(in, FocusedText::None(), memory, tables, nullptr, [at] { return at; });
}

ClockReference At(Instant i) {
    return ClockReference::At(i);
}

// Across the change from 巳 to 午 on the clock of a place west of Beijing: the last second of 巳 has one
// minute left, the next second is 午 with its own hours, and a memory kept over the change gives what a fresh
// one does.
TEST(HourSpan, TheChangeOnTheClockOfThePageInFront) {
    TickInput china;
    china.longitudeText = "104.06";  // about an hour behind Beijing's meridian
    const std::int64_t day = DaysFromCivil(2026, 12, 9);
    const auto si = ClockSpanOf(china, day, Branch::Si);
    ASSERT_TRUE(si);
    TickMemory memory;
    const TickView last = ViewAt(china, At(si->end), memory);
    EXPECT_EQ(last.hourSpan.hours, "巳时 09:00–10:59 真太阳时");
    EXPECT_EQ(last.hourSpan.clock,
              "北京时间 " + FormatIso(si->Start()).substr(11) + "–" + FormatIso(si->End()).substr(11));
    EXPECT_EQ(last.hourSpan.minutesToNext, 1);
    ASSERT_TRUE(last.hourSpan.span);
    EXPECT_EQ(last.hourSpan.span->start, si->start);
    EXPECT_EQ(last.hourSpan.span->end, si->end);
    EXPECT_EQ(ViewAt(china, At(si->end - 60'000), memory).hourSpan.minutesToNext, 2);
    const TickView next = ViewAt(china, At(si->end + 1000), memory);
    EXPECT_EQ(next.hourSpan.hours, "午时 11:00–12:59 真太阳时");
    TickMemory fresh;
    EXPECT_EQ(next.hourSpan.Line(), ViewAt(china, At(si->end + 1000), fresh).hourSpan.Line());
    EXPECT_GE(*next.hourSpan.minutesToNext, 119);
    EXPECT_LE(*next.hourSpan.minutesToNext, 121);
}

// Beijing time alone: the hours are the clock's own, with no second span; abroad the machine clock is named;
// 子 runs over midnight and under 以0-2时为子时 starts at it.
TEST(HourSpan, OnlyBeijingAbroadAndTheRat) {
    TickInput beijing;
    beijing.onlyBeijing = true;
    TickMemory memory;
    const TickView rat = ViewAt(beijing, MakeDateTime(2026, 12, 9, 23, 59, 30), memory);
    EXPECT_EQ(rat.hourSpan.Line(), "子时 23:00–00:59 北京时间，还有 61 分钟");
    beijing.timeMode = TimeMode::ZeroToTwo;
    EXPECT_EQ(ViewAt(beijing, MakeDateTime(2026, 12, 9, 0, 30), memory).hourSpan.Line(),
              "子时 00:00–01:59 北京时间，还有 90 分钟");
    TickInput paris;
    paris.page = TimePage::Abroad;
    paris.zoneText = "(GMT+01:00) 布鲁塞尔，哥本哈根，马德里，巴黎";
    paris.abroadLongitudeText = "2.35";
    const TickView abroad = ViewAt(paris, MakeDateTime(2026, 12, 9, 12, 0), memory);
    EXPECT_EQ(abroad.hourSpan.hours, "午时 11:00–12:59 真太阳时");
    EXPECT_EQ(abroad.hourSpan.clock.rfind("机器时间 ", 0), 0u) << abroad.hourSpan.clock;
    // An unreadable longitude gives no double-hour and so no span.
    TickInput unreadable;
    unreadable.longitudeText = "abc";
    EXPECT_EQ(ViewAt(unreadable, MakeDateTime(2026, 12, 9, 12, 0), memory).hourSpan.Line(), "");
}

}  // namespace
}  // namespace velunar
