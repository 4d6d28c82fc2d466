#pragma once
// Why a result is what it is, as data: a list of steps, each a label of its doctrine's own table and the
// values it names. The doctrines record the steps while they work out their result, so the steps cannot
// tell another story than the result they lead to.
//
// The labels are the program's own Chinese texts. A step keeps its label's key and its arguments apart from
// the text, so an edition in another language can put a translated label in at the edge (by key) and leave
// the working alone; numbers are arguments written as digits.
#include <concepts>
#include <string>
#include <string_view>
#include <vector>

namespace velunar {

struct StepLabel {
    std::string_view key;   // stable: "linggui.sum"
    std::string_view text;  // "{1} + {2} + {3} + {4} = {5}": {n} is the n-th argument (1..9)
};

struct Step {
    const StepLabel* label = nullptr;
    std::vector<std::string> args;

    std::string Text() const;
};

using Derivation = std::vector<Step>;

std::vector<std::string> Texts(const Derivation& d);

// Where a working records its steps: nowhere (the schedule and the reverse lookup only want results, and pay
// for no text), or into a derivation.
class Why {
  public:
    Why() = default;
    explicit Why(Derivation* into) : into_(into) {}
    bool Wanted() const { return into_ != nullptr; }

    template <typename... Args>
    void operator()(const StepLabel& label, const Args&... args) const {
        if (into_) into_->push_back({&label, {Arg(args)...}});
    }

  private:
    static std::string Arg(std::string_view s) { return std::string(s); }
    static std::string Arg(const std::string& s) { return s; }
    static std::string Arg(const char* s) { return s; }
    template <std::integral N>
    static std::string Arg(N n) {
        return std::to_string(n);
    }

    Derivation* into_ = nullptr;
};

}  // namespace velunar
