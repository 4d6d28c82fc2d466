#include "store/datapaths.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QStandardPaths>

#include <filesystem>

#include "store/store_error.h"
#include "store/translation.h"

namespace velunar::store {
namespace {

QString Under(const QString& folder, const QString& relative) {
    return QDir::cleanPath(folder + QLatin1Char('/') + relative);
}

QString FromUtf8(std::string_view text) {
    return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

// The executable's folder; the command line has no QCoreApplication, so Linux's own link serves then.
QString ExecutableFolder() {
    if (QCoreApplication::instance()) return QCoreApplication::applicationDirPath();
    std::error_code ec;
    const std::filesystem::path exe = std::filesystem::read_symlink("/proc/self/exe", ec);
    if (ec)
        throw StoreError(StoreErrorKind::File,
                         Translated("store", "程序文件夹未知：无法读取 /proc/self/exe"));
    return QString::fromStdString(exe.parent_path().string());
}

}  // namespace

QString UserDataFolder() {
    if (QCoreApplication::instance() && QCoreApplication::applicationName() == QStringLiteral("Velunar"))
        return QStandardPaths::writableLocation(QStandardPaths::AppDataLocation);
    // The same folder worked out by hand, for the command line (no application object).
    QString base = qEnvironmentVariable("XDG_DATA_HOME");
    if (base.isEmpty() || !QDir::isAbsolutePath(base))
        base = QDir::homePath() + QStringLiteral("/.local/share");
    return QDir::cleanPath(base + QStringLiteral("/Velunar"));
}

DataPaths DataPaths::ForExecutable() {
    const QString exe = ExecutableFolder();
    const QString shared = QDir::cleanPath(exe + QStringLiteral("/../share/velunar"));
    // Data beside the program wins: the build folder and unpacked copies keep working as they are.
    if (!QFileInfo::exists(Under(exe, QStringLiteral("db1.sqlite"))) &&
        QFileInfo::exists(Under(shared, QStringLiteral("db1.sqlite"))))
        return Installed(shared, UserDataFolder());
    return DataPaths(exe);
}

DataPaths DataPaths::Installed(const QString& sharedFolder, const QString& userFolder) {
    DataPaths paths(sharedFolder);
    paths.userFolder_ = QDir::cleanPath(QDir(userFolder).absolutePath());
    return paths;
}

DataPaths::DataPaths(const QString& folder) : folder_(QDir::cleanPath(QDir(folder).absolutePath())) {}

QString DataPaths::DatabaseFile() const {
    return IsInstalled() ? Under(userFolder_, QStringLiteral("db1.sqlite")) : ShippedDatabaseFile();
}

QString DataPaths::ShippedDatabaseFile() const {
    return Under(folder_, QStringLiteral("db1.sqlite"));
}

QString DataPaths::ReadableDatabaseFile() const {
    return QFileInfo::exists(DatabaseFile()) ? DatabaseFile() : ShippedDatabaseFile();
}

bool DataPaths::PrepareUserDatabase() const {
    if (!IsInstalled() || QFileInfo::exists(DatabaseFile())) return false;
    const QString target = DatabaseFile();
    if (!QDir().mkpath(userFolder_))
        throw StoreError(StoreErrorKind::File,
                         TranslatedQ("store", "无法建立用户数据文件夹 %1").arg(userFolder_).toStdString());
    // Copy under a temporary name first, so an interrupted first start never leaves half a database.
    const QString partial = target + QStringLiteral(".part");
    QFile::remove(partial);
    if (!QFile::copy(ShippedDatabaseFile(), partial) || !QFile::rename(partial, target)) {
        QFile::remove(partial);
        throw StoreError(StoreErrorKind::File, TranslatedQ("store", "无法把默认数据库 %1 复制到 %2")
                                                   .arg(ShippedDatabaseFile(), target)
                                                   .toStdString());
    }
    // The shipped file is read-only; the user's copy is theirs to write.
    QFile::setPermissions(target,
                          QFile::permissions(target) | QFileDevice::WriteOwner | QFileDevice::ReadOwner);
    return true;
}

QString DataPaths::TreeFile() const {
    return Under(folder_, QStringLiteral("tree.ini"));
}

QString DataPaths::MessageFile(std::string_view name) const {
    // The English help beside the Chinese, where the data has it.
    if (CurrentLanguage() == Language::English) {
        const QString english = Under(folder_, QStringLiteral("msg/en/") + FromUtf8(name));
        if (QFileInfo::exists(english)) return english;
    }
    return Under(folder_, QStringLiteral("msg/") + FromUtf8(name));
}

QString DataPaths::PictureFile(std::string_view name) const {
    return Under(folder_, QStringLiteral("pic/") + FromUtf8(name));
}

QString DataPaths::SoundFile() const {
    return Under(folder_, QStringLiteral("romance.mp3"));
}

QString DataPaths::Resolve(std::string_view stored) const {
    return Resolve(FromUtf8(stored));
}

QString DataPaths::Resolve(const QString& stored) const {
    if (stored.isEmpty()) return QString();
    QString path = stored;
    path.replace(QLatin1Char('\\'), QLatin1Char('/'));
    // A drive letter (C:\…) or a path picked in a file dialog here (/home/…) is already absolute.
    if (stored.contains(QLatin1Char(':')) || path.startsWith(QLatin1Char('/'))) return path;
    return Under(folder_, path);
}

}  // namespace velunar::store
