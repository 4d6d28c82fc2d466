#include "reverse/reverse.h"

#include <functional>

#include "calendar/datetime.h"
#include "calendar/ganzhi.h"
#include "methods/doctrine_tables.h"
#include "methods/point_aliases.h"

namespace velunar {
namespace {

constexpr std::array<std::string_view, kScanCount> kHeadings = {
    "纳干法（徐氏）：", "纳支法：", "灵龟八法：", "飞腾八法：",
    "日干法：",         "时干法：", "纳支法2：",  "纳干法（徐氏）补穴法：",
};

// Every rule depends on the date only through its day stem and branch, which repeat every sixty days. So
// each scan is worked out once for sixty consecutive dates, as the tails of its lines (everything after
// the date text, the point included), and the walk only glues date texts to them.
constexpr int kCycle = 60;
using Tails = std::vector<std::string>;
using CyclePattern = std::array<Tails, kCycle>;

// What a rule sees of one date.
struct DayKey {
    int stem = 0;
    int branch = 0;
    std::string_view stemText;
};

constexpr std::array<std::string_view, 10> kStemText = {"甲", "乙", "丙", "丁", "戊",
                                                        "已", "庚", "辛", "壬", "癸"};
constexpr std::array<std::string_view, 12> kBranchText = {"子", "丑", "寅", "卯", "辰", "巳",
                                                          "午", "未", "申", "酉", "戌", "亥"};

std::string_view Stem(int n) {
    return kStemText[n - 1];
}
std::string_view Branch(int h) {
    return kBranchText[h - 1];
}

// Builds one tail from its pieces; the point always comes last.
class TailBuilder {
  public:
    TailBuilder(const std::string& point, Tails& out) : point_(point), out_(out) {}
    template <typename... Pieces>
    void Add(Pieces... pieces) {
        std::string tail;
        (tail.append(pieces), ...);
        tail.append(point_);
        out_.push_back(std::move(tail));
    }
    const std::string& point() const { return point_; }

