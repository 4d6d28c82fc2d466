#include "store/database.h"

#include <cctype>
#include <cerrno>
#include <cstring>
#include <optional>
#include <unordered_map>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <sqlite3.h>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSqlDatabase>
#include <QSqlDriver>
#include <QSqlError>
#include <QSqlQuery>
#include <QSqlRecord>

#include "store/database_checks.h"
#include "store/nativepath.h"
#include "store/translation.h"

namespace velunar::store {
namespace {

using namespace detail;

// Rows of an executed select. A column named rowid becomes the row's key instead of a field.
Result ReadRows(QSqlQuery& query, int timeoutMs) {
    Result result;
    const QSqlRecord record = query.record();
    int keyIndex = -1;
    for (int i = 0; i < record.count(); ++i) {
        const QString name = record.fieldName(i);
        if (keyIndex < 0 && name.compare(QStringLiteral("rowid"), Qt::CaseInsensitive) == 0) {
            keyIndex = i;
            continue;
        }
        result.columns.push_back(Utf8(name));
    }
    while (query.next()) {
        Row row;
        std::size_t column = 0;
        for (int i = 0; i < record.count(); ++i) {
            const QVariant value = query.value(i);
            if (i == keyIndex) {
                row.SetKey(value.toLongLong());
                continue;
            }
            row.Set(result.columns[column++], value.isNull() ? std::string() : Utf8(value.toString()));
        }
        result.rows.push_back(std::move(row));
    }
    if (query.lastError().isValid()) throw SqlError(query.lastError(), timeoutMs);
    return result;
}

QVariantList TextValues(const std::vector<std::string>& values) {
    QVariantList list;
    list.reserve(static_cast<qsizetype>(values.size()));
    for (const auto& value : values) list.append(QString::fromStdString(value));
    return list;
}

QVariantList FieldValues(const Row& row) {
    QVariantList list;
    for (const auto& [column, value] : row.Fields())
        list.append(row.IsNull(column) ? QVariant() : QVariant(QString::fromStdString(value)));
    return list;
}

// The caller's values placed on the query's placeholders.
QVariantList BindValues(QueryId id, const std::vector<std::string>& values) {
    const QuerySpec& query = Query(id);
    if (static_cast<int>(values.size()) != query.arguments) {
        throw StoreError(
            StoreErrorKind::BadArgument,
            Filled(Translated("store", "{1} 需要 {2} 个值，得到 {3} 个"),
                   {query.name, std::to_string(query.arguments), std::to_string(values.size())}));
    }
    std::vector<std::string> bound;
    for (int index : query.bindOrder) bound.push_back(values[static_cast<std::size_t>(index)]);
    return TextValues(bound);
}

// The names of the file's tables; the error when they cannot be read.
std::optional<QSqlError> ReadTableNames(const QSqlDatabase& db, QStringList& names) {
    QSqlQuery query(db);
    if (!query.exec(QStringLiteral("select name from sqlite_master where type = 'table'")))
        return query.lastError();
    while (query.next()) names << query.value(0).toString();
    return std::nullopt;
}

}  // namespace

bool IsLockedMessage(std::string_view message) {
    // A message is made in the language in force when it was thrown, which may have changed since.
    return message.find(kLockedPhrase) != std::string_view::npos ||
           message.find(Translated("store", kLockedPhrase)) != std::string_view::npos;
}

struct Database::Impl {
    QSqlDatabase db;
    // Prepared statements of this connection, by SQL text.
    std::unordered_map<std::string, QSqlQuery> statements;
};

Database::Database(QString connectionName) : connectionName_(std::move(connectionName)) {}

Database::~Database() {
    Close();
}

bool Database::IsOpen() const {
    return impl_ && impl_->db.isOpen();
}

void Database::CheckOpen() const {
    if (!IsOpen()) throw StoreError(StoreErrorKind::NotOpen, Translated("store", "数据库没有打开"));
}

void Database::Open(const QString& path) {
    Close();
    if (path.isEmpty()) Fail(StoreErrorKind::Missing, path, TranslatedQ("store", "没有给出文件路径"));
    const bool readOnly = !CheckFile(path);

    // Qt would silently replace another object's connection of the same name.
    if (QSqlDatabase::contains(connectionName_)) {
        throw StoreError(
            StoreErrorKind::BadArgument,
            Utf8(TranslatedQ("store", "数据库连接名 %1 已被另一个连接使用").arg(connectionName_)));
    }
    auto impl = std::make_unique<Impl>();
    impl->db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), connectionName_);
    if (!impl->db.isValid()) {
        impl->db = QSqlDatabase();
        QSqlDatabase::removeDatabase(connectionName_);
        Fail(StoreErrorKind::Unreadable, path, TranslatedQ("store", "Qt 的 SQLite 驱动（QSQLITE）不可用"));
    }
    impl->db.setDatabaseName(OpenUri(path, readOnly));
    impl->db.setConnectOptions(
        QStringLiteral("QSQLITE_OPEN_URI;QSQLITE_BUSY_TIMEOUT=%1").arg(busyTimeoutMs_));
    path_ = path;
    readOnly_ = readOnly;
    laterColumnsAdded_ = false;
    impl_ = std::move(impl);
    if (!impl_->db.open()) {
        const QString cause = DatabaseMessage(impl_->db.lastError());
        Close();
        Fail(StoreErrorKind::Unreadable, path, cause);
    }
    try {
        VerifySchema();
    } catch (...) {
        Close();
        throw;
    }
}

