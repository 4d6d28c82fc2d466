#include "calendar/eot.h"
#include "cli/commands.h"

namespace velunar::cli {

int RunEot(const CommandArgs& args, CommandIo& io) {
    ArgParser parser("eot");
    if (auto error = parser.Parse(args)) {
        io.err << *error << '\n';
        return kExitUsage;
    }
    if (parser.HelpAsked()) {
        io.out << parser.Usage() << "Prints the 366 rows of the equation-of-time table, KEY<TAB>VALUE.\n";
        return kExitOk;
    }
    for (const EotRow& row : EquationOfTimeTable()) io.out << row.key << '\t' << row.value << '\n';
    return kExitOk;
}

}  // namespace velunar::cli
