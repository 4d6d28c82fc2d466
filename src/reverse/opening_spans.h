#pragma once
// The reverse lookup's openings on the clock of the user's place: the span of each, and the line that
// carries it ("2026-12-09巳时，灵龟穴位=公孙，钟表时间 09:27:18–11:27:15"), as the command line's --clock
// and the window's 显示钟表时间 show them.
#include <optional>
#include <string>
#include <vector>

#include "methods/clock_span.h"
#include "reverse/openings.h"

namespace velunar {

class OpeningSpans {
  public:
    explicit OpeningSpans(const TickInput& place);

    // The opening's span: its double-hour's; for a whole date ("全部时辰"), from its 子 double-hour's first
    // second to its 亥 double-hour's last. Nothing when it never shows on the clock. Openings taken in
    // report order cost a fraction of those taken at random; the results are the same.
    std::optional<ClockSpan> Of(const Opening& o);

  private:
    std::vector<ClockSpanWalker> walkers_;  // one per doctrine: each scan walks its double-hours in order
};

// "，钟表时间 09:27:18–11:27:15" after a line of date `day`.
void AppendClockText(std::int64_t day, const ClockSpan& span, std::string& line);

}  // namespace velunar
