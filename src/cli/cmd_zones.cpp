#include "calendar/solar.h"
#include "cli/commands.h"

namespace velunar::cli {

int RunZones(const CommandArgs& args, CommandIo& io) {
    ArgParser parser("zones");
    if (auto error = parser.Parse(args)) {
        io.err << *error << '\n';
        return kExitUsage;
    }
    if (parser.HelpAsked()) {
        io.out << parser.Usage() << "Lists NUMBER<TAB>MINUTES EAST OF GREENWICH<TAB>ZONE TEXT.\n";
        return kExitOk;
    }
    int n = 0;
    for (std::string_view zone : ZoneTexts())
        io.out << ++n << '\t' << ZoneOffsetMinutes(zone).value_or(0) << '\t' << zone << '\n';
    return kExitOk;
}

}  // namespace velunar::cli
