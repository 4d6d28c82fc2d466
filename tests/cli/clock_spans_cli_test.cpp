// `--clock` of schedule and reverse: each span must be where `now` changes double-hour, to the second, at
// the place the flags name; and the planning outputs stay as they were where --clock is not given.
#include <gtest/gtest.h>

#include <algorithm>
#include <sstream>

#include "calendar/datetime.h"
#include "calendar/instant.h"
#include "cli/text_table.h"
#include "doctrine_cli_util.h"
#include "methods/point_index.h"
#include "methods/schedule.h"
#include "store/reference_snapshot.h"

namespace velunar {
namespace {

using testing::ParseCsv;
using testing::ParseJson;
using testing::RunCommand;
using testing::Str;

const std::vector<std::vector<std::string>> kPlaces = {
    {"--china", "--no-beijing", "--longitude", "87.6", "--mode", "0"},
    {"--china", "--no-beijing", "--longitude", "134.5", "--mode", "2"},
    {"--abroad", "--zone", "(GMT-05:00) 东部时间(美国和加拿大)", "--ew", "西经", "--lon", "74", "--summer",
     "60", "--mode", "1"},
    // Paris puts its clocks forward on 2026-03-29: each reading takes the summer time in force then.
    {"--tz", "Europe/Paris", "--ew", "东经", "--lon", "2.35", "--mode", "0"},
    // Longitudes and the astronomical equation of time put true solar time at fractions of a second from the
    // clock (113.27° is 1615.2 s from Beijing's meridian).
    {"--china", "--no-beijing", "--longitude", "113.27", "--mode", "1"},
    {"--china", "--no-beijing", "--longitude", "116.28", "--mode", "1", "--eot", "astro"},
};

QJsonObject NowAt(const std::vector<std::string>& place, const std::string& at) {
    std::vector<std::string> args = {"now", "--json", "--at", at};
    args.insert(args.end(), place.begin(), place.end());
    const auto run = RunCommand(args);
    EXPECT_EQ(run.status, 0) << run.err;
    return ParseJson(run.out);
}

std::string BranchAtClock(const std::vector<std::string>& place, const std::string& at) {
    return Str(NowAt(place, at), "hourBranch");
}

// The double-hour as the schedule's rows tell them apart: its stem-branch and its day's.
std::string ShownAt(const std::vector<std::string>& place, const std::string& at) {
    const QJsonObject o = NowAt(place, at);
    return Str(o, "hourGanZhi") + " " + Str(o, "dayGanZhi");
}

Instant InstantOfIso(const std::string& iso) {
    const auto typed = ParseTypedReading(iso);
    EXPECT_TRUE(typed && typed->offsetSeconds) << iso;
    return typed && typed->offsetSeconds ? InstantAt(typed->reading, *typed->offsetSeconds) : Instant{};
}

// The instant a second before, as --at takes it; a reading without its offset, the reading before.
std::string SecondBefore(const std::string& iso) {
    const auto typed = ParseTypedReading(iso);
    if (typed && !typed->offsetSeconds) return FormatIso(AddSeconds(typed->reading, -1));
    return FormatIsoInstant(InstantOfIso(iso) - 1000, 0);
}

// "2026-12-09T09:27:18+08:00" is what --at reads too.
std::string AtForm(const std::string& iso) {
    return iso;
}

// The clock reading of an ISO date-time, without its offset.
DateTime ReadingOfIso(const std::string& iso) {
    return ParseTypedReading(iso)->reading;
}

TEST(ClockSpansCli, ScheduleSpansBeginWhereNowChangesDoubleHour) {
    for (const auto& place : kPlaces) {
        std::vector<std::string> args = {"schedule", "2026-03-28", "2026-03-30", "--csv", "--clock"};
        args.insert(args.end(), place.begin(), place.end());
        const auto run = RunCommand(args);
        ASSERT_EQ(run.status, 0) << run.err;
        const auto records = ParseCsv(run.out);
        // 区分夜子时早子时 gives a date thirteen double-hours: 早子 and 夜子 apart.
        const bool nightRat =
            place.back() == "1" || std::find(place.begin(), place.end(), "astro") != place.end();
        ASSERT_EQ(records.size(), 1u + 3 * (nightRat ? 13 : 12));
        const std::size_t start = records[0].size() - 2;
        ASSERT_EQ(records[0][start], "start");
        ASSERT_EQ(records[0][start + 1], "end");
        for (std::size_t i = 1; i < records.size(); i += 3) {
            const std::string shown = records[i][1] + " " + records[i][2];
            SCOPED_TRACE(place.back() + " " + records[i][0] + " " + records[i][1]);
            ASSERT_FALSE(records[i][start].empty() || records[i][start + 1].empty());
            EXPECT_EQ(ShownAt(place, AtForm(records[i][start])), shown);
            EXPECT_NE(ShownAt(place, SecondBefore(AtForm(records[i][start]))), shown);
            EXPECT_EQ(ShownAt(place, AtForm(records[i][start + 1])), shown);
            // One span ends the second before the next begins.
            if (i + 1 < records.size()) {
                EXPECT_EQ(InstantOfIso(records[i + 1][start]) - 1000, InstantOfIso(records[i][start + 1]));
            }
        }
    }
}

// The night the clocks go back, 02:00–03:00 shows twice: 丑 begins where the sun reaches it, in the first
// pass (summer time), and each span begins where the tick at that instant changes double-hour.
TEST(ClockSpansCli, TheNightTheClocksGoBackTheSpansFollowTheTick) {
    const std::vector<std::string> place = {"--tz",  "Europe/Paris", "--ew",   "东经",
                                            "--lon", "2.35",         "--mode", "0"};
    std::vector<std::string> args = {"schedule", "2026-10-25", "2026-10-25", "--csv", "--clock"};
    args.insert(args.end(), place.begin(), place.end());
    const auto records = ParseCsv(RunCommand(args).out);
    ASSERT_EQ(records.size(), 13u);
    const std::size_t start = records[0].size() - 2;
    for (std::size_t i = 1; i <= 3; ++i) {
        SCOPED_TRACE(records[i][1]);
        const std::string branch = records[i][1].substr(std::string("甲").size());
        ASSERT_FALSE(records[i][start].empty());
        EXPECT_EQ(BranchAtClock(place, AtForm(records[i][start])), branch);
        EXPECT_NE(BranchAtClock(place, SecondBefore(AtForm(records[i][start]))), branch);
        EXPECT_EQ(InstantOfIso(records[i + 1][start]) - 1000, InstantOfIso(records[i][start + 1]));
    }
    // 丑 from true solar 01:00: local mean time 00:43:59 (均时差 +16分1秒), 50 min 36 s behind the zone's
    // meridian, in summer time.
    EXPECT_EQ(records[2][start], "2026-10-25T02:34:35+02:00");
    EXPECT_EQ(records[2][start + 1], "2026-10-25T03:34:34+01:00");
}

TEST(ClockSpansCli, ReverseLinesCarryTheSpanNowAgreesWith) {
    const auto& place = kPlaces[2];
    std::vector<std::string> args = {"reverse", "公孙", "2026-12-09", "2026-12-10", "--clock"};
    args.insert(args.end(), place.begin(), place.end());
    const auto run = RunCommand(args);
    ASSERT_EQ(run.status, 0) << run.err;
    const auto plain = RunCommand({"reverse", "公孙", "2026-12-09", "2026-12-10"});
    std::istringstream clocked(run.out), unclocked(plain.out);
    const std::string mark = "，钟表时间 ";
    int checked = 0;
    for (std::string line, bare; std::getline(clocked, line) && std::getline(unclocked, bare);) {
        const std::size_t at = line.find(mark);
        if (bare.find("时，") == std::string::npos) {
            EXPECT_EQ(line, bare);  // the headings
            continue;
        }
        ASSERT_NE(at, std::string::npos) << line;
        EXPECT_EQ(line.substr(0, at), bare);
        // "HH:MM:SS–…" on the line's date, or "YYYY-MM-DD HH:MM:SS–…" before it.
        std::string start = line.substr(at + mark.size());
        start = start.substr(0, start.find("–"));
        if (start.size() == 8) start = line.substr(0, 10) + " " + start;
        const std::size_t hour = bare.find("时，");
        const std::string branch = bare.substr(hour - std::string("子").size(), std::string("子").size());
        SCOPED_TRACE(line);
        EXPECT_EQ(BranchAtClock(place, start), branch);
        EXPECT_NE(BranchAtClock(place, SecondBefore(start)), branch);
        ++checked;
    }
    EXPECT_GT(checked, 8);
}

TEST(ClockSpansCli, ReverseCsvHoldsTheReportsLinesAndTheirSpans) {
    const auto csv = RunCommand({"reverse", "公孙", "2026-12-01", "2026-12-20", "--csv", "--clock"});
    const auto plain = RunCommand({"reverse", "公孙", "2026-12-01", "2026-12-20", "--clock"});
    ASSERT_EQ(csv.status, 0) << csv.err;
    const auto records = ParseCsv(csv.out);
    ASSERT_EQ(records[0], (std::vector<std::string>{"方法", "记录", "start", "end"}));
    std::vector<std::string> lines;
    std::istringstream in(plain.out);
    for (std::string line; std::getline(in, line);)
        if (line.find("，钟表时间 ") != std::string::npos) lines.push_back(line);
    ASSERT_EQ(records.size(), lines.size() + 1);
    for (std::size_t i = 0; i < lines.size(); ++i) {
        const auto& r = records[i + 1];
        EXPECT_EQ(lines[i].substr(0, lines[i].find("，钟表时间 ")), r[1]);
        const std::string start = r[2].substr(0, 10) == r[1].substr(0, 10)
                                      ? r[2].substr(11, 8)
                                      : r[2].substr(0, 10) + " " + r[2].substr(11, 8);
        EXPECT_NE(lines[i].find("，钟表时间 " + start + "–"), std::string::npos) << lines[i] << " " << r[2];
        EXPECT_EQ(lines[i].substr(lines[i].size() - 8), r[3].substr(11, 8));
    }
}

TEST(ClockSpansCli, ATzZoneMovesTheSpansByItsSummerTimeWithinTheRange) {
    const auto run = RunCommand({"schedule", "2026-03-28", "2026-03-30", "--csv", "--clock", "--tz",
                                 "Europe/Paris", "--ew", "东经", "--lon", "2.35"});
    ASSERT_EQ(run.status, 0) << run.err;
    EXPECT_EQ(run.err, "");
    const auto records = ParseCsv(run.out);
    ASSERT_EQ(records.size(), 37u);
    const std::size_t start = records[0].size() - 2;
    // 午 of the 28th and of the 30th: an hour later on the clock, less the seconds the equation of time
    // moved.
    const double moved = ReadingOfIso(records[31][start]) - ReadingOfIso(records[7][start]) - 2.0;
    EXPECT_NEAR(moved * 24 * 60, 60.0, 1.0);
    for (const char* command : {"schedule", "reverse"}) {
        std::vector<std::string> args = {command};
        if (command == std::string("reverse")) args.push_back("公孙");
        for (const char* a : {"2026-03-28", "2026-03-30", "--clock", "--tz", "Europe/Paris", "--summer", "0"})
            args.push_back(a);
        EXPECT_EQ(RunCommand(args).status, 2) << command;
    }
}

TEST(ClockSpansCli, TheAlignedScheduleStreamsTheTableItWouldHaveBuilt) {
    // Longer than the sixty days its widths are measured on, starting where a wide cell comes late.
    const auto run = RunCommand({"schedule", "2026-01-05", "2026-06-30"});
    ASSERT_EQ(run.status, 0) << run.err;
    store::Database db(QStringLiteral("streamed"));
    db.Open(QString::fromStdString(testing::BuiltDatabase()));
    const auto tables = store::LoadReferenceTables(db);
    std::vector<cli::TextRow> rows;
    ForEachScheduleRow(DaysFromCivil(2026, 1, 5), DaysFromCivil(2026, 6, 30), TimeMode::NoNightRat, *tables,
                       [&rows](const ScheduleRow& row) {
                           rows.push_back(row.cells);
                           return true;
                       });
    const std::vector<std::string_view> titles = ScheduleHeader();
    std::ostringstream whole;
    cli::WriteAlignedTable(whole, cli::TextRow(titles.begin(), titles.end()), rows);
    EXPECT_EQ(run.out, whole.str());
}

// --json gives the records of --csv, one object a line keyed by the CSV header, read by Qt's own parser;
// across a summer-time change, in a zone with a 子 span reaching into the day before.
TEST(ClockSpansCli, JsonLinesAreTheCsvRecords) {
    const std::vector<std::vector<std::string>> commands = {
        {"schedule", "2026-03-28", "2026-03-30", "--clock", "--tz", "Europe/Paris", "--lon", "2.35"},
        {"reverse", "公孙", "2026-03-20", "2026-04-05", "--clock", "--tz", "Europe/Paris", "--lon", "2.35"},
        {"reverse", "公孙", "2026-03-20", "2026-03-25"},
    };
    for (const auto& command : commands) {
        SCOPED_TRACE(command[0] + " " + command[1]);
        std::vector<std::string> csvArgs = command, jsonArgs = command;
        csvArgs.push_back("--csv");
        jsonArgs.push_back("--json");
        const auto csv = RunCommand(csvArgs);
        const auto json = RunCommand(jsonArgs);
        ASSERT_EQ(json.status, 0) << json.err;
        const auto records = ParseCsv(csv.out);
        std::istringstream lines(json.out);
        std::size_t row = 1;
        for (std::string line; std::getline(lines, line); ++row) {
            ASSERT_LT(row, records.size());
            const QJsonObject object = ParseJson(line);
            for (std::size_t c = 0; c < records[0].size(); ++c)
                EXPECT_EQ(Str(object, records[0][c].c_str()), records[row][c]) << line;
            // Beside the CSV's fields, the code of each point a field names.
            std::vector<std::pair<std::string, std::string>> coded;
            if (command[0] == "schedule")
                for (const PointCodeColumn& c : SchedulePointCodeColumns())
                    coded.emplace_back(c.key, records[row][c.column]);
            else
                coded.emplace_back("pointCode", "公孙");
            ASSERT_EQ(object.size(), static_cast<qsizetype>(records[0].size() + coded.size())) << line;
            for (const auto& [key, point] : coded) {
                const std::optional<PointCode> code = CodeOfPoint(point);
                EXPECT_EQ(Str(object, key.c_str()), code ? std::string(code->code) : "")
                    << key << " " << line;
            }
        }
        EXPECT_EQ(row, records.size());
        EXPECT_GT(row, 5u);
    }
    EXPECT_EQ(RunCommand({"schedule", "2026-03-28", "2026-03-28", "--json", "--csv"}).status, 2);
    EXPECT_EQ(RunCommand({"reverse", "公孙", "2026-03-28", "2026-03-28", "--json", "--out", "x.txt"}).status,
              2);
}

TEST(ClockSpansCli, TheByteOrderMarkComesOnlyWithCsv) {
    const auto bom = RunCommand({"schedule", "2026-12-09", "2026-12-09", "--csv", "--bom"});
    ASSERT_EQ(bom.status, 0) << bom.err;
    EXPECT_EQ(bom.out.substr(0, 9), "\xEF\xBB\xBF日期");
    const auto plain = RunCommand({"schedule", "2026-12-09", "2026-12-09", "--csv"});
    EXPECT_EQ(bom.out.substr(3), plain.out);
    EXPECT_EQ(RunCommand({"schedule", "2026-12-09", "2026-12-09", "--bom"}).status, 2);
}

}  // namespace
}  // namespace velunar
