#include "reverse/openings.h"

#include "calendar/datetime.h"

namespace velunar {
namespace {

void Digits(std::string& out, int value, int width) {
    const std::size_t at = out.size();
    out.append(static_cast<std::size_t>(width), '0');
    for (int i = width - 1; i >= 0; --i, value /= 10)
        out[at + static_cast<std::size_t>(i)] = static_cast<char>('0' + value % 10);
}

// The double-hour a tail names: the branch before its first "时" ("甲午时…", "脾经巳时…"); none for the
// whole date ("全部时辰…").
Branch BranchOfTail(std::string_view tail) {
    constexpr std::size_t kCjk = std::string_view("子").size();
    const std::size_t hour = tail.find("时");
    if (hour == std::string_view::npos || hour < kCjk) return Branch::None;
    return BranchAt(BranchNumber(tail.substr(hour - kCjk, kCjk)));
}

std::int64_t Slot(std::int64_t day, std::int64_t first) {
    const std::int64_t k = (day - first) % OpeningTexts::kCycle;
    return k < 0 ? k + OpeningTexts::kCycle : k;
}

}  // namespace

void AppendIsoDate(std::int64_t day, std::string& out) {
    const CivilDate c = CivilFromDays(day);
    if (c.year < 0 || c.year > 9999) {
        out += FormatIsoDate(static_cast<DateTime>(day));
        return;
    }
    Digits(out, c.year, 4);
    out += '-';
    Digits(out, c.month, 2);
    out += '-';
    Digits(out, c.day, 2);
}

OpeningTexts::OpeningTexts(std::string point, std::int64_t firstDay, std::int64_t lastDay,
                           const ReferenceTables& tables)
    : point_(std::move(point)), first_(firstDay), tails_(Doctrines().size()) {
    if (point_.empty()) return;
    std::vector<std::string> texts;
    for (const Doctrine* d : Doctrines()) {
        auto& cycle = tails_[static_cast<std::size_t>(d->Id())];
        for (std::int64_t k = 0; k < kCycle && firstDay + k <= lastDay; ++k) {
            texts.clear();
            d->OpeningsOn(firstDay + k, point_, tables, texts);
            for (std::string& t : texts) {
                const Branch b = BranchOfTail(t);
                cycle[static_cast<std::size_t>(k)].push_back({std::move(t), b});
            }
        }
    }
}

const std::vector<OpeningTexts::Tail>& OpeningTexts::On(DoctrineId doctrine, std::int64_t day) const {
    return tails_[static_cast<std::size_t>(doctrine)][static_cast<std::size_t>(Slot(day, first_))];
}

void OpeningTexts::AppendLine(const Opening& o, std::string& out) const {
    AppendIsoDate(o.day, out);
    out += TailOf(o);
}

std::string OpeningTexts::Line(const Opening& o) const {
    std::string line;
    AppendLine(o, line);
    return line;
}

}  // namespace velunar
