#pragma once
// The constant tables of the time-based doctrines, shared by the main window's pages, the schedule and
// the reverse lookup: one set of values, so no two views of the program can disagree about a point.
// Stems are 1..10 and branches 1..12 as in calendar/ganzhi.h; anything out of range gives 0 or the
// empty text, never a valid-looking value.
#include <array>
#include <string_view>

namespace velunar {

// The eight confluent points of the extraordinary vessels, as the eight-method pages write them
// (临泣 is 足临泣).
inline constexpr std::array<std::string_view, 8> kConfluentPoints = {"公孙", "内关", "外关", "临泣",
                                                                     "列缺", "照海", "后溪", "申脉"};

// Ling Gui numbers of the four pillars of a moment; 0 for an out-of-range argument.
int LingGuiDayStemValue(int stem);
int LingGuiDayBranchValue(int branch);
int LingGuiHourStemValue(int stem);
int LingGuiHourBranchValue(int branch);

// The Ling Gui arithmetic step by step: the four values (day stem, day branch, hour stem, hour branch), their
// sum, the divisor of the day (9 yang, 6 yin), the remainder as divided and the number it names.
struct LingGuiWorking {
    std::array<int, 4> values{};
    int sum = 0;
    int divisor = 0;
    int remainder = 0;  // sum mod divisor, 0 included
    int number = 0;     // 1..9: a zero remainder counts as the divisor; 0 when any input is invalid
};
LingGuiWorking LingGuiWork(int dayStem, int dayBranch, int hourStem, int hourBranch);

// The remainder that names the Ling Gui point: the sum of the four values modulo 9 on a yang day (odd
// day stem), modulo 6 on a yin day, a zero remainder read as the divisor. 0 if any input is invalid.
int LingGuiRemainder(int dayStem, int dayBranch, int hourStem, int hourBranch);
// 1..9 → point (2 and 5 both name 照海); empty for anything else.
std::string_view LingGuiPointOfRemainder(int remainder);
// The opened Ling Gui point, or the empty text if any input is invalid.
std::string_view LingGuiPoint(int dayStem, int dayBranch, int hourStem, int hourBranch);

// The Fei Teng point of an hour stem; empty for an invalid stem.
std::string_view FeiTengPoint(int hourStem);

// The other point of a confluent pair (公孙–内关, 外关–临泣, 列缺–照海, 后溪–申脉); empty for any other text.
std::string_view Partner(std::string_view point);

// Meridian of a stem in the spelling of 经络表 (胆, 小肠, …) and in the spelling of the transport-point
// table (胆经, 小肠经, …). The two are never interchangeable: each table is keyed by its own form.
std::string_view ShortMeridianOfStem(int stem);
std::string_view LongMeridianOfStem(int stem);
// Meridian of a double-hour branch, short form (戌 心包, 亥 三焦: no stem names these two).
std::string_view MeridianOfBranch(int branch);
// The line of 《针灸大成》's 十二经纳天干歌 and 十二经纳地支歌 that names a stem's or a branch's meridian;
// empty out of range.
std::string_view StemMeridianVerse(int stem);
std::string_view BranchMeridianVerse(int branch);

}  // namespace velunar
