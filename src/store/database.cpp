#include "store/database.h"

#include <algorithm>
#include <cctype>
#include <cerrno>
#include <cstring>
#include <optional>
#include <unordered_map>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSqlDatabase>
#include <QSqlError>
#include <QSqlQuery>
#include <QSqlRecord>

#include "store/nativepath.h"

namespace velunar::store {
namespace {

std::string Utf8(const QString& text) {
    return text.toStdString();
}

[[noreturn]] void Fail(StoreErrorKind kind, const QString& path, const QString& cause) {
    throw StoreError(kind, "无法打开数据库 " + Utf8(path) + "：" + Utf8(cause));
}

QString DatabaseMessage(const QSqlError& error) {
    const QString text = error.databaseText().isEmpty() ? error.text() : error.databaseText();
    return text.isEmpty() ? QStringLiteral("未知错误") : text;
}

QString SystemReason(int error) {
    return QString::fromLocal8Bit(std::strerror(error));
}

// What a path names when it is not a plain file: SQLite would block on a FIFO and read a device forever.
std::optional<QString> NotAFile(mode_t mode) {
    if (S_ISREG(mode)) return std::nullopt;
    if (S_ISDIR(mode)) return QStringLiteral("这是一个文件夹，不是数据库文件");
    if (S_ISFIFO(mode)) return QStringLiteral("这是一个命名管道（FIFO），不是数据库文件");
    if (S_ISSOCK(mode)) return QStringLiteral("这是一个套接字，不是数据库文件");
    if (S_ISCHR(mode) || S_ISBLK(mode)) return QStringLiteral("这是一个设备，不是数据库文件");
    return QStringLiteral("这不是普通文件，不是数据库文件");
}

// Checks the file before SQLite sees it: SQLite would create a missing file, and it opens anything and
// only complains at the first read. The type is checked before the file is opened, and again on the
// opened file, so that nothing here waits on a FIFO. Returns whether the owner may write the file.
bool CheckFile(const QString& path) {
    const QByteArray native = NativeFromPath(path);
    struct stat st {};
    if (::stat(native.constData(), &st) != 0) {
        const int error = errno;
        if (error == ENOENT) Fail(StoreErrorKind::Missing, path, QStringLiteral("文件不存在"));
        Fail(StoreErrorKind::Unreadable, path, QStringLiteral("文件无法读取（%1）").arg(SystemReason(error)));
    }
    if (const auto what = NotAFile(st.st_mode)) Fail(StoreErrorKind::Unreadable, path, *what);
    const int fd = ::open(native.constData(), O_RDONLY | O_NONBLOCK | O_CLOEXEC | O_NOCTTY);
    if (fd < 0) {
        Fail(StoreErrorKind::Unreadable, path, QStringLiteral("文件无法读取（%1）").arg(SystemReason(errno)));
    }
    char header[16];
    ssize_t got = -1;
    int error = 0;
    if (::fstat(fd, &st) != 0) {
        error = errno;
    } else if (S_ISREG(st.st_mode)) {
        do {
            got = ::read(fd, header, sizeof header);
        } while (got < 0 && errno == EINTR);
        if (got < 0) error = errno;
    }
    ::close(fd);
    if (const auto what = NotAFile(st.st_mode)) Fail(StoreErrorKind::Unreadable, path, *what);
    if (got < 0) {
        Fail(StoreErrorKind::Unreadable, path, QStringLiteral("文件无法读取（%1）").arg(SystemReason(error)));
    }
    if (got == 0) Fail(StoreErrorKind::Empty, path, QStringLiteral("文件是空的（0 字节）"));
    if (QByteArray(header, static_cast<qsizetype>(got)) != QByteArray("SQLite format 3\0", 16)) {
        Fail(StoreErrorKind::Corrupt, path, QStringLiteral("文件已损坏或不是 SQLite 数据库"));
    }
    return (st.st_mode & S_IWUSR) != 0;
}

// A file: URI, so that SQLite never creates the file (even if it vanished after the check) and opens
// a read-only file read-only. Built from the name's bytes: SQLite decodes them back byte for byte.
QString OpenUri(const QString& path, bool readOnly) {
    QByteArray absolute = NativeFromPath(path);
    if (!absolute.startsWith('/')) {
        std::string cwd(4096, '\0');
        while (::getcwd(cwd.data(), cwd.size()) == nullptr && errno == ERANGE) cwd.resize(cwd.size() * 2);
        absolute.prepend(QByteArray(cwd.c_str()) + '/');
    }
    QString uri = QStringLiteral("file:");
    for (const char c : absolute) {
        const auto byte = static_cast<unsigned char>(c);
        if (std::isalnum(byte) || std::strchr("/-._~", c))
            uri += QLatin1Char(c);
        else
            uri += QStringLiteral("%%1").arg(byte, 2, 16, QLatin1Char('0'));
    }
    return uri + (readOnly ? QStringLiteral("?mode=ro") : QStringLiteral("?mode=rw"));
}

bool IsBusy(const QSqlError& error);
QString LockedText(int timeoutMs, const QSqlError& error);

// The first reads of the schema: a lock held elsewhere is no sign of damage.
[[noreturn]] void FailSchemaRead(const QSqlError& error, const QString& path, int timeoutMs) {
    if (IsBusy(error)) Fail(StoreErrorKind::Busy, path, LockedText(timeoutMs, error));
    Fail(StoreErrorKind::Corrupt, path,
         QStringLiteral("文件已损坏或不是 SQLite 数据库（%1）").arg(DatabaseMessage(error)));
}

QStringList ColumnsOf(const QSqlDatabase& db, Table table, const QString& path, int timeoutMs) {
    QSqlQuery query(db);
    const QString sql = QStringLiteral("pragma table_info(%1)")
                            .arg(QString::fromStdString(QuoteIdentifier(TableName(table))));
    if (!query.exec(sql)) FailSchemaRead(query.lastError(), path, timeoutMs);
    QStringList columns;
    while (query.next()) columns << query.value(1).toString();
    return columns;
}

// Columns xxyy gained after the first release, in the order they were added; an empty value reads as the
// setting's default.
constexpr std::string_view kLaterSettingsColumns[] = {"eot", "tzid"};

bool IsLaterSettingsColumn(Table table, std::string_view column) {
    return table == Table::Settings &&
           std::find(std::begin(kLaterSettingsColumns), std::end(kLaterSettingsColumns), column) !=
               std::end(kLaterSettingsColumns);
}

int PrimaryCode(const QSqlError& error) {
    return error.nativeErrorCode().toInt() & 0xff;
}

// SQLite's primary result codes for a lock another connection holds.
bool IsBusy(const QSqlError& error) {
    const int code = PrimaryCode(error);
    return code == 5 /* SQLITE_BUSY */ || code == 6 /* SQLITE_LOCKED */;
}

// A lock is told as a lock: a user told the file is damaged might replace a good one.
QString LockedText(int timeoutMs, const QSqlError& error) {
    return QStringLiteral("数据库正被其他程序锁定，请关闭它后重试（等了 %1 秒仍未解除；%2）")
        .arg(QString::number(timeoutMs / 1000.0, 'g', 3), DatabaseMessage(error));
}

StoreError SqlError(const QSqlError& error, int timeoutMs) {
    if (IsBusy(error))
        return StoreError(StoreErrorKind::Busy,
                          Utf8(LockedText(timeoutMs, error)) + "。这次的读写没有完成。");
    switch (PrimaryCode(error)) {
        case 8:  // SQLITE_READONLY
            return StoreError(StoreErrorKind::ReadOnly,
                              "数据库文件不可写，修改没有保存（" + Utf8(DatabaseMessage(error)) + "）");
        case 13:  // SQLITE_FULL
            return StoreError(StoreErrorKind::Sql,
                              "磁盘空间不足，修改没有保存（" + Utf8(DatabaseMessage(error)) + "）");
        case 10:  // SQLITE_IOERR
            return StoreError(StoreErrorKind::Sql, "读写数据库文件时发生 I/O 错误，修改没有保存（" +
                                                       Utf8(DatabaseMessage(error)) + "）");
        default:
            return StoreError(StoreErrorKind::Sql, "数据库错误：" + Utf8(DatabaseMessage(error)));
    }
}

StoreError NoRow(Table table, std::int64_t rowid) {
    return StoreError(StoreErrorKind::NoRow, "表 " + std::string(TableName(table)) + " 没有这一行（rowid " +
                                                 std::to_string(rowid) + "），它可能已被删除");
}

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
        throw StoreError(StoreErrorKind::BadArgument, std::string(query.name) + " 需要 " +
                                                          std::to_string(query.arguments) + " 个值，得到 " +
                                                          std::to_string(values.size()) + " 个");
    }
    std::vector<std::string> bound;
    for (int index : query.bindOrder) bound.push_back(values[static_cast<std::size_t>(index)]);
    return TextValues(bound);
}

}  // namespace

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
    if (!IsOpen()) throw StoreError(StoreErrorKind::NotOpen, "数据库没有打开");
}

