#pragma once
// Application-wide objects created once at start-up.
#include "core/lexicon.h"

namespace quillbox::core::mainMod {

// The one lexicon of the program, filled on first use and read-only afterwards.
const Lexicon& lexicon();

// Fill procedures, in the order start-up calls them.
void loadTwoLetterWords(Lexicon& target);
void loadThreeLetterWords(Lexicon& target);

}  // namespace quillbox::core::mainMod
