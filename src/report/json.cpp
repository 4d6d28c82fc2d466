#include "report/json.h"

#include "calendar/numparse.h"
#include "calendar/utf8.h"

#include <cmath>
#include <cstdio>

namespace velunar {
namespace {

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
    out_ << ShortestDecimal(value);
}

void JsonWriter::Bool(bool value) {
    BeforeValue();
    out_ << (value ? "true" : "false");
}

void JsonWriter::Null() {
    BeforeValue();
    out_ << "null";
}

}  // namespace velunar
