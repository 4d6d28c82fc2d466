#include "cli/text_table.h"

#include "calendar/utf8.h"
#include "report/json.h"

#include <algorithm>
#include <cstdint>

namespace velunar::cli {
namespace {

struct Range {
    char32_t first;
    char32_t last;
};

// East Asian Wide (W) and Fullwidth (F) blocks that matter for this program's texts.
constexpr Range kWide[] = {{0x1100, 0x115F},  {0x2E80, 0x303E}, {0x3041, 0x33FF}, {0x3400, 0x4DBF},
                           {0x4E00, 0x9FFF},  {0xA000, 0xA4CF}, {0xAC00, 0xD7A3}, {0xF900, 0xFAFF},
                           {0xFE30, 0xFE4F},  {0xFF00, 0xFF60}, {0xFFE0, 0xFFE6}, {0x20000, 0x2FFFD},
                           {0x30000, 0x3FFFD}};
constexpr Range kZero[] = {{0x0300, 0x036F}, {0x200B, 0x200F}, {0xFE00, 0xFE0F}, {0xFE20, 0xFE2F}};

bool In(const Range* begin, const Range* end, char32_t c) {
    return std::any_of(begin, end, [c](const Range& r) { return c >= r.first && c <= r.last; });
}

std::string Cell(const std::string& text) {
    return text.empty() ? "-" : text;
}

void AppendLine(std::string& line, const TextRow& row, const std::vector<std::size_t>& widths) {
    for (std::size_t c = 0; c < row.size(); ++c) {
        const std::string cell = Cell(row[c]);
        line += cell;
        if (c + 1 < row.size()) {
            const std::size_t width = DisplayWidth(cell), column = c < widths.size() ? widths[c] : width;
            line.append(column > width ? column - width + 2 : 2, ' ');
        }
    }
    line += '\n';
}

void WriteLine(std::ostream& out, const TextRow& row, const std::vector<std::size_t>& widths) {
    std::string line;
    AppendLine(line, row, widths);
    out << line;
}

}  // namespace

std::size_t DisplayWidth(std::string_view text) {
    std::size_t width = 0;
    for (std::size_t i = 0; i < text.size();) {
        const char32_t c = NextCodePoint(text, i);
        if (In(std::begin(kWide), std::end(kWide), c))
            width += 2;
        else if (!In(std::begin(kZero), std::end(kZero), c))
            width += 1;
    }
    return width;
}

std::string CsvField(std::string_view text) {
    if (text.find_first_of(",\"\r\n") == std::string_view::npos) return std::string(text);
    std::string quoted = "\"";
    for (char c : text) {
        if (c == '"') quoted += '"';
        quoted += c;
    }
    return quoted + '"';
}

std::vector<std::size_t> ColumnWidths(const TextRow& header, const std::vector<TextRow>& rows) {
    std::vector<std::size_t> widths(header.size(), 0);
    auto measure = [&widths](const TextRow& row) {
        for (std::size_t c = 0; c < row.size() && c < widths.size(); ++c)
            widths[c] = std::max(widths[c], DisplayWidth(Cell(row[c])));
    };
    measure(header);
    for (const TextRow& row : rows) measure(row);
    return widths;
}

void WriteAlignedTable(std::ostream& out, const TextRow& header, const std::vector<TextRow>& rows) {
    const std::vector<std::size_t> widths = ColumnWidths(header, rows);
    WriteLine(out, header, widths);
    for (const TextRow& row : rows) WriteLine(out, row, widths);
}

AlignedWriter::~AlignedWriter() {
    Flush();
}

void AlignedWriter::Row(const TextRow& row) {
    AppendLine(buffer_, row, widths_);
    if (buffer_.size() >= 64 * 1024) Flush();
}

void AlignedWriter::Flush() {
    out_.write(buffer_.data(), static_cast<std::streamsize>(buffer_.size()));
    buffer_.clear();
}

CsvWriter::~CsvWriter() {
    Flush();
}

void CsvWriter::Row(const TextRow& row) {
    for (std::size_t c = 0; c < row.size(); ++c) {
        if (c) buffer_ += ',';
        buffer_ += CsvField(row[c]);
    }
    buffer_ += "\r\n";
    if (buffer_.size() >= 64 * 1024) Flush();
}

void CsvWriter::Flush() {
    out_.write(buffer_.data(), static_cast<std::streamsize>(buffer_.size()));
    buffer_.clear();
}

JsonLinesWriter::JsonLinesWriter(std::ostream& out, const TextRow& keys) : out_(out) {
    for (const std::string& key : keys) {
        keys_.push_back(JsonQuote(key) + ':');
        nullWhenEmpty_.push_back(key == "start" || key == "end");
    }
}

JsonLinesWriter::~JsonLinesWriter() {
    Flush();
}

void JsonLinesWriter::Row(const TextRow& row) {
    buffer_ += '{';
    for (std::size_t c = 0; c < row.size() && c < keys_.size(); ++c) {
        if (c) buffer_ += ',';
        buffer_ += keys_[c];
        buffer_ += row[c].empty() && nullWhenEmpty_[c] ? std::string("null") : JsonQuote(row[c]);
    }
    buffer_ += "}\n";
    if (buffer_.size() >= 64 * 1024) Flush();
}

void JsonLinesWriter::Flush() {
    out_.write(buffer_.data(), static_cast<std::streamsize>(buffer_.size()));
    buffer_.clear();
}

std::unique_ptr<RecordWriter> MakeRecordWriter(std::ostream& out, bool json, bool bom,
                                               const TextRow& header) {
    if (json) return std::make_unique<JsonLinesWriter>(out, header);
    if (bom) out << "\xEF\xBB\xBF";
    auto csv = std::make_unique<CsvWriter>(out);
    csv->Row(header);
    return csv;
}

void WriteCsv(std::ostream& out, const TextRow& header, const std::vector<TextRow>& rows) {
    CsvWriter writer(out);
    writer.Row(header);
    for (const TextRow& row : rows) writer.Row(row);
}

}  // namespace velunar::cli
