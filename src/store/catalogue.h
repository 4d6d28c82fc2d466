#pragma once
// Every SQL text of the program, by name. Nothing outside catalogue.cpp writes SQL: the queries keep the
// tables, columns, filters and order that the method pages, the reverse lookup, the description manager
// and the settings record expect, and every value is a bound parameter.
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace velunar::store {

enum class Table {
    TianGan,      // 天干表: the stem-method schedule
    BuXue,        // 补穴表: supplementary points of closed hours
    DiZhi,        // 地支表: the branch-method schedule
    WuShu,        // 五俞穴: transport and source points per meridian
    JingLuo,      // 经络表: points along each meridian
    Description,  // 穴位说明: descriptions and picture paths
    Settings,     // xxyy: the one settings row
};

inline constexpr Table kAllTables[] = {Table::TianGan, Table::BuXue,       Table::DiZhi,   Table::WuShu,
                                       Table::JingLuo, Table::Description, Table::Settings};

// The table's name in the database (UTF-8).
std::string_view TableName(Table table);
// Its columns in their defined order.
std::span<const std::string_view> TableColumns(Table table);
bool HasColumn(Table table, std::string_view column);

enum class QueryId {
    // Method pages, run every tick.
    NaGanRow,         // 天干表 by (day stem, hour branch = last character of 实际时辰): all columns
    NaZhiRow,         // 地支表 by (hour branch): all columns
    SupplementRow,    // 补穴表 by (day stem, hour branch): all columns
    WuShuRow,         // 五俞穴 by (long meridian name "胆经"): all columns
    MeridianPoints,   // 穴位 of 经络表 by (short meridian name "胆"), ordered by forder
    MeridianListOrder,  // every 经络表 row, ordered by forder then stored order (the point lists)
    DescriptionRow,   // 穴位说明 by (point): rowid and all columns
    MeridianOfPoint,  // 经络表 by (point): all columns
    SetPicturePath,   // update 穴位说明 set 图片路径 = (path) where 穴位 = (point)
    // Reverse lookup.
    PointList,       // 穴位 of every 穴位说明 row, ordered by 穴位
    ReverseTianGan,  // 天干表 rows naming (point) as 穴位, 过原 or 兼过原穴
    ReverseDiZhi,    // 地支表 rows naming (point) as 本穴, 原穴, 泻穴 or 补穴
    ReverseJingLuo,  // 经络表 rows of (point)
    ReverseWuShu,    // 五俞穴 rows naming (point) as 井, 经, 荥, 合, 俞 or 原
    ReverseBuXue,    // 补穴表 rows of (point)
    // Description manager.
    DescriptionAll,  // every 穴位说明 row with its rowid, in stored order
    // Settings record.
    SettingsRead,    // the first xxyy row with its rowid
    SettingsWrite,   // update the flagged columns of xxyy (a pair of 1 or 0 and the value for each, then the rowid)
    SettingsInsert,  // insert an xxyy row (every column)
    // Treatment plans and clinic hours (tables of later releases, see LaterTablesSql).
    TableExists,   // 1 when sqlite_master has a (type) named (name), as n
    PlanList,      // every 治疗方案 row (名称, 穴位, 方法), in the order they were made
    PlanRow,       // 治疗方案 by (名称)
    PlanInsert,    // insert (名称, 穴位, 方法)
    PlanUpdate,    // set (名称, 穴位, 方法) of the plan named (old name)
    PlanDelete,    // delete the plan named (名称)
    ClinicRead,    // every 门诊设置 row (项目, 值)
    ClinicWrite,   // set (项目) to (值), adding the row when there is none
};

inline constexpr int kQueryCount = static_cast<int>(QueryId::ClinicWrite) + 1;

// Tables that later releases added, whose rows a user writes: an older file lacks them until something is
// first written to it (Database::PrepareForWrite creates them then); until then they read as empty.
inline constexpr std::string_view kPlanTable = "治疗方案";
inline constexpr std::string_view kClinicTable = "门诊设置";
inline constexpr std::string_view kLaterTableNames[] = {kPlanTable, kClinicTable};
// Their "create table if not exists" statements, in that order.
std::span<const std::string_view> LaterTablesSql();

struct QuerySpec {
    std::string_view name;  // for messages: "NaGanRow"
    std::string_view sql;   // UTF-8, positional '?' placeholders
    int arguments;          // how many values the caller passes
    // For each placeholder in order, the index of the caller's value bound to it (one point name is bound
    // to every alternative of a reverse-lookup filter).
    std::span<const int> bindOrder;
};

const QuerySpec& Query(QueryId id);

// Statements for the generic row operations of the editable tables. Table and column names come from the
// lists above (anything else throws StoreError BadArgument); values are bound in the order given.
std::string AppendSql(Table table, const std::vector<std::string>& columns);  // insert … values (?, …)
std::string UpdateSql(Table table,
                      const std::vector<std::string>& columns);  // update … set c=?, … where rowid=?
std::string DeleteSql(Table table);                              // delete … where rowid=?
std::string LocateSql(Table table, std::string_view column);     // first row (rowid, *) whose column = ?
std::string SelectAllSql(Table table);                           // every row (rowid, *) in stored order
std::string CountSql(Table table);                               // count(*)

// A double-quoted SQL identifier ("where" is a keyword).
std::string QuoteIdentifier(std::string_view name);

}  // namespace velunar::store
