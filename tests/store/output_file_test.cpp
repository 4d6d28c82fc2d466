// Saving a report when the disk is full, and to targets that are not plain files.
#include <csignal>
#include <string>
#include <thread>

#include <sys/resource.h>
#include <sys/stat.h>

#include <gtest/gtest.h>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include "store/codec.h"
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
        EXPECT_TRUE(Contains(e.what(), "No space left on device")) << e.what();
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
    try {
        WriteReport(path, ManyLines(2000));
    } catch (const StoreError& e) {
        failures += Contains(e.what(), path.toStdString());
    }
    try {
        ReportWriter writer(path);
        for (const std::string& line : ManyLines(2000)) writer.Line(line);
        writer.Commit();
    } catch (const StoreError& e) {
        failures += Contains(e.what(), path.toStdString());
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
