#include <gtest/gtest.h>

#include <string>
#include <utility>
#include <vector>

#include "classic/rating.h"
#include "gameFixture.h"

namespace {

using quillbox::CheckState;
using quillbox::DragState;
using quillbox::MouseButton;
using quillbox::ratingPhrase;
using quillbox::testing::ClassicGameTest;
using quillbox::testing::RecordingPort;

using GameStates = ClassicGameTest;
using LearnMode = ClassicGameTest;
using RackInTheGame = ClassicGameTest;
using EndOfGame = ClassicGameTest;

struct Enabled {
    bool startGame, learnMode, drawTiles, playWord;
    bool operator==(const Enabled&) const = default;
};

Enabled enabledOf(const quillbox::ClassicGame& g) {
    return {g.startGameEnabled(), g.learnModeEnabled(), g.drawTilesEnabled(), g.playWordEnabled()};
}

std::ostream& operator<<(std::ostream& os, const Enabled& e) {
    return os << "start " << e.startGame << ", learn " << e.learnMode << ", draw " << e.drawTiles
              << ", play " << e.playWord;
}

constexpr Enabled kNoGame{true, true, false, false};
constexpr Enabled kRackDrawn{false, false, false, false};
constexpr Enabled kWordPlayed{false, false, true, false};
constexpr Enabled kWordPlayedBagEmpty{false, false, false, false};

// ---- Game states ----------------------------------------------------------

TEST_F(GameStates, AFreshWindowHasNoGameAndLearnModeOn) {
    EXPECT_FALSE(game.gameInProgress());
    EXPECT_EQ(enabledOf(game), kNoGame);
    EXPECT_EQ(game.learnMode(), CheckState::Checked);
    EXPECT_TRUE(game.learnWidgetsVisible());
    EXPECT_EQ(game.pointsText(), "0");
    EXPECT_EQ(game.bagCountText(), "100");
    EXPECT_EQ(game.definitionText(), "");
    EXPECT_EQ(game.rackCount(), 0);
}

TEST_F(GameStates, StartGameDrawsSevenTilesFromAShuffledFullBag) {
    startWith("QATJOEH");
    EXPECT_TRUE(game.gameInProgress());
    EXPECT_EQ(random.reseeds(), 1);
    EXPECT_EQ(layout(), "QATJOEH...");
    EXPECT_EQ(game.bagCountText(), "93");
    EXPECT_EQ(bag.count(), 93);
    EXPECT_EQ(game.pointsText(), "0");
    EXPECT_EQ(game.selectedCount(), 0);
    EXPECT_EQ(game.invalidCount(), 0);
    EXPECT_FALSE(game.bonusLost());
    EXPECT_FALSE(game.qPlayed());
    EXPECT_EQ(enabledOf(game), kRackDrawn);
    // The sheet is emptied before the first draw is searched.
    EXPECT_EQ(port.events, (std::vector<std::string>{"clear", "search:QATJOEH"}));
}

TEST_F(GameStates, WithoutLearnModeNoSearchFollowsADraw) {
    turnLearnModeOff();
    startWith("QATJOEH");
    play({0, 1, 2});
    game.cmdDrawTiles_Click();
    EXPECT_TRUE(port.searchedRacks.empty());
}

TEST_F(GameStates, PlaysAndDrawsMoveBetweenRackDrawnAndWordPlayed) {
    startWith("ATEHTENXI");
    click({0, 1});
    EXPECT_EQ(enabledOf(game), (Enabled{false, false, false, true}));
    game.cmdPlayWord_Click();
    EXPECT_EQ(enabledOf(game), kWordPlayed);
    play({2, 3});  // more words from the same rack before drawing
    EXPECT_EQ(enabledOf(game), kWordPlayed);
    game.cmdDrawTiles_Click();
    EXPECT_EQ(enabledOf(game), kRackDrawn);
    EXPECT_EQ(layout(), "XIAATEN...");
    EXPECT_EQ(game.bagCountText(), "89");
    EXPECT_EQ(port.searchedRacks, (std::vector<std::string>{"ATEHTEN", "XIAATEN"}));
}

TEST_F(GameStates, DisabledControlsDoNothing) {
    startWith("ATEHTEN");
    game.cmdStartGame_Click();  // the shuffle script is used up: a restart would throw
    game.cmdDrawTiles_Click();
    game.cmdPlayWord_Click();
    game.chkLearnMode_Click(CheckState::Unchecked);
    EXPECT_EQ(layout(), "ATEHTEN...");
    EXPECT_EQ(bag.count(), 93);
    EXPECT_TRUE(port.tally.empty());
    EXPECT_EQ(game.learnMode(), CheckState::Checked);
    EXPECT_TRUE(game.learnWidgetsVisible());
}

TEST_F(GameStates, WithTheBagEmptyTheGameGoesOnWhileTwoTilesRemain) {
    startWith("ATEHTEN");
    leaveInBag("");
    play({0, 1});
    EXPECT_TRUE(game.gameInProgress());
    EXPECT_EQ(enabledOf(game), kWordPlayedBagEmpty);
    play({2, 3});
    EXPECT_TRUE(game.gameInProgress());
    play({4, 5});  // TE: wrong, and it leaves one tile
    EXPECT_FALSE(game.gameInProgress());
    EXPECT_EQ(enabledOf(game), kNoGame);
    EXPECT_EQ(layout(), "......N...");
    ASSERT_EQ(port.tally.size(), 4u);
    EXPECT_EQ(port.tally[3].line, "TOTAL   1\r\n");
}

TEST_F(GameStates, ClearingTheLastRackWritesTheBonusBeforeTheTotal) {
    startWith("ATEHTEN");
    leaveInBag("");
    play({0, 1});
    play({2, 3});
    play({4, 5, 6});
    std::vector<std::string> words;
    for (const auto& e : port.tally)
        words.push_back(e.word);
    EXPECT_EQ(words, (std::vector<std::string>{"AT", "EH", "TEN", "BONUS", "TOTAL"}));
    EXPECT_EQ(port.tally.back().points, 8);
    EXPECT_FALSE(game.gameInProgress());
}

TEST_F(GameStates, ADrawLeavingOneTileEndsTheGameAndTheSearchStillRuns) {
    startWith("ATEHTEN");
    play({0, 1});
    play({2, 3});
    play({4, 5, 6});
    leaveInBag("Q");
    port.events.clear();
    game.cmdDrawTiles_Click();
    EXPECT_FALSE(game.gameInProgress());
    EXPECT_EQ(game.bagCountText(), "0");
    EXPECT_EQ(layout(), "Q.........");
    EXPECT_EQ(port.events,
              (std::vector<std::string>{"tally:TOTAL", "message:Final Score", "search:Q"}));
    EXPECT_EQ(enabledOf(game), kNoGame);
}

TEST_F(GameStates, ANewGameAfterTheEndStartsAfresh) {
    startWith("XYATEHT");
    play({0, 1});
    play({2, 3});
    leaveInBag("");
    play({4, 5});
    ASSERT_FALSE(game.gameInProgress());
    ASSERT_FALSE(port.tally.empty());

    startWith("ATEHTEN");
    EXPECT_TRUE(game.gameInProgress());
    EXPECT_TRUE(port.tally.empty());
    EXPECT_TRUE(game.tally().empty());
    EXPECT_EQ(game.pointsText(), "0");
    EXPECT_EQ(game.score(), 0);
    EXPECT_EQ(game.invalidCount(), 0);
    EXPECT_EQ(layout(), "ATEHTEN...");  // the tile left from the last game is gone
    EXPECT_EQ(game.bagCountText(), "93");
}

TEST_F(GameStates, TheWindowHearsOfEveryChange) {
    int seen = port.stateChanges;
    startWith("ATEHTEN");
    EXPECT_GT(port.stateChanges, seen);
    seen = port.stateChanges;
    game.lblTile_DragOver(3, DragState::Enter, 10);
    EXPECT_GT(port.stateChanges, seen);
}

// ---- Learn mode -----------------------------------------------------------

TEST_F(LearnMode, TheCheckBoxShowsAndHidesTheLearnWidgets) {
    game.chkLearnMode_Click(CheckState::Unchecked);
    EXPECT_FALSE(game.learnWidgetsVisible());
    EXPECT_EQ(game.learnMode(), CheckState::Unchecked);
    game.chkLearnMode_Click(CheckState::Checked);
    EXPECT_TRUE(game.learnWidgetsVisible());
    EXPECT_TRUE(port.boxes.empty());
}

TEST_F(LearnMode, AGrayedBoxIsReportedAndCountsAsOff) {
    game.chkLearnMode_Click(CheckState::Unchecked);
    game.chkLearnMode_Click(CheckState::Grayed);
    ASSERT_EQ(port.boxes.size(), 1u);
    EXPECT_EQ(port.boxes[0].kind, "message");
    EXPECT_EQ(port.boxes[0].text, "Error: learn mode check box gray!");
    EXPECT_EQ(port.boxes[0].title, "Quillbox");
    EXPECT_FALSE(game.learnWidgetsVisible());  // nothing else changes

    startWith("XIATEHN");
    click({0, 1});
    EXPECT_EQ(game.definitionText(), "");  // no definitions
    game.cmdPlayWord_Click();
    game.cmdDrawTiles_Click();
    EXPECT_TRUE(port.searchedRacks.empty());  // no search

    // And a qualifying score is not offered to the table.
    leaveInBag("");
    play({2, 3});     // AT
    play({4, 5});     // EH
    play({0, 1, 6});  // AAN, wrong: the rack is empty and the score 2
    EXPECT_EQ(port.tally.back().line, "TOTAL   2\r\n");
    EXPECT_FALSE(game.gameInProgress());
    EXPECT_EQ(scores.isHighAsked, (std::vector<std::int32_t>{2}));
    EXPECT_TRUE(scores.added.empty());
    EXPECT_EQ(port.boxes.back().title, "Final Score");
}

TEST_F(LearnMode, StaysFixedForTheWholeGame) {
    startWith("ATEHTEN");
    EXPECT_FALSE(game.learnModeEnabled());
    leaveInBag("");
    play({0, 1});
    play({2, 3});
    play({4, 5});
    EXPECT_TRUE(game.learnModeEnabled());
    game.chkLearnMode_Click(CheckState::Unchecked);
    EXPECT_EQ(game.learnMode(), CheckState::Unchecked);
}

// ---- The rack inside the game -------------------------------------------

TEST_F(RackInTheGame, SelectingTwoOrThreeTilesShowsTheirDefinition) {
    startWith("XIAWL_T");
    click({0});
    EXPECT_EQ(game.definitionText(), "");
    EXPECT_FALSE(game.playWordEnabled());
    click({1});
    EXPECT_EQ(game.definitionText(), "XI: a letter of the Greek alphabet");
    EXPECT_TRUE(game.playWordEnabled());

    // Moving X to the right of I spells IX.
    game.lblTile_DragOver(1, DragState::Enter, 300);
    game.lblTile_DragDrop(1, 0);
    EXPECT_EQ(layout(), ".IXAWLET..");
    EXPECT_EQ(game.selectedWord(), "IX");
    EXPECT_EQ(game.definitionText(), "IX: --- NOT A WORD! ---");
    EXPECT_TRUE(game.playWordEnabled());
    EXPECT_EQ(game.selectedCount(), 2);
}

TEST_F(RackInTheGame, AWordWithoutADefinitionIsACommonWord) {
    startWith("XIAWL_T");
    click({2, 3, 4});
    EXPECT_EQ(game.definitionText(), "AWL: [Common word]");
}

TEST_F(RackInTheGame, AFourthTileDisablesPlayWordUntilOneIsDropped) {
    startWith("XIAWL_T");
    click({2, 3, 4});
    ASSERT_TRUE(game.playWordEnabled());
    click({0});
    EXPECT_FALSE(game.playWordEnabled());
    EXPECT_EQ(game.definitionText(), "");
    click({3});
    EXPECT_TRUE(game.playWordEnabled());
    EXPECT_EQ(game.selectedWord(), "XAL");
    EXPECT_EQ(game.definitionText(), "XAL: --- NOT A WORD! ---");
}

TEST_F(RackInTheGame, WithoutLearnModeNoDefinitionIsWrittenButOneCanBeEmptied) {
    turnLearnModeOff();
    startWith("XIAWL_T");
    click({0, 1});
    EXPECT_EQ(game.definitionText(), "");
    EXPECT_TRUE(game.playWordEnabled());
    game.showDefinition("AT");  // as selecting a word on the tally sheet does
    EXPECT_EQ(game.definitionText(), "AT: in the place of");
    click({2});
    EXPECT_EQ(game.definitionText(), "AT: in the place of");
    click({3});
    EXPECT_EQ(game.definitionText(), "");
}

TEST_F(RackInTheGame, AClickOnAnEmptySlotChangesNothing) {
    startWith("XIAWL_T");
    click({0, 1});
    const auto before = game.definitionText();
    click({8});
    EXPECT_EQ(game.definitionText(), before);
    EXPECT_TRUE(game.playWordEnabled());
    EXPECT_EQ(game.selectedCount(), 2);
    click({0, 8});
    EXPECT_FALSE(game.playWordEnabled());
}

TEST_F(RackInTheGame, DoubleClickingABlankAsksUntilItGetsOneLetter) {
    startWith("XIAWL_T");
    click({2, 5});
    EXPECT_EQ(game.definitionText(), "AE: --- NOT A WORD! ---");
    port.inputAnswers = {"", "ab", " e", "7", "t"};
    game.lblTile_DblClick(5);
    const auto& slot = game.rack().slot(5);
    EXPECT_EQ(slot.letter, 'T');
    EXPECT_TRUE(slot.blank);
    EXPECT_TRUE(slot.selected());
    EXPECT_EQ(game.definitionText(), "AT: in the place of");
    ASSERT_EQ(port.boxes.size(), 9u);
    for (std::size_t i = 0; i < port.boxes.size(); ++i) {
        const auto& box = port.boxes[i];
        if (i % 2 == 0) {
            EXPECT_EQ(box.kind, "input");
            EXPECT_EQ(box.text, "Substitute what letter for the blank?");
            EXPECT_EQ(box.title, "Fill in the blank");
            EXPECT_EQ(box.defaultAnswer, "E");
        } else {
            EXPECT_EQ(box.kind, "message");
            EXPECT_EQ(box.text, "You must enter a single letter of the alphabet!");
            EXPECT_EQ(box.title, "Invalid Letter");
        }
    }
}

TEST_F(RackInTheGame, AnUpperCaseAnswerIsTakenAsItIs) {
    startWith("XIAWL_T");
    port.inputAnswers = {"Z"};
    game.lblTile_DblClick(5);
    EXPECT_EQ(game.rack().slot(5).letter, 'Z');
    EXPECT_EQ(port.boxes.size(), 1u);
    EXPECT_EQ(game.definitionText(), "");  // nothing selected: no refresh
}

TEST_F(RackInTheGame, DoubleClickingAnOrdinaryTileOrAGapDoesNothing) {
    startWith("XIAWL_T");
    game.lblTile_DblClick(0);
    game.lblTile_DblClick(8);
    EXPECT_TRUE(port.boxes.empty());
    EXPECT_EQ(layout(), "XIAWLET...");
}

TEST_F(RackInTheGame, OnlyALeftPressOnATileStartsADrag) {
    startWith("XIAWL_T");
    EXPECT_TRUE(game.lblTile_MouseDown(0, MouseButton::Left));
    EXPECT_FALSE(game.lblTile_MouseDown(0, MouseButton::Right));
    EXPECT_FALSE(game.lblTile_MouseDown(7, MouseButton::Left));
}

TEST_F(RackInTheGame, DropsIntoGapsKeepTheSelectionAndRefreshTheDefinition) {
    startWith("TAXIWL_");
    click({0, 1});
    EXPECT_EQ(game.definitionText(), "TA: thanks");
    game.lblSpacer_DragOver(0, DragState::Enter);
    game.lblSpacer_DragDrop(0, 1);  // A before T
    EXPECT_EQ(layout(), "ATXIWLE...");
    EXPECT_EQ(game.definitionText(), "AT: in the place of");
    EXPECT_EQ(game.selectedCount(), 2);
    EXPECT_TRUE(game.playWordEnabled());
    for (int k = 0; k < quillbox::kInsertMarkers; ++k)
        EXPECT_FALSE(game.rack().markerVisible(k));
}

// ---- End of game --------------------------------------------------------

struct RatingCase {
    int score;
    const char* message;

