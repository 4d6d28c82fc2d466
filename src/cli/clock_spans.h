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

// A usage fault among the flags, as text for ArgParser::Error.
std::optional<std::string> ClockFlagsConflict(const ClockFlags& flags);

// --clock and every place and mode flag of `now`.
void AddClockFlags(ArgParser& parser, ClockFlags& flags);

// The place the spans are worked out for: the settings record with the flags over it. Nothing, after a
// message on io.err naming the command, when the time step cannot use it.
// A tz-database zone (--tz, or the settings') gives each reading of the dates fromDay..toDay its own offsets.
std::optional<TickInput> ClockPlaceFor(const char* command, const ClockFlags& flags, store::Database& db,
                                       CommandIo& io, std::int64_t fromDay, std::int64_t toDay);

// "2026-12-09T09:27:18+08:00": a span's ends as the csv and json outputs write them.
std::string IsoStart(const ClockSpan& span);
std::string IsoEnd(const ClockSpan& span);

}  // namespace velunar::cli
