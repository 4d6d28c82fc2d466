#pragma once
// A picked date as the core counts it: whole days of civil time, never through a time zone.
#include <cstdint>

#include <QDate>

#include "calendar/datetime.h"

namespace velunar::ui {

inline std::int64_t DayOf(const QDate& d) {
    return DaysFromCivil(d.year(), d.month(), d.day());
}

}  // namespace velunar::ui
