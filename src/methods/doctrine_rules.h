#pragma once
// The table-driven doctrines worked out from their rules: the rows 天干表, 补穴表 and 地支表 ought to hold.
// The pages show what the database holds (a user's older database may differ); these give the reasons, and
// a derivation notes where the database row does not follow from them. `why` records the steps.
#include "calendar/ganzhi.h"
#include "methods/derivation.h"
#include "methods/reference_tables.h"

namespace velunar {

// 纳干法（徐氏）: the 天干表 row of a day stem and double-hour ("闭" in 经脉 for a closed hour).
NaGanRow NaGanByRule(Stem day, Branch hour, Why why = Why());
// 纳干法补穴法: the 补穴表 row of a closed hour (合日互用, else the 一四二五三〇 rule); empty for an open
// hour.
SupplementaryRow SupplementaryByRule(Stem day, Branch hour, Why why = Why());
// 纳支法: the 地支表 row of a double-hour (tonify the mother, drain the child).
NaZhiRow NaZhiByRule(Branch hour, Why why = Why());

}  // namespace velunar
