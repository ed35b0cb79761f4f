#include <gtest/gtest.h>

#include <string>
#include <utility>

#include "gameFixture.h"

namespace {

using quillbox::classic::tallyLine;
namespace colors = quillbox::classic::colors;

using Scoring = quillbox::testing::ClassicGameTest;

TEST(TallyLine, RightAlignsThePointsInNineCharactersWhenTheyFit) {
    EXPECT_EQ(tallyLine("AB", "1"), "AB      1\r\n");
    EXPECT_EQ(tallyLine("XYZ", "-2"), "XYZ    -2\r\n");
    EXPECT_EQ(tallyLine("TOTAL", "-999"), "TOTAL-999\r\n");
    EXPECT_EQ(tallyLine("TOTAL", "-1,000"), "TOTAL-1,000\r\n");
}

TEST_F(Scoring, TheTallyMarksTheLettersThatCameFromBlanks) {
    startWith("_AT_BEH");
    port.inputAnswers = {"x"};
    game.relabelBlank(3);
    play({0, 3});  // EX, both blanks, the first still an E; not in this word list
    play({1, 2});
    ASSERT_EQ(port.tally.size(), 2u);
    const auto& ex = port.tally[0];
    EXPECT_EQ(ex.line, "EX     -1\r\n");
    EXPECT_EQ(ex.color, colors::red);
    EXPECT_EQ(std::pair(ex.blankIndex1, ex.blankIndex2), std::pair(0, 1));
    const auto& at = port.tally[1];
    EXPECT_EQ(at.line, "AT      1\r\n");
    EXPECT_EQ(std::pair(at.blankIndex1, at.blankIndex2), std::pair(-1, -1));
}

TEST_F(Scoring, OnlyEntriesOfFiveOrLessCountSoASmallTotalCountsTwice) {
    game.displayPoints("TOTAL", 6, colors::darkViolet, -1, -1);
    EXPECT_EQ(game.score(), 0);
    game.displayPoints("BONUS", 5, colors::blue, -1, -1);
    EXPECT_EQ(game.pointsText(), " 5");
    game.endGame();
    EXPECT_EQ(port.tally.back().line, "TOTAL   5\r\n");
    EXPECT_EQ(port.tally.back().color, colors::darkViolet);
    EXPECT_EQ(game.pointsText(), " 10");
    EXPECT_EQ(game.tally().size(), port.tally.size());
    // The rating uses the score as it was before the total.
    EXPECT_EQ(port.boxes.back().text,
              "You scored 5 which rates as SUBTERRANEANLY SUPREMELY EXTREMELY TERRIBLE.");
}

}  // namespace
