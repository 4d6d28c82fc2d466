#pragma once
// The place and mode flags that `now` reads (and the planning commands will), laid over the settings; their
// values and the report of one tick live in report/now_report.h.
#include <optional>
#include <string>
#include <string_view>

#include "calendar/tick.h"
#include "cli/args.h"
#include "methods/pipeline.h"
#include "report/now_report.h"

namespace velunar::cli {

// The closing lines of now's --help.
inline constexpr const char* kSettingsNote =
    "Whatever no flag gives (time mode, longitudes, zone, summer time, 仅仅使用北京时间, the page in\n"
    "front) comes from the settings record of the database, as the main window reads it; flags never\n"
    "change the record.\n";

// --at, --mode, --longitude, --beijing/--no-beijing, --china/--abroad, --summer, --zone, --tz, --ew, --lon,
// --eot, --dst-china, --sixth-stem, --json.
void AddNowFlags(ArgParser& parser, NowFlags& flags);
// --no-renshen, --renshen-source, --age: the 人神 lines, over the settings.
void AddTabooFlags(ArgParser& parser, NowFlags& flags);
// The place and mode flags alone (--mode to --dst-china), for the commands that plan rather than tell the
// time.
void AddPlaceFlags(ArgParser& parser, NowFlags& flags);
// --sixth-stem: every command that writes a stem.
void AddSpellingFlag(ArgParser& parser, std::optional<SixthStem>& spelling);

// Why the time step could not use `input` (the longitude, summer time or zone it could not read).
std::string PlaceNote(const TickInput& input, SkipReason reason);

// The reference of one tick and the clocks the input needs around it: --at as typed, or the clock now (the
// instant itself on a tz-database zone's page; the machine's clock read as the page's clock otherwise).
// Warnings go to `warnings`: a stored tz-database zone the tz database does not know (the fixed zone is then
// used, as before the zone was chosen).
ReferenceClock PrepareReference(const NowFlags& flags, TickInput& input, std::vector<std::string>& warnings);

}  // namespace velunar::cli
