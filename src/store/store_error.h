#pragma once
// The one error type of the store. Every failing store operation throws it; nothing in the store reports
// failure through a return value, so a caller never mistakes a failure for an empty result.
#include <stdexcept>
#include <string>

namespace velunar::store {

enum class StoreErrorKind {
    Missing,      // the database file does not exist
    Empty,        // the file has no bytes or none of the program's tables
    Corrupt,      // the file is not an SQLite database, or a table is missing
    Unreadable,   // the file cannot be opened or read (permissions, not a regular file)
    NotOpen,      // an operation on a closed connection or record
    Sql,          // the database refused a statement (constraint, syntax); message is the driver's
    Busy,         // another program held the database locked for longer than the busy timeout
    ReadOnly,     // the database file may not be written and could not be made writable
    NoRow,        // an operation on a row that does not exist
    BadArgument,  // unknown column, wrong number of values
    Encoding,     // text that GBK cannot hold, or GBK support missing
    File,         // a text file could not be read or written
};

class StoreError : public std::runtime_error {
  public:
    // message: UTF-8, complete and ready to show (it names the path and the cause where there is one).
    StoreError(StoreErrorKind kind, const std::string& message) : std::runtime_error(message), kind_(kind) {}
    StoreErrorKind kind() const noexcept { return kind_; }

  private:
    StoreErrorKind kind_;
};

}  // namespace velunar::store
