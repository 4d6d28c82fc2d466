#pragma once
// The 子午流注 dial as values: twelve sectors, one per double-hour of the day in front, and a centre with
// what opens now. The painter draws only what is here, so the picture, the pages and `velunar-cli now` can be
// compared value by value.
#include <array>
#include <cstdint>
#include <optional>
#include <string>

#include "methods/clock_span.h"
#include "methods/meridians.h"
#include "methods/pipeline.h"

namespace velunar {

// The phase of a meridian in the short spelling of 经络表 (胆, 小肠, 心包 …); None for any other text.
Phase PhaseOfMeridian(std::string_view meridian);

// What the doctrines open in one double-hour, as `now` reports it.
struct DialPoints {
    std::string hourGanZhi;
    bool closed = false;        // 纳干法 says 闭
    std::string naGan;          // the 纳干法 point, "" when closed
    std::string supplementary;  // the 补穴 of a closed hour, "" otherwise
    std::string naZhi;          // 纳支法 本穴
    std::string lingGui, lingGuiPartner;
    std::string feiTeng, feiTengPartner;

    bool operator==(const DialPoints&) const = default;
};

struct DialSector {
    Branch branch = Branch::None;
    std::optional<ClockSpan> span;  // on the clock of the user's place; none when it cannot be worked out
    std::string meridian;           // 纳支法: the meridian flowing in this double-hour
    Phase phase = Phase::None;
    double startAngle = 0.0;  // degrees clockwise from the top, where true solar midnight is
    DialPoints points;
};

struct DialModel {
    std::int64_t day = 0;  // the day whose twelve double-hours the ring shows
    std::array<DialSector, 12> sectors;
    int current = -1;  // the sector of the present double-hour, -1 when there is none
    std::string dayGanZhi;
    DialPoints centre;                  // what opens now
    std::optional<double> handAngle;    // true solar time, degrees clockwise from the top
    std::optional<DateTime> solarTime;  // the time the hand shows
    std::string lunar;                  // "冬月初一 · 人神在足大趾": the lunar day and, when shown, its 人神

    // The sector under an angle (degrees clockwise from the top), 0..11.
    int SectorAt(double angle) const;
};

// What `view`'s doctrines open, in the dial's terms.
DialPoints PointsOf(const TickView& view);
DialPoints PointsOf(const Moment& m, const ReferenceTables& t);

// The dial of one tick: `place` is the tick's input (page, mode, longitudes, zone) and `view` what it showed.
DialModel BuildDial(const TickInput& place, const TickView& view, const ReferenceTables& t);

// The rings alone (sectors and day) for `day` under `place`; BuildDial fills the centre and hand on top.
// Running it is the costly part (a time step per span), so callers keep it while the day stays the same.
DialModel BuildDialRings(const TickInput& place, std::int64_t day, const ReferenceTables& t);

// The rings of the view's day (from BuildDialRings) completed with the view's centre, present double-hour and
// hand.
DialModel CompleteDial(DialModel rings, const TickView& view);

// The dial with its stem-branch texts written in the spelling asked for.
DialModel SpelledDial(DialModel dial, SixthStem spelling);

// The day whose ring holds a Moment: the 子 double-hour opens the day at 23:00 (00:00 in 以0-2时为子时).
std::int64_t DialDayOf(const Moment& m);

}  // namespace velunar
