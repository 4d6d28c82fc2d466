#include "calendar/ganzhi.h"

#include <array>

namespace velunar {
namespace {

constexpr std::array<std::string_view, 10> kStems = {"甲", "乙", "丙", "丁", "戊",
                                                     "已", "庚", "辛", "壬", "癸"};
constexpr std::array<std::string_view, 12> kBranches = {"子", "丑", "寅", "卯", "辰", "巳",
                                                        "午", "未", "申", "酉", "戌", "亥"};
// The stem of day 0 (1899-12-30) is 壬 (index 8), its branch 申 (index 8).
constexpr std::int64_t kStemOfDayZero = 8;
constexpr std::int64_t kBranchOfDayZero = 8;

int Cycle(std::int64_t day, std::int64_t start, std::int64_t period) {
    std::int64_t r = (day + start) % period;
    if (r < 0) r += period;
    return static_cast<int>(r) + 1;
}

}  // namespace

std::string_view Name(Stem s) {
    return s == Stem::None ? std::string_view() : kStems[Number(s) - 1];
}

std::string_view Name(Branch b) {
    return b == Branch::None ? std::string_view() : kBranches[Number(b) - 1];
}

std::string StemName(int n) {
    return std::string(Name(StemAt(n)));
}

std::string BranchName(int n) {
    return std::string(Name(BranchAt(n)));
}

int BranchNumber(std::string_view text) {
    for (std::size_t i = 0; i < kBranches.size(); ++i)
        if (kBranches[i] == text) return static_cast<int>(i) + 1;
    return kNoBranch;
}

int StemNumber(std::string_view text) {
    for (std::size_t i = 0; i < kStems.size(); ++i)
        if (kStems[i] == text) return static_cast<int>(i) + 1;
    return kNoStem;
}

int HourStemOffset(std::string_view stemText) {
    const int n = StemNumber(stemText);
    return n == kNoStem ? kNoOffset : ((n - 1) % 5) * 2;
}

int DayStemNumber(DateTime t) {
    return Cycle(WholeDay(t), kStemOfDayZero, 10);
}

int DayBranchNumber(DateTime t) {
    return Cycle(WholeDay(t), kBranchOfDayZero, 12);
}

int HourStemNumber(int base, int branch) {
    if (StemAt(base) == Stem::None || BranchAt(branch) == Branch::None) return kNoStem;
    const int offset = ((base - 1) % 5) * 2;  // the five-rat rule: 甲已 0, 乙庚 2, 丙辛 4, 丁壬 6, 戊癸 8
    return (offset + branch - 1) % 10 + 1;
}

Stem HourStemOf(Stem base, Branch branch) {
    return StemAt(HourStemNumber(Number(base), Number(branch)));
}

int NextStem(int stem) {
    return stem >= 1 && stem <= 10 ? stem % 10 + 1 : kNoStem;
}

bool IsBranchText(std::string_view text) {
    return BranchNumber(text) != kNoBranch;
}

SixthStem SixthStemOf(std::string_view text) {
    return text == kSixthStemUsual ? SixthStem::Usual : SixthStem::AsKeys;
}

std::string_view Label(SixthStem spelling) {
    return spelling == SixthStem::Usual ? kSixthStemUsual : kSixthStemAsKeys;
}

void Spell(std::string& text, SixthStem spelling) {
    if (spelling == SixthStem::AsKeys) return;
    for (std::size_t at = 0; (at = text.find(kSixthStemAsKeys, at)) != std::string::npos;
         at += kSixthStemUsual.size())
        text.replace(at, kSixthStemAsKeys.size(), kSixthStemUsual);
}

std::string Spelled(std::string text, SixthStem spelling) {
    Spell(text, spelling);
    return text;
}

}  // namespace velunar
