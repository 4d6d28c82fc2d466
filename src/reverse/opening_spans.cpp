#include "reverse/opening_spans.h"

namespace velunar {

OpeningSpans::OpeningSpans(const TickInput& place) : walkers_(Doctrines().size(), ClockSpanWalker(place)) {}

std::optional<ClockSpan> OpeningSpans::Of(const Opening& o) {
    ClockSpanWalker& walker = walkers_.at(o.doctrine);
    if (o.HourBranch() != Branch::None) return walker.SpanOf(o.day, o.HourBranch());
    const auto first = walker.SpanOf(o.day, Branch::Zi), last = walker.SpanOf(o.day, Branch::Hai);
    if (!first || !last) return std::nullopt;
    ClockSpan whole = *first;
    whole.end = last->end;
    whole.endOffset = last->endOffset;
    whole.endPass = last->endPass;
    whole.endOther = last->endOther;
    return whole;
}

void AppendClockText(std::int64_t day, const ClockSpan& span, std::string& line) {
    line += "，钟表时间 ";
    line += SpanText(day, span);
}

}  // namespace velunar
