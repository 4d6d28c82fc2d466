#include "calendar/sentence.h"

namespace velunar {

std::string FillText(std::string_view text, const std::vector<std::string>& args) {
    std::string out;
    out.reserve(text.size());
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] == '{' && i + 2 < text.size() && text[i + 1] >= '1' && text[i + 1] <= '9' &&
            text[i + 2] == '}') {
            const auto n = static_cast<std::size_t>(text[i + 1] - '1');
            if (n < args.size()) out += args[n];
            i += 2;
        } else {
            out += text[i];
        }
    }
    return out;
}

std::string SaidText(const std::vector<Sentence>& sentences, std::string_view joint,
                     const std::function<std::string(std::string_view)>& say) {
    const auto words = [&say](std::string_view text) { return say ? say(text) : std::string(text); };
    std::string out;
    for (const Sentence& s : sentences) {
        if (!out.empty()) out += words(joint);
        out += FillText(words(s.text), s.args);
    }
    return out;
}

}  // namespace velunar
