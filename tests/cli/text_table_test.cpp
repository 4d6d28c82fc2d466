#include "cli/text_table.h"

#include <gtest/gtest.h>

#include <sstream>

#include "doctrine_cli_util.h"

namespace velunar::cli {
namespace {

TEST(TextTable, DisplayWidthCountsChineseAsTwoColumns) {
    EXPECT_EQ(DisplayWidth(""), 0u);
    EXPECT_EQ(DisplayWidth("ab"), 2u);
    EXPECT_EQ(DisplayWidth("甲子"), 4u);
    EXPECT_EQ(DisplayWidth("纳支法2经"), 9u);
    EXPECT_EQ(DisplayWidth("（，）"), 6u);    // fullwidth punctuation
    EXPECT_EQ(DisplayWidth("e\u0301"), 1u);   // a combining accent takes no column
    EXPECT_EQ(DisplayWidth("\xE7\x94"), 2u);  // a cut-off character: one column per byte
}

TEST(TextTable, ColumnsLineUpWhateverTheScript) {
    std::ostringstream out;
    WriteAlignedTable(out, {"日期", "x", "穴位"}, {{"2026-12-01", "闭", "足三里"}, {"d", "", "a"}});
    std::istringstream lines(out.str());
    std::string line;
    std::vector<std::size_t> third;
    while (std::getline(lines, line)) {
        ASSERT_NE(line.back(), ' ');
        // The display column where the last field starts.
        const std::size_t at = line.rfind("  ");
        third.push_back(DisplayWidth(line.substr(0, at + 2)));
    }
    EXPECT_EQ(third, (std::vector<std::size_t>{16, 16, 16}));
    EXPECT_NE(out.str().find("d           -   a"), std::string::npos);  // an empty cell shows as "-"
}

TEST(TextTable, CsvQuotesOnlyWhatNeedsIt) {
    EXPECT_EQ(CsvField("足三里"), "足三里");
    EXPECT_EQ(CsvField(""), "");
    EXPECT_EQ(CsvField("a,b"), "\"a,b\"");
    EXPECT_EQ(CsvField("say \"hi\""), "\"say \"\"hi\"\"\"");
    EXPECT_EQ(CsvField("two\nlines"), "\"two\nlines\"");
    std::ostringstream out;
    WriteCsv(out, {"a", "b"}, {{"x,y", "z\"w"}});
    EXPECT_EQ(out.str(), "a,b\r\n\"x,y\",\"z\"\"w\"\r\n");
    EXPECT_EQ(testing::ParseCsv(out.str()),
              (std::vector<std::vector<std::string>>{{"a", "b"}, {"x,y", "z\"w"}}));
}

}  // namespace
}  // namespace velunar::cli
