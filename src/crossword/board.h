#pragma once
// One crossword board and its run counter: which puzzle is set, what the
// player has put in each cell, the cell colours, which buttons may be used,
// and the tally of consecutive wins or losses. The window renders it.
#include <array>
#include <cstdint>
#include <functional>
#include <string>
#include <string_view>

#include "core/lexicon.h"
#include "core/random.h"
#include "crossword/generator.h"

namespace quillbox::crossword {

enum class CellColor {
    SystemWindow,  // before the first puzzle
    White,
    Red,  // differs from the solution at the last check
};

enum class BoardState {
    Fresh,     // window just opened: no puzzle yet
    Playing,   // a puzzle was generated and not yet checked
    Wrong,     // the last check found a difference
    Solved,    // the last check found none
    Revealed,  // the solution was shown
};

struct Cell {
    std::string caption;  // the committed letter, or empty
    CellColor color = CellColor::SystemWindow;
};

enum class CheckResult { Correct, Wrong, NotAvailable };

class Board {
  public:
    Board(const core::Lexicon& lexicon, core::RandomSource& random);

    // Draws a new puzzle and clears the grid. Does nothing unless
    // generateEnabled().
    void generate();
    // Sets up the given puzzle as generate() does after drawing it.
    void begin(const PuzzleWords& words);

    // The player opens a cell to type into it, by a click or a key: it turns
    // white. False (and no change) for a disabled cell.
    bool openCell(int k);
    // The entry box of cell k closed with `typed` in it; the cell shows it in
    // upper case. Ignored for a disabled cell.
    void commitCell(int k, std::string_view typed);

    // Compares every cell with the solution, turns differing cells red and
    // counts the first check of each puzzle in the run. When the grid is
    // right, `announceWin` runs before the buttons change and the run is
    // counted (the window shows its message there). NotAvailable, with no
    // change, unless checkEnabled().
    CheckResult check(const std::function<void()>& announceWin = {});
    // Shows the solution and locks the grid. Does nothing unless showEnabled().
    void reveal();

    // Counts a result in the run unless this puzzle's result is already counted.
    void updateRun(bool won);

    BoardState state() const { return state_; }
    bool generateEnabled() const;
    bool checkEnabled() const;
    bool showEnabled() const;
    bool cellsEnabled() const;

    const Cell& cell(int k) const { return cells_.at(static_cast<std::size_t>(k)); }
    // Meaningful once a puzzle has been set.
    const PuzzleWords& words() const { return words_; }
    // One-letter string the cell must hold.
    std::string solution(int k) const;
    // The definition of words()[entry]; empty before the first puzzle.
    const std::string& clue(Entry entry) const { return clues_[entry]; }

    std::int16_t runCount() const { return runCount_; }
    bool runCounted() const { return runCounted_; }
    // " 3 win(s)", " 2 loss(es)"; empty until a result has been counted.
    const std::string& runText() const { return runText_; }

  private:
    const core::Lexicon& lexicon_;
    core::RandomSource& random_;
    BoardState state_ = BoardState::Fresh;
    std::array<Cell, kCellCount> cells_{};
    PuzzleWords words_{};
    PuzzleWords clues_{};
    std::int16_t runCount_ = 0;
    bool runCounted_ = false;
    std::string runText_;
};

}  // namespace quillbox::crossword
