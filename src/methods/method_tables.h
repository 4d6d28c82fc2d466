#pragma once
// What the method steps need from the database, and nothing more: the rows of the doctrine tables as
// plain texts. The store implements it (store/method_tables.h); tests use fakes. Keys are passed as
// bound values, never spliced into SQL text, so any point name (one with a quote, too) is looked up
// as it is.
#include <cstdint>
#include <optional>
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

namespace velunar {

// A column of a row with its name in the database, for output that names columns (JSON, CSV).
struct NamedText {
    std::string_view column;
    std::string_view text;
};

// 天干表: the Na Gan row of a day stem and double-hour.
struct NaGanRow {
    std::string dutyMeridian;      // 值日经
    std::string meridian;          // 经脉; exactly "闭" in a closed hour
    std::string phase;             // 五行
    std::string category;          // 五俞
    std::string point;             // 穴位
    std::string sourcePoint;       // 过原 (may be empty)
    std::string extraSourcePoint;  // 兼过原穴 (may be empty)
};
std::vector<NamedText> Columns(const NaGanRow& r);

// 补穴表: the supplementary point of a closed hour.
struct SupplementaryRow {
    std::string meridian;      // 经脉
    std::string phase;         // 五行
    std::string category;      // 五俞
    std::string point;         // 穴位
    std::string dutyMeridian;  // 值日经
};
std::vector<NamedText> Columns(const SupplementaryRow& r);

// 地支表: the Na Zhi row of a double-hour.
struct NaZhiRow {
    std::string ownPoint;        // 本穴
    std::string sourcePoint;     // 原穴
    std::string drainPoint;      // 泻穴
    std::string ownMeridian;     // 本经
    std::string tonifyPoint;     // 补穴
    std::string tonifyMeridian;  // 补穴经
};
std::vector<NamedText> Columns(const NaZhiRow& r);

// 五俞穴: the transport points of one meridian (long form, with 经).
struct TransportRow {
    std::string meridian;  // 经络
    std::string well;      // 井
    std::string spring;    // 荥
    std::string stream;    // 俞
    std::string river;     // 经
    std::string sea;       // 合
    std::string source;    // 原 (may be empty)
};
std::vector<NamedText> Columns(const TransportRow& r);

// 穴位说明: one point's description. rowKey names the very row that was read, so a write-back reaches
// that row and no other one of the same name.
struct DescriptionRow {
    std::int64_t rowKey = 0;
    std::string description;  // 穴位说明
    std::string picturePath;  // 图片路径
};

// Whole-table rows with their keys, for look-ups done in memory (PreloadedTables).
struct NaGanEntry {
    std::string day;   // 实际日
    std::string hour;  // 实际时辰
    NaGanRow row;
};
struct SupplementaryEntry {
    std::string day;   // 实际日
    std::string hour;  // 实际时辰
    SupplementaryRow row;
};
struct NaZhiEntry {
    std::string branch;  // 时辰
    NaZhiRow row;
};

// Raised by an implementation when the database fails (table or column missing, connection lost,
// a write refused). The steps do not catch it: the caller reports it.
class TablesError : public std::runtime_error {
  public:
    using std::runtime_error::runtime_error;
};

class MethodTables {
  public:
    virtual ~MethodTables() = default;

    // The first row whose 实际日 equals dayStem and whose 实际时辰 ends in the character hourBranch.
    virtual std::optional<NaGanRow> NaGan(std::string_view dayStem, std::string_view hourBranch) = 0;
    virtual std::optional<SupplementaryRow> Supplementary(std::string_view dayStem,
                                                          std::string_view hourBranch) = 0;
    // The first row whose 时辰 equals hourBranch.
    virtual std::optional<NaZhiRow> NaZhi(std::string_view hourBranch) = 0;
    // The first 五俞穴 row whose 经络 equals longMeridian (胆经, 小肠经, …).
    virtual std::optional<TransportRow> Transport(std::string_view longMeridian) = 0;
    // 穴位 of every 经络表 row whose 经脉 equals shortMeridian (胆, 小肠, …), ascending by forder.
    virtual std::vector<std::string> MeridianPoints(std::string_view shortMeridian) = 0;

    // The first 穴位说明 row whose 穴位 equals point.
    virtual std::optional<DescriptionRow> Description(std::string_view point) = 0;
    // 经脉 of the first 经络表 row whose 穴位 equals point.
    virtual std::optional<std::string> MeridianOfPoint(std::string_view point) = 0;
    // Sets 图片路径 of the 穴位说明 row read as rowKey and makes it permanent.
    virtual void StorePicturePath(std::int64_t rowKey, std::string_view path) = 0;

    // Whole tables, rows in the order the database returns them.
    virtual std::vector<NaGanEntry> AllNaGan() = 0;
    virtual std::vector<SupplementaryEntry> AllSupplementary() = 0;
    virtual std::vector<NaZhiEntry> AllNaZhi() = 0;
};

}  // namespace velunar
