// `schedule FROM TO --pdf FILE`: the printable 开穴表 from the command line.
#include <gtest/gtest.h>

#include <fstream>
#include <regex>
#include <sstream>

#include <QTemporaryDir>

#include "doctrine_cli_util.h"

namespace velunar {
namespace {

using testing::RunCommand;

std::string ReadAll(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    std::ostringstream s;
    s << in.rdbuf();
    return s.str();
}

std::size_t Count(const std::string& text, const std::regex& pattern) {
    return static_cast<std::size_t>(
        std::distance(std::sregex_iterator(text.begin(), text.end(), pattern), std::sregex_iterator()));
}

TEST(SchedulePdf, AMonthIsElevenLandscapeA4PagesWithItsFontEmbedded) {
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    const std::string file = dir.filePath("开穴表.pdf").toStdString();
    const auto run = RunCommand({"schedule", "2026-12-01", "2026-12-31", "--pdf", file, "--clock", "--china",
                                 "--longitude", "116.4", "--no-beijing"});
    ASSERT_EQ(run.status, 0) << run.err;
    EXPECT_TRUE(run.out.empty());
    const std::string pdf = ReadAll(file);
    ASSERT_EQ(pdf.rfind("%PDF-", 0), 0u);
    EXPECT_NE(pdf.find("%%EOF"), std::string::npos);
    // Three whole dates to a page: 31 dates take 11 pages, every one landscape A4 (842 × 595 points).
    EXPECT_EQ(Count(pdf, std::regex("/Type\\s*/Page[^s]")), 11u);
    const std::regex box("/MediaBox\\s*\\[\\s*0\\s+0\\s+([0-9.]+)\\s+([0-9.]+)\\s*\\]");
    std::size_t boxes = 0;
    for (auto it = std::sregex_iterator(pdf.begin(), pdf.end(), box); it != std::sregex_iterator();
         ++it, ++boxes) {
        EXPECT_NEAR(std::stod((*it)[1]), 841.9, 1.0);
        EXPECT_NEAR(std::stod((*it)[2]), 595.3, 1.0);
    }
    EXPECT_GE(boxes, 1u);
    // The Chinese texts are drawn in an embedded font, not left to the reader's.
    EXPECT_TRUE(pdf.find("/FontFile2") != std::string::npos || pdf.find("/FontFile3") != std::string::npos);
}

TEST(SchedulePdf, RefusesWhatItCannotWrite) {
    const auto both = RunCommand({"schedule", "2026-12-01", "2026-12-31", "--pdf", "x.pdf", "--csv"});
    EXPECT_EQ(both.status, 2);
    const auto nowhere =
        RunCommand({"schedule", "2026-12-01", "2026-12-01", "--pdf", "/nonexistent/dir/x.pdf"});
    EXPECT_EQ(nowhere.status, 1);
    EXPECT_NE(nowhere.err.find("/nonexistent/dir/x.pdf"), std::string::npos) << nowhere.err;
}

}  // namespace
}  // namespace velunar
