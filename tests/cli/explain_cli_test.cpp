// `now --explain`, run in this process against the built database.
#include <gtest/gtest.h>

#include "doctrine_cli_util.h"

namespace velunar {
namespace {

using testing::ParseJson;
using testing::RunCommand;

// The lines of one "explain.KEY:" block, without their indent.
std::vector<std::string> Block(const std::string& out, const std::string& key) {
    std::vector<std::string> lines;
    const std::string head = "explain." + key + ":\n";
    std::size_t at = out.find(head);
    if (at == std::string::npos) return lines;
    at += head.size();
    while (at < out.size() && out.compare(at, 2, "  ") == 0) {
        const std::size_t end = out.find('\n', at);
        lines.push_back(out.substr(at + 2, end - at - 2));
        at = end + 1;
    }
    return lines;
}

bool Has(const std::vector<std::string>& lines, const std::string& text) {
    for (const std::string& l : lines)
        if (l.find(text) != std::string::npos) return true;
    return false;
}

TEST(NowExplain, TheWorkedExampleReadsAsTheArithmetic) {
    const std::vector<std::string> args = {"now", "--at", "2013-06-09 00:30:00", "--beijing"};
    const auto plain = RunCommand(args);
    std::vector<std::string> withExplain = args;
    withExplain.push_back("--explain");
    const auto run = RunCommand(withExplain);
    ASSERT_EQ(run.status, 0) << run.err;
    // After the usual output, which stays as it was.
    ASSERT_EQ(run.out.rfind(plain.out, 0), 0u) << run.out;
    EXPECT_EQ(run.out.find("explain."), plain.out.size());

    const auto time = Block(run.out, "time");
    EXPECT_TRUE(Has(time, "为子时")) << run.out;
    EXPECT_EQ(time.back(), "日干支丙午，时干支戊子");
    const auto lingGui = Block(run.out, "linggui");
    for (const char* step : {"日干丙数7", "日支午数7", "时干戊数5", "时支子数9", "7 + 7 + 5 + 9 = 28",
                             "28 mod 9 = 1", "1为坎卦，开申脉", "“坎一联申脉”"})
        EXPECT_TRUE(Has(lingGui, step)) << step << "\n" << run.out;
    EXPECT_EQ(lingGui.back(), "灵龟八法：开申脉，配后溪");
    const auto feiTeng = Block(run.out, "feiteng");
    EXPECT_TRUE(Has(feiTeng, "时干戊开临泣")) << run.out;
    EXPECT_EQ(feiTeng.back(), "飞腾八法：开临泣，配外关");
    // 戊子 is closed on a 丙 day: the 纳干法 derivation goes on to its 补穴.
    const auto naGan = Block(run.out, "nagan");
    EXPECT_TRUE(Has(naGan, "纳干法：此时闭穴")) << run.out;
    EXPECT_EQ(naGan.back(), "补穴法：取胃经合穴足三里（土），值日经肝经");
}

TEST(NowExplain, JsonAddsEveryDerivationAsAListOfTexts) {
    const auto run = RunCommand({"now", "--at", "2013-06-09 00:30:00", "--beijing", "--json", "--explain"});
    ASSERT_EQ(run.status, 0) << run.err;
    const QJsonObject explain = ParseJson(run.out)["explain"].toObject();
    const char* keys[] = {"time", "nagan", "nazhi", "linggui", "feiteng", "shigan", "rigan", "nazhi2"};
    EXPECT_EQ(explain.size(), 8);
    std::size_t previous = 0;
    for (const char* key : keys) {
        SCOPED_TRACE(key);
        const QJsonArray steps = explain[key].toArray();
        ASSERT_FALSE(steps.isEmpty());
        for (const QJsonValue& s : steps) EXPECT_TRUE(s.isString() && !s.toString().isEmpty());
        // In the order of the outputs.
        const std::size_t at = run.out.find("\"" + std::string(key) + "\": [");
        ASSERT_NE(at, std::string::npos);
        EXPECT_GT(at, previous);
        previous = at;
    }
    EXPECT_EQ(explain["linggui"].toArray().last().toString().toStdString(), "灵龟八法：开申脉，配后溪");

    // Without the flag nothing changes.
    const auto usual = RunCommand({"now", "--at", "2013-06-09 00:30:00", "--beijing", "--json"});
    EXPECT_FALSE(ParseJson(usual.out).contains("explain"));
}

}  // namespace
}  // namespace velunar
