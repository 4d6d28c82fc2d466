#include "calendar/zone_timeline.h"

#include <algorithm>
#include <stdexcept>

namespace velunar {

ZoneTimeline::ZoneTimeline(std::vector<ZonePeriod> periods) : periods_(std::move(periods)) {
    if (periods_.empty()) throw std::invalid_argument("a zone timeline needs at least one period");
}

const ZonePeriod& ZoneTimeline::At(DateTime local) const {
    const auto after = std::upper_bound(periods_.begin(), periods_.end(), local,
                                        [](DateTime t, const ZonePeriod& p) { return t < p.localStart; });
    return after == periods_.begin() ? periods_.front() : *(after - 1);
}

}  // namespace velunar
