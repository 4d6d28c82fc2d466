#include <cstdio>
#include <exception>
#include <optional>
#include <string>
#include <string_view>

#include <QString>
#include <QtGlobal>

#include "cli/commands.h"
#include "store/translation.h"

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
           "every command takes --lang en|zh: the language of its output (default: the system's)\n"
           "commands:\n";
    for (const Command& c : kCommands) {
        std::string name(c.name);
        name.resize(10, ' ');
        out << "  " << name << c.summary << '\n';
    }
}

// Takes --lang en|zh (or --lang=…) out of the arguments before "--" and puts the language in force; the
// language of the process stays as it is without one. An error text for a value that names no language.
std::optional<std::string> TakeLanguage(CommandArgs& args) {
    for (std::size_t i = 0; i < args.size(); ++i) {
        if (args[i] == "--") break;
        std::string value;
        std::size_t taken = 1;
        if (args[i] == "--lang") {
            if (i + 1 >= args.size()) return "--lang needs a value en|zh";
            value = args[i + 1];
            taken = 2;
        } else if (args[i].rfind("--lang=", 0) == 0) {
            value = args[i].substr(7);
        } else {
            continue;
        }
        if (value != "en" && value != "zh") return "--lang: expected en or zh, got \"" + value + "\"";
        const store::Language language = value == "en" ? store::Language::English : store::Language::Chinese;
        if (!store::SetLanguage(language))
            return "--lang en: the English catalogue " + store::CatalogueFolder().toStdString() +
                   "/velunar_en.qm cannot be read";
        args.erase(args.begin() + static_cast<std::ptrdiff_t>(i),
                   args.begin() + static_cast<std::ptrdiff_t>(i + taken));
        --i;
    }
    return std::nullopt;
}

}  // namespace

int RunCli(const CommandArgs& given, CommandIo& io) {
    // --lang holds for this run only: a caller that runs several commands (the tests) keeps its own language.
    struct Restore {
        store::Language language = store::CurrentLanguage();
        ~Restore() { store::SetLanguage(language); }
    } restore;
    CommandArgs args = given;
    if (auto refused = TakeLanguage(args)) {
        io.err << "velunar-cli: " << *refused << '\n';
        return kExitUsage;
    }
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
