// 纳支法: the double-hour alone names the meridian at its height, with its own, source, draining and
// tonifying points (地支表). The day plays no part.
#include "methods/doctrine.h"

namespace velunar {
namespace {

constexpr std::string_view kTitles[] = {"纳支本穴", "纳支泻穴", "纳支补穴"};

class NaZhi final : public Doctrine {
  public:
    DoctrineId Id() const override { return DoctrineId::NaZhi; }
    std::string_view Name() const override { return "naZhi"; }
    std::string_view Key() const override { return "nazhi"; }

    Finding At(const Moment& m, const ReferenceTables& t) const override {
        const NaZhiRow* found = t.NaZhi(m.hourBranch);
        const NaZhiRow row = found ? *found : NaZhiRow{};
        Finding f;
        f.cells = {
            {"ownPoint", "本穴", row.ownPoint},       {"sourcePoint", "原穴", row.sourcePoint},
            {"drainPoint", "泻穴", row.drainPoint},   {"ownMeridian", "本经", row.ownMeridian},
            {"tonifyPoint", "补穴", row.tonifyPoint}, {"tonifyMeridian", "补穴经", row.tonifyMeridian}};
        return f;
    }

    std::string_view ReportHeading() const override { return "纳支法："; }
    int ReportRank() const override { return 1; }
    void OpeningsOn(std::int64_t day, std::string_view point, const ReferenceTables& t,
                    std::vector<std::string>& tails) const override {
        ForEachDoubleHour(day, [&](const Moment& m) {
            const NaZhiRow* row = t.NaZhi(m.hourBranch);
            if (!row) return;
            const std::string_view hour = velunar::Name(m.hourBranch);
            if (row->ownPoint == point) tails.push_back(Tail({hour, "时，本穴="}, point));
            if (row->sourcePoint == point) tails.push_back(Tail({hour, "时，原穴="}, point));
            if (row->drainPoint == point) tails.push_back(Tail({hour, "时，泻穴="}, point));
            if (row->tonifyPoint == point) tails.push_back(Tail({hour, "时，补穴="}, point));
        });
    }

    std::span<const std::string_view> ScheduleTitles() const override { return kTitles; }
    void ScheduleCells(const Moment&, const Finding& f, std::vector<std::string>& out) const override {
        out.push_back(f.Text("ownPoint"));
        out.push_back(f.Text("drainPoint"));
        out.push_back(f.Text("tonifyPoint"));
    }
};

}  // namespace

const Doctrine& NaZhiDoctrine() {
    static const NaZhi d;
    return d;
}

}  // namespace velunar
