// The schedule and `now` are two routes to the same doctrines: for every double-hour of a year, a
// moment inside it under mode 0 with only Beijing time must give what the schedule lists.
#include <gtest/gtest.h>

#include <random>

#include "calendar/tick.h"
#include "cli/cmd_now.h"
#include "cli/database_access.h"
#include "doctrine_cli_util.h"
#include "methods/pipeline.h"
#include "methods/schedule.h"
#include "store/reference_snapshot.h"

namespace velunar {
namespace {

using testing::ParseCsv;
using testing::ParseJson;
using testing::RunCommand;
using testing::Str;

// The schedule's fields as `now` shows the same doctrines: read from the pages' cells, not from the
// doctrines' own schedule columns.
std::vector<std::string> AsScheduleFields(const std::string& date, const TickView& v) {
    const auto text = [&](DoctrineId id, std::string_view cell) { return v.Of(id).Text(cell); };
    const Finding& naGan = v.Of(DoctrineId::NaGan);
    const Finding& supplementary = v.Of(DoctrineId::Supplementary);
    return {date,
            v.hourGanZhi,
            v.dayGanZhi,
            naGan.closed.value_or(false) ? naGan.Text("meridian") : naGan.Text("point"),
            naGan.Text("sourcePoint"),
            naGan.Text("extraSourcePoint"),
            supplementary.applies ? supplementary.Text("point") : std::string(),
            text(DoctrineId::NaZhi, "ownPoint"),
            text(DoctrineId::NaZhi, "drainPoint"),
            text(DoctrineId::NaZhi, "tonifyPoint"),
            text(DoctrineId::LingGui, "point"),
            text(DoctrineId::LingGui, "partner"),
            text(DoctrineId::FeiTeng, "point"),
            text(DoctrineId::FeiTeng, "partner"),
            text(DoctrineId::ShiGan, "meridian"),
            text(DoctrineId::RiGan, "meridian"),
            text(DoctrineId::NaZhi2, "meridian")};
}

TEST(NowAndSchedule, AgreeOnEveryDoubleHourOfAYear) {
    store::Database db(QStringLiteral("property"));
    db.Open(QString::fromStdString(testing::BuiltDatabase()));
    const auto tables = store::LoadReferenceTables(db);
    const std::int64_t first = DaysFromCivil(2026, 1, 1);
    const std::int64_t last = DaysFromCivil(2026, 12, 31);
    std::vector<std::vector<std::string>> rows;
    ForEachScheduleRow(first, last, *tables, [&](const std::vector<std::string>& cells) {
        rows.push_back(cells);
        return true;
    });
    ASSERT_EQ(rows.size(), 365u * 12);

    cli::NowFlags flags;
    flags.mode = TimeMode::NoNightRat;
    flags.onlyBeijing = true;
    flags.abroad = false;
    const TickInput input = cli::TickInputFrom(flags, cli::SettingsTickInput(db));
    std::mt19937 random(20261208);
    std::uniform_int_distribution<int> second(0, 7199);
    for (std::size_t i = 0; i < rows.size(); ++i) {
        const std::int64_t day = first + static_cast<std::int64_t>(i / 12);
        const Branch branch = BranchAt(static_cast<int>(i % 12) + 1);
        // A random second of the double-hour, and on some dates its first and its last second too.
        std::vector<int> offsets = {second(random)};
        if (day % 29 == 0) offsets.insert(offsets.end(), {0, 7199});
        for (int offset : offsets) {
            const DateTime at = DoubleHourMoment(day, branch).effectiveTime + offset / 86400.0;
            TickMemory memory;
            const TickView now =
                RunPipeline(input, FocusedText::None(), memory, *tables, nullptr, [at] { return at; });
            // The 人神 column is that of the row's date, which the first hour of 子 precedes.
            const std::vector<std::string> cells(rows[i].begin(), rows[i].end() - 1);
            ASSERT_EQ(AsScheduleFields(rows[i][0], now), cells) << "at " << FormatIso(at);
        }
    }
}

TEST(NowAndSchedule, TheCommandsThemselvesAgree) {
    // The same tie through the command line for one date, JSON against CSV.
    const auto schedule = RunCommand({"schedule", "2027-02-06", "2027-02-06", "--csv"});
    ASSERT_EQ(schedule.status, 0) << schedule.err;
    const auto records = ParseCsv(schedule.out);
    ASSERT_EQ(records.size(), 13u);
    const char* times[] = {"2027-02-05 23:40:00", "2027-02-06 01:00:00", "2027-02-06 04:59:59",
                           "2027-02-06 05:30:00", "2027-02-06 07:00:00", "2027-02-06 10:15:00",
                           "2027-02-06 11:00:00", "2027-02-06 14:59:59", "2027-02-06 15:00:00",
                           "2027-02-06 18:00:00", "2027-02-06 20:20:20", "2027-02-06 22:59:59"};
    for (std::size_t h = 0; h < 12; ++h) {
        // times[h] lies in double-hour h + 1 (子 from 23:00 of the day before; 04:59:59 still 寅).
        const auto& row = records[h + 1];
        const auto run = RunCommand({"now", "--at", times[h], "--mode", "0", "--beijing", "--json"});
        ASSERT_EQ(run.status, 0) << run.err;
        const QJsonObject o = ParseJson(run.out);
        SCOPED_TRACE(times[h]);
        EXPECT_EQ(Str(o, "hourGanZhi"), row[1]);
        EXPECT_EQ(Str(o, "dayGanZhi"), row[2]);
        EXPECT_EQ(Str(o["linggui"].toObject(), "point"), row[10]);
        EXPECT_EQ(Str(o["feiteng"].toObject(), "point"), row[12]);
        EXPECT_EQ(Str(o["nazhi"].toObject(), "本穴"), row[7]);
        EXPECT_EQ(Str(o["shigan"].toObject(), "经络"), row[14]);
    }
}

}  // namespace
}  // namespace velunar
