#include "cli/clock_spans.h"

#include "calendar/datetime.h"
#include "cli/database_access.h"

namespace velunar::cli {

void AddClockFlags(ArgParser& parser, ClockFlags& flags) {
    parser.Flag(
        "--clock", [&flags] { flags.clock = true; },
        "give each double-hour its span on the clock of the place (the flags below and the settings)");
    AddPlaceFlags(parser, flags.place);
}

std::optional<TickInput> ClockPlaceFor(const char* command, const ClockFlags& flags, store::Database& db,
                                       CommandIo& io) {
    TickInput place = TickInputFrom(flags.place, SettingsTickInput(db));
    // A tz-database zone's summer time changes within a range, and the spans take one offset for all of it:
    // a range in such a zone is refused rather than given an hour off for part of it.
    if (flags.place.tz) {
        io.err << "velunar-cli " << command << ": --tz is for one moment (now, dial); spans over a range take "
               << "the fixed zone with --zone and --summer" << '\n';
        return std::nullopt;
    }
    if (!place.ianaZone.empty()) {
        io.err << "velunar-cli " << command << ": warning: the spans take the fixed zone \"" << place.zoneText
               << "\" and the summer time entered, not the tz-database zone \"" << place.ianaZone << "\"\n";
        place.ianaZone.clear();
    }
    // The place either works for every reading or for none: one reading tells.
    TickInput probe = place;
    probe.hint = false;
    const TickResult r = RunTick(probe, Moment{}, [] { return MakeDateTime(2000, 1, 1, 12); });
    if (r.skipped) {
        io.err << "velunar-cli " << command
               << ": no clock spans for this place: " << PlaceNote(place, r.skipReason) << '\n';
        return std::nullopt;
    }
    return place;
}

std::string IsoSecond(DateTime t) {
    std::string text = FormatIso(t);
    text[10] = 'T';
    return text;
}

std::string SpanText(std::int64_t day, const ClockSpan& span) {
    auto end = [day](DateTime t) {
        const std::string text = FormatIso(t);
        return WholeDay(t) == day ? text.substr(11) : text;
    };
    return end(span.start) + "–" + end(span.end);
}

std::optional<LineHour> HourOfLine(std::string_view line) {
    if (line.size() < 10) return std::nullopt;
    const std::optional<std::int64_t> day = ReadDate(std::string(line.substr(0, 10)));
    const std::size_t hour = line.find("时", 10);
    constexpr std::size_t kCjk = std::string_view("子").size();
    if (!day || hour == std::string_view::npos || hour < 10 + kCjk) return std::nullopt;
    if (line.substr(10).starts_with("全部时辰")) return LineHour{*day, Branch::None};
    const int branch = BranchNumber(line.substr(hour - kCjk, kCjk));
    if (branch == kNoBranch) return std::nullopt;
    return LineHour{*day, BranchAt(branch)};
}

}  // namespace velunar::cli
