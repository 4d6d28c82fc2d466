#include "reverse/reverse.h"

#include "calendar/datetime.h"
#include "calendar/ganzhi.h"
#include "methods/doctrine_tables.h"

namespace velunar {
namespace {

constexpr std::array<std::string_view, kScanCount> kHeadings = {
    "纳干法（徐氏）：", "纳支法：", "灵龟八法：", "飞腾八法：",
    "日干法：",         "时干法：", "纳支法2：",  "纳干法（徐氏）补穴法：",
};

// Everything a scan needs to know about one walked date.
struct DayInfo {
    std::int64_t day = 0;
    int stem = 0;
    int branch = 0;
    std::string date;  // "yyyy-mm-dd"
    std::string stemText;
};

DayInfo Describe(std::int64_t day) {
    DayInfo d;
    d.day = day;
    const auto t = static_cast<DateTime>(day);
    d.stem = DayStemNumber(t);
    d.branch = DayBranchNumber(t);
    d.date = FormatIsoDate(t);
    d.stemText = StemName(d.stem);
    return d;
}

class Walker {
  public:
    Walker(const std::string& point, std::int64_t first, std::int64_t last, ReverseSink& sink,
           const std::atomic<bool>* cancel)
        : point_(point), first_(first), last_(last), sink_(sink), cancel_(cancel) {
        total_ = last >= first ? (last - first + 1) * kScanCount : 0;
    }

    // Runs fn(day) for every date of the range; false when the user cancelled.
    template <typename Fn>
    bool EachDay(Scan scan, Fn&& fn) {
        sink_.BeginScan(scan);
        for (std::int64_t day = first_; day <= last_; ++day) {
            if (cancel_ && cancel_->load(std::memory_order_relaxed)) return false;
            fn(Describe(day));
            sink_.Progress(++done_, total_);
        }
        return true;
    }

    void Emit(Scan scan, const std::string& date, std::string_view middle, std::string_view role) {
        line_.clear();
        line_.append(date).append(middle).append(role).append(point_);
        sink_.Line(scan, line_);
    }

    const std::string& point() const { return point_; }

