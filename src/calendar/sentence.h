#pragma once
// A sentence the core says, kept as data: its text (the program's own Chinese, marked VELUNAR_TR where it is
// written) and the values that fill it. The core stays in one language; the edge chooses the words and fills
// them in, so a value (a date, an offset, a zone's name) is never translated with the text around it.
#include <functional>
#include <string>
#include <string_view>
#include <vector>

namespace velunar {

// `text` with {1}…{9} replaced by the arguments in order, in one pass (an argument holding "{2}" stays as
// it is); a mark without its argument is dropped.
std::string FillText(std::string_view text, const std::vector<std::string>& args);

struct Sentence {
    std::string_view text;  // a marked literal: it outlives every sentence
    std::vector<std::string> args;
};

// The sentences filled and joined by `joint`, each text (and the joint) through `say`: the core's Chinese
// as it is when there is none.
std::string SaidText(const std::vector<Sentence>& sentences, std::string_view joint,
                     const std::function<std::string(std::string_view)>& say = {});

}  // namespace velunar
