// The database build from the TSV sources (data/build_db.py), and the database it put beside the program.
#include <gtest/gtest.h>
#include <QDir>
#include <QFile>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>

#include "fixture.h"
#include "store/database.h"
#include "store/settings.h"

namespace velunar::store {
namespace {

struct BuildRun {
    int exitCode = -1;
    std::string errors;
};

class BuildDb : public ::testing::Test {
  protected:
    void SetUp() override {
        python = QStandardPaths::findExecutable(QStringLiteral("python3"));
        if (python.isEmpty()) GTEST_SKIP() << "python3 not found";
        ASSERT_TRUE(QDir(dir.path()).mkpath(QStringLiteral("tables")));
        Write("xxyy.tsv",
              "# settings\nxy\tew\tzone\tsuma\tjingew\twhere\thint1\tonlyBeiJingTime\ttimemode\tischina\teot\ttzid"
              "\tchinadst\tsixthstem\trenshen\trenshensrc\n"
              "116.28\t东经\tz\t0\t120\t北京\tTrue\tFalse\t不区分夜子时早子时\tyeschina\t固定表\t\tFalse\t已\tTrue\t通行\n");
        Write("jingluo.tsv", "# points\n穴位\t经脉\tforder\n少商\t肺\t11\n中府\t肺\t1\n");
    }

    void Write(const char* name, const QByteArray& text) {
        QFile file(dir.filePath(QStringLiteral("tables/") + name));
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(text);
    }

    BuildRun Build() {
        QProcess process;
        process.start(python, {QStringLiteral(VELUNAR_SOURCE_DIR "/data/build_db.py"), "--schema",
                               QStringLiteral(VELUNAR_SOURCE_DIR "/data/schema.sql"), "--tables",
                               dir.filePath("tables"), "--out", out});
        process.waitForFinished(60000);
        return {process.exitCode(), QString::fromUtf8(process.readAllStandardError()).toStdString()};
    }

    QTemporaryDir dir;
    QString python;
    QString out = dir.filePath(QStringLiteral("bin/db1.sqlite"));
};

TEST_F(BuildDb, MissingSourcesGiveEmptyTablesAndAWarning) {
    const BuildRun run = Build();
    ASSERT_EQ(run.exitCode, 0) << run.errors;
    EXPECT_NE(run.errors.find("tiangan.tsv"), std::string::npos) << run.errors;
    Database db(QStringLiteral("build-test"));
    db.Open(out);
    EXPECT_EQ(db.RowCount(Table::TianGan), 0);
    EXPECT_EQ(db.Run(QueryId::MeridianPoints, {"肺"}).Column("穴位"),
              (std::vector<std::string>{"中府", "少商"}));
    SettingsRecord record(db);
    record.Open();
    EXPECT_FALSE(record.CreatedDefaults());
    EXPECT_EQ(record.Value(settings_column::kWhere), "北京");
}

TEST_F(BuildDb, MalformedRowFailsNamingFileAndLineAndKeepsTheOldDatabase) {
    ASSERT_EQ(Build().exitCode, 0);
    const QByteArray before = [&] {
        QFile f(out);
        f.open(QIODevice::ReadOnly);
        return f.readAll();
    }();
    Write("dizhi.tsv",
          "# 纳支\n时辰\t本穴\t原穴\t泻穴\t本经\t补穴\t补穴经\n寅\t经渠\t太渊\t尺泽\t肺经\t曲泉\n");
    const BuildRun run = Build();
    EXPECT_NE(run.exitCode, 0);
    EXPECT_NE(run.errors.find("dizhi.tsv:3"), std::string::npos) << run.errors;
    QFile after(out);
    ASSERT_TRUE(after.open(QIODevice::ReadOnly));
    EXPECT_EQ(after.readAll(), before);
    EXPECT_EQ(QDir(dir.filePath("bin")).entryList(QDir::Files), QStringList{"db1.sqlite"});
}

TEST_F(BuildDb, HeaderMismatchBadNumberAndDuplicatePointFail) {
    Write("wushu.tsv", "经络\t井\t荥\t输\t经\t合\t原\n");
    BuildRun run = Build();
    EXPECT_NE(run.exitCode, 0);
    EXPECT_NE(run.errors.find("wushu.tsv:1"), std::string::npos) << run.errors;
    EXPECT_FALSE(QFile::exists(out));

    QFile::remove(dir.filePath("tables/wushu.tsv"));
    Write("jingluo.tsv", "穴位\t经脉\tforder\n少商\t肺\t十一\n");
    run = Build();
    EXPECT_NE(run.errors.find("jingluo.tsv:2"), std::string::npos) << run.errors;

    Write("jingluo.tsv", "穴位\t经脉\tforder\n");
    Write("xuewei.tsv", "穴位\t图片路径\t穴位说明\n公孙\t\t络穴。\n公孙\t\t重复。\n");
    run = Build();
    EXPECT_NE(run.exitCode, 0);
    EXPECT_NE(run.errors.find("xuewei.tsv:3"), std::string::npos) << run.errors;
    EXPECT_NE(run.errors.find("UNIQUE"), std::string::npos) << run.errors;
    EXPECT_FALSE(QFile::exists(out));
}

// The database the build placed beside the program opens, and its settings row is the default one.
TEST(BuiltDatabase, OpensWithTheDefaultSettings) {
    const QString built = QStringLiteral(VELUNAR_BIN_DIR "/db1.sqlite");
    if (!QFile::exists(built)) GTEST_SKIP() << "no database built at " << built.toStdString();
    QTemporaryDir dir;
    const QString copy = dir.filePath("db1.sqlite");
    ASSERT_TRUE(QFile::copy(built, copy));  // the test must not change the program's own file
    Database db(QStringLiteral("built-test"));
    db.Open(copy);
    SettingsRecord record(db);
    record.Open();
    EXPECT_FALSE(record.CreatedDefaults());
    const Row defaults = DefaultSettings();
    for (std::string_view column : kSettingsColumns) EXPECT_EQ(record.Value(column), defaults.Value(column));
}

}  // namespace
}  // namespace velunar::store
