#include "calendar/eot.h"

#include "calendar/numparse.h"

#include <array>

namespace velunar {
namespace {

constexpr EotRow kTable[] = {
#include "calendar/eot_table.inc"
};
static_assert(std::size(kTable) == 366, "one row per day of a leap year");

constexpr std::string_view kPlus = "+";
constexpr std::string_view kMinus = "－";  // U+FF0D, the sign the table writes; never the ASCII hyphen

std::string RemoveAll(std::string text, std::string_view piece) {
    for (std::size_t pos; (pos = text.find(piece)) != std::string::npos;) text.erase(pos, piece.size());
    return text;
}

}  // namespace

std::span<const EotRow> EquationOfTimeTable() {
    return kTable;
}

std::string EquationOfTimeKey(DateTime t) {
    const CivilDate d = Decompose(t).date;
    return std::to_string(d.month) + "月" + std::to_string(d.day) + "日";
}

std::string EquationOfTimeText(std::string_view key) {
    for (const EotRow& row : kTable)
        if (row.key == key) return std::string(row.value);
    return {};
}

std::optional<int> EquationOfTimeSeconds(std::string_view value) {
    std::string text = RemoveAll(RemoveAll(RemoveAll(std::string(value), " "), kPlus), kMinus);
    const std::size_t m = text.find("分");
    if (m == std::string::npos) return std::nullopt;
    const std::size_t sStart = m + std::string_view("分").size();
    const std::size_t s = text.find("秒", sStart);
    if (s == std::string::npos) return std::nullopt;
    const auto minutes = ReadDigits(std::string_view(text).substr(0, m));
    const auto seconds = ReadDigits(std::string_view(text).substr(sStart, s - sStart));
    if (!minutes || !seconds) return std::nullopt;
    return *minutes * 60 + *seconds;
}

int EquationOfTimeSignedSeconds(std::string_view value) {
    const int size = EquationOfTimeSeconds(value).value_or(0);
    if (value.find(kPlus) != std::string_view::npos) return size;
    if (value.find(kMinus) != std::string_view::npos) return -size;
    return 0;
}

int EquationOfTimeOfDay(int month, int day) {
    // Read from the texts once; the tick asks once a second.
    static const std::array<std::array<int, 32>, 13> seconds = [] {
        std::array<std::array<int, 32>, 13> s{};
        int month = 1, day = 1;
        for (const EotRow& row : kTable) {
            s[static_cast<std::size_t>(month)][static_cast<std::size_t>(day)] =
                EquationOfTimeSignedSeconds(row.value);
            const int length = std::array{31, 29, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31}[month - 1];
            if (++day > length) day = 1, ++month;
        }
        return s;
    }();
    if (month < 1 || month > 12 || day < 1 || day > 31) return 0;
    return seconds[static_cast<std::size_t>(month)][static_cast<std::size_t>(day)];
}

DateTime ApplyEquationOfTime(DateTime localMeanTime) {
    const CivilDate d = Decompose(localMeanTime).date;
    return AddSeconds(localMeanTime, EquationOfTimeOfDay(d.month, d.day));
}

}  // namespace velunar
