#pragma once
// The connection's own helpers (store/database.cpp only): the file checks before SQLite opens a file, the
// URI it opens, and the error texts of what went wrong.
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include <sys/types.h>

#include <QSqlDatabase>
#include <QSqlError>
#include <QString>
#include <QStringList>

#include "calendar/tr_mark.h"
#include "store/catalogue.h"
#include "store/store_error.h"

namespace velunar::store::detail {

std::string Utf8(const QString& text);
[[noreturn]] void Fail(StoreErrorKind kind, const QString& path, const QString& cause);
QString DatabaseMessage(const QSqlError& error);
QString SystemReason(int error);
// What a path names when it is not a plain file; nothing for a plain file.
std::optional<QString> NotAFile(mode_t mode);
// Throws StoreError for a file SQLite must not be given; returns whether the owner may write it.
bool CheckFile(const QString& path);
QString OpenUri(const QString& path, bool readOnly);
[[noreturn]] void FailSchemaRead(const QSqlError& error, const QString& path, int timeoutMs);
// While opening, a failure is a failed open (FailSchemaRead); before a write (`opened`), a failed statement.
QStringList ColumnsOf(const QSqlDatabase& db, Table table, const QString& path, int timeoutMs,
                      bool opened = false);
int PrimaryCode(const QSqlError& error);
bool IsBusy(const QSqlError& error);
// How every message about another program's lock begins.
inline constexpr const char* kLockedPhrase = VELUNAR_TR("store", "数据库正被其他程序锁定");
QString LockedText(int timeoutMs, const QSqlError& error);
StoreError SqlError(const QSqlError& error, int timeoutMs);
StoreError NoRow(Table table, std::int64_t rowid);

// Columns xxyy gained after the first release, in the order they were added; an empty value reads as the
// setting's default, so a file without them still opens.
inline constexpr std::string_view kLaterSettingsColumns[] = {
    "eot", "tzid", "chinadst", "sixthstem", "renshen", "renshensrc", "lang", "pointnames"};
bool IsLaterSettingsColumn(Table table, std::string_view column);

}  // namespace velunar::store::detail
