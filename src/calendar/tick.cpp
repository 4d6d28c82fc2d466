#include "calendar/tick.h"

#include "calendar/numparse.h"

namespace velunar {
namespace {

void TakeTimeStep(TickResult& r, const TimeStepResult& step) {
    r.skipped = step.skipped;
    r.skipReason = step.skipReason;
    if (step.skipped) return;
    ApplyDayPart(r.moment, step.day);
    r.trueSolarTime = step.trueSolarTime;
}

void TakeReference(TickResult& r, const ResolvedReading& at) {
    r.reference = at;
    r.referenceTime = ReadingAt(at.instant, at.offset.Total());
}

void RunChina(TickResult& r, const TickInput& in, const ClockInstant& at) {
    const ChinaStepResult step = ChinaTimeStep({in.longitudeText, in.onlyBeijing, in.timeMode, in.eot}, at);
    TakeTimeStep(r, step);
    if (step.skipped) return;
    r.correctionShown = step.correctionShown;
    if (step.resetLongitudeTo120) r.longitudeText = "120";
}

void RunAbroad(TickResult& r, const TickInput& in, const ClockInstant& at) {
    const AbroadStepInput abroad{in.summerText,  in.zoneText,  in.eastWestText, in.abroadLongitudeText,
                                 in.onlyBeijing, in.timeMode, in.eot};
    const AbroadStepResult step = AbroadTimeStep(abroad, at);
    TakeTimeStep(r, step);
    if (step.skipped) return;
    r.beijingTime = step.beijingTime;
    if (step.resetLongitudeTo120) r.abroadLongitudeText = "120";
}

}  // namespace

AbroadClock PageClockOf(const TickInput& in) {
    if (in.page == TimePage::China) return {in.chinaClock ? *in.chinaClock : BeijingClock(), SkipReason::None};
    if (in.zoneTimeline) return {*in.zoneTimeline, SkipReason::None};
    return AbroadClockOf(in.summerText, in.zoneText);
}

TickResult RunTick(const TickInput& in, const Moment& previous, const ReferenceClock& reference) {
    TickResult r;
    r.moment = previous;
    r.moment.timeMode = in.timeMode;
    r.longitudeText = in.longitudeText;
    r.abroadLongitudeText = in.abroadLongitudeText;
    const ClockReference ref = reference();
    const AbroadClock clock = PageClockOf(in);
    if (!clock.clock) {
        // Nothing can be worked out; the time box still shows what was read.
        r.referenceTime = ref.instant ? UtcReading(*ref.instant) : ref.reading;
        r.skipped = true;
        r.skipReason = clock.refused;
    } else {
        TakeReference(r, ResolveReference(ref, *clock.clock));
        const ClockInstant at{r.reference->instant, r.reference->offset};
        if (in.page == TimePage::China)
            RunChina(r, in, at);
        else
            RunAbroad(r, in, at);
    }
    // The double-hour step reads the China box as the time step left it.
    r.doubleHour = DoubleHourStep(r.moment, r.longitudeText, in.onlyBeijing, in.hint);
    r.moment.hourBranch = r.doubleHour.hourBranch;
    r.moment.longitudeInvalid = r.doubleHour.longitudeInvalid;
    if (r.doubleHour.resetLongitudeTo120) r.longitudeText = "120";
    ApplyHourStem(r.moment);
    return r;
}

std::variant<PlaceClock, SkipReason> PlaceClock::Of(const TickInput& in) {
    AbroadClock clock = PageClockOf(in);
    if (!clock.clock) return clock.refused;
    PlaceClock p(std::move(*clock.clock));
    p.china_ = in.page == TimePage::China;
    p.onlyBeijing_ = in.onlyBeijing;
    p.eot_ = in.eot;
    const std::string& box = p.china_ ? in.longitudeText : in.abroadLongitudeText;
    const std::optional<double> longitude = ParseLongitude(box);
    // With only Beijing time an unreadable longitude falls back to 120 and Beijing time is used anyway.
    if (!in.onlyBeijing && (!longitude || !ParseLongitude(in.longitudeText))) return SkipReason::Longitude;
    const double degrees = longitude.value_or(120.0);
    p.nanodegrees_ = Nanodegrees(p.china_ || in.eastWestText == kEast ? degrees : -degrees);
    return p;
}

std::optional<Instant> PlaceClock::TableStepBefore(Instant i, std::int64_t withinMs) const {
    if (onlyBeijing_ || eot_ != EotSource::Table) return std::nullopt;
    const int standard = china_ ? kBeijingOffsetSeconds : clock_.At(i).standardSeconds;
    const LongitudeSpan span = LongitudeCorrectionFrom(nanodegrees_, standard);
    const std::int64_t mean = ReadingMsAt(i, standard) + span.sign * span.seconds * kMsPerSecond;
    std::int64_t intoDay = mean % kMsPerDay;
    if (intoDay < 0) intoDay += kMsPerDay;
    if (intoDay > withinMs) return std::nullopt;
    return i - intoDay;
}

std::int64_t PlaceClock::EffectiveMs(Instant i) const {
    if (onlyBeijing_) return ReadingMsAt(i, kBeijingOffsetSeconds);
    const int standard = china_ ? kBeijingOffsetSeconds : clock_.At(i).standardSeconds;
    return TrueSolarReadingMs(i, standard, nanodegrees_, eot_);
}

}  // namespace velunar
