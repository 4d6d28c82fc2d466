// `now` with the doctrines, run in this process against the built database.
#include <gtest/gtest.h>

#include "doctrine_cli_util.h"
#include "methods/point_index.h"
#include "store/database.h"
#include "store/settings.h"

namespace velunar {
namespace {

using testing::DatabaseCopy;
using testing::ParseJson;
using testing::RunCommand;
using testing::Str;

TEST(NowDoctrines, TheLateZiMomentUnderTheThreeModes) {
    const struct {
        const char* mode;
        const char* day;
        const char* hour;
        const char* lingGui[2];
        const char* feiTeng[2];
    } cases[] = {{"1", "甲子", "丙子", {"公孙", "内关"}, {"内关", "公孙"}},
                 {"0", "乙丑", "丙子", {"照海", "列缺"}, {"内关", "公孙"}},
                 {"2", "甲子", "乙亥", {"照海", "列缺"}, {"申脉", "后溪"}}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.mode);
        const auto run =
            RunCommand({"now", "--at", "1949-10-01 23:30:00", "--mode", c.mode, "--beijing", "--json"});
        ASSERT_EQ(run.status, 0) << run.err;
        const QJsonObject o = ParseJson(run.out);
        EXPECT_EQ(Str(o, "dayGanZhi"), c.day);
        EXPECT_EQ(Str(o, "hourGanZhi"), c.hour);
        EXPECT_EQ(Str(o["linggui"].toObject(), "point"), c.lingGui[0]);
        EXPECT_EQ(Str(o["linggui"].toObject(), "partner"), c.lingGui[1]);
        EXPECT_EQ(Str(o["feiteng"].toObject(), "point"), c.feiTeng[0]);
        EXPECT_EQ(Str(o["feiteng"].toObject(), "partner"), c.feiTeng[1]);
    }
}

// The columns of a doctrine's object, without the codes that follow the points it names.
int Columns(const QJsonObject& o) {
    int n = 0;
    for (const QString& k : o.keys())
        n += !(k.endsWith(QStringLiteral("Code")) || k.endsWith(QStringLiteral("Codes")));
    return n;
}

TEST(NowDoctrines, JsonCarriesEveryDoctrineUnderItsKey) {
    // 1949-10-01 01:30 under mode 0: the 乙丑 hour of a 甲子 day, an open hour.
    const auto run = RunCommand({"now", "--at", "1949-10-01 01:30:00", "--mode", "0", "--beijing", "--json"});
    ASSERT_EQ(run.status, 0) << run.err;
    const QJsonObject o = ParseJson(run.out);
    const QJsonObject nagan = o["nagan"].toObject();
    EXPECT_EQ(Columns(nagan), 8);  // seven columns and the flag
    EXPECT_EQ(Str(nagan, "pointCode"), std::string(CodeOfPoint(Str(nagan, "穴位"))->code));
    for (const char* column : {"值日经", "经脉", "五行", "五俞", "穴位", "过原", "兼过原穴"})
        EXPECT_TRUE(nagan[column].isString()) << column;
    EXPECT_TRUE(nagan["closed"].isBool());
    EXPECT_EQ(nagan["closed"].toBool(), Str(nagan, "经脉") == "闭");
    EXPECT_TRUE(o["buxue"].isNull());  // an open hour
    EXPECT_EQ(Columns(o["nazhi"].toObject()), 6);
    EXPECT_EQ(Str(o["nazhi"].toObject(), "drainPointCode"),
              std::string(CodeOfPoint(Str(o["nazhi"].toObject(), "泻穴"))->code));
    EXPECT_EQ(Str(o["shigan"].toObject(), "经络"), "肝经");  // hour stem 乙
    EXPECT_EQ(Columns(o["shigan"].toObject()), 7);
    EXPECT_EQ(Str(o["rigan"].toObject(), "meridian"), "胆");
    EXPECT_EQ(Str(o["nazhi2"].toObject(), "meridian"), "肝");
    const QJsonArray points = o["nazhi2"].toObject()["points"].toArray();
    ASSERT_FALSE(points.isEmpty());
    EXPECT_EQ(points.first().toString().toStdString(), "大敦");  // 经络表 order

    // The 甲子 double-hour of a 甲 day is closed: the supplementary row with its five columns.
    const auto closed =
        RunCommand({"now", "--at", "1949-10-01 00:30:00", "--mode", "0", "--beijing", "--json"});
    const QJsonObject c = ParseJson(closed.out);
    ASSERT_TRUE(c["nagan"].toObject()["closed"].toBool());
    EXPECT_EQ(Columns(c["buxue"].toObject()), 5);
    EXPECT_FALSE(Str(c["buxue"].toObject(), "穴位").empty());
}

TEST(NowDoctrines, UndefinedHourGivesEmptyPagesAndNoFailure) {
    // An unreadable longitude without 仅仅使用北京时间: no time is computed, the hour stays undefined.
    testing::DatabaseCopy copy("undefined-hour");
    ASSERT_TRUE(copy.Exec("update xxyy set xy='abc'"));
    const auto run = RunCommand(
        {"now", "--at", "2026-12-08 10:00:00", "--db", copy.path(), "--no-beijing", "--china", "--json"});
    ASSERT_EQ(run.status, 1) << run.err;
    const QJsonObject o = ParseJson(run.out);
    EXPECT_TRUE(o["linggui"].toObject()["point"].isNull());
    EXPECT_TRUE(o["feiteng"].toObject()["point"].isNull());
    EXPECT_FALSE(o["nagan"].toObject()["closed"].toBool());
    EXPECT_EQ(Str(o["nagan"].toObject(), "穴位"), "");
    EXPECT_TRUE(o["buxue"].isNull());
    EXPECT_EQ(Str(o["nazhi2"].toObject(), "meridian"), "");
    EXPECT_TRUE(o["nazhi2"].toObject()["points"].toArray().isEmpty());
}

// Settings as the main window stores them, in a private copy of the database.
void StoreSettings(const std::string& path, const std::string& mode, bool onlyBeijing,
                   const std::string& page) {
    store::Database db(QStringLiteral("settings-writer"));
    db.Open(QString::fromStdString(path));
    store::SettingsRecord s(db);
    s.Open();
    s.SetValue(store::settings_column::kTimeMode, mode);
    s.SetValue(store::settings_column::kOnlyBeijing, store::CheckText(onlyBeijing));
    s.SetValue(store::settings_column::kIsChina, page);
    s.Post();
}

std::string StoredTimeMode(const std::string& path) {
    store::Database db(QStringLiteral("settings-reader"));
    db.Open(QString::fromStdString(path));
    store::SettingsRecord s(db);
    s.Open();
    return s.TimeMode();
}

TEST(NowDoctrines, SettingsGiveTheDefaultsAndFlagsNeverReachThem) {
    DatabaseCopy copy("settings");
    StoreSettings(copy.path(), "以0-2时为子时", true, "yeschina");

    // No time flags: mode 2 and Beijing time come from the record.
    const auto stored = RunCommand({"now", "--db", copy.path(), "--at", "1949-10-01 23:30:00", "--json"});
    ASSERT_EQ(stored.status, 0) << stored.err;
    EXPECT_EQ(Str(ParseJson(stored.out), "timeMode"), "以0-2时为子时");
    EXPECT_EQ(Str(ParseJson(stored.out), "hourGanZhi"), "乙亥");
    EXPECT_EQ(Str(ParseJson(stored.out), "effectiveTime"), "1949-10-01 23:30:00");

    // A flag wins for this run only.
    const auto flagged =
        RunCommand({"now", "--db", copy.path(), "--at", "1949-10-01 23:30:00", "--mode", "1", "--json"});
    EXPECT_EQ(Str(ParseJson(flagged.out), "hourGanZhi"), "丙子");
    EXPECT_EQ(StoredTimeMode(copy.path()), "以0-2时为子时");
}

TEST(NowDoctrines, ADatabaseWithoutSettingsRowIsReadNotRepaired) {
    DatabaseCopy copy("nosettings");
    {
        store::Database db(QStringLiteral("settings-eraser"));
        db.Open(QString::fromStdString(copy.path()));
        for (const store::Row& r : db.SelectAll(store::Table::Settings).rows)
            db.Delete(store::Table::Settings, *r.Key());
    }
    const auto run =
        RunCommand({"now", "--db", copy.path(), "--at", "2000-01-01 12:00:00", "--beijing", "--json"});
    ASSERT_EQ(run.status, 0) << run.err;
    EXPECT_EQ(Str(ParseJson(run.out), "hourGanZhi"), "戊午");
    store::Database db(QStringLiteral("settings-counter"));
    db.Open(QString::fromStdString(copy.path()));
    EXPECT_EQ(db.RowCount(store::Table::Settings), 0);
}

TEST(NowDoctrines, AMissingDatabaseIsOneClearLineAndFailure) {
    const auto run = RunCommand({"now", "--db", "/nonexistent/db1.sqlite", "--beijing"});
    EXPECT_EQ(run.status, 1);
    EXPECT_TRUE(run.out.empty());
    EXPECT_EQ(std::count(run.err.begin(), run.err.end(), '\n'), 1) << run.err;
    EXPECT_NE(run.err.find("velunar-cli now:"), std::string::npos);
    EXPECT_NE(run.err.find("/nonexistent/db1.sqlite"), std::string::npos) << run.err;
}

}  // namespace
}  // namespace velunar
