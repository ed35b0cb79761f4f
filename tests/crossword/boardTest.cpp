#include <gtest/gtest.h>

#include <algorithm>
#include <string>

#include "core/mainMod.h"
#include "crossword/board.h"
#include "support/scriptedRandom.h"

using namespace quillbox::core;
using namespace quillbox::crossword;
using quillbox::testing::ScriptedRandom;

namespace {

const PuzzleWords kToeTenBoa = wordsFromAcross("TOE", "TEN", "BOA");
const std::string kSolution = "TOETENBOA";

class BoardTest : public ::testing::Test {
  protected:
    ScriptedRandom random;  // empty: any unexpected generation throws
    Board board{mainMod::lexicon(), random};

    // Types letters into the cells from cell 0 on.
    void fill(const std::string& letters) {
        for (int k = 0; k < static_cast<int>(letters.size()); ++k) {
            board.clickCell(k);
            board.commitCell(k, letters.substr(static_cast<std::size_t>(k), 1));
        }
    }
    void win() {
        board.begin(kToeTenBoa);
        fill(kSolution);
        ASSERT_EQ(board.check(), CheckResult::Correct);
    }
    void lose() {
        board.begin(kToeTenBoa);
        ASSERT_EQ(board.check(), CheckResult::Wrong);
        board.reveal();
    }
    // The cells' captions ('.' for none), their colours (s: system window,
    // w: white, r: red), then Generate, Check, Show and the cells as 0 or 1.
    std::string grid() const {
        std::string captions, colors, enabled;
        for (int k = 0; k < kCellCount; ++k) {
            captions += board.cell(k).caption.empty() ? "." : board.cell(k).caption;
            colors += "swr"[static_cast<int>(board.cell(k).color)];
        }
        for (bool on : {board.generateEnabled(), board.checkEnabled(), board.showEnabled(),
                        board.cellsEnabled()})
            enabled += on ? '1' : '0';
        return captions + " " + colors + " " + enabled;
    }
};

TEST_F(BoardTest, FreshBoardOffersOnlyGenerateButCellsTakeLetters) {
    EXPECT_EQ(grid(), "......... sssssssss 1001");
    EXPECT_EQ(board.clue(kAcross1), "");
    EXPECT_EQ(board.runText(), "");
    EXPECT_EQ(board.check(), CheckResult::NotAvailable);
    board.reveal();
    EXPECT_TRUE(board.clickCell(4));
    board.commitCell(4, "q");
    EXPECT_EQ(grid(), "....Q.... sssswssss 1001");
    EXPECT_EQ(board.state(), BoardState::Fresh);
}

TEST_F(BoardTest, GenerateSetsUpAPlayablePuzzleWithItsClues) {
    const auto& keys = mainMod::lexicon().Keys();
    for (const char* w : {"AWL", "ACE", "AGE"}) {
        const auto at = std::find(keys.begin(), keys.end(), w) - keys.begin();
        random.push(quillbox::testing::valueForIndex(static_cast<int>(at), 1059));
    }
    fill("x");
    board.generate();
    EXPECT_EQ(board.state(), BoardState::Playing);
    EXPECT_EQ(grid(), "......... wwwwwwwww 0101");
    EXPECT_EQ(board.words(), (PuzzleWords{"AWL", "ACE", "AGE", "AG", "ACE", "WE"}));
    EXPECT_FALSE(board.runCounted());
    // AWL is the one word without a definition.
    for (int e = 0; e < kEntryCount; ++e)
        EXPECT_EQ(board.clue(Entry(e)), mainMod::lexicon().Item(board.words()[e])) << e;
    EXPECT_FALSE(board.clue(kDown3).empty());

    // Generate is disabled while playing: nothing is drawn.
    EXPECT_NO_THROW(board.generate());
    EXPECT_EQ(board.words()[kAcross1], "AWL");
}

TEST_F(BoardTest, CorrectFirstCheckAnnouncesLocksAndCountsAWin) {
    board.begin(kToeTenBoa);
    fill("toetenboa");  // typed in lower case
    int announced = 0;
    const auto result = board.check([&] {
        ++announced;
        // The message comes before the buttons change and the run is counted.
        EXPECT_TRUE(board.checkEnabled());
        EXPECT_EQ(board.runText(), "");
    });
    EXPECT_EQ(result, CheckResult::Correct);
    EXPECT_EQ(announced, 1);
    EXPECT_EQ(board.state(), BoardState::Solved);
    EXPECT_EQ(grid(), "TOETENBOA wwwwwwwww 1000");
    EXPECT_EQ(board.runText(), " 1 win(s)");

    // A locked grid ignores clicks and letters.
    EXPECT_FALSE(board.clickCell(0));
    board.commitCell(0, "Z");
    EXPECT_EQ(grid(), "TOETENBOA wwwwwwwww 1000");
}

TEST_F(BoardTest, AWrongCheckTurnsDifferingCellsRedUntilClickedAndOnlyTheFirstCounts) {
    board.begin(kToeTenBoa);
    board.commitCell(2, " ");  // a blank never matches
    EXPECT_EQ(board.check([] { FAIL() << "no win to announce"; }), CheckResult::Wrong);
    EXPECT_EQ(board.state(), BoardState::Wrong);
    EXPECT_EQ(grid(), ".. ...... rrrrrrrrr 0111");
    EXPECT_EQ(board.runText(), " 1 loss(es)");

    fill("XOETENBOA");
    EXPECT_EQ(board.check(), CheckResult::Wrong);
    EXPECT_EQ(grid(), "XOETENBOA rwwwwwwww 0111");
    board.commitCell(0, "T");  // corrected without reopening the cell
    board.commitCell(1, "Q");
    EXPECT_EQ(board.check(), CheckResult::Wrong);
    EXPECT_EQ(grid(), "TQETENBOA rrwwwwwww 0111");
    board.clickCell(1);
    board.commitCell(1, "o");
    EXPECT_EQ(grid(), "TOETENBOA rwwwwwwww 0111");
    int announced = 0;
    EXPECT_EQ(board.check([&] { ++announced; }), CheckResult::Correct);
    EXPECT_EQ(announced, 1);
    // Cell 0 was right at this check but keeps the red of the earlier one.
    EXPECT_EQ(grid(), "TOETENBOA rwwwwwwww 1000");
    EXPECT_EQ(board.state(), BoardState::Solved);
    EXPECT_EQ(board.runCount(), -1);
}

TEST_F(BoardTest, RevealShowsTheSolutionOnWhiteAndLeavesTheRunAlone) {
    board.begin(kToeTenBoa);
    fill("TOXTEN");
    board.check();
    board.reveal();
    EXPECT_EQ(board.state(), BoardState::Revealed);
    EXPECT_EQ(grid(), "TOETENBOA wwwwwwwww 1000");
    EXPECT_EQ(board.runText(), " 1 loss(es)");
    // A new puzzle can follow.
    board.begin(wordsFromAcross("AWL", "ACE", "AGE"));
    EXPECT_EQ(grid(), "......... wwwwwwwww 0101");
}

TEST_F(BoardTest, RunCountsEachPuzzleOnceUpToTheSixteenBitLimits) {
    board.begin(kToeTenBoa);
    board.updateRun(true);
    board.updateRun(false);
    EXPECT_EQ(board.runText(), " 1 win(s)");
    for (int i = 0; i < 32767 + 1; ++i)
        win();
    EXPECT_EQ(board.runCount(), 32767);
    EXPECT_EQ(board.runText(), " 32767 win(s)");
    lose();
    EXPECT_EQ(board.runText(), " 1 loss(es)");
    for (int i = 1; i < 32768 + 2; ++i)
        lose();
    EXPECT_EQ(board.runCount(), -32768);
    EXPECT_EQ(board.runText(), " 32768 loss(es)");
    win();
    EXPECT_EQ(board.runCount(), 1);
    EXPECT_EQ(board.runText(), " 1 win(s)");
}

}  // namespace
