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

// Every row of a year's schedule, in each time mode, is what the tick shows at any second of its double-hour
// (the clock being the double-hour's own time here: Beijing time alone).
TEST(NowAndSchedule, AgreeOnEveryDoubleHourOfAYearInEveryMode) {
    store::Database db(QStringLiteral("property"));
    db.Open(QString::fromStdString(testing::BuiltDatabase()));
    const auto tables = store::LoadReferenceTables(db);
    const std::int64_t first = DaysFromCivil(2026, 1, 1);
    const std::int64_t last = DaysFromCivil(2026, 12, 31);
    std::mt19937 random(20261208);
    for (TimeMode mode : {TimeMode::NoNightRat, TimeMode::NightRat, TimeMode::ZeroToTwo}) {
        SCOPED_TRACE(static_cast<int>(mode));
        std::vector<ScheduleRow> rows;
        ForEachScheduleRow(first, last, mode, *tables, [&](const ScheduleRow& row) {
            rows.push_back(row);
            return true;
        });
        ASSERT_EQ(rows.size(), 365u * (mode == TimeMode::NightRat ? 13 : 12));
        NowFlags flags;
        flags.mode = mode;
        flags.onlyBeijing = true;
        flags.abroad = false;
        const TickInput input = TickInputFrom(flags, cli::SettingsTickInput(db));
        for (const ScheduleRow& row : rows) {
            const std::int64_t length = (row.slot.solarEnd - row.slot.solarStart) / 1000;
            std::uniform_int_distribution<std::int64_t> second(0, length - 1);
            // A random second of the double-hour, and on some dates its first and its last second too.
            std::vector<std::int64_t> offsets = {second(random)};
            if (row.day % 29 == 0) offsets.insert(offsets.end(), {0, length - 1});
            for (std::int64_t offset : offsets) {
                const DateTime at = ReadingOfMs(row.slot.solarStart + offset * 1000);
                TickMemory memory;
                const TickView now =
                    RunPipeline(input, FocusedText::None(), memory, *tables, nullptr, [at] { return at; });
                // The 人神 column is that of the row's date, which the first hour of 子 precedes.
                const std::vector<std::string> cells(row.cells.begin(), row.cells.end() - 1);
                ASSERT_EQ(AsScheduleFields(row.cells[0], now), cells) << "at " << FormatIso(at);
            }
        }
    }
}

// Under 区分夜子时早子时, at a place whose clock changes that night, `now --at` each row's clock start (as the
// schedule writes it, with its offset) shows that row, field for field.
TEST(NowAndSchedule, UnderTheNightRatModeEveryRowIsNowAtItsStart) {
    for (const std::vector<std::string>& place :
         {std::vector<std::string>{"--china", "--longitude", "87.6"},
          std::vector<std::string>{"--tz", "Europe/Paris", "--ew", "东经", "--lon", "2.35"}}) {
        std::vector<std::string> command = {"schedule", "2026-10-24", "2026-10-25", "--clock", "--csv", "--mode", "1"};
        command.insert(command.end(), place.begin(), place.end());
        const auto schedule = RunCommand(command);
        ASSERT_EQ(schedule.status, 0) << schedule.err;
        const auto records = ParseCsv(schedule.out);
        ASSERT_EQ(records.size(), 1u + 26u);
        const std::size_t startColumn = records[0].size() - 2;
        for (std::size_t r = 1; r < records.size(); ++r) {
            const auto& row = records[r];
            std::vector<std::string> now = {"now", "--at", row[startColumn], "--mode", "1", "--json"};
            now.insert(now.end(), place.begin(), place.end());
            const auto run = RunCommand(now);
            ASSERT_EQ(run.status, 0) << run.err;
            const QJsonObject o = ParseJson(run.out);
            SCOPED_TRACE(row[startColumn]);
            EXPECT_EQ(Str(o, "clockStart"), row[startColumn]);
            EXPECT_EQ(Str(o, "clockEnd"), row[startColumn + 1]);
            EXPECT_EQ(Str(o, "hourGanZhi"), row[1]);
            EXPECT_EQ(Str(o, "dayGanZhi"), row[2]);
            EXPECT_EQ(Str(o["nagan"].toObject(), "穴位").empty() ? Str(o["nagan"].toObject(), "经脉")
                                                                 : Str(o["nagan"].toObject(), "穴位"),
                      row[3]);
            EXPECT_EQ(Str(o["linggui"].toObject(), "point"), row[10]);
            EXPECT_EQ(Str(o["linggui"].toObject(), "partner"), row[11]);
            EXPECT_EQ(Str(o["feiteng"].toObject(), "point"), row[12]);
            EXPECT_EQ(Str(o["nazhi"].toObject(), "本穴"), row[7]);
            EXPECT_EQ(Str(o["shigan"].toObject(), "经络"), row[14]);
            EXPECT_EQ(Str(o["rigan"].toObject(), "meridian"), row[15]);
            EXPECT_EQ(Str(o["nazhi2"].toObject(), "meridian"), row[16]);
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
