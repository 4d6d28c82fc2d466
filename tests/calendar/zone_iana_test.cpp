#include "calendar/zone_iana.h"

#include <gtest/gtest.h>

#include <set>
#include <string>

#include "calendar/solar.h"

namespace velunar {
namespace {

TEST(IanaZoneOfLabel, EveryFixedLabelHasAZoneAndNothingElseHasOne) {
    std::set<std::string_view> ids;
    for (std::string_view label : ZoneTexts()) {
        const std::string_view id = IanaZoneOfLabel(label);
        EXPECT_NE(id.find('/'), std::string_view::npos) << label;
        ids.insert(id);
    }
    EXPECT_EQ(ids.size(), ZoneTexts().size());  // no two labels stand for the same zone
    EXPECT_EQ(IanaZoneOfLabel("(GMT+08:00) 北京，重庆，香港特别行政区，乌鲁木齐"), "Asia/Shanghai");
    EXPECT_EQ(IanaZoneOfLabel("(GMT+01:00) 布鲁塞尔，哥本哈根，马德里，巴黎"), "Europe/Brussels");
    // Labels are compared whole: a trimmed or unknown text names no zone.
    for (const std::string other :
         {"", "GMT", "(GMT+08:00) 北京", "(GMT) 格林威治标准时间: 都柏林, 爱丁堡, 伦敦, 里斯本 "})
        EXPECT_EQ(IanaZoneOfLabel(other), "") << other;
}

}  // namespace
}  // namespace velunar
