#include "cli/args.h"

#include "calendar/datetime.h"
#include "cli/text_table.h"

namespace velunar::cli {

ArgParser::ArgParser(std::string command, std::string positionals, std::string about)
    : command_(std::move(command)), positionalNames_(std::move(positionals)), about_(std::move(about)) {}

void ArgParser::Flag(std::string name, std::function<void()> set, std::string help) {
    rules_.push_back({std::move(name), {}, std::move(set), {}, std::move(help)});
}

void ArgParser::Option(std::string name, std::string valueName, Apply apply, std::string help) {
    rules_.push_back({std::move(name), std::move(valueName), nullptr, std::move(apply), std::move(help)});
}

const ArgParser::OptionRule* ArgParser::Find(std::string_view name) const {
    for (const OptionRule& s : rules_)
        if (s.name == name) return &s;
    return nullptr;
}

std::string ArgParser::Error(const std::string& text) const {
    return "velunar-cli " + command_ + ": " + text;
}

std::optional<std::string> ArgParser::Parse(const CommandArgs& args) {
    for (std::size_t i = 0; i < args.size(); ++i) {
        const std::string& arg = args[i];
        if (arg == "--") {
            positionals_.insert(positionals_.end(), args.begin() + static_cast<std::ptrdiff_t>(i) + 1,
                                args.end());
            break;
        }
        if (arg == "--help" || arg == "-h") {
            help_ = true;
            continue;
        }
        // A lone "-" and anything not starting with a hyphen is an argument, not a flag.
        if (arg.size() < 2 || arg[0] != '-') {
            positionals_.push_back(arg);
            continue;
        }
        const std::size_t eq = arg.find('=');
        const std::string name = arg.substr(0, eq);
        const OptionRule* rule = name.rfind("--", 0) == 0 ? Find(name) : nullptr;
        if (!rule) return Error("unknown argument \"" + arg + "\" (see --help)");
        if (rule->valueName.empty()) {
            if (eq != std::string::npos) return Error(name + " takes no value");
            rule->set();
            continue;
        }
        std::string value;
        if (eq != std::string::npos)
            value = arg.substr(eq + 1);
        else if (i + 1 < args.size())
            value = args[++i];
        else
            return Error(name + " needs a value " + rule->valueName);
        if (auto refused = rule->apply(value)) return Error(name + ": " + *refused);
    }
    return std::nullopt;
}

std::optional<int> ArgParser::Run(const CommandArgs& args, std::ostream& out, std::ostream& err, int count) {
    if (auto error = Parse(args)) {
        err << *error << '\n';
        return 2;
    }
    if (help_) {
        out << Usage();
        return 0;
    }
    if (count >= 0 && static_cast<int>(positionals_.size()) != count) {
        err << Error(count == 0 ? "unexpected argument \"" + positionals_.front() + "\" (see --help)"
                                : "expected " + positionalNames_ + ", got " +
                                      std::to_string(positionals_.size()) + " arguments")
            << '\n';
        return 2;
    }
    return std::nullopt;
}

std::string ArgParser::Usage() const {
    std::string out = "usage: velunar-cli " + command_ +
                      (positionalNames_.empty() ? "" : " " + positionalNames_) + " [options]\n";
    for (const OptionRule& s : rules_) {
        std::string left = "  " + s.name + (s.valueName.empty() ? "" : " " + s.valueName);
        const std::size_t width = DisplayWidth(left);
        if (width < 28) left.append(28 - width, ' ');
        out += left + " " + s.help + "\n";
    }
    // Taken by every command before its own flags are read.
    std::string lang = "  --lang en|zh";
    lang.append(28 - lang.size(), ' ');
    out += lang + " the language of the output (default: the system's)\n";
    return out + about_;
}

std::optional<std::int64_t> ReadDate(const std::string& text) {
    if (text.size() != 10) return std::nullopt;
    const std::optional<DateTime> t = ParseIso(text);
    if (!t) return std::nullopt;
    return WholeDay(*t);
}

}  // namespace velunar::cli
