// GBK at the file boundary, and where the data files are found.
#include <gtest/gtest.h>
#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include "store/codec.h"
#include "store/datapaths.h"
#include "store/store_error.h"

namespace velunar::store {
namespace {

bool Contains(const std::string& text, const std::string& part) {
    return text.find(part) != std::string::npos;
}

TEST(Gbk, ThisQtCanConvertGbk) {
    ASSERT_TRUE(GbkAvailable()) << "Qt was built without ICU: the place list, the help texts and the report "
                                   "cannot be read or written as GBK";
}

TEST(Gbk, RoundTripOfPointTextAndPunctuation) {
    const QString text = QStringLiteral("足三里，胃经合穴。已巳时①℃—“引号”\r\n");
    const QByteArray bytes = EncodeGbk(text);
    EXPECT_EQ(EncodeGbk(QStringLiteral("肺")).toHex(), "b7ce");
    bool invalid = true;
    EXPECT_EQ(DecodeGbk(bytes, &invalid), text);
    EXPECT_FALSE(invalid);
}

TEST(Gbk, UnencodableCharacterIsNamedWithItsPosition) {
    const QString text = QStringLiteral("肺经한穴");
    EXPECT_EQ(FirstUnencodable(text).position, 3);
    EXPECT_EQ(FirstUnencodable(text).character, QStringLiteral("한"));
    EXPECT_EQ(FirstUnencodable(QStringLiteral("肺经")).position, 0);
    try {
        EncodeGbk(text);
        FAIL() << "한 has no GBK code";
    } catch (const StoreError& e) {
        EXPECT_EQ(e.kind(), StoreErrorKind::Encoding);
        EXPECT_TRUE(Contains(e.what(), "한")) << e.what();
        EXPECT_TRUE(Contains(e.what(), "U+D55C")) << e.what();
        EXPECT_TRUE(Contains(e.what(), "第 3 个字符")) << e.what();
    }
}

TEST(Gbk, CharacterOutsideTheBasicPlaneCountsAsOne) {
    const Unencodable bad = FirstUnencodable(QStringLiteral("ab😀c"));
    EXPECT_EQ(bad.position, 3);
    EXPECT_EQ(bad.character, QStringLiteral("😀"));
}

TEST(Gbk, InvalidBytesAreFlaggedOnDecode) {
    bool invalid = false;
    EXPECT_EQ(DecodeGbk(QByteArray("\xb7\xce\x81\x20", 4), &invalid), QStringLiteral("肺\uFFFD "));
    EXPECT_TRUE(invalid);
    // A file cut off after the first byte of a character is flagged too.
    invalid = false;
    EXPECT_EQ(DecodeGbk(QByteArray("\xb7\xce\xb7", 3), &invalid), QStringLiteral("肺\uFFFD"));
    EXPECT_TRUE(invalid);
}

TEST(Gbk, LineEndsBecomeCrLf) {
    EXPECT_EQ(ToCrLf(QStringLiteral("a\nb\r\nc\rd")), QStringLiteral("a\r\nb\r\nc\r\nd"));
}

TEST(GbkFile, WriteThenReadAndRefuseUnencodableWithoutTouchingTheOldFile) {
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("报告.txt"));
    WriteGbkFile(path, QStringLiteral("2013-06-09子时，穴位=公孙\r\n"));
    EXPECT_EQ(ReadGbkFile(path), QStringLiteral("2013-06-09子时，穴位=公孙\r\n"));
    EXPECT_THROW(WriteGbkFile(path, QStringLiteral("한")), StoreError);
    EXPECT_EQ(ReadGbkFile(path), QStringLiteral("2013-06-09子时，穴位=公孙\r\n"));
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files).size(), 1);
}

TEST(GbkFile, MissingFileNamesThePath) {
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("msg/sun.txt"));
    try {
        ReadGbkFile(path);
        FAIL();
    } catch (const StoreError& e) {
        EXPECT_EQ(e.kind(), StoreErrorKind::File);
        EXPECT_TRUE(Contains(e.what(), path.toStdString())) << e.what();
    }
}

