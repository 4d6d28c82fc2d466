#include "cli/cmd_now.h"

#include "calendar/numparse.h"
#include "cli/clock.h"
#include "cli/commands.h"
#include "cli/doctrines_report.h"

namespace velunar::cli {
namespace {

ArgParser::Apply Text(std::optional<std::string>& target) {
    return [&target](const std::string& v) -> std::optional<std::string> {
        target = v;
        return std::nullopt;
    };
}

std::optional<std::string> ReadAt(const std::string& v, NowFlags& flags) {
    flags.at = ParseIso(v);
    if (!flags.at) return "not a date and time \"" + v + "\" (expected \"YYYY-MM-DD HH:MM:SS\")";
    return std::nullopt;
}

std::optional<std::string> ReadMode(const std::string& v, NowFlags& flags) {
    if (v.size() != 1 || v[0] < '0' || v[0] > '2') return "expected 0, 1 or 2, got \"" + v + "\"";
    flags.mode = v[0] - '0';
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

std::string SkipNote(const TickInput& in, SkipReason reason) {
    switch (reason) {
        case SkipReason::Longitude: {
            const std::string& box = in.page == TimePage::China ? in.longitudeText : in.abroadLongitudeText;
            return "the longitude \"" + box +
                   "\" is not a number from 0 to 180 (--beijing falls back to 120)";
        }
        case SkipReason::SummerTime:
            return "the summer time \"" + in.summerText + "\" is not a number of minutes";
        case SkipReason::Zone:
            return "the zone \"" + in.zoneText + "\" has no readable (GMT+hh:mm) offset";
        case SkipReason::None:
            break;
    }
    return {};
}

}  // namespace

void AddNowFlags(ArgParser& p, NowFlags& f) {
    p.Option(
        "--at", "\"YYYY-MM-DD HH:MM:SS\"", [&f](const std::string& v) { return ReadAt(v, f); },
        "the chosen date and time (default: the clock)");
    p.Option(
        "--mode", "0|1|2", [&f](const std::string& v) { return ReadMode(v, f); },
        "time mode: 0 不区分夜子时早子时, 1 区分夜子时早子时, 2 以0-2时为子时");
    p.Option("--longitude", "TEXT", Text(f.longitude), "the China page's east longitude box");
    p.Flag(
        "--beijing", [&f] { f.onlyBeijing = true; }, "仅仅使用北京时间: use Beijing time uncorrected");
    p.Flag(
        "--abroad", [&f] { f.abroad = true; }, "put the abroad page in front");
    p.Option("--summer", "TEXT", Text(f.summer), "abroad: summer-time minutes to subtract");
    p.Option("--zone", "TEXT", Text(f.zone), "abroad: the zone text (see velunar-cli zones)");
    p.Option(
        "--ew", "东经|西经", [&f](const std::string& v) { return ReadEastWest(v, f); },
        "abroad: east or west longitude");
    p.Option("--lon", "TEXT", Text(f.abroadLongitude), "abroad: the longitude box, degrees");
    p.Flag(
        "--json", [&f] { f.json = true; }, "print one JSON object");
}

TickInput TickInputFrom(const NowFlags& f, TickInput in) {
    if (f.mode) in.timeMode = TimeModeText(*f.mode);
    if (f.longitude) in.longitudeText = *f.longitude;
    if (f.onlyBeijing) in.onlyBeijing = *f.onlyBeijing;
    if (f.abroad) in.page = *f.abroad ? TimePage::Abroad : TimePage::China;
    if (f.summer) in.summerText = *f.summer;
    if (f.zone) in.zoneText = *f.zone;
    if (f.eastWest) in.eastWestText = *f.eastWest;
    if (f.abroadLongitude) in.abroadLongitudeText = *f.abroadLongitude;
    return in;
}

Report NowReport(const TickInput& in, const TickResult& t) {
    const Moment& m = t.moment;
    const bool abroad = in.page == TimePage::Abroad;
    Report r;
    r.Text("page", abroad ? "abroad" : "china");
    r.Time("referenceTime", t.referenceTime);
    r.Text("timeMode", m.timeMode);
    r.Bool("skipped", t.skipped);
    if (t.skipped) r.Text("skipReason", SkipReasonName(t.skipReason));
    r.Time("effectiveTime", HasComputedTime(m) ? std::optional(m.effectiveTime) : std::nullopt);
    r.Time("trueSolarTime", t.trueSolarTime);
    if (abroad) r.Time("beijingTime", t.beijingTime);
    r.Time("dayDate", HasComputedTime(m) ? std::optional(m.dayDate) : std::nullopt);
    r.Text("dayGanZhi", m.dayGanZhi);
    r.Text("hourBranch", m.hourBranch);
    r.Text("hourGanZhi", m.hourGanZhi);
    r.Text("longitude", t.longitudeText);
    if (abroad) r.Text("abroadLongitude", t.abroadLongitudeText);
    return r;
}

int RunNow(const CommandArgs& args, CommandIo& io) {
    NowFlags flags;
    DatabaseFlag database;
    ArgParser parser("now");
    AddNowFlags(parser, flags);
    AddDoctrineFlags(parser, flags, database);
    if (auto error = parser.Parse(args)) {
        io.err << *error << '\n';
        return kExitUsage;
    }
    if (parser.HelpAsked()) {
        io.out << parser.Usage() << kSettingsNote;
        return kExitOk;
    }
    // The settings record gives what no flag says, as the main window would read it.
    const std::unique_ptr<store::Database> db = OpenDatabaseFor("now", database, io);
    if (!db) return kExitFailure;
    const TickInput input = TickInputFrom(flags, SettingsTickInput(*db));
    const ReferenceClock clock =
        flags.at ? ReferenceClock([at = *flags.at] { return at; }) : ReferenceClock(LocalClockNow);
    // One tick after start-up: the Moment is fresh, so there is no previous double-hour to compare.
    const TickResult tick = RunTick(input, Moment{}, clock);
    if (tick.skipped)
        io.err << "velunar-cli now: time step skipped: " << SkipNote(input, tick.skipReason) << '\n';
    Report report = NowReport(input, tick);
    AddDoctrinesAt(report, tick.moment, *db);
    if (flags.json)
        report.WriteJson(io.out);
    else
        report.WritePlain(io.out);
    return kExitOk;
}

}  // namespace velunar::cli
