#include "cli/args.h"

namespace velunar::cli {
namespace {

// Columns a UTF-8 text takes in a terminal: Chinese characters (three-byte and longer) count two.
std::size_t DisplayWidth(std::string_view text) {
    std::size_t width = 0;
    for (unsigned char c : text) {
        if ((c & 0xC0) == 0x80) continue;
        width += c >= 0xE0 ? 2 : 1;
    }
    return width;
}

}  // namespace

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
        if (arg == "--help" || arg == "-h") {
            help_ = true;
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

std::string ArgParser::Usage() const {
    std::string out = "usage: velunar-cli " + command_ + " [options]\n";
    for (const OptionRule& s : rules_) {
        std::string left = "  " + s.name + (s.valueName.empty() ? "" : " " + s.valueName);
        const std::size_t width = DisplayWidth(left);
        if (width < 28) left.append(28 - width, ' ');
        out += left + " " + s.help + "\n";
    }
    return out;
}

}  // namespace velunar::cli
