#pragma once
// Clock time to local true solar time, and the day it names: the China page (the clock shows Beijing
// time; east longitude) and the abroad page (the clock shows zone time, perhaps summer time; east or
// west longitude). Both steps are pure: they take the texts of the boxes they read and return what the
// tick has to write.
#include <cstdint>
#include <functional>
#include <optional>
#include <span>
#include <string>
#include <string_view>

#include "calendar/datetime.h"
#include "calendar/instant.h"
#include "calendar/timemode.h"
#include "calendar/zone_timeline.h"

namespace velunar {

// What the clock gave a tick: the instant itself (the machine's clock, whose zone is known), or a reading of
// the clock of the page in front (a picked moment, or a clock read as that page's time), with the offset it
// was read at where the user named it. A reading becomes an instant once, with the clock's offset then.
struct ClockReference {
    ClockReference(DateTime reading) : reading(reading) {}  // NOLINT: a bare reading is the common case
    ClockReference(DateTime reading, std::optional<int> offsetSeconds)
        : reading(reading), offsetSeconds(offsetSeconds) {}
    static ClockReference At(Instant i) {
        ClockReference r(0.0);
        r.instant = i;
        return r;
    }

    DateTime reading = 0.0;
    std::optional<int> offsetSeconds;
    std::optional<Instant> instant;
};

// Gives the tick its reference. It is read once a tick: every clock the pages show is that one instant.
using ReferenceClock = std::function<ClockReference()>;

// An instant with the offset of the page's clock then: what a time step computes from.
struct ClockInstant {
    Instant instant;
    ZoneOffset offset;
};

// Beijing time: 120° E, eight hours ahead of UTC.
inline constexpr int kBeijingOffsetSeconds = 8 * 3600;
inline const ZoneTimeline& BeijingClock() {
    static const ZoneTimeline kClock(ZoneOffset{kBeijingOffsetSeconds, 0});
    return kClock;
}

inline constexpr std::string_view kEast = "东经";
inline constexpr std::string_view kWest = "西经";
// A summer-time box beyond a day either way is no summer time; it is refused like unreadable text.
inline constexpr double kMaxSummerMinutes = 1440.0;

struct LongitudeSpan {
    int sign = 1;              // +1: add the span, -1: subtract it
    std::int64_t seconds = 0;  // whole seconds
};

// M minutes as whole hours, minutes and seconds, each part truncated, in seconds. No upper limit.
std::int64_t SpanSeconds(double minutes);

// A longitude in billionths of a degree, east positive: the longitudes typed (up to nine decimals) are exact
// there, so four minutes a degree loses no second to binary fractions (73.40° is 3 h 6 min 24 s from 120°).
std::int64_t Nanodegrees(double degrees);

// Local mean time against the clock's meridian, the standard offset of the clock: four minutes per degree,
// whole seconds, truncated toward the meridian (the fraction of a second is dropped).
LongitudeSpan LongitudeCorrectionFrom(std::int64_t eastNanodegrees, int standardSeconds);
// East longitude 0..180 against the meridian of Beijing time (120° E).
LongitudeSpan LongitudeCorrection(double eastLongitude);


// The 75 fixed zones of the zone box, in order, each with its offset read once from its label.
struct FixedZone {
    std::string_view label;
    int offsetMinutes = 0;  // east of Greenwich
};
std::span<const FixedZone> FixedZones();
// Their labels alone, in the same order.
std::span<const std::string_view> ZoneTexts();

// How a label the user typed is read: "(GMT)" gives 0; "(GMT+" and "(GMT-" read hours at characters 6-7
// and minutes at 9-10; a text with none of them counts as Greenwich. Nothing when the text holds "(GMT+" or
// "(GMT-" but those characters are not two-digit numbers.
std::optional<int> ParseZoneLabel(std::string_view zoneText);
// Minutes east of Greenwich of a zone text: a fixed zone's own offset, else ParseZoneLabel.
std::optional<int> ZoneOffsetMinutes(std::string_view zoneText);

// The form of the time labels: the display form of the date-time followed by five blanks.
std::string TimeLabelText(DateTime t);

// Where the equation of time comes from: the fixed table of eot.h (one value per calendar day), or the
// Sun's position computed for the instant (astro_eot.h). Stored in the settings as its label.
enum class EotSource { Table, Astronomical };
inline constexpr std::string_view kEotTableLabel = "固定表";
inline constexpr std::string_view kEotAstroLabel = "天文计算";
// The stored label read back: only the astronomical label selects it, so an old or empty record keeps the
// table.
EotSource EotSourceOfLabel(std::string_view label);
std::string_view EotSourceLabel(EotSource source);

// Local mean time corrected to true solar time; `universalTime` is the same instant in UT, which the
// astronomical source needs (the table reads the calendar day of the local mean time).
DateTime TrueSolarTime(DateTime localMeanTime, DateTime universalTime, EotSource source);

// Local true solar time at an instant, as a reading in milliseconds (instant.h): the standard clock moved by
// the longitude correction to local mean time, then by the equation of time.
std::int64_t TrueSolarReadingMs(Instant i, int standardSeconds, std::int64_t eastNanodegrees, EotSource eot);


// Why a time step wrote nothing.
enum class SkipReason { None, Longitude, SummerTime, Zone };

struct TimeStepResult {
    // Nothing is written: the Moment and the labels keep what the last good tick left.
    bool skipped = false;
    SkipReason skipReason = SkipReason::None;
    // The longitude box the step read (China or abroad) is to be set to "120".
    bool resetLongitudeTo120 = false;
    DayPart day;                    // effectiveTime and the day part of the Moment
    DateTime trueSolarTime = 0.0;   // local true solar time, even when Beijing time is used
    std::string trueSolarTimeText;  // the true-solar-time label of the page
};

struct ChinaStepInput {
    std::string longitudeText;  // the China page's longitude box
    bool onlyBeijing = false;   // "仅仅使用北京时间"
    std::optional<TimeMode> timeMode;
    EotSource eot = EotSource::Table;
};

struct ChinaStepResult : TimeStepResult {
    // The longitude entry, its arrows, the place picker button and the true solar time are shown, or all
    // hidden (only Beijing time is used).
    bool correctionShown = true;
};

struct AbroadStepInput {
    std::string summerText;     // minutes subtracted from the clock, any sign
    std::string zoneText;       // a fixed zone's label, or typed text
    std::string eastWestText;   // kEast, anything else counts as west
    std::string longitudeText;  // degrees 0..180
    bool onlyBeijing = false;
    std::optional<TimeMode> timeMode;
    EotSource eot = EotSource::Table;
};

// The abroad page's clock from its boxes: the zone of the label with the summer time typed on top. The
// reason the step refuses them when it cannot read them (the summer time first, then the zone).
struct AbroadClock {
    std::optional<ZoneTimeline> clock;
    SkipReason refused = SkipReason::None;
};
AbroadClock AbroadClockOf(std::string_view summerText, std::string_view zoneText);

struct AbroadStepResult : TimeStepResult {
    DateTime beijingTime = 0.0;
    std::string beijingTimeText;
};

// The steps for one instant, `at.offset` being the page's clock then (Beijing time on the China page; the
// zone's offset and summer time abroad).
ChinaStepResult ChinaTimeStep(const ChinaStepInput& in, const ClockInstant& at);
AbroadStepResult AbroadTimeStep(const AbroadStepInput& in, const ClockInstant& at);

// The same from a reference read once: on Beijing time's clock, and on the clock of the abroad boxes.
ChinaStepResult ChinaTimeStep(const ChinaStepInput& in, const ReferenceClock& reference);
AbroadStepResult AbroadTimeStep(const AbroadStepInput& in, const ReferenceClock& reference);

// The instant a reference names on a clock.
ResolvedReading ResolveReference(const ClockReference& ref, const ZoneTimeline& clock);

}  // namespace velunar
