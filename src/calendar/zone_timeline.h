#pragma once
// A clock's offsets from UTC over time, by instant: one fixed offset (Beijing time, a zone of the list with
// the summer time typed), or a tz-database zone's periods, read once from the tz database by the caller.
// By instant there is no ambiguity; only a clock reading can be skipped or shown twice, and Resolve is the
// one place that decides which instant such a reading names.
#include <memory>
#include <optional>
#include <vector>

#include "calendar/datetime.h"
#include "calendar/instant.h"

namespace velunar {

struct ZoneOffset {
    int standardSeconds = 0;  // the standard offset, seconds east of Greenwich
    int summerSeconds = 0;    // the summer time in force on top of it
    int Total() const { return standardSeconds + summerSeconds; }
    bool operator==(const ZoneOffset&) const = default;
};

struct ZonePeriod {
    Instant start;  // the instant the offset comes into force
    ZoneOffset offset;
};

// Where an instant's reading stands on its clock: shown once, or the first or second time of a reading the
// clocks show twice (the night they go back).
enum class Pass { Once, First, Second };

// What a reading was taken to mean.
enum class ReadingFit {
    Once,       // the clock shows it once
    Later,      // shown twice; taken as the later pass (the clock's own answer)
    Earlier,    // shown twice; the earlier pass, as its offset named it
    Skipped,    // the clocks skip it; taken as the clock would have moved on (the offset before the change)
    Offset,     // named by an offset the clock does not have then: the instant that offset names
};

struct ResolvedReading {
    Instant instant;
    ZoneOffset offset;  // the clock's offset at the instant
    ReadingFit fit = ReadingFit::Once;
    // For a reading shown twice, the other pass's offset; for a skipped one, the offset after the change.
    std::optional<ZoneOffset> other;
};

class ZoneTimeline {
  public:
    explicit ZoneTimeline(ZoneOffset fixed);
    // Periods in order of start; the first also covers every instant before it. At least one.
    explicit ZoneTimeline(std::vector<ZonePeriod> periods);

    ZoneOffset At(Instant i) const;
    const std::vector<ZonePeriod>& Periods() const { return *periods_; }
    bool Fixed() const { return periods_->size() == 1; }

    // The instant a reading of this clock names. An offset (typed with the reading, or the pass the user
    // chose) decides it; else a reading shown twice is the later pass and a skipped one is counted on from
    // before the change.
    ResolvedReading Resolve(DateTime reading, std::optional<int> offsetSeconds = std::nullopt) const;
    // Every instant at which the clock reads `reading`, earlier first: none, one, or two.
    std::vector<Instant> InstantsOf(DateTime reading) const;
    // Whether the clock's reading at `i` is one it shows twice, and which time this is; `other` is then
    // given the clock's offset at the other time.
    Pass PassAt(Instant i, ZoneOffset* other = nullptr) const;

  private:
    std::size_t IndexAt(Instant i) const;
    std::shared_ptr<const std::vector<ZonePeriod>> periods_;
};

}  // namespace velunar
