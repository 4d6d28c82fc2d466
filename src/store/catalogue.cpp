// Every SQL text of the program. Values are always bound ('?'); identifiers that are not literal here come
// from the table lists below and are quoted.
#include "store/catalogue.h"

#include <array>
#include <initializer_list>

#include "store/store_error.h"
#include "store/translation.h"

namespace velunar::store {
namespace {

constexpr std::string_view kTianGanColumns[] = {"实际日", "实际时辰", "值日经", "经脉",    "五行",
                                                "五俞",   "穴位",     "过原",   "兼过原穴"};
constexpr std::string_view kBuXueColumns[] = {"实际日", "实际时辰", "经脉", "五行", "五俞", "穴位", "值日经"};
constexpr std::string_view kDiZhiColumns[] = {"时辰", "本穴", "原穴", "泻穴", "本经", "补穴", "补穴经"};
constexpr std::string_view kWuShuColumns[] = {"经络", "井", "荥", "俞", "经", "合", "原"};
constexpr std::string_view kJingLuoColumns[] = {"穴位", "经脉", "forder"};
constexpr std::string_view kDescriptionColumns[] = {"穴位", "图片路径", "穴位说明"};
constexpr std::string_view kSettingsColumns[] = {
    "xy",       "ew",        "zone", "suma", "jingew",   "where",     "hint1",   "onlyBeiJingTime",
    "timemode", "ischina",   "eot",  "tzid", "chinadst", "sixthstem", "renshen", "renshensrc",
    "lang",     "pointnames"};

constexpr int kFirst[] = {0};
constexpr int kFirstTwo[] = {0, 1};
constexpr int kFirstThrice[] = {0, 0, 0};
constexpr int kFirstFour[] = {0, 0, 0, 0};
constexpr int kFirstSix[] = {0, 0, 0, 0, 0, 0};
constexpr int kFirstThree[] = {0, 1, 2};
constexpr int kFirstFourInOrder[] = {0, 1, 2, 3};
constexpr int kPathThenPoint[] = {1, 0};
template <std::size_t N>
constexpr std::array<int, N> InOrder() {
    std::array<int, N> order{};
    for (std::size_t i = 0; i < N; ++i) order[i] = static_cast<int>(i);
    return order;
}
// The settings row's values, and its write: a flag and a value per column, then the rowid.
constexpr std::size_t kSettingsCount = std::size(kSettingsColumns);
constexpr auto kSettingsInOrder = InOrder<kSettingsCount>();
constexpr auto kSettingsWriteInOrder = InOrder<2 * kSettingsCount + 1>();

constexpr std::span<const int> kNoValues;

// Rows come back in stored order (rowid) wherever the caller takes the first match or walks the rows, so
// the result never depends on which index the engine picks.
const std::array<QuerySpec, kQueryCount> kQueries = {{
    {"NaGanRow", "select * from 天干表 where 实际日 = ? and substr(实际时辰, -1) = ? order by rowid", 2,
     kFirstTwo},
    {"NaZhiRow", "select * from 地支表 where 时辰 = ? order by rowid", 1, kFirst},
    {"SupplementRow", "select * from 补穴表 where 实际日 = ? and substr(实际时辰, -1) = ? order by rowid", 2,
     kFirstTwo},
    {"WuShuRow", "select * from 五俞穴 where 经络 = ? order by rowid", 1, kFirst},
    {"MeridianPoints", "select 穴位 from 经络表 where 经脉 = ? order by forder, rowid", 1, kFirst},
    {"MeridianListOrder", "select rowid, * from 经络表 order by forder, rowid", 0, kNoValues},
    {"DescriptionRow", "select rowid, * from 穴位说明 where 穴位 = ? order by rowid", 1, kFirst},
    {"MeridianOfPoint", "select * from 经络表 where 穴位 = ? order by rowid", 1, kFirst},
    {"SetPicturePath", "update 穴位说明 set 图片路径 = ? where 穴位 = ?", 2, kPathThenPoint},
    {"PointList", "select 穴位 from 穴位说明 order by 穴位", 0, kNoValues},
    {"ReverseTianGan", "select * from 天干表 where 穴位 = ? or 过原 = ? or 兼过原穴 = ? order by rowid", 1,
     kFirstThrice},
    {"ReverseDiZhi", "select * from 地支表 where 本穴 = ? or 原穴 = ? or 泻穴 = ? or 补穴 = ? order by rowid",
     1, kFirstFour},
    {"ReverseJingLuo", "select * from 经络表 where 穴位 = ? order by rowid", 1, kFirst},
    {"ReverseWuShu",
     "select * from 五俞穴 where 井 = ? or 经 = ? or 荥 = ? or 合 = ? or 俞 = ? or 原 = ? order by rowid", 1,
     kFirstSix},
    {"ReverseBuXue", "select * from 补穴表 where 穴位 = ? order by rowid", 1, kFirst},
    {"DescriptionAll", "select rowid, * from 穴位说明 order by rowid", 0, kNoValues},
    {"SettingsRead", "select rowid, * from xxyy order by rowid limit 1", 0, kNoValues},
    // Each column is written only when its flag is set, so two programs on one database keep each other's
    // changes to the other columns.
    {"SettingsWrite",
     "update xxyy set xy = case when ? then ? else xy end, ew = case when ? then ? else ew end, "
     "zone = case when ? then ? else zone end, suma = case when ? then ? else suma end, "
     "jingew = case when ? then ? else jingew end, \"where\" = case when ? then ? else \"where\" end, "
     "hint1 = case when ? then ? else hint1 end, "
     "onlyBeiJingTime = case when ? then ? else onlyBeiJingTime end, "
     "timemode = case when ? then ? else timemode end, ischina = case when ? then ? else ischina end, "
     "eot = case when ? then ? else eot end, tzid = case when ? then ? else tzid end, "
     "chinadst = case when ? then ? else chinadst end, sixthstem = case when ? then ? else sixthstem end, "
     "renshen = case when ? then ? else renshen end, renshensrc = case when ? then ? else renshensrc end, "
     "lang = case when ? then ? else lang end, pointnames = case when ? then ? else pointnames end "
     "where rowid = ?",
     static_cast<int>(kSettingsWriteInOrder.size()), kSettingsWriteInOrder},
    {"SettingsInsert",
     "insert into xxyy (xy, ew, zone, suma, jingew, \"where\", hint1, onlyBeiJingTime, timemode, ischina, "
     "eot, tzid, chinadst, sixthstem, renshen, renshensrc, lang, pointnames) "
     "values (?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?)",
     static_cast<int>(kSettingsInOrder.size()), kSettingsInOrder},
    {"TableExists", "select count(*) as n from sqlite_master where type = ? and name = ?", 2, kFirstTwo},
    {"PlanList", "select 名称, 穴位, 方法 from 治疗方案 order by rowid", 0, kNoValues},
    {"PlanRow", "select 名称, 穴位, 方法 from 治疗方案 where 名称 = ? order by rowid", 1, kFirst},
    {"PlanInsert", "insert into 治疗方案 (名称, 穴位, 方法) values (?, ?, ?)", 3, kFirstThree},
    {"PlanUpdate", "update 治疗方案 set 名称 = ?, 穴位 = ?, 方法 = ? where 名称 = ?", 4, kFirstFourInOrder},
    {"PlanDelete", "delete from 治疗方案 where 名称 = ?", 1, kFirst},
    {"ClinicRead", "select 项目, 值 from 门诊设置 order by rowid", 0, kNoValues},
    {"ClinicWrite",
     "insert into 门诊设置 (项目, 值) values (?, ?) on conflict(项目) do update set 值 = excluded.值", 2,
     kFirstTwo},
}};

constexpr std::string_view kLaterTables[] = {
    "create table if not exists 治疗方案 (名称 TEXT PRIMARY KEY NOT NULL, 穴位 TEXT NOT NULL, 方法 TEXT)",
    "create table if not exists 门诊设置 (项目 TEXT PRIMARY KEY NOT NULL, 值 TEXT)",
};

std::string Name(Table table) {
    return QuoteIdentifier(TableName(table));
}

std::string CheckedColumn(Table table, std::string_view column) {
    if (!HasColumn(table, column)) {
        throw StoreError(StoreErrorKind::BadArgument,
                         Filled(Translated("store", "表 {1} 没有列 {2}"), {TableName(table), column}));
    }
    return QuoteIdentifier(column);
}

}  // namespace

std::string_view TableName(Table table) {
    switch (table) {
        case Table::TianGan:
            return "天干表";
        case Table::BuXue:
            return "补穴表";
        case Table::DiZhi:
            return "地支表";
        case Table::WuShu:
            return "五俞穴";
        case Table::JingLuo:
            return "经络表";
        case Table::Description:
            return "穴位说明";
        case Table::Settings:
            return "xxyy";
    }
    return "";
}

std::span<const std::string_view> TableColumns(Table table) {
    switch (table) {
        case Table::TianGan:
            return kTianGanColumns;
        case Table::BuXue:
            return kBuXueColumns;
        case Table::DiZhi:
            return kDiZhiColumns;
        case Table::WuShu:
            return kWuShuColumns;
        case Table::JingLuo:
            return kJingLuoColumns;
        case Table::Description:
            return kDescriptionColumns;
        case Table::Settings:
            return kSettingsColumns;
    }
    return {};
}

bool HasColumn(Table table, std::string_view column) {
    for (std::string_view c : TableColumns(table)) {
        if (c == column) return true;
    }
    return false;
}

std::span<const std::string_view> LaterTablesSql() {
    return kLaterTables;
}

const QuerySpec& Query(QueryId id) {
    return kQueries.at(static_cast<std::size_t>(id));
}

std::string QuoteIdentifier(std::string_view name) {
    std::string quoted = "\"";
    for (char c : name) {
        if (c == '"') quoted += '"';
        quoted += c;
    }
    return quoted + "\"";
}

namespace {

// The pattern with each "{}" replaced by the next identifier, in order.
std::string FillIdentifiers(std::string_view pattern, std::initializer_list<std::string> identifiers) {
    std::string sql;
    auto next = identifiers.begin();
    for (std::size_t at = pattern.find("{}"); at != std::string_view::npos; at = pattern.find("{}")) {
        sql.append(pattern.substr(0, at)).append(*next++);
        pattern.remove_prefix(at + 2);
    }
    return sql.append(pattern);
}

}  // namespace

std::string AppendSql(Table table, const std::vector<std::string>& columns) {
    if (columns.empty()) return "insert into " + Name(table) + " default values";
    std::string names;
    std::string marks;
    for (const auto& column : columns) {
        names += (names.empty() ? "" : ", ") + CheckedColumn(table, column);
        marks += marks.empty() ? "?" : ", ?";
    }
    return "insert into " + Name(table) + " (" + names + ") values (" + marks + ")";
}

std::string UpdateSql(Table table, const std::vector<std::string>& columns) {
    if (columns.empty()) throw StoreError(StoreErrorKind::BadArgument, Translated("store", "没有要修改的列"));
    std::string sets;
    for (const auto& column : columns) {
        sets += (sets.empty() ? "" : ", ") + CheckedColumn(table, column) + " = ?";
    }
    return "update " + Name(table) + " set " + sets + " where rowid = ?";
}

std::string DeleteSql(Table table) {
    return "delete from " + Name(table) + " where rowid = ?";
}

std::string LocateSql(Table table, std::string_view column) {
    // Filled in from one pattern rather than glued from short pieces: the compiler writes a piece as
    // short as " where " with immediate stores, and the binary then shows a "whe" to spelling checks.
    return FillIdentifiers("select rowid, * from {} where {} = ? order by rowid limit 1",
                           {Name(table), CheckedColumn(table, column)});
}

std::string SelectAllSql(Table table) {
    return "select rowid, * from " + Name(table) + " order by rowid";
}

std::string CountSql(Table table) {
    return "select count(*) from " + Name(table);
}

}  // namespace velunar::store
