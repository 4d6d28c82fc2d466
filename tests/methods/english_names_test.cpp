#include "methods/english_names.h"

#include <gtest/gtest.h>

namespace velunar {
namespace {

// The forms the English outputs write, over the kinds of value the doctrines show.
TEST(EnglishNames, ValuesAreNamedAfterTheStandardNomenclature) {
    const struct {
        const char* value;
        PointStyle style;
        const char* english;
    } cases[] = {
        {"公孙", PointStyle::CodePinyin, "SP4 Gōngsūn"},
        {"公孙", PointStyle::Both, "SP4 Gōngsūn 公孙"},
        {"公孙", PointStyle::Chinese, "公孙"},
        {"腹哀", PointStyle::CodePinyin, "SP16 Fù'āi"},  // a syllable that begins with a vowel is set apart
        {"足三里", PointStyle::CodePinyin, "ST36 Zúsānlǐ"},
        {"清冷渊", PointStyle::CodePinyin,
         "TE11 Qīnglíngyuān"},  // an old spelling reads as its standard name
        {"临泣", PointStyle::CodePinyin, "GB41 Línqì"},
        {"印堂", PointStyle::Both, "印堂"},  // no code: as it is
        {"脾", PointStyle::Both, "Spleen SP"},
        {"三焦经", PointStyle::Both, "Triple Energizer TE"},
        {"心包经", PointStyle::Both, "Pericardium PC"},
        {"甲子", PointStyle::Both, "甲子 Jiǎzǐ"},
        {"已巳", PointStyle::Both, "已巳 Jǐsì"},  // the sixth stem as the tables write it
        {"己巳", PointStyle::Both, "己巳 Jǐsì"},
        {"酉", PointStyle::Both, "酉 Yǒu"},
        {"木", PointStyle::Both, "wood"},
        {"荥", PointStyle::Both, "ying-spring"},
        {"合", PointStyle::Both, "he-sea"},
        {"原", PointStyle::Both, "source"},
        {"闭", PointStyle::Both, "closed"},
        {"甲子甲子", PointStyle::Both, "甲子甲子"},  // no value of the program's
        {"", PointStyle::Both, ""},
    };
    for (const auto& c : cases) EXPECT_EQ(ValueInEnglish(c.value, c.style), c.english) << c.value;
}

}  // namespace
}  // namespace velunar
