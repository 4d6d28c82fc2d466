#pragma once
// The textbook facts the midday-midnight flow doctrines reason with: the five phases, and for each of the
// twelve meridians its phase, yin or yang, its five transport points (井 荥 俞 经 合) and its source point.
// The doctrines' derivations and the self-check of the shipped tables both work from these, so a slip here
// shows as a table row that no longer follows from its rules.
#include <array>
#include <string_view>

namespace velunar {

// In generating order: each phase generates the next (木生火 … 水生木).
enum class Phase { None, Wood, Fire, Earth, Metal, Water };
std::string_view Name(Phase p);  // 木 火 土 金 水, "" for None
Phase Mother(Phase p);           // the phase that generates p (None for None)
Phase Child(Phase p);            // the phase p generates

// 井 荥 俞 经 合 as 0..4; the fifth index of a transport array is the source point (原).
inline constexpr int kTransportCategories = 5;
std::string_view CategoryName(int category);  // 井 荥 俞 经 合, "" out of range

struct MeridianFacts {
    std::string_view name;  // short form, as 经络表 and the stem and branch tables spell it: 胆, 小肠, 心包
    Phase phase;
    bool yin;
    std::array<std::string_view, kTransportCategories> transport;
    std::string_view source;  // 原穴; a yin meridian's 俞 point serves as its source (以输代原)
};

// The meridian of a short name; null for any other text.
const MeridianFacts* MeridianNamed(std::string_view shortName);
// Phase of a transport category: yin meridians 井木 荥火 俞土 经金 合水, yang meridians 井金 荥水 俞木 经火
// 合土.
Phase CategoryPhase(const MeridianFacts& m, int category);
// The category whose phase is p (every meridian has one of each).
int CategoryOfPhase(const MeridianFacts& m, Phase p);

}  // namespace velunar
