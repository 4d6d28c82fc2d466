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
                      std::to_string(in.zoneMinutes.value_or(100000));
    for (const std::string* text :
         {&in.longitudeText, &in.summerText, &in.zoneText, &in.eastWestText, &in.abroadLongitudeText})
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
    // The China page's clock is Beijing time; abroad, the step works Beijing time out.
    if (const auto beijing =
            input.page == TimePage::China ? std::optional(tick.referenceTime) : tick.beijingTime)
        v.lunar = LunarViewAt(*beijing, v.moment.hourBranch, input.taboo);

    for (const Doctrine* d : Doctrines()) v.findings.push_back({d, d->At(v.moment, tables)});
    v.closed = v.Of(DoctrineId::NaGan).closed.value_or(false);

    if (v.moment.hourBranch != Branch::None && !tick.skipped) {
        const std::int64_t day = DayOfDoubleHour(v.moment);
        std::string key = SpanKey(input, day, v.moment.hourBranch);
        if (key != memory.spanKey) {
            memory.span = ClockSpanOf(input, day, v.moment.hourBranch);
            memory.spanKey = std::move(key);
        }
        v.hourSpan = DescribeHourSpan(input, v.moment, tick.referenceTime, memory.span);
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
