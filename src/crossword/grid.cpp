#include "crossword/grid.h"

#include <algorithm>
#include <array>

namespace quillbox::crossword {

namespace {

constexpr int k1Across[] = {0, 1, 2};
constexpr int k3Across[] = {3, 4, 5};
constexpr int k4Across[] = {6, 7, 8};
constexpr int k3Down[] = {3, 7};
constexpr int k1Down[] = {0, 4, 8};
constexpr int k2Down[] = {1, 5};

constexpr std::array<EntryShape, kEntryCount> kShapes{{
    {1, Direction::Across, k1Across},
    {3, Direction::Across, k3Across},
    {4, Direction::Across, k4Across},
    {3, Direction::Down, k3Down},
    {1, Direction::Down, k1Down},
    {2, Direction::Down, k2Down},
}};

// The cells in the order typing down fills them: 1, 2, then 3 Down.
constexpr std::array<int, 7> kDownTypingOrder{0, 4, 8, 1, 5, 3, 7};

}  // namespace

const EntryShape& shapeOf(Entry entry) {
    return kShapes.at(static_cast<std::size_t>(entry));
}

std::optional<Place> placeOf(int cell, Direction direction) {
    for (int e = 0; e < kEntryCount; ++e) {
        const EntryShape& s = kShapes[e];
        const auto at = std::find(s.cells.begin(), s.cells.end(), cell);
        if (s.direction == direction && at != s.cells.end())
            return Place{Entry(e), static_cast<int>(at - s.cells.begin()) + 1};
    }
    return std::nullopt;
}

int arrowMove(int cell, Arrow arrow) {
    const int place = cell % 3;
    int to = cell;
    switch (arrow) {
        case Arrow::Left:
            to = cell - 1;
            break;
        case Arrow::Right:
            to = cell + 1;
            break;
        // Each row starts one column further left, so the cell above in the
        // same column is four places back in reading order, if the row has
        // one there; past the top or bottom row the move is out of the grid.
        case Arrow::Up:
            to = place > 0 ? cell - 4 : cell;
            break;
        case Arrow::Down:
            to = place < 2 ? cell + 4 : cell;
            break;
    }
    return to >= 0 && to < kCellCount ? to : cell;
}

int typingMove(int cell, Direction direction, bool forward) {
    // Across, the typing order is the reading order.
    if (direction == Direction::Across || !placeOf(cell, Direction::Down))
        return arrowMove(cell, forward ? Arrow::Right : Arrow::Left);
    const auto at = std::find(kDownTypingOrder.begin(), kDownTypingOrder.end(), cell);
    if (forward)
        return at + 1 == kDownTypingOrder.end() ? cell : *(at + 1);
    return at == kDownTypingOrder.begin() ? cell : *(at - 1);
}

}  // namespace quillbox::crossword
