// The clock spans of the double-hours against the tick itself, on every day ten zones changed their clocks
// from 1901 to 2099 and on random days besides, at random longitudes, time modes and equations of time: each
// span begins at an instant where the tick shows its double-hour and one second before which it does not,
// the next begins the second after it ends, every end is a reading the clock shows, and the calendar file
// holds the spans' instants.
#include <gtest/gtest.h>

#include <QFile>
#include <QTemporaryDir>

#include <random>
#include <regex>

#include "methods/clock_span.h"
#include "methods/doctrine.h"
#include "store/calendar_file.h"
#include "store/tzdb.h"

namespace velunar {
namespace {

struct Zone {
    const char* id;
    double longitude;  // near the zone's cities, east positive
};

constexpr Zone kZones[] = {
    {"Europe/Paris", 2.35},         {"Europe/London", -0.13},      {"America/New_York", -74.0},
    {"America/Los_Angeles", -118.2}, {"Australia/Sydney", 151.2},   {"Australia/Lord_Howe", 159.1},
    {"America/Santiago", -70.65},    {"Pacific/Chatham", -176.5},   {"Europe/Moscow", 37.6},
    {"Asia/Tehran", 51.4},
};

Instant InstantOfDay(std::int64_t day) {
    return InstantAt(static_cast<DateTime>(day), 0);
}

// What the tick shows at an instant: the double-hour's stem-branch and the day's.
std::string Shown(const TickInput& place, Instant i) {
    const TickResult r = RunTick(place, Moment{}, [i] { return ClockReference::At(i); });
    return HourGanZhi(r.moment) + DayGanZhi(r.moment);
}

struct Case {
    TickInput place;
    std::int64_t day = 0;
};

std::vector<Case> Cases() {
    std::mt19937 random(20261209);
    std::uniform_real_distribution<double> jitter(-4.0, 4.0);
    std::uniform_int_distribution<int> mode(0, 2), astro(0, 3);
    std::uniform_int_distribution<std::int64_t> anyDay(DaysFromCivil(1901, 1, 1), DaysFromCivil(2099, 12, 31));
    std::vector<Case> cases;
    auto add = [&](const Zone& z, std::int64_t day, const std::optional<ZoneTimeline>& timeline) {
        Case c;
        c.day = day;
        c.place.page = TimePage::Abroad;
        c.place.ianaZone = z.id;
        c.place.zoneTimeline = timeline;
        const double lon = std::clamp(z.longitude + jitter(random), -180.0, 180.0);
        c.place.eastWestText = std::string(lon >= 0 ? kEast : kWest);
        char text[32];
        std::snprintf(text, sizeof text, "%.4f", std::abs(lon));
        c.place.abroadLongitudeText = text;
        c.place.timeMode = TimeModeAt(mode(random));
        c.place.eot = astro(random) == 0 ? EotSource::Astronomical : EotSource::Table;
        cases.push_back(std::move(c));
    };
    for (const Zone& z : kZones) {
        const auto timeline =
            store::ZoneTimelineOf(z.id, InstantOfDay(DaysFromCivil(1900, 12, 1)), InstantOfDay(DaysFromCivil(2100, 2, 1)));
        EXPECT_TRUE(timeline) << z.id;
        if (!timeline) continue;
        // Every day a change falls on, on the zone's clock.
        for (const ZonePeriod& p : timeline->Periods()) {
            const std::int64_t day = WholeDay(ReadingAt(p.start, p.offset.Total()));
            if (day >= DaysFromCivil(1901, 1, 1) && day <= DaysFromCivil(2099, 12, 31)) add(z, day, timeline);
        }
        for (int i = 0; i < 60; ++i) add(z, anyDay(random), timeline);
    }
    // China's summer time, taken on the clocks of then.
    const auto shanghai = store::ZoneTimelineOf(store::kChinaZone, InstantOfDay(DaysFromCivil(1985, 1, 1)),
                                                InstantOfDay(DaysFromCivil(1993, 1, 1)));
    for (const ZonePeriod& p : shanghai->Periods()) {
        Case c;
        c.day = WholeDay(ReadingAt(p.start, p.offset.Total()));
        c.place.longitudeText = "87.6";
        c.place.chinaSummerTime = true;
        c.place.chinaClock = shanghai;
        c.place.timeMode = TimeModeAt(mode(random));
        cases.push_back(std::move(c));
    }
    return cases;
}

TEST(InstantSpans, EverySpanIsWhereTheTickChangesOnEveryChangeDayAndOthers) {
    const std::vector<Case> cases = Cases();
    ASSERT_GE(cases.size(), 2000u);
    QTemporaryDir dir;
    int spans = 0;
    for (const Case& c : cases) {
        const TimeMode mode = *c.place.timeMode;
        const ZoneTimeline clock = *PageClockOf(c.place).clock;
        SCOPED_TRACE(c.place.ianaZone + " " + FormatIsoDate(static_cast<DateTime>(c.day)) + " " +
                     c.place.eastWestText + c.place.abroadLongitudeText + " mode " +
                     std::to_string(static_cast<int>(mode)) + (c.place.eot == EotSource::Table ? "" : " astro"));
        ClockSpanWalker walker(c.place);
        std::vector<ClockSpan> day;
        for (const HourSlot& slot : HourSlotsOf(c.day, mode)) {
            const auto span = walker.SpanOf(slot);
            ASSERT_TRUE(span) << Number(slot.branch);
            // The walker's answer is the span's own, whatever came before.
            ASSERT_EQ(ClockSpanOf(c.place, slot)->start, span->start);
            const std::string shown = Shown(c.place, span->start);
            const Moment expected = SlotMoment(slot, mode);
            ASSERT_EQ(shown, HourGanZhi(expected) + DayGanZhi(expected)) << FormatIsoInstant(span->start, 0);
            ASSERT_NE(Shown(c.place, span->start - 1000), shown) << FormatIsoInstant(span->start, 0);
            ASSERT_EQ(Shown(c.place, span->end), shown) << FormatIsoInstant(span->end, 0);
            for (const Instant end : {span->start, span->end}) {
                const std::vector<Instant> passes = clock.InstantsOf(ReadingAt(end, clock.At(end).Total()));
                ASSERT_NE(std::find(passes.begin(), passes.end(), end), passes.end());
            }
            if (!day.empty()) {
                ASSERT_EQ(day.back().end + 1000, span->start);
            }
            day.push_back(*span);
            ++spans;
        }
        // One calendar file a zone is enough to show the events are the spans' instants.
        if (&c != &cases.front() && c.place.ianaZone == (&c - 1)->place.ianaZone) continue;
        const QString path = dir.filePath(QStringLiteral("spans.ics"));
        {
            store::CalendarFile file(path.toStdString(), MakeDateTime(2026, 12, 9));
            for (const ClockSpan& s : day) file.Opening(DoctrineOf(DoctrineId::LingGui), "公孙", FormatIsoInstant(s.start, 0), s);
            file.Commit();
        }
        QFile read(path);
        ASSERT_TRUE(read.open(QIODevice::ReadOnly));
        const std::string ics = read.readAll().toStdString();
        std::vector<std::string> starts, ends;
        const std::regex line("(DTSTART|DTEND):([0-9TZ]+)");
        for (auto m = std::sregex_iterator(ics.begin(), ics.end(), line); m != std::sregex_iterator(); ++m)
            ((*m)[1] == "DTSTART" ? starts : ends).push_back((*m)[2]);
        ASSERT_EQ(starts.size(), day.size());
        for (std::size_t i = 0; i < day.size(); ++i) {
            EXPECT_EQ(starts[i], FormatIcsUtc(day[i].start));
            EXPECT_EQ(ends[i], FormatIcsUtc(day[i].end + 1000));
        }
    }
    EXPECT_GT(spans, 24000);
}

}  // namespace
}  // namespace velunar
