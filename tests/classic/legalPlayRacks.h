#pragma once
// Seven-tile racks drawn, with a fixed seed, from the letter tiles of a full
// bag, with a chosen number of blanks put in at random slots. Shared by the
// finder's tests and its benchmark.
#include <cstdint>
#include <random>
#include <string>
#include <vector>

namespace quillbox::testing {
using namespace quillbox::core;

// The 98 letter tiles of a full bag (the two blanks are added per rack).
inline std::string bagLetterTiles() {
    static const int counts[26] = {9, 2, 2, 4, 12, 2, 3, 2, 9, 1, 1, 4, 2,
                                   6, 8, 2, 1, 6,  4, 6, 4, 2, 2, 1, 2, 1};
    std::string tiles;
    for (int c = 0; c < 26; ++c)
        tiles.append(counts[c], static_cast<char>('A' + c));
    return tiles;
}

// Plain modulo on mt19937 keeps the draws the same on every standard library.
inline std::vector<std::string> drawRacks(int count, int blanks, std::uint32_t seed) {
    std::mt19937 engine(seed);
    const std::string tiles = bagLetterTiles();
    std::vector<std::string> racks;
    for (int r = 0; r < count; ++r) {
        std::string pool = tiles;
        std::string rack;
        for (int k = 0; k < 7 - blanks; ++k) {
            const std::size_t at = engine() % pool.size();
            rack += pool[at];
            pool.erase(at, 1);
        }
        for (int k = 0; k < blanks; ++k)
            rack.insert(engine() % (rack.size() + 1), 1, '_');
        racks.push_back(rack);
    }
    return racks;
}

}  // namespace quillbox::testing
