#include "methods/pipeline.h"

#include "methods/point_index.h"

namespace velunar {
namespace {

// Everything ClockSpanOf reads, and the double-hour asked for.
std::string SpanKey(const TickInput& in, std::int64_t day, Branch branch) {
    std::string key = std::to_string(day) + '|' + std::to_string(Number(branch)) + '|' +
                      std::to_string(static_cast<int>(in.page)) + '|' +
                      std::to_string(in.timeMode ? static_cast<int>(*in.timeMode) : -1) + '|' +
                      std::to_string(in.onlyBeijing) + std::to_string(static_cast<int>(in.eot)) + '|' +
                      std::to_string(in.zoneTimeline.has_value()) + std::to_string(in.chinaClock.has_value());
    for (const std::string* text : {&in.longitudeText, &in.summerText, &in.zoneText, &in.eastWestText,
                                    &in.abroadLongitudeText, &in.ianaZone})
        key += '\x1f' + *text;
    return key;
}

}  // namespace

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
    v.input = input;
    v.page = input.page;
    v.referenceTime = tick.referenceTime;
    v.reference = tick.reference;
    v.skipped = tick.skipped;
    v.skipReason = tick.skipReason;
    v.clock = memory.clock;
    v.trueSolarTime = tick.trueSolarTime;
    v.beijingTime = tick.beijingTime;
    if (tick.longitudeText != input.longitudeText) v.chinaLongitudeReset = tick.longitudeText;
    if (tick.abroadLongitudeText != input.abroadLongitudeText)
        v.abroadLongitudeReset = tick.abroadLongitudeText;

    v.moment = tick.moment;
    v.dayGanZhi = Spelled(DayGanZhi(v.moment), input.sixthStem);
    v.hourBranch = HourBranchText(v.moment);
    v.hourGanZhi = Spelled(HourGanZhi(v.moment), input.sixthStem);
    if (tick.doubleHour.notice) v.notice = tick.doubleHour.noticeText;
    // The lunar date is that of the civil date in Beijing time at the instant (China's summer clocks of
    // 1986–1991 were an hour ahead of it).
    if (tick.reference)
        v.lunar = LunarViewAt(ReadingAt(tick.reference->instant, kBeijingOffsetSeconds), v.moment.hourBranch,
                              input.taboo);

    for (const Doctrine* d : Doctrines()) {
        Finding f = d->At(v.moment, tables);
        for (Cell& c : f.cells)
            if (c.text) Spell(*c.text, input.sixthStem);
        v.findings.push_back({d, std::move(f)});
    }
    v.closed = v.Of(DoctrineId::NaGan).closed.value_or(false);

    if (v.moment.hourBranch != Branch::None && !tick.skipped && tick.reference) {
        const HourSlot slot = SlotOf(v.moment);
        std::string key = SpanKey(input, slot.day, v.moment.hourBranch) + (slot.lateRat ? "|late" : "");
        if (key != memory.spanKey) {
            memory.span = ClockSpanOf(input, slot);
            memory.spanKey = std::move(key);
        }
        v.hourSpan = DescribeHourSpan(input, v.moment, tick.reference->instant, memory.span);
    }

    if (descriptions) {
        try {
            memory.description.Run(focus, *descriptions, tables);
            if (!memory.description.DescribedPoint().empty())
                v.descriptionHeading = PointHeading(memory.description.DescribedPoint());
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
