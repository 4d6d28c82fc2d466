#pragma once
// Giving a place the clocks it needs, from whatever knows the tz-database zones: the system's tz database on
// the desktop, the browser's own zones in the browser edition. Both run these same rules, so a moment gives
// the same clock, summer time and hint in either.
#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "calendar/datetime.h"
#include "calendar/instant.h"
#include "calendar/tick.h"
#include "calendar/zone_hint.h"
#include "calendar/zone_timeline.h"

namespace velunar {

// The zone whose periods are China's summer time.
inline constexpr std::string_view kChinaZone = "Asia/Shanghai";

// A zone's offsets over the instants from..to (and before and after them, as the first and last periods say);
// nothing for a zone it does not know.
using ZoneSource = std::function<std::optional<ZoneTimeline>(std::string_view id, Instant from, Instant to)>;

// The zone's offset and summer time at the instant its clocks read `civil`, resolved as every reading is (a
// reading shown twice counts as the later; one inside a spring-forward gap as the offset after the change).
std::optional<ZoneFacts> ZoneFactsOn(const ZoneSource& zones, std::string_view id, DateTime civil);

// See store/tzdb.h: the same rules over any source of zones.
bool CoverInstantsFrom(const ZoneSource& zones, TickInput& place, Instant from, Instant to);
bool CoverDaysFrom(const ZoneSource& zones, TickInput& place, std::int64_t fromDay, std::int64_t toDay);
bool CoverReadingFrom(const ZoneSource& zones, TickInput& place, DateTime reading);

// The one-line hint of the page in front, as sentences (kHintJoint joins them); `machineOffsetMinutes` is the
// machine zone's offset when the reading is the machine's clock read as Beijing time, nothing otherwise.
std::vector<Sentence> ClockHintFrom(const ZoneSource& zones, const TickInput& in, DateTime reference,
                                    std::optional<int> machineOffsetMinutes);

}  // namespace velunar
