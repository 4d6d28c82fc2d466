// The store side of the method tables, against a private copy of the built database.
#include "store/method_tables.h"

#include <gtest/gtest.h>

#include "calendar/datetime.h"
#include "doctrine_cli_util.h"
#include "methods/doctrines.h"
#include "methods/point_description.h"
#include "methods/schedule.h"

namespace velunar {
namespace {

using testing::DatabaseCopy;

class StoreTables : public ::testing::Test {
  protected:
    void SetUp() override { db.Open(QString::fromStdString(copy.path())); }
    DatabaseCopy copy{"tables"};
    store::Database db{QStringLiteral("method-tables-test")};
    store::DatabaseMethodTables tables{db};
};

TEST_F(StoreTables, RowsAreFoundByTheirKeysAsTheyAreWritten) {
    const auto naGan = tables.NaGan("甲", "子");
    ASSERT_TRUE(naGan);
    EXPECT_EQ(naGan->meridian, "闭");
    EXPECT_FALSE(tables.NaGan("甲", "甲子"));  // the key is the branch character alone
    EXPECT_FALSE(tables.NaGan("己", "子"));    // the sixth stem is 已 in the tables
    EXPECT_TRUE(tables.NaGan("已", "子"));
    EXPECT_EQ(tables.NaZhi("子")->ownMeridian, "胆经");
    EXPECT_EQ(tables.Transport("胆经")->meridian, "胆经");
    EXPECT_FALSE(tables.Transport("胆"));
    EXPECT_TRUE(tables.MeridianPoints("胆经").empty());
    const auto points = tables.MeridianPoints("肺");
    ASSERT_GE(points.size(), 2u);
    EXPECT_EQ(points.front(), "中府");
    EXPECT_EQ(tables.MeridianOfPoint("公孙"), "脾");
    // A quote in a name is only a character of the name.
    EXPECT_FALSE(tables.Description("公孙' or '1'='1"));
}

TEST_F(StoreTables, WholeTablesMatchTheSingleRowLookups) {
    const auto all = tables.AllNaGan();
    EXPECT_EQ(all.size(), 120u);
    for (const NaGanEntry& e : all) {
        const auto row = tables.NaGan(e.day, e.hour.substr(e.hour.size() - 3));
        ASSERT_TRUE(row);
        EXPECT_EQ(row->point, e.row.point);
    }
    EXPECT_EQ(tables.AllNaZhi().size(), 12u);
    EXPECT_FALSE(tables.AllSupplementary().empty());
}

TEST_F(StoreTables, TicksAfterTheFirstPrepareNoStatement) {
    EvaluateDoctrines(DoubleHourMoment(DaysFromCivil(2026, 12, 1), 2), tables);
    const int prepared = db.PrepareCount();
    for (std::int64_t day = DaysFromCivil(2026, 12, 2); day < DaysFromCivil(2026, 12, 12); ++day)
        for (int branch = 1; branch <= 12; ++branch) EvaluateDoctrines(DoubleHourMoment(day, branch), tables);
    EXPECT_EQ(db.PrepareCount(), prepared);
}

TEST_F(StoreTables, ADerivedPictureIsStoredInTheDescribedRowOnly) {
    const auto before = db.Locate(store::Table::Description, "穴位", "公孙");
    ASSERT_TRUE(before);
    ASSERT_EQ(before->Value("图片路径"), "") << "the shipped row is expected to have no picture yet";

    PointDescriptionStep step;
    const auto text = step.Run(FocusedText::Control("公孙"), tables);
    ASSERT_TRUE(text);
    EXPECT_EQ(*text, before->Value("穴位说明"));
    EXPECT_EQ(step.CurrentPicturePath(), "pic\\脾.JPG");
    EXPECT_EQ(db.Locate(store::Table::Description, "穴位", "公孙")->Value("图片路径"), "pic\\脾.JPG");
    EXPECT_EQ(db.Locate(store::Table::Description, "穴位", "内关")->Value("图片路径"), "");

    // The next lookup finds it stored and writes nothing.
    PointDescriptionStep fresh;
    fresh.Run(FocusedText::Control("公孙"), tables);
    EXPECT_EQ(fresh.CurrentPicturePath(), "pic\\脾.JPG");
}

TEST_F(StoreTables, FailuresComeOutAsTablesErrors) {
    EXPECT_THROW(tables.StorePicturePath(987654321, "pic\\x.JPG"), TablesError);
    db.Close();
    EXPECT_THROW(tables.NaZhi("子"), TablesError);
}

}  // namespace
}  // namespace velunar
