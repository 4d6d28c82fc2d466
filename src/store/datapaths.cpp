#include "store/datapaths.h"

#include <QCoreApplication>
#include <QDir>

#include "store/store_error.h"

namespace velunar::store {
namespace {

QString Under(const QString& folder, const QString& relative) {
    return QDir::cleanPath(folder + QLatin1Char('/') + relative);
}

QString FromUtf8(std::string_view text) {
    return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

}  // namespace

DataPaths DataPaths::ForExecutable() {
    if (!QCoreApplication::instance()) {
        throw StoreError(StoreErrorKind::File, "程序文件夹未知：还没有建立 QCoreApplication");
    }
    return DataPaths(QCoreApplication::applicationDirPath());
}

DataPaths::DataPaths(const QString& folder) : folder_(QDir::cleanPath(QDir(folder).absolutePath())) {}

QString DataPaths::DatabaseFile() const {
    return Under(folder_, QStringLiteral("db1.sqlite"));
}

QString DataPaths::TreeFile() const {
    return Under(folder_, QStringLiteral("tree.ini"));
}

QString DataPaths::MessageFile(std::string_view name) const {
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
