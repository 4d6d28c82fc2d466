#pragma once
// Tables for a terminal and for spreadsheets: columns aligned by display width (a CJK character takes
// two columns), CSV fields quoted as RFC 4180 asks, and the same records as JSON Lines.
#include <memory>
#include <ostream>
#include <string>
#include <string_view>
#include <vector>

namespace velunar::cli {

// Terminal columns a UTF-8 text takes: 2 for East Asian wide and fullwidth characters, 0 for
// combining marks, 1 otherwise; each byte of an invalid sequence counts 1.
std::size_t DisplayWidth(std::string_view text);

// A field as CSV writes it: in double quotes, inner quotes doubled, when it holds a comma, a quote,
// CR or LF; as it is otherwise.
std::string CsvField(std::string_view text);

using TextRow = std::vector<std::string>;

// Header and rows, every column padded to its widest cell, two blanks between columns, no trailing
// blanks. Empty cells show as "-" so a column never looks shifted.
void WriteAlignedTable(std::ostream& out, const TextRow& header, const std::vector<TextRow>& rows);
// The widths WriteAlignedTable gives the columns of header and rows.
std::vector<std::size_t> ColumnWidths(const TextRow& header, const std::vector<TextRow>& rows);

// Aligned rows written as they come, against widths known beforehand (cells wider than their column
// push the rest of their line right); in blocks.
class AlignedWriter {
  public:
    AlignedWriter(std::ostream& out, std::vector<std::size_t> widths)
        : out_(out), widths_(std::move(widths)) {}
    ~AlignedWriter();
    void Row(const TextRow& row);
    void Flush();

  private:
    std::ostream& out_;
    std::vector<std::size_t> widths_;
    std::string buffer_;
};

// Records for scripts, written as they come, in blocks.
class RecordWriter {
  public:
    virtual ~RecordWriter() = default;
    virtual void Row(const TextRow& row) = 0;
    virtual void Flush() = 0;
};

// CSV records, CR LF after each.
class CsvWriter : public RecordWriter {
  public:
    explicit CsvWriter(std::ostream& out) : out_(out) {}
    ~CsvWriter() override;
    void Row(const TextRow& row) override;
    void Flush() override;

  private:
    std::ostream& out_;
    std::string buffer_;
};

// JSON Lines: each row one object on a line of its own, its fields keyed by `keys` (the CSV header's
// titles), every value a string but an empty "start" or "end", which is null (the double-hour has no span).
class JsonLinesWriter : public RecordWriter {
  public:
    JsonLinesWriter(std::ostream& out, const TextRow& keys);
    ~JsonLinesWriter() override;
    void Row(const TextRow& row) override;
    void Flush() override;

  private:
    std::ostream& out_;
    std::vector<std::string> keys_;  // quoted, with their colon
    std::vector<bool> nullWhenEmpty_;
    std::string buffer_;
};

// JSON Lines, or CSV with `header` as its first record (after the byte-order mark when `bom`).
std::unique_ptr<RecordWriter> MakeRecordWriter(std::ostream& out, bool json, bool bom, const TextRow& header);

// Header and rows as CSV, CR LF after every record.
void WriteCsv(std::ostream& out, const TextRow& header, const std::vector<TextRow>& rows);

}  // namespace velunar::cli
