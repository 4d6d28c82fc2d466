#pragma once
// A strict little JSON reader for the tests: checks that a text is one well-formed JSON value and
// gives the members of a top-level object with their values (strings decoded, others as written).
#include <map>
#include <optional>
#include <string>
#include <string_view>

namespace velunar::cli::test {

class JsonCheck {
  public:
    // Nothing when the text is not exactly one JSON value (blanks around it allowed).
    static std::optional<std::map<std::string, std::string>> Members(std::string_view text) {
        JsonCheck p(text);
        std::map<std::string, std::string> members;
        p.Blank();
        if (!p.Value(&members, 0)) return std::nullopt;
        p.Blank();
        if (p.i_ != p.s_.size()) return std::nullopt;
        return members;
    }

  private:
    explicit JsonCheck(std::string_view s) : s_(s) {}

    void Blank() {
        while (i_ < s_.size() && (s_[i_] == ' ' || s_[i_] == '\n' || s_[i_] == '\t' || s_[i_] == '\r')) ++i_;
    }
    bool Eat(char c) {
        Blank();
        if (i_ < s_.size() && s_[i_] == c) return ++i_, true;
        return false;
    }
    bool Word(std::string_view w) {
        if (s_.substr(i_, w.size()) != w) return false;
        i_ += w.size();
        return true;
    }
    bool String(std::string* out) {
        if (!Eat('"')) return false;
        while (i_ < s_.size() && s_[i_] != '"') {
            const auto c = static_cast<unsigned char>(s_[i_]);
            if (c < 0x20) return false;
            if (c != '\\') {
                *out += s_[i_++];
                continue;
            }
            if (++i_ >= s_.size()) return false;
            const char e = s_[i_++];
            const std::string_view simple = "\"\\/bfnrt", meaning = "\"\\/\b\f\n\r\t";
            if (const auto k = simple.find(e); k != std::string_view::npos) {
                *out += meaning[k];
            } else if (e == 'u' && i_ + 4 <= s_.size()) {
                *out += "\\u" + std::string(s_.substr(i_, 4));  // kept escaped; the tests compare it so
                i_ += 4;
            } else {
                return false;
            }
        }
        return Eat('"');
    }
    bool Number() {
        const std::size_t start = i_;
        if (i_ < s_.size() && s_[i_] == '-') ++i_;
        while (i_ < s_.size() && std::string_view("0123456789.eE+-").find(s_[i_]) != std::string_view::npos)
            ++i_;
        return i_ > start;
    }
    bool Value(std::map<std::string, std::string>* members, int depth) {
        Blank();
        if (i_ >= s_.size()) return false;
        const std::size_t start = i_;
        if (s_[i_] == '{') return Object(members, depth);
        if (s_[i_] == '[') {
            ++i_;
            if (Eat(']')) return true;
            do {
                if (!Value(nullptr, depth + 1)) return false;
            } while (Eat(','));
            return Eat(']');
        }
        if (s_[i_] == '"') {
            std::string ignored;
            return String(&ignored);
        }
        if (Word("true") || Word("false") || Word("null")) return true;
        return Number() && i_ > start;
    }
    bool Object(std::map<std::string, std::string>* members, int depth) {
        ++i_;
        if (Eat('}')) return true;
        do {
            std::string key;
            if (!String(&key) || !Eat(':')) return false;
            Blank();
            const std::size_t start = i_;
            std::string decoded;
            const bool isString = i_ < s_.size() && s_[i_] == '"';
            if (isString ? !String(&decoded) : !Value(nullptr, depth + 1)) return false;
            if (members && depth == 0)
                (*members)[key] = isString ? decoded : std::string(s_.substr(start, i_ - start));
        } while (Eat(','));
        return Eat('}');
    }

    std::string_view s_;
    std::size_t i_ = 0;
};

}  // namespace velunar::cli::test
