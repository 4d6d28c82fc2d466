// The three doctrines that open a whole meridian: 时干法 (the hour stem's meridian with its transport and
// source points, 五俞穴, long form 胆经), 日干法 (the day stem's meridian, every point of 经络表, short form
// 胆) and 纳支法2 (the double-hour's meridian, every point). The two spellings key their own tables and are
// never mixed.
#include "methods/doctrine.h"
#include "methods/doctrine_tables.h"

namespace velunar {
namespace {

constexpr std::string_view kShiGanTitles[] = {"时干法经"};
constexpr std::string_view kRiGanTitles[] = {"日干法经"};
constexpr std::string_view kNaZhi2Titles[] = {"纳支法2经"};

std::string_view ShiGanMeridian(const Moment& m) {
    // The hour stem is only defined together with a branch.
    return m.hourBranch == Branch::None ? std::string_view() : LongMeridianOfStem(Number(m.hourStem));
}

class ShiGan final : public Doctrine {
  public:
    DoctrineId Id() const override { return DoctrineId::ShiGan; }
    std::string_view Name() const override { return "shiGan"; }
    std::string_view Key() const override { return "shigan"; }

    Finding At(const Moment& m, const ReferenceTables& t) const override {
        const TransportRow* found = t.Transport(ShiGanMeridian(m));
        const TransportRow row = found ? *found : TransportRow{};
        Finding f;
        f.cells = {{"meridian", "经络", row.meridian},
                   {"well", "井", row.well},
                   {"spring", "荥", row.spring},
                   {"stream", "俞", row.stream},
                   {"river", "经", row.river},
                   {"sea", "合", row.sea},
                   {"source", "原", row.source, !row.source.empty()}};
        return f;
    }

    std::string_view ReportHeading() const override { return "时干法："; }
    int ReportRank() const override { return 5; }
    void OpeningsOn(std::int64_t day, std::string_view point, const ReferenceTables& t,
                    std::vector<std::string>& tails) const override {
        ForEachDoubleHour(day, [&](const Moment& m) {
            const std::string_view meridian = ShiGanMeridian(m);
            const TransportRow* r = t.Transport(meridian);
            if (!r) return;
            const auto add = [&](std::string_view role) {
                tails.push_back(
                    Tail({meridian, velunar::Name(m.hourStem), velunar::Name(m.hourBranch), role}, point));
            };
            // The report's own order of the transport points.
            if (r->well == point) add("时，井=");
            if (r->river == point) add("时，经=");
            if (r->spring == point) add("时，荥=");
            if (r->sea == point) add("时，合=");
            if (r->stream == point) add("时，俞=");
            if (r->source == point) add("时，原=");
        });
    }

    std::span<const std::string_view> ScheduleTitles() const override { return kShiGanTitles; }
    void ScheduleCells(const Moment& m, const Finding&, std::vector<std::string>& out) const override {
        out.emplace_back(ShiGanMeridian(m));
    }
};

// A meridian's whole list of points.
Finding ListOf(std::string_view meridian, const ReferenceTables& t) {
    Finding f;
    f.cells = {{"meridian", "meridian", std::string(meridian)}};
    f.points = t.PointsOf(meridian);
    return f;
}

class RiGan final : public Doctrine {
  public:
    DoctrineId Id() const override { return DoctrineId::RiGan; }
    std::string_view Name() const override { return "riGan"; }
    std::string_view Key() const override { return "rigan"; }
    Finding At(const Moment& m, const ReferenceTables& t) const override {
        return ListOf(ShortMeridianOfStem(Number(m.dayStem)), t);
    }
    std::string_view ReportHeading() const override { return "日干法："; }
    int ReportRank() const override { return 4; }
    void OpeningsOn(std::int64_t day, std::string_view point, const ReferenceTables& t,
                    std::vector<std::string>& tails) const override {
        // Open the whole day: one line per listing of the point, not per double-hour.
        for (const std::string& p :
             t.PointsOf(ShortMeridianOfStem(DayStemNumber(static_cast<DateTime>(day)))))
            if (p == point) tails.push_back(Tail({"全部时辰，穴位="}, point));
    }
    std::span<const std::string_view> ScheduleTitles() const override { return kRiGanTitles; }
    void ScheduleCells(const Moment& m, const Finding&, std::vector<std::string>& out) const override {
        out.emplace_back(ShortMeridianOfStem(Number(m.dayStem)));
    }
};

class NaZhi2 final : public Doctrine {
  public:
    DoctrineId Id() const override { return DoctrineId::NaZhi2; }
    std::string_view Name() const override { return "naZhi2"; }
    std::string_view Key() const override { return "nazhi2"; }
    Finding At(const Moment& m, const ReferenceTables& t) const override {
        return ListOf(MeridianOfBranch(Number(m.hourBranch)), t);
    }
    std::string_view ReportHeading() const override { return "纳支法2："; }
    int ReportRank() const override { return 6; }
    void OpeningsOn(std::int64_t day, std::string_view point, const ReferenceTables& t,
                    std::vector<std::string>& tails) const override {
        ForEachDoubleHour(day, [&](const Moment& m) {
            const std::string_view meridian = MeridianOfBranch(Number(m.hourBranch));
            for (const std::string& p : t.PointsOf(meridian))
                if (p == point)
                    tails.push_back(Tail({meridian, "经", velunar::Name(m.hourBranch), "时，穴位="}, point));
        });
    }
    std::span<const std::string_view> ScheduleTitles() const override { return kNaZhi2Titles; }
    void ScheduleCells(const Moment& m, const Finding&, std::vector<std::string>& out) const override {
        out.emplace_back(MeridianOfBranch(Number(m.hourBranch)));
    }
};

}  // namespace

const Doctrine& ShiGanDoctrine() {
    static const ShiGan d;
    return d;
}
const Doctrine& RiGanDoctrine() {
    static const RiGan d;
    return d;
}
const Doctrine& NaZhi2Doctrine() {
    static const NaZhi2 d;
    return d;
}

}  // namespace velunar
