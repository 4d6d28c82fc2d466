// Every query of the catalogue against the fixture database: the rows, their order, and bound values.
#include <algorithm>

#include <gtest/gtest.h>

#include "fixture.h"
#include "store/database.h"

namespace velunar::store {
namespace {

using test::FixtureDb;
using Values = std::vector<std::string>;

class CatalogueTest : public ::testing::Test {
  protected:
    void SetUp() override { db.Open(fixture.Path()); }

    std::vector<std::string> Column(QueryId id, const Values& values, std::string_view column) {
        return db.Run(id, values).Column(column);
    }

    FixtureDb fixture;
    Database db{QStringLiteral("catalogue-test")};
};

TEST_F(CatalogueTest, NaGanMatchesDayStemAndLastCharacterOfTheHour) {
    const Result hit = db.Run(QueryId::NaGanRow, {"癸", "亥"});
    ASSERT_EQ(hit.Count(), 1u);
    EXPECT_EQ(hit.FirstValue("实际时辰"), "癸亥");
    EXPECT_EQ(hit.FirstValue("穴位"), "涌泉");
    EXPECT_EQ(hit.columns.size(), 9u);

    // 甲 days hold 甲戌 and a closed 丙子: the branch is the hour's last character, not its stem.
    EXPECT_EQ(db.Run(QueryId::NaGanRow, {"甲", "子"}).FirstValue("经脉"), "闭");
    EXPECT_EQ(db.Run(QueryId::NaGanRow, {"甲", "戌"}).FirstValue("穴位"), "足窍阴");
    EXPECT_TRUE(db.Run(QueryId::NaGanRow, {"甲", "甲"}).Empty());
    // The 丙子 row of an 乙 day is not the 甲 day's.
    EXPECT_EQ(db.Run(QueryId::NaGanRow, {"乙", "子"}).FirstValue("穴位"), "前谷");
}

TEST_F(CatalogueTest, NaGanSixthStemIsWrittenYi) {
    EXPECT_EQ(db.Run(QueryId::NaGanRow, {"已", "巳"}).FirstValue("穴位"), "隐白");
    EXPECT_TRUE(db.Run(QueryId::NaGanRow, {"己", "巳"}).Empty());
}

TEST_F(CatalogueTest, EmptyOptionalColumnsReadAsEmptyText) {
    const Row row = *db.First(QueryId::NaGanRow, {"壬", "午"});
    EXPECT_EQ(row.Value("过原"), "京骨");
    EXPECT_EQ(row.Value("兼过原穴"), "阳池");
    const Row plain = *db.First(QueryId::NaGanRow, {"癸", "亥"});
    EXPECT_EQ(plain.Value("过原"), "");
    // NULL in the database reads as empty text too.
    EXPECT_EQ(db.Run(QueryId::DescriptionRow, {"太渊"}).FirstValue("图片路径"), "");
}

TEST_F(CatalogueTest, NoMatchingRowShowsEmptyBoxes) {
    const Result none = db.Run(QueryId::NaZhiRow, {"请输入正确的经度"});
    EXPECT_TRUE(none.Empty());
    EXPECT_FALSE(none.First().has_value());
    EXPECT_EQ(none.FirstValue("本穴"), "");
    EXPECT_THROW(none.FirstValue("不存在的列"), StoreError);
}

TEST_F(CatalogueTest, NaZhiAndSupplementRows) {
    const Row yin = *db.First(QueryId::NaZhiRow, {"寅"});
    EXPECT_EQ(yin.Value("本经"), "肺经");
    EXPECT_EQ(yin.Value("补穴"), "曲泉");
    const Row supplement = *db.First(QueryId::SupplementRow, {"甲", "子"});
    EXPECT_EQ(supplement.Value("穴位"), "前谷");
    EXPECT_EQ(supplement.Value("值日经"), "胆经");
    EXPECT_TRUE(db.Run(QueryId::SupplementRow, {"甲", "丑"}).Empty());
}

TEST_F(CatalogueTest, WuShuByLongMeridianName) {
    const Row lung = *db.First(QueryId::WuShuRow, {"肺经"});
    EXPECT_EQ(lung.Value("俞"), "太渊");
    EXPECT_EQ(lung.Value("原"), "");
    EXPECT_TRUE(db.Run(QueryId::WuShuRow, {"肺"}).Empty());
}

TEST_F(CatalogueTest, MeridianPointsComeInForderOrderWhateverTheStoredOrder) {
    EXPECT_EQ(Column(QueryId::MeridianPoints, {"肺"}, "穴位"), (Values{"中府", "太渊", "鱼际", "少商"}));
    EXPECT_EQ(db.Run(QueryId::MeridianPoints, {"肺"}).columns, (Values{"穴位"}));
    EXPECT_TRUE(db.Run(QueryId::MeridianPoints, {"肺经"}).Empty());
}

TEST_F(CatalogueTest, DescriptionAndMeridianOfPoint) {
    const Row row = *db.First(QueryId::DescriptionRow, {"足三里"});
    EXPECT_EQ(row.Value("图片路径"), "pic\\胃.JPG");
    EXPECT_EQ(row.Value("穴位说明"), "胃经合穴。");
    EXPECT_TRUE(row.Key().has_value());
    EXPECT_FALSE(row.Has("rowid"));
    EXPECT_EQ(db.Run(QueryId::MeridianOfPoint, {"公孙"}).FirstValue("经脉"), "脾");
    // The lookup takes the text as it is: no trimming.
    EXPECT_TRUE(db.Run(QueryId::DescriptionRow, {"足三里 "}).Empty());
}

TEST_F(CatalogueTest, PicturePathWriteBackChangesOnlyThatPoint) {
    EXPECT_EQ(db.Execute(QueryId::SetPicturePath, {"公孙", "pic\\脾.JPG"}), 1);
    EXPECT_EQ(db.Run(QueryId::DescriptionRow, {"公孙"}).FirstValue("图片路径"), "pic\\脾.JPG");
    EXPECT_EQ(db.Run(QueryId::DescriptionRow, {"足三里"}).FirstValue("图片路径"), "pic\\胃.JPG");
    EXPECT_EQ(db.Execute(QueryId::SetPicturePath, {"没有这个穴", "x"}), 0);
}

TEST_F(CatalogueTest, PointListIsSortedByName) {
    Values expected = {"足三里", "公孙", "阿'是", "太渊"};
    std::sort(expected.begin(), expected.end());
    EXPECT_EQ(Column(QueryId::PointList, {}, "穴位"), expected);
}

TEST_F(CatalogueTest, ReverseLookupFiltersFindEveryColumnThatNamesThePoint) {
    EXPECT_EQ(Column(QueryId::ReverseTianGan, {"阳池"}, "穴位"), (Values{"后溪", "中渚"}));
    EXPECT_EQ(Column(QueryId::ReverseTianGan, {"京骨"}, "实际时辰"), (Values{"丙午"}));
    EXPECT_EQ(Column(QueryId::ReverseDiZhi, {"太渊"}, "时辰"), (Values{"寅", "卯"}));
    EXPECT_EQ(Column(QueryId::ReverseJingLuo, {"太渊"}, "经脉"), (Values{"肺"}));
    EXPECT_EQ(Column(QueryId::ReverseWuShu, {"合谷"}, "经络"), (Values{"大肠经"}));
    EXPECT_EQ(Column(QueryId::ReverseWuShu, {"尺泽"}, "经络"), (Values{"肺经"}));
    EXPECT_EQ(Column(QueryId::ReverseBuXue, {"少冲"}, "实际时辰"), (Values{"丁丑"}));
}

TEST_F(CatalogueTest, ManagerSeesEveryDescriptionInStoredOrder) {
    const Result all = db.Run(QueryId::DescriptionAll);
    EXPECT_EQ(all.Column("穴位"), (Values{"足三里", "公孙", "阿'是", "太渊"}));
    EXPECT_EQ(all.columns, (Values{"穴位", "图片路径", "穴位说明"}));
}

TEST_F(CatalogueTest, ValuesWithQuotesAreSearchedLikeAnyOther) {
    EXPECT_EQ(db.Run(QueryId::DescriptionRow, {"阿'是"}).FirstValue("穴位说明"), "以痛为腧。");
    EXPECT_TRUE(db.Run(QueryId::ReverseTianGan, {"x' or '1'='1"}).Empty());
    EXPECT_TRUE(db.Run(QueryId::NaGanRow, {"甲' --", "子"}).Empty());
    EXPECT_EQ(db.RowCount(Table::TianGan), 8);
}

TEST_F(CatalogueTest, WrongNumberOfValuesIsRefused) {
    try {
        db.Run(QueryId::NaGanRow, {"甲"});
        FAIL() << "expected an error";
    } catch (const StoreError& e) {
        EXPECT_EQ(e.kind(), StoreErrorKind::BadArgument);
        EXPECT_NE(std::string(e.what()).find("NaGanRow"), std::string::npos);
    }
}

TEST_F(CatalogueTest, StatementsArePreparedOncePerConnection) {
    db.Run(QueryId::NaGanRow, {"甲", "子"});
    db.Run(QueryId::NaZhiRow, {"子"});
    const int afterFirstTick = db.PrepareCount();
    for (const char* branch : {"丑", "寅", "卯", "辰"}) {
        db.Run(QueryId::NaGanRow, {"甲", branch});
        db.Run(QueryId::NaZhiRow, {branch});
    }
    EXPECT_EQ(db.PrepareCount(), afterFirstTick);
    db.Reopen();
    db.Run(QueryId::NaGanRow, {"甲", "子"});
    EXPECT_EQ(db.PrepareCount(), afterFirstTick + 1);
}

TEST(CatalogueText, EveryQueryHasPlaceholdersForItsValues) {
    for (int i = 0; i < kQueryCount; ++i) {
        const QuerySpec& query = Query(static_cast<QueryId>(i));
        const auto marks = std::count(query.sql.begin(), query.sql.end(), '?');
        EXPECT_EQ(static_cast<std::size_t>(marks), query.bindOrder.size()) << query.name;
        for (int index : query.bindOrder) EXPECT_LT(index, query.arguments) << query.name;
        EXPECT_EQ(query.sql.find('\''), std::string_view::npos) << query.name << " has a literal value";
    }
}

TEST(CatalogueText, GeneratedStatementsRejectUnknownColumns) {
    EXPECT_THROW(AppendSql(Table::Description, {"穴位", "x\"; drop table xxyy; --"}), StoreError);
    EXPECT_THROW(LocateSql(Table::Settings, "nonsense"), StoreError);
    EXPECT_EQ(QuoteIdentifier("where"), "\"where\"");
}

}  // namespace
}  // namespace velunar::store
