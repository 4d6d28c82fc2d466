#pragma once
// The reference tables every doctrine reads must be complete: a missing or misspelt row gives blank
// columns, not an error, at the moment it is needed. This check finds such a row before anything is shown.
#include <string>
#include <vector>

namespace velunar::store {

class Database;

// One message per incomplete table (UTF-8, no command prefix), naming the table, the rows it should have,
// the rows it has and the keys that are missing, misspelt or doubled. Empty when every table is complete:
//   天干表  one row for each day stem 甲乙丙丁戊已庚辛壬癸 (实际日) × branch 子..亥 (last character of
//   实际时辰); 地支表  one row for each branch (时辰); 补穴表  one row for each closed (经脉 = 闭) row of
//   天干表, by the same 实际日 and 实际时辰; 五俞穴  one row for each of the twelve long meridian names (胆经
//   …); 经络表  at least one point for each of the twelve short meridian names (胆 …).
// Throws StoreError when the tables cannot be read.
std::vector<std::string> CheckReferenceTables(Database& db);

}  // namespace velunar::store
