#pragma once
// What `now` adds to the time of a tick: the database it reads, the settings record as the tick's
// default inputs, and the results of every doctrine. Also used by `schedule`.
#include <memory>
#include <optional>
#include <string>

#include "calendar/tick.h"
#include "cli/args.h"
#include "cli/cmd_now.h"
#include "cli/commands.h"
#include "cli/report.h"
#include "methods/doctrines.h"
#include "store/database.h"

namespace velunar::cli {

// The closing line of now's --help.
inline constexpr const char* kSettingsNote =
    "Whatever no flag gives (time mode, longitudes, zone, summer time, 仅仅使用北京时间, the page in\n"
    "front) comes from the settings record of the database, as the main window reads it; flags never\n"
    "change the record.\n";

struct DatabaseFlag {
    std::optional<std::string> path;  // --db; the data folder's db1.sqlite when absent
};
void AddDatabaseFlag(ArgParser& parser, DatabaseFlag& flag);

// db1.sqlite in the data folder beside the executable.
std::string DefaultDatabasePath();

// Opens the database the flag names. On failure writes one line "velunar-cli <command>: …" to io.err
// and returns nullptr.
std::unique_ptr<store::Database> OpenDatabaseFor(const std::string& command, const DatabaseFlag& flag,
                                                 CommandIo& io);

// The tick's inputs as the main window would take them from the settings record: longitude, switches,
// zone, summer time, time mode and the page in front. Only reads: a database without a settings row
// gives the default row's values and stays as it is.
TickInput SettingsTickInput(store::Database& db);

// now's flags beyond the time: --db, and --no-beijing / --china, which switch a stored setting off
// for one run.
void AddDoctrineFlags(ArgParser& parser, NowFlags& flags, DatabaseFlag& database);

// Every doctrine's result under the keys nagan, buxue, nazhi, linggui, feiteng, shigan, rigan, nazhi2.
void AddDoctrines(Report& report, const DoctrineReport& doctrines);
// The same for the Moment of a tick, read from the database. Throws TablesError.
void AddDoctrinesAt(Report& report, const Moment& moment, store::Database& db);

}  // namespace velunar::cli