  private:
    const std::string& point_;
    Tails& out_;
};

using Rule = std::function<void(const DayKey&, TailBuilder&)>;

// Only the dates the walk reaches are worked out (a short range needs fewer than sixty).
CyclePattern Compile(const std::string& point, std::int64_t firstDay, std::int64_t dates, const Rule& rule) {
    CyclePattern pattern;
    for (int k = 0; k < kCycle && k < dates; ++k) {
        const auto t = static_cast<DateTime>(firstDay + k);
        DayKey key;
        key.stem = DayStemNumber(t);
        key.branch = DayBranchNumber(t);
        key.stemText = Stem(key.stem);
        TailBuilder b(point, pattern[k]);
        rule(key, b);
    }
    return pattern;
}

bool Contains(const std::string& text, std::string_view part) {
    return text.find(part) != std::string::npos;
}

// The rules, one per scan: for one date, the hits in the order double-hour, row, column.

Rule NaGanRule(const std::vector<NaGanScanRow>& rows) {
    return [&rows](const DayKey& d, TailBuilder& b) {
        for (int h = 1; h <= 12; ++h) {
            for (const auto& r : rows) {
                if (r.day != d.stemText || !Contains(r.hour, Branch(h))) continue;
                if (r.point == b.point()) b.Add(Branch(h), "时，穴位=");
                if (r.source == b.point()) b.Add(Branch(h), "时，过原=");
                if (r.extraSource == b.point()) b.Add(Branch(h), "时，兼过原穴=");
            }
        }
    };
}

Rule NaZhiRule(const std::vector<NaZhiScanRow>& rows) {
    return [&rows](const DayKey&, TailBuilder& b) {
        for (int h = 1; h <= 12; ++h) {
            for (const auto& r : rows) {
                if (r.branch != Branch(h)) continue;
                if (r.own == b.point()) b.Add(Branch(h), "时，本穴=");
                if (r.yuan == b.point()) b.Add(Branch(h), "时，原穴=");
                if (r.drain == b.point()) b.Add(Branch(h), "时，泻穴=");
                if (r.tonify == b.point()) b.Add(Branch(h), "时，补穴=");
            }
        }
    };
}

Rule LingGuiRule() {
    return [](const DayKey& d, TailBuilder& b) {
        for (int h = 1; h <= 12; ++h) {
            const std::string_view opened = LingGuiPoint(d.stem, d.branch, HourStemNumber(d.stem, h), h);
            if (opened == b.point()) b.Add(Branch(h), "时，灵龟穴位=");
            if (Partner(opened) == b.point()) b.Add(Branch(h), "时，灵龟配穴=");
        }
    };
}

Rule FeiTengRule() {
    return [](const DayKey& d, TailBuilder& b) {
        for (int h = 1; h <= 12; ++h) {
            const int hourStem = HourStemNumber(d.stem, h);
            const std::string_view opened = FeiTengPoint(hourStem);
            if (opened == b.point()) b.Add(Stem(hourStem), Branch(h), "时，飞腾穴位=");
            if (Partner(opened) == b.point()) b.Add(Stem(hourStem), Branch(h), "时，飞腾配穴=");
        }
    };
}

Rule RiGanRule(const std::vector<MeridianScanRow>& rows) {
    return [&rows](const DayKey& d, TailBuilder& b) {
        const std::string_view meridian = ShortMeridianOfStem(d.stem);
        for (const auto& r : rows)
            if (r.meridian == meridian && r.point == b.point()) b.Add("全部时辰，穴位=");
    };
}

Rule ShiGanRule(const std::vector<ShuScanRow>& rows) {
    return [&rows](const DayKey& d, TailBuilder& b) {
        for (int h = 1; h <= 12; ++h) {
            const int hourStem = HourStemNumber(d.stem, h);
            const std::string_view meridian = LongMeridianOfStem(hourStem);
            const auto add = [&](std::string_view role) { b.Add(meridian, Stem(hourStem), Branch(h), role); };
            for (const auto& r : rows) {
                if (r.meridian != meridian) continue;
                if (r.well == b.point()) add("时，井=");
                if (r.river == b.point()) add("时，经=");
                if (r.spring == b.point()) add("时，荥=");
                if (r.sea == b.point()) add("时，合=");
                if (r.stream == b.point()) add("时，俞=");
                if (r.yuan == b.point()) add("时，原=");
            }
        }
    };
}

Rule NaZhi2Rule(const std::vector<MeridianScanRow>& rows) {
    return [&rows](const DayKey&, TailBuilder& b) {
        for (int h = 1; h <= 12; ++h) {
            const std::string_view meridian = MeridianOfBranch(h);
            for (const auto& r : rows)
                if (r.meridian == meridian && r.point == b.point())
                    b.Add(meridian, "经", Branch(h), "时，穴位=");
        }
    };
}

Rule BuXueRule(const std::vector<BuXueScanRow>& rows) {
    return [&rows](const DayKey& d, TailBuilder& b) {
        for (int h = 1; h <= 12; ++h)
            for (const auto& r : rows)
                if (r.day == d.stemText && Contains(r.hour, Branch(h)) && r.point == b.point())
                    b.Add(Branch(h), "时，徐氏纳干法补穴=");
    };
}

// "yyyy-mm-dd" of a day number, written straight into a buffer (the walk formats one per hit date).
class DateText {
  public:
    std::string_view Of(std::int64_t day) {
        const CivilDate c = CivilFromDays(day);
        if (c.year < 0 || c.year > 9999) {
            wide_ = FormatIsoDate(static_cast<DateTime>(day));
            return wide_;
        }
        Digits(buf_, c.year, 4);
        buf_[4] = '-';
        Digits(buf_ + 5, c.month, 2);
        buf_[7] = '-';
        Digits(buf_ + 8, c.day, 2);
        return {buf_, 10};
    }

