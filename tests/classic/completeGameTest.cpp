// Whole games played through the engine alone, from a bag in a known order to
// the rating, against a tally sheet worked out by hand.
#include <gtest/gtest.h>

#include <cctype>
#include <string>
#include <vector>

#include "classic/classicGame.h"
#include "classicTestSupport.h"
#include "core/mainMod.h"

namespace {

using quillbox::CheckState;
using quillbox::ClassicGame;
using quillbox::kRackSlots;
using quillbox::Rgb;
using quillbox::TileBag;
using quillbox::testing::MemoryScoreTable;
using quillbox::testing::RecordingPort;
using quillbox::testing::ScriptedRandom;
using quillbox::testing::scriptShuffleTo;

// The tiles in the order they leave the bag, one group per draw.
const std::vector<std::string> kDraws = {
    "QATJOEH", "VEXCWAB", "F_ZKAMI", "DIGONLS", "AEPUT",   "ROWDENU", "TIEIIGO", "_YAREEL",
    "SAEOHEF", "TAVAGOS", "CRYETDL", "BITENOR", "RASUNMO", "PURENIN", "IDLI",
};

// The words played from each rack. A lower-case letter is a blank, re-lettered
// by double-clicking it just before the word is selected.
const std::vector<std::vector<std::string>> kRacks = {
    {"QAT", "JO", "EH"}, {"VEX", "CW", "AB"}, {"FeZ", "KA", "MI"}, {"DIG", "ON"},
    {"AL", "ES", "PUT"}, {"ROW", "DE", "NU"}, {"TIE", "II", "GO"}, {"mY", "ARE", "EL"},
    {"SAE", "OH", "EF"}, {"TAV", "AG", "OS"}, {"CRY", "ET", "DL"}, {"BIT", "EN", "OR"},
    {"RAS", "UN", "MO"}, {"PUR", "EN", "IN"}, {"ID", "LI"},
};

// Worked out by hand: one point a word, -1, -2, -3 for the three wrong words
// (CW, II, DL), 5 for each rack of seven cleared with good words only, 5 more
// with the Q of QAT. Rack 4 keeps L and S for rack 5; the last draw finds only
// four tiles, so clearing that rack earns nothing extra.
const std::vector<std::string> kTally = {
    "QAT     1", "JO      1", "EH      1", "BONUS   5", "QBONUS  5",  // 13
    "VEX     1", "CW     -1", "AB      1",                            // 14
    "FEZ     1", "KA      1", "MI      1", "BONUS   5",               // 22
    "DIG     1", "ON      1",                                         // 24
    "AL      1", "ES      1", "PUT     1", "BONUS   5",               // 32
    "ROW     1", "DE      1", "NU      1", "BONUS   5",               // 40
    "TIE     1", "II     -2", "GO      1",                            // 40
    "MY      1", "ARE     1", "EL      1", "BONUS   5",               // 48
    "SAE     1", "OH      1", "EF      1", "BONUS   5",               // 56
    "TAV     1", "AG      1", "OS      1", "BONUS   5",               // 64
    "CRY     1", "ET      1", "DL     -3",                            // 63
    "BIT     1", "EN      1", "OR      1", "BONUS   5",               // 71
    "RAS     1", "UN      1", "MO      1", "BONUS   5",               // 79
    "PUR     1", "EN      1", "IN      1", "BONUS   5",               // 87
    "ID      1", "LI      1",                                         // 89
    "TOTAL  89",
};

const std::vector<std::string> kScoreAfterEachRack = {" 13", " 14", " 22", " 24", " 32",
                                                      " 40", " 40", " 48", " 56", " 64",
                                                      " 63", " 71", " 79", " 87", " 89"};
const std::vector<std::string> kBagAfterEachDraw = {"93", "86", "79", "72", "67", "60", "53", "46",
                                                    "39", "32", "25", "18", "11", "4",  "0"};

class CompleteGame : public ::testing::Test {
  protected:
    RecordingPort port;
    MemoryScoreTable scores;
    TileBag bag;
    ScriptedRandom random;
    ClassicGame game{port, scores, bag, &random, quillbox::mainMod::lexicon()};

    std::vector<std::string> scoreAfterEachRack;
    std::vector<std::string> bagAfterEachDraw;
    std::vector<std::string> definitionsSeen;

    void playWord(const std::string& letters) {
        int previous = -1;
        for (char wanted : letters) {
            const bool fromBlank = std::islower(static_cast<unsigned char>(wanted)) != 0;
            const char letter = static_cast<char>(std::toupper(static_cast<unsigned char>(wanted)));
            int found = -1;
            for (int s = previous + 1; s < kRackSlots && found < 0; ++s) {
                const auto& slot = game.rack().slot(s);
                if (!slot.occupied || slot.selected() || slot.blank != fromBlank)
                    continue;
                if (fromBlank || slot.letter == letter)
                    found = s;
            }
            ASSERT_GE(found, 0) << "no tile for " << wanted << " of " << letters;
            if (fromBlank) {
                port.inputAnswers.push_front(std::string(1, wanted));
                game.lblTile_DblClick(found);
                ASSERT_EQ(game.rack().slot(found).letter, letter);
            }
            game.lblTile_Click(found);
            previous = found;
        }
        ASSERT_TRUE(game.playWordEnabled()) << letters;
        definitionsSeen.push_back(game.definitionText());
        game.cmdPlayWord_Click();
        EXPECT_EQ(game.definitionText(), "");
    }

