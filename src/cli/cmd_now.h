#pragma once
// The `now` command in pieces, so later inputs (settings from the database) and outputs (the
// doctrines' results) slot in: flags are read into NowFlags, laid over default inputs, run as one
// tick, and reported.
#include <optional>
#include <string>

#include "calendar/tick.h"
#include "cli/args.h"
#include "cli/report.h"

namespace velunar::cli {

// What the flags said; an absent value leaves the default input alone.
struct NowFlags {
    std::optional<DateTime> at;  // the chosen date and time; the clock when absent
    std::optional<int> mode;     // 0..2
    std::optional<std::string> longitude;
    std::optional<bool> onlyBeijing;
    std::optional<bool> abroad;
    std::optional<std::string> summer;
    std::optional<std::string> zone;
    std::optional<std::string> eastWest;
    std::optional<std::string> abroadLongitude;
    bool json = false;
};

void AddNowFlags(ArgParser& parser, NowFlags& flags);

// The tick's inputs: the defaults with every given flag laid over them.
TickInput TickInputFrom(const NowFlags& flags, TickInput defaults = {});

// The fields `now` prints for one tick.
Report NowReport(const TickInput& input, const TickResult& tick);

}  // namespace velunar::cli