void Database::Open(const QString& path) {
    Close();
    if (path.isEmpty()) Fail(StoreErrorKind::Missing, path, QStringLiteral("没有给出文件路径"));
    const bool readOnly = !CheckFile(path);

    // Qt would silently replace another object's connection of the same name.
    if (QSqlDatabase::contains(connectionName_)) {
        throw StoreError(StoreErrorKind::BadArgument,
                         "数据库连接名 " + Utf8(connectionName_) + " 已被另一个连接使用");
    }
    auto impl = std::make_unique<Impl>();
    impl->db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), connectionName_);
    if (!impl->db.isValid()) {
        impl->db = QSqlDatabase();
        QSqlDatabase::removeDatabase(connectionName_);
        Fail(StoreErrorKind::Unreadable, path, QStringLiteral("Qt 的 SQLite 驱动（QSQLITE）不可用"));
    }
    impl->db.setDatabaseName(OpenUri(path, readOnly));
    impl->db.setConnectOptions(
        QStringLiteral("QSQLITE_OPEN_URI;QSQLITE_BUSY_TIMEOUT=%1").arg(busyTimeoutMs_));
    path_ = path;
    readOnly_ = readOnly;
    impl_ = std::move(impl);
    if (!impl_->db.open()) {
        const QString cause = DatabaseMessage(impl_->db.lastError());
        Close();
        Fail(StoreErrorKind::Unreadable, path, cause);
    }
    try {
        VerifySchema();
        if (!readOnly_) AddLaterSettingsColumns();
    } catch (...) {
        Close();
        throw;
    }
}

