#include "methods/point_index.h"

#include <gtest/gtest.h>

#include <fstream>
#include <sstream>

namespace velunar {
namespace {

using Names = std::vector<std::string>;

// As the description table lists them today: by code point, with a second name, an old spelling and a
// point of the user's own.
const Names kListed = {"三阴交", "中注", "中渚",   "临泣",   "公孙", "印堂", "商丘", "太渊",   "少商",
                       "足临泣", "中府", "清冷渊", "清泠渊", "肺俞", "率谷", "膂",   "中膂俞", "列缺"};

TEST(PointIndex, ListsRunAlongTheMeridiansThenOtherNames) {
    EXPECT_EQ(PointIndex(kListed).Ordered(),
              (Names{"中府", "列缺", "太渊", "少商", "公孙", "商丘", "三阴交", "肺俞", "中膂俞", "中注",
                     "中渚", "清泠渊", "清冷渊", "率谷", "足临泣", "临泣", "印堂", "膂"}));
    EXPECT_EQ(PointIndex({"公孙", "公孙", "太渊"}).Ordered(), (Names{"太渊", "公孙"}));
}

TEST(PointIndex, FindsByNamePinyinAndCode) {
    const PointIndex index(kListed);
    // The whole name, code or pinyin first, then beginnings, then anything containing it.
    EXPECT_EQ(index.Find("中"), (Names{"中府", "中膂俞", "中注", "中渚"}));
    EXPECT_EQ(index.Find("俞"), (Names{"肺俞", "中膂俞"}));
    for (const char* typed : {"gongsun", "gōngsūn", "Gong Sun", "gōng sūn", "sp4", "SP4", " SP-4 "})
        EXPECT_EQ(index.Find(typed), Names{"公孙"}) << typed;
    // The meridian's points first, the reading that only contains the letters after them.
    EXPECT_EQ(index.Find("lu"), (Names{"中府", "列缺", "太渊", "少商", "中膂俞"}));
    EXPECT_EQ(index.Find("lu1"), (Names{"中府", "少商"}));  // LU1 itself before LU11
    // Old spelling, ü typed as v or u, the reading of a polyphonic character.
    EXPECT_EQ(index.Find("清冷"), (Names{"清泠渊", "清冷渊"}));
    EXPECT_EQ(index.Find("zhonglvshu"), Names{"中膂俞"});
    EXPECT_EQ(index.Find("zhonglushu"), Names{"中膂俞"});
    EXPECT_EQ(index.Find("feishu"), Names{"肺俞"});
    EXPECT_EQ(index.Find("shuaigu"), Names{"率谷"});
    // Tones tell apart what the letters alone do not.
    EXPECT_EQ(index.Find("zhongzhu"), (Names{"中注", "中渚"}));
    EXPECT_EQ(index.Find("zhōngzhǔ"), Names{"中渚"});
    EXPECT_EQ(index.Find("linqi"), (Names{"临泣", "足临泣"}));
    EXPECT_EQ(index.Find(""), index.Ordered());
    EXPECT_EQ(index.Find("xyz"), Names{});
}

TEST(PointIndex, NameForTurnsACodeOrPinyinIntoTheNameAndKeepsNames) {
    const PointIndex index(kListed);
    EXPECT_EQ(index.NameFor("sp4"), "公孙");
    EXPECT_EQ(index.NameFor("gongsun"), "公孙");
    EXPECT_EQ(index.NameFor("GB41"), "足临泣");  // the standard name of a point listed twice
    EXPECT_EQ(index.NameFor("linqi"), "临泣");
    EXPECT_EQ(index.NameFor("清冷渊"), "清冷渊");  // typed as before: the lookups know the old spelling
    EXPECT_EQ(index.NameFor("印堂"), "印堂");
    EXPECT_EQ(index.NameFor(" 公孙 "), "公孙");
    EXPECT_EQ(index.NameFor("zhongzhu"), std::nullopt);  // 中注 or 中渚
    EXPECT_EQ(index.NameFor("zhōngzhù"), "中注");
    EXPECT_EQ(index.NameFor("gong"), std::nullopt);
    EXPECT_EQ(index.NameFor("HT7"), std::nullopt);  // 神门 is not in this list
}

TEST(PointIndex, EveryPointOfTheShippedMeridianTableHasACodeAndPinyin) {
    std::ifstream in(std::string(VELUNAR_SOURCE_DIR) + "/data/tables/jingluo.tsv");
    ASSERT_TRUE(in);
    std::string line;
    int points = 0;
    while (std::getline(in, line)) {
        if (line.empty() || line[0] == '#' || line.rfind("穴位\t", 0) == 0) continue;
        const std::string name = line.substr(0, line.find('\t'));
        const std::optional<PointCode> code = CodeOfPoint(name);
        ASSERT_TRUE(code) << name;
        EXPECT_FALSE(code->code.empty() || code->pinyin.empty()) << name;
        ++points;
    }
    EXPECT_EQ(points, 309);
    EXPECT_EQ(PointHeading("公孙"), "公孙 · SP4");
    EXPECT_EQ(PointHeading("清冷渊"), "清冷渊 · TE11");
    EXPECT_EQ(PointHeading("印堂"), "印堂");
}

}  // namespace
}  // namespace velunar