    void playWholeGame() {
        std::string order;
        for (const auto& d : kDraws)
            order += d;
        scriptShuffleTo(random, order);
        game.cmdStartGame_Click();
        bagAfterEachDraw.push_back(game.bagCountText());
        for (std::size_t r = 0; r < kRacks.size(); ++r) {
            for (const auto& word : kRacks[r]) {
                ASSERT_TRUE(game.gameInProgress()) << word;
                playWord(word);
                if (::testing::Test::HasFatalFailure())
                    return;
            }
            scoreAfterEachRack.push_back(game.pointsText());
            if (r + 1 < kRacks.size()) {
                ASSERT_TRUE(game.drawTilesEnabled()) << "after rack " << r + 1;
                game.cmdDrawTiles_Click();
                bagAfterEachDraw.push_back(game.bagCountText());
            }
        }
    }

    std::vector<std::string> tallyLinesWithoutBreaks() const {
        std::vector<std::string> lines;
        for (const auto& e : port.tally) {
            EXPECT_EQ(e.line.substr(e.line.size() - 2), "\r\n");
            lines.push_back(e.line.substr(0, e.line.size() - 2));
        }
        return lines;
    }
};

TEST_F(CompleteGame, OutsideLearnModeTheScoreEntersTheTable) {
    game.chkLearnMode_Click(CheckState::Unchecked);
    port.inputAnswers = {"", "PAT"};  // the first answer is refused
    playWholeGame();
    ASSERT_FALSE(HasFatalFailure());

    EXPECT_EQ(tallyLinesWithoutBreaks(), kTally);
    EXPECT_EQ(scoreAfterEachRack, kScoreAfterEachRack);
    EXPECT_EQ(bagAfterEachDraw, kBagAfterEachDraw);
    EXPECT_EQ(game.pointsText(), " 89");
    EXPECT_EQ(game.invalidCount(), 3);

    // Colours and underlines as written to the sheet.
    for (const auto& e : port.tally) {
        const Rgb expected = e.word == "TOTAL"    ? Rgb{64, 32, 128}
                             : e.word == "QBONUS" ? Rgb{255, 0, 255}
                             : e.word == "BONUS"  ? Rgb{0, 0, 255}
                             : e.points < 0       ? Rgb{255, 0, 0}
                                                  : Rgb{0, 0, 0};
        EXPECT_EQ(e.color, expected) << e.word;
        const int underline = e.word == "FEZ" ? 1 : e.word == "MY" ? 0 : -1;
        EXPECT_EQ(e.blankIndex1, underline) << e.word;
        EXPECT_EQ(e.blankIndex2, -1) << e.word;
    }

    // The end: no game, the rating in the name prompt, the name recorded.
    EXPECT_FALSE(game.gameInProgress());
    EXPECT_TRUE(game.startGameEnabled());
    EXPECT_TRUE(game.learnModeEnabled());
    EXPECT_FALSE(game.drawTilesEnabled());
    EXPECT_EQ(game.rackCount(), 0);
    EXPECT_EQ(scores.isHighAsked, (std::vector<std::int32_t>{89}));
    ASSERT_EQ(scores.added.size(), 1u);
    EXPECT_EQ(scores.added[0].name, "PAT");
    EXPECT_EQ(scores.added[0].points, 89);
    EXPECT_EQ(port.highScoreShows, 1);
    const auto inputs = port.inputs();
    ASSERT_EQ(inputs.size(), 4u);  // two blanks, then the name twice
    EXPECT_EQ(inputs[2].text,
              "You have a new high score of 89 which rates as VERY GOOD.\r\n\r\nEnter your name:");
    EXPECT_EQ(port.messages().size(), 1u);
    EXPECT_EQ(port.messages()[0].title, "No Name Entered");
    EXPECT_TRUE(port.searchedRacks.empty());
    for (const auto& d : definitionsSeen)
        EXPECT_EQ(d, "");
}

TEST_F(CompleteGame, InLearnModeEveryRackIsSearchedAndTheScoreOnlyRated) {
    playWholeGame();
    ASSERT_FALSE(HasFatalFailure());

    EXPECT_EQ(tallyLinesWithoutBreaks(), kTally);
    EXPECT_EQ(scoreAfterEachRack, kScoreAfterEachRack);
    EXPECT_EQ(port.searchedRacks,
              (std::vector<std::string>{"QATJOEH", "VEXCWAB", "F_ZKAMI", "DIGONLS", "AEPUTLS",
                                        "ROWDENU", "TIEIIGO", "_YAREEL", "SAEOHEF", "TAVAGOS",
                                        "CRYETDL", "BITENOR", "RASUNMO", "PURENIN", "IDLI"}));
    // Each word's definition line was up as it was played.
    ASSERT_EQ(definitionsSeen.size(), 43u);
    EXPECT_EQ(definitionsSeen[0].rfind("QAT: ", 0), 0u);
    EXPECT_EQ(definitionsSeen[4], "CW: --- NOT A WORD! ---");
    EXPECT_EQ(definitionsSeen[6].rfind("FEZ: ", 0), 0u);

    EXPECT_EQ(scores.isHighAsked, (std::vector<std::int32_t>{89}));
    EXPECT_TRUE(scores.added.empty());
    EXPECT_EQ(port.highScoreShows, 0);
    const auto messages = port.messages();
    ASSERT_EQ(messages.size(), 1u);
    EXPECT_EQ(messages[0].text, "You scored 89 which rates as VERY GOOD.");
    EXPECT_EQ(messages[0].title, "Final Score");
    EXPECT_FALSE(game.gameInProgress());
}

}  // namespace
