#pragma once
// The store's side of the doctrines: the reference tables read once into a snapshot, and the editable
// descriptions. The only way from the methods to the database.
#include <memory>

#include "methods/point_description.h"
#include "methods/reference_tables.h"
#include "store/database.h"
#include "store/datapaths.h"

namespace velunar::store {

// Reads 天干表, 补穴表, 地支表, 五俞穴 and 经络表 once, after checking that they are complete. Throws
// StoreError: for incomplete tables (Corrupt) one line per table, "数据库 PATH 的…".
std::shared_ptr<const ReferenceTables> LoadReferenceTables(Database& db);

// The reference tables the program runs on: the shipped database's once installed (each user's copy keeps
// only the user's own settings and descriptions up to date, so corrected tables reach every user), else
// those of `db`. Throws StoreError.
std::shared_ptr<const ReferenceTables> LoadReferenceTables(const DataPaths& paths, Database& db);

// Why a point the user typed is none the program knows (neither the reference tables nor the descriptions
// name it, in any spelling), with up to five close names; nothing for a known point. Throws StoreError.
std::optional<std::string> UnknownPointNote(const std::string& point, const ReferenceTables& tables,
                                            Database& db);

// A point as the user typed it, in any form PointIndex knows (simplified or traditional, pinyin, code): the
// name it stands for, or why it stands for none: the note of UnknownPointNote, or the points toneless pinyin
// shared by several could mean ("gongsun" names one; "zhongzhu" 中注 KI15 or 中渚 TE3). Throws StoreError.
struct TypedPoint {
    std::optional<std::string> name;
    std::string note;  // when there is no name
};
TypedPoint ResolvePoint(const std::string& typed, const ReferenceTables& tables, Database& db);
// The points of a list, each read as ResolvePoint reads it and replaced by its name, a point named twice
// (公孙 and SP4) kept once; or the note of the first that names none, the list then as it was. Throws
// StoreError.
std::optional<std::string> ResolvePoints(std::vector<std::string>& points, const ReferenceTables& tables,
                                         Database& db);

// 穴位说明 through the store; its errors come out as DescriptionError with the store's message.
class DatabaseDescriptions final : public DescriptionSource {
  public:
    explicit DatabaseDescriptions(Database& db) : db_(db) {}
    std::optional<DescriptionRow> Description(std::string_view point) override;
    void StorePicturePath(std::int64_t rowKey, std::string_view path) override;
    // A run that writes nothing (a read-only medium) shows the derived picture paths without storing them.
    void SetStoring(bool storing) { storing_ = storing; }

  private:
    Database& db_;
    bool storing_ = true;
};

}  // namespace velunar::store
