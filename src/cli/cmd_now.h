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
    std::optional<TypedReading> at;  // the chosen date and time (with its offset if typed); the clock when absent
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
    std::optional<bool> chinaSummer;  // --dst-china / --no-dst-china
    std::optional<SixthStem> sixthStem;
    bool json = false;
    // The 人神 lines: hidden, which reading, the patient's age (never stored).
    std::optional<bool> renShenShown;
    std::optional<RenShenReading> renShenReading;
    std::optional<int> age;
};

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

// A label of `velunar-cli zones`, or a text whose (GMT±hh:mm) offset the abroad page reads.
bool NamesAZone(std::string_view zone);

// The tick's inputs: the defaults with every given flag laid over them.
TickInput TickInputFrom(const NowFlags& flags, TickInput defaults = {});

// Why the time step could not use `input` (the longitude, summer time or zone it could not read).
std::string PlaceNote(const TickInput& input, SkipReason reason);

// The reference of one tick and the clocks the input needs around it: --at as typed, or the clock now (the
// instant itself on a tz-database zone's page; the machine's clock read as the page's clock otherwise).
// Warnings go to `warnings`: a stored tz-database zone the tz database does not know (the fixed zone is then
// used, as before the zone was chosen).
ReferenceClock PrepareReference(const NowFlags& flags, TickInput& input, std::vector<std::string>& warnings);

// The calendar's years: a tick whose reference, true solar time, Beijing time or day falls outside them is
// refused, never printed. The reason, or nothing when the tick lies inside.
inline constexpr const char* kCalendarRange = "0001-01-01 to 9999-12-31";
std::optional<std::string> OutsideTheCalendar(const TickView& view);

// What became of a typed reading on the page's clock, when there is anything to say: a reading the clocks
// skip or show twice, or an offset the clock does not have then.
std::optional<std::string> ReadingNote(const TickInput& input, const TickView& view, const NowFlags& flags);

// The fields `now` prints for one tick, every doctrine under its key; the warnings last (none: no field).
Report NowReport(const TickInput& input, const TickView& view, const std::vector<std::string>* warnings = nullptr);

}  // namespace velunar::cli
