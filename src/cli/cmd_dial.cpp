// velunar-cli dial: the window's 子午流注 dial as an SVG or PNG file, for handouts and web pages.
#include <memory>

#include "cli/clock.h"
#include "cli/cmd_now.h"
#include "cli/commands.h"
#include "cli/database_access.h"
#include "cli/gui_scope.h"
#include "dial/dial_painter.h"
#include "methods/dial.h"
#include "store/nativepath.h"
#include "store/outputfile.h"

namespace velunar::cli {
namespace {

constexpr int kMinSize = 64;
constexpr int kMaxSize = 8192;

constexpr const char* kAbout =
    "Draws the dial the main window shows at the moment given (the clock without --at): the twelve\n"
    "double-hours with their clock spans and 纳支 meridians, the day's 纳干 openings and, in the centre,\n"
    "what each doctrine opens then. An .svg file keeps its texts as text.\n";

}  // namespace

int RunDial(const CommandArgs& args, CommandIo& io) {
    NowFlags flags;
    DatabaseFlag database;
    std::optional<std::string> out;
    int size = 800;
    ArgParser parser("dial", "", std::string(kAbout) + kSettingsNote);
    AddNowFlags(parser, flags);
    parser.Option(
        "--out", "FILE.svg|FILE.png",
        [&out](const std::string& v) -> std::optional<std::string> {
            if (!dial::DialFormatOf(store::PathFromNative(v)))
                return "\"" + v + "\" ends in neither .svg nor .png";
            out = v;
            return std::nullopt;
        },
        "the file to write (required)");
    parser.Option(
        "--size", "PX",
        [&size](const std::string& v) -> std::optional<std::string> {
            std::size_t used = 0;
            int n = 0;
            try {
                n = std::stoi(v, &used);
            } catch (const std::exception&) {
                used = 0;
            }
            if (used != v.size() || n < kMinSize || n > kMaxSize)
                return "\"" + v + "\" is not a size from " + std::to_string(kMinSize) + " to " +
                       std::to_string(kMaxSize) + " pixels";
            size = n;
            return std::nullopt;
        },
        "the width and height in pixels (default 800)");
    AddDatabaseFlag(parser, database);
    if (auto exit = parser.Run(args, io.out, io.err)) return *exit;
    if (!out) {
        io.err << parser.Error("--out FILE.svg|FILE.png is required") << '\n';
        return kExitUsage;
    }
    if (flags.json) {
        io.err << parser.Error("--json belongs to now; dial writes a picture") << '\n';
        return kExitUsage;
    }
    if (flags.tz && flags.summer) {
        io.err << parser.Error("--summer cannot go with --tz: the zone gives its own summer time") << '\n';
        return kExitUsage;
    }
    const GuiScope gui;
    if (!gui.Usable()) {
        io.err << parser.Error("cannot draw without a GUI application") << '\n';
        return kExitFailure;
    }
    const std::unique_ptr<store::Database> db = OpenDatabaseFor("dial", database, io);
    if (!db) return kExitFailure;
    const auto tables = LoadTablesFor("dial", *db, io, !database.path);
    if (!tables) return kExitFailure;
    const std::optional<TickInput> place = SettingsPlace("dial", flags, *db, io);
    if (!place) return kExitFailure;
    TickInput input = *place;
    std::vector<std::string> warnings;
    const ReferenceClock clock = PrepareReference(flags, input, warnings);
    for (const std::string& w : warnings) io.err << "velunar-cli dial: warning: " << w << '\n';
    TickMemory memory;
    const TickView view = RunPipeline(input, FocusedText::None(), memory, *tables, nullptr, clock);
    if (auto outside = OutsideTheCalendar(view)) {
        io.err << parser.Error(*outside) << '\n';
        return kExitUsage;
    }
    if (view.skipped) {
        // A dial without a double-hour would be a picture of nothing: refuse, as now does.
        io.err << parser.Error("the settings cannot be used: " + PlaceNote(input, view.skipReason)) << '\n';
        return kExitFailure;
    }
    const DialModel model = BuildDial(input, view, *tables);
    const auto format = dial::DialFormatOf(store::PathFromNative(*out));
    const QByteArray bytes = dial::DialFileBytes(model, *format, size);
    if (bytes.isEmpty()) {
        io.err << parser.Error("the dial could not be drawn") << '\n';
        return kExitFailure;
    }
    store::OutputFile file(store::PathFromNative(*out));
    if (!file.Open() || !file.Write(bytes) || !file.Commit()) {
        io.err << parser.Error("cannot write " + *out + ": " + file.ErrorString().toStdString()) << '\n';
        file.Cancel();
        return kExitFailure;
    }
    return kExitOk;
}

}  // namespace velunar::cli
