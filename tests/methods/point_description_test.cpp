#include "methods/point_description.h"

#include <gtest/gtest.h>

#include "table_rows.h"

namespace velunar {
namespace {

using testing::FakeDescriptions;
using testing::TableRows;

// The description table, and the meridians of 经络表 the derived pictures come from.
struct Fixture {
    FakeDescriptions d;
    TableRows rows;
    ReferenceTables tables;
    int Count(const std::string& method) const { return d.Count(method); }
    std::optional<std::string> Run(PointDescriptionStep& step, const FocusedText& focus) {
        tables = rows.Build();
        return step.Run(focus, d, tables);
    }
};

Fixture WithDescriptions(bool zhaoHaiRow = true) {
    Fixture t;
    t.d.rows = {{11, "公孙", "足太阴脾经络穴。", ""},
                {12, "照海", "足少阴肾经穴。", ""},
                {13, "太渊", "手太阴肺经原穴。", "D:\\图\\太渊.jpg"},
                {14, "印堂", "经外奇穴。", ""},
                {15, "患'者", "名字带引号。", "pic\\x.JPG"}};
    t.rows.Points("脾", {"公孙"}).Points("肺", {"太渊"});
    if (zhaoHaiRow) t.rows.Points("肾", {"照海"});
    return t;
}

TEST(PointDescription, ConfluentPointWithoutPathGetsItsVesselPictureStored) {
    Fixture t = WithDescriptions();
    PointDescriptionStep step;
    EXPECT_EQ(t.Run(step, FocusedText::Control("公孙")), "足太阴脾经络穴。");
    EXPECT_EQ(step.CurrentPicturePath(), "pic\\脾.JPG");
    EXPECT_EQ(t.d.stored, (std::vector<std::pair<std::int64_t, std::string>>{{11, "pic\\脾.JPG"}}));
}

TEST(PointDescription, ZhaoHaiOverridesItsMeridianAndNeedsNoMeridianRow) {
    for (bool meridianRow : {true, false}) {
        Fixture t = WithDescriptions(meridianRow);
        PointDescriptionStep step;
        t.Run(step, FocusedText::Control("照海"));
        EXPECT_EQ(step.CurrentPicturePath(), "pic\\阴跷.JPG");
        ASSERT_EQ(t.d.stored.size(), 1u);
        EXPECT_EQ(t.d.stored[0].second, "pic\\阴跷.JPG");
    }
}

TEST(PointDescription, OldSpellingFindsTheStandardRowAndItsMeridian) {
    Fixture t = WithDescriptions();
    t.d.rows.push_back({16, "清泠渊", "手少阳三焦经穴。", ""});
    t.rows.Points("三焦", {"清泠渊"});
    PointDescriptionStep step;
    EXPECT_EQ(t.Run(step, FocusedText::Control("清冷渊")), "手少阳三焦经穴。");
    EXPECT_EQ(step.DescribedPoint(), "清泠渊");
    EXPECT_EQ(step.CurrentPicturePath(), "pic\\三焦.JPG");
    EXPECT_EQ(t.d.stored, (std::vector<std::pair<std::int64_t, std::string>>{{16, "pic\\三焦.JPG"}}));
}

TEST(PointDescription, AStoredPathIsKeptAndNothingWritten) {
    Fixture t = WithDescriptions();
    PointDescriptionStep step;
    t.Run(step, FocusedText::Control("太渊"));
    EXPECT_EQ(step.CurrentPicturePath(), "D:\\图\\太渊.jpg");
    EXPECT_EQ(t.d.calls, std::vector<std::string>{"Description(太渊)"});
    EXPECT_TRUE(t.d.stored.empty());
}

TEST(PointDescription, NoPictureKnownStoresTheEmptyPath) {
    Fixture t = WithDescriptions();
    t.rows.Points("督脉", {"印堂"});  // a meridian without a picture
    PointDescriptionStep step;
    t.Run(step, FocusedText::Control("印堂"));
    EXPECT_EQ(step.CurrentPicturePath(), "");
    EXPECT_EQ(t.d.stored, (std::vector<std::pair<std::int64_t, std::string>>{{14, ""}}));
    EXPECT_EQ(PicturePathOfMeridian("心包经"), "");  // only the short form names a picture
}

TEST(PointDescription, ANameWithoutDescriptionClearsMemoAndPathWithoutWriting) {
    Fixture t = WithDescriptions();
    PointDescriptionStep step;
    t.Run(step, FocusedText::Control("太渊"));
    EXPECT_EQ(step.DescribedPoint(), "太渊");
    EXPECT_EQ(t.Run(step, FocusedText::Control("胆经")), "");
    EXPECT_EQ(step.DescribedPoint(), "");
    EXPECT_EQ(step.CurrentPicturePath(), "");
    EXPECT_EQ(t.d.calls, (std::vector<std::string>{"Description(太渊)", "Description(胆经)"}));
    EXPECT_TRUE(t.d.stored.empty());
}

TEST(PointDescription, LooksUpOnlyWhenTheCandidateChanges) {
    Fixture t = WithDescriptions();
    PointDescriptionStep step;
    t.Run(step, FocusedText::Control("太渊"));
    EXPECT_EQ(t.Run(step, FocusedText::Control("太渊")), std::nullopt);
    // The memo and no focus at all keep the described point.
    EXPECT_EQ(t.Run(step, FocusedText::Memo()), std::nullopt);
    EXPECT_EQ(t.Run(step, FocusedText::None()), std::nullopt);
    EXPECT_EQ(step.LastPointText(), "太渊");
    EXPECT_EQ(step.CurrentPicturePath(), "D:\\图\\太渊.jpg");
    EXPECT_EQ(t.Count("Description"), 1);
}

TEST(PointDescription, BlankCandidateIsRememberedButNotLookedUp) {
    Fixture t = WithDescriptions();
    PointDescriptionStep step;
    t.Run(step, FocusedText::Control("太渊"));
    EXPECT_EQ(t.Run(step, FocusedText::Control("  ")), std::nullopt);
    EXPECT_EQ(step.LastPointText(), "  ");
    EXPECT_EQ(step.CurrentPicturePath(), "D:\\图\\太渊.jpg");
    EXPECT_EQ(step.Description(), "手太阴肺经原穴。");
    // Back to the previous box: looked up again.
    t.Run(step, FocusedText::Control("太渊"));
    EXPECT_EQ(t.Count("Description"), 2);
}

TEST(PointDescription, TheCandidateGoesToTheTablesExactlyAsWritten) {
    Fixture t = WithDescriptions();
    PointDescriptionStep step;
    EXPECT_EQ(t.Run(step, FocusedText::Control("患'者")), "名字带引号。");
    EXPECT_EQ(step.CurrentPicturePath(), "pic\\x.JPG");
    // Untrimmed: " 公孙" is a different name, which has no row.
    EXPECT_EQ(t.Run(step, FocusedText::Control(" 公孙")), "");
    EXPECT_EQ(t.d.calls, (std::vector<std::string>{"Description(患'者)", "Description( 公孙)"}));
}

TEST(PointDescription, AFailingLookupIsNotRetriedEveryTick) {
    Fixture t = WithDescriptions();
    PointDescriptionStep step;
    t.d.failing = "StorePicturePath";
    EXPECT_THROW(t.Run(step, FocusedText::Control("公孙")), DescriptionError);
    // What was read before the write failed is still there to show.
    EXPECT_EQ(step.Description(), "足太阴脾经络穴。");
    EXPECT_EQ(step.CurrentPicturePath(), "pic\\脾.JPG");
    EXPECT_EQ(step.LastPointText(), "公孙");
    EXPECT_EQ(t.Run(step, FocusedText::Control("公孙")), std::nullopt);
}

}  // namespace
}  // namespace velunar
