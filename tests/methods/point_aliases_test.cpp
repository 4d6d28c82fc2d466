#include "methods/point_aliases.h"

#include <gtest/gtest.h>

#include <string>

namespace velunar {
namespace {

TEST(PointAliases, OldSpellingGivesTheStandardNameAndEverythingElseIsKept) {
    EXPECT_EQ(CanonicalPointName("清冷渊"), "清泠渊");
    EXPECT_EQ(CanonicalPointName("清泠渊"), "清泠渊");
    // Only the whole name is replaced: a longer text that contains the old spelling is someone's own.
    for (const std::string other : {"", "太渊", "清冷渊 ", " 清冷渊", "清冷", "清冷渊穴"})
        EXPECT_EQ(CanonicalPointName(other), other) << other;
}

}  // namespace
}  // namespace velunar
