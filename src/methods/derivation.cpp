#include "methods/derivation.h"

namespace velunar {

std::string Step::Text() const {
    std::string out;
    if (!label) return out;
    const std::string_view t = label->text;
    for (std::size_t i = 0; i < t.size(); ++i) {
        if (t[i] == '{' && i + 2 < t.size() && t[i + 1] >= '1' && t[i + 1] <= '9' && t[i + 2] == '}') {
            const auto n = static_cast<std::size_t>(t[i + 1] - '1');
            if (n < args.size()) out += args[n];
            i += 2;
        } else {
            out += t[i];
        }
    }
    return out;
}

std::vector<std::string> Texts(const Derivation& d) {
    std::vector<std::string> texts;
    texts.reserve(d.size());
    for (const Step& s : d) texts.push_back(s.Text());
    return texts;
}

}  // namespace velunar
