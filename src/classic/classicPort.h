#pragma once
// What the Classic game needs from its window: dialogs, the tally sheet, the
// legal-play list and the high-score table display. Nothing here may be
// answered by the engine itself, and none of it is a rule.
#include <string>

#include "classic/tileColors.h"

namespace quillbox::classic {

class Rack;

// One line of the tally sheet: a play, a bonus or the final total.
struct TallyEntry {
    std::string word;
    int points = 0;
    Rgb color;
    int blankIndex1 = -1;  // characters to underline (letters that came from blanks)
    int blankIndex2 = -1;
    std::string line;  // nine characters, points right-aligned, then CR LF
};

class ClassicPort {
  public:
    virtual ~ClassicPort() = default;

    // A message box with an OK button only.
    virtual void message(const std::string& text, const std::string& title) = 0;
    // An input box; Cancel answers "".
    virtual std::string input(const std::string& prompt, const std::string& title,
                              const std::string& defaultAnswer) = 0;

    // Points on the tally sheet: a whole number with the player's digit
    // grouping ("-1,000" in English).
    virtual std::string pointsText(int points) const = 0;

    // The tally sheet: emptied when a game starts, one entry appended per play,
    // bonus and total, in the entry's colour with its blank letters underlined.
    virtual void clearTally() = 0;
    virtual void appendTally(const TallyEntry& entry) = 0;

    // Learn mode, after every draw: list every way to clear this rack. Runs to
    // completion before the draw returns.
    virtual void findLegalPlays(const Rack& rack) = 0;

    // Shows the high-score table modally; returns when the player closes it.
    virtual void showHighScores() = 0;

    // The game's observable state changed; the window re-renders it. Called at
    // the end of every operation and before any dialog or long search, so the
    // window is up to date behind a modal box.
    virtual void stateChanged() {}
};

}  // namespace quillbox::classic
