#pragma once
// The place and mode flags that `now` reads (and the planning commands will), laid over the settings, and the
// report of one tick's TickView.
#include <optional>
#include <string>
#include <string_view>

#include "calendar/tick.h"
#include "cli/args.h"
#include "cli/report.h"
#include "methods/pipeline.h"

namespace velunar::cli {

// The closing lines of now's --help.
inline constexpr const char* kSettingsNote =
    "Whatever no flag gives (time mode, longitudes, zone, summer time, 仅仅使用北京时间, the page in\n"
    "front) comes from the settings record of the database, as the main window reads it; flags never\n"
    "change the record.\n";

// What the flags said; an absent value leaves the default input alone.
struct NowFlags {
    std::optional<DateTime> at;  // the chosen date and time; the clock when absent
    std::optional<TimeMode> mode;
    std::optional<std::string> longitude;
    std::optional<bool> onlyBeijing;
    std::optional<bool> abroad;
    std::optional<std::string> summer;
    std::optional<std::string> zone;
    std::optional<std::string> eastWest;
    std::optional<std::string> abroadLongitude;
    std::optional<EotSource> eot;
    std::optional<std::string> tz;  // a tz-database zone id (or 本机时区); puts the abroad page in front
    bool json = false;
};

// --at, --mode, --longitude, --beijing/--no-beijing, --china/--abroad, --summer, --zone, --tz, --ew, --lon,
// --eot, --json.
void AddNowFlags(ArgParser& parser, NowFlags& flags);
// The place and mode flags alone (--mode to --lon), for the commands that plan rather than tell the time.
void AddPlaceFlags(ArgParser& parser, NowFlags& flags);

// A label of `velunar-cli zones`, or a text whose (GMT±hh:mm) offset the abroad page reads.
bool NamesAZone(std::string_view zone);

// The tick's inputs: the defaults with every given flag laid over them.
TickInput TickInputFrom(const NowFlags& flags, TickInput defaults = {});

// Why the time step could not use `input` (the longitude, summer time or zone it could not read).
std::string PlaceNote(const TickInput& input, SkipReason reason);

// A tz-database zone given by --tz or stored in the settings, resolved for the reference reading: the zone's
// standard offset and summer time are laid over the abroad inputs. Returns an error text for a stored zone
// the tz database does not know (the fixed zone is then used, as before the zone was chosen). `live`: the
// reference is the clock read now, whose offsets are those in force at this instant.
std::optional<std::string> ResolveZone(TickInput& input, DateTime reference, bool live);

// The reference reading when --at is absent: the machine's clock, or the clock of the tz-database zone in
// use on the abroad page.
ReferenceClock ClockFor(const NowFlags& flags, const TickInput& input);

// The fields `now` prints for one tick, every doctrine under its key.
Report NowReport(const TickInput& input, const TickView& view);

}  // namespace velunar::cli
