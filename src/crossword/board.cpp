#include "crossword/board.h"

#include <algorithm>
#include <cstdlib>
#include <limits>

#include "core/lookup.h"
#include "core/numberText.h"

namespace quillbox::crossword {

namespace {

struct Controls {
    bool generate, check, show, cells;
};

// What the player may use in each state, in the order of BoardState.
constexpr Controls kControls[] = {
    {true, false, false, true},   // Fresh
    {false, true, false, true},   // Playing
    {false, true, true, true},    // Wrong
    {true, false, false, false},  // Solved
    {true, false, false, false},  // Revealed
};

constexpr Controls controlsIn(BoardState s) {
    return kControls[static_cast<int>(s)];
}

}  // namespace

Board::Board(const core::Lexicon& lexicon, core::RandomSource& random)
    : lexicon_(lexicon), random_(random) {}

bool Board::generateEnabled() const {
    return controlsIn(state_).generate;
}
bool Board::checkEnabled() const {
    return controlsIn(state_).check;
}
bool Board::showEnabled() const {
    return controlsIn(state_).show;
}
bool Board::cellsEnabled() const {
    return controlsIn(state_).cells;
}

void Board::generate() {
    if (!generateEnabled())
        return;
    begin(generateWords(lexicon_, random_));
}

void Board::begin(const PuzzleWords& words) {
    state_ = BoardState::Playing;
    runCounted_ = false;
    for (Cell& c : cells_)
        c = Cell{{}, CellColor::White};
    words_ = words;
    for (int e = 0; e < kEntryCount; ++e)
        clues_[e] = lexicon_.Exists(words_[e]) ? lexicon_.Item(words_[e]) : std::string();
}

bool Board::openCell(int k) {
    if (!cellsEnabled())
        return false;
    cells_.at(static_cast<std::size_t>(k)).color = CellColor::White;
    return true;
}

void Board::commitCell(int k, std::string_view typed) {
    if (!cellsEnabled())
        return;
    cells_.at(static_cast<std::size_t>(k)).caption = core::toUpperAscii(typed);
}

std::string Board::solution(int k) const {
    return std::string(1, solutionLetter(words_, k));
}

CheckResult Board::check(const std::function<void()>& announceWin) {
    if (!checkEnabled())
        return CheckResult::NotAvailable;
    bool correct = true;
    for (int k = 0; k < kCellCount; ++k) {
        // A cell already red from an earlier check stays red even when right now.
        if (cells_[k].caption != solution(k)) {
            cells_[k].color = CellColor::Red;
            correct = false;
        }
    }
    if (correct) {
        if (announceWin)
            announceWin();
        state_ = BoardState::Solved;
    } else {
        state_ = BoardState::Wrong;
    }
    updateRun(correct);
    return correct ? CheckResult::Correct : CheckResult::Wrong;
}

void Board::reveal() {
    if (!showEnabled())
        return;
    state_ = BoardState::Revealed;
    for (int k = 0; k < kCellCount; ++k)
        cells_[k] = Cell{solution(k), CellColor::White};
}

void Board::updateRun(bool won) {
    if (runCounted_)
        return;
    // A win extends a run of wins or starts one, a loss likewise; past the
    // 16-bit limits the run stays at the limit.
    const int next = won ? std::max<int>(runCount_, 0) + 1 : std::min<int>(runCount_, 0) - 1;
    runCount_ = static_cast<std::int16_t>(std::clamp<int>(
        next, std::numeric_limits<std::int16_t>::min(), std::numeric_limits<std::int16_t>::max()));
    runCounted_ = true;
    runText_ = core::signedNumberText(std::abs(static_cast<long>(runCount_))) +
               (won ? " win(s)" : " loss(es)");
}

}  // namespace quillbox::crossword
