#include "methods/dial.h"

#include <cmath>
#include <utility>

#include "methods/doctrine_tables.h"
#include "methods/hour_span.h"

namespace velunar {
namespace {

double Normalised(double degrees) {
    const double d = std::fmod(degrees, 360.0);
    return d < 0 ? d + 360.0 : d;
}

double FractionOfDay(DateTime t) {
    return static_cast<double>(SplitDateTime(t).msOfDay) / static_cast<double>(kMsPerDay);
}

const Finding& Find(const std::vector<DoctrineFinding>& findings, DoctrineId id) {
    for (const DoctrineFinding& f : findings)
        if (f.doctrine->Id() == id) return f.finding;
    static const Finding kNone{false, {}, {}, {}};
    return kNone;
}

DialPoints PointsFrom(const std::vector<DoctrineFinding>& findings, std::string hourGanZhi) {
    DialPoints p;
    p.hourGanZhi = std::move(hourGanZhi);
    const Finding& naGan = Find(findings, DoctrineId::NaGan);
    p.closed = naGan.closed.value_or(false);
    if (!p.closed) p.naGan = naGan.Text("point");
    const Finding& sup = Find(findings, DoctrineId::Supplementary);
    if (sup.applies) p.supplementary = sup.Text("point");
    p.naZhi = Find(findings, DoctrineId::NaZhi).Text("ownPoint");
    const Finding& lingGui = Find(findings, DoctrineId::LingGui);
    p.lingGui = lingGui.Text("point");
    p.lingGuiPartner = lingGui.Text("partner");
    const Finding& feiTeng = Find(findings, DoctrineId::FeiTeng);
    p.feiTeng = feiTeng.Text("point");
    p.feiTengPartner = feiTeng.Text("partner");
    return p;
}

}  // namespace

Phase PhaseOfMeridian(std::string_view meridian) {
    const MeridianFacts* m = MeridianNamed(meridian);
    return m ? m->phase : Phase::None;
}

int DialModel::SectorAt(double angle) const {
    const double a = Normalised(angle);
    for (int i = 0; i < 12; ++i)
        if (Normalised(a - sectors[i].startAngle) < 30.0) return i;
    return 0;
}

DialPoints PointsOf(const TickView& view) {
    return PointsFrom(view.findings, view.hourGanZhi);
}

DialPoints PointsOf(const Moment& m, const ReferenceTables& t) {
    std::vector<DoctrineFinding> findings;
    for (const Doctrine* d : Doctrines()) findings.push_back({d, d->At(m, t)});
    return PointsFrom(findings, HourGanZhi(m));
}

std::int64_t DialDayOf(const Moment& m) {
    return DayOfDoubleHour(m);
}

DialModel BuildDialRings(const TickInput& place, std::int64_t day, const ReferenceTables& t) {
    DialModel d;
    d.day = day;
    const TimeMode mode = place.timeMode.value_or(TimeMode::NoNightRat);
    ClockSpanWalker spans(place);
    for (int i = 0; i < 12; ++i) {
        DialSector& s = d.sectors[i];
        s.branch = BranchAt(i + 1);
        s.meridian = std::string(MeridianOfBranch(i + 1));
        s.phase = PhaseOfMeridian(s.meridian);
        s.startAngle = Normalised(FractionOfDay(DoubleHourStart(day, s.branch, mode)) * 360.0);
        s.span = spans.SpanOf(day, s.branch);
        // Each double-hour says what the tick says at its first second, so the ring agrees with the pages at
        // every moment inside it.
        Moment m;
        if (s.span) {
            TickInput in = place;
            in.hint = false;
            m = RunTick(in, Moment{}, [at = s.span->start] { return ClockReference::At(at); }).moment;
        }
        if (m.hourBranch != s.branch) m = DoubleHourMoment(day, s.branch);
        s.points = PointsOf(m, t);
    }
    return SpelledDial(std::move(d), place.sixthStem);
}

DialModel SpelledDial(DialModel dial, SixthStem spelling) {
    auto spell = [spelling](DialPoints& p) {
        for (std::string* text : {&p.hourGanZhi, &p.naGan, &p.supplementary, &p.naZhi, &p.lingGui,
                                  &p.lingGuiPartner, &p.feiTeng, &p.feiTengPartner})
            Spell(*text, spelling);
    };
    Spell(dial.dayGanZhi, spelling);
    spell(dial.centre);
    for (DialSector& s : dial.sectors) spell(s.points);
    return dial;
}

DialModel BuildDial(const TickInput& place, const TickView& view, const ReferenceTables& t) {
    return CompleteDial(BuildDialRings(place, DialDayOf(view.moment), t), view);
}

DialModel CompleteDial(DialModel d, const TickView& view) {
    d.dayGanZhi = view.dayGanZhi;
    d.centre = PointsOf(view);
    if (view.lunar.known)
        d.lunar = LunarMonthName(view.lunar.date.month, view.lunar.date.leap) +
                  LunarDayName(view.lunar.date.day) +
                  (view.lunar.day.place.empty() ? std::string() : " · 人神在" + view.lunar.day.place);
    const Moment& m = view.moment;
    if (m.hourBranch != Branch::None) {
        d.current = Number(m.hourBranch) - 1;
        // Under 区分夜子时早子时 the day stem changes at midnight inside 子: the ring shows what holds now.
        d.sectors[d.current].points = d.centre;
    }
    if (HasComputedTime(m) && m.hourBranch != Branch::None) {
        d.solarTime = m.effectiveTime;
        d.handAngle = FractionOfDay(m.effectiveTime) * 360.0;
    }
    return d;
}

}  // namespace velunar
