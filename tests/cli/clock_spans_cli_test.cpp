// `--clock` of schedule and reverse: each span must be where `now` changes double-hour, to the second, at
// the place the flags name; and the planning outputs stay as they were where --clock is not given.
#include <gtest/gtest.h>

#include <sstream>

#include "calendar/datetime.h"
#include "cli/text_table.h"
#include "doctrine_cli_util.h"
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

std::string BranchAtClock(const std::vector<std::string>& place, const std::string& at) {
    std::vector<std::string> args = {"now", "--json", "--at", at};
    args.insert(args.end(), place.begin(), place.end());
    const auto run = RunCommand(args);
    EXPECT_EQ(run.status, 0) << run.err;
    return Str(ParseJson(run.out), "hourBranch");
}

std::string SecondBefore(const std::string& iso) {
    return FormatIso(AddSeconds(*ParseIso(iso), -1));
}

// "2026-12-09T09:27:18" as --at reads it.
std::string AtForm(std::string iso) {
    iso[10] = ' ';
    return iso;
}

TEST(ClockSpansCli, ScheduleSpansBeginWhereNowChangesDoubleHour) {
    for (const auto& place : kPlaces) {
        std::vector<std::string> args = {"schedule", "2026-03-28", "2026-03-30", "--csv", "--clock"};
        args.insert(args.end(), place.begin(), place.end());
        const auto run = RunCommand(args);
        ASSERT_EQ(run.status, 0) << run.err;
        const auto records = ParseCsv(run.out);
        ASSERT_EQ(records.size(), 37u);
        const std::size_t start = records[0].size() - 2;
        ASSERT_EQ(records[0][start], "start");
        ASSERT_EQ(records[0][start + 1], "end");
        for (std::size_t i = 1; i < records.size(); i += 3) {
            const std::string branch = records[i][1].substr(std::string("甲").size());
            SCOPED_TRACE(place.back() + " " + records[i][0] + " " + records[i][1]);
            ASSERT_FALSE(records[i][start].empty() || records[i][start + 1].empty());
            EXPECT_EQ(BranchAtClock(place, AtForm(records[i][start])), branch);
            EXPECT_NE(BranchAtClock(place, SecondBefore(AtForm(records[i][start]))), branch);
            EXPECT_EQ(BranchAtClock(place, AtForm(records[i][start + 1])), branch);
            // One span ends the second before the next begins.
            if (i + 1 < records.size()) {
                EXPECT_EQ(SecondBefore(AtForm(records[i + 1][start])), AtForm(records[i][start + 1]));
            }
        }
    }
}

// The night the clocks go back, 02:00–03:00 shows twice and the tick takes such a reading in the later
// period: true solar time jumps an hour at 02:00, and the spans must begin where the tick's double-hour
// changes.
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
        EXPECT_EQ(SecondBefore(AtForm(records[i + 1][start])), AtForm(records[i][start + 1]));
    }
    EXPECT_EQ(records[2][start], "2026-10-25T02:00:00");
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
        const std::string start = r[2].substr(0, 10) == r[1].substr(0, 10) ? r[2].substr(11) : AtForm(r[2]);
        EXPECT_NE(lines[i].find("，钟表时间 " + start + "–"), std::string::npos) << lines[i] << " " << r[2];
        EXPECT_EQ(lines[i].substr(lines[i].size() - 8), r[3].substr(11));
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
    const double moved = *ParseIso(AtForm(records[31][start])) - *ParseIso(AtForm(records[7][start])) - 2.0;
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
    ForEachScheduleRow(DaysFromCivil(2026, 1, 5), DaysFromCivil(2026, 6, 30), *tables,
                       [&rows](const std::vector<std::string>& cells) {
                           rows.push_back(cells);
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
            ASSERT_EQ(object.size(), static_cast<qsizetype>(records[0].size())) << line;
            for (std::size_t c = 0; c < records[0].size(); ++c)
                EXPECT_EQ(Str(object, records[0][c].c_str()), records[row][c]) << line;
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
