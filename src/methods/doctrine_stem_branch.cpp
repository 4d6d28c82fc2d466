// The three doctrines that open a whole meridian: 时干法 (the hour stem's meridian with its transport and
// source points, 五俞穴, long form 胆经), 日干法 (the day stem's meridian, every point of 经络表, short form
// 胆) and 纳支法2 (the double-hour's meridian, every point). The two spellings key their own tables and are
// never mixed.
#include "calendar/tr_mark.h"
#include "methods/doctrine.h"
#include "methods/doctrine_tables.h"

namespace velunar {
namespace {

// The steps of the three doctrines, in one place.
constexpr StepLabel kSgStem{
    "shigan.stem", VELUNAR_TR("step", "时干法看时干：时干{1}属{2}（《针灸大成》十二经纳天干歌：“{3}”）")};
constexpr StepLabel kSgPoints{"shigan.points",
                              VELUNAR_TR("step", "取{1}的井、荥、俞、经、合五输穴及原穴（五俞穴表）")};
constexpr StepLabel kSgResult{"shigan.result",
                              VELUNAR_TR("step", "时干法：{1}，井{2}、荥{3}、俞{4}、经{5}、合{6}")};
constexpr StepLabel kSgResultSource{
    "shigan.resultSource", VELUNAR_TR("step", "时干法：{1}，井{2}、荥{3}、俞{4}、经{5}、合{6}、原{7}")};
constexpr StepLabel kSgMissing{"shigan.missing", VELUNAR_TR("step", "五俞穴表中没有{8}的行，时干法页留空")};
constexpr StepLabel kSgNoHour{"shigan.noHour", VELUNAR_TR("step", "尚未定出时辰，时干法无从推算")};

constexpr StepLabel kRgStem{
    "rigan.stem",
    VELUNAR_TR("step", "日干法看日干：日干{1}属{2}经，是当日的值日经（《针灸大成》十二经纳天干歌：“{3}”）")};
constexpr StepLabel kRgResult{"rigan.result",
                              VELUNAR_TR("step", "日干法：值日经{1}，列出经络表中{1}经的腧穴共{2}个")};
constexpr StepLabel kRgNoDay{"rigan.noDay", VELUNAR_TR("step", "尚未定出日干，日干法无从推算")};

constexpr StepLabel kNz2Branch{
    "nazhi2.branch",
    VELUNAR_TR("step", "纳支法2看时支：{1}时气血流注于{2}经（《针灸大成》十二经纳地支歌：“{3}”）")};
constexpr StepLabel kNz2Result{"nazhi2.result",
                               VELUNAR_TR("step", "纳支法2：{1}经，列出经络表中{1}经的腧穴共{2}个")};
constexpr StepLabel kNz2NoHour{"nazhi2.noHour", VELUNAR_TR("step", "尚未定出时辰，纳支法2无从推算")};

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

    std::string_view ReportHeading() const override { return VELUNAR_TR("heading", "时干法："); }
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

  protected:
    Finding Work(const Moment& m, const ReferenceTables& t, Why why) const override {
        const std::string_view meridian = ShiGanMeridian(m);
        const TransportRow* found = t.Transport(meridian);
        const TransportRow row = found ? *found : TransportRow{};
        Finding f;
        f.cells = {{"meridian", "经络", row.meridian},
                   {"well", "井", row.well},
                   {"spring", "荥", row.spring},
                   {"stream", "俞", row.stream},
                   {"river", "经", row.river},
                   {"sea", "合", row.sea},
                   {"source", "原", row.source, !row.source.empty()}};
        if (!why.Wanted()) return f;
        if (meridian.empty()) {
            Result(why, kSgNoHour, f, meridian);
            return f;
        }
        why(kSgStem, velunar::Name(m.hourStem), meridian, StemMeridianVerse(Number(m.hourStem)));
        if (!found) {
            Result(why, kSgMissing, f, meridian);
            return f;
        }
        why(kSgPoints, meridian);
        Result(why, row.source.empty() ? kSgResult : kSgResultSource, f, meridian);
        return f;
    }

  private:
    // The last step names the seven shown values, then the meridian looked up.
    static void Result(Why why, const StepLabel& label, const Finding& f, std::string_view meridian) {
        why(label, f.Text("meridian"), f.Text("well"), f.Text("spring"), f.Text("stream"), f.Text("river"),
            f.Text("sea"), f.Text("source"), meridian);
    }
};

struct ListSteps {
    const StepLabel& none;    // nothing to name the meridian by yet
    const StepLabel& by;      // the stem or branch, its meridian and the verse that pairs them
    const StepLabel& result;  // the meridian and how many points its list holds
};

// A meridian's whole list of points, named by a stem or a branch (`by`).
Finding ListOf(std::string_view meridian, const ReferenceTables& t, Why why, const ListSteps& steps,
               std::string_view by, std::string_view verse) {
    Finding f;
    f.cells = {{"meridian", "meridian", std::string(meridian)}};
    f.points = t.PointsOf(meridian);
    if (!why.Wanted()) return f;
    if (meridian.empty()) {
        why(steps.none, f.Text("meridian"));
        return f;
    }
    why(steps.by, by, meridian, verse);
    why(steps.result, f.Text("meridian"), f.points->size());
    return f;
}

class RiGan final : public Doctrine {
  public:
    DoctrineId Id() const override { return DoctrineId::RiGan; }
    std::string_view Name() const override { return "riGan"; }
    std::string_view Key() const override { return "rigan"; }
    std::string_view ReportHeading() const override { return VELUNAR_TR("heading", "日干法："); }
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

  protected:
    Finding Work(const Moment& m, const ReferenceTables& t, Why why) const override {
        const int stem = Number(m.dayStem);
        return ListOf(ShortMeridianOfStem(stem), t, why, {kRgNoDay, kRgStem, kRgResult},
                      velunar::Name(m.dayStem), StemMeridianVerse(stem));
    }
};

class NaZhi2 final : public Doctrine {
  public:
    DoctrineId Id() const override { return DoctrineId::NaZhi2; }
    std::string_view Name() const override { return "naZhi2"; }
    std::string_view Key() const override { return "nazhi2"; }
    std::string_view ReportHeading() const override { return VELUNAR_TR("heading", "纳支法2："); }
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

  protected:
    Finding Work(const Moment& m, const ReferenceTables& t, Why why) const override {
        const int branch = Number(m.hourBranch);
        return ListOf(MeridianOfBranch(branch), t, why, {kNz2NoHour, kNz2Branch, kNz2Result},
                      velunar::Name(m.hourBranch), BranchMeridianVerse(branch));
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
