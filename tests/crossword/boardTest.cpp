#include <gtest/gtest.h>

#include <algorithm>
#include <string>

#include "core/mainMod.h"
#include "crossword/board.h"
#include "support/scriptedRandom.h"

using namespace quillbox;
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
    std::string colours() const {
        std::string s;
        for (int k = 0; k < kCellCount; ++k) {
            switch (board.cell(k).colour) {
                case CellColour::SystemWindow:
                    s += 's';
                    break;
                case CellColour::White:
                    s += 'w';
                    break;
                case CellColour::Red:
                    s += 'r';
                    break;
            }
        }
        return s;
    }
    std::string captions() const {
        std::string s;
        for (int k = 0; k < kCellCount; ++k)
            s += board.cell(k).caption + "|";
        return s;
    }
    void expectButtons(bool generate, bool check, bool show, bool cells) const {
        EXPECT_EQ(board.generateEnabled(), generate);
        EXPECT_EQ(board.checkEnabled(), check);
        EXPECT_EQ(board.showEnabled(), show);
        EXPECT_EQ(board.cellsEnabled(), cells);
    }
};

TEST_F(BoardTest, FreshBoardOffersOnlyGenerateButCellsTakeLetters) {
    EXPECT_EQ(board.state(), BoardState::Fresh);
    expectButtons(true, false, false, true);
    EXPECT_EQ(colours(), "sssssssss");
    EXPECT_EQ(board.clue(kAcross1), "");
    EXPECT_EQ(board.runText(), "");
    EXPECT_EQ(board.check(), CheckResult::NotAvailable);
    board.reveal();
    EXPECT_EQ(board.state(), BoardState::Fresh);

    EXPECT_TRUE(board.clickCell(4));
    board.commitCell(4, "q");
    EXPECT_EQ(board.cell(4).caption, "Q");
    EXPECT_EQ(colours(), "sssswssss");
}

TEST_F(BoardTest, GenerateSetsUpAPlayablePuzzleWithItsClues) {
    const auto& keys = mainMod::lexicon().Keys();
    for (const char* w : {"AWL", "ACE", "AGE"}) {
        const auto at = std::find(keys.begin(), keys.end(), w) - keys.begin();
        random.push(quillbox::testing::valueForIndex(static_cast<int>(at), 1059));
    }
    board.clickCell(0);
    board.commitCell(0, "x");
    board.generate();
    EXPECT_EQ(board.state(), BoardState::Playing);
    expectButtons(false, true, false, true);
    EXPECT_EQ(board.words(), (PuzzleWords{"AWL", "ACE", "AGE", "AG", "ACE", "WE"}));
    EXPECT_EQ(captions(), "|||||||||");
    EXPECT_EQ(colours(), "wwwwwwwww");
    EXPECT_FALSE(board.runCounted());
    const Lexicon& lex = mainMod::lexicon();
    EXPECT_EQ(board.clue(kAcross1), "");  // AWL has no definition
    EXPECT_EQ(board.clue(kAcross3), lex.Item("ACE"));
    EXPECT_EQ(board.clue(kAcross4), lex.Item("AGE"));
    EXPECT_EQ(board.clue(kDown1), lex.Item("ACE"));
    EXPECT_EQ(board.clue(kDown2), lex.Item("WE"));
    EXPECT_EQ(board.clue(kDown3), lex.Item("AG"));
    EXPECT_FALSE(board.clue(kDown3).empty());

    // Generate is disabled while playing: nothing is drawn.
    EXPECT_NO_THROW(board.generate());
    EXPECT_EQ(board.words()[kAcross1], "AWL");
}

TEST_F(BoardTest, CorrectFirstCheckAnnouncesLocksAndCountsAWin) {
    board.begin(kToeTenBoa);
    fill("toetenboa");  // typed in lower case
    EXPECT_EQ(captions(), "T|O|E|T|E|N|B|O|A|");
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
    expectButtons(true, false, false, false);
    EXPECT_EQ(colours(), "wwwwwwwww");
    EXPECT_EQ(board.runCount(), 1);
    EXPECT_EQ(board.runText(), " 1 win(s)");

    // A locked grid ignores clicks and letters.
    EXPECT_FALSE(board.clickCell(0));
    board.commitCell(0, "Z");
    EXPECT_EQ(board.cell(0).caption, "T");
}