TEST(DataPaths, FilesOfTheDataFolder) {
    QTemporaryDir dir;
    const DataPaths paths(dir.path());
    const QString folder = QDir(dir.path()).absolutePath();
    EXPECT_EQ(paths.Folder(), folder);
    EXPECT_EQ(paths.DatabaseFile(), folder + "/db1.sqlite");
    EXPECT_EQ(paths.TreeFile(), folder + "/tree.ini");
    EXPECT_EQ(paths.MessageFile("sun.txt"), folder + "/msg/sun.txt");
    EXPECT_EQ(paths.PictureFile("阴跷.JPG"), folder + QStringLiteral("/pic/阴跷.JPG"));
    EXPECT_EQ(paths.SoundFile(), folder + "/romance.mp3");
}

TEST(DataPaths, StoredRelativePathWithBackslashesIsFoundInTheDataFolder) {
    QTemporaryDir dir;
    ASSERT_TRUE(QDir(dir.path()).mkpath("pic"));
    QFile picture(dir.filePath(QStringLiteral("pic/肺.JPG")));
    ASSERT_TRUE(picture.open(QIODevice::WriteOnly));
    picture.close();
    const DataPaths paths(dir.path());
    const QString resolved = paths.Resolve(std::string_view("pic\\肺.JPG"));
    EXPECT_EQ(resolved, paths.PictureFile("肺.JPG"));
    EXPECT_TRUE(QFile::exists(resolved));
    EXPECT_EQ(paths.Resolve(QStringLiteral("pic/肺.JPG")), resolved);
}

TEST(DataPaths, AbsoluteStoredPathsAreKept) {
    const DataPaths paths(QStringLiteral("/opt/velunar"));
    EXPECT_EQ(paths.Resolve(QStringLiteral("C:\\穴位图\\足三里.jpg")),
              QStringLiteral("C:/穴位图/足三里.jpg"));
    EXPECT_EQ(paths.Resolve(QStringLiteral("/home/user/图/公孙.jpg")),
              QStringLiteral("/home/user/图/公孙.jpg"));
    EXPECT_EQ(paths.Resolve(QString()), QString());
}

TEST(DataPaths, RelativeFolderIsMadeAbsoluteOnce) {
    const DataPaths paths(QStringLiteral("data"));
    EXPECT_TRUE(QDir::isAbsolutePath(paths.Folder()));
    EXPECT_TRUE(paths.Folder().endsWith("/data"));
}

TEST(DataPaths, ExecutableBesideItsDataIsPortable) {
    // The test binary lives in the build's bin folder, beside the built database.
    const DataPaths paths = DataPaths::ForExecutable();
    EXPECT_FALSE(paths.IsInstalled());
    EXPECT_EQ(paths.DatabaseFile(), paths.ShippedDatabaseFile());
}

TEST(DataPaths, InstalledProgramCopiesTheShippedDatabaseForTheUserOnce) {
    QTemporaryDir shared, home;
    ASSERT_TRUE(shared.isValid() && home.isValid());
    {
        QFile db(shared.filePath("db1.sqlite"));
        ASSERT_TRUE(db.open(QIODevice::WriteOnly));
        db.write("shipped");
    }
    QFile::setPermissions(shared.filePath("db1.sqlite"), QFileDevice::ReadOwner);
    const DataPaths paths = DataPaths::Installed(shared.path(), home.filePath("Velunar"));
    EXPECT_EQ(paths.ReadableDatabaseFile(), paths.ShippedDatabaseFile());
    EXPECT_TRUE(paths.PrepareUserDatabase());
    EXPECT_EQ(paths.DatabaseFile(), home.filePath("Velunar/db1.sqlite"));
    EXPECT_EQ(paths.ReadableDatabaseFile(), paths.DatabaseFile());
    EXPECT_TRUE(QFileInfo(paths.DatabaseFile()).isWritable());
    // The user's changes are never overwritten by a later start; the shipped file stays as shipped.
    {
        QFile db(paths.DatabaseFile());
        ASSERT_TRUE(db.open(QIODevice::WriteOnly));
        db.write("mine");
    }
    EXPECT_FALSE(paths.PrepareUserDatabase());
    QFile mine(paths.DatabaseFile()), orig(paths.ShippedDatabaseFile());
    ASSERT_TRUE(mine.open(QIODevice::ReadOnly) && orig.open(QIODevice::ReadOnly));
    EXPECT_EQ(mine.readAll(), "mine");
    EXPECT_EQ(orig.readAll(), "shipped");
    // Pictures and texts still come from the shipped folder.
    EXPECT_EQ(paths.Resolve(std::string_view("pic\\肺.JPG")), QDir(shared.path()).filePath("pic/肺.JPG"));
}

}  // namespace
}  // namespace velunar::store
