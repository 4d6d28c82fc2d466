#include "cli/cmd_now.h"

#include <algorithm>
#include <cctype>
#include <cstdio>
#include <tuple>

#include "calendar/instant.h"
#include "calendar/numparse.h"
#include "cli/clock.h"
#include "cli/commands.h"
#include "cli/database_access.h"
#include "cli/explain_output.h"
#include "cli/localized.h"
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

// Zone ids are ASCII: letters compared without case, '_' as the blank it stands for.
std::string ZoneKey(std::string_view s) {
    std::string key;
    for (char c : s)
        key.push_back(c == '_' ? ' ' : static_cast<char>(std::tolower(static_cast<unsigned char>(c))));
    return key;
}

std::size_t Edits(std::string_view a, std::string_view b) {
    std::vector<std::size_t> row(b.size() + 1);
    for (std::size_t j = 0; j <= b.size(); ++j) row[j] = j;
    for (std::size_t i = 1; i <= a.size(); ++i) {
        std::size_t diagonal = row[0];
        row[0] = i;
        for (std::size_t j = 1; j <= b.size(); ++j) {
            const std::size_t above = row[j];
            row[j] = std::min({row[j] + 1, row[j - 1] + 1, diagonal + (a[i - 1] == b[j - 1] ? 0 : 1)});
            diagonal = above;
        }
    }
    return row[b.size()];
}

// The ids closest to a name that is none: by its last part against each part of an id (a city is what people
// type: "Paris", "new york"), then by the whole.
std::vector<std::string> ClosestZones(std::string_view name, std::size_t max) {
    const std::string key = ZoneKey(name);
    const std::string last = key.substr(key.rfind('/') == std::string::npos ? 0 : key.rfind('/') + 1);
    std::vector<std::tuple<std::size_t, std::size_t, std::string>> ranked;
    for (const std::string& id : store::ZoneNames()) {
        const std::string k = ZoneKey(id);
        std::size_t best = Edits(last, k);
        for (std::size_t from = 0; from <= k.size();) {
            const std::size_t to = std::min(k.find('/', from), k.size());
            best = std::min(best, Edits(last, std::string_view(k).substr(from, to - from)));
            from = to + 1;
        }
        ranked.emplace_back(best, Edits(key, k), id);
    }
    std::sort(ranked.begin(), ranked.end());
    std::vector<std::string> out;
    for (std::size_t i = 0; i < std::min(max, ranked.size()); ++i) out.push_back(std::get<2>(ranked[i]));
    return out;
}

