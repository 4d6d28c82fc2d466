#pragma once
// The one pipeline from inputs to what is shown: a tick reads the window's entries into a TickInput, runs
// the time step, the double-hour and every doctrine, and returns one TickView describing everything the pages
// show. The main window renders it, velunar-cli prints it, the tests compare the two. What must carry from
// tick to tick (the previous double-hour for the notice, the labels a skipped step keeps, the described
// point) lives in TickMemory, not in any widget.
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "calendar/tick.h"
#include "methods/clock_span.h"
#include "methods/doctrine.h"
#include "methods/hour_span.h"
#include "methods/lunar_view.h"
#include "methods/point_description.h"

namespace velunar {

// The clock texts of both time pages; a step that writes nothing leaves its page's as they were.
struct ClockTexts {
    // The China page: its time box, true solar time and whether the longitude entry and true solar time show.
    std::string chinaReference, chinaTrueSolar;
    bool correctionShown = true;
    // The abroad page: machine time, derived Beijing time, local true solar time.
    std::string abroadReference, abroadBeijing, abroadTrueSolar;
};

struct TickMemory {
    Moment moment;  // the last good Moment; its hourBranch is the previous double-hour
    ClockTexts clock;
    PointDescriptionStep description;
    // The present double-hour's clock span and the place and double-hour it was worked out for: finding it
    // runs the time step a few dozen times, so it is done once per double-hour.
    std::string spanKey;
    std::optional<ClockSpan> span;
};

struct DoctrineFinding {
    const Doctrine* doctrine = nullptr;
    Finding finding;
};

struct TickView {
    TickInput input;  // what this tick read, for the derivation of its time step
    TimePage page = TimePage::China;
    DateTime referenceTime = 0.0;
    // The reference as an instant with the page's clock then, and what its reading was taken to mean; none
    // when the page's clock cannot be read.
    std::optional<ResolvedReading> reference;
    bool skipped = false;  // the time step wrote nothing this tick
    SkipReason skipReason = SkipReason::None;

    ClockTexts clock;
    // What this tick's time step worked out; none when it was skipped.
    std::optional<DateTime> trueSolarTime, beijingTime;
    // A longitude entry the step reset to "120" (only Beijing time used with an unreadable longitude).
    std::optional<std::string> chinaLongitudeReset, abroadLongitudeReset;

    Moment moment;
    std::string dayGanZhi;   // 今日日干支
    std::string hourBranch;  // the branch, the longitude message, or ""
    std::string hourGanZhi;  // 时干支: the same rules
    bool closed = false;     // the 补穴法 page and its button are reachable
    HourSpanText hourSpan;   // how long the double-hour lasts, on the clock of the page in front

    LunarView lunar;  // the lunar date, the moon and the 人神 of the moment in Beijing time
    std::optional<std::string> notice;  // the double-hour changed: sound and "时辰已经变换为午时了。"
    std::vector<DoctrineFinding> findings;  // every doctrine, in Doctrines() order

    // The description area: the point it describes ("公孙 · SP4", "" when none), the text shown, and the
    // picture path of that point.
    std::string descriptionHeading;
    std::string description;
    std::string picturePath;
    std::string error;  // what failed this tick (the description's database), "" when nothing did

    const Finding& Of(DoctrineId id) const;
};

// One tick. `focus` is what has the keyboard focus (the point to describe); `descriptions` may be null (the
// command line describes nothing).
TickView RunPipeline(const TickInput& input, const FocusedText& focus, TickMemory& memory,
                     const ReferenceTables& tables, DescriptionSource* descriptions,
                     const ReferenceClock& clock);

}  // namespace velunar
