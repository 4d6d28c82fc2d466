#pragma once
// Every doctrine at one moment, in the order of the tick, as the pages show them on a first tick
// (both point lists freshly loaded). For one-shot callers: the command line and the checks that tie
// the pieces together. The main window runs the steps one by one instead, keeping their state.
#include <optional>

#include "calendar/moment.h"
#include "methods/eight_methods.h"
#include "methods/table_steps.h"

namespace velunar {

struct DoctrineReport {
    NaZhiView naZhi;
    NaGanView naGan;
    std::optional<SupplementaryView> supplementary;  // only in a closed hour
    std::optional<ConfluentOpening> lingGui;         // nullopt while the hour is undefined
    std::optional<ConfluentOpening> feiTeng;
    ShiGanView shiGan;
    MeridianList dayList;   // 日干法
    MeridianList hourList;  // 纳支法2
};

DoctrineReport EvaluateDoctrines(const Moment& m, MethodTables& tables);

}  // namespace velunar
