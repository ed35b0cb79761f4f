// The board's rules beyond what a game in the window shows: a check's
// colours and the run counter.
#include <gtest/gtest.h>

#include "core/mainMod.h"
#include "crossword/board.h"
#include "support/scriptedRandom.h"

using namespace quillbox::crossword;

namespace {

struct Play {
    quillbox::testing::ScriptedRandom random;  // empty: an unexpected draw throws
    Board board{quillbox::core::mainMod::lexicon(), random};

    void begin() { board.begin(wordsFromAcross("TOE", "TEN", "BOA")); }
    // Opens and fills the cells from 0 on, as a click and the entry box do;
    // '.' skips a cell.
    void type(const std::string& letters) {
        for (int k = 0; k < static_cast<int>(letters.size()); ++k)
            if (letters[k] != '.' && board.openCell(k))
                board.commitCell(k, letters.substr(static_cast<std::size_t>(k), 1));
    }
    // The captions ('.' for none), then the colours (system, white, red).
    std::string grid() const {
        std::string captions, colors;
        for (int k = 0; k < kCellCount; ++k) {
            captions += board.cell(k).caption.empty() ? "." : board.cell(k).caption;
            colors += "swr"[static_cast<int>(board.cell(k).color)];
        }
        return captions + " " + colors;
    }
};

TEST(Board, ACheckTurnsEachDifferingCellRedUntilItIsOpenedAndABlankNeverMatches) {
    Play p;
    p.begin();
    p.type("TO");
    p.board.commitCell(2, " ");
    EXPECT_EQ(p.board.check(), CheckResult::Wrong);
    EXPECT_EQ(p.grid(), "TO ...... wwrrrrrrr");
    p.board.commitCell(2, "E");  // put right without opening it
    p.type("...Te");
    EXPECT_EQ(p.board.check(), CheckResult::Wrong);
    EXPECT_EQ(p.grid(), "TOETE.... wwrwwrrrr");
}

TEST(Board, TheRunCountsEachPuzzlesFirstCheckAndStopsAtTheSixteenBitLimits) {
    const std::pair<std::string, std::string> cases[] = {
        {"W", " 1 win(s)"},
        {"WW", " 2 win(s)"},
        {"WWL", " 1 loss(es)"},
        {"LL", " 2 loss(es)"},
        {"LLW", " 1 win(s)"},
        {std::string(32768, 'W'), " 32767 win(s)"},
        {std::string(32769, 'L'), " 32768 loss(es)"},
    };
    for (const auto& [results, run] : cases) {
        Play p;
        for (const char r : results) {
            p.begin();
            p.type(r == 'W' ? "TOETENBOA" : "");
            p.board.check();
            p.board.check();  // a second check of the same puzzle does not count
            p.board.reveal();
        }
        EXPECT_EQ(p.board.runText(), run) << results.size();
    }
}

}  // namespace
