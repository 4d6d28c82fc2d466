// Opening the database file: every way it can be wrong, and the row operations of the editable tables.
#include <chrono>
#include <cstdio>
#include <filesystem>
#include <functional>
#include <random>
#include <thread>

#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/un.h>
#include <unistd.h>

#include <gtest/gtest.h>
#include <QDir>
#include <QFile>
#include <QSqlDatabase>
#include <QSqlQuery>
#include <QTemporaryDir>

#include "fixture.h"
#include "store/database.h"
#include "store/nativepath.h"

namespace velunar::store {
namespace {

using test::FixtureDb;
using test::RawColumn;
using test::RawExec;

bool Contains(const std::string& text, const std::string& part) {
    return text.find(part) != std::string::npos;
}

QByteArray ReadAll(const QString& path) {
    QFile file(path);
    file.open(QIODevice::ReadOnly);
    return file.readAll();
}

void WriteAll(const QString& path, const QByteArray& bytes) {
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(bytes);
}

// Opens the path, expects a failure of the given kind naming the path and the cause.
void ExpectOpenFails(const QString& path, StoreErrorKind kind, const std::string& cause) {
    Database db(QStringLiteral("open-test"));
    try {
        db.Open(path);
        FAIL() << "opening " << path.toStdString() << " should fail";
    } catch (const StoreError& e) {
        EXPECT_EQ(e.kind(), kind) << e.what();
        EXPECT_TRUE(Contains(e.what(), path.toStdString())) << e.what();
        EXPECT_TRUE(Contains(e.what(), cause)) << e.what();
    }
    EXPECT_FALSE(db.IsOpen());
}

class OpenFailure : public ::testing::Test {
  protected:
    QTemporaryDir dir;
    QString path = dir.filePath(QStringLiteral("数据/db1.sqlite"));
    void SetUp() override { ASSERT_TRUE(QDir(dir.path()).mkpath(QStringLiteral("数据"))); }
};

TEST_F(OpenFailure, MissingFileIsReportedAndNotCreated) {
    ExpectOpenFails(path, StoreErrorKind::Missing, "不存在");
    EXPECT_FALSE(QFile::exists(path));
}

TEST_F(OpenFailure, ZeroByteFileIsEmptyAndStaysEmpty) {
    WriteAll(path, {});
    ExpectOpenFails(path, StoreErrorKind::Empty, "空");
    EXPECT_EQ(QFileInfo(path).size(), 0);
}

TEST_F(OpenFailure, DatabaseWithoutTablesIsEmpty) {
    RawExec(path, QStringLiteral("pragma user_version = 7"));
    ASSERT_GT(QFileInfo(path).size(), 0);
    ExpectOpenFails(path, StoreErrorKind::Empty, "没有任何表");
}

TEST_F(OpenFailure, RandomBytesAreCorruptAndLeftAlone) {
    std::mt19937 random(47);
    QByteArray bytes(4096, '\0');
    for (char& c : bytes) c = static_cast<char>(random());
    WriteAll(path, bytes);
    ExpectOpenFails(path, StoreErrorKind::Corrupt, "损坏");
    EXPECT_EQ(ReadAll(path), bytes);
}

TEST_F(OpenFailure, SqliteHeaderFollowedByGarbageIsCorrupt) {
    QByteArray bytes("SQLite format 3\0", 16);
    bytes += QByteArray(4080, '\x5a');
    WriteAll(path, bytes);
    ExpectOpenFails(path, StoreErrorKind::Corrupt, "损坏");
}

TEST_F(OpenFailure, MissingTableOrColumnIsNamed) {
    test::CreateSchema(path);
    RawExec(path, QStringLiteral("drop table 补穴表"));
    ExpectOpenFails(path, StoreErrorKind::Corrupt, "补穴表");

    const QString other = dir.filePath(QStringLiteral("other.sqlite"));
    test::CreateSchema(other);
    RawExec(other, QStringLiteral("alter table xxyy drop column ischina"));
    ExpectOpenFails(other, StoreErrorKind::Corrupt, "ischina");
}

// Nothing that is not a regular file is opened: a FIFO would block the open for ever, a device would be
// read without end. Each is refused at once, saying what it is.
TEST_F(OpenFailure, AnythingButARegularFileIsRefusedAtOnce) {
    ASSERT_TRUE(QDir().mkpath(path));
    ExpectOpenFails(path, StoreErrorKind::Unreadable, "文件夹");

    const QString fifo = dir.filePath(QStringLiteral("db.fifo"));
    ASSERT_EQ(mkfifo(QFile::encodeName(fifo).constData(), 0600), 0);
    const auto start = std::chrono::steady_clock::now();
    ExpectOpenFails(fifo, StoreErrorKind::Unreadable, "命名管道");
    EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::seconds(2));