void Database::SetBusyTimeout(int milliseconds) {
    busyTimeoutMs_ = milliseconds;
    if (!IsOpen()) return;
    // The driver's connect option is read at open only; its connection is SQLite's own (Debian's driver
    // links the system library), whose timeout can change at any time.
    const QVariant handle = impl_->db.driver()->handle();
    if (qstrcmp(handle.typeName(), "sqlite3*") != 0) return;
    if (sqlite3* native = *static_cast<sqlite3* const*>(handle.constData()))
        sqlite3_busy_timeout(native, milliseconds);
}

void Database::VerifySchema() {
    QStringList names;
    if (auto error = ReadTableNames(impl_->db, names)) FailSchemaRead(*error, path_, busyTimeoutMs_);
    if (names.isEmpty()) Fail(StoreErrorKind::Empty, path_, TranslatedQ("store", "数据库里没有任何表"));
    for (Table table : kAllTables) {
        const QString name = QString::fromUtf8(TableName(table));
        if (!names.contains(name))
            Fail(StoreErrorKind::Corrupt, path_, TranslatedQ("store", "缺少表 %1").arg(name));
        const QStringList columns = ColumnsOf(impl_->db, table, path_, busyTimeoutMs_);
        for (std::string_view column : TableColumns(table)) {
            const QString c = QString::fromUtf8(column);
            if (!columns.contains(c) && !IsLaterSettingsColumn(table, column)) {
                Fail(StoreErrorKind::Corrupt, path_, TranslatedQ("store", "表 %1 缺少列 %2").arg(name, c));
            }
        }
    }
}

void Database::Close() {
    if (!impl_) return;
    impl_->statements.clear();  // statements must go before their connection
    impl_->db.close();
    impl_.reset();
    QSqlDatabase::removeDatabase(connectionName_);
}

void Database::PrepareForWrite() {
    EnsureWritable();
    if (laterColumnsAdded_) return;
    // An older file gets the settings columns of later releases when something is first written to it, never
    // by a command that only reads.
    // The file is open already: a lock held elsewhere is told as a write that waited, not as a failed open.
    const QStringList columns = ColumnsOf(impl_->db, Table::Settings, path_, busyTimeoutMs_, true);
    for (std::string_view column : kLaterSettingsColumns) {
        const QString c = QString::fromUtf8(column);
        if (columns.contains(c)) continue;
        QSqlQuery query(impl_->db);
        if (!query.exec(QStringLiteral("alter table xxyy add column %1 TEXT")
                            .arg(QString::fromStdString(QuoteIdentifier(column))))) {
            Fail(StoreErrorKind::Sql, path_,
                 TranslatedQ("store", "无法为设置表 xxyy 添加列 %1（%2）")
                     .arg(c, DatabaseMessage(query.lastError())));
        }
    }
    QStringList present;
    if (auto error = ReadTableNames(impl_->db, present)) throw SqlError(*error, busyTimeoutMs_);
    for (std::size_t i = 0; i < LaterTablesSql().size(); ++i) {
        if (present.contains(QString::fromUtf8(kLaterTableNames[i]))) continue;
        const std::string_view sql = LaterTablesSql()[i];
        QSqlQuery query(impl_->db);
        if (query.exec(QString::fromUtf8(sql.data(), static_cast<qsizetype>(sql.size())))) continue;
        // Another program holding the file is told as the lock it is, as any refused write.
        if (IsBusy(query.lastError())) throw SqlError(query.lastError(), busyTimeoutMs_);
        Fail(StoreErrorKind::Sql, path_,
             TranslatedQ("store", "无法添加表 %1（%2）")
                 .arg(QString::fromUtf8(kLaterTableNames[i]), DatabaseMessage(query.lastError())));
    }
    impl_->statements.clear();
    laterColumnsAdded_ = true;
}

