#pragma once
// The printed 开穴表: the sheet drawn page by page on any paged device, a printer or a PDF file. Each page
// has the heading (place, time mode, dates), the column titles again, whole dates of twelve double-hours
// (three to an A4 landscape page) and its number. Rows are drawn as they are worked out, so a range of
// any length takes the memory of one page.
#include <cstdint>
#include <optional>
#include <string>

#include "print/schedule_sheet.h"

class QIODevice;
class QPagedPaintDevice;

namespace velunar::print {

struct SheetRange {
    std::int64_t firstDay = 0;
    std::int64_t lastDay = 0;
    TimeMode mode = TimeMode::NoNightRat;  // the double-hours of each date
    std::optional<TickInput> place;        // the clock spans' place; none: no 钟表时间 column
    SheetHeading heading;
    SixthStem spelling = SixthStem::AsKeys;
    SheetTaboo taboo;
    SheetPlan plan;  // the chosen treatment plan's points and clinic hours, marked as the window marks them
};

// The number of pages drawn; 0 when the device could not be painted on.
int PaintSchedule(QPagedPaintDevice& device, const SheetRange& range, const ReferenceTables& tables);

// An A4 landscape PDF of the sheet written to `out` (open for writing), the fonts used embedded. The pages
// written; 0 when nothing could be drawn.
int WriteSchedulePdf(QIODevice& out, const SheetRange& range, const ReferenceTables& tables);

}  // namespace velunar::print
