#pragma once
// The saved reverse-lookup report: GBK without byte-order mark, CR LF after every line.
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include <QString>

namespace velunar::store {

// Writes report lines as the saved report: GBK without byte-order mark, CR LF after every line, replacing
// the file only once everything is encoded and written. Throws StoreError (Encoding naming the first
// character GBK cannot hold, or File).
void WriteReport(const QString& path, const std::vector<std::string>& lines);

// The same file written line by line, for reports too long to hold in memory (the command line streams
// them): the bytes are those of WriteReport, and the target is replaced only by Commit, once every line
// has been encoded and written. Destroyed without Commit, it leaves the target as it was.
class ReportWriter {
  public:
    // Throws StoreError (File) when the temporary file beside `path` cannot be created. `utf8`: the English
    // report, whose lines GBK may not hold, in UTF-8 (no byte-order mark, CR LF all the same).
    explicit ReportWriter(const QString& path, bool utf8 = false);
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