    ExpectOpenFails(QStringLiteral("/dev/zero"), StoreErrorKind::Unreadable, "设备");

    const QString socketPath = dir.filePath(QStringLiteral("db.sock"));
    const int fd = socket(AF_UNIX, SOCK_STREAM, 0);
    sockaddr_un address{};
    address.sun_family = AF_UNIX;
    const QByteArray native = QFile::encodeName(socketPath);
    ASSERT_LT(static_cast<std::size_t>(native.size()), sizeof address.sun_path);
    std::copy(native.begin(), native.end(), address.sun_path);
    ASSERT_EQ(bind(fd, reinterpret_cast<sockaddr*>(&address), sizeof address), 0);
    ExpectOpenFails(socketPath, StoreErrorKind::Unreadable, "套接字");
    close(fd);
}

TEST_F(OpenFailure, FileWithoutReadPermissionIsUnreadable) {
    if (geteuid() == 0) GTEST_SKIP() << "root reads every file";
    test::CreateSchema(path);
    QFile::setPermissions(path, QFile::WriteOwner);
    ExpectOpenFails(path, StoreErrorKind::Unreadable, "无法读取");
    QFile::setPermissions(path, QFile::ReadOwner | QFile::WriteOwner);
}

struct FileState {
    QByteArray bytes;
    mode_t mode = 0;
    bool operator==(const FileState&) const = default;
};

FileState StateOf(const QString& path) {
    struct stat st {};
    stat(QFile::encodeName(path).constData(), &st);
    return {ReadAll(path), st.st_mode};
}

// Opening and reading change nothing about a read-only file; the first write makes it writable, says so
// once, and the connection goes on working.
TEST(DatabaseOpen, ReadOnlyFileStaysSoUntilTheFirstWrite) {
    FixtureDb fixture;
    ASSERT_EQ(chmod(QFile::encodeName(fixture.Path()).constData(), 0444), 0);
    const FileState before = StateOf(fixture.Path());
    Database db(QStringLiteral("readonly-test"));
    std::vector<std::string> notices;
    db.SetWritableNotice([&](const std::string& text) { notices.push_back(text); });
    db.Open(fixture.Path());
    EXPECT_TRUE(db.IsReadOnly());
    EXPECT_EQ(db.Run(QueryId::NaZhiRow, {"寅"}).FirstValue("本穴"), "经渠");
    EXPECT_EQ(db.SelectAll(Table::Description).rows.size(), 4u);
    db.Reopen();
    EXPECT_TRUE(StateOf(fixture.Path()) == before);
    EXPECT_TRUE(notices.empty());
    // A refused write checks its arguments before it touches the file.
    EXPECT_THROW(db.Append(Table::Description, Row{{"名称", "x"}}), StoreError);
    EXPECT_TRUE(StateOf(fixture.Path()) == before);

    const Row row = *db.Locate(Table::Description, "穴位", "公孙");
    db.SetColumn(Table::Description, *row.Key(), "图片路径", "pic\\脾.JPG");
    EXPECT_EQ(StateOf(fixture.Path()).mode & 07777, 0644u);
    EXPECT_FALSE(db.IsReadOnly());
    ASSERT_EQ(notices.size(), 1u);
    EXPECT_TRUE(Contains(notices[0], "数据库文件原为只读，已改为可写")) << notices[0];
    EXPECT_TRUE(Contains(notices[0], fixture.Path().toStdString())) << notices[0];
    db.SetColumn(Table::Settings, 1, "suma", "5");
    EXPECT_FALSE(db.EnsureWritable());
    EXPECT_EQ(notices.size(), 1u);
    EXPECT_EQ(RawColumn(fixture.Path(), "select 图片路径 from 穴位说明 where 穴位 = '公孙'"),
              std::vector<std::string>{"pic\\脾.JPG"});
    EXPECT_EQ(RawColumn(fixture.Path(), "select suma from xxyy"), std::vector<std::string>{"5"});
}

// A name that is not UTF-8 is opened byte for byte, not under a mangled name.
TEST(DatabaseOpen, NameThatIsNotUtf8IsTakenByteForByte) {
    FixtureDb fixture;
    const QByteArray native = QFile::encodeName(fixture.Folder()) + "/d\xe9.sqlite";
    ASSERT_EQ(rename(QFile::encodeName(fixture.Path()).constData(), native.constData()), 0);
    const QString path = PathFromNative(native.toStdString());
    EXPECT_EQ(NativeFromPath(path), native);
    Database db(QStringLiteral("native-name-test"));
    db.Open(path);
    EXPECT_EQ(db.Run(QueryId::NaZhiRow, {"寅"}).FirstValue("本穴"), "经渠");
    db.SetColumn(Table::Settings, 1, "suma", "7");
    db.Close();
    // Qt cannot list or remove the name either: the folder is read and emptied byte for byte.
    const std::filesystem::path folder(QFile::encodeName(fixture.Folder()).toStdString());
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(folder), {}), 1);
    EXPECT_EQ(unlink(native.constData()), 0);
}

