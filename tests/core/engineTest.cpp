// The core's engine: the lexicon against the reference word list and the data
// file, the launch pad's definition line and the signed score text as pure
// functions, and the random source.
#include <gtest/gtest.h>

#include <fstream>
#include <iterator>
#include <set>

#include "core/lookup.h"
#include "core/mainMod.h"
#include "core/numberText.h"
#include "core/random.h"

using namespace quillbox::core;
using mainMod::lexicon;

TEST(Lexicon, HoldsTheReferenceWordsTwoLettersFirstWithTheDefinitionsOfTheDataFile) {
    std::ifstream list(QUILLBOX_WORD_LIST), data(QUILLBOX_LEXICON_TSV);
    ASSERT_TRUE(list && data);
    EXPECT_EQ(lexicon().Keys(), std::vector(std::istream_iterator<std::string>(list), {}));
    for (std::string word, text; std::getline(data, word, '\t') && std::getline(data, text);)
        EXPECT_EQ(lexicon().Item(word), text);
}

TEST(Lexicon, FindsOnlyExactUpperCaseWordsAndRefusesADuplicate) {
    EXPECT_TRUE(lexicon().Exists("ZOO") && !lexicon().Exists("zoo") && !lexicon().Exists("ZOOS"));
    Lexicon copy = lexicon();
    EXPECT_THROW(copy.Add("AA", "again"), DuplicateWordError);
    EXPECT_EQ(copy.Item("AA") + std::to_string(copy.Count()), lexicon().Item("AA") + "1059");
}

// Upper-cased before the lookup, not trimmed; AWL is the one word without a
// definition.
TEST(LookupDefinition, ShowsNothingBeforeTwoLettersThenTheDefinitionOrTheNonWordMarker) {
    std::string shown;
    for (const char* typed : {"", "q", "aB", "zax", "awl", "QQ", "a a"})
        shown += lookupDefinition(lexicon(), typed) + "|";
    EXPECT_EQ(shown, "||" + lexicon().Item("AB") + "|" + lexicon().Item("ZAX") +
                         "||--- NOT A WORD! ---|--- NOT A WORD! ---|");
    EXPECT_EQ(toUpperAscii("az`{@[AZ"), "AZ`{@[AZ");
}

TEST(SignedNumberText, WritesABlankBeforeZeroOrMoreAndAMinusBeforeLess) {
    EXPECT_EQ(signedNumberText(7) + signedNumberText(0) + signedNumberText(-1), " 7 0-1");
}

// r * (2^31 - 1), rounded, in bands of 21474836 for 100; the top reaches 100
// (callers draw again).
TEST(RandomIndexDraw, RoundsHalvesToEvenThenDividesIntoEqualBandsThatCanReachN) {
    constexpr double kTop = 2147483647.0;
    std::vector<int> got;
    for (double r : {0.0, 0.5, 21474835 / kTop, 21474836 / kTop, 0.9999999999})
        got.push_back(randomIndexDraw(r, 100));
    EXPECT_EQ(got, (std::vector{0, 50, 0, 1, 100}));
    EXPECT_EQ(randomIndexDraw(2.5 / kTop, 2147483647), 2);
    EXPECT_EQ(randomIndexDraw(3.5 / kTop, 2147483647), 4);
}

// Doubles and singles each fall as often in every tenth of [0, 1), and no
// draw repeats, neither another generator's nor after a reseed in the same
// clock tick.
TEST(ClockRandom, DrawsEvenlyOverTheUnitIntervalWithoutRepeatingAcrossReseeds) {
    ClockRandom random;
    std::set<double> seen{ClockRandom().nextDouble()};
    int tenths[20] = {};
    for (int i = 0; i < 20000; ++i, random.reseedFromClock()) {
        const double d = random.nextDouble(), f = random.nextSingle();
        ASSERT_TRUE(d >= 0 && d < 1 && f >= 0 && f < 1 && seen.insert(d).second) << d << " " << f;
        ++tenths[int(d * 10)], ++tenths[10 + int(f * 10)];
    }
    for (int count : tenths)
        EXPECT_NEAR(count, 2000, 200);
}
