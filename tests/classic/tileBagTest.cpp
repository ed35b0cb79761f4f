#include <gtest/gtest.h>

#include <algorithm>
#include <map>
#include <string>

#include "classic/rack.h"
#include "classic/tileBag.h"
#include "support/scriptedRandom.h"

namespace {

using quillbox::ClockRandom;
using quillbox::drawTile;
using quillbox::drawToFullRack;
using quillbox::Rack;
using quillbox::TileBag;
using quillbox::mainMod::fillBag;
using quillbox::mainMod::shuffleBag;
using quillbox::testing::ScriptedRandom;
using quillbox::testing::valueForIndex;

std::string contents(const TileBag& bag) {
    return {bag.tiles().begin(), bag.tiles().end()};
}

// The full bag in fill order, written out tile by tile.
const std::string kFilled =
    "AAAAAAAAA"
    "BB"
    "CC"
    "DDDD"
    "EEEEEEEEEEEE"
    "FF"
    "GGG"
    "HH"
    "IIIIIIIII"
    "J"
    "K"
    "LLLL"
    "MM"
    "NNNNNN"
    "OOOOOOOO"
    "PP"
    "Q"
    "RRRRRR"
    "SSSS"
    "TTTTTT"
    "UUUU"
    "VV"
    "WW"
    "X"
    "YY"
    "Z"
    "__";

std::map<char, int> tally(const std::string& tiles) {
    std::map<char, int> m;
    for (char c : tiles)
        ++m[c];
    return m;
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

Rack rackWithTilesIn(std::initializer_list<int> slots) {
    Rack rack;
    for (int s : slots)
        rack.receiveDrawnTile(s, 'Z');
    return rack;
}

TEST(FillBag, PutsTheHundredTilesInTheirFixedOrder) {
    TileBag bag;
    fillBag(bag);
    ASSERT_EQ(kFilled.size(), 100u);
    EXPECT_EQ(bag.count(), 100);
    EXPECT_EQ(contents(bag), kFilled);
    EXPECT_EQ(bag.at(1), 'A');
    EXPECT_EQ(bag.at(9), 'A');
    EXPECT_EQ(bag.at(10), 'B');
    EXPECT_EQ(bag.at(99), TileBag::kBlank);
    EXPECT_EQ(bag.at(100), TileBag::kBlank);
}

TEST(FillBag, RefillsFromScratchWhateverWasLeft) {
    TileBag bag;
    fillBag(bag);
    for (int i = 0; i < 37; ++i)
        bag.removeFront();
    bag.add('Q');
    fillBag(bag);
    EXPECT_EQ(contents(bag), kFilled);
}

TEST(FillBag, TheApplicationBagIsOneObjectThatStartsEmpty) {
    TileBag& bag = quillbox::mainMod::tileBag();
    EXPECT_EQ(&bag, &quillbox::mainMod::tileBag());
    EXPECT_TRUE(bag.empty());
    fillBag();
    EXPECT_EQ(contents(bag), kFilled);
    bag.clear();
}

TEST(ShuffleBag, KeepsEveryTileAndChangesTheOrder) {
    TileBag bag;
    fillBag(bag);
    ClockRandom random;
    shuffleBag(bag, random);
    EXPECT_EQ(bag.count(), 100);
    EXPECT_EQ(tally(contents(bag)), tally(kFilled));
    EXPECT_NE(contents(bag), kFilled);  // 1000 random exchanges leave it sorted with odds ~1e-158
}

TEST(ShuffleBag, ReseedsOnceAndMakesExactlyTenExchangesPerTile) {
    TileBag bag;
    fillBag(bag);
    ScriptedRandom random;
    pushIdleExchanges(random, 1000);
    random.push(0.5);  // must be left over
    shuffleBag(bag, random);
    EXPECT_EQ(random.reseeds(), 1);
    EXPECT_EQ(random.draws(), 2000);
    EXPECT_EQ(random.remaining(), 1u);
    EXPECT_EQ(contents(bag), kFilled);

    // A smaller bag makes 10 x n exchanges of positions within it.
    TileBag small;
    for (char c : std::string("ABCDE"))
        small.add(c);
    ScriptedRandom r5;
    pushExchange(r5, 1, 5, 5);
    pushExchange(r5, 2, 4, 5);
    pushIdleExchanges(r5, 48, 5);
    shuffleBag(small, r5);
    EXPECT_EQ(r5.remaining(), 0u);
    EXPECT_EQ(contents(small), "EDCBA");
}

TEST(ShuffleBag, ExchangesTheDrawnPositionsInOrder) {
    TileBag bag;
    fillBag(bag);
    ScriptedRandom random;
    pushExchange(random, 1, 100);   // an A and a blank change places
    pushExchange(random, 100, 10);  // then that A and the first B
    pushExchange(random, 50, 50);   // the same position twice changes nothing
    pushIdleExchanges(random, 997);
    shuffleBag(bag, random);
    std::string expected = kFilled;
    std::swap(expected[0], expected[99]);
    std::swap(expected[99], expected[9]);
    EXPECT_EQ(contents(bag), expected);
}

TEST(ShuffleBag, RedrawsBothPositionsWhenEitherPassesTheEnd) {
    TileBag bag;
    fillBag(bag);
    ScriptedRandom random;
    // First exchange: the first position passes the end, so the valid second
    // draw (position 6) is thrown away too; the next pair is used.
    random.push(kPastTheEnd);
    random.push(valueForIndex(5, 100));
    // Then the second position passes the end.
    random.push(valueForIndex(20, 100));
    random.push(kPastTheEnd);
    // Both pass the end.
    random.push(kPastTheEnd);
    random.push(kPastTheEnd);
    pushExchange(random, 1, 100);
    pushIdleExchanges(random, 999);
    shuffleBag(bag, random);
    EXPECT_EQ(random.draws(), 2006);
    EXPECT_EQ(random.remaining(), 0u);
    std::string expected = kFilled;
    std::swap(expected[0], expected[99]);
    EXPECT_EQ(contents(bag), expected);
}

TEST(ShuffleBag, LeavesAnEmptyBagAloneWithoutReseeding) {
    TileBag bag;
    ScriptedRandom random;
    shuffleBag(bag, random);
    EXPECT_TRUE(bag.empty());
    EXPECT_EQ(random.reseeds(), 0);
    EXPECT_EQ(random.draws(), 0);
}

TEST(DrawTile, MovesTheFrontTileIntoTheSlot) {
    TileBag bag;
    for (char c : std::string("QZ"))
        bag.add(c);
    Rack rack;
    drawTile(bag, rack, 4);
    EXPECT_TRUE(rack.slot(4).occupied);
    EXPECT_EQ(rack.slot(4).letter, 'Q');
    EXPECT_FALSE(rack.slot(4).blank);
    EXPECT_FALSE(rack.slot(4).selected());
    EXPECT_EQ(bag.count(), 1);
    EXPECT_EQ(bag.at(1), 'Z');
}

TEST(DrawTile, ABlankEntersAsAnUnderlinedE) {
    TileBag bag;
    bag.add(TileBag::kBlank);
    Rack rack;
    drawTile(bag, rack, 0);
    EXPECT_TRUE(rack.slot(0).occupied);
    EXPECT_EQ(rack.slot(0).letter, 'E');
    EXPECT_TRUE(rack.slot(0).blank);
    EXPECT_EQ(rack.rackCount(), 1);
    EXPECT_TRUE(bag.empty());
}

TEST(DrawTile, AnEmptyBagLeavesTheSlotAsItWas) {
    TileBag bag;
    Rack rack;
    drawTile(bag, rack, 2);
    EXPECT_FALSE(rack.slot(2).occupied);
    EXPECT_EQ(rack.slot(2).letter, '\0');
}

TEST(DrawToFullRack, FillsTheLeftmostEmptySlotsInBagOrder) {
    TileBag bag;
    fillBag(bag);
    bag.exchange(1, 10);  // B first, then A
    Rack rack = rackWithTilesIn({0, 1, 3, 4, 6});
    drawToFullRack(bag, rack);
    EXPECT_EQ(rack.rackCount(), 7);
    EXPECT_EQ(rack.slot(2).letter, 'B');
    EXPECT_EQ(rack.slot(5).letter, 'A');
    for (int s : {7, 8, 9})
        EXPECT_FALSE(rack.slot(s).occupied) << s;
    EXPECT_EQ(bag.count(), 98);
}

TEST(DrawToFullRack, StopsWhenTheBagRunsOut) {
    TileBag bag;
    bag.add('K');
    Rack rack = rackWithTilesIn({1, 2, 5});
    drawToFullRack(bag, rack);
    EXPECT_EQ(rack.slot(0).letter, 'K');
    EXPECT_EQ(rack.rackCount(), 4);
    EXPECT_TRUE(bag.empty());
}

TEST(DrawToFullRack, DrawsNothingIntoAFullRack) {
    TileBag bag;
    fillBag(bag);
    Rack rack = rackWithTilesIn({0, 2, 4, 6, 7, 8, 9});
    drawToFullRack(bag, rack);
    EXPECT_EQ(bag.count(), 100);
    EXPECT_FALSE(rack.slot(1).occupied);
}

}  // namespace
