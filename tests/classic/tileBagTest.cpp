#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <string>
#include <vector>

#include "classicTestSupport.h"

namespace {

using quillbox::classic::drawTile;
using quillbox::classic::drawToFullRack;
using quillbox::classic::fillBag;
using quillbox::classic::Rack;
using quillbox::classic::shuffleBag;
using quillbox::classic::TileBag;
using quillbox::core::ClockRandom;
using quillbox::testing::bagOf;
using quillbox::testing::kFillOrder;
using quillbox::testing::layoutOf;
using quillbox::testing::rackOf;
using quillbox::testing::ScriptedRandom;
using quillbox::testing::valueForIndex;

std::string contents(const TileBag& bag) {
    return {bag.tiles().begin(), bag.tiles().end()};
}

// Queues one exchange of two positions (counted from 1) of a bag of n tiles.
void pushExchange(ScriptedRandom& r, int p1, int p2, int n = 100) {
    r.push(valueForIndex(p1 - 1, n));
    r.push(valueForIndex(p2 - 1, n));
}

void pushIdleExchanges(ScriptedRandom& r, int count, int n = 100) {
    for (int i = 0; i < count; ++i)
        pushExchange(r, 1, 1, n);
}

// A value whose index draw reaches n: position n + 1, past the end of the bag.
constexpr double kPastTheEnd = 0.9999999999;

TEST(FillBag, PutsTheHundredTilesInFixedOrderReplacingWhatWasThere) {
    TileBag bag = bagOf("QQQ");
    fillBag(bag);
    EXPECT_EQ(contents(bag), kFillOrder);
    EXPECT_EQ(bag.count(), 100);
    EXPECT_EQ(bag.at(10), 'B');  // positions count from 1
    EXPECT_EQ(bag.at(100), TileBag::kBlank);
}

TEST(FillBag, TheApplicationBagIsOneObjectThatStartsEmpty) {
    TileBag& bag = quillbox::classic::tileBag();
    EXPECT_EQ(&bag, &quillbox::classic::tileBag());
    EXPECT_TRUE(bag.empty());
    fillBag();
    EXPECT_EQ(contents(bag), kFillOrder);
    bag.clear();
}

TEST(ShuffleBag, KeepsEveryTileAndChangesTheOrder) {
    TileBag bag;
    fillBag(bag);
    ClockRandom random;
    shuffleBag(bag, random);
    std::string sorted = contents(bag);
    std::sort(sorted.begin(), sorted.end());
    std::string expected = kFillOrder;
    std::sort(expected.begin(), expected.end());
    EXPECT_EQ(sorted, expected);
    EXPECT_NE(contents(bag),
              kFillOrder);  // 1000 random exchanges leave it sorted with odds ~1e-158
}

TEST(ShuffleBag, ReseedsThenExchangesTenTimesPerTileRedrawingPairsPastTheEnd) {
    TileBag bag;
    fillBag(bag);
    ScriptedRandom random;
    // Pairs where the first, the second or both positions pass the end are
    // drawn again whole, even when the other position was valid.
    for (double v : {kPastTheEnd, valueForIndex(5, 100), valueForIndex(20, 100), kPastTheEnd,
                     kPastTheEnd, kPastTheEnd})
        random.push(v);
    pushExchange(random, 1, 100);   // an A and a blank change places
    pushExchange(random, 100, 10);  // then that A and the first B
    pushExchange(random, 50, 50);   // the same position twice changes nothing
    pushIdleExchanges(random, 997);
    random.push(0.5);  // must be left over
    shuffleBag(bag, random);
    EXPECT_EQ(random.reseeds(), 1);
    EXPECT_EQ(random.draws(), 2006);
    EXPECT_EQ(random.remaining(), 1u);
    std::string expected = kFillOrder;
    std::swap(expected[0], expected[99]);
    std::swap(expected[99], expected[9]);
    EXPECT_EQ(contents(bag), expected);
}

TEST(ShuffleBag, ScalesWithTheBagAndLeavesAnEmptyBagAlone) {
    TileBag small = bagOf("ABCDE");
    ScriptedRandom r5;
    pushExchange(r5, 1, 5, 5);
    pushExchange(r5, 2, 4, 5);
    pushIdleExchanges(r5, 48, 5);
    shuffleBag(small, r5);
    EXPECT_EQ(r5.remaining(), 0u);
    EXPECT_EQ(contents(small), "EDCBA");

    TileBag empty;
    ScriptedRandom none;
    shuffleBag(empty, none);
    EXPECT_TRUE(empty.empty());
    EXPECT_EQ(none.reseeds(), 0);
}

TEST(DrawTile, MovesTheFrontTileIntoTheSlotABlankAsAnUnderlinedE) {
    TileBag bag = bagOf("Q_");
    Rack rack;
    drawTile(bag, rack, 4);
    EXPECT_EQ(contents(bag), "_");
    drawTile(bag, rack, 0);
    EXPECT_TRUE(bag.empty());
    drawTile(bag, rack, 2);  // an empty bag leaves the slot as it was
    EXPECT_EQ(layoutOf(rack), "e...Q.....");
    EXPECT_EQ(rack.selectedCount(), 0);
}

TEST(DrawToFullRack, FillsTheLeftmostEmptySlotsInBagOrderUpToSevenTiles) {
    using Case = std::array<std::string, 4>;  // rack, bag, then both after the draw
    for (const auto& [before, tiles, after, left] : std::vector<Case>{
             {"ZZ.ZZ.Z...", "BAC", "ZZBZZAZ...", "C"},
             {".ZZ..Z....", "K", "KZZ..Z....", ""},  // the bag runs out
             {"Z.Z.ZZZZZ.", "AB", "Z.Z.ZZZZZ.", "AB"},
         }) {
        Rack rack = rackOf(before);
        TileBag bag = bagOf(tiles);
        drawToFullRack(bag, rack);
        EXPECT_EQ(layoutOf(rack), after) << before;
        EXPECT_EQ(contents(bag), left) << before;
    }
}

}  // namespace
