#include "classic/classicGame.h"

#include "classic/rating.h"
#include "core/lookup.h"
#include "core/numberText.h"

namespace quillbox::classic {

namespace {
constexpr int kTallyWidth = 9;
constexpr int kFullRack = 7;
constexpr int kBonusPoints = 5;
// Entries worth more than this (a large final total) leave the score alone.
constexpr int kMostPointsAdded = 5;
}  // namespace

std::string tallyLine(std::string_view word, std::string_view pointsText) {
    const auto used = static_cast<int>(word.size() + pointsText.size());
    const int spaces = used < kTallyWidth ? kTallyWidth - used : 0;
    std::string line(word);
    line.append(static_cast<std::size_t>(spaces), ' ');
    line += pointsText;
    line += "\r\n";
    return line;
}

ClassicGame::ClassicGame(ClassicPort& port, scores::ScoreTable& scores, TileBag& bag,
                         core::RandomSource* random, const core::Lexicon& lexicon)
    : port_(port), scores_(scores), bag_(bag), random_(random), lexicon_(lexicon) {}

void ClassicGame::startGame() {
    if (!startGameEnabled_)
        return;
    fillBag(bag_);
    shuffleBag(bag_, random_ ? *random_ : core::applicationRandom());
    startGameEnabled_ = false;
    learnModeEnabled_ = false;
    invalidCount_ = 0;
    score_ = 0;
    pointsText_ = "0";
    bagCountText_ = "100";
    port_.clearTally();
    rack_.clear();
    gameInProgress_ = true;
    topUpRack();
    notify();
}

void ClassicGame::drawTiles() {
    if (!drawTilesEnabled_)
        return;
    topUpRack();
    notify();
}

void ClassicGame::topUpRack() {
    drawToFullRack(bag_, rack_);
    drawTilesEnabled_ = false;
    bagCountText_ = std::to_string(bag_.count());
    qPlayed_ = false;
    if (rackCount() < 2)
        endGame();
    else
        bonusLost_ = rackCount() != kFullRack;
    // The list is rebuilt even when the game has just ended.
    if (learnMode_ == LearnMode::On) {
        notify();
        port_.findLegalPlays(rack_);
    }
}

void ClassicGame::playWord() {
    if (!playWordEnabled_)
        return;
    definitionText_.clear();
    const TakenWord taken = rack_.takeSelectedWord();
    playWordEnabled_ = false;

    int points = 1;
    if (lexicon_.Exists(taken.word)) {
        if (taken.word.find('Q') != std::string::npos)
            qPlayed_ = true;
    } else {
        bonusLost_ = true;
        ++invalidCount_;
        points = -invalidCount_;
    }
    displayPoints(taken.word, points, points >= 1 ? colors::black : colors::red, taken.blankIndex1,
                  taken.blankIndex2);

    if (rackCount() == 0 && !bonusLost_) {
        displayPoints("BONUS", kBonusPoints, colors::blue, -1, -1);
        if (qPlayed_)
            displayPoints("QBONUS", kBonusPoints, colors::magenta, -1, -1);
    }

    if (!bag_.empty())
        drawTilesEnabled_ = true;
    else if (rackCount() < 2)
        endGame();
    notify();
}

void ClassicGame::setLearnMode(LearnMode mode) {
    if (!learnModeEnabled_)
        return;
    learnMode_ = mode;
    switch (mode) {
        case LearnMode::Off:
            learnWidgetsVisible_ = false;
            break;
        case LearnMode::On:
            learnWidgetsVisible_ = true;
            break;
        case LearnMode::Undetermined:
            notify();
            port_.message("Error: learn mode check box gray!", "Quillbox");
            break;
    }
    notify();
}

void ClassicGame::toggleTile(int i) {
    if (!rack_.toggleSelection(i))
        return;
    const int n = selectedCount();
    if (n != 2 && n != 3) {
        definitionText_.clear();
        playWordEnabled_ = false;
    } else {
        if (learnMode_ == LearnMode::On)
            showDefinition(selectedWord());
        playWordEnabled_ = true;
    }
    notify();
}

void ClassicGame::relabelBlank(int i) {
    const RackSlot& s = rack_.slot(i);
    if (!s.occupied || !s.blank)
        return;
    rack_.setBlankLetter(i, askBlankLetter());
    refreshDefinition();
    notify();
}

bool ClassicGame::canPickUp(int i) const {
    return rack_.slot(i).occupied;
}

void ClassicGame::hoverSlot(int i, DragState state, double x) {
    rack_.dragOverSlot(i, state, x);
    notify();
}

void ClassicGame::hoverGap(int k, DragState state) {
    rack_.dragOverGap(k, state);
    notify();
}

int ClassicGame::dropOnSlot(int i, int source) {
    const int landed = rack_.dropOnSlot(i, source);
    refreshDefinition();
    notify();
    return landed;
}

void ClassicGame::dropOnGap(int k, int source) {
    rack_.dropOnGap(k, source);
    refreshDefinition();
    notify();
}

int ClassicGame::selectLetter(char letter) {
    const bool lower = letter >= 'a' && letter <= 'z';
    const int i = rack_.leftmostUnselected(lower ? static_cast<char>(letter - 'a' + 'A') : letter);
    if (i >= 0)
        toggleTile(i);
    return i;
}

int ClassicGame::unselectLast() {
    const int i = rack_.lastSelected();
    if (i >= 0)
        toggleTile(i);
    return i;
}

void ClassicGame::displayPoints(const std::string& word, int points, Rgb color, int blankIndex1,
                                int blankIndex2) {
    if (points <= kMostPointsAdded)
        setScore(score_ + points);
    port_.appendTally(
        {word, points, color, blankIndex1, blankIndex2, tallyLine(word, port_.pointsText(points))});
    notify();
}

void ClassicGame::endGame() {
    const int finalScore = score_;
    displayPoints("TOTAL", finalScore, colors::darkViolet, -1, -1);
    startGameEnabled_ = true;
    learnModeEnabled_ = true;
    gameInProgress_ = false;
    const std::string phrase(ratingPhrase(finalScore));
    // Asked in every case, so the table exists after any game.
    const bool high = scores_.isHigh(finalScore);
    notify();

    if (learnMode_ == LearnMode::Off && high) {
        const std::string prompt = "You have a new high score of" +
                                   core::signedNumberText(finalScore) + " which rates as " +
                                   phrase + ".\r\n\r\nEnter your name:";
        std::string name = port_.input(prompt, "New High Score", "NAME");
        while (name.empty()) {
            port_.message("You must enter your name!", "No Name Entered");
            name = port_.input(prompt, "New High Score", "NAME");
        }
        scores_.addScore(name, finalScore);
        port_.showHighScores();
    } else {
        port_.message(
            "You scored" + core::signedNumberText(finalScore) + " which rates as " + phrase + ".",
            "Final Score");
    }
}

char ClassicGame::askBlankLetter() {
    for (;;) {
        const std::string answer =
            port_.input("Substitute what letter for the blank?", "Fill in the blank", "E");
        if (answer.size() == 1) {
            const char letter = core::toUpperAscii(answer)[0];
            if (letter >= 'A' && letter <= 'Z')
                return letter;
        }
        port_.message("You must enter a single letter of the alphabet!", "Invalid Letter");
    }
}

void ClassicGame::showDefinition(std::string_view word) {
    std::string text(word);
    text += ": ";
    if (lexicon_.Exists(word)) {
        const std::string& definition = lexicon_.Item(word);
        text += definition.empty() ? "[Common word]" : definition;
    } else {
        text += core::kNotAWord;
    }
    definitionText_ = std::move(text);
    notify();
}

void ClassicGame::setScore(int score) {
    score_ = score;
    pointsText_ = core::signedNumberText(score);
}

void ClassicGame::refreshDefinition() {
    const int n = selectedCount();
    if ((n == 2 || n == 3) && learnMode_ == LearnMode::On)
        showDefinition(selectedWord());
}

}  // namespace quillbox::classic
