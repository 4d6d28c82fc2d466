#include "calendar/tick.h"

namespace velunar {
namespace {

void TakeTimeStep(TickResult& r, const TimeStepResult& step) {
    r.skipped = step.skipped;
    r.skipReason = step.skipReason;
    if (step.skipped) return;
    ApplyDayPart(r.moment, step.day);
    r.trueSolarTime = step.trueSolarTime;
}

void RunChina(TickResult& r, const TickInput& in, const ReferenceClock& reference) {
    const ChinaStepResult step =
        ChinaTimeStep({in.longitudeText, in.onlyBeijing, in.timeMode, in.eot}, reference);
    TakeTimeStep(r, step);
    if (step.skipped) return;
    r.correctionShown = step.correctionShown;
    if (step.resetLongitudeTo120) r.longitudeText = "120";
}

void RunAbroad(TickResult& r, const TickInput& in, const ReferenceClock& reference) {
    AbroadStepInput abroad{in.summerText,  in.zoneText, in.eastWestText, in.abroadLongitudeText,
                           in.onlyBeijing, in.timeMode, in.eot,          in.zoneMinutes};
    if (in.zoneTimeline) {
        const ZonePeriod& period = in.zoneTimeline->At(r.referenceTime);
        abroad.zoneMinutes = period.standardMinutes;
        abroad.summerText = std::to_string(period.summerMinutes);
    }
    const AbroadStepResult step = AbroadTimeStep(abroad, reference);
    TakeTimeStep(r, step);
    if (step.skipped) return;
    r.beijingTime = step.beijingTime;
    if (step.resetLongitudeTo120) r.abroadLongitudeText = "120";
}

}  // namespace

TickResult RunTick(const TickInput& in, const Moment& previous, const ReferenceClock& reference) {
    TickResult r;
    r.moment = previous;
    r.moment.timeMode = in.timeMode;
    r.longitudeText = in.longitudeText;
    r.abroadLongitudeText = in.abroadLongitudeText;
    r.referenceTime = reference();
    if (in.page == TimePage::China)
        RunChina(r, in, reference);
    else
        RunAbroad(r, in, reference);
    // The double-hour step reads the China box as the time step left it.
    r.doubleHour = DoubleHourStep(r.moment, r.longitudeText, in.onlyBeijing, in.hint);
    r.moment.hourBranch = r.doubleHour.hourBranch;
    r.moment.longitudeInvalid = r.doubleHour.longitudeInvalid;
    if (r.doubleHour.resetLongitudeTo120) r.longitudeText = "120";
    ApplyHourStem(r.moment);
    return r;
}

}  // namespace velunar
