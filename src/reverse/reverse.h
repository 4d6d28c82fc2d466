#pragma once
// The reverse lookup: for one point and a range of dates, every double-hour in which each doctrine opens
// it, as ordered text lines. Each date is the day that bears the stem-branch; its 子 double-hour runs from
// 23:00 of the day before, and the hour stem is always counted from the date's own day stem.
#include <array>
#include <atomic>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace velunar {

// The eight scans, in the order they run and are reported.
enum class Scan { NaGan, NaZhi, LingGui, FeiTeng, RiGan, ShiGan, NaZhi2, BuXue };
inline constexpr int kScanCount = 8;

// Report headings, one per scan in scan order.
const std::array<std::string_view, kScanCount>& ReportHeadings();

// The rows each database-driven scan needs: only those that mention the point at all.
struct NaGanScanRow {
    std::string day;          // 实际日
    std::string hour;         // 实际时辰
    std::string point;        // 穴位
    std::string source;       // 过原
    std::string extraSource;  // 兼过原穴
};
struct NaZhiScanRow {
    std::string branch;  // 时辰
    std::string own;     // 本穴
    std::string yuan;    // 原穴
    std::string drain;   // 泻穴
    std::string tonify;  // 补穴
};
struct MeridianScanRow {
    std::string meridian;  // 经脉 (short form)
    std::string point;     // 穴位
};
struct ShuScanRow {
    std::string meridian;  // 经络 (long form)
    std::string well;      // 井
    std::string river;     // 经
    std::string spring;    // 荥
    std::string sea;       // 合
    std::string stream;    // 俞
    std::string yuan;      // 原
};
struct BuXueScanRow {
    std::string day;    // 实际日
    std::string hour;   // 实际时辰
    std::string point;  // 穴位
};

// Where the rows come from (the store). Each is asked once per search.
class ReverseSource {
  public:
    virtual ~ReverseSource() = default;
    virtual std::vector<NaGanScanRow> NaGanRows(const std::string& point) = 0;
    virtual std::vector<NaZhiScanRow> NaZhiRows(const std::string& point) = 0;
    virtual std::vector<MeridianScanRow> MeridianRows(const std::string& point) = 0;
    virtual std::vector<ShuScanRow> ShuRows(const std::string& point) = 0;
    virtual std::vector<BuXueScanRow> BuXueRows(const std::string& point) = 0;
};

// Receives the lines as they are found, in report order within each scan.
class ReverseSink {
  public:
    virtual ~ReverseSink() = default;
    virtual void BeginScan(Scan) {}
    virtual void Line(Scan scan, std::string_view line) = 0;
    // Called once per walked date; datesDone counts over all eight scans.
    virtual void Progress(std::int64_t /*datesDone*/, std::int64_t /*datesTotal*/) {}
};

enum class SearchOutcome { Completed, Cancelled };

// Walks whole days firstDay..lastDay inclusive (day numbers since 1899-12-30; none when first > last).
// `cancel` is polled once per date. Errors of the source propagate to the caller.
SearchOutcome ReverseSearch(const std::string& point, std::int64_t firstDay, std::int64_t lastDay,
                            ReverseSource& source, ReverseSink& sink,
                            const std::atomic<bool>* cancel = nullptr);

// The combined report: each heading followed by its scan's lines, no blank lines.
std::vector<std::string> CombineReport(const std::array<std::vector<std::string>, kScanCount>& sections);

// A sink that keeps every line per scan (tests, the CLI's report).
class CollectingSink : public ReverseSink {
  public:
    void Line(Scan scan, std::string_view line) override {
        sections[static_cast<int>(scan)].emplace_back(line);
    }
    std::array<std::vector<std::string>, kScanCount> sections;
};

}  // namespace velunar
