// `next` is the reverse lookup with its clock spans, kept where the clinic's hours hold a second of the span:
// for random points, hours, places and dates (many of them nights the clocks change) the search gives exactly
// what the reverse job gives over a wide range, filtered second by second against the clock's readings, in
// the same order; and the command gives what `reverse --clock --json` gives, filtered the same way.
#include <gtest/gtest.h>

#include <algorithm>
#include <random>

#include "cli/cmd_now.h"
#include "cli/database_access.h"
#include "doctrine_cli_util.h"
#include "methods/point_names.h"
#include "reverse/next_openings.h"
#include "reverse/reverse_job.h"
#include "store/reference_snapshot.h"
#include "store/tzdb.h"

namespace velunar {
namespace {

using testing::ParseJson;
using testing::RunCommand;
using testing::Str;

constexpr std::int64_t kMinute = 60'000;

std::int64_t Day(int y, int m, int d) {
    return DaysFromCivil(y, m, d);
}

// Whether the clock's reading at instant `i` lies in the hours: the definition, one instant at a time.
bool InHours(const ClinicHours& hours, const ZoneTimeline& clock, Instant i) {
    const std::int64_t reading = ReadingMsAt(i, clock.At(i).Total());
    const std::int64_t day = reading >= 0 ? reading / kMsPerDay : -((-reading + kMsPerDay - 1) / kMsPerDay);
    const std::int64_t minute = (reading - day * kMsPerDay) / kMinute;
    for (const ClockRange& r : hours.On(day))
        if (minute >= r.start && minute < r.end) return true;
    return false;
}

// The parts of a span inside the hours, found by looking at every instant the answer can change at: the
// span's first second, each whole minute (every offset here is whole minutes) and each change of the clock.
std::vector<std::pair<Instant, Instant>> PartsBySampling(const ClinicHours& hours, const ZoneTimeline& clock,
                                                         const ClockSpan& span) {
    std::vector<Instant> marks = {span.start};
    for (std::int64_t m = (span.start.ms / kMinute + 1) * kMinute; m <= span.end.ms; m += kMinute)
        marks.push_back({m});
    for (const ZonePeriod& p : clock.Periods())
        if (p.start > span.start && p.start <= span.end) marks.push_back(p.start);
    std::sort(marks.begin(), marks.end());
    marks.erase(std::unique(marks.begin(), marks.end()), marks.end());
    std::vector<std::pair<Instant, Instant>> parts;  // first and last second
    for (std::size_t k = 0; k < marks.size(); ++k) {
        if (!InHours(hours, clock, marks[k])) continue;
        const Instant last = k + 1 < marks.size() ? marks[k + 1] - kMsPerSecond : span.end;
        if (!parts.empty() && parts.back().second + kMsPerSecond == marks[k])
            parts.back().second = last;
        else
            parts.push_back({marks[k], last});
    }
    return parts;
}

struct Place {
    const char* name;
    NowFlags flags;
    std::vector<std::int64_t> days;  // dates to start from: nights the clocks change, and ordinary ones
};

std::vector<Place> Places() {
    std::vector<Place> places;
    NowFlags china;
    china.abroad = false;
    china.longitude = "116.4";
    places.push_back({"Beijing time", china, {Day(2026, 12, 9), Day(2027, 2, 6), Day(2026, 6, 21)}});
    NowFlags summer = china;
    summer.chinaSummer = true;
    summer.longitude = "87.6";
    places.push_back({"China's summer time", summer, {Day(1988, 4, 10), Day(1988, 9, 11), Day(1990, 4, 15)}});
    NowFlags paris;
    paris.tz = "Europe/Paris";
    paris.eastWest = std::string(kEast);
    paris.abroadLongitude = "2.35";
    places.push_back({"Paris", paris, {Day(2026, 3, 29), Day(2026, 10, 25), Day(2026, 7, 1)}});
    NowFlags york;
    york.tz = "America/New_York";
    york.eastWest = std::string(kWest);
    york.abroadLongitude = "74.0";
    places.push_back({"New York", york, {Day(2026, 3, 8), Day(2026, 11, 1)}});
    NowFlags howe;
    howe.tz = "Australia/Lord_Howe";  // half an hour of summer time
    howe.eastWest = std::string(kEast);
    howe.abroadLongitude = "159.08";
    places.push_back({"Lord Howe", howe, {Day(2026, 4, 5), Day(2026, 10, 4)}});
    return places;
}

ClinicHours RandomHours(std::mt19937& random, std::int64_t around) {
    ClinicHours hours;
    std::uniform_int_distribution<int> kind(0, 9), quarter(0, 95), pieces(0, 2), offDays(0, 3),
        within(-3, 20);
    for (auto& day : hours.week) {
        const int k = kind(random);
        if (k == 0) continue;  // closed
        if (k == 1) {
            day = {{0, kMinutesPerDay}};
            continue;
        }
        std::vector<int> marks;
        for (int n = 2 * (1 + pieces(random)); n > 0; --n)
            marks.push_back(quarter(random) * 15 + (k == 2 ? 7 : 0));
        std::sort(marks.begin(), marks.end());
        marks.erase(std::unique(marks.begin(), marks.end()), marks.end());
        for (std::size_t i = 0; i + 1 < marks.size(); i += 2)
            day.push_back({marks[i], std::min(marks[i + 1], kMinutesPerDay)});
    }
    for (int n = offDays(random); n > 0; --n) hours.daysOff.insert(around + within(random));
    return hours;
}

struct Expected {
    NextOpening opening;
    std::vector<std::pair<Instant, Instant>> parts;
};

// What the reverse job lists for each point over the dates, with its spans, kept by the sampled parts.
std::vector<Expected> ByTheReverseJob(const std::vector<std::string>& points,
                                      const std::vector<DoctrineId>& doctrines, const TickInput& place,
                                      const ClinicHours& hours,
                                      const std::shared_ptr<const ReferenceTables>& tables,
                                      std::int64_t first, std::int64_t last, Instant from) {
    const auto pageClock = PlaceClock::Of(place);
    const ZoneTimeline& clock = std::get<PlaceClock>(pageClock).Clock();
    std::vector<Expected> kept;
    for (std::size_t p = 0; p < points.size(); ++p) {
        ReverseJob job(points[p], first, last, tables);
        OpeningSpans spans(place);
        ReverseBatch batch;
        for (ReverseJob::Take took;
             (took = job.WaitBatch(batch, std::chrono::milliseconds(200))) != ReverseJob::Take::Ended;) {
            if (took != ReverseJob::Take::Batch) continue;
            for (const Opening& o : batch.openings) {
                if (!doctrines.empty() &&
                    std::find(doctrines.begin(), doctrines.end(), o.Doctrine()) == doctrines.end())
                    continue;
                const std::optional<ClockSpan> span = spans.Of(o);
                if (!span) continue;
                // The hours are read on the clock the spans are written in.
                EXPECT_EQ(span->startOffset, clock.At(span->start));
                auto parts = PartsBySampling(hours, clock, *span);
                if (std::none_of(parts.begin(), parts.end(), [&](const auto& x) { return x.second >= from; }))
                    continue;
                kept.push_back({{o, p, *span, {}}, std::move(parts)});
            }
        }
        EXPECT_EQ(job.State(), JobState::Completed);
    }
    std::sort(kept.begin(), kept.end(),
              [](const Expected& a, const Expected& b) { return ListedBefore(a.opening, b.opening); });
    return kept;
}

void ExpectSame(const std::vector<NextOpening>& got, const std::vector<Expected>& expected,
                std::size_t count) {
    ASSERT_EQ(got.size(), count);
    for (std::size_t i = 0; i < count; ++i) {
        const NextOpening& g = got[i];
        const Expected& e = expected[i];
        SCOPED_TRACE(i);
        EXPECT_EQ(g.point, e.opening.point);
        EXPECT_EQ(g.opening.day, e.opening.opening.day);
        EXPECT_EQ(g.opening.doctrine, e.opening.opening.doctrine);
        EXPECT_EQ(g.opening.tail, e.opening.opening.tail);
        EXPECT_EQ(g.span.start, e.opening.span.start);
        EXPECT_EQ(g.span.end, e.opening.span.end);
        ASSERT_EQ(g.inside.size(), e.parts.size());
        for (std::size_t k = 0; k < e.parts.size(); ++k) {
            EXPECT_EQ(g.inside[k].start, e.parts[k].first);
            EXPECT_EQ(g.inside[k].end, e.parts[k].second);
        }
    }
}

TEST(NextOpenings, AreTheReverseJobsOpeningsFilteredByTheHours) {
    store::Database db(QStringLiteral("next-property"));
    db.Open(QString::fromStdString(testing::BuiltDatabase()));
    const auto tables = store::LoadReferenceTables(db);
    const std::vector<std::string> names = PointNamesOf(*tables);
    ASSERT_GT(names.size(), 100u);
    std::mt19937 random(20261209);
    std::uniform_int_distribution<std::size_t> pick(0, names.size() - 1);
    std::uniform_int_distribution<int> pointCount(1, 3), count(1, 12), mode(0, 2), coin(0, 3), shift(-2, 2);
    std::uniform_int_distribution<std::int64_t> ms(0, kMsPerDay - 1);
    int cases = 0, listed = 0;
    for (const Place& where : Places()) {
        for (std::int64_t around : where.days) {
            for (int n = 0; n < 6; ++n, ++cases) {
                NowFlags flags = where.flags;
                flags.mode = static_cast<TimeMode>(mode(random));
                TickInput place = TickInputFrom(flags, TickInput{});
                const std::int64_t start = around + shift(random);
                const std::int64_t first = start - 2, last = start + 45;
                ASSERT_TRUE(store::CoverDays(place, first - 2, last + 2));
                std::vector<std::string> points;
                for (int k = pointCount(random); k > 0; --k) points.push_back(names[pick(random)]);
                std::vector<DoctrineId> doctrines;
                if (coin(random) == 0)
                    doctrines = {DoctrineId::LingGui, DoctrineId::NaZhi, DoctrineId::Supplementary};
                const ClinicHours hours = RandomHours(random, start);
                const auto pageClock = PlaceClock::Of(place);
                const ZoneTimeline& clock = std::get<PlaceClock>(pageClock).Clock();
                const Instant from =
                    InstantOfReadingMs(start * kMsPerDay + ms(random),
                                       clock.At(Instant{(start - kUnixEpochDay) * kMsPerDay}).Total());
                SCOPED_TRACE(std::string(where.name) + " from " + FormatIsoInstant(from, 0) + " points " +
                             points.front() + " mode " + std::to_string(static_cast<int>(*flags.mode)));

                const std::vector<Expected> expected =
                    ByTheReverseJob(points, doctrines, place, hours, tables, first, last, from);
                // Only what no later date of the reverse range could still come before.
                const Instant sure = InstantOfReadingMs((last - 1) * kMsPerDay, 26 * 3600);
                std::size_t want =
                    std::min<std::size_t>(static_cast<std::size_t>(count(random)), expected.size());
                while (want > 0 && expected[want - 1].opening.span.start >= sure) --want;
                NextOpenings search(points, doctrines, place, hours, *tables);
                ExpectSame(search.Next(from, want), expected, want);
                listed += static_cast<int>(want);

                // A week of them: every opening with a second in the hours of [from, from + 7 days).
                const Instant to = from + 7 * kMsPerDay;
                std::vector<Expected> week;
                for (const Expected& e : expected)
                    if (std::any_of(e.parts.begin(), e.parts.end(),
                                    [&](const auto& x) { return x.second >= from && x.first < to; }))
                        week.push_back(e);
                ExpectSame(search.Between(from, to), week, week.size());
            }
        }
    }
    EXPECT_EQ(cases, 78);
    EXPECT_GT(listed, 300);
}

// The readings a JSON record's ISO time names, as an instant.
Instant InstantOfIso(const std::string& iso) {
    const std::optional<TypedReading> t = ParseTypedReading(iso);
    EXPECT_TRUE(t && t->offsetSeconds) << iso;
    return InstantAt(t->reading, t->offsetSeconds.value_or(0));
}

TEST(NextCommand, IsReverseClockFilteredByTheHours) {
    struct Case {
        std::vector<std::string> points, place;
        std::string from, within, days, zone;
        int count;
    };
    const Case cases[] = {
        {{"公孙", "内关"},
         {"--china", "--longitude", "116.4"},
         "2026-12-09 10:00:00",
         "09:00-12:00,14:00-18:00",
         "1-5",
         "",
         25},
        {{"足三里"},
         {"--tz", "Europe/Paris", "--ew", "东经", "--lon", "2.35"},
         "2026-10-24 20:00:00",
         "01:00-04:00,08:30-12:00",
         "1-7",
         "Europe/Paris",
         20},
        {{"列缺", "照海"},
         {"--tz", "America/New_York", "--ew", "西经", "--lon", "74", "--mode", "1"},
         "2026-03-07 12:00:00",
         "00:00-03:30,19:00-24:00",
         "6,7,1",
         "America/New_York",
         20},
        {{"后溪"},
         {"--china", "--longitude", "87.6", "--dst-china"},
         "1988-04-09 12:00:00",
         "00:30-06:00",
         "7",
         "Asia/Shanghai",
         8},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.points.front() + " " + c.from);
        std::vector<std::string> next = {"next"};
        next.insert(next.end(), c.points.begin(), c.points.end());
        next.insert(next.end(), {"--from", c.from, "--within", c.within, "--days", c.days, "--count",
                                 std::to_string(c.count), "--json"});
        next.insert(next.end(), c.place.begin(), c.place.end());
        const auto run = RunCommand(next);
        ASSERT_EQ(run.status, 0) << run.err;

        ClinicHours hours;
        const auto days = ParseWeekdays(c.days);
        for (int d = 0; d < 7; ++d)
            if ((*days)[static_cast<std::size_t>(d)])
                hours.week[static_cast<std::size_t>(d)] = *ParseClockRanges(c.within);
        const std::int64_t start = WholeDay(*ParseIso(c.from));
        const std::optional<ZoneTimeline> zone =
            c.zone.empty() ? std::nullopt
                           : store::ZoneTimelineOf(c.zone, Instant{(start - kUnixEpochDay - 5) * kMsPerDay},
                                                   Instant{(start - kUnixEpochDay + 60) * kMsPerDay});
        const ZoneTimeline clock = zone ? *zone : ZoneTimeline(ZoneOffset{8 * 3600, 0});
        const Instant from = clock.Resolve(*ParseIso(c.from)).instant;

        struct Record {
            std::size_t point, section, position;
            Instant start;
            std::string doctrine, line, startText, endText;
            std::vector<std::pair<Instant, Instant>> parts;
        };
        std::vector<Record> records;
        for (std::size_t p = 0; p < c.points.size(); ++p) {
            std::vector<std::string> reverse = {"reverse",
                                                c.points[p],
                                                FormatIsoDate(static_cast<DateTime>(start - 2)),
                                                FormatIsoDate(static_cast<DateTime>(start + 40)),
                                                "--clock",
                                                "--json"};
            reverse.insert(reverse.end(), c.place.begin(), c.place.end());
            const auto lines = RunCommand(reverse);
            ASSERT_EQ(lines.status, 0) << lines.err;
            std::istringstream in(lines.out);
            std::string doctrine;
            std::size_t section = 0, position = 0;
            for (std::string text; std::getline(in, text);) {
                const QJsonObject o = ParseJson(text);
                if (Str(o, "方法") != doctrine) {
                    doctrine = Str(o, "方法");
                    ++section;
                }
                ++position;
                if (o.value("start").isNull()) continue;
                ClockSpan span;
                span.start = InstantOfIso(Str(o, "start"));
                span.end = InstantOfIso(Str(o, "end"));
                auto parts = PartsBySampling(hours, clock, span);
                if (std::none_of(parts.begin(), parts.end(), [&](const auto& x) { return x.second >= from; }))
                    continue;
                records.push_back({p, section, position, span.start, doctrine, Str(o, "记录"),
                                   Str(o, "start"), Str(o, "end"), std::move(parts)});
            }
        }
        std::sort(records.begin(), records.end(), [](const Record& a, const Record& b) {
            return std::tie(a.start, a.point, a.section, a.position) <
                   std::tie(b.start, b.point, b.section, b.position);
        });
        ASSERT_GE(records.size(), static_cast<std::size_t>(c.count));
        std::istringstream got(run.out);
        std::size_t i = 0;
        for (std::string text; std::getline(got, text); ++i) {
            ASSERT_LT(i, records.size());
            const Record& e = records[i];
            const QJsonObject o = ParseJson(text);
            EXPECT_EQ(Str(o, "方法"), e.doctrine) << i;
            EXPECT_EQ(Str(o, "穴位"), c.points[e.point]) << i;
            EXPECT_EQ(Str(o, "记录"), e.line) << i;
            EXPECT_EQ(Str(o, "start"), e.startText) << i;
            EXPECT_EQ(Str(o, "end"), e.endText) << i;
            const QJsonArray inside = o.value("inside").toArray();
            ASSERT_EQ(static_cast<std::size_t>(inside.size()), e.parts.size()) << i;
            for (qsizetype k = 0; k < inside.size(); ++k) {
                EXPECT_EQ(InstantOfIso(Str(inside[k].toObject(), "start")),
                          e.parts[static_cast<std::size_t>(k)].first);
                EXPECT_EQ(InstantOfIso(Str(inside[k].toObject(), "end")),
                          e.parts[static_cast<std::size_t>(k)].second);
            }
        }
        EXPECT_EQ(i, static_cast<std::size_t>(c.count));
    }
}

// On the nights the clocks change the hours are the clock's: 01:00-04:00 is two hours of instants when the
// clocks go forward at 02:00 and four when they go back at 03:00.
TEST(ClinicHoursOnTheClock, FollowTheReadingsOnChangeDays) {
    ClinicHours hours;
    hours.week[6] = {{60, 240}};  // Sundays 01:00-04:00
    const auto paris =
        store::ZoneTimelineOf("Europe/Paris", Instant{1'770'000'000'000}, Instant{1'800'000'000'000});
    ASSERT_TRUE(paris);
    auto span = [&](int y, int m, int d) {
        const Instant from = InstantAt(static_cast<DateTime>(Day(y, m, d) - 1), 0);
        return HoursBetween(hours, *paris, from, from + 2 * kMsPerDay);
    };
    EXPECT_EQ(span(2026, 3, 29), (std::vector<InstantRange>{{InstantAt(Day(2026, 3, 29), 0),
                                                             InstantAt(Day(2026, 3, 29) + 2.0 / 24, 0)}}));
    EXPECT_EQ(span(2026, 10, 25), (std::vector<InstantRange>{{InstantAt(Day(2026, 10, 25) - 1.0 / 24, 0),
                                                              InstantAt(Day(2026, 10, 25) + 3.0 / 24, 0)}}));
    EXPECT_EQ(span(2026, 7, 5), (std::vector<InstantRange>{{InstantAt(Day(2026, 7, 5) - 1.0 / 24, 0),
                                                            InstantAt(Day(2026, 7, 5) + 2.0 / 24, 0)}}));
    hours.daysOff = {Day(2026, 7, 5)};
    EXPECT_TRUE(span(2026, 7, 5).empty());
}

TEST(ClinicHoursText, ReadsWhatAPractitionerTypesAndRefusesTheRest) {
    struct Row {
        const char* text;
        std::optional<std::vector<ClockRange>> ranges;
    };
    const Row rows[] = {
        {"09:00-12:00,14:00-18:00", {{{540, 720}, {840, 1080}}}},
        {" 9:00 – 12:00 ， 14:00-18:00 ", {{{540, 720}, {840, 1080}}}},
        {"14:00-18:00,09:00-12:00,11:00-15:00", {{{540, 1080}}}},
        {"00:00-24:00", {{{0, 1440}}}},
        {"", std::vector<ClockRange>{}},
        {"12:00-09:00", std::nullopt},
        {"22:00-02:00", std::nullopt},
        {"09:00", std::nullopt},
        {"24:00-24:30", std::nullopt},
        {"09:60-10:00", std::nullopt},
        {"9-12", std::nullopt},
    };
    for (const Row& r : rows) {
        std::string why;
        EXPECT_EQ(ParseClockRanges(r.text, &why), r.ranges) << r.text;
        if (!r.ranges) {
            EXPECT_FALSE(why.empty()) << r.text;
        }
    }
    EXPECT_EQ(FormatClockRanges(*ParseClockRanges("9:00-12:00,14:00-24:00")), "09:00-12:00,14:00-24:00");
    EXPECT_EQ(ParseWeekdays("1-5"), (std::array<bool, 7>{true, true, true, true, true, false, false}));
    EXPECT_EQ(ParseWeekdays("7,1,3-3"), (std::array<bool, 7>{true, false, true, false, false, false, true}));
    for (const char* bad : {"", "0", "8", "5-1", "1-", "mon"}) EXPECT_FALSE(ParseWeekdays(bad)) << bad;
    EXPECT_EQ(WeekdayOf(Day(2026, 12, 7)), 1);
    EXPECT_EQ(WeekdayOf(Day(2026, 12, 13)), 7);
    EXPECT_EQ(ParseDates("2026-02-17, 2026-01-01"),
              (std::set<std::int64_t>{Day(2026, 1, 1), Day(2026, 2, 17)}));
    EXPECT_EQ(FormatDates({Day(2026, 1, 1), Day(2026, 2, 17)}), "2026-01-01,2026-02-17");
    for (const char* bad : {"2026-02-30", "2026-2-1", "tomorrow"}) EXPECT_FALSE(ParseDates(bad)) << bad;
}

}  // namespace
}  // namespace velunar
