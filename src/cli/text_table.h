#pragma once
// Tables for a terminal and for spreadsheets: columns aligned by display width (a CJK character takes
// two columns), and CSV fields quoted as RFC 4180 asks.
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

// CSV records written as they come, CR LF after each, in blocks.
class CsvWriter {
  public:
    explicit CsvWriter(std::ostream& out) : out_(out) {}
    ~CsvWriter();
    void Row(const TextRow& row);
    void Flush();

  private:
    std::ostream& out_;
    std::string buffer_;
};

// Header and rows as CSV, CR LF after every record.
void WriteCsv(std::ostream& out, const TextRow& header, const std::vector<TextRow>& rows);

}  // namespace velunar::cli
