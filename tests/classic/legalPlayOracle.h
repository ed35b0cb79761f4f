#pragma once
// The brute-force legal-play search written out step by step, as plain as it
// is slow: every arrangement of the rack in a 1-based table of strings, every
// letter for every blank, three look-ups and a keyed table per test. It is the
// reference the fast finder has to match character for character.
#include <map>
#include <string>
#include <vector>

#include "core/lexicon.h"

namespace quillbox::testing {
using namespace quillbox::core;

// One formatted append to the list box, as the search makes it.
struct OracleAppend {
    std::string text;
    bool black = false;  // false: appended without a colour
    int underline1 = -1;
    int underline2 = -1;
};

class LegalPlayOracle {
  public:
    explicit LegalPlayOracle(const Lexicon& lexicon);

    // The whole search for a rack string (one character per occupied slot, a
    // letter or "_"), recording what it does to the list and the countdown.
    void findLegalPlays(const std::string& rack);

    void clearPermutations();
    void permute(const std::string& s);
    static std::string rotateLeft(const std::string& s);
    void testPermutation(int index, const std::string& letter1, const std::string& letter2,
                         std::map<std::string, std::string>& listedPlays);

    // Entries 1 to 5041; entry 0 is never used.
    std::vector<std::string> permutations;

    // Record of the last search; the list box is emptied when it starts.
    std::vector<OracleAppend> appended;
    std::vector<std::string> countdownCaptions;

    // The list box's text after the search, and the positions in it of the
    // underlined characters, ascending.
    std::string listText() const;
    std::vector<int> underlinedPositions() const;

  private:
    void appendFormatted(const std::string& text, bool black, int u1, int u2);

    const Lexicon& lexicon_;
};

}  // namespace quillbox::testing
