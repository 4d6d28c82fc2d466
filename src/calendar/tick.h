#pragma once
// The time part of one tick as a value-in, value-out function: the time step of the page in front,
// the double-hour step and the hour stem, in the tick's order. The main window, the command line and
// the tests all drive the Moment through this one function.
#include <memory>
#include <optional>
#include <string>
#include <variant>

#include "calendar/datetime.h"
#include "calendar/moment.h"
#include "calendar/renshen.h"
#include "calendar/solar.h"
#include "calendar/timemode.h"
#include "calendar/zone_timeline.h"

namespace velunar {

enum class TimePage { China, Abroad };

// The entries and switches one tick reads.
struct TickInput {
    TimePage page = TimePage::China;
    std::optional<TimeMode> timeMode = TimeMode::NoNightRat;
    std::string longitudeText = "120";  // China page longitude box
    bool onlyBeijing = false;           // "仅仅使用北京时间"
    bool hint = false;                  // notify when the double-hour changes
    EotSource eot = EotSource::Table;   // 均时差, both pages
    // Abroad page.
    std::string summerText = "0";
    std::string zoneText{"(GMT+08:00) 北京，重庆，香港特别行政区，乌鲁木齐"};
    std::string eastWestText{kEast};
    std::string abroadLongitudeText = "120";
    // Set when the abroad place is a tz-database zone: its offsets over the instants the caller will ask
    // about (read from the tz database by the caller), which replace the zone and summer-time boxes.
    std::optional<ZoneTimeline> zoneTimeline{};
    std::string ianaZone{};  // that zone's id, for display and hints; empty with a fixed zone
    // The China page's clock keeps China's summer time of the years it kept one (the user's choice), as
    // chinaClock then gives it (Asia/Shanghai's periods, read by the caller); otherwise it is Beijing time,
    // eight hours ahead of UTC all year.
    bool chinaSummerTime = false;
    std::optional<ZoneTimeline> chinaClock{};
    // How what the tick shows and every output write the sixth stem; the tables' keys keep 已.
    SixthStem sixthStem = SixthStem::AsKeys;
    TabooOptions taboo{};  // the 人神 lines: shown or not, which reading, the patient's age
};

// The clock of the page in front, as the tick reads the reference on it; nothing (with the reason) when the
// abroad boxes cannot be read.
AbroadClock PageClockOf(const TickInput& in);

struct TickResult {
    Moment moment;                 // the previous Moment carried forward by this tick
    DateTime referenceTime = 0.0;  // the reading shown in the time box of the page in front
    // The reference as an instant, with the page's clock then and what its reading was taken to mean; none
    // when the page's clock cannot be read (an unreadable zone or summer time abroad).
    std::optional<ResolvedReading> reference;
    bool skipped = false;          // the time step wrote nothing
    SkipReason skipReason = SkipReason::None;
    // Set when this tick wrote the label; a skipped step leaves the labels as they were.
    std::optional<DateTime> trueSolarTime;
    std::optional<DateTime> beijingTime;  // abroad page only
    std::optional<bool> correctionShown;  // China page: the longitude entry and the true solar time
    // The longitude boxes after the tick: "120" where a step reset them.
    std::string longitudeText;
    std::string abroadLongitudeText;
    DoubleHourResult doubleHour;
};

TickResult RunTick(const TickInput& in, const Moment& previous, const ReferenceClock& reference);

// The time step of one place as a function of the instant, read once from a tick's inputs and computed as
// RunTick computes it: what the spans of the schedule, the reverse lookup and the dial evaluate thousands of
// times.
class PlaceClock {
  public:
    // The place, or why a tick there shows no double-hour (the longitude, zone or summer time it cannot read;
    // the China page's longitude gates the double-hour on both pages). Nothing is asked of the time mode.
    static std::variant<PlaceClock, SkipReason> Of(const TickInput& in);

    // The page's clock.
    const ZoneTimeline& Clock() const { return clock_; }
    // The effective time at `i` (true solar time, or Beijing time when only that is used), as a reading in
    // milliseconds (instant.h).
    std::int64_t EffectiveMs(Instant i) const;
    // The fixed equation-of-time table steps at each local mean midnight: the instant of such a step no more
    // than `withinMs` before `i`, if there is one.
    std::optional<Instant> TableStepBefore(Instant i, std::int64_t withinMs) const;

  private:
    PlaceClock(ZoneTimeline clock) : clock_(std::move(clock)) {}
    ZoneTimeline clock_;
    bool china_ = true;
    bool onlyBeijing_ = false;
    EotSource eot_ = EotSource::Table;
    std::int64_t nanodegrees_ = 0;
};

}  // namespace velunar
