#pragma once
// The nine-cell staircase crossword: three words across, three down, drawn at
// random from the lexicon until every down word is a word too.
#include <array>
#include <string>

#include "core/lexicon.h"
#include "core/random.h"
#include "crossword/grid.h"

namespace quillbox::crossword {

using PuzzleWords = std::array<std::string, kEntryCount>;

// A word of exactly `length` letters, drawn uniformly from the lexicon's
// positions; draws of another length are discarded. Reseeds `random` first.
// The lexicon must hold at least one word of that length.
std::string randomWord(const core::Lexicon& lexicon, core::RandomSource& random, int length);

// The six words of the grid whose across words are given (three letters each).
PuzzleWords wordsFromAcross(std::string across1, std::string across3, std::string across4);

// Whether all three down words are in the lexicon.
bool downWordsExist(const core::Lexicon& lexicon, const PuzzleWords& words);

// Draws three across words afresh until the down words all exist. When
// `attempts` is given it receives the number of three-word draws made.
// Throws std::invalid_argument if the lexicon has no three-letter word.
PuzzleWords generateWords(const core::Lexicon& lexicon, core::RandomSource& random,
                          long* attempts = nullptr);

// The letter cell `cell` (0..8) must hold: row cell/3 is an across word.
char solutionLetter(const PuzzleWords& words, int cell);

}  // namespace quillbox::crossword