  private:
    static void Digits(char* at, int value, int width) {
        for (int i = width - 1; i >= 0; --i, value /= 10) at[i] = static_cast<char>('0' + value % 10);
    }
    char buf_[10] = {};
    std::string wide_;
};

class Walker {
  public:
    Walker(const std::string& point, std::int64_t first, std::int64_t last, ReverseSink& sink,
           const std::atomic<bool>* cancel)
        : point_(point), first_(first), last_(last), sink_(sink), cancel_(cancel) {
        total_ = last >= first ? (last - first + 1) * kScanCount : 0;
    }

    // Emits the scan's lines for every date of the range; false when the user cancelled.
    bool Run(Scan scan, const Rule& rule) {
        sink_.BeginScan(scan);
        if (first_ > last_) return true;
        const CyclePattern pattern = Compile(point_, first_, last_ - first_ + 1, rule);
        int k = 0;
        for (std::int64_t day = first_; day <= last_; ++day) {
            if (cancel_ && cancel_->load(std::memory_order_relaxed)) return false;
            if (!pattern[k].empty()) {
                const std::string_view date = dates_.Of(day);
                for (const std::string& tail : pattern[k]) {
                    line_.assign(date).append(tail);
                    sink_.Line(scan, line_);
                }
            }
            sink_.Progress(++done_, total_);
            if (++k == kCycle) k = 0;
        }
        return true;
    }

  private:
    const std::string& point_;
    std::int64_t first_, last_;
    ReverseSink& sink_;
    const std::atomic<bool>* cancel_;
    std::int64_t done_ = 0, total_ = 0;
    DateText dates_;
    std::string line_;
};

class EmptySource : public ReverseSource {
  public:
    std::vector<NaGanScanRow> NaGanRows(const std::string&) override { return {}; }
    std::vector<NaZhiScanRow> NaZhiRows(const std::string&) override { return {}; }
    std::vector<MeridianScanRow> MeridianRows(const std::string&) override { return {}; }
    std::vector<ShuScanRow> ShuRows(const std::string&) override { return {}; }
    std::vector<BuXueScanRow> BuXueRows(const std::string&) override { return {}; }
};

}  // namespace

const std::array<std::string_view, kScanCount>& ReportHeadings() {
    return kHeadings;
}

SearchOutcome ReverseSearch(const std::string& typed, std::int64_t firstDay, std::int64_t lastDay,
                            ReverseSource& source, ReverseSink& sink, const std::atomic<bool>* cancel) {
    // The tables hold standard names only; a superseded spelling is looked up, and reported, as its standard.
    const std::string point(CanonicalPointName(typed));
    Walker w(point, firstDay, lastDay, sink, cancel);
    // An empty name opens nowhere; asking the tables for it would match every empty optional column.
    EmptySource none;
    ReverseSource& src = point.empty() ? none : source;
    // Each scan asks for its rows only when it starts, so a database error stops the run where it occurs
    // and leaves the lines found before it. A scan's rows live until its walk ends.
    const auto tableScan = [&](Scan scan, auto rows, auto makeRule) { return w.Run(scan, makeRule(rows)); };
    const bool done = tableScan(Scan::NaGan, src.NaGanRows(point), NaGanRule) &&
                      tableScan(Scan::NaZhi, src.NaZhiRows(point), NaZhiRule) &&
                      w.Run(Scan::LingGui, LingGuiRule()) && w.Run(Scan::FeiTeng, FeiTengRule()) &&
                      tableScan(Scan::RiGan, src.MeridianRows(point), RiGanRule) &&
                      tableScan(Scan::ShiGan, src.ShuRows(point), ShiGanRule) &&
                      tableScan(Scan::NaZhi2, src.MeridianRows(point), NaZhi2Rule) &&
                      tableScan(Scan::BuXue, src.BuXueRows(point), BuXueRule);
    return done ? SearchOutcome::Completed : SearchOutcome::Cancelled;
}

std::vector<std::string> CombineReport(const std::array<std::vector<std::string>, kScanCount>& sections) {
    std::vector<std::string> out;
    for (int i = 0; i < kScanCount; ++i) {
        out.emplace_back(kHeadings[i]);
        out.insert(out.end(), sections[i].begin(), sections[i].end());
    }
    return out;
}

}  // namespace velunar
