#include "cli/json.h"

#include <charconv>
#include <cmath>
#include <cstdio>

namespace velunar::cli {
namespace {

bool IsContinuation(unsigned char c) {
    return (c & 0xC0) == 0x80;
}

// Length of the valid UTF-8 sequence starting at text[i], or 0 when it is not one.
std::size_t Utf8SequenceLength(std::string_view text, std::size_t i) {
    const auto c = static_cast<unsigned char>(text[i]);
    std::size_t n = 0;
    std::uint32_t min = 0, code = 0;
    if (c < 0x80) return 1;
    if (c >= 0xC2 && c <= 0xDF)
        n = 2, min = 0x80, code = c & 0x1F;
    else if (c >= 0xE0 && c <= 0xEF)
        n = 3, min = 0x800, code = c & 0x0F;
    else if (c >= 0xF0 && c <= 0xF4)
        n = 4, min = 0x10000, code = c & 0x07;
    else
        return 0;
    if (i + n > text.size()) return 0;
    for (std::size_t k = 1; k < n; ++k) {
        const auto d = static_cast<unsigned char>(text[i + k]);
        if (!IsContinuation(d)) return 0;
        code = (code << 6) | (d & 0x3F);
    }
    // Overlong forms, surrogates and code points past U+10FFFF are not UTF-8.
    if (code < min || (code >= 0xD800 && code <= 0xDFFF) || code > 0x10FFFF) return 0;
    return n;
}

void AppendEscaped(std::string& out, char c) {
    switch (c) {
        case '"':
            out += "\\\"";
            return;
        case '\\':
            out += "\\\\";
            return;
        case '\b':
            out += "\\b";
            return;
        case '\f':
            out += "\\f";
            return;
        case '\n':
            out += "\\n";
            return;
        case '\r':
            out += "\\r";
            return;
        case '\t':
            out += "\\t";
            return;
        default:
            break;
    }
    if (static_cast<unsigned char>(c) < 0x20) {
        char buf[8];
        std::snprintf(buf, sizeof buf, "\\u%04x", static_cast<unsigned>(static_cast<unsigned char>(c)));
        out += buf;
        return;
    }
    out += c;
}

}  // namespace

std::string JsonQuote(std::string_view text) {
    std::string out = "\"";
    for (std::size_t i = 0; i < text.size();) {
        const std::size_t n = Utf8SequenceLength(text, i);
        if (n == 0) {
            out += "\\ufffd";
            ++i;
        } else if (n == 1) {
            AppendEscaped(out, text[i++]);
        } else {
            out.append(text.substr(i, n));
            i += n;
        }
    }
    return out + "\"";
}

JsonWriter::JsonWriter(std::ostream& out, int indent) : out_(out), indent_(indent) {}

void JsonWriter::NewLine(std::size_t depth) {
    if (indent_ <= 0) return;
    out_ << '\n' << std::string(depth * static_cast<std::size_t>(indent_), ' ');
}

void JsonWriter::BeforeValue() {
    if (afterKey_) {
        afterKey_ = false;
        return;
    }
    if (stack_.empty()) return;
    Level& level = stack_.back();
    if (!level.empty) out_ << ',';
    level.empty = false;
    NewLine(stack_.size());
}

void JsonWriter::Open(char bracket, bool array) {
    BeforeValue();
    out_ << bracket;
    stack_.push_back({array, true});
}

void JsonWriter::Close(char bracket) {
    const bool empty = stack_.back().empty;
    stack_.pop_back();
    if (!empty) NewLine(stack_.size());
    out_ << bracket;
}

void JsonWriter::BeginObject() {
    Open('{', false);
}
void JsonWriter::EndObject() {
    Close('}');
}
void JsonWriter::BeginArray() {
    Open('[', true);
}
void JsonWriter::EndArray() {
    Close(']');
}

void JsonWriter::Key(std::string_view key) {
    BeforeValue();
    out_ << JsonQuote(key) << (indent_ > 0 ? ": " : ":");
    afterKey_ = true;
}

void JsonWriter::String(std::string_view value) {
    BeforeValue();
    out_ << JsonQuote(value);
}

void JsonWriter::Int(std::int64_t value) {
    BeforeValue();
    out_ << value;
}

void JsonWriter::Double(double value) {
    BeforeValue();
    if (!std::isfinite(value)) {
        out_ << "null";
        return;
    }
    char buf[32];
    const auto [end, ec] = std::to_chars(buf, buf + sizeof buf, value);
    out_ << std::string_view(buf, ec == std::errc{} ? static_cast<std::size_t>(end - buf) : 0);
}

void JsonWriter::Bool(bool value) {
    BeforeValue();
    out_ << (value ? "true" : "false");
}

void JsonWriter::Null() {
    BeforeValue();
    out_ << "null";
}

}  // namespace velunar::cli
