#pragma once
// The table-driven method steps of one tick. Each reads the Moment, asks the tables for its row or
// list and returns what its page shows; the UI only copies the result into its boxes.
// Database errors (TablesError) pass through: a failed step leaves its remembered state untouched.
#include <optional>
#include <string>
#include <vector>

#include "calendar/moment.h"
#include "methods/method_tables.h"

namespace velunar {

// 纳干法 (徐氏): the 天干表 row of the day stem and the double-hour.
struct NaGanView {
    NaGanRow row;  // every text empty when no row matched
    bool found = false;
    // 经脉 is exactly "闭" (no trimming): Button1 and the 补穴法 tab are shown, the supplementary
    // step runs.
    bool closed = false;
    bool showSourcePoint = false;       // DBEdit14 with Label19: 过原 is not empty
    bool showExtraSourcePoint = false;  // DBEdit15 with Label22: 兼过原穴 is not empty
};
// Every tick. The day stem is the Moment's own (no late-Zi step); no query while the hour-branch
// text is no branch, which shows as "no row".
NaGanView NaGanStep(const Moment& m, MethodTables& tables);

// 补穴法: the 补穴表 row of a closed hour.
struct SupplementaryView {
    SupplementaryRow row;
    bool found = false;
};
// Runs only while the 补穴法 tab is visible (NaGanView::closed of the same tick); std::nullopt
// otherwise, without a query, and the page keeps the row it shows.
std::optional<SupplementaryView> SupplementaryStep(const Moment& m, bool tabVisible, MethodTables& tables);

// 纳支法: the 地支表 row of the double-hour; the day plays no part.
struct NaZhiView {
    NaZhiRow row;
    bool found = false;
};
NaZhiView NaZhiStep(const Moment& m, MethodTables& tables);

// 时干法: the 五俞穴 row of the hour stem's meridian (long form).
struct ShiGanView {
    std::string meridian;  // the long form asked for; empty while the hour stem is undefined
    TransportRow row;
    bool found = false;
    bool showSource = false;  // DBEdit28 with Label40: 原 is not empty
};
ShiGanView ShiGanStep(const Moment& m, MethodTables& tables);

// A meridian (short form) with its points in 经络表 order.
struct MeridianList {
    std::string meridian;  // the caption of Label44 / Label47
    std::vector<std::string> points;
};

// 时干法, 日干法 and 纳支法2 together, as one step of the tick. The two lists are reloaded only when
// their key changed since the last successful load.
class DayHourMethods {
  public:
    struct Result {
        ShiGanView shiGan;                     // every tick
        std::optional<MeridianList> dayList;   // 日干法: set when reloaded, else the page keeps its list
        std::optional<MeridianList> hourList;  // 纳支法2: likewise
    };
    Result Tick(const Moment& m, MethodTables& tables);

    int listedDayStem() const { return listedDayStem_; }
    const std::string& listedHourBranch() const { return listedHourBranch_; }

  private:
    int listedDayStem_ = 0;         // 0: nothing listed yet
    std::string listedHourBranch_;  // empty: nothing listed yet
};

// The list of a day stem (日干法) and of an hour-branch text (纳支法2). A text that is no branch names
// no meridian: empty caption, empty list, no query.
MeridianList DayStemList(int dayStem, MethodTables& tables);
MeridianList HourBranchList(std::string_view hourBranch, MethodTables& tables);

}  // namespace velunar
