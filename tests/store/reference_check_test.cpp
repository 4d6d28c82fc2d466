// The start-up check of the reference tables, against copies of the built database with one fault each.
#include <gtest/gtest.h>
#include <QFile>
#include <QTemporaryDir>

#include "fixture.h"
#include "store/database.h"
#include "store/reference_check.h"

namespace velunar::store {
namespace {

std::vector<std::string> ProblemsAfter(const char* sql) {
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("db1.sqlite"));
    EXPECT_TRUE(QFile::copy(QStringLiteral(VELUNAR_BIN_DIR "/db1.sqlite"), path));
    QFile::setPermissions(path, QFile::ReadOwner | QFile::WriteOwner);
    if (*sql) test::RawExec(path, QString::fromUtf8(sql));
    Database db(QStringLiteral("reference-check"));
    db.Open(path);
    return CheckReferenceTables(db);
}

TEST(ReferenceCheck, TheBuiltDatabaseIsComplete) {
    EXPECT_EQ(ProblemsAfter(""), std::vector<std::string>{});
}

TEST(ReferenceCheck, EachIncompleteTableIsNamedWithTheRowsExpectedAndFound) {
    const struct {
        const char* sql;
        std::vector<std::string> words;  // all in the one message
    } cases[] = {
        {"delete from 天干表", {"天干表", "应有 120 行", "实际 0 行", "缺少 甲子、甲丑"}},
        {"delete from 天干表 where rowid = (select max(rowid) from 天干表)",
         {"天干表", "实际 119 行", "缺少 癸"}},
        // The sixth stem is spelt 已 in every key; a row keyed 己 is found by no look-up.
        {"update 天干表 set 实际日 = '己' where 实际日 = '已' and 实际时辰 like '%子'",
         {"天干表", "实际 120 行", "缺少 已子", "键不对的行 实际日“己”实际时辰"}},
        {"insert into 天干表 (实际日, 实际时辰) values ('甲', '甲子')",
         {"天干表", "实际 121 行", "重复 甲子"}},
        {"delete from 地支表 where 时辰 = '午'", {"地支表", "应有 12 行", "实际 11 行", "缺少 午"}},
        {"delete from 补穴表 where rowid = (select min(rowid) from 补穴表)",
         {"补穴表", "应有 60 行", "实际 59 行", "缺少"}},
        {"update 五俞穴 set 经络 = '心包络' where 经络 = '心包经'",
         {"五俞穴", "缺少 心包经", "键不对的行 “心包络”"}},
        {"delete from 经络表 where 经脉 = '三焦'", {"经络表", "缺少 三焦经的穴位"}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.sql);
        const std::vector<std::string> problems = ProblemsAfter(c.sql);
        ASSERT_EQ(problems.size(), 1u);
        for (const std::string& word : c.words)
            EXPECT_NE(problems[0].find(word), std::string::npos) << word << " in " << problems[0];
    }
}

}  // namespace
}  // namespace velunar::store
