#pragma once
// Plain rows handed from the store to the rest of the program: no Qt types, UTF-8 text only.
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace velunar::store {

// One row: column names in the query's order with their values as text. SQL NULL reads as "".
class Row {
  public:
    Row() = default;
    Row(std::initializer_list<std::pair<std::string, std::string>> fields);

    // Adds a column or replaces the value of an existing one.
    void Set(std::string_view column, std::string value);
    // Sets the column to "" and has a write store it as SQL NULL, which a NOT NULL column refuses.
    void SetNull(std::string_view column);
    bool IsNull(std::string_view column) const;
    bool Has(std::string_view column) const;
    // The column's text. Throws StoreError (BadArgument) for a column the row does not have, so a
    // misspelt column is an error and not a silently empty box.
    const std::string& Value(std::string_view column) const;

    const std::vector<std::pair<std::string, std::string>>& Fields() const { return fields_; }
    std::vector<std::string> Columns() const;
    bool Empty() const { return fields_.empty(); }

    // SQLite rowid of the row when the query selected it (column "rowid", kept out of Fields()); rows
    // that are edited later are addressed by it.
    std::optional<std::int64_t> Key() const { return key_; }
    void SetKey(std::optional<std::int64_t> key) { key_ = key; }

    bool operator==(const Row&) const = default;

  private:
    std::vector<std::pair<std::string, std::string>> fields_;
    std::optional<std::int64_t> key_;
    std::vector<std::string> nulls_;
};

// All rows of one query, in the order the query returned them.
struct Result {
    std::vector<std::string> columns;
    std::vector<Row> rows;

    bool Empty() const { return rows.empty(); }
    std::size_t Count() const { return rows.size(); }
    // The first row, or nothing when the query found no row.
    std::optional<Row> First() const;
    // What a box bound to the column shows: the first row's value, or "" when there is no row. Throws
    // StoreError (BadArgument) when the query has no such column.
    std::string FirstValue(std::string_view column) const;
    // One column of every row, in order (a point list).
    std::vector<std::string> Column(std::string_view column) const;
};

enum class Match { Exact, Prefix };

// Index of the first row whose column equals (or begins with) text; nothing when none does.
std::optional<std::size_t> Locate(const std::vector<Row>& rows, std::string_view column,
                                  std::string_view text, Match match = Match::Exact);

}  // namespace velunar::store
