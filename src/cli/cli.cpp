#include <cstdio>
#include <exception>
#include <string>
#include <string_view>

#include <QString>
#include <QtGlobal>

#include "cli/commands.h"

namespace velunar::cli {
namespace {

// While a command runs, what Qt itself says (the drawing commands start a GUI application) goes out under
// the command's name, as every message of velunar-cli does.
class QtMessagesUnder {
  public:
    explicit QtMessagesUnder(std::string_view command) {
        Prefix() = "velunar-cli " + std::string(command) + ": ";
        previous_ = qInstallMessageHandler(&QtMessagesUnder::Say);
    }
    ~QtMessagesUnder() { qInstallMessageHandler(previous_); }
    QtMessagesUnder(const QtMessagesUnder&) = delete;
    QtMessagesUnder& operator=(const QtMessagesUnder&) = delete;

  private:
    static std::string& Prefix() {
        static std::string prefix;
        return prefix;
    }
    static void Say(QtMsgType type, const QMessageLogContext&, const QString& text) {
        // Qt choosing a runtime folder for itself, when XDG_RUNTIME_DIR is unset, changes nothing a command
        // does.
        if (type == QtDebugMsg || text.startsWith(QLatin1String("QStandardPaths: XDG_RUNTIME_DIR not set")))
            return;
        std::fprintf(stderr, "%s%s\n", Prefix().c_str(), text.toLocal8Bit().constData());
    }

    QtMessageHandler previous_ = nullptr;
};

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
        const QtMessagesUnder qt(c.name);
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
