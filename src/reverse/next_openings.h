#pragma once
// When, within a clinic's hours, a treatment's points next open: the reverse lookup's openings of each point,
// taken with their clock spans, kept where a second of the span lies inside the hours, in order of time.
// Each point's line tails are made once; the walk runs over a few dates first and goes further only while the
// openings asked for are not all found, so a year ahead costs about what the openings of a year cost.
#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "methods/clock_span.h"
#include "reverse/clinic_hours.h"
#include "reverse/opening_spans.h"
#include "reverse/openings.h"

namespace velunar {

struct NextOpening {
    Opening opening;
    std::size_t point = 0;          // which of the search's points
    ClockSpan span;                 // the opening's whole span on the clock
    std::vector<ClockSpan> inside;  // the parts of it inside the hours, in order; at least one
};

// The order of the listing: by the span's first second, then the point's place among the points, then the
// doctrine's place in the report, then the line's place among its date's.
bool ListedBefore(const NextOpening& a, const NextOpening& b);

// The parts of a span inside `hours` (ordered ranges, as HoursBetween gives them), each as a span of whole
// seconds with the clock's offsets at its ends.
std::vector<ClockSpan> PartsInside(const ClockSpan& span, const std::vector<InstantRange>& hours,
                                   const ZoneTimeline& clock);

// How far ahead Next looks at most: three years of dates.
inline constexpr std::int64_t kNextHorizonDays = 3 * 366;

class NextOpenings {
  public:
    // `points` as typed (a superseded spelling is looked up as its standard, as the reverse lookup does; a
    // point given twice counts once); `doctrines` those that count (empty: every one). `place` must give
    // clock spans (SpanPlaceFault none, a time mode) for the instants that will be asked about.
    NextOpenings(std::vector<std::string> points, std::vector<DoctrineId> doctrines, const TickInput& place,
                 ClinicHours hours, const ReferenceTables& tables);

    // The first `count` openings with a second inside the hours at or after `from`, looked for over the dates
    // up to `horizonDays` after from's.
    std::vector<NextOpening> Next(Instant from, std::size_t count,
                                  std::int64_t horizonDays = kNextHorizonDays);
    // Every opening with a second inside the hours in [from, to).
    std::vector<NextOpening> Between(Instant from, Instant to);
    // Whether the last Next stopped at its horizon with fewer openings than asked.
    bool ReachedHorizon() const { return reachedHorizon_; }

    // The points as they are looked up, one each.
    const std::vector<std::string>& Points() const { return points_; }
    const OpeningTexts& TextsOf(std::size_t point) const { return *texts_.at(point); }
    // The reverse lookup's line of an opening: "2026-12-09巳时，灵龟穴位=公孙".
    std::string Line(const NextOpening& o) const { return texts_.at(o.point)->Line(o.opening); }
    const ZoneTimeline& Clock() const { return clock_->Clock(); }

  private:
    // The openings of dates firstDay..lastDay with a second inside the hours in [from, to), added to `found`.
    void Scan(std::int64_t firstDay, std::int64_t lastDay, Instant from, Instant to,
              std::vector<NextOpening>& found);
    // No span of date `day` or later starts before this instant.
    Instant EarliestStartOf(std::int64_t day) const;
    std::int64_t DateAround(Instant i) const;

    std::vector<std::string> points_;
    std::vector<bool> counts_;  // by DoctrineId
    TickInput place_;
    ClinicHours hours_;
    std::optional<PlaceClock> clock_;
    std::int64_t solarAhead_ = 0;  // the effective time's reading less UTC's, at the first instant asked
    bool solarKnown_ = false;
    std::vector<std::shared_ptr<const OpeningTexts>> texts_;
    std::vector<OpeningSpans> spans_;
    bool reachedHorizon_ = false;
};

}  // namespace velunar
