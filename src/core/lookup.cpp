#include "core/lookup.h"

namespace quillbox::core {

std::string toUpperAscii(std::string_view s) {
    std::string out(s);
    for (char& c : out)
        if (c >= 'a' && c <= 'z')
            c = static_cast<char>(c - 'a' + 'A');
    return out;
}

std::string lookupDefinition(const Lexicon& lexicon, std::string_view typed) {
    if (typed.size() < 2)
        return {};
    const std::string w = toUpperAscii(typed);
    if (lexicon.Exists(w))
        return lexicon.Item(w);
    return std::string(kNotAWord);
}

}  // namespace quillbox::core
