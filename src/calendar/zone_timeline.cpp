#include "calendar/zone_timeline.h"

#include <algorithm>
#include <stdexcept>

namespace velunar {
namespace {

// No clock is further than this from UTC (the tz database's extremes are about 15.5 hours).
constexpr std::int64_t kFarthestOffsetMs = 16 * 3'600'000LL;

}  // namespace

ZoneTimeline::ZoneTimeline(ZoneOffset fixed)
    : periods_(std::make_shared<const std::vector<ZonePeriod>>(std::vector<ZonePeriod>{{Instant{}, fixed}})) {}

ZoneTimeline::ZoneTimeline(std::vector<ZonePeriod> periods) {
    if (periods.empty()) throw std::invalid_argument("a zone timeline needs at least one period");
    periods_ = std::make_shared<const std::vector<ZonePeriod>>(std::move(periods));
}

std::size_t ZoneTimeline::IndexAt(Instant i) const {
    const std::vector<ZonePeriod>& p = *periods_;
    const auto after =
        std::upper_bound(p.begin(), p.end(), i, [](Instant t, const ZonePeriod& z) { return t < z.start; });
    return after == p.begin() ? 0 : static_cast<std::size_t>(after - p.begin() - 1);
}

ZoneOffset ZoneTimeline::At(Instant i) const {
    return (*periods_)[IndexAt(i)].offset;
}

std::vector<Instant> ZoneTimeline::InstantsOf(DateTime reading) const {
    const std::vector<ZonePeriod>& p = *periods_;
    const Instant asUtc = InstantAt(reading, 0);
    std::vector<Instant> found;
    const std::size_t last = IndexAt(asUtc + kFarthestOffsetMs);
    for (std::size_t k = IndexAt(asUtc - kFarthestOffsetMs); k <= last; ++k) {
        const Instant i = InstantAt(reading, p[k].offset.Total());
        if ((k == 0 || i >= p[k].start) && (k + 1 == p.size() || i < p[k + 1].start)) found.push_back(i);
    }
    return found;
}

ResolvedReading ZoneTimeline::Resolve(DateTime reading, std::optional<int> offsetSeconds) const {
    const std::vector<Instant> passes = InstantsOf(reading);
    ResolvedReading r;
    if (offsetSeconds) {
        r.instant = InstantAt(reading, *offsetSeconds);
        r.offset = At(r.instant);
        if (r.offset.Total() != *offsetSeconds) {
            r.fit = ReadingFit::Offset;
        } else if (passes.size() == 2) {
            const bool earlier = r.instant == passes.front();
            r.fit = earlier ? ReadingFit::Earlier : ReadingFit::Later;
            r.other = At(earlier ? passes.back() : passes.front());
        }
        return r;
    }
    if (!passes.empty()) {
        r.instant = passes.back();
        r.offset = At(r.instant);
        if (passes.size() == 2) {
            r.fit = ReadingFit::Later;
            r.other = At(passes.front());
        }
        return r;
    }
    // Skipped: the reading lies in the gap a change opened. Counted with the offset before the change, it
    // lands as far past the change as it lies past the last reading before it.
    const std::vector<ZonePeriod>& p = *periods_;
    const Instant asUtc = InstantAt(reading, 0);
    for (std::size_t k = std::max<std::size_t>(1, IndexAt(asUtc - kFarthestOffsetMs));
         k < p.size() && p[k].start <= asUtc + kFarthestOffsetMs; ++k) {
        const ZoneOffset before = p[k - 1].offset;
        const Instant i = InstantAt(reading, before.Total());
        if (i >= p[k].start && InstantAt(reading, p[k].offset.Total()) < p[k].start) {
            r.instant = i;
            r.offset = At(i);
            r.fit = ReadingFit::Skipped;
            r.other = before;
            return r;
        }
    }
    // Not reached for a consistent timeline; the reading as UTC keeps the caller going.
    r.instant = asUtc;
    r.offset = At(asUtc);
    return r;
}

Pass ZoneTimeline::PassAt(Instant i, ZoneOffset* other) const {
    const std::vector<ZonePeriod>& p = *periods_;
    const std::size_t k = IndexAt(i);
    const int here = p[k].offset.Total();
    // Just after a change that set the clocks back, they show again what they showed just before it.
    if (k > 0 && i >= p[k].start) {
        const std::int64_t back = static_cast<std::int64_t>(p[k - 1].offset.Total() - here) * kMsPerSecond;
        if (back > 0 && i - p[k].start < back) {
            if (other) *other = p[k - 1].offset;
            return Pass::Second;
        }
    }
    if (k + 1 < p.size()) {
        const std::int64_t back = static_cast<std::int64_t>(here - p[k + 1].offset.Total()) * kMsPerSecond;
        if (back > 0 && p[k + 1].start - i <= back) {
            if (other) *other = p[k + 1].offset;
            return Pass::First;
        }
    }
    return Pass::Once;
}

}  // namespace velunar
