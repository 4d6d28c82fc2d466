#pragma once
// The reverse lookup's rows, read through the catalogue: each scan's filtered query runs once per search.
#include <memory>
#include <string_view>

#include "reverse/reverse.h"
#include "store/database.h"

namespace velunar::store {

class DatabaseReverseSource : public ReverseSource {
  public:
    explicit DatabaseReverseSource(Database& db) : db_(db) {}

    std::vector<NaGanScanRow> NaGanRows(const std::string& point) override;
    std::vector<NaZhiScanRow> NaZhiRows(const std::string& point) override;
    std::vector<MeridianScanRow> MeridianRows(const std::string& point) override;
    std::vector<ShuScanRow> ShuRows(const std::string& point) override;
    std::vector<BuXueScanRow> BuXueRows(const std::string& point) override;

  private:
    Database& db_;
};

// Writes report lines as the saved report: GBK without byte-order mark, CR LF after every line, replacing
// the file only once everything is encoded and written. Throws StoreError (Encoding naming the first
// character GBK cannot hold, or File).
void WriteReport(const QString& path, const std::vector<std::string>& lines);

// The same file written line by line, for reports too long to hold in memory (the command line streams
// them): the bytes are those of WriteReport, and the target is replaced only by Commit, once every line
// has been encoded and written. Destroyed without Commit, it leaves the target as it was.
class ReportWriter {
  public:
    // Throws StoreError (File) when the temporary file beside `path` cannot be created.
    explicit ReportWriter(const QString& path);
    ~ReportWriter();
    ReportWriter(const ReportWriter&) = delete;
    ReportWriter& operator=(const ReportWriter&) = delete;

    // Throws StoreError (Encoding, naming the line and the character GBK cannot hold, or File).
    void Line(std::string_view utf8);
    // Throws StoreError (File).
    void Commit();

  private:
    struct Impl;
    std::unique_ptr<Impl> impl_;
};

}  // namespace velunar::store
