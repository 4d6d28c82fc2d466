// What the commands do to and say about the database file they are given: nothing changes, and every
// fault is told for what it is.
#include <chrono>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <thread>

#include <sys/stat.h>

#include <gtest/gtest.h>

#include "doctrine_cli_util.h"

namespace velunar {
namespace {

using testing::DatabaseCopy;
using testing::RunCommand;

struct FileState {
    std::string bytes;
    mode_t mode = 0;
    bool operator==(const FileState&) const = default;
};

FileState StateOf(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    struct stat st {};
    stat(path.c_str(), &st);
    return {std::string(std::istreambuf_iterator<char>(in), {}), st.st_mode};
}

bool Contains(const std::string& text, const std::string& part) {
    return text.find(part) != std::string::npos;
}

std::vector<std::vector<std::string>> ReadOnlyCommands(const std::string& db) {
    return {{"now", "--db", db, "--at", "2013-06-09 00:30:00", "--json"},
            {"schedule", "2013-06-09", "2013-06-10", "--db", db},
            {"reverse", "公孙", "2013-06-01", "2013-06-03", "--db", db},
            {"next", "公孙", "--from", "2013-06-09 08:00:00", "--db", db}};
}

TEST(DatabaseFileCli, ReadOnlyCommandsChangeNothingAboutTheFile) {
    for (const mode_t mode : {0444, 0644}) {
        DatabaseCopy copy("unchanged");
        ASSERT_EQ(chmod(copy.path().c_str(), mode), 0);
        const FileState before = StateOf(copy.path());
        for (const auto& args : ReadOnlyCommands(copy.path())) {
            SCOPED_TRACE(args[0] + " on mode " + std::to_string(mode));
            const auto run = RunCommand(args);
            EXPECT_EQ(run.status, 0) << run.err;
            EXPECT_TRUE(StateOf(copy.path()) == before);
        }
        EXPECT_EQ(std::distance(
                      std::filesystem::directory_iterator(std::filesystem::path(copy.path()).parent_path()),
                      std::filesystem::directory_iterator()),
                  1);  // no journal left behind
    }
}

TEST(DatabaseFileCli, IncompleteReferenceTableFailsNamingIt) {
    DatabaseCopy copy("incomplete");
    const std::string sql = "'" VELUNAR_PYTHON
                            "' -c \"import sqlite3, sys\nc = sqlite3.connect(sys.argv[1])\n"
                            "c.execute('delete from 天干表 where rowid = 7')\nc.commit()\" '" +
                            copy.path() + "'";
    ASSERT_EQ(std::system(sql.c_str()), 0);
    for (const auto& args : ReadOnlyCommands(copy.path())) {
        SCOPED_TRACE(args[0]);
        const auto run = RunCommand(args);
        EXPECT_EQ(run.status, 1);
        EXPECT_TRUE(
            Contains(run.err, "velunar-cli " + args[0] + ": 数据库 " + copy.path() + " 的天干表不完整"))
            << run.err;
        EXPECT_TRUE(Contains(run.err, "实际 119 行")) << run.err;
        EXPECT_EQ(run.out, "");
    }
}

TEST(DatabaseFileCli, FifoOrFolderIsRefusedAtOnce) {
    DatabaseCopy copy("fifo");
    const std::string fifo = copy.path() + ".fifo";
    ASSERT_EQ(mkfifo(fifo.c_str(), 0600), 0);
    const std::string folder = std::filesystem::path(copy.path()).parent_path().string();
    const auto start = std::chrono::steady_clock::now();
    for (const auto& [path, what] : {std::pair{fifo, "命名管道"}, std::pair{folder, "文件夹"}}) {
        const auto run = RunCommand({"now", "--db", path, "--at", "2013-06-09 00:30:00"});
        EXPECT_EQ(run.status, 1);
        EXPECT_TRUE(Contains(run.err, "velunar-cli now: ")) << run.err;
        EXPECT_TRUE(Contains(run.err, what)) << run.err;
    }
    EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::seconds(3));
}

// Names from the command line are bytes: one that is not UTF-8 is found and written as it is.
TEST(DatabaseFileCli, NamesThatAreNotUtf8AreTakenByteForByte) {
    DatabaseCopy copy("latin1");
    const std::filesystem::path folder = std::filesystem::path(copy.path()).parent_path();
    const std::string db = (folder / "d\xe9.sqlite").string();
    const std::string out = (folder / "caf\xe9.txt").string();
    std::filesystem::rename(copy.path(), db);
    const auto run = RunCommand({"reverse", "公孙", "2013-06-01", "2013-06-03", "--db", db, "--out", out});
    ASSERT_EQ(run.status, 0) << run.err;
    EXPECT_GT(std::filesystem::file_size(out), 0u);
    EXPECT_EQ(
        std::distance(std::filesystem::directory_iterator(folder), std::filesystem::directory_iterator()), 2);
}

// Another program holding the database locked is told as a lock, after the store's wait, never as
// damage (which might make the user replace a good file).
TEST(DatabaseFileCli, LockedDatabaseIsToldAsALock) {
    DatabaseCopy copy("locked");
    const std::string marker = copy.path() + ".locked";
    const std::string script = "'" VELUNAR_PYTHON
                               "' -c \"import sqlite3, sys\n"
                               "c = sqlite3.connect(sys.argv[1], isolation_level=None)\n"
                               "c.execute('begin exclusive')\n"
                               "open(sys.argv[2], 'w').close()\n"
                               "sys.stdin.read()\n"
                               "c.execute('commit')\" '" +
                               copy.path() + "' '" + marker + "'";
    FILE* other = popen(script.c_str(), "w");
    ASSERT_NE(other, nullptr);
    for (int i = 0; i < 1000 && !std::filesystem::exists(marker); ++i)
        std::this_thread::sleep_for(std::chrono::milliseconds(10));
    ASSERT_TRUE(std::filesystem::exists(marker));
    const FileState before = StateOf(copy.path());
    const auto run = RunCommand({"now", "--db", copy.path(), "--at", "2013-06-09 00:30:00"});
    EXPECT_EQ(pclose(other), 0);
    EXPECT_EQ(run.status, 1);
    EXPECT_TRUE(Contains(run.err, "velunar-cli now: ")) << run.err;
    EXPECT_TRUE(Contains(run.err, "数据库正被其他程序锁定，请关闭它后重试")) << run.err;
    EXPECT_FALSE(Contains(run.err, "损坏")) << run.err;
    EXPECT_TRUE(StateOf(copy.path()) == before);
}

}  // namespace
}  // namespace velunar
