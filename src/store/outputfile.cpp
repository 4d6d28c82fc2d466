#include "store/outputfile.h"

#include <atomic>
#include <cerrno>
#include <climits>
#include <cstdlib>
#include <cstring>
#include <random>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include "store/nativepath.h"
#include "store/translation.h"

namespace velunar::store {

namespace {

bool IsSpecialFile(const QByteArray& path) {
    struct stat st {};  // follows symbolic links
    return ::stat(path.constData(), &st) == 0 && !S_ISREG(st.st_mode) && !S_ISDIR(st.st_mode);
}

// A symbolic link is kept and its target replaced, as an editor saving through the link would.
QByteArray ResolvedTarget(const QByteArray& path) {
    struct stat st {};
    if (::lstat(path.constData(), &st) != 0 || !S_ISLNK(st.st_mode)) return path;
    char resolved[PATH_MAX];
    return ::realpath(path.constData(), resolved) ? QByteArray(resolved) : path;
}

QString Reason(int error) {
    const QString system = QString::fromLocal8Bit(std::strerror(error));
    switch (error) {
        case ENOSPC:
        case EDQUOT:
            return TranslatedQ("store", "磁盘空间不足（%1）").arg(system);
        case EIO:
            return TranslatedQ("store", "读写设备时发生 I/O 错误（%1）").arg(system);
        case EFBIG:
            return TranslatedQ("store", "文件超出了系统允许的大小（%1）").arg(system);
        default:
            return system;
    }
}

int Close(int fd) {
    return ::close(fd) == 0 || errno == EINTR ? 0 : errno;
}

}  // namespace

OutputFile::OutputFile(const QString& path)
    : target_(NativeFromPath(path)), inPlace_(IsSpecialFile(target_)) {}

OutputFile::~OutputFile() {
    Cancel();
}

bool OutputFile::Fail(int error) {
    error_ = Reason(error);
    if (replacesExisting_) error_ += TranslatedQ("store", "；原有的文件保持不变");
    Discard();
    return false;
}

void OutputFile::Discard() {
    if (fd_ >= 0) ::close(fd_);
    fd_ = -1;
    if (!temporary_.isEmpty()) ::unlink(temporary_.constData());
    temporary_.clear();
}

bool OutputFile::Open() {
    Discard();
    error_.clear();
    if (inPlace_) {
        do {
            fd_ = ::open(target_.constData(), O_WRONLY | O_CLOEXEC | O_NOCTTY);
        } while (fd_ < 0 && errno == EINTR);
        return fd_ >= 0 || Fail(errno);
    }
    target_ = ResolvedTarget(target_);
    struct stat existing {};
    replacesExisting_ = ::stat(target_.constData(), &existing) == 0;
    if (replacesExisting_ && S_ISDIR(existing.st_mode)) return Fail(EISDIR);
    static std::atomic<unsigned> counter{0};
    std::random_device random;
    for (int attempt = 0; attempt < 100 && fd_ < 0; ++attempt) {
        temporary_ = target_ + '.' + QByteArray::number(::getpid()) + '-' + QByteArray::number(counter++) +
                     '-' + QByteArray::number(random(), 36) + ".tmp";
        // The mode a new file gets (0666 less the umask), or the old file's mode.
        fd_ = ::open(temporary_.constData(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
        if (fd_ < 0 && errno != EEXIST && errno != EINTR) {
            temporary_.clear();
            return Fail(errno);
        }
    }
    if (fd_ < 0) {
        temporary_.clear();
        return Fail(EEXIST);
    }
    if (replacesExisting_ && ::fchmod(fd_, existing.st_mode & 07777) != 0) return Fail(errno);
    return true;
}

bool OutputFile::Write(const QByteArray& bytes) {
    if (fd_ < 0) return error_.isEmpty() ? Fail(EBADF) : false;
    const char* data = bytes.constData();
    qsizetype left = bytes.size();
    // A short write (the disk filled up in the middle) is followed by one that says why.
    while (left > 0) {
        const ssize_t written = ::write(fd_, data, static_cast<std::size_t>(left));
        if (written < 0) {
            if (errno == EINTR) continue;
            return Fail(errno);
        }
        data += written;
        left -= written;
    }
    return true;
}

bool OutputFile::Commit() {
    if (fd_ < 0) return error_.isEmpty() ? Fail(EBADF) : false;
    if (inPlace_) {
        const int error = Close(fd_);
        fd_ = -1;
        return error == 0 || Fail(error);
    }
    // Written through to the disk before the rename, so the new name never shows a half-written file.
    if (::fsync(fd_) != 0 && errno != EINVAL) return Fail(errno);
    const int error = Close(fd_);
    fd_ = -1;
    if (error != 0) return Fail(error);
    if (::rename(temporary_.constData(), target_.constData()) != 0) return Fail(errno);
    temporary_.clear();
    return true;
}

void OutputFile::Cancel() {
    Discard();
}

}  // namespace velunar::store
