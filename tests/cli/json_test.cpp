#include "report/json.h"

#include <gtest/gtest.h>

#include <cmath>
#include <sstream>

#include "report/report.h"
#include "json_check.h"

namespace velunar::cli {
namespace {

TEST(JsonQuote, EscapesWhatJsonRequires) {
    EXPECT_EQ(JsonQuote("a\"b\\c"), R"("a\"b\\c")");
    EXPECT_EQ(JsonQuote("\n\t\r\b\f"), R"("\n\t\r\b\f")");
    EXPECT_EQ(JsonQuote(std::string("\x01\x1f", 2)), R"("\u0001\u001f")");
    EXPECT_EQ(JsonQuote(std::string("a\0b", 3)), R"("a\u0000b")");
    EXPECT_EQ(JsonQuote("/\x7f"), "\"/\x7f\"");
}

TEST(JsonQuote, PassesUtf8AndReplacesWhatIsNot) {
    EXPECT_EQ(JsonQuote("时辰已经变换为午时了。－𝄞"), "\"时辰已经变换为午时了。－𝄞\"");
    EXPECT_EQ(JsonQuote("\xd7\xd3"), R"("\ufffd\ufffd")");                      // GBK bytes of 子
    EXPECT_EQ(JsonQuote("\xc0\xaf"), R"("\ufffd\ufffd")");                      // overlong '/'
    EXPECT_EQ(JsonQuote("\xed\xa0\x80"), R"("\ufffd\ufffd\ufffd")");            // a surrogate
    EXPECT_EQ(JsonQuote("\xe5\xad"), R"("\ufffd\ufffd")");                      // cut short at the end
    EXPECT_EQ(JsonQuote("\xf4\x90\x80\x80"), R"("\ufffd\ufffd\ufffd\ufffd")");  // past U+10FFFF
}

TEST(JsonWriter, NestsWithCommasInTheRightPlaces) {
    for (int indent : {0, 2}) {
        std::ostringstream out;
        JsonWriter w(out, indent);
        w.BeginObject();
        w.Key("a");
        w.BeginArray();
        w.Int(1);
        w.Double(0.5);
        w.Double(std::nan(""));
        w.BeginObject();
        w.EndObject();
        w.EndArray();
        w.Key("b");
        w.Bool(false);
        w.Key("c");
        w.Null();
        w.EndObject();
        const auto members = test::JsonCheck::Members(out.str());
        ASSERT_TRUE(members.has_value()) << out.str();
        EXPECT_EQ(members->at("b"), "false");
        if (indent == 0) {
            EXPECT_EQ(out.str(), R"({"a":[1,0.5,null,{}],"b":false,"c":null})");
        }
    }
}

TEST(Report, PlainLinesAndJsonCarryTheSameFields) {
    Report inner;
    inner.Text("point", "足三里").Int("count", 3);
    Report r;
    r.Text("hourBranch", "午")
        .Bool("skipped", false)
        .Null("beijingTime")
        .Time("at", MakeDateTime(2026, 2, 10, 12));
    r.Group("naGan", std::move(inner));
    std::ostringstream plain, json;
    r.WritePlain(plain);
    r.WriteJson(json);
    EXPECT_EQ(plain.str(),
              "hourBranch: 午\nskipped: false\nbeijingTime: -\nat: 2026-02-10 12:00:00\nnaGan.point: 足三里\n"
              "naGan.count: 3\n");
    const auto members = test::JsonCheck::Members(json.str());
    ASSERT_TRUE(members.has_value()) << json.str();
    EXPECT_EQ(members->at("hourBranch"), "午");
    EXPECT_EQ(members->at("beijingTime"), "null");
    EXPECT_EQ(members->at("at"), "2026-02-10 12:00:00");
    EXPECT_NE(members->at("naGan").find("\"足三里\""), std::string::npos);
}

}  // namespace
}  // namespace velunar::cli
