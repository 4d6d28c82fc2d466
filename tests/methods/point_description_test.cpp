#include "methods/point_description.h"

#include <gtest/gtest.h>

#include "fake_tables.h"

namespace velunar {
namespace {

using testing::FakeTables;

FakeTables WithDescriptions() {
    FakeTables t;
    t.descriptions = {{11, "公孙", "足太阴脾经络穴。", ""},
                      {12, "照海", "足少阴肾经穴。", ""},
                      {13, "太渊", "手太阴肺经原穴。", "D:\\图\\太渊.jpg"},
                      {14, "印堂", "经外奇穴。", ""},
                      {15, "患'者", "名字带引号。", "pic\\x.JPG"}};
    t.meridianOfPoint = {{"公孙", "脾"}, {"太渊", "肺"}, {"照海", "肾"}};
    return t;
}

TEST(PointDescription, ConfluentPointWithoutPathGetsItsVesselPictureStored) {
    FakeTables t = WithDescriptions();
    PointDescriptionStep step;
    EXPECT_EQ(step.Run(FocusedText::Control("公孙"), t), "足太阴脾经络穴。");
    EXPECT_EQ(step.CurrentPicturePath(), "pic\\脾.JPG");
    EXPECT_EQ(t.stored, (std::vector<std::pair<std::int64_t, std::string>>{{11, "pic\\脾.JPG"}}));
}

TEST(PointDescription, ZhaoHaiOverridesItsMeridianAndNeedsNoMeridianRow) {
    for (bool meridianRow : {true, false}) {
        FakeTables t = WithDescriptions();
        if (!meridianRow) t.meridianOfPoint.erase("照海");
        PointDescriptionStep step;
        step.Run(FocusedText::Control("照海"), t);
        EXPECT_EQ(step.CurrentPicturePath(), "pic\\阴跷.JPG");
        ASSERT_EQ(t.stored.size(), 1u);
        EXPECT_EQ(t.stored[0].second, "pic\\阴跷.JPG");
    }
}

TEST(PointDescription, OldSpellingFindsTheStandardRowAndItsMeridian) {
    FakeTables t = WithDescriptions();
    t.descriptions.push_back({16, "清泠渊", "手少阳三焦经穴。", ""});
    t.meridianOfPoint["清泠渊"] = "三焦";
    PointDescriptionStep step;
    EXPECT_EQ(step.Run(FocusedText::Control("清冷渊"), t), "手少阳三焦经穴。");
    EXPECT_EQ(step.CurrentPicturePath(), "pic\\三焦.JPG");
    EXPECT_EQ(t.stored, (std::vector<std::pair<std::int64_t, std::string>>{{16, "pic\\三焦.JPG"}}));
}

TEST(PointDescription, AStoredPathIsKeptAndNothingWritten) {
    FakeTables t = WithDescriptions();
    PointDescriptionStep step;
    step.Run(FocusedText::Control("太渊"), t);
    EXPECT_EQ(step.CurrentPicturePath(), "D:\\图\\太渊.jpg");
    EXPECT_EQ(t.calls, std::vector<std::string>{"Description(太渊)"});
    EXPECT_TRUE(t.stored.empty());
}

TEST(PointDescription, NoPictureKnownStoresTheEmptyPath) {
    FakeTables t = WithDescriptions();
    t.meridianOfPoint["印堂"] = "督脉";  // a meridian without a picture
    PointDescriptionStep step;
    step.Run(FocusedText::Control("印堂"), t);
    EXPECT_EQ(step.CurrentPicturePath(), "");
    EXPECT_EQ(t.stored, (std::vector<std::pair<std::int64_t, std::string>>{{14, ""}}));
    EXPECT_EQ(PicturePathOfMeridian("心包经"), "");  // only the short form names a picture
}

TEST(PointDescription, ANameWithoutDescriptionClearsMemoAndPathWithoutWriting) {
    FakeTables t = WithDescriptions();
    PointDescriptionStep step;
    step.Run(FocusedText::Control("太渊"), t);
    EXPECT_EQ(step.Run(FocusedText::Control("胆经"), t), "");
    EXPECT_EQ(step.CurrentPicturePath(), "");
    EXPECT_EQ(t.Count("MeridianOfPoint"), 0);
    EXPECT_TRUE(t.stored.empty());
}

TEST(PointDescription, LooksUpOnlyWhenTheCandidateChanges) {
    FakeTables t = WithDescriptions();
    PointDescriptionStep step;
    step.Run(FocusedText::Control("太渊"), t);
    EXPECT_EQ(step.Run(FocusedText::Control("太渊"), t), std::nullopt);
    // The memo and no focus at all keep the described point.
    EXPECT_EQ(step.Run(FocusedText::Memo(), t), std::nullopt);
    EXPECT_EQ(step.Run(FocusedText::None(), t), std::nullopt);
    EXPECT_EQ(step.LastPointText(), "太渊");
    EXPECT_EQ(step.CurrentPicturePath(), "D:\\图\\太渊.jpg");
    EXPECT_EQ(t.Count("Description"), 1);
}

TEST(PointDescription, BlankCandidateIsRememberedButNotLookedUp) {
    FakeTables t = WithDescriptions();
    PointDescriptionStep step;
    step.Run(FocusedText::Control("太渊"), t);
    EXPECT_EQ(step.Run(FocusedText::Control("  "), t), std::nullopt);
    EXPECT_EQ(step.LastPointText(), "  ");
    EXPECT_EQ(step.CurrentPicturePath(), "D:\\图\\太渊.jpg");
    EXPECT_EQ(step.Description(), "手太阴肺经原穴。");
    // Back to the previous box: looked up again.
    step.Run(FocusedText::Control("太渊"), t);
    EXPECT_EQ(t.Count("Description"), 2);
}

TEST(PointDescription, TheCandidateGoesToTheTablesExactlyAsWritten) {
    FakeTables t = WithDescriptions();
    PointDescriptionStep step;
    EXPECT_EQ(step.Run(FocusedText::Control("患'者"), t), "名字带引号。");
    EXPECT_EQ(step.CurrentPicturePath(), "pic\\x.JPG");
    // Untrimmed: " 公孙" is a different name, which has no row.
    EXPECT_EQ(step.Run(FocusedText::Control(" 公孙"), t), "");
    EXPECT_EQ(t.calls, (std::vector<std::string>{"Description(患'者)", "Description( 公孙)"}));
}

TEST(PointDescription, AFailingLookupIsNotRetriedEveryTick) {
    FakeTables t = WithDescriptions();
    PointDescriptionStep step;
    t.failing = "StorePicturePath";
    EXPECT_THROW(step.Run(FocusedText::Control("公孙"), t), TablesError);
    // What was read before the write failed is still there to show.
    EXPECT_EQ(step.Description(), "足太阴脾经络穴。");
    EXPECT_EQ(step.CurrentPicturePath(), "pic\\脾.JPG");
    EXPECT_EQ(step.LastPointText(), "公孙");
    EXPECT_EQ(step.Run(FocusedText::Control("公孙"), t), std::nullopt);
}

}  // namespace
}  // namespace velunar
