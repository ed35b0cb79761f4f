#pragma once
// The nine-cell staircase grid: which cells each entry runs through, and
// where the keyboard goes from a cell.
//
//   row 0:         [0][1][2]
//   row 1:      [3][4][5]
//   row 2:   [6][7][8]
//
// Cell k is letter k mod 3 of across entry k div 3; the down entries run
// through the columns that hold more than one cell.
#include <optional>
#include <span>

namespace quillbox::crossword {

inline constexpr int kCellCount = 9;

// Positions in PuzzleWords. The across words come first because the down
// words are built from their letters.
enum Entry : int {
    kAcross1 = 0,  // cells 0, 1, 2
    kAcross3 = 1,  // cells 3, 4, 5
    kAcross4 = 2,  // cells 6, 7, 8
    kDown3 = 3,    // cells 3, 7
    kDown1 = 4,    // cells 0, 4, 8
    kDown2 = 5,    // cells 1, 5
};
inline constexpr int kEntryCount = 6;

enum class Direction { Across, Down };

struct EntryShape {
    int number;  // the clue number printed in the entry's first cell
    Direction direction;
    std::span<const int> cells;  // in reading order
};

const EntryShape& shapeOf(Entry entry);

// Where a cell stands in the entry running through it in one direction.
struct Place {
    Entry entry;
    int letter;  // counted from 1
};
// Empty for the two cells no down entry runs through (2 and 6).
std::optional<Place> placeOf(int cell, Direction direction);

enum class Arrow { Left, Right, Up, Down };

// The cell an arrow key leads to: Left and Right walk the staircase in
// reading order, from the end of one row to the start of the next; Up and
// Down stay in the cell's column. At an edge the cell itself.
int arrowMove(int cell, Arrow arrow);

// Where typing goes after `cell` (or, backwards, where it came from): the
// next cell of the cell's entry in `direction`, from the end of an entry on
// to the start of the next in clue order; the cell itself past the last (or
// before the first). A cell with no entry in that direction goes across.
int typingMove(int cell, Direction direction, bool forward);

}  // namespace quillbox::crossword
