#pragma once
// The system's tz database, through QTimeZone, for the abroad page's automatic zone, China's summer time of
// 1986–1991 and the clock hints. The core stays free of it: what is read here reaches the time step as a
// ZoneTimeline in TickInput, the zone's offsets by instant.
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "calendar/datetime.h"
#include "calendar/instant.h"
#include "calendar/tick.h"
#include "calendar/zone_cover.h"
#include "calendar/zone_hint.h"
#include "calendar/zone_timeline.h"

namespace velunar::store {

// The choice that stands for the machine's own zone, first in the window's list and accepted by --tz.
inline constexpr std::string_view kMachineZone = "本机时区";
// The zone whose periods are China's summer time.
using velunar::kChinaZone;

// The zone ids the tz database lists, sorted, kMachineZone first.
std::vector<std::string> ZoneChoices();
// An id the tz database knows (its links too: Etc/UTC, US/Eastern, Asia/Calcutta), or kMachineZone.
bool IsKnownZone(std::string_view id);
// Every name the tz database answers to, its links included, sorted: what a mistyped name is compared with.
std::vector<std::string> ZoneNames();

// The zone's offset and summer time at the instant its clocks read `civil` (a reading shown twice counts as
// the later; one inside a spring-forward gap as the offset after the change). Nothing for an unknown id.
std::optional<ZoneFacts> ZoneFactsAt(std::string_view id, DateTime civil);
// The same for the zone a fixed label stands for; nothing when it names none.
std::optional<ZoneFacts> LabelZoneFactsAt(std::string_view label, DateTime civil);
// The machine zone's offset when its clock reads `civil`.
int MachineOffsetMinutesAt(DateTime civil);

// The instant now.
Instant Now();
// What the machine's own clock reads now, as the China page and a fixed zone abroad take the clock.
DateTime MachineClockNow();

// The zone's offsets over the instants from..to (and before and after them, as the first and last periods
// say); nothing for an unknown id.
std::optional<ZoneTimeline> ZoneTimelineOf(std::string_view id, Instant from, Instant to);

// Gives a place the clocks it needs for the instants from..to: a tz-database zone's offsets on the abroad
// page (its id is cleared, and false returned, when the zone is unknown here: the place then keeps its fixed
// zone), and China's summer time on the China page when chinaSummerTime asks for it. Any other place is left
// alone.
bool CoverInstants(TickInput& place, Instant from, Instant to);
// The same for the whole of the days fromDay..toDay, from the evening before the first (its 子 double-hour)
// to the morning after the last.
bool CoverDays(TickInput& place, std::int64_t fromDay, std::int64_t toDay);
// The same for a reading of the page's clock and the days around it (its double-hour's span, the dial's day).
bool CoverReading(TickInput& place, DateTime reading);

// China's summer time at a reading of Beijing clocks: the minutes the clocks were ahead of Beijing time then
// (0 outside the years China kept it).
int ChinaSummerMinutesAt(DateTime reading);

// The one-line hint of the page in front for a tick's inputs and its reference reading: the abroad page with
// a fixed zone compares it with the tz database; the China page compares the machine's zone with UTC+8
// (only when the reading is the machine's clock) and names China's summer time where the reading falls in it.
// None when there is nothing to say.
std::vector<Sentence> ClockHint(const TickInput& in, DateTime reference, bool readingIsMachineClock);
// A hint's sentences in the language in force, joined; empty for none. `now --json` and the browser edition
// keep the core's Chinese (SaidText with no translation): a script reading them sees one text in any
// language.
std::string SaidHint(const std::vector<Sentence>& hint);

}  // namespace velunar::store