TEST(DatabaseOpen, CloseReopenAndOperationsOnAClosedConnection) {
    FixtureDb fixture;
    Database db(QStringLiteral("reopen-test"));
    EXPECT_THROW(db.Reopen(), StoreError);
    db.Open(fixture.Path());
    db.Close();
    try {
        db.Run(QueryId::NaZhiRow, {"寅"});
        FAIL();
    } catch (const StoreError& e) {
        EXPECT_EQ(e.kind(), StoreErrorKind::NotOpen);
    }
    db.Reopen();
    EXPECT_EQ(db.Run(QueryId::NaZhiRow, {"寅"}).FirstValue("本穴"), "经渠");
    EXPECT_EQ(db.Path(), fixture.Path());
}

TEST(DatabaseOpen, TwoConnectionsOnOneFileNeedTwoNames) {
    FixtureDb fixture;
    Database first(QStringLiteral("first"));
    Database second(QStringLiteral("second"));
    first.Open(fixture.Path());
    second.Open(fixture.Path());
    first.SetColumn(Table::Settings, 1, "xy", "120");
    EXPECT_EQ(second.Run(QueryId::SettingsRead).FirstValue("xy"), "120");
    Database clash(QStringLiteral("first"));
    EXPECT_THROW(clash.Open(fixture.Path()), StoreError);
    EXPECT_TRUE(first.IsOpen());
}

// A second running copy holding the write lock for a moment: our write waits instead of failing.
TEST(DatabaseOpen, WriteWaitsForAnotherWriter) {
    FixtureDb fixture;
    Database db(QStringLiteral("busy-test"));
    db.Open(fixture.Path());
    std::atomic<bool> locked{false};
    std::thread other([&] {
        {
            QSqlDatabase raw =
                QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), QStringLiteral("other-copy"));
            raw.setDatabaseName(fixture.Path());
            raw.open();
            QSqlQuery query(raw);
            query.exec(QStringLiteral("begin immediate"));
            query.exec(QStringLiteral("update xxyy set suma = '1'"));
            locked = true;
            std::this_thread::sleep_for(std::chrono::milliseconds(600));
            query.exec(QStringLiteral("commit"));
            query.finish();
            raw.close();
        }
        QSqlDatabase::removeDatabase(QStringLiteral("other-copy"));
    });
    while (!locked) std::this_thread::sleep_for(std::chrono::milliseconds(5));
    EXPECT_NO_THROW(db.SetColumn(Table::Settings, 1, "suma", "2"));
    other.join();
    EXPECT_EQ(RawColumn(fixture.Path(), "select suma from xxyy"), std::vector<std::string>{"2"});
}

// Another program (a second process) holding a lock on the file until it is released.
class LockHolder {
  public:
    LockHolder(const QString& database, const char* begin) : marker_(dir_.filePath("locked")) {
        const std::string script = "'" VELUNAR_PYTHON
                                   "' -c \"import sqlite3, sys\n"
                                   "c = sqlite3.connect(sys.argv[1], isolation_level=None)\n"
                                   "c.execute('" +
                                   std::string(begin) +
                                   "')\n"
                                   "c.execute(\\\"update xxyy set suma = '1'\\\")\n"
                                   "open(sys.argv[2], 'w').close()\n"
                                   "sys.stdin.read()\n"
                                   "c.execute('commit')\" '" +
                                   database.toStdString() + "' '" + marker_.toStdString() + "'";
        child_ = popen(script.c_str(), "w");
        for (int i = 0; child_ && i < 1000 && !QFile::exists(marker_); ++i)
            std::this_thread::sleep_for(std::chrono::milliseconds(10));
    }
    bool Holds() const { return child_ && QFile::exists(marker_); }
    // Ends the other program's transaction (it commits); true when it exited cleanly.
    bool Release() {
        if (!child_) return false;
        const int status = pclose(child_);
        child_ = nullptr;
        return status == 0;
    }
    ~LockHolder() { Release(); }