  private:
    const std::string& point_;
    std::int64_t first_, last_;
    ReverseSink& sink_;
    const std::atomic<bool>* cancel_;
    std::int64_t done_ = 0, total_ = 0;
    std::string line_;
};

bool Contains(const std::string& text, const std::string& part) {
    return text.find(part) != std::string::npos;
}

bool ScanNaGan(Walker& w, const std::vector<NaGanScanRow>& rows) {
    return w.EachDay(Scan::NaGan, [&](const DayInfo& d) {
        for (int h = 1; h <= 12; ++h) {
            const std::string b = BranchName(h);
            for (const auto& r : rows) {
                if (r.day != d.stemText || !Contains(r.hour, b)) continue;
                if (r.point == w.point()) w.Emit(Scan::NaGan, d.date, b, "时，穴位=");
                if (r.source == w.point()) w.Emit(Scan::NaGan, d.date, b, "时，过原=");
                if (r.extraSource == w.point()) w.Emit(Scan::NaGan, d.date, b, "时，兼过原穴=");
            }
        }
    });
}

bool ScanNaZhi(Walker& w, const std::vector<NaZhiScanRow>& rows) {
    return w.EachDay(Scan::NaZhi, [&](const DayInfo& d) {
        for (int h = 1; h <= 12; ++h) {
            const std::string b = BranchName(h);
            for (const auto& r : rows) {
                if (r.branch != b) continue;
                if (r.own == w.point()) w.Emit(Scan::NaZhi, d.date, b, "时，本穴=");
                if (r.yuan == w.point()) w.Emit(Scan::NaZhi, d.date, b, "时，原穴=");
                if (r.drain == w.point()) w.Emit(Scan::NaZhi, d.date, b, "时，泻穴=");
                if (r.tonify == w.point()) w.Emit(Scan::NaZhi, d.date, b, "时，补穴=");
            }
        }
    });
}

bool ScanLingGui(Walker& w) {
    return w.EachDay(Scan::LingGui, [&](const DayInfo& d) {
        for (int h = 1; h <= 12; ++h) {
            const int hourStem = HourStemNumber(d.stem, h);
            const std::string_view opened = LingGuiPoint(d.stem, d.branch, hourStem, h);
            const std::string b = BranchName(h);
            if (opened == w.point()) w.Emit(Scan::LingGui, d.date, b, "时，灵龟穴位=");
            if (Partner(opened) == w.point()) w.Emit(Scan::LingGui, d.date, b, "时，灵龟配穴=");
        }
    });
}

bool ScanFeiTeng(Walker& w) {
    return w.EachDay(Scan::FeiTeng, [&](const DayInfo& d) {
        for (int h = 1; h <= 12; ++h) {
            const int hourStem = HourStemNumber(d.stem, h);
            const std::string_view opened = FeiTengPoint(hourStem);
            const std::string sb = StemName(hourStem) + BranchName(h);
            if (opened == w.point()) w.Emit(Scan::FeiTeng, d.date, sb, "时，飞腾穴位=");
            if (Partner(opened) == w.point()) w.Emit(Scan::FeiTeng, d.date, sb, "时，飞腾配穴=");
        }
    });
}

bool ScanRiGan(Walker& w, const std::vector<MeridianScanRow>& rows) {
    return w.EachDay(Scan::RiGan, [&](const DayInfo& d) {
        const std::string_view meridian = ShortMeridianOfStem(d.stem);
        for (const auto& r : rows)
            if (r.meridian == meridian && r.point == w.point())
                w.Emit(Scan::RiGan, d.date, "", "全部时辰，穴位=");
    });
}

bool ScanShiGan(Walker& w, const std::vector<ShuScanRow>& rows) {
    return w.EachDay(Scan::ShiGan, [&](const DayInfo& d) {
        for (int h = 1; h <= 12; ++h) {
            const int hourStem = HourStemNumber(d.stem, h);
            const std::string_view meridian = LongMeridianOfStem(hourStem);
            const std::string middle = std::string(meridian) + StemName(hourStem) + BranchName(h);
            for (const auto& r : rows) {
                if (r.meridian != meridian) continue;
                if (r.well == w.point()) w.Emit(Scan::ShiGan, d.date, middle, "时，井=");
                if (r.river == w.point()) w.Emit(Scan::ShiGan, d.date, middle, "时，经=");
                if (r.spring == w.point()) w.Emit(Scan::ShiGan, d.date, middle, "时，荥=");
                if (r.sea == w.point()) w.Emit(Scan::ShiGan, d.date, middle, "时，合=");
                if (r.stream == w.point()) w.Emit(Scan::ShiGan, d.date, middle, "时，俞=");
                if (r.yuan == w.point()) w.Emit(Scan::ShiGan, d.date, middle, "时，原=");
            }
        }
    });
}

bool ScanNaZhi2(Walker& w, const std::vector<MeridianScanRow>& rows) {
    return w.EachDay(Scan::NaZhi2, [&](const DayInfo& d) {
        for (int h = 1; h <= 12; ++h) {
            const std::string_view meridian = MeridianOfBranch(h);
            const std::string middle = std::string(meridian) + "经" + BranchName(h);
            for (const auto& r : rows)
                if (r.meridian == meridian && r.point == w.point())
                    w.Emit(Scan::NaZhi2, d.date, middle, "时，穴位=");
        }
    });
}

bool ScanBuXue(Walker& w, const std::vector<BuXueScanRow>& rows) {
    return w.EachDay(Scan::BuXue, [&](const DayInfo& d) {
        for (int h = 1; h <= 12; ++h) {
            const std::string b = BranchName(h);
            for (const auto& r : rows)
                if (r.day == d.stemText && Contains(r.hour, b) && r.point == w.point())
                    w.Emit(Scan::BuXue, d.date, b, "时，徐氏纳干法补穴=");
        }
    });
}

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

SearchOutcome ReverseSearch(const std::string& point, std::int64_t firstDay, std::int64_t lastDay,
                            ReverseSource& source, ReverseSink& sink, const std::atomic<bool>* cancel) {
    Walker w(point, firstDay, lastDay, sink, cancel);
    // An empty name opens nowhere; asking the tables for it would match every empty optional column.
    EmptySource none;
    ReverseSource& rows = point.empty() ? none : source;
    // Each scan asks for its rows only when it starts, so a database error stops the run where it occurs
    // and leaves the lines found before it.
    const bool done = ScanNaGan(w, rows.NaGanRows(point)) && ScanNaZhi(w, rows.NaZhiRows(point)) &&
                      ScanLingGui(w) && ScanFeiTeng(w) && ScanRiGan(w, rows.MeridianRows(point)) &&
                      ScanShiGan(w, rows.ShuRows(point)) && ScanNaZhi2(w, rows.MeridianRows(point)) &&
                      ScanBuXue(w, rows.BuXueRows(point));
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
