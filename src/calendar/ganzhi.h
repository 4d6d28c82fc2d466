#pragma once
// Heavenly stems (甲乙丙丁戊已庚辛壬癸; the sixth is written 已 everywhere, as the database keys are) and
// earthly branches (子丑寅卯辰巳午未申酉戌亥). Typed values for the program; the numbers 1..10 and 1..12 are
// what the classical arithmetic counts with. Texts are UTF-8, compared whole.
#include <string>
#include <string_view>

#include "calendar/datetime.h"

namespace velunar {

enum class Stem { None = 0, Jia, Yi, Bing, Ding, Wu, Ji, Geng, Xin, Ren, Gui };
enum class Branch { None = 0, Zi, Chou, Yin, Mao, Chen, Si, Wu, Wei, Shen, You, Xu, Hai };

inline constexpr int kNoStem = 0;
inline constexpr int kNoBranch = 0;
inline constexpr int kNoOffset = -1;

constexpr int Number(Stem s) {
    return static_cast<int>(s);
}
constexpr int Number(Branch b) {
    return static_cast<int>(b);
}
// None for a number out of range.
constexpr Stem StemAt(int n) {
    return n >= 1 && n <= 10 ? static_cast<Stem>(n) : Stem::None;
}
constexpr Branch BranchAt(int n) {
    return n >= 1 && n <= 12 ? static_cast<Branch>(n) : Branch::None;
}

// One character; empty for None.
std::string_view Name(Stem s);
std::string_view Name(Branch b);

std::string StemName(int n);
std::string BranchName(int n);
// 0 (kNoBranch) for a text that is no branch.
int BranchNumber(std::string_view text);
// 1..10, or 0 (kNoStem) for a text that is no stem.
int StemNumber(std::string_view text);
// 0, 2, 4, 6 or 8; -1 (kNoOffset) for a text that is no stem.
int HourStemOffset(std::string_view stemText);
int DayStemNumber(DateTime t);
int DayBranchNumber(DateTime t);
// How the sixth stem is written in what the program shows and writes: 已, as the database keys and every
// earlier release write it, or 己, its usual form. The keys keep 已 whatever is chosen: the spelling is
// applied to texts on their way out, never to a key.
enum class SixthStem { AsKeys, Usual };
inline constexpr std::string_view kSixthStemAsKeys = "已";
inline constexpr std::string_view kSixthStemUsual = "己";
// The stored or typed choice: "己" selects the usual form; anything else keeps 已.
SixthStem SixthStemOf(std::string_view text);
std::string_view Label(SixthStem spelling);
// A value text (a stem-branch, a table cell, a reverse lookup line) as the spelling writes it. Only values:
// a message may hold 已 as the word it also is.
std::string Spelled(std::string text, SixthStem spelling);
void Spell(std::string& text, SixthStem spelling);

// Stem of the double-hour with branch `branch` counted from stem `base`; 0 when either is out of range.
int HourStemNumber(int base, int branch);
Stem HourStemOf(Stem base, Branch branch);
// The stem that follows `stem` (癸 is followed by 甲); 0 for an invalid stem.
int NextStem(int stem);
bool IsBranchText(std::string_view text);

}  // namespace velunar