std::optional<std::string> ReadTz(const std::string& v, NowFlags& flags) {
    if (!store::IsKnownZone(v)) {
        std::string closest;
        for (const std::string& id : ClosestZones(v, 3)) closest += "\n  " + id;
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
    flags.at = ParseTypedReading(v);
    if (!flags.at)
        return "not a date and time \"" + v +
               "\" (expected \"YYYY-MM-DD HH:MM:SS\" of the years 0001 to 9999, optionally with its offset: "
               "\"2026-10-25T02:30:00+02:00\")";
    return std::nullopt;
}

std::optional<std::string> ReadSixthStem(const std::string& v, std::optional<SixthStem>& spelling) {
    if (v != kSixthStemUsual && v != kSixthStemAsKeys)
        return "expected " + std::string(kSixthStemUsual) + " or " + std::string(kSixthStemAsKeys) +
               ", got \"" + v + "\"";
    spelling = SixthStemOf(v);
    return std::nullopt;
}

std::optional<std::string> ReadRenShenSource(const std::string& v, NowFlags& flags) {
    for (RenShenReading r : {RenShenReading::Common, RenShenReading::JinJian, RenShenReading::DaCheng}) {
        if (v == RenShenReadingLabel(r)) {
            flags.renShenReading = r;
            return std::nullopt;
        }
    }
    return "expected 通行, 医宗金鉴 or 针灸大成, got \"" + v + "\"";
}

std::optional<std::string> ReadAge(const std::string& v, NowFlags& flags) {
    const auto years = ParseDecimal(v);
    if (!years || *years < 1 || *years > 150 || *years != static_cast<int>(*years))
        return "\"" + v + "\" is not an age in whole years from 1 to 150";
    flags.age = static_cast<int>(*years);
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

}  // namespace

void AddNowFlags(ArgParser& p, NowFlags& f) {
    p.Option(
        "--at", "\"YYYY-MM-DD HH:MM:SS\"", [&f](const std::string& v) { return ReadAt(v, f); },
        "the chosen date and time (default: the clock), optionally with its offset "
        "(2026-10-25T02:30:00+02:00); years 0001 to 9999, and a moment whose true solar time or day falls "
        "outside them is refused");
    AddPlaceFlags(p, f);
    AddTabooFlags(p, f);
    p.Flag(
        "--json", [&f] { f.json = true; }, "print one JSON object");
}

void AddTabooFlags(ArgParser& p, NowFlags& f) {
    p.Flag(
        "--no-renshen", [&f] { f.renShenShown = false; }, "hide the 人神 (taboo) lines");
    p.Option(
        "--renshen-source", "通行|医宗金鉴|针灸大成",
        [&f](const std::string& v) { return ReadRenShenSource(v, f); },
        "which reading of the 人神 lists (default: the settings, else 通行, what most books share)");
    p.Option(
        "--age", "YEARS", [&f](const std::string& v) { return ReadAge(v, f); },
        "the patient's age (虚岁), for 行年人神 and 九宫尻神; never stored");
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
    p.Flag(
        "--dst-china", [&f] { f.chinaSummer = true; },
        "China page: readings of 1986-1991 (and the 1940s) that fall in China's summer time are taken on "
        "the clocks of then, an hour ahead of Beijing time");
    p.Flag(
        "--no-dst-china", [&f] { f.chinaSummer = false; },
        "China page: take every reading as Beijing time (the default), whatever the settings say");
    AddSpellingFlag(p, f.sixthStem);
}

void AddSpellingFlag(ArgParser& p, std::optional<SixthStem>& spelling) {
    p.Option(
        "--sixth-stem", "己|已", [&spelling](const std::string& v) { return ReadSixthStem(v, spelling); },
        "how the sixth stem is written in the output (default: the settings' 天干写法, 已 as the tables "
        "write it)");
}

std::string PlaceNote(const TickInput& input, SkipReason reason) {
    return SkipNote(input, reason);
}

ReferenceClock PrepareReference(const NowFlags& flags, TickInput& in, std::vector<std::string>& warnings) {
    const std::string zone = in.ianaZone;
    bool known = true;
    ReferenceClock clock;
    if (flags.at) {
        known = store::CoverReading(in, flags.at->reading);
        clock = [at = *flags.at] { return ClockReference(at.reading, at.offsetSeconds); };
    } else if (in.page == TimePage::Abroad && !in.ianaZone.empty() && store::IsKnownZone(in.ianaZone)) {
        // The zone's clock now: the instant itself, which also tells the two passes of a repeated hour apart.
        const Instant now = store::Now();
        known = store::CoverInstants(in, now - 3 * kMsPerDay, now + 3 * kMsPerDay);
        clock = [now] { return ClockReference::At(now); };
    } else {
        const DateTime reading = LocalClockNow();
        known = store::CoverReading(in, reading);
        clock = [reading] { return ClockReference(reading); };
    }
    if (!known)
        warnings.push_back("the tz-database zone \"" + zone +
                           "\" of the settings is unknown here; the fixed zone \"" + in.zoneText +
                           "\" is used");
    return clock;
}

int RunNow(const CommandArgs& args, CommandIo& io) {
    NowFlags flags;
    DatabaseFlag database;
    ArgParser parser("now", "", kSettingsNote);
    AddNowFlags(parser, flags);
    bool explain = false;
    parser.Flag(
        "--explain", [&explain] { explain = true; },
        "为什么？: after the usual output, how each result is worked out, step by step");
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
    std::vector<std::string> warnings;
    const ReferenceClock clock = PrepareReference(flags, input, warnings);
    // One tick after start-up: the memory is fresh, so there is no previous double-hour to compare.
    TickMemory memory;
    const TickView view = RunPipeline(input, FocusedText::None(), memory, *tables, nullptr, clock);
    if (auto outside = OutsideTheCalendar(view)) {
        io.err << parser.Error(*outside) << '\n';
        return kExitUsage;
    }
    if (auto note = ReadingNote(input, view, flags)) warnings.push_back(*note);
    // Scripts read the hint in the object in the core's words whatever the language; people read it in
    // theirs.
    const std::vector<Sentence> hint = store::ClockHint(input, view.referenceTime, !flags.at);
    std::vector<std::string> said = warnings;
    if (!hint.empty()) {
        warnings.push_back(SaidText(hint, kHintJoint));
        said.push_back(store::SaidHint(hint));
    }
    for (const std::string& w : said) io.err << "velunar-cli now: warning: " << w << '\n';
    // Flags are checked as they are read; what still cannot be read comes from the settings record, and
    // nothing worked out is no success.
    if (view.skipped)
        io.err << "velunar-cli now: the settings cannot be used: " << SkipNote(input, view.skipReason)
               << '\n';
    // Scripts find the warnings in the object, always there; the plain form lists them only when there are
    // any.
    Report report = NowReport(input, view,
                              flags.json      ? &warnings
                              : !said.empty() ? &said
                                              : nullptr,
                              InEnglish());
    const std::vector<Explanation> why = explain ? ExplainTick(view, *tables) : std::vector<Explanation>();
    if (explain && flags.json) report.Group("explain", ExplanationReport(why));
    if (flags.json)
        report.WriteJson(io.out);
    else
        report.WritePlain(io.out, PlainSpeech());
    if (explain && !flags.json) WriteExplanation(io.out, why);
    return view.skipped ? kExitFailure : kExitOk;
}

}  // namespace velunar::cli
