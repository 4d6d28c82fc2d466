#include "methods/pipeline.h"

namespace velunar {

const Finding& TickView::Of(DoctrineId id) const {
    for (const DoctrineFinding& f : findings)
        if (f.doctrine->Id() == id) return f.finding;
    static const Finding kNone;
    return kNone;
}

TickView RunPipeline(const TickInput& input, const FocusedText& focus, TickMemory& memory,
                     const ReferenceTables& tables, DescriptionSource* descriptions,
                     const ReferenceClock& clock) {
    const TickResult tick = RunTick(input, memory.moment, clock);
    memory.moment = tick.moment;
    const std::string reference = FormatDisplay(tick.referenceTime);
    if (input.page == TimePage::China) {
        memory.clock.chinaReference = reference;
        if (tick.trueSolarTime) memory.clock.chinaTrueSolar = TimeLabelText(*tick.trueSolarTime);
        if (tick.correctionShown) memory.clock.correctionShown = *tick.correctionShown;
    } else {
        memory.clock.abroadReference = reference;
        if (tick.trueSolarTime) memory.clock.abroadTrueSolar = TimeLabelText(*tick.trueSolarTime);
        if (tick.beijingTime) memory.clock.abroadBeijing = TimeLabelText(*tick.beijingTime);
    }

    TickView v;
    v.page = input.page;
    v.referenceTime = tick.referenceTime;
    v.skipped = tick.skipped;
    v.skipReason = tick.skipReason;
    v.clock = memory.clock;
    v.trueSolarTime = tick.trueSolarTime;
    v.beijingTime = tick.beijingTime;
    if (tick.longitudeText != input.longitudeText) v.chinaLongitudeReset = tick.longitudeText;
    if (tick.abroadLongitudeText != input.abroadLongitudeText)
        v.abroadLongitudeReset = tick.abroadLongitudeText;

    v.moment = tick.moment;
    v.dayGanZhi = DayGanZhi(v.moment);
    v.hourBranch = HourBranchText(v.moment);
    v.hourGanZhi = HourGanZhi(v.moment);
    if (tick.doubleHour.notice) v.notice = tick.doubleHour.noticeText;

    for (const Doctrine* d : Doctrines()) v.findings.push_back({d, d->At(v.moment, tables)});
    v.closed = v.Of(DoctrineId::NaGan).closed.value_or(false);

    if (descriptions) {
        try {
            memory.description.Run(focus, *descriptions, tables);
            v.description = memory.description.Description();
            v.picturePath = memory.description.CurrentPicturePath();
        } catch (const DescriptionError& e) {
            // What failed shows nothing old as if it were current.
            v.error = e.what();
        }
    }
    return v;
}

}  // namespace velunar
