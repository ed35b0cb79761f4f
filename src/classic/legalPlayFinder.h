#pragma once
// Every way to clear a full rack of seven tiles with two two-letter words and
// one three-letter word, listed in the order a brute-force walk over all
// arrangements of the rack (and all letters for its blanks) first meets them.
#include <cstdint>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "core/lexicon.h"

namespace quillbox::classic {

// One listed play: "W1 W2 W3" (9 characters, no line break) and the offsets in
// it of the letters that blanks stand for, -1 for none.
struct LegalPlay {
    std::string line;
    int underline1 = -1;
    int underline2 = -1;

    bool operator==(const LegalPlay&) const = default;
};

struct LegalPlayList {
    // False when the rack did not hold exactly seven tiles: no search was made
    // and the countdown was not touched.
    bool searched = false;
    std::vector<LegalPlay> plays;
};

// The countdown shows 5000 when a search starts and falls to 0 as the
// arrangements are worked through.
inline constexpr int kCountdownStart = 5000;
// The list ends with this many empty lines, also when no search was made.
inline constexpr int kListTrailingLineBreaks = 6;

// Receives each value the countdown takes, in order.
using CountdownCallback = std::function<void(int)>;

// Holds letter tables built once from a lexicon, and the sets and the list
// that every search reuses; use one finder per thread.
class LegalPlayFinder {
  public:
    // The lexicon is read at construction only.
    explicit LegalPlayFinder(const core::Lexicon& lexicon);

    // rack: one character per occupied slot in slot order, 'A'-'Z' or '_' for
    // a blank (whatever letter the blank shows). Any other character takes
    // part in no word. A rack of more than two blanks cannot come out of the
    // bag; its arrangements are not tested.
    //
    // The list stays the finder's and holds until its next search. Its storage
    // is reused, so searching after every draw allocates nothing once a long
    // list has been seen (a fresh block of thousands of lines costs more in
    // page faults than the search itself).
    const LegalPlayList& find(std::string_view rack, const CountdownCallback& onCountdown = {});

  private:
    // Open-addressed set of 35-bit keys. Entries carry the number of the
    // search that stored them, so starting a search empties it for free.
    class KeySet {
      public:
        void startSearch();
        // True when the key was not yet in the set (it is now).
        bool insert(std::uint64_t key);

      private:
        void grow();
        std::vector<std::uint64_t> slots_;
        std::uint64_t generation_ = 0;
        std::size_t size_ = 0;
        int bits_ = 0;
    };

    // p: one arrangement, the seven letter codes of a two-, a two- and a
    // three-letter word, blanks among them; each part can make a word.
    void testArrangement(std::uint8_t* p, LegalPlayList& out);
    std::uint32_t singleBlankMask(const std::uint8_t* p, int position) const;
    void emitPlay(const std::uint8_t* p, int blank1, int blank2, LegalPlayList& out);

    // Whether letters, blanks among them, can be completed to a word.
    bool canBeWord(std::uint8_t a, std::uint8_t b) const;
    bool canBeWord(std::uint8_t a, std::uint8_t b, std::uint8_t c) const;

    bool twoLetterWord(int a, int b) const { return (twoMask_[1][a] >> b) & 1u; }
    bool threeLetterWord(int a, int b, int c) const {
        return (threeMask_[2][a * 26 + b] >> c) & 1u;
    }

    // twoMask_[k][x]: the letters that make a word at position k of a
    // two-letter word whose other letter is x.
    std::uint32_t twoMask_[2][26] = {};
    // threeMask_[k][x * 26 + y]: the letters that make a word at position k of
    // a three-letter word whose other letters are x and y, in word order.
    std::uint32_t threeMask_[3][26 * 26] = {};
    bool anyTwoLetterWord_ = false;
    // threeAnyAt_[k]: the letters found at position k of some three-letter word.
    std::uint32_t threeAnyAt_[3] = {};

    KeySet listed_;
    KeySet arrangements_;
    LegalPlayList result_;
};

// What the list box holds after a search: each play's line followed by
// lineEnd, then the six trailing line ends; and the positions in that text of
// the letters that blanks stand for, ascending. The box ends a paragraph with
// CR LF in its text; a fill that takes "\n" as a paragraph end passes that.
struct ListContent {
    std::string text;
    std::vector<int> underlined;
};
ListContent listContent(const LegalPlayList& list, std::string_view lineEnd = "\r\n");

}  // namespace quillbox::classic
