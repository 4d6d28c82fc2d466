#include "calendar/eot.h"
#include "cli/commands.h"

namespace velunar::cli {

int RunEot(const CommandArgs& args, CommandIo& io) {
    ArgParser parser("eot", "", "Prints the 366 rows of the equation-of-time table, KEY<TAB>VALUE.\n");
    if (auto exit = parser.Run(args, io.out, io.err)) return *exit;
    for (const EotRow& row : EquationOfTimeTable()) io.out << row.key << '\t' << row.value << '\n';
    return kExitOk;
}

}  // namespace velunar::cli
