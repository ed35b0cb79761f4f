#include "crossword/generator.h"

#include <algorithm>
#include <cstdint>
#include <stdexcept>

namespace quillbox::crossword {

std::string randomWord(const core::Lexicon& lexicon, core::RandomSource& random, int length) {
    const auto count = static_cast<std::int32_t>(lexicon.Count());
    if (count == 0)
        throw std::invalid_argument("cannot draw a word from an empty lexicon");
    random.reseedFromClock();
    const auto& keys = lexicon.Keys();
    for (;;) {
        // A single-precision draw: its coarser steps decide which index is hit.
        const float r = random.nextSingle();
        const std::int32_t idx = core::randomIndexDraw(static_cast<double>(r), count);
        if (idx >= count)
            continue;
        const std::string& w = keys[static_cast<std::size_t>(idx)];
        if (w.size() == static_cast<std::size_t>(length))
            return w;
    }
}

PuzzleWords wordsFromAcross(std::string across1, std::string across3, std::string across4) {
    if (across1.size() != 3 || across3.size() != 3 || across4.size() != 3)
        throw std::invalid_argument("the across words of the grid have three letters each");
    PuzzleWords w{std::move(across1), std::move(across3), std::move(across4)};
    // Each down word reads the letters of the cells it runs through.
    for (const Entry down : {kDown3, kDown1, kDown2})
        for (const int cell : shapeOf(down).cells)
            w[down] += solutionLetter(w, cell);
    return w;
}

bool downWordsExist(const core::Lexicon& lexicon, const PuzzleWords& words) {
    return lexicon.Exists(words[kDown3]) && lexicon.Exists(words[kDown1]) &&
           lexicon.Exists(words[kDown2]);
}

PuzzleWords generateWords(const core::Lexicon& lexicon, core::RandomSource& random,
                          long* attempts) {
    const auto& keys = lexicon.Keys();
    if (std::none_of(keys.begin(), keys.end(), [](const std::string& k) { return k.size() == 3; }))
        throw std::invalid_argument("the lexicon has no three-letter word to build a crossword");
    long tries = 0;
    PuzzleWords words;
    do {
        ++tries;
        // Drawn in this order, so a given sequence of values gives one puzzle.
        std::string a1 = randomWord(lexicon, random, 3);
        std::string a3 = randomWord(lexicon, random, 3);
        std::string a4 = randomWord(lexicon, random, 3);
        words = wordsFromAcross(std::move(a1), std::move(a3), std::move(a4));
    } while (!downWordsExist(lexicon, words));
    if (attempts != nullptr)
        *attempts = tries;
    return words;
}

char solutionLetter(const PuzzleWords& words, int cell) {
    return words[static_cast<std::size_t>(cell / 3)][static_cast<std::size_t>(cell % 3)];
}

}  // namespace quillbox::crossword
