#include "report/report.h"

#include <cmath>
#include <cstdio>

#include "report/json.h"

namespace velunar {

Report::Field& Report::Add(std::string name, Field::Kind kind) {
    Field& f = fields_.emplace_back();
    f.name = std::move(name);
    f.kind = kind;
    return f;
}

Report& Report::Text(std::string name, std::string value) {
    Add(std::move(name), Field::Kind::Text).text = std::move(value);
    return *this;
}

Report& Report::Bool(std::string name, bool value) {
    Add(std::move(name), Field::Kind::Bool).flag = value;
    return *this;
}

Report& Report::Int(std::string name, std::int64_t value) {
    Add(std::move(name), Field::Kind::Int).number = value;
    return *this;
}

Report& Report::Decimal(std::string name, double value, int decimals) {
    Field& f = Add(std::move(name), Field::Kind::Decimal);
    const double scale = std::pow(10.0, decimals);
    f.decimal = std::round(value * scale) / scale;
    f.decimals = decimals;
    return *this;
}

Report& Report::Words(std::vector<std::string> plain) {
    if (!fields_.empty()) fields_.back().itemWords = std::move(plain);
    return *this;
}

Report& Report::Words(std::string plain) {
    if (!fields_.empty()) fields_.back().words = std::move(plain);
    return *this;
}

Report& Report::Null(std::string name) {
    Add(std::move(name), Field::Kind::Null);
    return *this;
}

Report& Report::Time(std::string name, std::optional<DateTime> value) {
    return value ? Text(std::move(name), FormatIso(*value)) : Null(std::move(name));
}

Report& Report::Group(std::string name, Report group) {
    Add(std::move(name), Field::Kind::Group).children = std::move(group.fields_);
    return *this;
}

Report& Report::List(std::string name, std::vector<std::string> items) {
    Add(std::move(name), Field::Kind::List).items = std::move(items);
    return *this;
}

void Report::WritePlain(std::ostream& out) const {
    WritePlain(out, fields_, "", PlainSpeech{});
}

void Report::WritePlain(std::ostream& out, const PlainSpeech& speech) const {
    WritePlain(out, fields_, "", speech);
}

void Report::WritePlain(std::ostream& out, const std::vector<Field>& fields, const std::string& prefix,
                        const PlainSpeech& speech) {
    const auto label = [&speech](const std::string& name) {
        return speech.label ? speech.label(name) : name;
    };
    const auto value = [&speech](const std::string& text) {
        return speech.value ? speech.value(text) : text;
    };
    for (const Field& f : fields) {
        const std::string path = prefix + f.name;
        const std::string name = f.kind == Field::Kind::Group ? path : label(path);
        if (f.words) {
            out << name << ": " << value(*f.words) << '\n';
            continue;
        }
        switch (f.kind) {
            case Field::Kind::Group:
                WritePlain(out, f.children, path + ".", speech);
                continue;
            case Field::Kind::Null:
                out << name << ": -\n";
                continue;
            case Field::Kind::Bool:
                out << name << ": " << (f.flag ? "true" : "false") << '\n';
                continue;
            case Field::Kind::Int:
                out << name << ": " << f.number << '\n';
                continue;
            case Field::Kind::Decimal: {
                char buf[64];
                std::snprintf(buf, sizeof buf, "%.*f", f.decimals, f.decimal);
                out << name << ": " << buf << '\n';
                continue;
            }
            case Field::Kind::Text:
                out << name << ": " << value(f.text) << '\n';
                continue;
            case Field::Kind::List: {
                out << name << ":";
                // Where a point takes several words the items are set apart by commas.
                const bool english = speech.commas;
                const std::vector<std::string>& items = f.itemWords ? *f.itemWords : f.items;
                for (std::size_t i = 0; i < items.size(); ++i)
                    out << (english && i > 0 ? ", " : " ") << value(items[i]);
                out << '\n';
                continue;
            }
        }
    }
}

void Report::WriteJson(JsonWriter& w, const std::vector<Field>& fields) {
    w.BeginObject();
    for (const Field& f : fields) {
        w.Key(f.name);
        switch (f.kind) {
            case Field::Kind::Group:
                WriteJson(w, f.children);
                break;
            case Field::Kind::Null:
                w.Null();
                break;
            case Field::Kind::Bool:
                w.Bool(f.flag);
                break;
            case Field::Kind::Int:
                w.Int(f.number);
                break;
            case Field::Kind::Decimal:
                w.Double(f.decimal);
                break;
            case Field::Kind::Text:
                w.String(f.text);
                break;
            case Field::Kind::List:
                w.BeginArray();
                for (const std::string& item : f.items) w.String(item);
                w.EndArray();
                break;
        }
    }
    w.EndObject();
}

void Report::WriteJson(std::ostream& out) const {
    JsonWriter w(out);
    WriteJson(w, fields_);
    out << '\n';
}

}  // namespace velunar
