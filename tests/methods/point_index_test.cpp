#include "methods/point_index.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cctype>
#include <fstream>
#include <map>
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

// Every form a practitioner may type a point in, over every point of the meridians: the name simplified and
// traditional, its pinyin toned or not, joined or by syllable, in any case, and its code however written.
TEST(PointIndex, EveryPointIsFoundInEveryFormItIsTyped) {
    std::ifstream in(std::string(VELUNAR_SOURCE_DIR) + "/data/point-codes.tsv");
    ASSERT_TRUE(in);
    struct Row {
        std::string name, code, pinyin, traditional;
    };
    std::vector<Row> rows;
    std::string line;
    while (std::getline(in, line)) {
        if (line.empty() || line[0] == '#' || line.rfind("穴位\t", 0) == 0) continue;
        std::istringstream fields(line);
        Row r;
        std::getline(fields, r.name, '\t');
        std::getline(fields, r.code, '\t');
        std::getline(fields, r.pinyin, '\t');
        std::getline(fields, r.traditional, '\t');
        rows.push_back(r);
    }
    ASSERT_EQ(rows.size(), 310u);
    Names all;
    for (const Row& r : rows) all.push_back(r.name);
    const PointIndex index(all);
    // The first name listed with a code is the one a code stands for (足临泣 before 临泣).
    std::map<std::string, std::string> firstOfCode;
    for (const Row& r : rows) firstOfCode.emplace(r.code, r.name);
    const auto toneless = [](const std::string& pinyin) {
        // Decomposed, the toned vowels lose their marks when the combining characters are dropped.
        std::string out;
        for (std::size_t i = 0; i < pinyin.size();) {
            const unsigned char c = static_cast<unsigned char>(pinyin[i]);
            const std::size_t length = c < 0x80 ? 1 : c < 0xE0 ? 2 : c < 0xF0 ? 3 : 4;
            const std::string ch = pinyin.substr(i, length);
            i += length;
            static const std::map<std::string, char> plain = {
                {"ā", 'a'}, {"á", 'a'}, {"ǎ", 'a'}, {"à", 'a'}, {"ē", 'e'}, {"é", 'e'}, {"ě", 'e'},
                {"è", 'e'}, {"ī", 'i'}, {"í", 'i'}, {"ǐ", 'i'}, {"ì", 'i'}, {"ō", 'o'}, {"ó", 'o'},
                {"ǒ", 'o'}, {"ò", 'o'}, {"ū", 'u'}, {"ú", 'u'}, {"ǔ", 'u'}, {"ù", 'u'}, {"ǖ", 'v'},
                {"ǘ", 'v'}, {"ǚ", 'v'}, {"ǜ", 'v'}, {"ü", 'v'}};
            const auto at = plain.find(ch);
            out += at != plain.end() ? std::string(1, at->second) : ch;
        }
        return out;
    };
    const auto without = [](std::string s, char blank) {
        s.erase(std::remove(s.begin(), s.end(), blank), s.end());
        return s;
    };
    const auto capitalised = [](std::string s) {
        for (std::size_t i = 0; i < s.size(); ++i)
            if (i == 0 || s[i - 1] == ' ')
                s[i] = static_cast<char>(std::toupper(static_cast<unsigned char>(s[i])));
        return s;
    };
    const auto lower = [](std::string s) {
        for (char& c : s) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
        return s;
    };
    int shared = 0;
    for (const Row& r : rows) {
        const std::string number = r.code.substr(2);
        const std::string prefix = r.code.substr(0, 2);
        for (const std::string& typed : {r.name, r.traditional, " " + r.traditional + " "})
            EXPECT_EQ(index.NamesFor(typed), Names{r.name}) << typed;
        for (const std::string& typed : {r.code, lower(r.code), prefix + "-" + number, prefix + " " + number,
                                         lower(prefix) + "-" + number})
            EXPECT_EQ(index.NamesFor(typed), Names{firstOfCode[r.code]}) << typed;
        const std::string plain = toneless(r.pinyin);
        for (const std::string& typed : {without(r.pinyin, ' '), r.pinyin}) {
            EXPECT_EQ(index.NamesFor(typed), Names{r.name}) << typed;
            EXPECT_EQ(index.NameFor(typed), r.name) << typed;
        }
        // Toneless pinyin that two points share names both, for the user to choose.
        for (const std::string& typed :
             {without(plain, ' '), plain, capitalised(plain), "  " + lower(plain)}) {
            const Names found = index.NamesFor(typed);
            EXPECT_NE(std::find(found.begin(), found.end(), r.name), found.end()) << typed;
            EXPECT_EQ(index.NameFor(typed), found.size() == 1 ? std::optional(r.name) : std::nullopt)
                << typed;
            if (found.size() > 1 && typed == plain) ++shared;
        }
        EXPECT_EQ(index.Find(r.traditional).front(), r.name) << r.traditional;
        EXPECT_EQ(TraditionalSpelling(r.name), r.traditional);
    }
    // Toneless readings shared by two points of the meridians, counted once for each of them (中注 and 中渚
    // …).
    EXPECT_GT(shared, 0);
    EXPECT_EQ(index.NamesFor("太沖"), Names{"太冲"});  // a variant of the traditional character
    EXPECT_EQ(index.NamesFor("zhongzhu"), (Names{"中注", "中渚"}));
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
