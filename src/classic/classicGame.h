#pragma once
// The Classic game: every rule of a game from its start to the rating. The
// window renders this object's state and turns the player's clicks and drags
// into the operations below, named after what the player does.
#include <string>
#include <string_view>

#include "classic/classicPort.h"
#include "classic/rack.h"
#include "classic/tileBag.h"
#include "core/lexicon.h"
#include "core/mainMod.h"
#include "core/random.h"
#include "scores/scoreTable.h"

namespace quillbox::classic {

// Learn mode as the player set it. Undetermined is a third state the player
// cannot choose; it counts as off for the search after a draw and as on for
// the high-score table, and choosing it is reported as an error.
enum class LearnMode { Off = 0, On = 1, Undetermined = 2 };

// A tally line: the word, then the points text right-aligned so that the line
// is nine characters wide, then CR LF. A line too long for nine characters
// gets no spaces at all.
std::string tallyLine(std::string_view word, std::string_view pointsText);

class ClassicGame {
  public:
    // The state of a freshly opened window: no game, learn mode on. Without a
    // random source the shuffle uses applicationRandom() as it stands at each
    // new game.
    ClassicGame(ClassicPort& port, scores::ScoreTable& scores, TileBag& bag = tileBag(),
                core::RandomSource* random = nullptr,
                const core::Lexicon& lexicon = core::mainMod::lexicon());

    ClassicGame(const ClassicGame&) = delete;
    ClassicGame& operator=(const ClassicGame&) = delete;

    // What the player does. An operation whose control is disabled
    // (startGameEnabled(), drawTilesEnabled(), playWordEnabled(),
    // learnModeEnabled()) does nothing.
    void startGame();
    void drawTiles();
    void playWord();
    void setLearnMode(LearnMode mode);

    // The rack. i is a slot 0..9, k a gap 0..10, source the slot whose tile is
    // being carried, x in twips from the slot's left edge.
    void toggleTile(int i);
    // Asks for the letter a blank in slot i stands for; any other slot is left alone.
    void relabelBlank(int i);
    // True when the tile of slot i can be picked up and carried (it holds a tile).
    bool canPickUp(int i) const;
    void hoverSlot(int i, DragState state, double x);
    void hoverGap(int k, DragState state);
    // Returns the slot the carried tile landed in (-1 when none was carried).
    int dropOnSlot(int i, int source);
    void dropOnGap(int k, int source);
    // Typing a letter: selects, as a click would, the leftmost unselected tile
    // showing that letter (either case). Returns its slot, -1 when there is none.
    int selectLetter(char letter);
    // Deselects, as a click would, the tile selected last. Returns its slot,
    // -1 when nothing is selected.
    int unselectLast();

    // Records a tally entry and, for 5 points or less, adds them to the score.
    void displayPoints(const std::string& word, int points, Rgb color, int blankIndex1,
                       int blankIndex2);
    // Writes the total, rates the score and offers it to the high-score table.
    void endGame();
    // Asks until the player gives a single letter A-Z (any case); returns it upper case.
    char askBlankLetter();
    // Sets the definition line for a word, exactly as given.
    void showDefinition(std::string_view word);

    // Observable state.
    const Rack& rack() const { return rack_; }
    int rackCount() const { return rack_.rackCount(); }
    int selectedCount() const { return rack_.selectedCount(); }
    std::string selectedWord() const { return rack_.selectedWord(); }
    bool gameInProgress() const { return gameInProgress_; }
    bool bonusLost() const { return bonusLost_; }
    int score() const { return score_; }
    // The Points label: "0" at the start, then a leading blank or a minus sign.
    const std::string& pointsText() const { return pointsText_; }
    const std::string& bagCountText() const { return bagCountText_; }
    const std::string& definitionText() const { return definitionText_; }

    bool startGameEnabled() const { return startGameEnabled_; }
    bool learnModeEnabled() const { return learnModeEnabled_; }
    bool drawTilesEnabled() const { return drawTilesEnabled_; }
    bool playWordEnabled() const { return playWordEnabled_; }
    LearnMode learnMode() const { return learnMode_; }
    // The definition line, the legal-play list and the countdown labels.
    bool learnWidgetsVisible() const { return learnWidgetsVisible_; }

  private:
    void topUpRack();
    void setScore(int score);
    // In learn mode, shows the definition of a selection of 2 or 3 tiles.
    void refreshDefinition();
    void notify() { port_.stateChanged(); }

    ClassicPort& port_;
    scores::ScoreTable& scores_;
    TileBag& bag_;
    core::RandomSource* random_;
    const core::Lexicon& lexicon_;

    Rack rack_;
    bool gameInProgress_ = false;
    int invalidCount_ = 0;
    bool bonusLost_ = false;
    bool qPlayed_ = false;
    int score_ = 0;
    std::string pointsText_ = "0";
    std::string bagCountText_ = "100";
    std::string definitionText_;

    bool startGameEnabled_ = true;
    bool learnModeEnabled_ = true;
    bool drawTilesEnabled_ = false;
    bool playWordEnabled_ = false;
    LearnMode learnMode_ = LearnMode::On;
    bool learnWidgetsVisible_ = true;
};

}  // namespace quillbox::classic
