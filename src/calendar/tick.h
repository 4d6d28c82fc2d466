#pragma once
// The time part of one tick as a value-in, value-out function: the time step of the page in front,
// the double-hour step and the hour stem, in the tick's order. The main window, the command line and
// the tests all drive the Moment through this one function.
#include <memory>
#include <optional>
#include <string>

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
    // Set when the abroad place is a tz-database zone: its standard offset for the reference instant, minutes
    // east (summerText then holds the zone's summer time for that instant). The caller resolves both.
    std::optional<int> zoneMinutes = std::nullopt;
    std::string ianaZone{};  // that zone's id, for display and hints; empty with a fixed zone
    // Set when the readings span a range of dates (a schedule, a reverse lookup): the zone's offsets for each
    // reading, which then replace zoneMinutes and summerText.
    std::shared_ptr<const ZoneTimeline> zoneTimeline{};
    TabooOptions taboo{};  // the 人神 lines: shown or not, which reading, the patient's age
};

struct TickResult {
    Moment moment;                 // the previous Moment carried forward by this tick
    DateTime referenceTime = 0.0;  // the reading shown in the time box of the page in front
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

}  // namespace velunar
