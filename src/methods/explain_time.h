#pragma once
// Why the tick names the day and double-hour it names: the clock reading, the zone and summer time, the
// longitude correction, the equation of time, true solar time, the double-hour and the day and hour 干支
// under the time mode. It reads only what the tick took in and what it worked out, and leaves the time
// step itself alone; the last step names the view's day and hour 干支.
#include "calendar/tick.h"
#include "methods/derivation.h"

namespace velunar {

struct TickView;

Derivation ExplainTime(const TickInput& in, const TickView& v);

}  // namespace velunar
