#pragma once
// The subcommands of velunar-cli. A new command is one line in VELUNAR_CLI_COMMANDS plus its
// cmd_<name>.cpp defining the entry point.
#include <ostream>

#include "cli/args.h"

namespace velunar::cli {

inline constexpr int kExitOk = 0;
inline constexpr int kExitFailure = 1;
inline constexpr int kExitUsage = 2;

struct CommandIo {
    std::ostream& out;
    std::ostream& err;
};

// X(name, entry point, one-line summary)
#define VELUNAR_CLI_COMMANDS(X)                                                              \
    X("dial", RunDial, "draws the 子午流注 dial of a moment as an SVG or PNG file")             \
    X("eot", RunEot, "prints the equation-of-time table, one KEY<TAB>VALUE row per day")     \
    X("next", RunNext, "lists the next openings of points or a plan within the clinic's hours") \
    X("now", RunNow, "works out one tick: day, double-hour, and what every doctrine opens")  \
    X("plan", RunPlan, "keeps treatment plans: add, list, show, remove")                    \
    X("reverse", RunReverse, "lists when each doctrine opens a point over a range of dates") \
    X("schedule", RunSchedule, "prints what opens in every double-hour of a range of dates") \
    X("zones", RunZones, "lists the time-zone texts of the abroad page, with their offsets")

// args are the arguments after the command's name.
#define VELUNAR_DECLARE_COMMAND(name, entry, summary) int entry(const CommandArgs& args, CommandIo& io);
VELUNAR_CLI_COMMANDS(VELUNAR_DECLARE_COMMAND)
#undef VELUNAR_DECLARE_COMMAND

// The whole program: argv without the program name. Returns the exit status.
int RunCli(const CommandArgs& args, CommandIo& io);

}  // namespace velunar::cli
