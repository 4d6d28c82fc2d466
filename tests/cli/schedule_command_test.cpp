// `schedule FROM TO`, run in this process against the built database.
#include <gtest/gtest.h>

#include <set>

#include "cli/text_table.h"
#include "doctrine_cli_util.h"

namespace velunar {
namespace {

using testing::ParseCsv;
using testing::RunCommand;

// How long it takes is the benchmarks' business (README), never a test's: a loaded machine is no fault.
TEST(ScheduleCommand, AMonthAsCsvIsTwelveRowsADate) {
    const auto run = RunCommand({"schedule", "2026-12-01", "2026-12-31", "--csv"});
    ASSERT_EQ(run.status, 0) << run.err;

    const auto records = ParseCsv(run.out);
    ASSERT_EQ(records.size(), 373u);  // the header and 31 × 12 rows
    EXPECT_EQ(records[0][0], "日期");
    std::set<std::string> dates;
    for (std::size_t i = 1; i < records.size(); ++i) {
        ASSERT_EQ(records[i].size(), records[0].size());
        dates.insert(records[i][0]);
    }
    EXPECT_EQ(dates.size(), 31u);
    EXPECT_EQ(records[1][0], "2026-12-01");
    EXPECT_EQ(records[372][0], "2026-12-31");
    // Every line ends in CR LF.
    EXPECT_EQ(std::count(run.out.begin(), run.out.end(), '\n'),
              std::count(run.out.begin(), run.out.end(), '\r'));
}

TEST(ScheduleCommand, ThePlainTableIsAlignedForATerminal) {
    const auto run = RunCommand({"schedule", "2026-12-01", "2026-12-02"});
    ASSERT_EQ(run.status, 0) << run.err;
    std::istringstream lines(run.out);
    std::string line;
    std::set<std::size_t> lastColumn;
    int count = 0;
    while (std::getline(lines, line)) {
        ++count;
        lastColumn.insert(cli::DisplayWidth(line.substr(0, line.rfind("  ") + 2)));
    }
    EXPECT_EQ(count, 25);
    EXPECT_EQ(lastColumn.size(), 1u) << "the last column starts at different display columns";
}

TEST(ScheduleCommand, RefusesWhatIsNotARange) {
    for (const std::vector<std::string>& args :
         std::vector<std::vector<std::string>>{{"schedule"},
                                               {"schedule", "2026-12-01"},
                                               {"schedule", "2026-12-01", "2026-12-31", "2027-01-01"},
                                               {"schedule", "2026-12-1", "2026-12-31"},
                                               {"schedule", "2026-12-01 00:00", "2026-12-31"},
                                               {"schedule", "2026-02-30", "2026-03-01"},
                                               {"schedule", "2026-12-31", "2026-12-01"},
                                               {"schedule", "2026-12-01", "2026-12-31", "--tsv"}}) {
        const auto run = RunCommand(args);
        EXPECT_EQ(run.status, 2) << args.back();
        EXPECT_TRUE(run.out.empty());
        EXPECT_EQ(std::count(run.err.begin(), run.err.end(), '\n'), 1) << run.err;
    }
    const auto missing =
        RunCommand({"schedule", "2026-12-01", "2026-12-01", "--db", "/nonexistent/db1.sqlite"});
    EXPECT_EQ(missing.status, 1);
    EXPECT_NE(missing.err.find("/nonexistent/db1.sqlite"), std::string::npos);
}

}  // namespace
}  // namespace velunar
