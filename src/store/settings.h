#pragma once
// The settings record: the one row of xxyy, held like a data set's current row. Browsing shows the stored
// values; SetValue (or Edit) enters edit mode, where reads show the pending values; Post writes every column
// in one UPDATE and returns to browsing; Cancel drops the pending values. Plain C++ usable from the window
// and from the command line. Failures throw StoreError.
#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "store/row.h"

namespace velunar::store {

class Database;

// Column names of xxyy.
namespace settings_column {
inline constexpr std::string_view kXy = "xy";                        // China longitude, east, degrees
inline constexpr std::string_view kEw = "ew";                        // "东经" / "西经" abroad
inline constexpr std::string_view kZone = "zone";                    // zone text of the abroad list
inline constexpr std::string_view kSuma = "suma";                    // summer-time minutes to subtract
inline constexpr std::string_view kJingew = "jingew";                // abroad longitude, decimal degrees
inline constexpr std::string_view kWhere = "where";                  // place picked from the place list
inline constexpr std::string_view kHint1 = "hint1";                  // notice and music at a new double-hour
inline constexpr std::string_view kOnlyBeijing = "onlyBeiJingTime";  // Beijing time only
inline constexpr std::string_view kTimeMode = "timemode";            // the time-mode text
inline constexpr std::string_view kIsChina = "ischina";              // "yeschina" / "nochina"
// Added after the first release; Database::Open adds them to older files (empty reads as the default).
inline constexpr std::string_view kEot = "eot";    // 均时差: "固定表" (default) / "天文计算"
inline constexpr std::string_view kTzid = "tzid";  // abroad: a tz-database zone id, empty for the fixed zone
inline constexpr std::string_view kChinaDst = "chinadst";    // China page: keep China's summer time (False)
inline constexpr std::string_view kSixthStem = "sixthstem";  // 天干写法: "已" (default) / "己"
inline constexpr std::string_view kRenShen = "renshen";  // show the 人神 lines: "True"; empty shows them
inline constexpr std::string_view kRenShenSource =
    "renshensrc";  // which 人神 reading: "通行" (default) or a book
}  // namespace settings_column

inline constexpr std::array<std::string_view, 16> kSettingsColumns = {
    settings_column::kXy,       settings_column::kEw,          settings_column::kZone,
    settings_column::kSuma,     settings_column::kJingew,      settings_column::kWhere,
    settings_column::kHint1,    settings_column::kOnlyBeijing, settings_column::kTimeMode,
    settings_column::kIsChina,  settings_column::kEot,         settings_column::kTzid,
    settings_column::kChinaDst, settings_column::kSixthStem,   settings_column::kRenShen,
    settings_column::kRenShenSource};

// The row a new database starts with.
Row DefaultSettings();

// A check box bound to a text column: "True"/"False" (also 1/0, compared without letter case); anything
// else, NULL included, shows the box greyed, which counts as not checked.
enum class CheckState { Checked, Unchecked, Greyed };
CheckState ReadCheckState(std::string_view text);
inline bool IsChecked(CheckState s) {
    return s == CheckState::Checked;
}
// The text a check box stores.
std::string CheckText(bool checked);

inline constexpr std::string_view kYesChina = "yeschina";
inline constexpr std::string_view kNoChina = "nochina";

class SettingsRecord {
  public:
    explicit SettingsRecord(Database& db);

    // Reads the first row of xxyy. When the table has no row, one is created with DefaultSettings() and
    // CreatedDefaults() turns true. Any pending edit is dropped. Throws StoreError.
    void Open();
    void Close();
    bool IsOpen() const { return open_; }

    // True once after the Open that created the default row; TakeCreatedNotice() returns the message to
    // show and clears the flag, so the user is told once.
    bool CreatedDefaults() const { return createdDefaults_; }
    std::optional<std::string> TakeCreatedNotice();

    // The column's value: the pending one while editing, else the stored one. Throws BadArgument for a
    // column xxyy does not have, NotOpen when closed.
    std::string Value(std::string_view column) const;

    // Enters edit mode (no-op when already editing). Throws NotOpen when closed.
    void Edit();
    bool IsEditing() const { return editing_; }
    // Sets a pending value, entering edit mode first when browsing (as a bound box does when the user
    // starts typing). Nothing reaches the database before Post.
    void SetValue(std::string_view column, std::string value);
    // Writes the columns whose pending value differs from the one read or last posted (one UPDATE; the other
    // columns keep what another program may have stored meanwhile) and returns to browsing. In browse mode it
    // does nothing. When the row has disappeared from the table meanwhile, it is inserted again, so nothing
    // is lost. On failure the record stays in edit mode with its pending values.
    void Post();
    // Drops the pending values and returns to browsing.
    void Cancel();
    // The columns whose pending value differs from the one stored: what the next Post writes, and what a
    // failed Post left unsaved.
    std::vector<std::string_view> UnsavedColumns() const;

    // Typed readings of the current values.
    CheckState Hint() const { return ReadCheckState(Value(settings_column::kHint1)); }
    CheckState OnlyBeijingTime() const { return ReadCheckState(Value(settings_column::kOnlyBeijing)); }
    std::string TimeMode() const { return Value(settings_column::kTimeMode); }
    bool ChinaPageInFront() const { return Value(settings_column::kIsChina) == kYesChina; }

    // When the focus leaves the notice check box, and when the main window closes: enter edit mode
    // (a closed record is skipped without error), store which time page is in front, post. Returns true
    // when it posted. A failing post throws.
    bool StorePageInFront(bool chinaPageInFront);

  private:
    Database& db_;
    bool open_ = false;
    bool editing_ = false;
    bool createdDefaults_ = false;
    std::int64_t rowid_ = 0;
    Row stored_;
    Row pending_;
};

}  // namespace velunar::store
