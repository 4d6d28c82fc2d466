#pragma once
// The output of a command as an ordered list of named values, written either as "name: value" lines
// or as one JSON object. Groups nest: in plain form their fields read "group.name: value".
#include <cstdint>
#include <functional>
#include <optional>
#include <ostream>
#include <string>
#include <string_view>
#include <vector>

#include "calendar/datetime.h"

namespace velunar {

class JsonWriter;

class Report {
  public:
    Report& Text(std::string name, std::string value);
    Report& Bool(std::string name, bool value);
    Report& Int(std::string name, std::int64_t value);
    Report& Null(std::string name);
    // "YYYY-MM-DD HH:MM:SS", or null when there is no time.
    Report& Time(std::string name, std::optional<DateTime> value);
    Report& Group(std::string name, Report group);
    // A number with decimals; JSON holds it rounded to `decimals` places.
    Report& Decimal(std::string name, double value, int decimals);
    // How the last field reads in the plain form, in words, where its JSON value is a number or a flag.
    Report& Words(std::string plain);
    // The same for the last list: its items as the plain form says them.
    Report& Words(std::vector<std::string> plain);
    // A list of texts: a JSON array; in plain form one line, the items separated by blanks.
    Report& List(std::string name, std::vector<std::string> items);

    // How the plain form says its labels and values: as they are (the program's own), or in another
    // language, which the caller knows (the report itself is plain C++, for the browser edition too).
    struct PlainSpeech {
        std::function<std::string(const std::string&)> label;  // a dotted field name
        std::function<std::string(const std::string&)> value;  // a text or a list's item
        bool commas = false;                                   // a list's items set apart by commas
    };
    void WritePlain(std::ostream& out) const;
    void WritePlain(std::ostream& out, const PlainSpeech& speech) const;
    void WriteJson(std::ostream& out) const;

  private:
    struct Field {
        enum class Kind { Null, Bool, Int, Decimal, Text, Group, List };
        std::string name;
        Kind kind = Kind::Null;
        bool flag = false;
        std::int64_t number = 0;
        double decimal = 0;
        int decimals = 0;
        std::optional<std::string> words;
        std::optional<std::vector<std::string>> itemWords;
        std::string text;
        std::vector<Field> children;
        std::vector<std::string> items;
    };
    Field& Add(std::string name, Field::Kind kind);
    static void WritePlain(std::ostream& out, const std::vector<Field>& fields, const std::string& prefix,
                           const PlainSpeech& speech);
    static void WriteJson(JsonWriter& w, const std::vector<Field>& fields);

    std::vector<Field> fields_;
};

}  // namespace velunar
