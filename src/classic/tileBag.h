#pragma once
// The bag of letter tiles: filled in a fixed order, shuffled, drawn from the front.
#include <cstddef>
#include <vector>

#include "core/random.h"

namespace quillbox::classic {

class Rack;

class TileBag {
  public:
    // A blank tile; it enters the rack standing for "E".
    static constexpr char kBlank = '_';

    int count() const { return static_cast<int>(tiles_.size()); }
    bool empty() const { return tiles_.empty(); }
    // Positions count from 1, as the player would count tiles.
    char at(int position) const { return tiles_.at(static_cast<std::size_t>(position - 1)); }
    const std::vector<char>& tiles() const { return tiles_; }

    void clear() { tiles_.clear(); }
    void add(char tile) { tiles_.push_back(tile); }
    // Swaps the tiles at two positions (equal positions change nothing).
    void exchange(int position1, int position2);
    // Removes the tile at position 1; the bag must not be empty.
    char removeFront();

  private:
    std::vector<char> tiles_;
};

// The one bag of the program, empty until the first game starts.
TileBag& tileBag();

// Empties the bag and puts in the 100 tiles: nine "A", two "B", ... one "Z",
// then the two blanks.
void fillBag(TileBag& bag = tileBag());

// Puts the tiles in random order with 10 x n exchanges of two randomly drawn
// positions, reseeding the generator first. An empty bag is left alone.
void shuffleBag(TileBag& bag = tileBag(), core::RandomSource& random = core::applicationRandom());

// Moves the front tile of the bag into a rack slot; nothing happens when the
// bag is empty.
void drawTile(TileBag& bag, Rack& rack, int slot);

// Fills empty slots from the left until the rack holds seven tiles. Every empty
// slot visited counts, even when the bag had nothing left to give it.
void drawToFullRack(TileBag& bag, Rack& rack);

}  // namespace quillbox::classic
