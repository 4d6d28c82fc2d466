#include "methods/doctrine.h"

#include <array>

#include "calendar/timemode.h"

namespace velunar {

// Each defined in its own file.
const Doctrine& NaGanDoctrine();
const Doctrine& SupplementaryDoctrine();
const Doctrine& NaZhiDoctrine();
const Doctrine& LingGuiDoctrine();
const Doctrine& FeiTengDoctrine();
const Doctrine& ShiGanDoctrine();
const Doctrine& RiGanDoctrine();
const Doctrine& NaZhi2Doctrine();

std::span<const Doctrine* const> Doctrines() {
    static const std::array<const Doctrine*, 8> kAll = {
        &NaGanDoctrine(),   &SupplementaryDoctrine(), &NaZhiDoctrine(), &LingGuiDoctrine(),
        &FeiTengDoctrine(), &ShiGanDoctrine(),        &RiGanDoctrine(), &NaZhi2Doctrine()};
    return kAll;
}

const Doctrine& DoctrineOf(DoctrineId id) {
    for (const Doctrine* d : Doctrines())
        if (d->Id() == id) return *d;
    return *Doctrines().front();
}

Derivation Doctrine::Explain(const Moment& m, const ReferenceTables& t) const {
    Derivation d;
    Work(m, t, Why(&d));
    return d;
}

std::string Finding::Text(std::string_view name) const {
    for (const Cell& c : cells)
        if (c.name == name) return c.text.value_or(std::string());
    return {};
}

Moment DoubleHourMoment(std::int64_t day, Branch branch) {
    Moment m;
    const auto date = static_cast<DateTime>(day);
    // 子 starts at 23:00 of the day before; every later double-hour at an odd hour of the day itself.
    m.effectiveTime = branch == Branch::Zi ? date - 1.0 / 24.0 : date + (2.0 * Number(branch) - 3.0) / 24.0;
    m.dayDate = date;
    m.dayStem = StemAt(DayStemNumber(date));
    m.dayBranch = BranchAt(DayBranchNumber(date));
    m.hourBranch = branch;
    m.timeMode = TimeMode::NoNightRat;
    m.hourStemBase = m.dayStem;
    m.hourStem = HourStemOf(m.dayStem, branch);
    return m;
}

std::string Tail(std::initializer_list<std::string_view> pieces, std::string_view point) {
    std::string tail;
    for (std::string_view p : pieces) tail.append(p);
    tail.append(point);
    return tail;
}

}  // namespace velunar