bool Database::EnsureWritable() {
    CheckOpen();
    if (!readOnly_) return false;
    const QByteArray native = NativeFromPath(path_);
    struct stat st {};
    if (::stat(native.constData(), &st) != 0 ||
        ::chmod(native.constData(), (st.st_mode & 07777) | S_IWUSR) != 0) {
        throw StoreError(StoreErrorKind::ReadOnly,
                         Utf8(TranslatedQ("store", "数据库文件 %1 是只读的，无法改为可写（%2），修改没有保存")
                                  .arg(path_, SystemReason(errno))));
    }
    // Reopened in place: the Qt connection keeps its name, so a table model working on it carries on.
    impl_->statements.clear();
    impl_->db.close();
    impl_->db.setDatabaseName(OpenUri(path_, false));
    if (!impl_->db.open()) {
        const QString cause = DatabaseMessage(impl_->db.lastError());
        Close();
        Fail(StoreErrorKind::Unreadable, path_,
             TranslatedQ("store", "无法以可写方式重新打开（%1）").arg(cause));
    }
    readOnly_ = false;
    if (writableNotice_)
        writableNotice_(Utf8(TranslatedQ("store", "数据库文件原为只读，已改为可写：%1").arg(path_)));
    return true;
}

void Database::Reopen() {
    if (path_.isEmpty())
        throw StoreError(StoreErrorKind::NotOpen, Translated("store", "数据库从未打开过，无法重新打开"));
    const QString path = path_;
    Open(path);
}

QSqlQuery& Database::Statement(const std::string& sql) {
    auto found = impl_->statements.find(sql);
    if (found != impl_->statements.end()) return found->second;
    QSqlQuery query(impl_->db);
    query.setForwardOnly(true);
    ++prepareCount_;
    if (!query.prepare(QString::fromStdString(sql))) throw SqlError(query.lastError(), busyTimeoutMs_);
    return impl_->statements.emplace(sql, std::move(query)).first->second;
}

Database::Outcome Database::RunSql(const std::string& sql, const QVariantList& values) {
    CheckOpen();
    QSqlQuery& query = Statement(sql);
    for (qsizetype i = 0; i < values.size(); ++i) query.bindValue(static_cast<int>(i), values[i]);
    if (!query.exec()) {
        const QSqlError error = query.lastError();
        query.finish();
        throw SqlError(error, busyTimeoutMs_);
    }
    Outcome outcome;
    try {
        if (query.isSelect()) {
            outcome.result = ReadRows(query, busyTimeoutMs_);
        } else {
            outcome.changed = query.numRowsAffected();
            outcome.insertedRowid = query.lastInsertId().toLongLong();
        }
    } catch (...) {
        query.finish();
        throw;
    }
    // A finished statement holds no lock, so another copy of the program can write between ticks.
    query.finish();
    return outcome;
}

Result Database::Run(QueryId id, const std::vector<std::string>& values) {
    return RunSql(std::string(Query(id).sql), BindValues(id, values)).result;
}

std::optional<Row> Database::First(QueryId id, const std::vector<std::string>& values) {
    return Run(id, values).First();
}

int Database::Execute(QueryId id, const std::vector<std::string>& values) {
    const QVariantList bound = BindValues(id, values);
    PrepareForWrite();
    return RunSql(std::string(Query(id).sql), bound).changed;
}

Result Database::SelectAll(Table table) {
    return RunSql(SelectAllSql(table), {}).result;
}

std::int64_t Database::RowCount(Table table) {
    const Result result = RunSql(CountSql(table), {}).result;
    return result.rows.empty() ? 0 : std::stoll(result.rows.front().Fields().front().second);
}

std::int64_t Database::Append(Table table, const Row& values) {
    const std::string sql = AppendSql(table, values.Columns());
    PrepareForWrite();
    return RunSql(sql, FieldValues(values)).insertedRowid;
}

void Database::Update(Table table, std::int64_t rowid, const Row& values) {
    const std::string sql = UpdateSql(table, values.Columns());
    QVariantList bound = FieldValues(values);
    bound.append(QVariant::fromValue<qint64>(rowid));
    PrepareForWrite();
    if (RunSql(sql, bound).changed == 0) throw NoRow(table, rowid);
}

void Database::SetColumn(Table table, std::int64_t rowid, std::string_view column, std::string_view value) {
    Row row;
    row.Set(column, std::string(value));
    Update(table, rowid, row);
}

void Database::Delete(Table table, std::int64_t rowid) {
    PrepareForWrite();
    if (RunSql(DeleteSql(table), {QVariant::fromValue<qint64>(rowid)}).changed == 0)
        throw NoRow(table, rowid);
}

std::optional<Row> Database::Locate(Table table, std::string_view column, std::string_view text) {
    return RunSql(LocateSql(table, column), {QString::fromStdString(std::string(text))}).result.First();
}

}  // namespace velunar::store