    friend void PrintTo(const RatingCase& c, std::ostream* os) { *os << "score " << c.score; }
};

class EndOfGameRating : public ClassicGameTest, public ::testing::WithParamInterface<RatingCase> {};

TEST_P(EndOfGameRating, TheFinalMessageRatesTheScore) {
    scorePoints(GetParam().score);
    game.endGame();
    ASSERT_EQ(port.messages().size(), 1u);
    EXPECT_EQ(port.messages()[0].text, GetParam().message);
    EXPECT_EQ(port.messages()[0].title, "Final Score");
    EXPECT_EQ(scores.isHighAsked, (std::vector<std::int32_t>{GetParam().score}));
}

INSTANTIATE_TEST_SUITE_P(
    Bounds, EndOfGameRating,
    ::testing::Values(
        RatingCase{29, "You scored 29 which rates as SUBTERRANEANLY SUPREMELY EXTREMELY TERRIBLE."},
        RatingCase{30, "You scored 30 which rates as SUPREMELY EXTREMELY TERRIBLE."},
        RatingCase{114, "You scored 114 which rates as SUPREMELY EXTREMELY EXCELLENT."},
        RatingCase{115,
                   "You scored 115 which rates as STRATOSPHEREICALLY SUPREMELY EXTREMELY "
                   "EXCELLENT."},
        RatingCase{0, "You scored 0 which rates as SUBTERRANEANLY SUPREMELY EXTREMELY TERRIBLE."},
        RatingCase{-4,
                   "You scored-4 which rates as SUBTERRANEANLY SUPREMELY EXTREMELY TERRIBLE."}));

TEST(RatingPhrase, StepsByFiveFromThirtyToOneHundredFifteen) {
    const std::vector<std::pair<int, const char*>> firstOfEach = {
        {-32768, "SUBTERRANEANLY SUPREMELY EXTREMELY TERRIBLE"},
        {30, "SUPREMELY EXTREMELY TERRIBLE"},
        {35, "EXTREMELY TERRIBLE"},
        {40, "TERRIBLE"},
        {45, "VERY VERY POOR, ALMOST TERRIBLE"},
        {50, "VERY VERY POOR"},
        {55, "VERY POOR"},
        {60, "POOR"},
        {65, "FAIR LEANING TOWARDS POOR"},
        {70, "FAIR"},
        {75, "FAIR LEANING TOWARDS GOOD"},
        {80, "GOOD"},
        {85, "VERY GOOD"},
        {90, "VERY VERY GOOD"},
        {95, "VERY VERY GOOD, ALMOST EXCELLENT"},
        {100, "EXCELLENT"},
        {105, "EXTREMELY EXCELLENT"},
        {110, "SUPREMELY EXTREMELY EXCELLENT"},
        {115, "STRATOSPHEREICALLY SUPREMELY EXTREMELY EXCELLENT"},
    };
    for (std::size_t i = 0; i < firstOfEach.size(); ++i) {
        const auto [from, phrase] = firstOfEach[i];
        const int to = i + 1 < firstOfEach.size() ? firstOfEach[i + 1].first - 1 : 32767;
        EXPECT_EQ(ratingPhrase(from), phrase) << from;
        EXPECT_EQ(ratingPhrase(to), phrase) << to;
    }
}

TEST_F(EndOfGame, LeavesTheWindowWithNoGameBeforeItSpeaks) {
    startWith("ATEHTEN");
    leaveInBag("");
    play({0, 1});
    play({2, 3});
    bool checked = false;
    port.onBox = [&](const RecordingPort::Box& box) {
        if (box.title != "Final Score")
            return;
        checked = true;
        EXPECT_FALSE(game.gameInProgress());
        EXPECT_TRUE(game.startGameEnabled());
        EXPECT_TRUE(game.learnModeEnabled());
        EXPECT_EQ(port.tally.back().word, "TOTAL");
        EXPECT_EQ(port.events.at(port.events.size() - 2), "tally:TOTAL");
    };
    const int changesBefore = port.stateChanges;
    play({4, 5});
    EXPECT_TRUE(checked);
    EXPECT_GT(port.stateChanges, changesBefore);
    EXPECT_EQ(layout(), "......N...");  // the last tile stays
}

TEST_F(EndOfGame, InLearnModeAHighScoreIsAskedAboutButNotRecorded) {
    scorePoints(87);
    game.endGame();
    EXPECT_EQ(scores.isHighAsked, (std::vector<std::int32_t>{87}));
    EXPECT_TRUE(scores.added.empty());
    EXPECT_EQ(port.highScoreShows, 0);
    ASSERT_EQ(port.boxes.size(), 1u);
    EXPECT_EQ(port.boxes[0].text, "You scored 87 which rates as VERY GOOD.");
}

TEST_F(EndOfGame, AScoreThatBeatsNothingGetsTheFinalMessage) {
    turnLearnModeOff();
    for (auto& e : scores.entries)
        e = {"ACE", 100};
    scorePoints(87);
    game.endGame();
    EXPECT_EQ(scores.isHighAsked, (std::vector<std::int32_t>{87}));
    EXPECT_TRUE(scores.added.empty());
    ASSERT_EQ(port.boxes.size(), 1u);
    EXPECT_EQ(port.boxes[0].text, "You scored 87 which rates as VERY GOOD.");
    EXPECT_EQ(port.boxes[0].title, "Final Score");
}

TEST_F(EndOfGame, AHighScoreIsNotLeftWithoutAName) {
    turnLearnModeOff();
    scorePoints(87);
    port.inputAnswers = {"", "", "  "};
    game.endGame();
    const std::string prompt =
        "You have a new high score of 87 which rates as VERY GOOD.\r\n\r\nEnter your name:";
    ASSERT_EQ(port.boxes.size(), 5u);
    for (int i : {0, 2, 4}) {
        EXPECT_EQ(port.boxes[i].kind, "input");
        EXPECT_EQ(port.boxes[i].text, prompt);
        EXPECT_EQ(port.boxes[i].title, "New High Score");
        EXPECT_EQ(port.boxes[i].defaultAnswer, "NAME");
    }
    for (int i : {1, 3}) {
        EXPECT_EQ(port.boxes[i].kind, "message");
        EXPECT_EQ(port.boxes[i].text, "You must enter your name!");
        EXPECT_EQ(port.boxes[i].title, "No Name Entered");
    }
    ASSERT_EQ(scores.added.size(), 1u);
    EXPECT_EQ(scores.added[0].name, "  ");  // blanks only are a name, as typed
    EXPECT_EQ(scores.added[0].points, 87);
    EXPECT_EQ(scores.entries[0].points, 87);
    EXPECT_EQ(port.highScoreShows, 1);
    EXPECT_EQ(port.events.back(), "scores");
}

TEST_F(EndOfGame, ANegativeHighScoreUsesTheMinusSignInThePrompt) {
    turnLearnModeOff();
    for (auto& e : scores.entries)
        e = {"LOW", -50};
    scorePoints(-7);
    port.inputAnswers = {"NAME"};
    game.endGame();
    ASSERT_EQ(port.inputs().size(), 1u);
    EXPECT_EQ(port.inputs()[0].text,
              "You have a new high score of-7 which rates as SUBTERRANEANLY SUPREMELY EXTREMELY "
              "TERRIBLE.\r\n\r\nEnter your name:");
    ASSERT_EQ(scores.added.size(), 1u);
    EXPECT_EQ(scores.added[0].name, "NAME");
    EXPECT_EQ(scores.added[0].points, -7);
    EXPECT_EQ(port.tally.back().line, "TOTAL  -7\r\n");
}

}  // namespace
