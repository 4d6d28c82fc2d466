// How the connection checks a file before SQLite sees it, opens it, and tells what went wrong: the messages a
// user reads when the database cannot be used.
#include "store/database_checks.h"

#include <algorithm>
#include <cctype>
#include <cerrno>
#include <cstring>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSqlQuery>

#include "store/nativepath.h"
#include "store/translation.h"

namespace velunar::store::detail {

std::string Utf8(const QString& text) {
    return text.toStdString();
}

[[noreturn]] void Fail(StoreErrorKind kind, const QString& path, const QString& cause) {
    throw StoreError(kind, Utf8(TranslatedQ("store", "无法打开数据库 %1：%2").arg(path, cause)));
}

QString DatabaseMessage(const QSqlError& error) {
    const QString text = error.databaseText().isEmpty() ? error.text() : error.databaseText();
    return text.isEmpty() ? TranslatedQ("store", "未知错误") : text;
}

QString SystemReason(int error) {
    return QString::fromLocal8Bit(std::strerror(error));
}

// What a path names when it is not a plain file: SQLite would block on a FIFO and read a device forever.
std::optional<QString> NotAFile(mode_t mode) {
    if (S_ISREG(mode)) return std::nullopt;
    if (S_ISDIR(mode)) return TranslatedQ("store", "这是一个文件夹，不是数据库文件");
    if (S_ISFIFO(mode)) return TranslatedQ("store", "这是一个命名管道（FIFO），不是数据库文件");
    if (S_ISSOCK(mode)) return TranslatedQ("store", "这是一个套接字，不是数据库文件");
    if (S_ISCHR(mode) || S_ISBLK(mode)) return TranslatedQ("store", "这是一个设备，不是数据库文件");
    return TranslatedQ("store", "这不是普通文件，不是数据库文件");
}

// Checks the file before SQLite sees it: SQLite would create a missing file, and it opens anything and
// only complains at the first read. The type is checked before the file is opened, and again on the
// opened file, so that nothing here waits on a FIFO. Returns whether the owner may write the file.
bool CheckFile(const QString& path) {
    const QByteArray native = NativeFromPath(path);
    struct stat st {};
    if (::stat(native.constData(), &st) != 0) {
        const int error = errno;
        if (error == ENOENT) Fail(StoreErrorKind::Missing, path, TranslatedQ("store", "文件不存在"));
        Fail(StoreErrorKind::Unreadable, path,
             TranslatedQ("store", "文件无法读取（%1）").arg(SystemReason(error)));
    }
    if (const auto what = NotAFile(st.st_mode)) Fail(StoreErrorKind::Unreadable, path, *what);
    const int fd = ::open(native.constData(), O_RDONLY | O_NONBLOCK | O_CLOEXEC | O_NOCTTY);
    if (fd < 0) {
        Fail(StoreErrorKind::Unreadable, path,
             TranslatedQ("store", "文件无法读取（%1）").arg(SystemReason(errno)));
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
        Fail(StoreErrorKind::Unreadable, path,
             TranslatedQ("store", "文件无法读取（%1）").arg(SystemReason(error)));
    }
    if (got == 0) Fail(StoreErrorKind::Empty, path, TranslatedQ("store", "文件是空的（0 字节）"));
    if (QByteArray(header, static_cast<qsizetype>(got)) != QByteArray("SQLite format 3\0", 16)) {
        Fail(StoreErrorKind::Corrupt, path, TranslatedQ("store", "文件已损坏或不是 SQLite 数据库"));
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
         TranslatedQ("store", "文件已损坏或不是 SQLite 数据库（%1）").arg(DatabaseMessage(error)));
}

QStringList ColumnsOf(const QSqlDatabase& db, Table table, const QString& path, int timeoutMs, bool opened) {
    QSqlQuery query(db);
    const QString sql = QStringLiteral("pragma table_info(%1)")
                            .arg(QString::fromStdString(QuoteIdentifier(TableName(table))));
    if (!query.exec(sql)) {
        if (opened) throw SqlError(query.lastError(), timeoutMs);
        FailSchemaRead(query.lastError(), path, timeoutMs);
    }
    QStringList columns;
    while (query.next()) columns << query.value(1).toString();
    return columns;
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
    return TranslatedQ("store", kLockedPhrase) +
           TranslatedQ("store", "，请关闭它后重试（等了 %1 秒仍未解除；%2）")
               .arg(QString::number(timeoutMs / 1000.0, 'g', 3), DatabaseMessage(error));
}

StoreError SqlError(const QSqlError& error, int timeoutMs) {
    if (IsBusy(error))
        return StoreError(
            StoreErrorKind::Busy,
            Utf8(TranslatedQ("store", "%1。这次的读写没有完成。").arg(LockedText(timeoutMs, error))));
    const QString cause = DatabaseMessage(error);
    switch (PrimaryCode(error)) {
        case 8:  // SQLITE_READONLY
            return StoreError(StoreErrorKind::ReadOnly,
                              Utf8(TranslatedQ("store", "数据库文件不可写，修改没有保存（%1）").arg(cause)));
        case 13:  // SQLITE_FULL
            return StoreError(StoreErrorKind::Sql,
                              Utf8(TranslatedQ("store", "磁盘空间不足，修改没有保存（%1）").arg(cause)));
        case 10:  // SQLITE_IOERR
            return StoreError(
                StoreErrorKind::Sql,
                Utf8(TranslatedQ("store", "读写数据库文件时发生 I/O 错误，修改没有保存（%1）").arg(cause)));
        default:
            return StoreError(StoreErrorKind::Sql, Utf8(TranslatedQ("store", "数据库错误：%1").arg(cause)));
    }
}

StoreError NoRow(Table table, std::int64_t rowid) {
    return StoreError(StoreErrorKind::NoRow,
                      Filled(Translated("store", "表 {1} 没有这一行（rowid {2}），它可能已被删除"),
                             {TableName(table), std::to_string(rowid)}));
}

bool IsLaterSettingsColumn(Table table, std::string_view column) {
    return table == Table::Settings &&
           std::find(std::begin(kLaterSettingsColumns), std::end(kLaterSettingsColumns), column) !=
               std::end(kLaterSettingsColumns);
}

}  // namespace velunar::store::detail
