// The bag's fill and shuffle; drawing from it is followed in the transcripts
// of scriptedGamesTest.cpp.
#include <gtest/gtest.h>

#include <string>

#include "classic/tileBag.h"
#include "support/scriptedRandom.h"

namespace {

using namespace quillbox::classic;
using namespace quillbox::testing;

std::string contents(const TileBag& bag) {
    return {bag.tiles().begin(), bag.tiles().end()};
}

// Queues exchanges of two positions, counted from 1, of a bag of n tiles.
void pushExchanges(ScriptedRandom& random, int count, int p1, int p2, int n = 100) {
    for (int i = 0; i < count; ++i) {
        random.push(valueForIndex(p1 - 1, n));
        random.push(valueForIndex(p2 - 1, n));
    }
}

TEST(FillBag, PutsTheHundredTilesInFillOrderReplacingWhatWasThere) {
    TileBag bag;
    bag.add('Q');
    fillBag(bag);
    EXPECT_EQ(contents(bag), kFillOrder);
}

TEST(ShuffleBag, ReseedsThenExchangesTenTimesPerTileRedrawingPairsPastTheEnd) {
    TileBag bag;
    fillBag(bag);
    ScriptedRandom random;
    // 0.9999999999 draws position 101, past the end: a pair with either
    // position or both past the end is drawn again whole.
    for (double v : {0.9999999999, valueForIndex(5, 100), valueForIndex(20, 100), 0.9999999999,
                     0.9999999999, 0.9999999999})
        random.push(v);
    pushExchanges(random, 1, 1, 100);    // an A and a blank change places
    pushExchanges(random, 1, 100, 10);   // then that A and the first B
    pushExchanges(random, 998, 50, 50);  // the same position twice changes nothing
    random.push(0.5);                    // must be left over
    shuffleBag(bag, random);
    EXPECT_EQ(random.reseeds(), 1);
    EXPECT_EQ(random.remaining(), 1u);
    std::string expected = kFillOrder;
    std::swap(expected[0], expected[99]);
    std::swap(expected[99], expected[9]);
    EXPECT_EQ(contents(bag), expected);
}

TEST(ShuffleBag, ShufflesASingleTileButLeavesAnEmptyBagAlone) {
    TileBag one, empty;
    one.add('Q');
    ScriptedRandom random;
    pushExchanges(random, 10, 1, 1, 1);
    shuffleBag(one, random);
    shuffleBag(empty, random);
    EXPECT_EQ(random.remaining(), 0u);
    EXPECT_EQ(random.reseeds(), 1);
}

}  // namespace
