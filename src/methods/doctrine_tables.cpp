#include "methods/doctrine_tables.h"

namespace velunar {
namespace {

// Indexed by stem − 1 (甲乙丙丁戊已庚辛壬癸) or branch − 1 (子丑寅卯辰巳午未申酉戌亥).
constexpr std::array<int, 10> kDayStemValue = {10, 9, 7, 8, 7, 10, 9, 7, 8, 7};
constexpr std::array<int, 12> kDayBranchValue = {7, 10, 8, 8, 10, 7, 7, 10, 9, 9, 10, 7};
constexpr std::array<int, 10> kHourStemValue = {9, 8, 7, 6, 5, 9, 8, 7, 6, 5};
constexpr std::array<int, 12> kHourBranchValue = {9, 8, 7, 6, 5, 4, 9, 8, 7, 6, 5, 4};

constexpr std::array<std::string_view, 9> kPointOfRemainder = {"申脉", "照海", "外关", "临泣", "照海",
                                                               "公孙", "后溪", "内关", "列缺"};
constexpr std::array<std::string_view, 10> kFeiTengPoint = {"公孙", "申脉", "内关", "照海", "临泣",
                                                            "列缺", "外关", "后溪", "公孙", "申脉"};

struct Pair {
    std::string_view a;
    std::string_view b;
};
constexpr std::array<Pair, 4> kPairs = {
    {{"公孙", "内关"}, {"外关", "临泣"}, {"列缺", "照海"}, {"后溪", "申脉"}}};

constexpr std::array<std::string_view, 10> kShortOfStem = {"胆", "肝",   "小肠", "心",   "胃",
                                                           "脾", "大肠", "肺",   "膀胱", "肾"};
constexpr std::array<std::string_view, 10> kLongOfStem = {"胆经", "肝经",   "小肠经", "心经",   "胃经",
                                                          "脾经", "大肠经", "肺经",   "膀胱经", "肾经"};
constexpr std::array<std::string_view, 12> kShortOfBranch = {"胆", "肝",   "肺",   "大肠", "胃",   "脾",
                                                             "心", "小肠", "膀胱", "肾",   "心包", "三焦"};

constexpr std::array<std::string_view, 4> kStemVerse = {"甲胆乙肝丙小肠", "丁心戊胃己脾乡", "庚属大肠辛属肺",
                                                        "壬属膀胱癸肾脏"};
constexpr std::array<int, 10> kStemVerseLine = {0, 0, 0, 1, 1, 1, 2, 2, 3, 3};
constexpr std::array<std::string_view, 4> kBranchVerse = {"肺寅大卯胃辰宫", "脾巳心午小未中",
                                                          "申胱酉肾心包戌", "亥焦子胆丑肝通"};
constexpr std::array<int, 12> kBranchVerseLine = {3, 3, 0, 0, 0, 1, 1, 1, 2, 2, 2, 3};

template <typename T, std::size_t N>
T At(const std::array<T, N>& table, int oneBased, T none) {
    return oneBased >= 1 && oneBased <= static_cast<int>(N) ? table[oneBased - 1] : none;
}

}  // namespace

int LingGuiDayStemValue(int stem) {
    return At(kDayStemValue, stem, 0);
}
int LingGuiDayBranchValue(int branch) {
    return At(kDayBranchValue, branch, 0);
}
int LingGuiHourStemValue(int stem) {
    return At(kHourStemValue, stem, 0);
}
int LingGuiHourBranchValue(int branch) {
    return At(kHourBranchValue, branch, 0);
}

LingGuiWorking LingGuiWork(int dayStem, int dayBranch, int hourStem, int hourBranch) {
    LingGuiWorking w;
    w.values = {LingGuiDayStemValue(dayStem), LingGuiDayBranchValue(dayBranch),
                LingGuiHourStemValue(hourStem), LingGuiHourBranchValue(hourBranch)};
    for (int v : w.values) {
        if (v == 0) return LingGuiWorking{};
        w.sum += v;
    }
    w.divisor = dayStem % 2 == 1 ? 9 : 6;
    w.remainder = w.sum % w.divisor;
    w.number = w.remainder == 0 ? w.divisor : w.remainder;
    return w;
}

int LingGuiRemainder(int dayStem, int dayBranch, int hourStem, int hourBranch) {
    return LingGuiWork(dayStem, dayBranch, hourStem, hourBranch).number;
}

std::string_view LingGuiPointOfRemainder(int remainder) {
    return At(kPointOfRemainder, remainder, std::string_view());
}

std::string_view LingGuiPoint(int dayStem, int dayBranch, int hourStem, int hourBranch) {
    return LingGuiPointOfRemainder(LingGuiRemainder(dayStem, dayBranch, hourStem, hourBranch));
}

std::string_view FeiTengPoint(int hourStem) {
    return At(kFeiTengPoint, hourStem, std::string_view());
}

std::string_view Partner(std::string_view point) {
    for (const Pair& p : kPairs) {
        if (point == p.a) return p.b;
        if (point == p.b) return p.a;
    }
    return {};
}

std::string_view ShortMeridianOfStem(int stem) {
    return At(kShortOfStem, stem, std::string_view());
}
std::string_view LongMeridianOfStem(int stem) {
    return At(kLongOfStem, stem, std::string_view());
}
std::string_view MeridianOfBranch(int branch) {
    return At(kShortOfBranch, branch, std::string_view());
}

std::string_view StemMeridianVerse(int stem) {
    const int line = At(kStemVerseLine, stem, -1);
    return line < 0 ? std::string_view() : kStemVerse[static_cast<std::size_t>(line)];
}

std::string_view BranchMeridianVerse(int branch) {
    const int line = At(kBranchVerseLine, branch, -1);
    return line < 0 ? std::string_view() : kBranchVerse[static_cast<std::size_t>(line)];
}

}  // namespace velunar
