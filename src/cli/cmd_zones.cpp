#include "calendar/solar.h"
#include "cli/commands.h"

namespace velunar::cli {

int RunZones(const CommandArgs& args, CommandIo& io) {
    ArgParser parser("zones", "", "Lists NUMBER<TAB>MINUTES EAST OF GREENWICH<TAB>ZONE TEXT.\n");
    if (auto exit = parser.Run(args, io.out, io.err)) return *exit;
    int n = 0;
    for (const FixedZone& zone : FixedZones())
        io.out << ++n << '\t' << zone.offsetMinutes << '\t' << zone.label << '\n';
    return kExitOk;
}

}  // namespace velunar::cli
