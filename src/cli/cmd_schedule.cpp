// `schedule FROM TO`: the opening schedule of a range of dates, twelve double-hours a date, for printing
// ahead or for a spreadsheet.
#include "cli/commands.h"
#include "cli/database_access.h"
#include "cli/text_table.h"
#include "methods/schedule.h"

namespace velunar::cli {
namespace {

constexpr const char* kAbout =
    "Prints, for every date FROM..TO (YYYY-MM-DD, both included) and every double-hour 子 to 亥, what each\n"
    "doctrine opens. The 子 double-hour of a date runs from 23:00 of the day before to 00:59:59 of the "
    "date,\n"
    "its hour stem counted from the date's own day stem (the reverse lookup's convention).\n";

}  // namespace

int RunSchedule(const CommandArgs& args, CommandIo& io) {
    bool csv = false;
    DatabaseFlag db;
    ArgParser parser("schedule", "FROM TO", kAbout);
    parser.Flag(
        "--csv", [&csv] { csv = true; }, "UTF-8 CSV with a header row instead of an aligned table");
    AddDatabaseFlag(parser, db);
    if (auto exit = parser.Run(args, io.out, io.err, 2)) return *exit;
    const CommandArgs& dates = parser.Positionals();
    const std::optional<std::int64_t> from = ReadDate(dates[0]), to = ReadDate(dates[1]);
    for (std::size_t i = 0; i < 2; ++i) {
        if (!(i == 0 ? from : to)) {
            io.err << parser.Error("not a date \"" + dates[i] + "\" (expected YYYY-MM-DD)") << '\n';
            return kExitUsage;
        }
    }
    if (*from > *to) {
        io.err << parser.Error("FROM " + dates[0] + " is after TO " + dates[1]) << '\n';
        return kExitUsage;
    }

    const std::unique_ptr<store::Database> database = OpenDatabaseFor("schedule", db, io);
    if (!database) return kExitFailure;
    const auto tables = LoadTablesFor("schedule", *database, io, !db.path);
    if (!tables) return kExitFailure;

    const std::vector<std::string_view> titles = ScheduleHeader();
    const TextRow header(titles.begin(), titles.end());
    if (csv) {
        // Row by row: a spreadsheet of any range takes the memory of one row.
        CsvWriter writer(io.out);
        writer.Row(header);
        ForEachScheduleRow(*from, *to, *tables, [&](const std::vector<std::string>& cells) {
            writer.Row(cells);
            return true;
        });
        writer.Flush();
        return kExitOk;
    }
    // Aligned columns need every row's width first.
    std::vector<TextRow> rows;
    ForEachScheduleRow(*from, *to, *tables, [&](const std::vector<std::string>& cells) {
        rows.push_back(cells);
        return true;
    });
    WriteAlignedTable(io.out, header, rows);
    return kExitOk;
}

}  // namespace velunar::cli
