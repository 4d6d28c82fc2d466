#pragma once
// `--clock` of the planning commands: the clock minutes of each double-hour at the user's place, read from
// the place and mode flags of `now` laid over the settings record.
#include <cstdint>
#include <optional>
#include <string>

#include "cli/args.h"
#include "cli/cmd_now.h"
#include "cli/commands.h"
#include "methods/clock_span.h"
#include "store/database.h"

namespace velunar::cli {

struct ClockFlags {
    bool clock = false;
    NowFlags place;
};

// --clock and every place and mode flag of `now`.
void AddClockFlags(ArgParser& parser, ClockFlags& flags);

// The place the spans are worked out for: the settings record with the flags over it. Nothing, after a
// message on io.err naming the command, when the time step cannot use it.
std::optional<TickInput> ClockPlaceFor(const char* command, const ClockFlags& flags, store::Database& db,
                                       CommandIo& io);

// "2026-12-09T09:27:18": the ISO form of the csv and json outputs.
std::string IsoSecond(DateTime t);

// "09:27:18–11:27:15" after the date of the double-hour: each end's date is written only where it is not
// `day` (the 子 double-hour begins on the clock the evening before).
std::string SpanText(std::int64_t day, const ClockSpan& span);

// The double-hour a reverse-lookup line names: its date and the branch before the first "时"; or the whole
// date ("全部时辰", branch None).
struct LineHour {
    std::int64_t day = 0;
    Branch branch = Branch::None;
};
std::optional<LineHour> HourOfLine(std::string_view line);

}  // namespace velunar::cli
