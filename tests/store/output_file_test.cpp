// Saving a report when the disk is full, and to targets that are not plain files.
#include <csignal>
#include <filesystem>
#include <string>
#include <thread>

#include <sched.h>
#include <sys/mount.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <gtest/gtest.h>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include "store/codec.h"
#include "store/nativepath.h"
#include "store/outputfile.h"
#include "store/report_file.h"
#include "store/store_error.h"

namespace velunar::store {
namespace {

bool Contains(const std::string& text, const std::string& part) {
    return text.find(part) != std::string::npos;
}

bool IsCharacterDevice(const char* path) {
    struct stat st {};
    return stat(path, &st) == 0 && S_ISCHR(st.st_mode);
}

std::vector<std::string> ManyLines(int count) {
    std::vector<std::string> lines;
    for (int i = 0; i < count; ++i)
        lines.push_back("2013-06-09子时，灵龟穴位=申脉 第" + std::to_string(i) + "行");
    return lines;
}

QByteArray ReadAll(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("<unreadable>");
}

// /dev/full is a disk that is always full. It must be written in place: renaming a temporary file over
// it (which root may do) would put a plain file where the device was.
TEST(DiskFull, DeviceThatIsAlwaysFullIsReportedAndStaysADevice) {
    ASSERT_TRUE(IsCharacterDevice("/dev/full"));
    const QString full = QStringLiteral("/dev/full");
    ASSERT_TRUE(OutputFile(full).WritesInPlace());  // checked first, so a failure here never writes

    try {
        WriteReport(full, {"纳干法（徐氏）：", "2013-06-09子时，穴位=公孙"});
        ADD_FAILURE() << "writing to a full disk was reported as success";
    } catch (const StoreError& e) {
        EXPECT_EQ(e.kind(), StoreErrorKind::File);
        EXPECT_TRUE(Contains(e.what(), "/dev/full")) << e.what();
        EXPECT_TRUE(Contains(e.what(), "磁盘空间不足（No space left on device）")) << e.what();
    }
    // The streamed writer meets the full disk at its first block or at the end, never silently.
    EXPECT_THROW(
        {
            ReportWriter writer(full);
            for (const std::string& line : ManyLines(5000)) writer.Line(line);
            writer.Commit();
        },
        StoreError);
    EXPECT_TRUE(IsCharacterDevice("/dev/full"));
}

// Run in a child process: both ways of saving must fail naming the file; exits 0 when they did.
[[noreturn]] void WriteWithFilesLimitedTo4KiB(const QString& path) {
    std::signal(SIGXFSZ, SIG_IGN);
    const rlimit limit{4096, 4096};
    setrlimit(RLIMIT_FSIZE, &limit);
    int failures = 0;
    // The limit is met in the middle of a write: the reason is the system's, never "Unknown error".
    const auto named = [&](const StoreError& e) {
        return Contains(e.what(), path.toStdString()) && Contains(e.what(), "File too large") &&
               Contains(e.what(), "原有的文件保持不变");
    };
    try {
        WriteReport(path, ManyLines(2000));
    } catch (const StoreError& e) {
        failures += named(e);
    }
    try {
        ReportWriter writer(path);
        for (const std::string& line : ManyLines(2000)) writer.Line(line);
        writer.Commit();
    } catch (const StoreError& e) {
        failures += named(e);
    }
    std::_Exit(failures == 2 ? 0 : 1);
}

// A full disk under a plain file: the write of the temporary file fails (here because the process may
// not make files longer than 4 KiB), the old report stays as it was and no temporary file is left.
TEST(DiskFull, FailedWriteLeavesTheOldReportAndNoTemporaryFile) {
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("报告.txt"));
    WriteReport(path, {"旧的报告"});
    const QByteArray before = ReadAll(path);

    EXPECT_EXIT(WriteWithFilesLimitedTo4KiB(path), ::testing::ExitedWithCode(0), "");
    EXPECT_EQ(ReadAll(path), before);
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files | QDir::Hidden),
              QStringList{QStringLiteral("报告.txt")});
}

// A real full disk: a 64 KiB tmpfs, too small for the new report, mounted in a mount namespace of a child
// process so that it vanishes with the child. Exit 0: refused as a full disk with the old report intact; 77:
// no mount possible here.
[[noreturn]] void FillSmallDiskThenSave() {
    QTemporaryDir dir;
    const QByteArray mountPoint = QFile::encodeName(dir.path());
    if (unshare(CLONE_NEWNS) != 0 || mount(nullptr, "/", nullptr, MS_REC | MS_PRIVATE, nullptr) != 0 ||
        mount("tmpfs", mountPoint.constData(), "tmpfs", 0, "size=64k") != 0)
        std::_Exit(77);
    const QString path = dir.filePath(QStringLiteral("报告.txt"));
    WriteReport(path, {"旧的报告"});
    const QByteArray before = ReadAll(path);
    int status = 1;
    try {
        WriteReport(path, ManyLines(4000));
    } catch (const StoreError& e) {
        status = Contains(e.what(), "磁盘空间不足（No space left on device）") ? 0 : 2;
    }
    if (ReadAll(path) != before) status = 3;
    if (QDir(dir.path()).entryList(QDir::Files | QDir::Hidden).size() != 1) status = 4;
    std::_Exit(status);
}

TEST(DiskFull, SmallTmpfsSaysTheDiskIsFullAndKeepsTheOldReport) {
    const pid_t child = fork();
    ASSERT_GE(child, 0);
    if (child == 0) FillSmallDiskThenSave();
    int status = 0;
    ASSERT_EQ(waitpid(child, &status, 0), child);
    ASSERT_TRUE(WIFEXITED(status));
    if (WEXITSTATUS(status) == 77) GTEST_SKIP() << "no tmpfs can be mounted here; RLIMIT_FSIZE covers it";
    EXPECT_EQ(WEXITSTATUS(status), 0);
}

// A name that is not UTF-8 is written under exactly its bytes.
TEST(OutputFile, NameThatIsNotUtf8IsTakenByteForByte) {
    QTemporaryDir dir;
    const QByteArray native = QFile::encodeName(dir.path()) + "/caf\xe9.txt";
    const QString path = PathFromNative(native.toStdString());
    WriteReport(path, {"公孙"});
    WriteReport(path, {"内关"});  // and replaced under the same name
    struct stat st {};
    ASSERT_EQ(stat(native.constData(), &st), 0);
    EXPECT_EQ(st.st_size, 6);
    const std::filesystem::path folder(QFile::encodeName(dir.path()).toStdString());
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(folder), {}), 1);
    EXPECT_EQ(unlink(native.constData()), 0);  // QTemporaryDir cannot remove it
}

// A pipe (the command line's --out /dev/stdout, or a FIFO) receives the report as it is written and is
// still a pipe afterwards.
TEST(OutputFile, PipeIsWrittenInPlace) {
    QTemporaryDir dir;
    const QString fifo = dir.filePath(QStringLiteral("report.fifo"));
    ASSERT_EQ(mkfifo(QFile::encodeName(fifo).constData(), 0600), 0);
    QByteArray received;
    std::thread reader([&] { received = ReadAll(fifo); });
    WriteReport(fifo, {"公孙", "内关"});
    reader.join();
    EXPECT_EQ(received, EncodeGbk(QStringLiteral("公孙\r\n内关\r\n")));
    struct stat st {};
    ASSERT_EQ(stat(QFile::encodeName(fifo).constData(), &st), 0);
    EXPECT_TRUE(S_ISFIFO(st.st_mode));
}

}  // namespace
}  // namespace velunar::store
