// The bag's fill and shuffle; drawing from it is followed in the transcripts
// of scriptedGamesTest.cpp.
#include <gtest/gtest.h>

#include "classic/tileBag.h"
#include "support/scriptedRandom.h"

namespace {

using namespace quillbox::classic;
using namespace quillbox::testing;

TEST(TileBag, ShufflingReseedsThenExchangesTenTimesPerTileRedrawingPairsPastTheEnd) {
    TileBag bag, one, empty;
    bag.add('Q');  // replaced by the fill
    fillBag(bag);
    one.add('Q');
    // 0.9999999999 draws position 101, past the end: a pair with either
    // position or both past the end is drawn again whole. Then an A and a
    // blank change places, then that A and the first B, then 998 times the
    // same position twice, which changes nothing. The single tile is
    // exchanged with itself ten times; the empty bag draws nothing. So the
    // first blank comes first, the first B last and the A it left stays.
    ScriptedRandom random{0.9999999999, valueForIndex(5, 100), valueForIndex(20, 100),
                          0.9999999999, 0.9999999999,          0.9999999999};
    for (int p : {0, 99, 99, 9})
        random.push(valueForIndex(p, 100));
    for (int i = 0; i < 2 * 998 + 20; ++i)
        random.push(i < 2 * 998 ? valueForIndex(49, 100) : valueForIndex(0, 1));
    random.push(0.5);  // must be left over
    for (TileBag* b : {&bag, &one, &empty})
        shuffleBag(*b, random);
    EXPECT_EQ(random.reseeds(), 2);
    EXPECT_EQ(random.remaining(), 1u);
    EXPECT_EQ(std::string(bag.tiles().begin(), bag.tiles().end()),
              "_AAAAAAAAA" + kFillOrder.substr(10, 89) + "B");
}

}  // namespace
