#pragma once
// What the commands need of the database: the --db flag, the connection, the settings record as the tick's
// default inputs, and the reference tables.
#include <memory>
#include <optional>
#include <string>

#include "calendar/tick.h"
#include "cli/args.h"
#include "cli/cmd_now.h"
#include "cli/commands.h"
#include "methods/reference_tables.h"
#include "store/database.h"

namespace velunar::cli {

struct DatabaseFlag {
    std::optional<std::string> path;  // --db; the program's own database when absent
};
void AddDatabaseFlag(ArgParser& parser, DatabaseFlag& flag);

// Opens the database the flag names. On failure writes one line "velunar-cli <command>: …" to io.err and
// returns nullptr.
std::unique_ptr<store::Database> OpenDatabaseFor(const std::string& command, const DatabaseFlag& flag,
                                                 CommandIo& io);

// The reference tables of an open database; nullptr after writing the failure to io.err.
// programDatabase: no --db was given, so the program's own tables apply (the shipped ones once installed).
std::shared_ptr<const ReferenceTables> LoadTablesFor(const std::string& command, store::Database& db,
                                                     CommandIo& io, bool programDatabase = false);

// The tick's inputs as the main window would take them from the settings record: longitude, switches, zone,
// summer time, time mode and the page in front. Only reads: a database without a settings row gives the
// default row's values and stays as it is.
TickInput SettingsTickInput(store::Database& db);

// What a run reads of the settings: the whole place (a tick, clock spans, a PDF's heading), or only what its
// rows are written by (a schedule: the time mode and the sixth stem's spelling; a reverse lookup: the
// spelling).
enum class SettingsRead { Place, ModeAndSpelling, Spelling };

// The place and mode of one run: the settings record with the flags laid over it. A stored value the run
// reads that says nothing the program knows (a time mode, page, switch, east/west, equation of time, spelling
// or zone that names none) is no default to compute with: one line per value on io.err ("velunar-cli
// <command>: …", naming its column, its text and the flag that stands in for it), and nothing returned.
// Longitudes and the summer time are left to the time step, which refuses them itself.
std::optional<TickInput> SettingsPlace(const std::string& command, const NowFlags& flags, store::Database& db,
                                       CommandIo& io, SettingsRead read = SettingsRead::Place);

}  // namespace velunar::cli
