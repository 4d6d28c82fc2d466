#pragma once
// Small databases made from data/schema.sql for the store tests, each in its own temporary folder.
#include <string>
#include <vector>

#include <QString>
#include <QTemporaryDir>
#include <QVariant>

namespace velunar::store::test {

// Creates the file at path with the schema of the program's database and nothing else.
void CreateSchema(const QString& path);

// Runs statements on the file through a connection of its own (not the store's).
void RawExec(const QString& path, const QString& sql, const QVariantList& values = {});
// The first column of every row of a select, as text (NULL reads as "<null>").
std::vector<std::string> RawColumn(const QString& path, const QString& sql, const QVariantList& values = {});

// A temporary folder holding db1.sqlite with the schema and a few rows of every table.
class FixtureDb {
  public:
    explicit FixtureDb(bool withSettingsRow = true);
    const QString& Path() const { return path_; }
    QString Folder() const { return dir_.path(); }

  private:
    QTemporaryDir dir_;
    QString path_;
};

}  // namespace velunar::store::test
