#include "methods/nagan_schedule.h"

#include "methods/doctrine_tables.h"

namespace velunar {
namespace {

constexpr int kRen = 8;
constexpr int kGui = 9;
constexpr int kXu = 10;   // 戌, 0-based
constexpr int kHai = 11;  // 亥

int Wrap(int hour) {
    return ((hour % kNaGanHours) + kNaGanHours) % kNaGanHours;
}

// 经生经: the stem meridian of the same polarity whose phase the given one generates.
const MeridianFacts& NextMeridian(const MeridianFacts& m) {
    for (int stem = 0; stem < 10; ++stem) {
        const MeridianFacts& c = StemMeridian(stem);
        if (c.yin == m.yin && c.phase == Child(m.phase)) return c;
    }
    return m;  // unreachable: the ten stems hold each phase once yin and once yang
}

}  // namespace

std::optional<int> NaGanHour(Stem day, Branch hour) {
    if (day == Stem::None || hour == Branch::None) return std::nullopt;
    return 12 * (Number(day) - 1) + Number(hour) - 1;
}

std::string HourGanZhiOf(int hour) {
    const int h = Wrap(hour);
    return StemName(h % 10 + 1) + BranchName(h % 12 + 1);
}

const MeridianFacts& StemMeridian(int stem) {
    return *MeridianNamed(ShortMeridianOfStem(stem + 1));
}

int WellHour(int day) {
    if (day == kGui) return 12 * kGui + kHai;
    return 12 * day + ((kXu - day) % 12 + 12) % 12;
}

std::array<NaGanOpening, 6> ScheduleOf(int day) {
    std::array<NaGanOpening, 6> s{};
    const MeridianFacts& own = StemMeridian(day);
    const MeridianFacts* meridian = &own;
    int hour = WellHour(day);
    for (int c = 0; c < kTransportCategories; ++c) {
        NaGanOpening& o = s[static_cast<std::size_t>(c)];
        o = {Wrap(hour), day, c, meridian, c, meridian->transport[static_cast<std::size_t>(c)], {}, {}};
        if (c == 2) {
            o.source = own.source;
            // 三焦 is lodged with 壬, 心包 with 癸: their sources pass with the day's.
            if (day == kRen) o.extraSource = MeridianNamed("三焦")->source;
            if (day == kGui) o.extraSource = MeridianNamed("心包")->source;
        }
        hour += 2;
        meridian = &NextMeridian(*meridian);
    }
    // 日干重见, ten hours after the well: a yang day lodges the qi in 三焦 at the point whose phase generates
    // the day's (他生我), a yin day the blood in 心包 at the point the day's phase generates (我生他).
    const MeridianFacts& lodged = *MeridianNamed(own.yin ? "心包" : "三焦");
    const int category = CategoryOfPhase(lodged, own.yin ? Child(own.phase) : Mother(own.phase));
    s[kLodgedPosition] = {Wrap(WellHour(day) + 10),
                          day,
                          kLodgedPosition,
                          &lodged,
                          category,
                          lodged.transport[static_cast<std::size_t>(category)],
                          {},
                          {}};
    return s;
}

std::optional<NaGanOpening> OpeningAt(int hour) {
    const int h = Wrap(hour);
    for (int day = 0; day < 10; ++day)
        for (const NaGanOpening& o : ScheduleOf(day))
            if (o.hour == h) return o;
    return std::nullopt;
}

std::optional<int> RunningCycle(int hour) {
    for (int day = 0; day < 10; ++day)
        if (Wrap(hour - WellHour(day)) <= 10) return day;
    return std::nullopt;
}

const MeridianFacts& DutyMeridian(int hour) {
    return StemMeridian(RunningCycle(hour).value_or(kGui));
}

}  // namespace velunar
