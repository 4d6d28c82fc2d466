#include "cli/clock_spans.h"

#include "calendar/datetime.h"
#include "cli/database_access.h"
#include "store/tzdb.h"

namespace velunar::cli {

std::optional<std::string> ClockFlagsConflict(const ClockFlags& flags) {
    if (flags.place.tz && flags.place.summer)
        return "--summer cannot go with --tz: the zone gives its own summer time";
    return std::nullopt;
}

void AddClockFlags(ArgParser& parser, ClockFlags& flags) {
    parser.Flag(
        "--clock", [&flags] { flags.clock = true; },
        "give each double-hour its span on the clock of the place (the flags below and the settings)");
    AddPlaceFlags(parser, flags.place);
}

std::optional<TickInput> ClockPlaceFor(const char* command, const ClockFlags& flags, store::Database& db,
                                       CommandIo& io, std::int64_t fromDay, std::int64_t toDay) {
    std::optional<TickInput> stored = SettingsPlace(command, flags.place, db, io);
    if (!stored) return std::nullopt;
    TickInput place = *stored;
    // A tz-database zone's summer time changes within a range: each reading takes the offsets in force then.
    const std::string zone = place.ianaZone;
    if (!store::CoverDays(place, fromDay, toDay))
        io.err << "velunar-cli " << command << ": warning: the tz-database zone \"" << zone
               << "\" of the settings is unknown here; the fixed zone \"" << place.zoneText << "\" is used\n";
    if (const auto fault = SpanPlaceFault(place)) {
        io.err << "velunar-cli " << command << ": no clock spans for this place: " << PlaceNote(place, *fault)
               << '\n';
        return std::nullopt;
    }
    return place;
}

std::string IsoStart(const ClockSpan& span) {
    return FormatIsoInstant(span.start, span.startOffset.Total());
}

std::string IsoEnd(const ClockSpan& span) {
    return FormatIsoInstant(span.end, span.endOffset.Total());
}

}  // namespace velunar::cli
