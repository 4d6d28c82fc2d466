#pragma once
// A small streaming JSON writer: objects, arrays, strings, numbers, booleans and null, indented.
#include <cstdint>
#include <ostream>
#include <string>
#include <string_view>
#include <vector>

namespace velunar {

// The JSON string literal of a UTF-8 text, quotes included. Control characters, '"' and '\' are
// escaped; valid UTF-8 passes through; each byte of an invalid sequence becomes U+FFFD.
std::string JsonQuote(std::string_view text);

class JsonWriter {
  public:
    // indent 0 writes everything on one line.
    explicit JsonWriter(std::ostream& out, int indent = 2);

    void BeginObject();
    void EndObject();
    void BeginArray();
    void EndArray();
    // The key of the next value inside an object.
    void Key(std::string_view key);

    void String(std::string_view value);
    void Int(std::int64_t value);
    void Double(double value);  // null for NaN and infinity, which JSON cannot hold
    void Bool(bool value);
    void Null();

  private:
    struct Level {
        bool array = false;
        bool empty = true;
    };
    void BeforeValue();
    void Open(char bracket, bool array);
    void Close(char bracket);
    void NewLine(std::size_t depth);

    std::ostream& out_;
    int indent_;
    std::vector<Level> stack_;
    bool afterKey_ = false;
};

}  // namespace velunar