TEST_F(BoardTest, EmptyGridCheckMarksEveryCellAndCountsALoss) {
    board.begin(kToeTenBoa);
    board.commitCell(2, " ");  // a blank never matches
    EXPECT_EQ(board.check([] { FAIL() << "no win to announce"; }), CheckResult::Wrong);
    EXPECT_EQ(colours(), "rrrrrrrrr");
    EXPECT_EQ(board.state(), BoardState::Wrong);
    expectButtons(false, true, true, true);
    EXPECT_EQ(board.runCount(), -1);
    EXPECT_EQ(board.runText(), " 1 loss(es)");
}

TEST_F(BoardTest, RedCellsStayRedUntilClickedAndOnlyTheFirstCheckCounts) {
    board.begin(kToeTenBoa);
    fill("XOETENBOA");
    EXPECT_EQ(board.check(), CheckResult::Wrong);
    EXPECT_EQ(colours(), "rwwwwwwww");
    EXPECT_TRUE(board.runCounted());

    board.commitCell(0, "T");  // corrected without reopening the cell
    board.commitCell(1, "Q");
    EXPECT_EQ(board.check(), CheckResult::Wrong);
    EXPECT_EQ(colours(), "rrwwwwwww");
    EXPECT_EQ(board.runCount(), -1);

    board.clickCell(1);
    board.commitCell(1, "o");
    EXPECT_EQ(colours(), "rwwwwwwww");
    int announced = 0;
    EXPECT_EQ(board.check([&] { ++announced; }), CheckResult::Correct);
    EXPECT_EQ(announced, 1);
    EXPECT_EQ(board.state(), BoardState::Solved);
    // Cell 0 was right at this check but keeps the red of the earlier one.
    EXPECT_EQ(colours(), "rwwwwwwww");
    EXPECT_EQ(board.runCount(), -1);
    EXPECT_EQ(board.runText(), " 1 loss(es)");
}

TEST_F(BoardTest, RevealShowsTheSolutionOnWhiteAndLeavesTheRunAlone) {
    board.begin(kToeTenBoa);
    fill("TOXTEN");
    board.check();
    ASSERT_EQ(board.state(), BoardState::Wrong);
    board.reveal();
    EXPECT_EQ(board.state(), BoardState::Revealed);
    expectButtons(true, false, false, false);
    EXPECT_EQ(captions(), "T|O|E|T|E|N|B|O|A|");
    EXPECT_EQ(colours(), "wwwwwwwww");
    EXPECT_EQ(board.runText(), " 1 loss(es)");
    // A new puzzle can follow.
    board.begin(wordsFromAcross("AWL", "ACE", "AGE"));
    EXPECT_EQ(board.state(), BoardState::Playing);
    EXPECT_EQ(captions(), "|||||||||");
}

TEST_F(BoardTest, RunCountsConsecutiveWinsAndLosses) {
    win();
    EXPECT_EQ(board.runText(), " 1 win(s)");
    win();
    EXPECT_EQ(board.runText(), " 2 win(s)");
    lose();
    EXPECT_EQ(board.runText(), " 1 loss(es)");
    lose();
    lose();
    EXPECT_EQ(board.runText(), " 3 loss(es)");
    EXPECT_EQ(board.runCount(), -3);
    win();
    EXPECT_EQ(board.runText(), " 1 win(s)");
    EXPECT_EQ(board.runCount(), 1);
}

TEST_F(BoardTest, RunStopsAtTheSixteenBitLimits) {
    for (int i = 0; i < 32767 + 2; ++i)
        win();
    EXPECT_EQ(board.runCount(), 32767);
    EXPECT_EQ(board.runText(), " 32767 win(s)");
    for (int i = 0; i < 32768 + 2; ++i)
        lose();
    EXPECT_EQ(board.runCount(), -32768);
    EXPECT_EQ(board.runText(), " 32768 loss(es)");
    win();
    EXPECT_EQ(board.runText(), " 1 win(s)");
}

TEST_F(BoardTest, UpdateRunCountsOncePerPuzzle) {
    board.begin(kToeTenBoa);
    board.updateRun(true);
    board.updateRun(false);
    EXPECT_EQ(board.runText(), " 1 win(s)");
    board.begin(kToeTenBoa);
    EXPECT_FALSE(board.runCounted());
    board.updateRun(true);
    EXPECT_EQ(board.runText(), " 2 win(s)");
}

}  // namespace
