#pragma once
// The one place that decides where the program's data lives: the database, the place list, the help texts,
// the pictures and the sound. For now the data folder is the executable's folder (where the build puts
// them), or a folder given explicitly (tests, the command line).
#include <string_view>

#include <QString>

namespace velunar::store {

class DataPaths {
  public:
    // The folder of the running executable. Throws StoreError (File) when no QCoreApplication exists.
    static DataPaths ForExecutable();
    // An explicit data folder; relative folders are made absolute against the current folder once, here.
    explicit DataPaths(const QString& folder);

    // Absolute, with '/' separators, no trailing separator.
    const QString& Folder() const { return folder_; }

    QString DatabaseFile() const;                      // db1.sqlite
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
};

}  // namespace velunar::store
