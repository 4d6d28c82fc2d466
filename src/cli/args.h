#pragma once
// The one argument parser of every command: "--name", "--name VALUE" or "--name=VALUE" flags, positional
// arguments, "--" ending the flags (so a point name may begin with a hyphen), and --help / -h. Each option
// checks its own value, so a bad value is reported by the flag that got it.
#include <cstdint>
#include <functional>
#include <optional>
#include <ostream>
#include <string>
#include <string_view>
#include <vector>

namespace velunar::cli {

using CommandArgs = std::vector<std::string>;

class ArgParser {
  public:
    // Takes the value of an option; returns an error text when the value is refused.
    using Apply = std::function<std::optional<std::string>(const std::string& value)>;

    // positionals: how the usage line names them ("FROM TO"); about: the text after the options in --help.
    ArgParser(std::string command, std::string positionals = {}, std::string about = {});

    // A flag takes no value; set runs when it is given.
    void Flag(std::string name, std::function<void()> set, std::string help);
    void Option(std::string name, std::string valueName, Apply apply, std::string help);

    // Parses; on a usage error writes it to err and returns 2, on --help writes the usage to out and
    // returns 0; nothing when the command is to run. `count` positionals are required (-1: any number).
    std::optional<int> Run(const CommandArgs& args, std::ostream& out, std::ostream& err, int count = 0);
    const CommandArgs& Positionals() const { return positionals_; }

    // The first error as one line ("velunar-cli now: ..."), or nothing.
    std::optional<std::string> Parse(const CommandArgs& args);
    bool HelpAsked() const { return help_; }
    std::string Usage() const;
    // "velunar-cli <command>: <text>"
    std::string Error(const std::string& text) const;

  private:
    struct OptionRule {
        std::string name;
        std::string valueName;  // empty for a flag
        std::function<void()> set;
        Apply apply;
        std::string help;
    };
    const OptionRule* Find(std::string_view name) const;

    std::string command_;
    std::string positionalNames_;
    std::string about_;
    std::vector<OptionRule> rules_;
    CommandArgs positionals_;
    bool help_ = false;
};

// A plain date "YYYY-MM-DD" as a day number; nothing for anything else (a time of day would suggest it
// matters).
std::optional<std::int64_t> ReadDate(const std::string& text);

}  // namespace velunar::cli
