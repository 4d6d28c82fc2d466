#include "calendar/renshen.h"

#include <gtest/gtest.h>

#include <array>
#include <string>
#include <vector>

namespace velunar {
namespace {

// Each source's words as they stand in its text, in order, and what the program shows for them (the song's
// abbreviations expanded by its own notes). The test finds the words in the text, in order, so a reading
// typed into data/ differently from its book fails here.
struct Entry {
    const char* written;
    const char* shown;
};

void ExpectInOrder(const std::string& text, const std::vector<Entry>& entries, const char* book) {
    std::size_t at = 0;
    for (const Entry& e : entries) {
        const std::size_t found = text.find(e.written, at);
        ASSERT_NE(found, std::string::npos)
            << book << ": " << e.written << " not found after position " << at;
        at = found + std::string(e.written).size();
    }
}

// 《医宗金鉴·刺灸心法要诀》逐日人神所在禁忌针灸歌.
const std::string kJinJianDaySong =
    "一日足大二外踝，三日股内四在腰，五口六手七内踝，八腕九尻十背腰，十一鼻柱二发际，三牙四胃五遍身，"
    "六胸七气八股内，九足二十内踝寻，廿一手小二外踝，三日肝足四手明，五足六胸七在膝，八阴九胫晦趺停。";
const std::vector<Entry> kJinJianDays{
    {"足大", "足大趾"}, {"外踝", "外踝"}, {"股内", "股内"}, {"腰", "腰"},       {"口", "口"},
    {"手", "手"},       {"内踝", "内踝"}, {"腕", "腕"},     {"尻", "尻"},       {"背腰", "背腰"},
    {"鼻柱", "鼻柱"},   {"发际", "发际"}, {"牙", "牙"},     {"胃", "胃"},       {"遍身", "遍身"},
    {"胸", "胸"},       {"气", "气冲"},   {"股内", "股内"}, {"足", "足"},       {"内踝", "内踝"},
    {"手小", "手小指"}, {"外踝", "外踝"}, {"肝足", "肝足"}, {"手明", "手阳明"}, {"足", "足阳明"},
    {"胸", "胸"},       {"膝", "膝"},     {"阴", "阴"},     {"胫", "胫"},       {"趺", "足趺"},
};

// 《针灸大成》逐日人神歌: each line gives the days d, d+10 and d+20.
const std::string kDaChengDaySong =
    "初一十一廿一起，足拇鼻柱手小指；初二十二二十二，外踝发际外踝位；初三十三二十三，股内牙齿足及肝；"
    "初四十四廿四又，腰间胃脘阳明手；初五十五廿五并，口内遍身足阳明；初六十六廿六同，手掌胸前又在胸；"
    "初七十七二十七，内踝气冲及在膝；初八十八廿八辰，腕内股内又在阴；初九十九二十九，在尻在足膝胫后；"
    "初十二十三十日，腰背内踝足跗觅。";
const std::vector<std::array<Entry, 3>> kDaChengLines{
    {{{"足拇", "足拇"}, {"鼻柱", "鼻柱"}, {"手小指", "手小指"}}},
    {{{"外踝", "外踝"}, {"发际", "发际"}, {"外踝", "外踝"}}},
    {{{"股内", "股内"}, {"牙齿", "牙齿"}, {"足及肝", "足及肝"}}},
    {{{"腰间", "腰间"}, {"胃脘", "胃脘"}, {"阳明手", "手阳明"}}},
    {{{"口内", "口内"}, {"遍身", "遍身"}, {"足阳明", "足阳明"}}},
    {{{"手掌", "手掌"}, {"胸前", "胸前"}, {"胸", "胸"}}},
    {{{"内踝", "内踝"}, {"气冲", "气冲"}, {"膝", "膝"}}},
    {{{"腕内", "腕内"}, {"股内", "股内"}, {"阴", "阴"}}},
    {{{"尻", "尻"}, {"足", "足"}, {"膝胫", "膝胫"}}},
    {{{"腰背", "腰背"}, {"内踝", "内踝"}, {"足跗", "足跗"}}},
};

// 《神应经》逐日人神所在, the places alone (the program does not compile this book, but the common reading
// is drawn from it).
const std::array<const char*, 30> kShenYingDays{
    "足大趾", "足外踝", "股内",   "腰",     "口",     "手", "内踝", "手腕", "尻",   "腰背",
    "鼻柱",   "发际",   "牙齿",   "胃脘",   "遍身",   "胸", "气冲", "股内", "足跗", "内踝",
    "手小指", "足外踝", "腰及足", "手阳明", "足阳明", "胸", "膝",   "阴",   "膝胫", "足跗上"};

// 十二时人神: 《医宗金鉴》's song, 《针灸大成》's list, and 《类经图翼》 (the third behind the common
// reading).
const std::string kJinJianHourSong = "子踝丑头寅耳边，卯面辰项巳乳肩，午胁未腹申心主，酉膝戌腰亥股端。";
const std::vector<Entry> kJinJianHours{{"踝", "踝"},     {"头", "头"},       {"耳", "耳"}, {"面", "面"},
                                       {"项", "项"},     {"乳肩", "乳、肩"}, {"胁", "胁"}, {"腹", "腹"},
                                       {"心主", "胸膈"}, {"膝", "膝"},       {"腰", "腰"}, {"股", "股"}};
const std::string kDaChengHours =
    "子时踝，丑时腰，寅时目，卯时面，辰时头，巳手；午时胸，未时腹，申时心，酉时背，戌时项，亥股。";
const std::vector<Entry> kDaChengHourEntries{{"踝", "踝"}, {"腰", "腰"}, {"目", "目"}, {"面", "面"},
                                             {"头", "头"}, {"手", "手"}, {"胸", "胸"}, {"腹", "腹"},
                                             {"心", "心"}, {"背", "背"}, {"项", "项"}, {"股", "股"}};
const std::array<const char*, 12> kLeiJingHours{"踝",   "头", "耳", "面", "项", "乳",
                                                "胸胁", "腹", "心", "膝", "腰", "股"};

const std::array<const char*, 72> kPoints{
    "少商",   "鱼际", "太渊",   "经渠", "尺泽", "商阳",   "二间", "三间",   "合谷", "阳溪", "曲池",
    "厉兑",   "内庭", "陷谷",   "冲阳", "解溪", "足三里", "隐白", "大都",   "太白", "公孙", "商丘",
    "阴陵泉", "少冲", "少府",   "神门", "灵道", "少海",   "少泽", "前谷",   "后溪", "腕骨", "阳谷",
    "小海",   "至阴", "足通谷", "束骨", "京骨", "申脉",   "昆仑", "委中",   "涌泉", "然谷", "照海",
    "太溪",   "复溜", "阴谷",   "中冲", "劳宫", "大陵",   "内关", "间使",   "曲泽", "关冲", "液门",
    "中渚",   "阳池", "外关",   "支沟", "天井", "足窍阴", "侠溪", "足临泣", "丘墟", "阳辅", "阳陵泉",
    "大敦",   "行间", "太冲",   "中封", "曲泉", "列缺"};

// The points a place forbids, which is what a practitioner is warned about.
std::vector<std::string> PointsIn(const std::string& place) {
    std::vector<std::string> in;
    for (const char* p : kPoints)
        if (PointInPlace(p, place)) in.emplace_back(p);
    return in;
}

TEST(RenShen, EachDayListReadsAsItsBook) {
    ExpectInOrder(kJinJianDaySong, kJinJianDays, "医宗金鉴");
    std::vector<Entry> daCheng;
    for (const auto& line : kDaChengLines) daCheng.insert(daCheng.end(), line.begin(), line.end());
    ExpectInOrder(kDaChengDaySong, daCheng, "针灸大成");
    for (int day = 1; day <= 30; ++day) {
        const int line = (day - 1) % 10, column = (day - 1) / 10;
        EXPECT_EQ(RenShenOfDay(day, RenShenReading::JinJian).place, kJinJianDays[day - 1].shown) << day;
        EXPECT_EQ(RenShenOfDay(day, RenShenReading::DaCheng).place, kDaChengLines[line][column].shown) << day;
    }
    EXPECT_EQ(RenShenOfDay(1, RenShenReading::JinJian).source, "《医宗金鉴》");
    EXPECT_EQ(RenShenOfDay(0, RenShenReading::Common).place, "");
    EXPECT_EQ(RenShenOfDay(31, RenShenReading::Common).place, "");
}

TEST(RenShen, EachHourListReadsAsItsBook) {
    ExpectInOrder(kJinJianHourSong, kJinJianHours, "医宗金鉴");
    ExpectInOrder(kDaChengHours, kDaChengHourEntries, "针灸大成");
    for (int b = 1; b <= 12; ++b) {
        EXPECT_EQ(RenShenOfHour(BranchAt(b), RenShenReading::JinJian).place, kJinJianHours[b - 1].shown) << b;
        EXPECT_EQ(RenShenOfHour(BranchAt(b), RenShenReading::DaCheng).place, kDaChengHourEntries[b - 1].shown)
            << b;
    }
    EXPECT_EQ(RenShenOfHour(Branch::None, RenShenReading::Common).place, "");
}

// The default reading forbids, on every day and in every double-hour, the points at least two of its three
// books forbid: its wording may be one book's, its effect is the majority's.
TEST(RenShen, TheCommonReadingForbidsWhatMostBooksForbid) {
    for (int day = 1; day <= 30; ++day) {
        const auto common = PointsIn(RenShenOfDay(day, RenShenReading::Common).place);
        const int agree = (common == PointsIn(kJinJianDays[day - 1].shown)) +
                          (common == PointsIn(kDaChengLines[(day - 1) % 10][(day - 1) / 10].shown)) +
                          (common == PointsIn(kShenYingDays[day - 1]));
        EXPECT_GE(agree, 2) << "day " << day << ": " << RenShenOfDay(day, RenShenReading::Common).place;
    }
    for (int b = 1; b <= 12; ++b) {
        const auto common = PointsIn(RenShenOfHour(BranchAt(b), RenShenReading::Common).place);
        const int agree = (common == PointsIn(kJinJianHours[b - 1].shown)) +
                          (common == PointsIn(kDaChengHourEntries[b - 1].shown)) +
                          (common == PointsIn(kLeiJingHours[b - 1]));
        EXPECT_GE(agree, 2) << "hour " << b;
    }
    EXPECT_EQ(RenShenOfDay(1, RenShenReading::Common).source, "据《医宗金鉴》《针灸大成》《神应经》");
}

TEST(RenShen, AgeListsCycleFromTheirFirstPlace) {
    // 《针灸大成》: 一心二喉三到头，四肩五背六腰求，七腹八项九足十膝，十一阴十二股.
    const std::array<const char*, 12> twelve{"心", "喉", "头", "肩", "背", "腰",
                                             "腹", "项", "足", "膝", "阴", "股"};
    // 一岁起坤，二岁震，三岁巽，四岁中宫，五岁乾，六岁兑，七岁艮，八岁离，九岁坎.
    const std::array<const char*, 9> nine{"坤宫：踝",     "震宫：腨、指、牙", "巽宫：头、乳、口",
                                          "中宫：肩、尻", "乾宫：面、背、目", "兑宫：手、膊",
                                          "艮宫：项、腰", "离宫：膝、肋",     "坎宫：肘、脚、肚"};
    for (int age = 1; age <= 100; ++age) {
        EXPECT_EQ(RenShenOfAge(age).place, twelve[(age - 1) % 12]) << age;
        EXPECT_EQ(KaoShenOfAge(age).place, nine[(age - 1) % 9]) << age;
    }
    EXPECT_EQ(RenShenOfAge(0).place, "");
    EXPECT_EQ(KaoShenOfAge(-3).place, "");
}

TEST(RenShen, PointsAndTheirPlaces) {
    struct Case {
        const char* point;
        const char* place;
        bool in;
    };
    for (const Case& c : std::vector<Case>{
             {"大敦", "足大趾", true},
             {"隐白", "足大趾", true},
             {"太冲", "足大趾", false},
             {"太冲", "足", true},
             {"太冲", "肝及足", true},
             {"商阳", "手阳明", true},
             {"曲池", "手阳明", true},
             {"足三里", "足阳明", true},
             {"足三里", "膝胫", true},
             {"照海", "踝", true},
             {"照海", "外踝", false},
             {"申脉", "外踝", true},
             {"内关", "手", false},
             {"内关", "腕", false},
             {"少冲", "手", true},
             {"后溪", "乳、肩", false},
             {"委中", "膝", true},
             {"涌泉", "腰", false},
             {"天井", "坎宫：肘、脚、肚", true},
             {"少商", "兑宫：手、膊", true},
             {"不知名", "遍身", true},
             {"不知名", "足", false},
             {"", "遍身", false},
         })
        EXPECT_EQ(PointInPlace(c.point, c.place), c.in) << c.point << " / " << c.place;
    for (const char* p : kPoints) EXPECT_TRUE(PointInPlace(p, "遍身")) << p;
}

TEST(RenShen, ReadingLabelsRoundTrip) {
    for (RenShenReading r : {RenShenReading::Common, RenShenReading::JinJian, RenShenReading::DaCheng})
        EXPECT_EQ(RenShenReadingOfLabel(RenShenReadingLabel(r)), r);
    EXPECT_EQ(RenShenReadingOfLabel(""), RenShenReading::Common);
    EXPECT_EQ(RenShenReadingOfLabel("千金"), RenShenReading::Common);
}

}  // namespace
}  // namespace velunar
