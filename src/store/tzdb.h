#pragma once
// The system's tz database, through QTimeZone, for the abroad page's automatic zone and the clock hints.
// The core stays free of it: what is read here reaches the time step as minutes in TickInput.
#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "calendar/datetime.h"
#include "calendar/tick.h"
#include "calendar/zone_hint.h"
#include "calendar/zone_timeline.h"

namespace velunar::store {

// The choice that stands for the machine's own zone, first in the window's list and accepted by --tz.
inline constexpr std::string_view kMachineZone = "本机时区";

// The zone ids the tz database knows, sorted, kMachineZone first.
std::vector<std::string> ZoneChoices();
// An id the tz database knows, or kMachineZone.
bool IsKnownZone(std::string_view id);

// The zone's offset and summer time at the instant its clocks read `civil` (a clock reading inside a
// spring-forward gap counts as the later offset). Nothing for an unknown id.
std::optional<ZoneFacts> ZoneFactsAt(std::string_view id, DateTime civil);
// The same for the zone a fixed label stands for; nothing when it names none.
std::optional<ZoneFacts> LabelZoneFactsAt(std::string_view label, DateTime civil);
// The machine zone's offset when its clock reads `civil`.
int MachineOffsetMinutesAt(DateTime civil);
// What the zone's clocks read now.
DateTime ZoneClockNow(std::string_view id);

// Lays a known zone over the abroad inputs for the reference reading: its standard offset, its summer time in
// the summer box, its id. Returns false (and leaves `in` alone) for an unknown id.
bool ApplyZone(TickInput& in, std::string_view id, DateTime reference);
// The same for a live reading of the clock, at the instant it was read (milliseconds since 1970 UTC): the
// offsets in force then, which also tell the two passes of an hour the clocks show twice apart (a reading
// alone counts as the later one).
bool ApplyZoneAtInstant(TickInput& in, std::string_view id, std::int64_t utcMilliseconds);
// The instant now, for ApplyZoneAtInstant.
std::int64_t NowUtcMilliseconds();

// The zone's offsets for every clock reading from `fromCivil` to `toCivil`, for a range of dates whose
// readings cross its summer-time changes; nothing for an unknown id. At(t) agrees with ZoneFactsAt(id, t).
std::shared_ptr<const ZoneTimeline> ZoneTimelineOf(std::string_view id, DateTime fromCivil, DateTime toCivil);

// Gives a place abroad with a tz-database zone that zone's offsets for the whole of the days fromDay..toDay,
// from the evening before the first (its 子 double-hour) to the morning after the last. False when the zone
// is unknown here: the place then keeps its fixed zone (its id is cleared). Any other place is left alone.
bool CoverDays(TickInput& place, std::int64_t fromDay, std::int64_t toDay);

// The one-line hint of the page in front for a tick's inputs and its reference reading: the abroad page with
// a fixed zone compares it with the tz database; the China page compares the machine's zone with UTC+8
// (only when the reading is the machine's clock). Empty when there is nothing to say.
std::string ClockHint(const TickInput& in, DateTime reference, bool readingIsMachineClock);

}  // namespace velunar::store