  private:
    QTemporaryDir dir_;
    QString marker_;
    FILE* child_ = nullptr;
};

// Returns the message.
std::string ExpectLocked(const std::function<void()>& operation, int timeoutMs) {
    const auto start = std::chrono::steady_clock::now();
    std::string said;
    try {
        operation();
        ADD_FAILURE() << "went through a lock held by another process";
    } catch (const StoreError& e) {
        said = e.what();
        EXPECT_EQ(e.kind(), StoreErrorKind::Busy) << e.what();
        EXPECT_TRUE(Contains(e.what(), "数据库正被其他程序锁定，请关闭它后重试")) << e.what();
        EXPECT_TRUE(Contains(e.what(), "database is locked")) << e.what();
        EXPECT_FALSE(Contains(e.what(), "损坏")) << e.what();
    }
    const auto waited = std::chrono::steady_clock::now() - start;
    EXPECT_GE(waited, std::chrono::milliseconds(timeoutMs - 100));
    EXPECT_LT(waited, std::chrono::milliseconds(timeoutMs + 1900));
    return said;
}

// A lock is told as a lock, at open and at every statement, after the busy timeout; once the other
// program lets go, the same connection reads and writes again.
TEST(DatabaseLock, ExclusiveLockIsReportedAsALockThenClears) {
    FixtureDb fixture;
    constexpr int kTimeout = 400;
    Database db(QStringLiteral("locked-test"));
    db.SetBusyTimeout(kTimeout);
    {
        LockHolder other(fixture.Path(), "begin exclusive");
        ASSERT_TRUE(other.Holds());
        ExpectLocked([&] { db.Open(fixture.Path()); }, kTimeout);
        EXPECT_FALSE(db.IsOpen());
        ASSERT_TRUE(other.Release());
    }
    db.Open(fixture.Path());
    LockHolder other(fixture.Path(), "begin exclusive");
    ASSERT_TRUE(other.Holds());
    ExpectLocked([&] { db.Run(QueryId::NaZhiRow, {"寅"}); }, kTimeout);
    ExpectLocked([&] { db.SetColumn(Table::Settings, 1, "suma", "2"); }, kTimeout);
    ASSERT_TRUE(other.Release());
    EXPECT_EQ(RawColumn(fixture.Path(), "select suma from xxyy"), std::vector<std::string>{"1"});
    EXPECT_NO_THROW(db.SetColumn(Table::Settings, 1, "suma", "2"));
    EXPECT_EQ(RawColumn(fixture.Path(), "select suma from xxyy"), std::vector<std::string>{"2"});
}

// A write transaction of another program lets readers through; only a write waits and is refused, as a
// write (the file opened long before). The wait set on an open connection holds from the next statement.
TEST(DatabaseLock, ReservedLockRefusesOnlyWrites) {
    FixtureDb fixture;
    Database db(QStringLiteral("reserved-test"));
    db.Open(fixture.Path());
    db.SetBusyTimeout(300);
    LockHolder other(fixture.Path(), "begin immediate");
    ASSERT_TRUE(other.Holds());
    EXPECT_EQ(db.Run(QueryId::NaZhiRow, {"寅"}).FirstValue("本穴"), "经渠");
    const std::string said = ExpectLocked([&] { db.SetColumn(Table::Settings, 1, "suma", "2"); }, 300);
    EXPECT_FALSE(Contains(said, "无法打开数据库")) << said;
    db.SetBusyTimeout(0);
    ExpectLocked([&] { db.SetColumn(Table::Settings, 1, "suma", "2"); }, 0);
}

class RowOperations : public ::testing::Test {
  protected:
    void SetUp() override { db.Open(fixture.Path()); }
    FixtureDb fixture;
    Database db{QStringLiteral("rows-test")};
};

