// 纳干法 (徐氏): the 天干表 row of the day stem and double-hour names the open meridian and point, or says
// the hour is closed (闭). The day stem is the Moment's own: the late-Zi step acts on the hour stem only.
#include "methods/doctrine.h"

namespace velunar {
namespace {

constexpr std::string_view kClosed = "闭";
constexpr std::string_view kTitles[] = {"纳干穴位", "过原", "兼过原穴"};

class NaGan final : public Doctrine {
  public:
    DoctrineId Id() const override { return DoctrineId::NaGan; }
    std::string_view Name() const override { return "naGan"; }
    std::string_view Key() const override { return "nagan"; }

    Finding At(const Moment& m, const ReferenceTables& t) const override {
        const NaGanRow* found = t.NaGan(m.dayStem, m.hourBranch);
        const NaGanRow row = found ? *found : NaGanRow{};
        Finding f;
        // Texts are compared as they are, untrimmed: "闭 " is no closed hour, a blank is a source point.
        f.cells = {{"dutyMeridian", "值日经", row.dutyMeridian},
                   {"meridian", "经脉", row.meridian},
                   {"phase", "五行", row.phase},
                   {"category", "五俞", row.category},
                   {"point", "穴位", row.point},
                   {"sourcePoint", "过原", row.sourcePoint, !row.sourcePoint.empty()},
                   {"extraSourcePoint", "兼过原穴", row.extraSourcePoint, !row.extraSourcePoint.empty()}};
        f.closed = row.meridian == kClosed;
        return f;
    }

    std::string_view ReportHeading() const override { return "纳干法（徐氏）："; }
    int ReportRank() const override { return 0; }
    void OpeningsOn(std::int64_t day, std::string_view point, const ReferenceTables& t,
                    std::vector<std::string>& tails) const override {
        ForEachDoubleHour(day, [&](const Moment& m) {
            const NaGanRow* row = t.NaGan(m.dayStem, m.hourBranch);
            if (!row) return;
            const std::string_view hour = velunar::Name(m.hourBranch);
            if (row->point == point) tails.push_back(Tail({hour, "时，穴位="}, point));
            if (row->sourcePoint == point) tails.push_back(Tail({hour, "时，过原="}, point));
            if (row->extraSourcePoint == point) tails.push_back(Tail({hour, "时，兼过原穴="}, point));
        });
    }

    std::span<const std::string_view> ScheduleTitles() const override { return kTitles; }
    void ScheduleCells(const Moment&, const Finding& f, std::vector<std::string>& out) const override {
        out.push_back(f.closed.value_or(false) ? std::string(kClosed) : f.Text("point"));
        out.push_back(f.Text("sourcePoint"));
        out.push_back(f.Text("extraSourcePoint"));
    }
};

}  // namespace

const Doctrine& NaGanDoctrine() {
    static const NaGan d;
    return d;
}

}  // namespace velunar
