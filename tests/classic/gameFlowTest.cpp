#include <gtest/gtest.h>

#include <string>
#include <tuple>
#include <utility>
#include <vector>

#include "classic/rating.h"
#include "gameFixture.h"

namespace {

using quillbox::classic::DragState;
using quillbox::classic::ratingPhrase;
using quillbox::testing::ClassicGameTest;
using quillbox::testing::RecordingPort;
using Box = RecordingPort::Box;
using Words = std::vector<std::string>;

using GameStates = ClassicGameTest;
using LearnMode = ClassicGameTest;
using RackInTheGame = ClassicGameTest;
using EndOfGame = ClassicGameTest;

// The enabled controls, one character each: Start Game, Learn Mode, Draw
// Tiles, Play Word ('-' when disabled).
std::string enabledOf(const quillbox::classic::ClassicGame& g) {
    return {g.startGameEnabled() ? 'S' : '-', g.learnModeEnabled() ? 'L' : '-',
            g.drawTilesEnabled() ? 'D' : '-', g.playWordEnabled() ? 'P' : '-'};
}

const std::string kNoGame = "SL--";
const std::string kRackDrawn = "----";
const std::string kWordPlayed = "--D-";
const std::string kWordPlayedBagEmpty = "----";

// The boxes must alternate between a question and the refusal of its answer,
// ending with the question that got a good answer.
void expectAskedAgainAfterEachRefusal(const std::vector<Box>& boxes, const Box& ask,
                                      const Box& refusal) {
    EXPECT_EQ(boxes.size() % 2, 1u);
    for (std::size_t i = 0; i < boxes.size(); ++i) {
        EXPECT_TRUE(boxes[i] == (i % 2 == 0 ? ask : refusal)) << i << ": " << boxes[i].text;
    }
}

TEST_F(GameStates, AFreshWindowHasNoGameUntilStartGameDrawsSevenTilesFromAShuffledFullBag) {
    EXPECT_FALSE(game.gameInProgress());
    EXPECT_EQ(enabledOf(game), kNoGame);
    EXPECT_EQ(game.learnMode(), quillbox::classic::LearnMode::On);
    EXPECT_TRUE(game.learnWidgetsVisible());
    EXPECT_EQ(game.pointsText(), "0");
    EXPECT_EQ(game.bagCountText(), "100");

    startWith("QATJOEH");
    EXPECT_TRUE(game.gameInProgress());
    EXPECT_EQ(random.reseeds(), 1);
    EXPECT_EQ(layout(), "QATJOEH...");
    EXPECT_EQ(game.bagCountText(), "93");
    EXPECT_FALSE(game.bonusLost());
    EXPECT_EQ(enabledOf(game), kRackDrawn);
    EXPECT_GT(port.stateChanges, 0);
    // The sheet is emptied before the first draw is searched.
    EXPECT_EQ(port.events, (Words{"clear", "search:QATJOEH"}));
}

TEST_F(GameStates, OnlyEnabledControlsActAsPlaysAndDrawsAlternate) {
    startWith("ATEHTENXI");
    game.startGame();  // the shuffle script is used up: a restart would throw
    game.drawTiles();
    game.playWord();
    game.setLearnMode(quillbox::classic::LearnMode::Off);
    EXPECT_EQ(layout(), "ATEHTEN...");
    EXPECT_TRUE(port.tally.empty());
    EXPECT_EQ(game.learnMode(), quillbox::classic::LearnMode::On);

    click({0, 1});
    EXPECT_EQ(enabledOf(game), "---P");
    game.playWord();
    EXPECT_EQ(enabledOf(game), kWordPlayed);
    play({2, 3});  // more words from the same rack before drawing
    EXPECT_EQ(enabledOf(game), kWordPlayed);
    game.drawTiles();
    EXPECT_EQ(enabledOf(game), kRackDrawn);
    EXPECT_EQ(layout(), "XIAATEN...");
}

TEST_F(GameStates, WithTheBagEmptyAPlayLeavingOneTileEndsTheGameBeforeTheFinalMessage) {
    startWith("ATEHTEN");
    leaveInBag("");
    play({0, 1});
    EXPECT_EQ(enabledOf(game), kWordPlayedBagEmpty);
    play({2, 3});
    EXPECT_TRUE(game.gameInProgress());

    click({4, 5});  // TE: wrong, and it leaves one tile
    const int changesBefore = port.stateChanges;
    int shown = 0;
    port.onBox = [&](const Box& box) {
        ++shown;
        EXPECT_EQ(box.title, "Final Score");
        // The window behind the box already shows the game over.
        EXPECT_GT(port.stateChanges, changesBefore);
        EXPECT_FALSE(game.gameInProgress());
        EXPECT_EQ(enabledOf(game), kNoGame);
        EXPECT_EQ(port.tally.back().line, "TOTAL   1\r\n");
    };
    game.playWord();
    EXPECT_EQ(shown, 1);
    EXPECT_EQ(layout(), "......N...");  // the last tile stays
    EXPECT_EQ(port.tallyWords(), (Words{"AT", "EH", "TE", "TOTAL"}));
}

TEST_F(GameStates, ClearingTheLastRackWritesTheBonusBeforeTheTotal) {
    startWith("ATEHTEN");
    leaveInBag("");
    play({0, 1});
    play({2, 3});
    play({4, 5, 6});
    EXPECT_EQ(port.tallyWords(), (Words{"AT", "EH", "TEN", "BONUS", "TOTAL"}));
    EXPECT_EQ(port.tally.back().points, 8);
}

TEST_F(GameStates, ADrawLeavingOneTileEndsTheGameAndTheSearchStillRuns) {
    startWith("ATEHTEN");
    play({0, 1});
    play({2, 3});
    play({4, 5, 6});
    leaveInBag("Q");
    port.events.clear();
    game.drawTiles();
    EXPECT_FALSE(game.gameInProgress());
    EXPECT_EQ(game.bagCountText(), "0");
    EXPECT_EQ(layout(), "Q.........");
    EXPECT_EQ(port.events, (Words{"tally:TOTAL", "message:Final Score", "search:Q"}));
    EXPECT_EQ(enabledOf(game), kNoGame);
}

TEST_F(GameStates, ANewGameAfterTheEndStartsAfresh) {
    startWith("XYATEHT");
    play({0, 1});  // wrong: -1
    play({2, 3});
    leaveInBag("");
    play({4, 5});
    ASSERT_FALSE(game.gameInProgress());

    startWith("XYATEHT");
    EXPECT_TRUE(port.tally.empty());
    EXPECT_TRUE(game.tally().empty());
    EXPECT_EQ(game.pointsText(), "0");
    EXPECT_EQ(game.score(), 0);
    EXPECT_EQ(layout(), "XYATEHT...");  // the tile left from the last game is gone
    EXPECT_EQ(game.bagCountText(), "93");
    play({0, 1});  // the penalties start again
    EXPECT_EQ(port.tally.back().line, "XY     -1\r\n");
}

TEST_F(LearnMode, TheBoxShowsAndHidesTheLearnWidgetsAndAGrayedBoxIsReported) {
    turnLearnModeOff();
    EXPECT_FALSE(game.learnWidgetsVisible());
    EXPECT_EQ(game.learnMode(), quillbox::classic::LearnMode::Off);
    game.setLearnMode(quillbox::classic::LearnMode::On);
    EXPECT_TRUE(game.learnWidgetsVisible());
    EXPECT_TRUE(port.boxes.empty());

    turnLearnModeOff();
    game.setLearnMode(quillbox::classic::LearnMode::Undetermined);
    ASSERT_EQ(port.boxes.size(), 1u);
    EXPECT_EQ(port.boxes[0].kind, "message");
    EXPECT_EQ(port.boxes[0].text, "Error: learn mode check box gray!");
    EXPECT_EQ(port.boxes[0].title, "Quillbox");
    EXPECT_FALSE(game.learnWidgetsVisible());  // nothing else changes
}

TEST_F(LearnMode, AGrayedBoxCountsAsOffYetNeverOffersTheScore) {
    game.setLearnMode(quillbox::classic::LearnMode::Undetermined);
    startWith("XIATEHN");
    click({0, 1});
    EXPECT_EQ(game.definitionText(), "");  // no definitions
    game.playWord();
    game.drawTiles();
    EXPECT_TRUE(port.searchedRacks.empty());  // no search

    game.endGame();  // a qualifying score gets the final message, not the name prompt
    EXPECT_EQ(scores.isHighAsked, (std::vector<std::int32_t>{1}));
    EXPECT_TRUE(scores.added.empty());
    EXPECT_EQ(port.boxes.back().title, "Final Score");
}

TEST_F(RackInTheGame, TwoOrThreeSelectedTilesCanBePlayedAndShowTheirDefinition) {
    startWith("XIAWL_T");
    using Step = std::tuple<int, std::string, bool>;  // the slot clicked, then what follows
    for (const auto& [slot, definition, playable] : std::vector<Step>{
             {0, "", false},
             {1, "XI: a letter of the Greek alphabet", true},
             {8, "XI: a letter of the Greek alphabet", true},  // an empty slot changes nothing
             {2, "XIA: --- NOT A WORD! ---", true},
             {3, "", false},  // a fourth tile
             {0, "IAW: --- NOT A WORD! ---", true},
             {1, "AW: --- NOT A WORD! ---", true},
             {4, "AWL: [Common word]", true},  // in the list without a definition
         }) {
        game.toggleTile(slot);
        EXPECT_EQ(game.definitionText(), definition) << "after slot " << slot;
        EXPECT_EQ(game.playWordEnabled(), playable) << "after slot " << slot;
    }
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

TEST_F(RackInTheGame, DoubleClickingABlankAsksUntilItGetsOneLetter) {
    startWith("XIAWL_T");
    game.relabelBlank(0);  // an ordinary tile
    game.relabelBlank(8);  // an empty slot
    EXPECT_TRUE(port.boxes.empty());

    click({2, 5});
    EXPECT_EQ(game.definitionText(), "AE: --- NOT A WORD! ---");
    port.inputAnswers = {"", "ab", " e", "7", "t"};
    game.relabelBlank(5);
    EXPECT_EQ(layout(), "XIAWLtT...");
    EXPECT_TRUE(game.rack().slot(5).selected());
    EXPECT_EQ(game.definitionText(), "AT: in the place of");
    ASSERT_EQ(port.boxes.size(), 9u);
    expectAskedAgainAfterEachRefusal(
        port.boxes, {"input", "Substitute what letter for the blank?", "Fill in the blank", "E"},
        {"message", "You must enter a single letter of the alphabet!", "Invalid Letter", ""});

    port.inputAnswers = {"Z"};
    game.relabelBlank(5);
    EXPECT_EQ(layout(), "XIAWLzT...");
}

TEST_F(RackInTheGame, OnlyATileCanBePickedUp) {
    startWith("XIAWL_T");
    EXPECT_TRUE(game.canPickUp(0));
    EXPECT_FALSE(game.canPickUp(7));
}

TEST_F(RackInTheGame, DropsKeepTheSelectionAndRefreshTheDefinition) {
    startWith("TAXIWL_");
    click({0, 1});
    EXPECT_EQ(game.definitionText(), "TA: thanks");
    const int changesBefore = port.stateChanges;
    game.hoverGap(0, DragState::Enter);
    EXPECT_GT(port.stateChanges, changesBefore);  // the window shows the marker
    game.dropOnGap(0, 1);                         // A before T
    EXPECT_EQ(layout(), "ATXIWLe...");
    EXPECT_EQ(game.definitionText(), "AT: in the place of");
    game.hoverSlot(1, DragState::Enter, 300);
    game.dropOnSlot(1, 0);  // and back after it
    EXPECT_EQ(layout(), ".TAXIWLe..");
    EXPECT_EQ(game.definitionText(), "TA: thanks");
    EXPECT_EQ(game.selectedCount(), 2);
    EXPECT_TRUE(game.playWordEnabled());
}

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
        {115, "STRATOSPHEREICALLY SUPREMELY EXTREMELY EXCELLENT"}};
    for (std::size_t i = 0; i < firstOfEach.size(); ++i) {
        const auto [from, phrase] = firstOfEach[i];
        const int to = i + 1 < firstOfEach.size() ? firstOfEach[i + 1].first - 1 : 32767;
        EXPECT_EQ(ratingPhrase(from), phrase) << from;
        EXPECT_EQ(ratingPhrase(to), phrase) << to;
    }
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

TEST_F(EndOfGame, OutsideLearnModeAHighScoreIsRecordedOnceANameIsGiven) {
    turnLearnModeOff();
    for (auto& e : scores.entries)
        e = {"LOW", -50};
    scorePoints(-7);
    port.inputAnswers = {"", "", "  "};
    game.endGame();
    ASSERT_EQ(port.boxes.size(), 5u);
    expectAskedAgainAfterEachRefusal(
        port.boxes,
        {"input",
         "You have a new high score of-7 which rates as "
         "SUBTERRANEANLY SUPREMELY EXTREMELY TERRIBLE.\r\n\r\nEnter "
         "your name:",
         "New High Score", "NAME"},
        {"message", "You must enter your name!", "No Name Entered", ""});
    ASSERT_EQ(scores.added.size(), 1u);
    EXPECT_EQ(scores.added[0].name, "  ");  // blanks only are a name, as typed
    EXPECT_EQ(scores.added[0].points, -7);
    EXPECT_EQ(port.highScoreShows, 1);
    EXPECT_EQ(port.events.back(), "scores");
    EXPECT_EQ(port.tally.back().line, "TOTAL  -7\r\n");
    EXPECT_EQ(game.pointsText(), "-14");
}

}  // namespace
