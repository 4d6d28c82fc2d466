#include <exception>
#include <string_view>

#include "cli/commands.h"

namespace velunar::cli {
namespace {

struct Command {
    std::string_view name;
    int (*entry)(const CommandArgs&, CommandIo&);
    std::string_view summary;
};

#define VELUNAR_COMMAND_ROW(name, entry, summary) {name, entry, summary},
constexpr Command kCommands[] = {VELUNAR_CLI_COMMANDS(VELUNAR_COMMAND_ROW)};
#undef VELUNAR_COMMAND_ROW

void PrintUsage(std::ostream& out) {
    out << "velunar-cli " VELUNAR_VERSION
           "\n"
           "usage: velunar-cli <command> [options]   (velunar-cli <command> --help for its options)\n"
           "       velunar-cli --version\n"
           "commands:\n";
    for (const Command& c : kCommands) {
        std::string name(c.name);
        name.resize(10, ' ');
        out << "  " << name << c.summary << '\n';
    }
}

}  // namespace

int RunCli(const CommandArgs& args, CommandIo& io) {
    if (args.empty()) {
        PrintUsage(io.err);
        return kExitUsage;
    }
    if (args[0] == "--help" || args[0] == "-h" || args[0] == "help") {
        PrintUsage(io.out);
        return kExitOk;
    }
    if (args[0] == "--version") {
        io.out << "velunar-cli " VELUNAR_VERSION "\n";
        return kExitOk;
    }
    for (const Command& c : kCommands) {
        if (c.name != args[0]) continue;
        // Whatever a command did not foresee is still said under its own name.
        try {
            return c.entry(CommandArgs(args.begin() + 1, args.end()), io);
        } catch (const std::exception& e) {
            io.err << "velunar-cli " << c.name << ": " << e.what() << '\n';
            return kExitFailure;
        }
    }
    io.err << "velunar-cli: unknown command \"" << args[0] << "\" (see velunar-cli --help)\n";
    return kExitUsage;
}

}  // namespace velunar::cli
