#include "reverse/next_openings.h"

#include <algorithm>
#include <limits>

#include "methods/point_aliases.h"
#include "reverse/reverse.h"

namespace velunar {
namespace {

// How far the effective time's lead on UTC drifts from its value at one instant: the equation of time's
// whole swing (about 31 minutes) and the table's steps, with room to spare.
constexpr std::int64_t kSolarDrift = 40 * 60'000;

std::int64_t FloorDay(std::int64_t readingMs) {
    return readingMs >= 0 ? readingMs / kMsPerDay : -((-readingMs + kMsPerDay - 1) / kMsPerDay);
}

class Gather : public ReverseSink {
  public:
    explicit Gather(const std::vector<bool>& counts) : counts_(counts) {}
    void Found(const Doctrine& d, const Opening* openings, std::size_t count, const OpeningTexts&) override {
        if (!counts_[static_cast<std::size_t>(d.Id())]) return;
        found.insert(found.end(), openings, openings + count);
    }
    std::vector<Opening> found;

  private:
    const std::vector<bool>& counts_;
};

int RankOf(DoctrineId id) {
    return DoctrineOf(id).ReportRank();
}

ClockSpan PartOf(Instant start, Instant end, const ZoneTimeline& clock) {
    ClockSpan part;
    part.start = start;
    part.end = end;
    part.startOffset = clock.At(start);
    part.endOffset = clock.At(end);
    part.startPass = clock.PassAt(start, &part.startOther);
    part.endPass = clock.PassAt(end, &part.endOther);
    return part;
}

}  // namespace

bool ListedBefore(const NextOpening& a, const NextOpening& b) {
    if (a.span.start != b.span.start) return a.span.start < b.span.start;
    if (a.point != b.point) return a.point < b.point;
    const int ra = RankOf(a.opening.Doctrine()), rb = RankOf(b.opening.Doctrine());
    if (ra != rb) return ra < rb;
    if (a.opening.day != b.opening.day) return a.opening.day < b.opening.day;
    return a.opening.tail < b.opening.tail;
}

std::vector<ClockSpan> PartsInside(const ClockSpan& span, const std::vector<InstantRange>& hours,
                                   const ZoneTimeline& clock) {
    std::vector<ClockSpan> parts;
    // The span holds the seconds start..end: the instants [start, end + 1 s).
    const Instant after = span.end + kMsPerSecond;
    auto r = std::upper_bound(hours.begin(), hours.end(), span.start,
                              [](Instant i, const InstantRange& h) { return i < h.end; });
    for (; r != hours.end() && r->start < after; ++r) {
        const Instant a = std::max(r->start, span.start), b = std::min(r->end, after);
        if (b - a >= kMsPerSecond) parts.push_back(PartOf(a, b - kMsPerSecond, clock));
    }
    return parts;
}

NextOpenings::NextOpenings(std::vector<std::string> points, std::vector<DoctrineId> doctrines,
                           const TickInput& place, ClinicHours hours, const ReferenceTables& tables)
    : counts_(Doctrines().size(), doctrines.empty()), place_(place), hours_(std::move(hours)) {
    for (DoctrineId id : doctrines) counts_.at(static_cast<std::size_t>(id)) = true;
    for (const std::string& typed : points) {
        const std::string name(CanonicalPointName(typed));
        if (name.empty() || std::find(points_.begin(), points_.end(), name) != points_.end()) continue;
        points_.push_back(name);
        // The tails of a whole cycle: every date of any range is one of them.
        texts_.push_back(std::make_shared<const OpeningTexts>(name, 0, OpeningTexts::kCycle - 1, tables));
        spans_.emplace_back(place_);
    }
    const auto clock = PlaceClock::Of(place_);
    if (const PlaceClock* c = std::get_if<PlaceClock>(&clock)) clock_ = *c;
}

std::int64_t NextOpenings::DateAround(Instant i) const {
    return FloorDay(clock_->EffectiveMs(i));
}

Instant NextOpenings::EarliestStartOf(std::int64_t day) const {
    const std::vector<HourSlot> slots = HourSlotsOf(day, place_.timeMode.value_or(TimeMode::NoNightRat));
    return InstantOfReadingMs(slots.front().solarStart - solarAhead_ - kSolarDrift, 0);
}

void NextOpenings::Scan(std::int64_t firstDay, std::int64_t lastDay, Instant from, Instant to,
                        std::vector<NextOpening>& found) {
    if (lastDay < firstDay) return;
    // Every span of these dates lies between the first start of the first and the first start two dates on.
    const std::vector<InstantRange> hours =
        HoursBetween(hours_, clock_->Clock(), EarliestStartOf(firstDay) - kMsPerDay,
                     EarliestStartOf(lastDay + 2) + 2 * kSolarDrift + kMsPerDay);
    for (std::size_t p = 0; p < points_.size(); ++p) {
        Gather gather(counts_);
        ReverseSearch(texts_[p], firstDay, lastDay, gather);
        for (const Opening& o : gather.found) {
            const std::optional<ClockSpan> span = spans_[p].Of(o);
            if (!span || span->end < from || span->start >= to) continue;
            std::vector<ClockSpan> inside = PartsInside(*span, hours, clock_->Clock());
            const bool inRange = std::any_of(inside.begin(), inside.end(), [&](const ClockSpan& s) {
                return s.end >= from && s.start < to;
            });
            if (inRange) found.push_back({o, p, *span, std::move(inside)});
        }
    }
}

std::vector<NextOpening> NextOpenings::Next(Instant from, std::size_t count, std::int64_t horizonDays) {
    reachedHorizon_ = false;
    std::vector<NextOpening> found;
    if (count == 0 || !clock_ || points_.empty() || hours_.IsEmpty()) {
        reachedHorizon_ = count > 0;
        return found;
    }
    solarAhead_ = clock_->EffectiveMs(from) - ReadingMsAt(from, 0);
    const std::int64_t first = DateAround(from) - 1, horizon = DateAround(from) + horizonDays;
    const Instant never{std::numeric_limits<std::int64_t>::max()};
    std::int64_t length = 7;
    for (std::int64_t day = first; day <= horizon; day += length, length *= 2) {
        const std::int64_t last = std::min(horizon, day + length - 1);
        Scan(day, last, from, never, found);
        std::sort(found.begin(), found.end(), ListedBefore);
        if (found.size() > count) found.resize(count);
        // Nothing of a later date can come before the last one kept.
        if (found.size() == count && found.back().span.start < EarliestStartOf(last + 1)) return found;
    }
    reachedHorizon_ = found.size() < count;
    return found;
}

std::vector<NextOpening> NextOpenings::Between(Instant from, Instant to) {
    std::vector<NextOpening> found;
    if (!clock_ || to <= from || hours_.IsEmpty()) return found;
    solarAhead_ = clock_->EffectiveMs(from) - ReadingMsAt(from, 0);
    std::int64_t last = DateAround(from);
    while (EarliestStartOf(last + 1) < to) ++last;
    Scan(DateAround(from) - 1, last, from, to, found);
    std::sort(found.begin(), found.end(), ListedBefore);
    return found;
}

}  // namespace velunar
