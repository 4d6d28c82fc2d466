#pragma once
// The connection to db1.sqlite through Qt SQL's QSQLITE driver. Every failure throws StoreError (see
// store_error.h) with a message that is complete and ready to show.
//
// Statements are prepared once per connection, on first use, and re-executed; PrepareCount() lets a
// benchmark check that a tick prepares nothing after the first.
#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include <QString>
#include <QVariant>

class QSqlQuery;

#include "store/catalogue.h"
#include "store/row.h"
#include "store/store_error.h"

namespace velunar::store {

// How long a statement waits, by default, for another program (a second running copy) that holds a lock.
inline constexpr int kBusyTimeoutMs = 10000;

// True for the message of a statement refused because another program held a lock (StoreErrorKind::Busy), as
// it reaches a caller that has only the text (a tick's failure).
bool IsLockedMessage(std::string_view message);

class Database {
  public:
    // connectionName: the Qt SQL connection name; two Database objects need two names (Open refuses a
    // name that another open connection uses).
    explicit Database(QString connectionName = QStringLiteral("velunar"));
    ~Database();
    Database(const Database&) = delete;
    Database& operator=(const Database&) = delete;

    // Opens the file by its path (bytes as PathFromNative gives them), changing nothing about it: a file
    // without its owner's write permission is opened read-only. Throws StoreError Missing / Empty /
    // Corrupt / Unreadable (also for anything that is not a regular file, refused before it is opened) /
    // Busy (another program holds a lock) naming the path and the cause; never creates a file. Closes an
    // open connection first.
    void Open(const QString& path);
    void Close();
    // Close and open the same file again (the main window does this when first shown).
    void Reopen();
    bool IsOpen() const;
    const QString& Path() const { return path_; }

    // How long a statement waits for a lock another program holds: at once on an open connection, and at
    // every later Open. A retry that must not hold the window up waits 0 ms.
    void SetBusyTimeout(int milliseconds);
    int BusyTimeout() const { return busyTimeoutMs_; }
    // True while the connection is read-only because the file lacked its owner's write permission.
    bool IsReadOnly() const { return readOnly_; }
    // Called by every writer just before it writes (the row operations below do it themselves): a file
    // opened read-only gets its owner's write permission and the connection is reopened read-write, in
    // place, under the same connection name. Returns true when it changed the file's mode, after telling
    // the writable notice. Throws ReadOnly when the mode cannot be changed, NotOpen when closed.
    bool EnsureWritable();
    // Told, with the message to show, each time EnsureWritable changes the file's mode.
    void SetWritableNotice(std::function<void(const std::string&)> notice) {
        writableNotice_ = std::move(notice);
    }

    // Runs a catalogue query with its values (UTF-8) and returns all rows in order. Throws NotOpen,
    // BadArgument (wrong number of values) or Sql.
    Result Run(QueryId id, const std::vector<std::string>& values = {});
    // The first row, or nothing when none matches.
    std::optional<Row> First(QueryId id, const std::vector<std::string>& values = {});
    // Runs a catalogue statement that changes rows (after EnsureWritable); returns how many it changed.
    int Execute(QueryId id, const std::vector<std::string>& values = {});

    // Generic row operations of the editable tables (穴位说明 and xxyy mostly). Rows are addressed by
    // their rowid (Row::Key()). Unknown columns throw BadArgument; a refused write throws Sql with the
    // database's own message (a duplicate 穴位 says "UNIQUE constraint failed: 穴位说明.穴位").
    Result SelectAll(Table table);
    std::int64_t RowCount(Table table);
    // Inserts a row with the given columns (the others stay NULL); returns its rowid.
    std::int64_t Append(Table table, const Row& values);
    // Sets the given columns of one row in one UPDATE. Throws NoRow when no row has that rowid.
    void Update(Table table, std::int64_t rowid, const Row& values);
    void SetColumn(Table table, std::int64_t rowid, std::string_view column, std::string_view value);
    // Throws NoRow when no row has that rowid.
    void Delete(Table table, std::int64_t rowid);
    // The first row (in stored order) whose column equals text exactly.
    std::optional<Row> Locate(Table table, std::string_view column, std::string_view text);

    // Statements prepared on this connection since it was created (reopening prepares anew).
    int PrepareCount() const { return prepareCount_; }

  private:
    struct Impl;
    struct Outcome {
        Result result;
        int changed = 0;
        std::int64_t insertedRowid = 0;
    };
    Outcome RunSql(const std::string& sql, const QVariantList& values);
    QSqlQuery& Statement(const std::string& sql);
    void CheckOpen() const;
    void VerifySchema();
    // Before every write: the file made writable, and the settings columns of later releases that an older
    // file lacks added (until then they read as empty, the defaults), and the tables of later releases
    // (catalogue.h's LaterTablesSql) created.
    void PrepareForWrite();
    bool laterColumnsAdded_ = false;

    QString connectionName_;
    QString path_;
    std::unique_ptr<Impl> impl_;
    int prepareCount_ = 0;
    int busyTimeoutMs_ = kBusyTimeoutMs;
    bool readOnly_ = false;
    std::function<void(const std::string&)> writableNotice_;
};

}  // namespace velunar::store
