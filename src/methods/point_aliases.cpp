#include "methods/point_aliases.h"

#include <array>
#include <utility>

namespace velunar {
namespace {

// Superseded spelling -> standard name (GB/T 12346).
constexpr std::array<std::pair<std::string_view, std::string_view>, 1> kAliases = {{
    {"清冷渊", "清泠渊"},  // 冷 (cold) for 泠 (clear water) in older books and tables
}};

}  // namespace

std::string_view CanonicalPointName(std::string_view name) {
    for (const auto& [old, standard] : kAliases)
        if (name == old) return standard;
    return name;
}

std::vector<std::string_view> SupersededSpellingsOf(std::string_view standard) {
    std::vector<std::string_view> out;
    for (const auto& [old, name] : kAliases)
        if (name == standard) out.push_back(old);
    return out;
}

}  // namespace velunar
