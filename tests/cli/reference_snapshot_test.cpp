// The store side of the reference tables, against a private copy of the built database.
#include "store/reference_snapshot.h"
#include "calendar/utf8.h"

#include <gtest/gtest.h>

#include "calendar/datetime.h"
#include "doctrine_cli_util.h"
#include "methods/doctrine.h"
#include "methods/point_description.h"
#include "store/store_error.h"

namespace velunar {
namespace {

using testing::DatabaseCopy;

class StoreTables : public ::testing::Test {
  protected:
    void SetUp() override {
        db.Open(QString::fromStdString(copy.path()));
        tables = store::LoadReferenceTables(db);
    }
    DatabaseCopy copy{"tables"};
    store::Database db{QStringLiteral("method-tables-test")};
    std::shared_ptr<const ReferenceTables> tables;
    store::DatabaseDescriptions descriptions{db};
};

TEST_F(StoreTables, RowsAreFoundByTheirKeysAsTheyAreWritten) {
    const NaGanRow* naGan = tables->NaGan(Stem::Jia, Branch::Zi);
    ASSERT_TRUE(naGan);
    EXPECT_EQ(naGan->meridian, "闭");
    // The sixth stem is 已 in the tables, and 已 is what the typed stem looks up.
    int ji = 0, yi = 0;
    for (const NaGanEntry& e : tables->rows().naGan) ji += e.day == "己", yi += e.day == "已";
    EXPECT_EQ(ji, 0);
    EXPECT_EQ(yi, 12);
    EXPECT_TRUE(tables->NaGan(Stem::Ji, Branch::Zi));
    EXPECT_EQ(tables->NaZhi(Branch::Zi)->ownMeridian, "胆经");
    EXPECT_EQ(tables->Transport("胆经")->meridian, "胆经");
    EXPECT_FALSE(tables->Transport("胆"));
    EXPECT_TRUE(tables->PointsOf("胆经").empty());
    const auto& points = tables->PointsOf("肺");
    ASSERT_GE(points.size(), 2u);
    EXPECT_EQ(points.front(), "中府");
    EXPECT_EQ(tables->MeridianOfPoint("公孙"), "脾");
    // A quote in a name is only a character of the name.
    EXPECT_FALSE(descriptions.Description("公孙' or '1'='1"));
}

TEST_F(StoreTables, WholeTablesMatchTheSingleRowLookups) {
    const auto& all = tables->rows().naGan;
    EXPECT_EQ(all.size(), 120u);
    for (const NaGanEntry& e : all) {
        const NaGanRow* row =
            tables->NaGan(StemAt(StemNumber(e.day)), BranchAt(BranchNumber(LastCharacter(e.hour))));
        ASSERT_TRUE(row) << e.day << e.hour;
        EXPECT_EQ(row->point, e.row.point);
    }
    EXPECT_EQ(tables->rows().naZhi.size(), 12u);
    EXPECT_FALSE(tables->rows().supplementary.empty());
}

TEST_F(StoreTables, TicksPrepareNoStatement) {
    const int prepared = db.PrepareCount();
    for (std::int64_t day = DaysFromCivil(2026, 12, 2); day < DaysFromCivil(2026, 12, 12); ++day)
        for (int branch = 1; branch <= 12; ++branch)
            for (const Doctrine* d : Doctrines()) d->At(DoubleHourMoment(day, BranchAt(branch)), *tables);
    EXPECT_EQ(db.PrepareCount(), prepared);
}

TEST_F(StoreTables, ADerivedPictureIsStoredInTheDescribedRowOnly) {
    const auto before = db.Locate(store::Table::Description, "穴位", "公孙");
    ASSERT_TRUE(before);
    ASSERT_EQ(before->Value("图片路径"), "") << "the shipped row is expected to have no picture yet";

    PointDescriptionStep step;
    const auto text = step.Run(FocusedText::Control("公孙"), descriptions, *tables);
    ASSERT_TRUE(text);
    EXPECT_EQ(*text, before->Value("穴位说明"));
    EXPECT_EQ(step.CurrentPicturePath(), "pic\\脾.JPG");
    EXPECT_EQ(db.Locate(store::Table::Description, "穴位", "公孙")->Value("图片路径"), "pic\\脾.JPG");
    EXPECT_EQ(db.Locate(store::Table::Description, "穴位", "内关")->Value("图片路径"), "");

    // The next lookup finds it stored and writes nothing.
    PointDescriptionStep fresh;
    fresh.Run(FocusedText::Control("公孙"), descriptions, *tables);
    EXPECT_EQ(fresh.CurrentPicturePath(), "pic\\脾.JPG");
}

TEST_F(StoreTables, FailuresComeOutAsErrors) {
    EXPECT_THROW(descriptions.StorePicturePath(987654321, "pic\\x.JPG"), DescriptionError);
    db.Close();
    EXPECT_THROW(descriptions.Description("公孙"), DescriptionError);
    EXPECT_THROW(store::LoadReferenceTables(db), store::StoreError);
}

}  // namespace
}  // namespace velunar

namespace velunar {
namespace {

// Installed, each user keeps a copy of the database made at their first start; the reference tables come from
// the shipped one, so a corrected table reaches users whose copy is older.
TEST(StoreTablesInstalled, ComeFromTheShippedDatabaseNotTheUsersCopy) {
    testing::DatabaseCopy shipped("shipped"), user("user");
    ASSERT_TRUE(user.Exec("update 地支表 set 本穴='旧穴' where 时辰='子'"));
    const auto folderOf = [](const std::string& path) {
        return QString::fromStdString(std::filesystem::path(path).parent_path().string());
    };
    const store::DataPaths installed =
        store::DataPaths::Installed(folderOf(shipped.path()), folderOf(user.path()));
    store::Database db(QStringLiteral("installed-user"));
    db.Open(installed.DatabaseFile());
    EXPECT_NE(store::LoadReferenceTables(db)->NaZhi(Branch::Zi)->ownPoint,
              store::LoadReferenceTables(installed, db)->NaZhi(Branch::Zi)->ownPoint);
    EXPECT_EQ(store::LoadReferenceTables(installed, db)->NaZhi(Branch::Zi)->ownPoint, "足临泣");
}

}  // namespace
}  // namespace velunar
