#include "cli/cmd_now.h"

#include <algorithm>

#include "calendar/numparse.h"
#include "cli/clock.h"
#include "cli/commands.h"
#include "cli/database_access.h"
#include "methods/point_names.h"
#include "store/tzdb.h"

namespace velunar::cli {
namespace {

// The values the window's entries refuse are refused here too, before anything is worked out.
ArgParser::Apply Longitude(std::optional<std::string>& target) {
    return [&target](const std::string& v) -> std::optional<std::string> {
        if (!ParseLongitude(v))
            return "\"" + v +
                   "\" is not a longitude from 0 to 180 (decimal degrees, \".\" as the decimal point)";
        target = v;
        return std::nullopt;
    };
}

std::optional<std::string> ReadSummer(const std::string& v, NowFlags& flags) {
    const auto minutes = ParseDecimal(v);
    if (!minutes || *minutes < -kMaxSummerMinutes || *minutes > kMaxSummerMinutes)
        return "\"" + v + "\" is not a number of minutes from -1440 to 1440";
    flags.summer = v;
    return std::nullopt;
}

std::optional<std::string> ReadZone(const std::string& v, NowFlags& flags) {
    if (!NamesAZone(v)) {
        const std::vector<std::string> labels(ZoneTexts().begin(), ZoneTexts().end());
        std::string closest;
        for (const std::string& label : ClosestTexts(v, labels, 3, false)) closest += "\n  " + label;
        return "\"" + v + "\" names no time zone (see velunar-cli zones); the closest are:" + closest;
    }
    flags.zone = v;
    return std::nullopt;
}

std::optional<std::string> ReadTz(const std::string& v, NowFlags& flags) {
    if (!store::IsKnownZone(v)) {
        std::string closest;
        for (const std::string& id : ClosestTexts(v, store::ZoneChoices(), 3, false)) closest += "\n  " + id;
        return "\"" + v + "\" is not a zone of the tz database; the closest are:" + closest;
    }
    flags.tz = v;
    return std::nullopt;
}

std::optional<std::string> ReadEot(const std::string& v, NowFlags& flags) {
    if (v == "table")
        flags.eot = EotSource::Table;
    else if (v == "astro")
        flags.eot = EotSource::Astronomical;
    else
        return "expected table or astro, got \"" + v + "\"";
    return std::nullopt;
}

std::optional<std::string> ReadAt(const std::string& v, NowFlags& flags) {
    flags.at = ParseIso(v);
    if (!flags.at) return "not a date and time \"" + v + "\" (expected \"YYYY-MM-DD HH:MM:SS\")";
    return std::nullopt;
}

std::optional<std::string> ReadMode(const std::string& v, NowFlags& flags) {
    if (v.size() != 1 || v[0] < '0' || v[0] > '2') return "expected 0, 1 or 2, got \"" + v + "\"";
    flags.mode = TimeModeAt(v[0] - '0');
    return std::nullopt;
}

std::optional<std::string> ReadEastWest(const std::string& v, NowFlags& flags) {
    if (v != kEast && v != kWest) return "expected " + std::string(kEast) + " or " + std::string(kWest);
    flags.eastWest = v;
    return std::nullopt;
}

const char* SkipReasonName(SkipReason reason) {
    switch (reason) {
        case SkipReason::Longitude:
            return "longitude";
        case SkipReason::SummerTime:
            return "summerTime";
        case SkipReason::Zone:
            return "zone";
        case SkipReason::None:
            break;
    }
    return "";
}

// Flags are checked as they are read: a value the step refuses comes from the settings column named.
std::string SkipNote(const TickInput& in, SkipReason reason) {
    switch (reason) {
        case SkipReason::Longitude: {
            const bool china = in.page == TimePage::China;
            return std::string(kLongitudeMessage) + "[0-180]: column " + (china ? "xy" : "jingew") +
                   " holds \"" + (china ? in.longitudeText : in.abroadLongitudeText) +
                   "\", not a longitude from 0 to 180 (" + (china ? "--longitude" : "--lon") +
                   " gives one for this run; --beijing falls back to 120)";
        }
        case SkipReason::SummerTime:
            return "column suma holds \"" + in.summerText +
                   "\", not a number of minutes from -1440 to 1440 (--summer gives one for this run)";
        case SkipReason::Zone:
            return "column zone holds \"" + in.zoneText +
                   "\", whose (GMT+hh:mm) offset cannot be read (--zone gives one for this run)";
        case SkipReason::None:
            break;
    }
    return {};
}

Report FindingReport(const Finding& f) {
    Report r;
    for (const Cell& c : f.cells) {
        if (c.text)
            r.Text(std::string(c.column), *c.text);
        else
            r.Null(std::string(c.column));
    }
    if (f.points) r.List("points", *f.points);
    if (f.closed) r.Bool("closed", *f.closed);
    return r;
}

}  // namespace

bool NamesAZone(std::string_view zone) {
    // A label of the list, or a text whose (GMT±hh:mm) the abroad page can read.
    const bool named =
        std::any_of(ZoneTexts().begin(), ZoneTexts().end(), [zone](std::string_view z) { return z == zone; });
    return named || (zone.find("(GMT") != std::string_view::npos && ParseZoneLabel(zone));
}

void AddNowFlags(ArgParser& p, NowFlags& f) {
    p.Option(
        "--at", "\"YYYY-MM-DD HH:MM:SS\"", [&f](const std::string& v) { return ReadAt(v, f); },
        "the chosen date and time (default: the clock)");
    AddPlaceFlags(p, f);
    p.Flag(
        "--json", [&f] { f.json = true; }, "print one JSON object");
}

void AddPlaceFlags(ArgParser& p, NowFlags& f) {
    p.Option(
        "--mode", "0|1|2", [&f](const std::string& v) { return ReadMode(v, f); },
        "time mode: 0 不区分夜子时早子时, 1 区分夜子时早子时, 2 以0-2时为子时");
    p.Option("--longitude", "DEGREES", Longitude(f.longitude), "the China page's east longitude, 0 to 180");
    p.Flag(
        "--beijing", [&f] { f.onlyBeijing = true; }, "仅仅使用北京时间: use Beijing time uncorrected");
    p.Flag(
        "--no-beijing", [&f] { f.onlyBeijing = false; },
        "correct to true solar time even if the settings say 仅仅使用北京时间");
    p.Flag(
        "--china", [&f] { f.abroad = false; }, "put the China page in front");
    p.Flag(
        "--abroad", [&f] { f.abroad = true; }, "put the abroad page in front");
    p.Option(
        "--summer", "MINUTES", [&f](const std::string& v) { return ReadSummer(v, f); },
        "abroad: summer-time minutes to subtract, -1440 to 1440");
    p.Option(
        "--zone", "TEXT", [&f](const std::string& v) { return ReadZone(v, f); },
        "abroad: the zone text (see velunar-cli zones)");
    p.Option(
        "--tz", "ZONE", [&f](const std::string& v) { return ReadTz(v, f); },
        "abroad, automatic: a tz-database zone (Europe/Paris, or 本机时区); its offset and summer time "
        "at each moment replace --zone and --summer");
    p.Option(
        "--ew", "东经|西经", [&f](const std::string& v) { return ReadEastWest(v, f); },
        "abroad: east or west longitude");
    p.Option("--lon", "DEGREES", Longitude(f.abroadLongitude), "abroad: the longitude, 0 to 180 degrees");
    p.Option(
        "--eot", "table|astro", [&f](const std::string& v) { return ReadEot(v, f); },
        "均时差: the fixed table (固定表, the default) or computed for the instant (天文计算)");
}

std::string PlaceNote(const TickInput& input, SkipReason reason) {
    return SkipNote(input, reason);
}

TickInput TickInputFrom(const NowFlags& f, TickInput in) {
    if (f.mode) in.timeMode = *f.mode;
    if (f.longitude) in.longitudeText = *f.longitude;
    if (f.onlyBeijing) in.onlyBeijing = *f.onlyBeijing;
    if (f.abroad) in.page = *f.abroad ? TimePage::Abroad : TimePage::China;
    if (f.summer) in.summerText = *f.summer;
    if (f.zone) in.zoneText = *f.zone;
    if (f.eastWest) in.eastWestText = *f.eastWest;
    if (f.abroadLongitude) in.abroadLongitudeText = *f.abroadLongitude;
    if (f.eot) in.eot = *f.eot;
    // A fixed zone given on the command line is the place's zone, whatever the settings chose; --tz wins.
    if (f.zone) in.ianaZone.clear();
    if (f.tz) {
        in.ianaZone = *f.tz;
        in.page = TimePage::Abroad;
    }
    return in;
}

std::optional<std::string> ResolveZone(TickInput& in, DateTime reference, bool live) {
    if (in.page != TimePage::Abroad || in.ianaZone.empty() || in.zoneMinutes) return std::nullopt;
    // The clock read now: the offsets in force now, which tell the two passes of a repeated hour apart.
    if (live ? store::ApplyZoneAtInstant(in, in.ianaZone, store::NowUtcMilliseconds())
             : store::ApplyZone(in, in.ianaZone, reference))
        return std::nullopt;
    const std::string unknown = in.ianaZone;
    in.ianaZone.clear();
    return "the tz-database zone \"" + unknown + "\" of the settings is unknown here; the fixed zone \"" +
           in.zoneText + "\" is used";
}

ReferenceClock ClockFor(const NowFlags& flags, const TickInput& in) {
    if (flags.at) return [at = *flags.at] { return at; };
    if (in.page == TimePage::Abroad && !in.ianaZone.empty() && store::IsKnownZone(in.ianaZone))
        return [id = in.ianaZone] { return store::ZoneClockNow(id); };
    return LocalClockNow;
}

Report NowReport(const TickInput& in, const TickView& v) {
    const Moment& m = v.moment;
    const bool abroad = in.page == TimePage::Abroad;
    const bool computed = HasComputedTime(m);
    Report r;
    r.Text("page", abroad ? "abroad" : "china");
    if (abroad && !in.ianaZone.empty()) {
        r.Text("tz", in.ianaZone);
        r.Text("summer", in.summerText);
    }
    if (in.eot != EotSource::Table) r.Text("eot", "astro");
    r.Time("referenceTime", v.referenceTime);
    r.Text("timeMode", std::string(Label(m.timeMode)));
    r.Bool("skipped", v.skipped);
    if (v.skipped) r.Text("skipReason", SkipReasonName(v.skipReason));
    r.Time("effectiveTime", computed ? std::optional(m.effectiveTime) : std::nullopt);
    r.Time("trueSolarTime", v.trueSolarTime);
    if (abroad) r.Time("beijingTime", v.beijingTime);
    r.Time("dayDate", computed ? std::optional(m.dayDate) : std::nullopt);
    r.Text("dayGanZhi", v.dayGanZhi);
    r.Text("hourBranch", v.hourBranch);
    r.Text("hourGanZhi", v.hourGanZhi);
    // How long the double-hour lasts, as the time page in front says it.
    r.Text("hourSpan", v.hourSpan.hours);
    r.Text("clockSpan", v.hourSpan.clock);
    r.Time("clockStart", v.hourSpan.clockStart);
    r.Time("clockEnd", v.hourSpan.clockEnd);
    if (v.hourSpan.minutesToNext)
        r.Int("minutesToNext", *v.hourSpan.minutesToNext);
    else
        r.Null("minutesToNext");
    r.Text("longitude", v.chinaLongitudeReset.value_or(in.longitudeText));
    if (abroad) r.Text("abroadLongitude", v.abroadLongitudeReset.value_or(in.abroadLongitudeText));
    for (const DoctrineFinding& d : v.findings) {
        if (d.finding.applies)
            r.Group(std::string(d.doctrine->Key()), FindingReport(d.finding));
        else
            r.Null(std::string(d.doctrine->Key()));
    }
    return r;
}

int RunNow(const CommandArgs& args, CommandIo& io) {
    NowFlags flags;
    DatabaseFlag database;
    ArgParser parser("now", "", kSettingsNote);
    AddNowFlags(parser, flags);
    AddDatabaseFlag(parser, database);
    if (auto exit = parser.Run(args, io.out, io.err)) return *exit;
    // The settings record gives what no flag says, as the main window would read it.
    const std::unique_ptr<store::Database> db = OpenDatabaseFor("now", database, io);
    if (!db) return kExitFailure;
    const auto tables = LoadTablesFor("now", *db, io, !database.path);
    if (!tables) return kExitFailure;
    if (flags.tz && flags.summer) {
        io.err << parser.Error("--summer cannot go with --tz: the zone gives its own summer time") << '\n';
        return kExitUsage;
    }
    const std::optional<TickInput> place = SettingsPlace("now", flags, *db, io);
    if (!place) return kExitFailure;
    TickInput input = *place;
    const ReferenceClock clock = ClockFor(flags, input);
    // The zone's offset and summer time are those of the reading itself, taken once for the tick.
    const DateTime reading = clock();
    if (auto unknown = ResolveZone(input, reading, !flags.at))
        io.err << "velunar-cli now: warning: " << *unknown << '\n';
    const std::string hint = store::ClockHint(input, reading, !flags.at);
    if (!hint.empty()) io.err << "velunar-cli now: warning: " << hint << '\n';
    // One tick after start-up: the memory is fresh, so there is no previous double-hour to compare.
    TickMemory memory;
    const TickView view = RunPipeline(input, FocusedText::None(), memory, *tables, nullptr, clock);
    // Flags are checked as they are read; what still cannot be read comes from the settings record, and
    // nothing worked out is no success.
    if (view.skipped)
        io.err << "velunar-cli now: the settings cannot be used: " << SkipNote(input, view.skipReason)
               << '\n';
    const Report report = NowReport(input, view);
    if (flags.json)
        report.WriteJson(io.out);
    else
        report.WritePlain(io.out);
    return view.skipped ? kExitFailure : kExitOk;
}

}  // namespace velunar::cli
