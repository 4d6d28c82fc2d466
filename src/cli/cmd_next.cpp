// `next POINT…`: when, within the clinic's hours, the points next open by any doctrine: the reverse lookup's
// openings with their clock spans, kept where a second of the span lies in the hours, in order of time.
#include <algorithm>
#include <charconv>
#include <sstream>

#include "calendar/ganzhi.h"
#include "cli/clock.h"
#include "cli/clock_spans.h"
#include "cli/commands.h"
#include "cli/database_access.h"
#include "cli/localized.h"
#include "methods/point_index.h"
#include "report/json.h"
#include "reverse/next_openings.h"
#include "store/calendar_file.h"
#include "store/planning.h"
#include "store/reference_snapshot.h"
#include "store/tzdb.h"

namespace velunar::cli {
namespace {

constexpr const char* kAbout =
    "Lists, in order of time, the next openings of any of the POINTs (and of the points of --plan) by any\n"
    "doctrine whose span on the clock of the place overlaps the clinic's hours: each as the reverse "
    "lookup's\n"
    "line, then the part of its span inside the hours (门诊时间内, in English \"within clinic hours\"); "
    "with\n"
    "--clock its whole span first. The hours are the clock's own on each day, also on the days its clocks\n"
    "change. Without --within and --days the hours and days off kept in the database (the window's\n"
    "管理 → 门诊时间与提醒, in English Manage → Clinic hours and reminders) apply; without those, every\n"
    "hour. With --within or --days only they apply: --within alone on every day, --days alone all "
    "day.\n"
    "An opening in progress at --from is listed while a second of it inside the hours is still to come.\n";

constexpr std::size_t kMaxCount = 100000;

// A value kept as it is given, refused only when empty.
ArgParser::Apply Text(std::optional<std::string>& into, const char* missing) {
    return [&into, missing](const std::string& v) -> std::optional<std::string> {
        if (v.empty()) return missing;
        into = v;
        return std::nullopt;
    };
}

std::optional<std::string> ReadCount(const std::string& v, std::size_t& count) {
    std::size_t n = 0;
    const auto [end, ec] = std::from_chars(v.data(), v.data() + v.size(), n);
    if (ec != std::errc() || end != v.data() + v.size() || n < 1 || n > kMaxCount)
        return "expected a count 1 to " + std::to_string(kMaxCount) + ", got \"" + v + "\"";
    count = n;
    return std::nullopt;
}

void WriteJson(std::ostream& out, const NextOpenings& search, const NextOpening& o, SixthStem spelling) {
    std::ostringstream line;
    JsonWriter json(line, 0);
    json.BeginObject();
    json.Key("方法");
    json.String(store::DoctrineTitle(o.opening.Doctrine()));
    json.Key("穴位");
    json.String(search.Points()[o.point]);
    // The point's international code, as now's records give it, for scripts in any language.
    if (const std::optional<PointCode> code = CodeOfPoint(search.Points()[o.point])) {
        json.Key("pointCode");
        json.String(std::string(code->code));
    }
    json.Key("记录");
    json.String(Spelled(search.Line(o), spelling));
    json.Key("start");
    json.String(IsoStart(o.span));
    json.Key("end");
    json.String(IsoEnd(o.span));
    json.Key("inside");
    json.BeginArray();
    for (const ClockSpan& part : o.inside) {
        json.BeginObject();
        json.Key("start");
        json.String(IsoStart(part));
        json.Key("end");
        json.String(IsoEnd(part));
        json.EndObject();
    }
    json.EndArray();
    json.EndObject();
    out << line.str() << '\n';
}

std::string PlainLine(const NextOpenings& search, const NextOpening& o, bool withClock, SixthStem spelling) {
    std::string line = Spelled(search.Line(o), spelling);
    if (withClock) AppendClockText(o.opening.day, o.span, line);
    const bool english = InEnglish();
    if (english) line = ReportLine(line);
    line += english ? ", within clinic hours " : "，门诊时间内 ";
    for (std::size_t i = 0; i < o.inside.size(); ++i) {
        if (i > 0) line += english ? ", " : "、";
        line += SpanText(o.opening.day, o.inside[i]);
    }
    return line;
}

}  // namespace

int RunNext(const CommandArgs& args, CommandIo& io) {
    std::optional<std::string> planName, icsPath, doctrinesText;
    std::optional<TypedReading> from;
    std::optional<std::vector<ClockRange>> within;
    std::optional<std::array<bool, 7>> days;
    std::size_t count = 10;
    bool countGiven = false, week = false, json = false;
    ClockFlags clock;
    DatabaseFlag db;
    ArgParser parser("next", "POINT…", kAbout);
    parser.Option("--plan", "NAME", Text(planName, "expected a plan's name"),
                  "also the points of this treatment plan (velunar-cli plan list), limited to its doctrines");
    parser.Option(
        "--doctrines", "KEY,…",
        [&doctrinesText](const std::string& v) -> std::optional<std::string> {
            std::string why;
            if (!store::ParseDoctrines(v, &why)) return why;
            doctrinesText = v;
            return std::nullopt;
        },
        "only these doctrines (nagan, buxue, nazhi, linggui, feiteng, shigan, rigan, nazhi2, or their "
        "names)");
    parser.Option(
        "--from", "\"YYYY-MM-DD HH:MM:SS\"",
        [&from](const std::string& v) -> std::optional<std::string> {
            from = ParseTypedReading(v);
            if (!from)
                return "not a date and time \"" + v +
                       "\" (expected \"YYYY-MM-DD HH:MM:SS\", optionally with its offset)";
            return std::nullopt;
        },
        "look from this reading of the place's clock (default: the clock now)");
    parser.Option(
        "--within", "HH:MM-HH:MM[,…]",
        [&within](const std::string& v) -> std::optional<std::string> {
            std::string why;
            within = ParseClockRanges(v, &why);
            if (!within) return why;
            if (within->empty()) return "expected at least one range HH:MM-HH:MM";
            return std::nullopt;
        },
        "the clinic's hours of the clock, instead of the stored ones");
    parser.Option(
        "--days", "1-5",
        [&days](const std::string& v) -> std::optional<std::string> {
            std::string why;
            days = ParseWeekdays(v, &why);
            if (!days) return why;
            return std::nullopt;
        },
        "the days of the week the hours apply to, 1 = Monday (\"1-5\", \"1,3,5\")");
    parser.Option(
        "--count", "N",
        [&](const std::string& v) {
            countGiven = true;
            return ReadCount(v, count);
        },
        "how many openings to list (default 10)");
    parser.Flag(
        "--week", [&week] { week = true; },
        "every opening in the hours of the seven days from --from's date (the clock's 00:00) instead of "
        "--count");
    parser.Option("--ics", "FILE", Text(icsPath, "expected a file name"),
                  "also write each listed opening's part inside the hours as an event of a calendar file "
                  "(iCalendar, UTC)");
    parser.Flag(
        "--json", [&json] { json = true; },
        "JSON Lines: 方法, 穴位, pointCode, 记录 (the line), start and end of the span, inside: its parts in "
        "the hours");
    AddClockFlags(parser, clock);
    AddDatabaseFlag(parser, db);
    if (auto exit = parser.Run(args, io.out, io.err, -1)) return *exit;
    auto usage = [&](const std::string& text) {
        io.err << parser.Error(text) << '\n';
        return kExitUsage;
    };
    if (auto conflict = ClockFlagsConflict(clock)) return usage(*conflict);
    if (week && countGiven) return usage("--week and --count are two lengths: give one");
    if (parser.Positionals().empty() && !planName) return usage("give the points, or a plan with --plan");

    const std::unique_ptr<store::Database> database = OpenDatabaseFor("next", db, io);
    if (!database) return kExitFailure;
    const auto tables = LoadTablesFor("next", *database, io, !db.path);
    if (!tables) return kExitFailure;
    try {
        store::PlanningStore planning(*database);
        std::vector<std::string> points = parser.Positionals();
        std::vector<DoctrineId> doctrines;
        if (planName) {
            const std::optional<store::TreatmentPlan> plan = planning.Plan(*planName);
            if (!plan) return usage("no plan named \"" + *planName + "\" (see velunar-cli plan list)");
            points.insert(points.end(), plan->points.begin(), plan->points.end());
            doctrines = plan->doctrines;
        }
        if (doctrinesText) doctrines = *store::ParseDoctrines(*doctrinesText);
        if (auto unknown = store::ResolvePoints(points, *tables, *database)) return usage(*unknown);

        ClinicHours hours;
        if (within || days) {
            for (int d = 0; d < 7; ++d)
                if (!days || (*days)[static_cast<std::size_t>(d)])
                    hours.week[static_cast<std::size_t>(d)] =
                        within ? *within : std::vector<ClockRange>{{0, kMinutesPerDay}};
        } else if (const auto stored = planning.Clinic().hours) {
            hours = *stored;
        } else {
            hours = ClinicHours::AllDay();
            // The window's menu as the window in the language in force names it.
            io.err << "velunar-cli next: no clinic hours are kept ("
                   << (InEnglish() ? "Manage → Clinic hours and reminders" : "管理 → 门诊时间与提醒")
                   << " in the window, or --within): every hour counts\n";
        }

        // The place's clock over the dates the search may reach.
        const DateTime startReading = from ? from->reading : store::MachineClockNow();
        const std::int64_t startDay = WholeDay(startReading);
        const std::int64_t lastDay =
            std::min<std::int64_t>(DaysFromCivil(9999, 12, 30), startDay + (week ? 8 : kNextHorizonDays + 2));
        const std::optional<TickInput> spanned =
            ClockPlaceFor("next", clock, *database, io, startDay - 2, lastDay);
        if (!spanned) return kExitFailure;
        const TickInput& place = *spanned;
        if (!place.timeMode) {
            io.err << "velunar-cli next: the time mode of the settings cannot be read; give --mode\n";
            return kExitFailure;
        }
        const auto pageClock = PlaceClock::Of(place);
        const ZoneTimeline& timeline = std::get<PlaceClock>(pageClock).Clock();
        // Now is the instant itself on a tz-database zone's page, else the machine's clock read as the
        // page's, as the window and `now` take it.
        Instant start;
        if (from)
            start = timeline.Resolve(from->reading, from->offsetSeconds).instant;
        else if (place.page == TimePage::Abroad && place.zoneTimeline)
            start = store::Now();
        else
            start = timeline.Resolve(store::MachineClockNow()).instant;

        NextOpenings search(points, doctrines, place, hours, *tables);
        std::vector<NextOpening> found;
        if (week) {
            const Instant weekStart = timeline.Resolve(static_cast<DateTime>(startDay)).instant;
            const Instant weekEnd = timeline.Resolve(static_cast<DateTime>(startDay + 7)).instant;
            found = search.Between(weekStart, weekEnd);
        } else {
            found = search.Next(start, count, std::max<std::int64_t>(0, lastDay - 2 - startDay));
            if (search.ReachedHorizon())
                io.err << "velunar-cli next: "
                       << (found.empty() ? "no" : "only " + std::to_string(found.size())) << " opening"
                       << (found.size() == 1 ? "" : "s") << " in the hours within three years (to "
                       << FormatIsoDate(static_cast<DateTime>(lastDay - 2)) << ")\n";
        }
        const SixthStem spelling = place.sixthStem;
        std::unique_ptr<store::CalendarFile> calendar;
        if (icsPath) calendar = std::make_unique<store::CalendarFile>(*icsPath, store::UtcNow());
        std::string out;
        for (const NextOpening& o : found) {
            if (json) {
                std::ostringstream line;
                WriteJson(line, search, o, spelling);
                out += line.str();
            } else {
                out += PlainLine(search, o, clock.clock, spelling) + '\n';
            }
            if (calendar) {
                std::string description = Spelled(search.Line(o), spelling);
                AppendClockText(o.opening.day, o.span, description);
                for (const ClockSpan& part : o.inside)
                    calendar->Opening(DoctrineOf(o.opening.Doctrine()), search.Points()[o.point], description,
                                      part);
            }
        }
        io.out << out << std::flush;
        if (calendar) calendar->Commit();
    } catch (const std::exception& e) {
        io.err << "velunar-cli next: " << e.what() << '\n';
        return kExitFailure;
    }
    return kExitOk;
}

}  // namespace velunar::cli
