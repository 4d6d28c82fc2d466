// The schedule and `now` are two routes to the same doctrines: for every double-hour of a year, a
// moment inside it under mode 0 with only Beijing time must give what the schedule lists.
#include <gtest/gtest.h>

#include <random>

#include "calendar/tick.h"
#include "cli/cmd_now.h"
#include "cli/doctrines_report.h"
#include "doctrine_cli_util.h"
#include "methods/doctrines.h"
#include "methods/schedule.h"
#include "store/method_tables.h"

namespace velunar {
namespace {

using testing::ParseCsv;
using testing::ParseJson;
using testing::RunCommand;
using testing::Str;

// The schedule's fields as `now` shows the same doctrines.
std::vector<std::string> AsScheduleFields(const std::string& date, const Moment& m, const DoctrineReport& d) {
    ScheduleRow r;
    r.date = date;
    r.hourGanZhi = m.hourGanZhi;
    r.dayGanZhi = m.dayGanZhi;
    r.naGanPoint = d.naGan.closed ? d.naGan.row.meridian : d.naGan.row.point;
    r.naGanSource = d.naGan.row.sourcePoint;
    r.naGanExtraSource = d.naGan.row.extraSourcePoint;
    if (d.supplementary) r.supplementaryPoint = d.supplementary->row.point;
    r.naZhiOwn = d.naZhi.row.ownPoint;
    r.naZhiDrain = d.naZhi.row.drainPoint;
    r.naZhiTonify = d.naZhi.row.tonifyPoint;
    if (d.lingGui) r.lingGuiPoint = d.lingGui->point, r.lingGuiPartner = d.lingGui->partner;
    if (d.feiTeng) r.feiTengPoint = d.feiTeng->point, r.feiTengPartner = d.feiTeng->partner;
    r.shiGanMeridian = d.shiGan.row.meridian;
    r.riGanMeridian = d.dayList.meridian;
    r.naZhi2Meridian = d.hourList.meridian;
    return ScheduleFields(r);
}

TEST(NowAndSchedule, AgreeOnEveryDoubleHourOfAYear) {
    store::Database db(QStringLiteral("property"));
    db.Open(QString::fromStdString(testing::BuiltDatabase()));
    store::DatabaseMethodTables tables(db);
    const std::int64_t first = DaysFromCivil(2026, 1, 1);
    const std::int64_t last = DaysFromCivil(2026, 12, 31);
    const std::vector<ScheduleRow> rows = BuildSchedule(first, last, tables);
    ASSERT_EQ(rows.size(), 365u * 12);

    cli::NowFlags flags;
    flags.mode = 0;
    flags.onlyBeijing = true;
    flags.abroad = false;
    const TickInput input = cli::TickInputFrom(flags, cli::SettingsTickInput(db));
    std::mt19937 random(20261208);
    std::uniform_int_distribution<int> second(0, 7199);
    for (std::size_t i = 0; i < rows.size(); ++i) {
        const std::int64_t day = first + static_cast<std::int64_t>(i / 12);
        const int branch = static_cast<int>(i % 12) + 1;
        // A random second of the double-hour, and on some dates its first and its last second too.
        std::vector<int> offsets = {second(random)};
        if (day % 29 == 0) offsets.insert(offsets.end(), {0, 7199});
        for (int offset : offsets) {
            const DateTime at = DoubleHourMoment(day, branch).effectiveTime + offset / 86400.0;
            const TickResult tick = RunTick(input, Moment{}, [at] { return at; });
            const DoctrineReport now = EvaluateDoctrines(tick.moment, tables);
            ASSERT_EQ(AsScheduleFields(rows[i].date, tick.moment, now), ScheduleFields(rows[i]))
                << "at " << FormatIso(at);
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
