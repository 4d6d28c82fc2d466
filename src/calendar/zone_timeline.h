#pragma once
// A tz-database zone's offsets over a range of clock readings, read once from the tz database by the caller
// and then looked up by the time step for every reading. A range that crosses a summer-time change (a
// schedule or reverse lookup over a year) needs the offset of each reading, not of the first.
#include <vector>

#include "calendar/datetime.h"

namespace velunar {

struct ZonePeriod {
    DateTime localStart = 0.0;  // the first clock reading of the period, in the zone's own clock
    int standardMinutes = 0;    // the standard offset, minutes east of Greenwich
    int summerMinutes = 0;      // the summer time in force on top of it
};

class ZoneTimeline {
  public:
    // Periods in order of localStart; the first one also covers every reading before it.
    explicit ZoneTimeline(std::vector<ZonePeriod> periods);
    // The period of the clock reading `local`. A reading the clocks skip or show twice belongs to the later
    // period (the tz database's own answer for such readings).
    const ZonePeriod& At(DateTime local) const;
    const std::vector<ZonePeriod>& Periods() const { return periods_; }

  private:
    std::vector<ZonePeriod> periods_;
};

}  // namespace velunar
