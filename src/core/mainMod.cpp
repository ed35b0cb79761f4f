#include "core/mainMod.h"

#include "core/lexiconData.h"

namespace quillbox::core::mainMod {

namespace {
void loadWordsOfLength(Lexicon& target, std::size_t length) {
    for (const auto& e : lexiconData())
        if (e.word.size() == length)
            target.Add(std::string(e.word), std::string(e.definition));
}
}  // namespace

void loadTwoLetterWords(Lexicon& target) {
    loadWordsOfLength(target, 2);
}
void loadThreeLetterWords(Lexicon& target) {
    loadWordsOfLength(target, 3);
}

const Lexicon& lexicon() {
    static const Lexicon instance = [] {
        Lexicon l;
        loadTwoLetterWords(l);
        loadThreeLetterWords(l);
        return l;
    }();
    return instance;
}

}  // namespace quillbox::core::mainMod
