#pragma once
// The reference tables of the doctrines as one read-only snapshot: loaded once from the database by the
// store, then shared by the tick, the schedule and the reverse lookup, so no two views of the program can
// disagree about a point and no query runs once a second. The look-ups keep the database's rules: exact
// texts, the last character of 实际时辰, and the first matching row in stored order.
#include <optional>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

#include "calendar/ganzhi.h"

namespace velunar {

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

// 补穴表: the supplementary point of a closed hour.
struct SupplementaryRow {
    std::string meridian;      // 经脉
    std::string phase;         // 五行
    std::string category;      // 五俞
    std::string point;         // 穴位
    std::string dutyMeridian;  // 值日经
};

// 地支表: the Na Zhi row of a double-hour.
struct NaZhiRow {
    std::string ownPoint;        // 本穴
    std::string sourcePoint;     // 原穴
    std::string drainPoint;      // 泻穴
    std::string ownMeridian;     // 本经
    std::string tonifyPoint;     // 补穴
    std::string tonifyMeridian;  // 补穴经
};

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

// Rows as stored, with the keys they are found by; each vector in stored (rowid) order.
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
struct MeridianPointEntry {
    std::string point;     // 穴位
    std::string meridian;  // 经脉 (short form)
};

class ReferenceTables {
  public:
    struct Rows {
        std::vector<NaGanEntry> naGan;
        std::vector<SupplementaryEntry> supplementary;
        std::vector<NaZhiEntry> naZhi;
        std::vector<TransportRow> transport;
        // 经络表 in list order (forder, then stored order); meridianOfPointOrder in stored order.
        std::vector<MeridianPointEntry> meridianPoints;
        std::vector<MeridianPointEntry> meridianOfPointOrder;
    };
    ReferenceTables() = default;
    explicit ReferenceTables(Rows rows);

    const NaGanRow* NaGan(Stem day, Branch hour) const;
    const SupplementaryRow* Supplementary(Stem day, Branch hour) const;
    const NaZhiRow* NaZhi(Branch hour) const;
    // The first 五俞穴 row of a meridian's long form (胆经, 小肠经, …).
    const TransportRow* Transport(std::string_view longMeridian) const;
    // 穴位 of every 经络表 row of a meridian's short form (胆, 小肠, …), in list order.
    const std::vector<std::string>& PointsOf(std::string_view shortMeridian) const;
    // 经脉 of the first 经络表 row of a point.
    std::optional<std::string> MeridianOfPoint(std::string_view point) const;

    const Rows& rows() const { return rows_; }

  private:
    Rows rows_;
    std::unordered_map<std::string, std::size_t> naGanIndex_, supplementaryIndex_, naZhiIndex_,
        transportIndex_, meridianOfPoint_;
    std::unordered_map<std::string, std::vector<std::string>> pointsOf_;
};

}  // namespace velunar
