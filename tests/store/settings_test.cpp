// The settings record: browse / edit / post / cancel, the check-box readings, and the default row.
#include <gtest/gtest.h>

#include "fixture.h"
#include "store/database.h"
#include "store/settings.h"

namespace velunar::store {
namespace {

using test::FixtureDb;
using test::RawColumn;
using test::RawExec;
namespace col = settings_column;

std::string Stored(const FixtureDb& fixture, const char* column) {
    const auto values = RawColumn(fixture.Path(), QStringLiteral("select \"%1\" from xxyy").arg(column));
    return values.size() == 1 ? values.front() : "<" + std::to_string(values.size()) + " rows>";
}

class SettingsTest : public ::testing::Test {
  protected:
    void SetUp() override {
        db.Open(fixture.Path());
        record.Open();
    }
    FixtureDb fixture;
    Database db{QStringLiteral("settings-test")};
    SettingsRecord record{db};
};

TEST_F(SettingsTest, OpenReadsTheStoredRowInBrowseMode) {
    EXPECT_FALSE(record.IsEditing());
    EXPECT_FALSE(record.CreatedDefaults());
    EXPECT_EQ(record.Value(col::kXy), "104.06");
    EXPECT_EQ(record.Value(col::kWhere), "四 川 成 都");
    EXPECT_EQ(record.TimeMode(), "区分夜子时早子时");
    EXPECT_EQ(record.Hint(), CheckState::Checked);
    EXPECT_EQ(record.OnlyBeijingTime(), CheckState::Unchecked);
    EXPECT_TRUE(record.ChinaPageInFront());
}

TEST_F(SettingsTest, PendingValuesShowWhileEditingAndReachTheFileOnlyOnPost) {
    record.SetValue(col::kZone, "(GMT+09:00) 东京");
    record.SetValue(col::kSuma, "0");
    EXPECT_TRUE(record.IsEditing());
    EXPECT_EQ(record.Value(col::kZone), "(GMT+09:00) 东京");
    EXPECT_EQ(Stored(fixture, "zone"), "(GMT+01:00) 柏林");

    record.Post();
    EXPECT_FALSE(record.IsEditing());
    EXPECT_EQ(record.Value(col::kZone), "(GMT+09:00) 东京");
    EXPECT_EQ(Stored(fixture, "zone"), "(GMT+09:00) 东京");
    EXPECT_EQ(Stored(fixture, "suma"), "0");
    EXPECT_EQ(Stored(fixture, "xy"), "104.06");  // untouched columns are written back unchanged
}

TEST_F(SettingsTest, CancelDropsThePendingValues) {
    record.SetValue(col::kTimeMode, "以0-2时为子时");
    record.Cancel();
    EXPECT_FALSE(record.IsEditing());
    EXPECT_EQ(record.TimeMode(), "区分夜子时早子时");
    record.Post();  // nothing pending: nothing written
    EXPECT_EQ(Stored(fixture, "timemode"), "区分夜子时早子时");
}

TEST_F(SettingsTest, FailedPostKeepsEditModeAndValues) {
    record.SetValue(col::kJingew, "-73.9");
    db.Close();
    EXPECT_THROW(record.Post(), StoreError);
    EXPECT_TRUE(record.IsEditing());
    EXPECT_EQ(record.Value(col::kJingew), "-73.9");
    db.Reopen();
    record.Post();
    EXPECT_EQ(Stored(fixture, "jingew"), "-73.9");
}

TEST_F(SettingsTest, PostStoresTheValuesAgainWhenTheRowWasDeletedMeanwhile) {
    record.SetValue(col::kXy, "87.6");
    RawExec(fixture.Path(), QStringLiteral("delete from xxyy"));
    record.Post();
    EXPECT_EQ(Stored(fixture, "xy"), "87.6");
    EXPECT_EQ(Stored(fixture, "where"), "四 川 成 都");
    record.SetValue(col::kXy, "88");
    record.Post();
    EXPECT_EQ(Stored(fixture, "xy"), "88");
}

TEST_F(SettingsTest, UnknownColumnsAndClosedRecordAreErrors) {
    EXPECT_THROW(record.Value("longitude"), StoreError);
    EXPECT_THROW(record.SetValue("longitude", "1"), StoreError);
    EXPECT_FALSE(record.IsEditing());
    record.Close();
    EXPECT_THROW(record.Value(col::kXy), StoreError);
    EXPECT_THROW(record.SetValue(col::kXy, "1"), StoreError);
    EXPECT_THROW(record.Edit(), StoreError);
}

TEST_F(SettingsTest, StorePageInFrontStoresTheTimePageAndPostsPendingChanges) {
    record.SetValue(col::kTimeMode, "以0-2时为子时");
    EXPECT_TRUE(record.StorePageInFront(false));
    EXPECT_FALSE(record.IsEditing());
    EXPECT_EQ(Stored(fixture, "ischina"), "nochina");
    EXPECT_EQ(Stored(fixture, "timemode"), "以0-2时为子时");
    EXPECT_TRUE(record.StorePageInFront(true));
    EXPECT_EQ(Stored(fixture, "ischina"), "yeschina");
}

TEST_F(SettingsTest, StorePageInFrontOnAClosedRecordDoesNothing) {
    record.Close();
    EXPECT_FALSE(record.StorePageInFront(false));
    EXPECT_EQ(Stored(fixture, "ischina"), "yeschina");
}

TEST_F(SettingsTest, NullCheckBoxColumnReadsGreyed) {
    RawExec(fixture.Path(), QStringLiteral("update xxyy set hint1 = NULL, onlyBeiJingTime = 'TRUE'"));
    record.Open();
    EXPECT_EQ(record.Value(col::kHint1), "");
    EXPECT_EQ(record.Hint(), CheckState::Greyed);
    EXPECT_FALSE(IsChecked(record.Hint()));
    EXPECT_EQ(record.OnlyBeijingTime(), CheckState::Checked);
}

TEST_F(SettingsTest, OtherTimePageTextsMeanAbroad) {
    for (const char* text : {"nochina", "", "YesChina", "yeschina "}) {
        record.SetValue(col::kIsChina, text);
        EXPECT_FALSE(record.ChinaPageInFront()) << text;
    }
}

// Two programs on one database: each posts only what it changed, so neither undoes the other, even when a
// change is set back to the value read (B posts onlyBeiJingTime and nothing else).
TEST_F(SettingsTest, PostWritesOnlyTheChangedColumns) {
    Database other{QStringLiteral("settings-test-other")};
    other.Open(fixture.Path());
    SettingsRecord b{other};
    b.Open();
    record.SetValue(col::kXy, "100");
    record.Post();
    b.SetValue(col::kOnlyBeijing, "True");
    b.SetValue(col::kWhere, "别处");
    b.SetValue(col::kWhere, "四 川 成 都");
    b.StorePageInFront(true);
    EXPECT_EQ(Stored(fixture, "xy"), "100");
    EXPECT_EQ(Stored(fixture, "onlyBeiJingTime"), "True");
    // A's later post of another column leaves B's change alone.
    record.SetValue(col::kSuma, "60");
    record.Post();
    EXPECT_EQ(Stored(fixture, "onlyBeiJingTime"), "True");
    EXPECT_EQ(Stored(fixture, "suma"), "60");
    EXPECT_EQ(Stored(fixture, "xy"), "100");
}

TEST(CheckState, TextsOfTheCheckBoxes) {
    for (const char* text : {"True", "true", "TRUE", "tRuE", "1"}) {
        EXPECT_EQ(ReadCheckState(text), CheckState::Checked) << text;
    }
    for (const char* text : {"False", "false", "FALSE", "0"}) {
        EXPECT_EQ(ReadCheckState(text), CheckState::Unchecked) << text;
    }
    for (const char* text : {"", " True", "True ", "yes", "2", "-1", "真"}) {
        EXPECT_EQ(ReadCheckState(text), CheckState::Greyed) << text;
    }
    EXPECT_EQ(ReadCheckState(CheckText(true)), CheckState::Checked);
    EXPECT_EQ(ReadCheckState(CheckText(false)), CheckState::Unchecked);
}

TEST(SettingsDefaults, MissingRowIsCreatedWithTheDefaultsAndSaidOnce) {
    FixtureDb fixture(/*withSettingsRow=*/false);
    Database db(QStringLiteral("defaults-test"));
    db.Open(fixture.Path());
    SettingsRecord record(db);
    record.Open();
    EXPECT_TRUE(record.CreatedDefaults());
    const std::optional<std::string> notice = record.TakeCreatedNotice();
    ASSERT_TRUE(notice.has_value());
    EXPECT_NE(notice->find("默认"), std::string::npos);
    EXPECT_FALSE(record.TakeCreatedNotice().has_value());

    const Row defaults = DefaultSettings();
    for (std::string_view column : kSettingsColumns) {
        EXPECT_EQ(record.Value(column), defaults.Value(column)) << column;
        EXPECT_EQ(Stored(fixture, std::string(column).c_str()), defaults.Value(column)) << column;
    }
    EXPECT_EQ(record.Value(col::kZone), "(GMT+08:00) 北京，重庆，香港特别行政区，乌鲁木齐");
    EXPECT_EQ(record.Hint(), CheckState::Checked);
    EXPECT_EQ(record.OnlyBeijingTime(), CheckState::Unchecked);

    record.Open();  // the row exists now: no second notice, no second row
    EXPECT_FALSE(record.CreatedDefaults());
    EXPECT_EQ(db.RowCount(Table::Settings), 1);
}

TEST(SettingsDefaults, ShippedRowEqualsTheBuiltInDefaults) {
    QFile file(QStringLiteral(VELUNAR_SOURCE_DIR "/data/tables/xxyy.tsv"));
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    QStringList lines;
    for (const QString& line : QString::fromUtf8(file.readAll()).split('\n')) {
        if (!line.isEmpty() && !line.startsWith('#')) lines << line;
    }
    ASSERT_EQ(lines.size(), 2);
    const QStringList header = lines[0].split('\t');
    const QStringList values = lines[1].split('\t');
    ASSERT_EQ(header.size(), static_cast<qsizetype>(kSettingsColumns.size()));
    ASSERT_EQ(values.size(), header.size());
    const Row defaults = DefaultSettings();
    for (int i = 0; i < header.size(); ++i) {
        EXPECT_EQ(header[i].toStdString(), kSettingsColumns[static_cast<std::size_t>(i)]);
        EXPECT_EQ(values[i].toStdString(), defaults.Value(header[i].toStdString()))
            << header[i].toStdString();
    }
}

}  // namespace
}  // namespace velunar::store
