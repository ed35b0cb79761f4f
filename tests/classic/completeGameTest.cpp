// Whole games played through the engine alone, from a bag in a known order to
// the rating, against a tally sheet worked out by hand.
#include <gtest/gtest.h>

#include <cctype>
#include <string>
#include <vector>

#include "core/mainMod.h"
#include "gameFixture.h"

namespace {

using quillbox::classic::kRackSlots;
using quillbox::classic::Rgb;
using Words = std::vector<std::string>;

// The tiles in the order they leave the bag, one group per draw.
const std::string kDraws =
    "QATJOEH VEXCWAB F_ZKAMI DIGONLS AEPUT ROWDENU TIEIIGO _YAREEL SAEOHEF TAVAGOS CRYETDL BITENOR "
    "RASUNMO PURENIN IDLI";

// The words played from each rack. A lower-case letter is a blank, re-lettered
// by double-clicking it just before the word is selected.
const std::vector<Words> kRacks = {
    {"QAT", "JO", "EH"}, {"VEX", "CW", "AB"}, {"FeZ", "KA", "MI"}, {"DIG", "ON"},
    {"AL", "ES", "PUT"}, {"ROW", "DE", "NU"}, {"TIE", "II", "GO"}, {"mY", "ARE", "EL"},
    {"SAE", "OH", "EF"}, {"TAV", "AG", "OS"}, {"CRY", "ET", "DL"}, {"BIT", "EN", "OR"},
    {"RAS", "UN", "MO"}, {"PUR", "EN", "IN"}, {"ID", "LI"},
};

// Worked out by hand: one point a word, -1, -2, -3 for the three wrong words
// (CW, II, DL), 5 for each rack of seven cleared with good words only, 5 more
// with the Q of QAT. Rack 4 keeps L and S for rack 5; the last draw finds only
// four tiles, so clearing that rack earns nothing extra.
const Words kTally = {
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

const Words kBagAfterEachDraw = {"93", "86", "79", "72", "67", "60", "53", "46",
                                 "39", "32", "25", "18", "11", "4",  "0"};

class CompleteGame : public quillbox::testing::ClassicGameTest {
  protected:
    CompleteGame() : ClassicGameTest(quillbox::core::mainMod::lexicon()) {}

    Words bagAfterEachDraw;
    Words definitionsSeen;

    // Selects the word's tiles left to right, re-lettering blanks on the way.
    void playWord(const std::string& letters) {
        int previous = -1;
        for (char wanted : letters) {
            const bool fromBlank = std::islower(static_cast<unsigned char>(wanted)) != 0;
            const char letter = static_cast<char>(std::toupper(static_cast<unsigned char>(wanted)));
            int found = previous + 1;
            for (; found < kRackSlots; ++found) {
                const auto& slot = game.rack().slot(found);
                if (slot.occupied && slot.blank == fromBlank &&
                    (fromBlank || slot.letter == letter))
                    break;
            }
            ASSERT_LT(found, kRackSlots) << "no tile for " << wanted << " of " << letters;
            if (fromBlank) {
                port.inputAnswers.push_front(std::string(1, wanted));
                game.relabelBlank(found);
            }
            game.toggleTile(found);
            previous = found;
        }
        ASSERT_TRUE(game.playWordEnabled()) << letters;
        definitionsSeen.push_back(game.definitionText());
        game.playWord();
        EXPECT_EQ(game.definitionText(), "");
    }

    // Plays every rack and checks the tally sheet, entry by entry.
    void playWholeGame() {
        std::string order = kDraws;
        std::erase(order, ' ');
        startWith(order);
        bagAfterEachDraw.push_back(game.bagCountText());
        for (std::size_t r = 0; r < kRacks.size(); ++r) {
            for (const auto& word : kRacks[r]) {
                ASSERT_TRUE(game.gameInProgress()) << word;
                ASSERT_NO_FATAL_FAILURE(playWord(word));
            }
            if (r + 1 < kRacks.size()) {
                ASSERT_TRUE(game.drawTilesEnabled()) << "after rack " << r + 1;
                game.drawTiles();
                bagAfterEachDraw.push_back(game.bagCountText());
            }
        }
        EXPECT_FALSE(game.gameInProgress());
        EXPECT_EQ(bagAfterEachDraw, kBagAfterEachDraw);
        Words lines, expected;
        for (const auto& e : port.tally)
            lines.push_back(e.line);
        for (const auto& line : kTally)
            expected.push_back(line + "\r\n");
        EXPECT_EQ(lines, expected);
        EXPECT_EQ(game.pointsText(), " 89");  // a total over 5 is not added again
        EXPECT_EQ(scores.isHighAsked, (std::vector<std::int32_t>{89}));
    }
};

TEST_F(CompleteGame, OutsideLearnModeTheScoreEntersTheTable) {
    turnLearnModeOff();
    port.inputAnswers = {"", "PAT"};  // the first answer is refused
    ASSERT_NO_FATAL_FAILURE(playWholeGame());

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

    ASSERT_EQ(scores.added.size(), 1u);
    EXPECT_EQ(scores.added[0].name, "PAT");
    EXPECT_EQ(scores.added[0].points, 89);
    EXPECT_EQ(port.highScoreShows, 1);
    ASSERT_EQ(port.boxes.size(), 5u);  // two blanks, a refused name, then the name again
    EXPECT_EQ(port.boxes[2].text,
              "You have a new high score of 89 which rates as VERY GOOD.\r\n\r\nEnter your name:");
    EXPECT_EQ(port.boxes[3].title, "No Name Entered");
    EXPECT_TRUE(port.searchedRacks.empty());
    EXPECT_EQ(definitionsSeen, Words(definitionsSeen.size(), ""));
}

TEST_F(CompleteGame, InLearnModeEveryRackIsSearchedAndTheScoreOnlyRated) {
    ASSERT_NO_FATAL_FAILURE(playWholeGame());

    EXPECT_EQ(port.searchedRacks, (Words{"QATJOEH", "VEXCWAB", "F_ZKAMI", "DIGONLS", "AEPUTLS",
                                         "ROWDENU", "TIEIIGO", "_YAREEL", "SAEOHEF", "TAVAGOS",
                                         "CRYETDL", "BITENOR", "RASUNMO", "PURENIN", "IDLI"}));
    // Each word's definition line was up as it was played.
    ASSERT_EQ(definitionsSeen.size(), 43u);
    EXPECT_EQ(definitionsSeen[0].rfind("QAT: ", 0), 0u);
    EXPECT_EQ(definitionsSeen[4], "CW: --- NOT A WORD! ---");
    EXPECT_EQ(definitionsSeen[6].rfind("FEZ: ", 0), 0u);

    EXPECT_TRUE(scores.added.empty());
    EXPECT_EQ(port.highScoreShows, 0);
    ASSERT_EQ(port.boxes.size(), 3u);  // two blanks, then the rating
    EXPECT_EQ(port.boxes[2].text, "You scored 89 which rates as VERY GOOD.");
    EXPECT_EQ(port.boxes[2].title, "Final Score");
}

}  // namespace