TEST_F(RowOperations, AppendLocateUpdateDelete) {
    const std::int64_t id =
        db.Append(Table::Description, Row{{"穴位", "内关"}, {"穴位说明", "心包经络穴。"}});
    EXPECT_EQ(db.RowCount(Table::Description), 5);
    const Row found = *db.Locate(Table::Description, "穴位", "内关");
    EXPECT_EQ(found.Key(), id);
    EXPECT_EQ(found.Value("图片路径"), "");

    db.Update(Table::Description, id,
              Row{{"图片路径", "pic\\心包.JPG"}, {"穴位说明", "心包经络穴，八脉交会穴。"}});
    const Row changed = *db.Locate(Table::Description, "穴位", "内关");
    EXPECT_EQ(changed.Value("图片路径"), "pic\\心包.JPG");
    EXPECT_EQ(changed.Value("穴位说明"), "心包经络穴，八脉交会穴。");

    db.Delete(Table::Description, id);
    EXPECT_FALSE(db.Locate(Table::Description, "穴位", "内关").has_value());
    EXPECT_EQ(db.SelectAll(Table::Description).Column("穴位"),
              (std::vector<std::string>{"足三里", "公孙", "阿'是", "太渊"}));
}

TEST_F(RowOperations, OperationsOnAVanishedRowSayNoRow) {
    const std::int64_t id = *db.Locate(Table::Description, "穴位", "公孙")->Key();
    db.Delete(Table::Description, id);
    for (auto operation :
         {+[](Database&d, std::int64_t i) { d.Delete(Table::Description, i); },
          +[](Database&d, std::int64_t i) { d.SetColumn(Table::Description, i, "穴位说明", "x"); }}) {
        try {
            operation(db, id);
            FAIL();
        } catch (const StoreError& e) {
            EXPECT_EQ(e.kind(), StoreErrorKind::NoRow);
        }
    }
}

TEST_F(RowOperations, DuplicatePointIsRefusedWithTheDatabaseMessage) {
    try {
        db.Append(Table::Description, Row{{"穴位", "足三里"}, {"穴位说明", "重复"}});
        FAIL() << "a second 足三里 must be refused";
    } catch (const StoreError& e) {
        EXPECT_EQ(e.kind(), StoreErrorKind::Sql);
        EXPECT_TRUE(Contains(e.what(), "UNIQUE constraint failed: 穴位说明.穴位")) << e.what();
    }
    // Renaming a row onto another point's name is refused the same way.
    const std::int64_t id = *db.Locate(Table::Description, "穴位", "公孙")->Key();
    EXPECT_THROW(db.SetColumn(Table::Description, id, "穴位", "太渊"), StoreError);
    EXPECT_EQ(db.RowCount(Table::Description), 4);
    EXPECT_EQ(db.Locate(Table::Description, "穴位", "公孙")->Key(), id);
}

TEST_F(RowOperations, RowWithoutPointNameIsRefused) {
    try {
        db.Append(Table::Description, Row{{"穴位说明", "无名"}});
        FAIL();
    } catch (const StoreError& e) {
        EXPECT_TRUE(Contains(e.what(), "NOT NULL constraint failed")) << e.what();
    }
}

TEST_F(RowOperations, UnknownColumnsAreRefusedBeforeTheDatabase) {
    EXPECT_THROW(db.Append(Table::Description, Row{{"名称", "x"}}), StoreError);
    EXPECT_THROW(db.Locate(Table::Settings, "whereabouts", "x"), StoreError);
    const Row row = *db.Locate(Table::Description, "穴位", "公孙");
    EXPECT_THROW(row.Value("名称"), StoreError);
}

TEST_F(RowOperations, LocateTakesTheFirstStoredMatchAndExactTextOnly) {
    EXPECT_EQ(db.Locate(Table::Description, "图片路径", "")->Value("穴位"), "公孙");
    EXPECT_FALSE(db.Locate(Table::Description, "穴位", "公").has_value());
    const Result all = db.SelectAll(Table::Description);
    EXPECT_EQ(Locate(all.rows, "穴位", "阿", Match::Prefix), 2u);
    EXPECT_EQ(Locate(all.rows, "穴位", "足三", Match::Prefix), 0u);
    EXPECT_FALSE(Locate(all.rows, "穴位", "足三", Match::Exact).has_value());
}

}  // namespace
}  // namespace velunar::store
