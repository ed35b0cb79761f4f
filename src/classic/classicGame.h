#pragma once
// The Classic game: every rule of a game from Start Game to the rating. The
// window renders this object's state and forwards its events to the handlers
// below, named after the controls that raise them.
#include <string>
#include <string_view>
#include <vector>

#include "classic/classicPort.h"
#include "classic/rack.h"
#include "classic/tileBag.h"
#include "core/lexicon.h"
#include "core/mainMod.h"
#include "core/random.h"
#include "scores/scoreTable.h"

namespace quillbox::classic {

// The values of the Learn Mode check box.
enum class CheckState { Unchecked = 0, Checked = 1, Grayed = 2 };

enum class MouseButton { Left = 1, Right = 2, Middle = 4 };

// A tally line: the word, then the points right-aligned so that the line is
// nine characters wide, then CR LF. A line too long for nine characters gets
// no spaces at all.
std::string tallyLine(std::string_view word, int points);

class ClassicGame {
  public:
    // The state of a freshly opened window: no game, learn mode on. Without a
    // random source the shuffle uses applicationRandom() as it stands at each
    // Start Game.
    ClassicGame(ClassicPort& port, scores::ScoreTable& scores, TileBag& bag = tileBag(),
                core::RandomSource* random = nullptr,
                const core::Lexicon& lexicon = core::mainMod::lexicon());

    ClassicGame(const ClassicGame&) = delete;
    ClassicGame& operator=(const ClassicGame&) = delete;

    // Buttons and the check box. A handler whose control is disabled does nothing.
    void cmdStartGame_Click();
    void cmdDrawTiles_Click();
    void cmdPlayWord_Click();
    // value is the box's new value.
    void chkLearnMode_Click(CheckState value);

    // The rack. i is a slot 0..9, k a gap 0..10, source the slot whose tile is
    // being dragged, x in twips from the slot's left edge.
    void lblTile_Click(int i);
    void lblTile_DblClick(int i);
    // True when the press starts dragging the tile of slot i.
    bool lblTile_MouseDown(int i, MouseButton button) const;
    void lblTile_DragOver(int i, DragState state, double x);
    void lblSpacer_DragOver(int k, DragState state);
    void lblTile_DragDrop(int i, int source);
    void lblSpacer_DragDrop(int k, int source);

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
    int invalidCount() const { return invalidCount_; }
    bool bonusLost() const { return bonusLost_; }
    bool qPlayed() const { return qPlayed_; }
    int score() const { return score_; }
    // The Points label: "0" at the start, then a leading blank or a minus sign.
    const std::string& pointsText() const { return pointsText_; }
    const std::string& bagCountText() const { return bagCountText_; }
    const std::string& definitionText() const { return definitionText_; }
    const std::vector<TallyEntry>& tally() const { return tally_; }
    const TileBag& bag() const { return bag_; }

    bool startGameEnabled() const { return startGameEnabled_; }
    bool learnModeEnabled() const { return learnModeEnabled_; }
    bool drawTilesEnabled() const { return drawTilesEnabled_; }
    bool playWordEnabled() const { return playWordEnabled_; }
    CheckState learnMode() const { return learnMode_; }
    // The definition line, the legal-play list and the countdown labels.
    bool learnWidgetsVisible() const { return learnWidgetsVisible_; }

  private:
    void drawTiles();
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
    std::vector<TallyEntry> tally_;

    bool startGameEnabled_ = true;
    bool learnModeEnabled_ = true;
    bool drawTilesEnabled_ = false;
    bool playWordEnabled_ = false;
    CheckState learnMode_ = CheckState::Checked;
    bool learnWidgetsVisible_ = true;
};

}  // namespace quillbox::classic
