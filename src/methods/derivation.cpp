#include "methods/derivation.h"

#include "calendar/sentence.h"

namespace velunar {

std::string Step::Text() const {
    return label ? FillText(label->text, args) : std::string();
}

std::vector<std::string> Texts(const Derivation& d) {
    std::vector<std::string> texts;
    texts.reserve(d.size());
    for (const Step& s : d) texts.push_back(s.Text());
    return texts;
}

}  // namespace velunar
