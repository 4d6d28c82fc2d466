#pragma once
// The opening schedule of the 纳干法 (徐氏) worked out from its rules, as the shipped 天干表 and 补穴表 were:
// each day stem's meridian opens its well point at the day's own hour, then every other hour the next
// meridian of the same polarity opens the next transport point (经生经, 穴生穴), the stream point brings
// back the day meridian's source (返本还原), and when the day stem returns the qi or blood is lodged in
// 三焦 or 心包.
//
// Hours are counted 0..119 over the ten days: hour h lies on day h / 12 (0 甲 … 9 癸), its branch is h % 12
// and its stem h % 10, which is the five-rat rule of the hour stems.
#include <array>
#include <optional>
#include <string>
#include <string_view>

#include "calendar/ganzhi.h"
#include "methods/meridians.h"

namespace velunar {

inline constexpr int kNaGanHours = 120;
// Position of an opening in its day's schedule: 0..4 the five transport points, 5 the lodging.
inline constexpr int kLodgedPosition = 5;

struct NaGanOpening {
    int hour = 0;      // 0..119
    int cycleDay = 0;  // 0..9: the day stem (甲 … 癸) whose schedule this is
    int position = 0;  // 0..5
    const MeridianFacts* meridian = nullptr;
    int category = 0;  // 井 荥 俞 经 合 as 0..4
    std::string_view point;
    std::string_view source;       // 过原: with the stream point, the day meridian's source
    std::string_view extraSource;  // 兼过原穴: 三焦's source on 壬 days, 心包's on 癸 days
};

// The hour of (day stem, branch); none for an invalid stem or branch.
std::optional<int> NaGanHour(Stem day, Branch hour);
// "甲戌": the stem and branch of an hour.
std::string HourGanZhiOf(int hour);
// The meridian of a stem (0..9), short form.
const MeridianFacts& StemMeridian(int stem);

// The hour a day's schedule opens its well point: 阳进阴退 puts day d at hour stem d and the branch one place
// back each day (甲戌, 乙酉 … 壬寅); the 癸 day opens at 癸亥, the last hour of the cycle.
int WellHour(int day);
// The six openings of a day's schedule, in hour order.
std::array<NaGanOpening, 6> ScheduleOf(int day);
// What opens in an hour, if anything.
std::optional<NaGanOpening> OpeningAt(int hour);
// The day whose schedule runs at an hour (eleven hours from its well hour to its lodging); none for the ten
// closed hours of the 癸 day between 壬's lodging at 壬子 and 癸's well at 癸亥.
std::optional<int> RunningCycle(int hour);
// The meridian on duty at an hour (值日经): the running schedule's day meridian, else the 癸 day's own.
const MeridianFacts& DutyMeridian(int hour);

}  // namespace velunar
