// The two eight-method doctrines of the confluent points (灵龟八法, 飞腾八法): pure arithmetic on the Moment.
// Both read the Moment's hour stem, so the late-Zi rule of the time mode acts on the hour stem only; the day
// stem, its yin or yang and the day branch stay the Moment's own.
#include "methods/doctrine.h"
#include "methods/doctrine_tables.h"

namespace velunar {
namespace {

// The opened point and its partner; no texts at all while there is no double-hour.
Finding Opening(std::string_view point) {
    Finding f;
    std::optional<std::string> p, q;
    if (!point.empty()) p = std::string(point), q = std::string(Partner(point));
    f.cells = {{"point", "point", p}, {"partner", "partner", q}};
    return f;
}

class EightMethod : public Doctrine {
  public:
    std::span<const std::string_view> ScheduleTitles() const override { return titles_; }
    void ScheduleCells(const Moment&, const Finding& f, std::vector<std::string>& out) const override {
        out.push_back(f.Text("point"));
        out.push_back(f.Text("partner"));
    }
    Finding At(const Moment& m, const ReferenceTables&) const override { return Opening(PointAt(m)); }
    void OpeningsOn(std::int64_t day, std::string_view point, const ReferenceTables&,
                    std::vector<std::string>& tails) const override {
        ForEachDoubleHour(day, [&](const Moment& m) {
            const std::string_view opened = PointAt(m);
            const std::string_view hourStem = withStem_ ? velunar::Name(m.hourStem) : std::string_view();
            if (opened == point)
                tails.push_back(Tail({hourStem, velunar::Name(m.hourBranch), "时，", role_, "穴位="}, point));
            if (Partner(opened) == point)
                tails.push_back(Tail({hourStem, velunar::Name(m.hourBranch), "时，", role_, "配穴="}, point));
        });
    }

  protected:
    EightMethod(std::span<const std::string_view> titles, std::string_view role, bool withStem)
        : titles_(titles), role_(role), withStem_(withStem) {}
    // Empty while the hour is undefined.
    virtual std::string_view PointAt(const Moment& m) const = 0;

  private:
    std::span<const std::string_view> titles_;
    std::string_view role_;  // how the report names it: 灵龟 / 飞腾
    bool withStem_;          // the report dates a 飞腾 hit by its hour stem too
};

constexpr std::string_view kLingGuiTitles[] = {"灵龟穴位", "灵龟配穴"};
constexpr std::string_view kFeiTengTitles[] = {"飞腾穴位", "飞腾配穴"};

class LingGui final : public EightMethod {
  public:
    LingGui() : EightMethod(kLingGuiTitles, "灵龟", false) {}
    DoctrineId Id() const override { return DoctrineId::LingGui; }
    std::string_view Name() const override { return "lingGui"; }
    std::string_view Key() const override { return "linggui"; }
    std::string_view ReportHeading() const override { return "灵龟八法："; }
    int ReportRank() const override { return 2; }

  protected:
    std::string_view PointAt(const Moment& m) const override {
        if (m.hourBranch == Branch::None) return {};
        return LingGuiPoint(Number(m.dayStem), Number(m.dayBranch), Number(m.hourStem), Number(m.hourBranch));
    }
};

class FeiTeng final : public EightMethod {
  public:
    FeiTeng() : EightMethod(kFeiTengTitles, "飞腾", true) {}
    DoctrineId Id() const override { return DoctrineId::FeiTeng; }
    std::string_view Name() const override { return "feiTeng"; }
    std::string_view Key() const override { return "feiteng"; }
    std::string_view ReportHeading() const override { return "飞腾八法："; }
    int ReportRank() const override { return 3; }

  protected:
    std::string_view PointAt(const Moment& m) const override {
        if (m.hourBranch == Branch::None) return {};
        return FeiTengPoint(Number(m.hourStem));
    }
};

}  // namespace

const Doctrine& LingGuiDoctrine() {
    static const LingGui d;
    return d;
}

const Doctrine& FeiTengDoctrine() {
    static const FeiTeng d;
    return d;
}

}  // namespace velunar
