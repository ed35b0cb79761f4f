#include "classic/tileBag.h"

#include <stdexcept>
#include <utility>

#include "classic/rack.h"

namespace quillbox::classic {

namespace {

struct TileCount {
    char tile;
    int count;
};

// The letter distribution of the word game, in fill order.
constexpr TileCount kDistribution[] = {
    {'A', 9}, {'B', 2},  {'C', 2},
    {'D', 4}, {'E', 12}, {'F', 2},
    {'G', 3}, {'H', 2},  {'I', 9},
    {'J', 1}, {'K', 1},  {'L', 4},
    {'M', 2}, {'N', 6},  {'O', 8},
    {'P', 2}, {'Q', 1},  {'R', 6},
    {'S', 4}, {'T', 6},  {'U', 4},
    {'V', 2}, {'W', 2},  {'X', 1},
    {'Y', 2}, {'Z', 1},  {TileBag::kBlank, 2},
};

constexpr int kRackTarget = 7;

}  // namespace

void TileBag::exchange(int position1, int position2) {
    std::swap(tiles_.at(static_cast<std::size_t>(position1 - 1)),
              tiles_.at(static_cast<std::size_t>(position2 - 1)));
}

char TileBag::removeFront() {
    if (tiles_.empty())
        throw std::logic_error("the tile bag is empty");
    const char front = tiles_.front();
    tiles_.erase(tiles_.begin());
    return front;
}

TileBag& tileBag() {
    static TileBag instance;
    return instance;
}

void fillBag(TileBag& bag) {
    bag.clear();
    for (const auto& [tile, count] : kDistribution)
        for (int i = 0; i < count; ++i)
            bag.add(tile);
}

void shuffleBag(TileBag& bag, core::RandomSource& random) {
    const int n = bag.count();
    if (n < 1)
        return;
    random.reseedFromClock();
    auto position = [&] { return core::randomIndexDraw(random.nextDouble(), n) + 1; };
    const int exchanges = 10 * n;
    for (int i = 0; i < exchanges; ++i) {
        // The top of the draw's range passes n; both positions are then drawn again.
        std::pair<int, int> r;
        do {
            r = {position(), position()};  // drawn left to right
        } while (r.first > n || r.second > n);
        bag.exchange(r.first, r.second);
    }
}

void drawTile(TileBag& bag, Rack& rack, int slot) {
    if (bag.empty())
        return;
    rack.receiveDrawnTile(slot, bag.at(1));
    bag.removeFront();
}

void drawToFullRack(TileBag& bag, Rack& rack) {
    int wanted = kRackTarget - rack.rackCount();
    for (int slot = 0; slot < kRackSlots && wanted > 0; ++slot) {
        if (rack.slot(slot).occupied)
            continue;
        drawTile(bag, rack, slot);
        --wanted;
    }
}

}  // namespace quillbox::classic
