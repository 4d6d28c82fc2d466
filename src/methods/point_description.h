#pragma once
// The point-description step of the tick: the focused box's text names the point whose description
// the memo shows and whose picture the picture button opens. A point without a stored picture path
// gets one derived from its meridian (or, for the eight confluent points, from a fixed table), and
// the derived path is stored so the description manager shows it.
#include <optional>
#include <string>
#include <string_view>

#include <cstdint>
#include <stdexcept>

#include "methods/reference_tables.h"

namespace velunar {

// 穴位说明: one point's description. rowKey names the very row that was read, so a write-back reaches that
// row and no other one of the same name.
struct DescriptionRow {
    std::int64_t rowKey = 0;
    std::string description;  // 穴位说明
    std::string picturePath;  // 图片路径
};

// Raised by a DescriptionSource when the database fails; the message is ready to show.
class DescriptionError : public std::runtime_error {
  public:
    using std::runtime_error::runtime_error;
};

// The editable table of descriptions, which is not part of the reference snapshot (the store implements it).
class DescriptionSource {
  public:
    virtual ~DescriptionSource() = default;
    // The first 穴位说明 row whose 穴位 equals point.
    virtual std::optional<DescriptionRow> Description(std::string_view point) = 0;
    // Sets 图片路径 of the row read as rowKey and makes it permanent.
    virtual void StorePicturePath(std::int64_t rowKey, std::string_view path) = 0;
};

// What has the keyboard focus in the main window this tick.
struct FocusedText {
    enum class Kind {
        kNone,     // no control has the focus
        kMemo,     // the description memo itself: scrolling it keeps the described point
        kControl,  // any other control; text is its text (for a point grid: the current row's 穴位)
    };
    Kind kind = Kind::kNone;
    std::string text;

    static FocusedText None() { return {}; }
    static FocusedText Memo() { return {Kind::kMemo, {}}; }
    static FocusedText Control(std::string t) { return {Kind::kControl, std::move(t)}; }
};

// Picture of a meridian (short form) and of a confluent point; empty when the table names none.
std::string_view PicturePathOfMeridian(std::string_view shortMeridian);
std::string_view ConfluentPicturePath(std::string_view point);

class PointDescriptionStep {
  public:
    // One step. Returns the text the description memo is to show when a lookup ran (empty when the
    // point has no description row), std::nullopt when the memo keeps its text.
    // A DescriptionError passes through; LastPointText already holds the candidate then, so a failing
    // name is not retried on every tick, and Description() holds what was read before the failure.
    std::optional<std::string> Run(const FocusedText& focus, DescriptionSource& source,
                                   const ReferenceTables& tables);

    const std::string& LastPointText() const { return lastPointText_; }
    // "pic\X.JPG" relative to the program's folder, an absolute path, or empty (no picture known).
    const std::string& CurrentPicturePath() const { return currentPicturePath_; }
    const std::string& Description() const { return description_; }
    // The name of the row described (the standard name when an old spelling found it); empty when the
    // last lookup found no row.
    const std::string& DescribedPoint() const { return describedPoint_; }

  private:
    std::string Lookup(const std::string& candidate, DescriptionSource& source,
                       const ReferenceTables& tables);

    std::string lastPointText_;
    std::string currentPicturePath_;
    std::string description_;
    std::string describedPoint_;
};

}  // namespace velunar
