#pragma once
// Running velunar-cli commands in the test process, and reading their JSON and CSV.
#include <filesystem>
#include <sstream>
#include <string>
#include <vector>

#include <unistd.h>

#include <QByteArray>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QSqlDatabase>
#include <QSqlQuery>

#include "cli/commands.h"

namespace velunar::testing {

struct CliRun {
    int status = -1;
    std::string out;
    std::string err;
};

inline CliRun RunCommand(const std::vector<std::string>& args) {
    std::ostringstream out, err;
    cli::CommandIo io{out, err};
    CliRun r;
    r.status = cli::RunCli(args, io);
    r.out = out.str();
    r.err = err.str();
    return r;
}

inline QJsonObject ParseJson(const std::string& text) {
    return QJsonDocument::fromJson(QByteArray::fromStdString(text)).object();
}

inline std::string Str(const QJsonObject& o, const char* key) {
    return o.value(key).toString().toStdString();
}

// The shipped database as the build made it.
inline std::string BuiltDatabase() {
    return std::string(VELUNAR_BIN_DIR) + "/db1.sqlite";
}

// A private copy of the built database, removed with the object.
class DatabaseCopy {
  public:
    explicit DatabaseCopy(const std::string& name) {
        dir_ = std::filesystem::temp_directory_path() /
               ("velunar-cli-test-" + name + "-" + std::to_string(::getpid()));
        std::filesystem::create_directories(dir_);
        path_ = (dir_ / "db1.sqlite").string();
        std::filesystem::copy_file(BuiltDatabase(), path_, std::filesystem::copy_options::overwrite_existing);
    }
    ~DatabaseCopy() {
        std::error_code ec;
        std::filesystem::remove_all(dir_, ec);
    }
    const std::string& path() const { return path_; }

    // SQL on the copy through a connection of its own; false when it fails.
    bool Exec(const std::string& sql) const {
        bool ok = false;
        {
            QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), QStringLiteral("copy-exec"));
            db.setDatabaseName(QString::fromStdString(path_));
            ok = db.open() && QSqlQuery(db).exec(QString::fromStdString(sql));
            db.close();
        }
        QSqlDatabase::removeDatabase(QStringLiteral("copy-exec"));
        return ok;
    }

  private:
    std::filesystem::path dir_;
    std::string path_;
};

// RFC 4180 records of a CSV text (CR LF or LF line ends).
inline std::vector<std::vector<std::string>> ParseCsv(const std::string& text) {
    std::vector<std::vector<std::string>> records;
    std::vector<std::string> record;
    std::string field;
    bool quoted = false;
    for (std::size_t i = 0; i < text.size(); ++i) {
        const char c = text[i];
        if (quoted) {
            if (c == '"' && i + 1 < text.size() && text[i + 1] == '"') {
                field += '"';
                ++i;
            } else if (c == '"') {
                quoted = false;
            } else {
                field += c;
            }
        } else if (c == '"') {
            quoted = true;
        } else if (c == ',') {
            record.push_back(field);
            field.clear();
        } else if (c == '\n' || c == '\r') {
            if (c == '\r' && i + 1 < text.size() && text[i + 1] == '\n') ++i;
            record.push_back(field);
            field.clear();
            records.push_back(record);
            record.clear();
        } else {
            field += c;
        }
    }
    return records;
}

}  // namespace velunar::testing
