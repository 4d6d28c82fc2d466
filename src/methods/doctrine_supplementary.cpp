// 纳干法（徐氏）补穴法: in a closed hour of the Na Gan method, the 补穴表 row names the point to use instead.
#include "methods/doctrine.h"

namespace velunar {
namespace {

constexpr std::string_view kTitles[] = {"补穴"};

bool Closed(const Moment& m, const ReferenceTables& t) {
    const NaGanRow* row = t.NaGan(m.dayStem, m.hourBranch);
    return row && row->meridian == "闭";
}

class Supplementary final : public Doctrine {
  public:
    DoctrineId Id() const override { return DoctrineId::Supplementary; }
    std::string_view Name() const override { return "supplementary"; }
    std::string_view Key() const override { return "buxue"; }

    Finding At(const Moment& m, const ReferenceTables& t) const override {
        Finding f;
        f.applies = Closed(m, t);
        const SupplementaryRow* found = f.applies ? t.Supplementary(m.dayStem, m.hourBranch) : nullptr;
        const SupplementaryRow row = found ? *found : SupplementaryRow{};
        f.cells = {{"meridian", "经脉", row.meridian},
                   {"phase", "五行", row.phase},
                   {"category", "五俞", row.category},
                   {"point", "穴位", row.point},
                   {"dutyMeridian", "值日经", row.dutyMeridian}};
        return f;
    }

    std::string_view ReportHeading() const override { return "纳干法（徐氏）补穴法："; }
    int ReportRank() const override { return 7; }
    void OpeningsOn(std::int64_t day, std::string_view point, const ReferenceTables& t,
                    std::vector<std::string>& tails) const override {
        ForEachDoubleHour(day, [&](const Moment& m) {
            if (!Closed(m, t)) return;
            const SupplementaryRow* row = t.Supplementary(m.dayStem, m.hourBranch);
            if (row && row->point == point)
                tails.push_back(Tail({velunar::Name(m.hourBranch), "时，徐氏纳干法补穴="}, point));
        });
    }

    std::span<const std::string_view> ScheduleTitles() const override { return kTitles; }
    void ScheduleCells(const Moment&, const Finding& f, std::vector<std::string>& out) const override {
        out.push_back(f.applies ? f.Text("point") : std::string());
    }
};

}  // namespace

const Doctrine& SupplementaryDoctrine() {
    static const Supplementary d;
    return d;
}

}  // namespace velunar
