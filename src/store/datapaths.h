#pragma once
// The one place that decides where the program's data lives: the database, the place list, the help texts,
// the pictures and the sound. For now the data folder is the executable's folder (where the build puts
// them), or a folder given explicitly (tests, the command line).
#include <string_view>

#include <QString>

namespace velunar::store {

class DataPaths {
  public:
    // Where the running program's data is. Portable layout: db1.sqlite beside the executable (the build
    // folder, an unpacked copy); everything is read and written there. Installed layout: the shipped,
    // read-only data in <prefix>/share/velunar beside <prefix>/bin, and each user's own database (settings,
    // descriptions, picture paths) in the per-user data folder. Works without a QCoreApplication.
    static DataPaths ForExecutable();
    // The installed layout with explicit folders (tests).
    static DataPaths Installed(const QString& sharedFolder, const QString& userFolder);
    // An explicit data folder, portable layout; relative folders are made absolute against the current
    // folder once, here.
    explicit DataPaths(const QString& folder);

    // The read-only data folder. Absolute, with '/' separators, no trailing separator.
    const QString& Folder() const { return folder_; }
    bool IsInstalled() const { return !userFolder_.isEmpty(); }

    // The database the program opens and writes: beside the data (portable) or the user's own copy.
    QString DatabaseFile() const;
    // The default database as shipped (the same file as DatabaseFile() in the portable layout).
    QString ShippedDatabaseFile() const;
    // The database to read when nothing may be written (the command line): the user's copy once it
    // exists, else the shipped one.
    QString ReadableDatabaseFile() const;
    // Installed layout: copies the shipped database into the user's folder when the user has none yet.
    // Returns true when it made the copy (the first start). Throws StoreError (File) naming the paths.
    bool PrepareUserDatabase() const;

    QString TreeFile() const;                          // tree.ini
    QString MessageFile(std::string_view name) const;  // msg/<name>, e.g. "sun.txt"
    QString PictureFile(std::string_view name) const;  // pic/<name>, e.g. "肺.JPG"
    QString SoundFile() const;                         // romance.mp3

    // A path as stored in the database (UTF-8): a path containing ':' is absolute and kept (a Windows path
    // gets '/' for its backslashes; it simply will not exist here); any other path is relative to the data
    // folder, backslashes mapped to the separator ("pic\肺.JPG" → <folder>/pic/肺.JPG). Empty stays empty.
    QString Resolve(std::string_view stored) const;
    QString Resolve(const QString& stored) const;

  private:
    QString folder_;
    QString userFolder_;  // empty in the portable layout
};

// The per-user data folder of the installed program ($XDG_DATA_HOME or ~/.local/share, then "Velunar").
QString UserDataFolder();  // QStandardPaths::AppDataLocation of the application "Velunar"

}  // namespace velunar::store
