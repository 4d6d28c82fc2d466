#pragma once
// Flags of a subcommand: "--name", "--name VALUE" or "--name=VALUE". Each option checks its own value,
// so a bad value is reported by the flag that got it.
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace velunar::cli {

using CommandArgs = std::vector<std::string>;

class ArgParser {
  public:
    // Takes the value of an option; returns an error text when the value is refused.
    using Apply = std::function<std::optional<std::string>(const std::string& value)>;

    explicit ArgParser(std::string command) : command_(std::move(command)) {}

    // A flag takes no value; set runs when it is given.
    void Flag(std::string name, std::function<void()> set, std::string help);
    void Option(std::string name, std::string valueName, Apply apply, std::string help);

    // The first error as one line ("velunar-cli now: ..."), or nothing. --help and -h set HelpAsked().
    std::optional<std::string> Parse(const CommandArgs& args);
    bool HelpAsked() const { return help_; }
    std::string Usage() const;

  private:
    struct OptionRule {
        std::string name;
        std::string valueName;  // empty for a flag
        std::function<void()> set;
        Apply apply;
        std::string help;
    };
    const OptionRule* Find(std::string_view name) const;
    std::string Error(const std::string& text) const;

    std::string command_;
    std::vector<OptionRule> rules_;
    bool help_ = false;
};

}  // namespace velunar::cli