void Database::VerifySchema() {
    QSqlQuery query(impl_->db);
    if (!query.exec(QStringLiteral("select name from sqlite_master where type = 'table'")))
        FailSchemaRead(query.lastError(), path_, busyTimeoutMs_);
    QStringList names;
    while (query.next()) names << query.value(0).toString();
    if (names.isEmpty()) Fail(StoreErrorKind::Empty, path_, QStringLiteral("数据库里没有任何表"));
    for (Table table : kAllTables) {
        const QString name = QString::fromUtf8(TableName(table));
        if (!names.contains(name))
            Fail(StoreErrorKind::Corrupt, path_, QStringLiteral("缺少表 %1").arg(name));
        const QStringList columns = ColumnsOf(impl_->db, table, path_, busyTimeoutMs_);
        for (std::string_view column : TableColumns(table)) {
            const QString c = QString::fromUtf8(column);
            if (!columns.contains(c) && !IsLaterSettingsColumn(table, column)) {
                Fail(StoreErrorKind::Corrupt, path_, QStringLiteral("表 %1 缺少列 %2").arg(name, c));
            }
        }
    }
}

void Database::AddLaterSettingsColumns() {
    const QStringList columns = ColumnsOf(impl_->db, Table::Settings, path_, busyTimeoutMs_);
    for (std::string_view column : kLaterSettingsColumns) {
        const QString c = QString::fromUtf8(column);
        if (columns.contains(c)) continue;
        QSqlQuery query(impl_->db);
        if (!query.exec(QStringLiteral("alter table xxyy add column %1 TEXT")
                            .arg(QString::fromStdString(QuoteIdentifier(column))))) {
            Fail(StoreErrorKind::Sql, path_,
                 QStringLiteral("无法为设置表 xxyy 添加列 %1（%2）")
                     .arg(c, DatabaseMessage(query.lastError())));
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

bool Database::EnsureWritable() {
    CheckOpen();
    if (!readOnly_) return false;
    const QByteArray native = NativeFromPath(path_);
    struct stat st {};
    if (::stat(native.constData(), &st) != 0 ||
        ::chmod(native.constData(), (st.st_mode & 07777) | S_IWUSR) != 0) {
        throw StoreError(StoreErrorKind::ReadOnly, "数据库文件 " + Utf8(path_) + " 是只读的，无法改为可写（" +
                                                       Utf8(SystemReason(errno)) + "），修改没有保存");
    }
    // Reopened in place: the Qt connection keeps its name, so a table model working on it carries on.
    impl_->statements.clear();
    impl_->db.close();
    impl_->db.setDatabaseName(OpenUri(path_, false));
    if (!impl_->db.open()) {
        const QString cause = DatabaseMessage(impl_->db.lastError());
        Close();
        Fail(StoreErrorKind::Unreadable, path_, QStringLiteral("无法以可写方式重新打开（%1）").arg(cause));
    }
    readOnly_ = false;
    AddLaterSettingsColumns();
    if (writableNotice_) writableNotice_("数据库文件原为只读，已改为可写：" + Utf8(path_));
    return true;
}

void Database::Reopen() {
    if (path_.isEmpty()) throw StoreError(StoreErrorKind::NotOpen, "数据库从未打开过，无法重新打开");
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
    EnsureWritable();
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
    EnsureWritable();
    return RunSql(sql, FieldValues(values)).insertedRowid;
}

void Database::Update(Table table, std::int64_t rowid, const Row& values) {
    const std::string sql = UpdateSql(table, values.Columns());
    QVariantList bound = FieldValues(values);
    bound.append(QVariant::fromValue<qint64>(rowid));
    EnsureWritable();
    if (RunSql(sql, bound).changed == 0) throw NoRow(table, rowid);
}

void Database::SetColumn(Table table, std::int64_t rowid, std::string_view column, std::string_view value) {
    Row row;
    row.Set(column, std::string(value));
    Update(table, rowid, row);
}

void Database::Delete(Table table, std::int64_t rowid) {
    EnsureWritable();
    if (RunSql(DeleteSql(table), {QVariant::fromValue<qint64>(rowid)}).changed == 0)
        throw NoRow(table, rowid);
}

std::optional<Row> Database::Locate(Table table, std::string_view column, std::string_view text) {
    return RunSql(LocateSql(table, column), {QString::fromStdString(std::string(text))}).result.First();
}

}  // namespace velunar::store
