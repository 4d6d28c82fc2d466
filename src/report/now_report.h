#pragma once
// The fields of `now` for one tick, as the command line prints them and the browser edition returns them,
// and the flags that lay a run's choices over the settings: one definition, so both give the same keys.
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "calendar/instant.h"
#include "calendar/tick.h"
#include "methods/pipeline.h"
#include "report/report.h"

namespace velunar {

// What the flags said; an absent value leaves the default input alone.
struct NowFlags {
    std::optional<TypedReading>
        at;  // the chosen date and time (with its offset if typed); the clock when absent
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

// A label of `velunar-cli zones`, or a text whose (GMT±hh:mm) offset the abroad page reads.
bool NamesAZone(std::string_view zone);

// The tick's inputs: the defaults with every given flag laid over them.
TickInput TickInputFrom(const NowFlags& flags, TickInput defaults = {});

// The calendar's years: a tick whose reference, true solar time, Beijing time or day falls outside them is
// refused, never printed. The reason, or nothing when the tick lies inside.
inline constexpr const char* kCalendarRange = "0001-01-01 to 9999-12-31";
std::optional<std::string> OutsideTheCalendar(const TickView& view);

// What became of a typed reading on the page's clock, when there is anything to say: a reading the clocks
// skip or show twice, or an offset the clock does not have then.
std::optional<std::string> ReadingNote(const TickInput& input, const TickView& view, const NowFlags& flags);

// The fields `now` prints for one tick, every doctrine under its key; the warnings last (none: no field).
// `english`: the plain form's words for the lunar fields in English (JSON is the same either way).
Report NowReport(const TickInput& input, const TickView& view,
                 const std::vector<std::string>* warnings = nullptr, bool english = false);

}  // namespace velunar
