#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "gameFixture.h"

namespace {

using quillbox::Rgb;
using quillbox::tallyLine;
namespace colors = quillbox::colors;

using Scoring = quillbox::testing::ClassicGameTest;

TEST(TallyLine, RightAlignsThePointsInNineCharacters) {
    EXPECT_EQ(tallyLine("AB", 1), "AB      1\r\n");
    EXPECT_EQ(tallyLine("XYZ", -2), "XYZ    -2\r\n");
    EXPECT_EQ(tallyLine("BONUS", 5), "BONUS   5\r\n");
    EXPECT_EQ(tallyLine("QBONUS", 5), "QBONUS  5\r\n");
    EXPECT_EQ(tallyLine("TOTAL", 85), "TOTAL  85\r\n");
    EXPECT_EQ(tallyLine("TOTAL", -999), "TOTAL-999\r\n");
    // Too long for nine characters: no spaces at all.
    EXPECT_EQ(tallyLine("TOTAL", -1000), "TOTAL-1000\r\n");
}

TEST_F(Scoring, AWordIsReadFromTheSelectedSlotsLeftToRight) {
    startWith("TABEHXN");
    click({3, 1});
    EXPECT_EQ(game.selectedWord(), "AE");
    click({3});
    click({2});
    EXPECT_EQ(game.selectedWord(), "AB");
    game.cmdPlayWord_Click();
    EXPECT_EQ(layout(), "T..EHXN...");
    ASSERT_EQ(port.tally.size(), 1u);
    EXPECT_EQ(port.tally[0].word, "AB");
    EXPECT_EQ(port.tally[0].line, "AB      1\r\n");
    EXPECT_EQ(port.tally[0].color, colors::black);
    EXPECT_EQ(game.pointsText(), " 1");
    EXPECT_EQ(game.selectedCount(), 0);
    EXPECT_FALSE(game.playWordEnabled());
}

TEST_F(Scoring, ABlankInTheMiddleOfAWordIsItsSecondLetter) {
    startWith("T_NABEH");
    play({0, 1, 2});  // the blank still stands for E
    ASSERT_EQ(port.tally.size(), 1u);
    EXPECT_EQ(port.tally[0].word, "TEN");
    EXPECT_EQ(port.tally[0].points, 1);
    EXPECT_EQ(port.tally[0].blankIndex1, 1);
    EXPECT_EQ(port.tally[0].blankIndex2, -1);

    play({3, 4});
    EXPECT_EQ(port.tally[1].blankIndex1, -1);
    EXPECT_EQ(port.tally[1].blankIndex2, -1);
}

TEST_F(Scoring, AWordOfTwoBlanksMarksBothLetters) {
    startWith("_AT_BEH");
    port.inputAnswers = {"x"};
    game.lblTile_DblClick(3);
    play({0, 3});  // not side by side on the rack
    ASSERT_EQ(port.tally.size(), 1u);
    EXPECT_EQ(port.tally[0].word, "EX");
    EXPECT_EQ(port.tally[0].blankIndex1, 0);
    EXPECT_EQ(port.tally[0].blankIndex2, 1);
    EXPECT_EQ(port.tally[0].color, colors::red);  // not in this word list
    EXPECT_FALSE(game.rack().slot(0).blank);
    EXPECT_FALSE(game.rack().slot(3).blank);
}

TEST_F(Scoring, InvalidWordsCostMoreAndMoreUntilTheNextGame) {
    startWith("XYABZVWKQ");
    play({0, 1});  // XY
    play({2, 3});  // AB, valid: the count goes on
    play({4, 5});  // ZV
    game.cmdDrawTiles_Click();
    EXPECT_EQ(layout(), "KQAAAAW...");
    play({0, 1});  // KQ
    std::vector<std::string> lines;
    for (const auto& e : port.tally)
        lines.push_back(e.line);
    EXPECT_EQ(lines, (std::vector<std::string>{"XY     -1\r\n", "AB      1\r\n", "ZV     -2\r\n",
                                               "KQ     -3\r\n"}));
    EXPECT_EQ(port.tally[0].color, colors::red);
    EXPECT_EQ(port.tally[2].color, colors::red);
    EXPECT_EQ(game.invalidCount(), 3);
    EXPECT_EQ(game.score(), -5);
    EXPECT_EQ(game.pointsText(), "-5");
    EXPECT_TRUE(port.messages().empty());  // a wrong word is only shown, never reported

    // End this game and start another: the count starts again.
    leaveInBag("");
    play({2, 3});
    play({4, 5});
    ASSERT_FALSE(game.gameInProgress());
    startWith("XYABZVW");
    EXPECT_EQ(game.invalidCount(), 0);
    play({0, 1});
    EXPECT_EQ(port.tally.back().line, "XY     -1\r\n");
    EXPECT_EQ(game.pointsText(), "-1");
}

TEST_F(Scoring, ClearingAFullRackWithAQWordEarnsBothBonuses) {
    startWith("QATJOEH");
    play({0, 1, 2});
    play({3, 4});
    EXPECT_TRUE(game.qPlayed());
    play({5, 6});
    std::vector<std::string> lines;
    for (const auto& e : port.tally)
        lines.push_back(e.line);
    EXPECT_EQ(lines, (std::vector<std::string>{"QAT     1\r\n", "JO      1\r\n", "EH      1\r\n",
                                               "BONUS   5\r\n", "QBONUS  5\r\n"}));
    EXPECT_EQ(port.tally[3].color, (Rgb{0, 0, 255}));
    EXPECT_EQ(port.tally[4].color, (Rgb{255, 0, 255}));
    for (const auto& e : port.tally) {
        EXPECT_EQ(e.blankIndex1, -1);
        EXPECT_EQ(e.blankIndex2, -1);
    }
    EXPECT_EQ(game.pointsText(), " 13");
}

TEST_F(Scoring, AnInvalidWordForfeitsTheBonusUntilTheNextFullDraw) {
    startWith("XYABQATATEHTEN");
    play({0, 1});  // XY
    play({2, 3});
    play({4, 5, 6});  // QAT: a valid Q word, but the rack is spoilt
    EXPECT_TRUE(game.bonusLost());
    ASSERT_EQ(port.tally.size(), 3u);
    EXPECT_EQ(port.tally.back().word, "QAT");

    game.cmdDrawTiles_Click();  // seven new tiles: the bonus can be earned again
    EXPECT_FALSE(game.bonusLost());
    EXPECT_FALSE(game.qPlayed());
    play({0, 1});
    play({2, 3});
    play({4, 5, 6});
    ASSERT_EQ(port.tally.size(), 7u);
    EXPECT_EQ(port.tally[6].line, "BONUS   5\r\n");  // and no Q bonus: the Q was on the last rack
    EXPECT_EQ(game.score(), -1 + 1 + 1 + 3 + 5);
}

TEST_F(Scoring, APartlyRefilledRackEarnsNoBonus) {
    startWith("ATEHTEN");
    play({0, 1});
    play({2, 3});
    play({4, 5, 6});
    EXPECT_EQ(port.tally.back().word, "BONUS");
    leaveInBag("ATONE");
    game.cmdDrawTiles_Click();
    EXPECT_TRUE(game.bonusLost());
    EXPECT_EQ(game.bagCountText(), "0");
    play({0, 1});     // AT
    play({2, 3, 4});  // ONE clears the rack; the game is over
    std::vector<std::string> words;
    for (const auto& e : port.tally)
        words.push_back(e.word);
    EXPECT_EQ(words, (std::vector<std::string>{"AT", "EH", "TEN", "BONUS", "AT", "ONE", "TOTAL"}));
}

TEST_F(Scoring, APlayThatLeavesTilesEarnsNoBonus) {
    startWith("ATEHTEN");
    play({0, 1});
    play({2, 3});
    EXPECT_EQ(port.tally.size(), 2u);
    EXPECT_EQ(game.rackCount(), 3);
    EXPECT_TRUE(game.drawTilesEnabled());
    game.cmdDrawTiles_Click();  // refilled to seven: earnable again
    EXPECT_FALSE(game.bonusLost());
}

TEST_F(Scoring, OnlyEntriesOfFiveOrLessCount) {
    game.displayPoints("AB", 1, colors::black, -1, -1);
    EXPECT_EQ(game.pointsText(), " 1");
    game.displayPoints("BONUS", 5, colors::blue, -1, -1);
    EXPECT_EQ(game.pointsText(), " 6");
    game.displayPoints("TOTAL", 6, colors::darkViolet, -1, -1);
    EXPECT_EQ(game.pointsText(), " 6");
    game.displayPoints("XYZ", -9, colors::red, -1, -1);
    EXPECT_EQ(game.pointsText(), "-3");
    EXPECT_EQ(game.score(), -3);
    game.displayPoints("AB", 3, colors::black, 0, 1);
    EXPECT_EQ(game.pointsText(), " 0");
    ASSERT_EQ(port.tally.size(), 5u);
    EXPECT_EQ(port.tally[2].line, "TOTAL   6\r\n");
    EXPECT_EQ(port.tally[4].blankIndex1, 0);
    EXPECT_EQ(port.tally[4].blankIndex2, 1);
    EXPECT_EQ(game.tally().size(), 5u);
}

TEST_F(Scoring, ASmallTotalIsAddedToTheScoreOnceMore) {
    scorePoints(3);
    game.endGame();
    EXPECT_EQ(port.tally.back().line, "TOTAL   3\r\n");
    EXPECT_EQ(port.tally.back().color, (Rgb{64, 32, 128}));
    EXPECT_EQ(game.pointsText(), " 6");
    // The messages use the score as it was read before the total.
    EXPECT_EQ(port.messages().back().text,
              "You scored 3 which rates as SUBTERRANEANLY SUPREMELY EXTREMELY TERRIBLE.");
}

}  // namespace
