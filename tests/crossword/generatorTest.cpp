#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <random>
#include <stdexcept>
#include <string>

#include "core/mainMod.h"
#include "crossword/generator.h"
#include "support/scriptedRandom.h"

using namespace quillbox::core;
using namespace quillbox::crossword;
using quillbox::testing::ScriptedRandom;
using quillbox::testing::valueForIndex;

namespace {

const Lexicon& lexicon() {
    return mainMod::lexicon();
}

// The value that draws `word` from the shipped lexicon.
double draws(const std::string& word) {
    const auto& keys = lexicon().Keys();
    const auto it = std::find(keys.begin(), keys.end(), word);
    if (it == keys.end())
        throw std::logic_error(word + " is not in the lexicon");
    return valueForIndex(static_cast<int>(it - keys.begin()), static_cast<int>(keys.size()));
}

// A reproducible stream of single-precision values, for statistics.
class SeededRandom : public RandomSource {
  public:
    explicit SeededRandom(unsigned seed) : engine_(seed) {}
    void reseedFromClock() override {}
    double nextDouble() override { return static_cast<double>(engine_() >> 11) * 0x1p-53; }
    float nextSingle() override { return static_cast<float>(engine_() >> 40) * 0x1p-24f; }

  private:
    std::mt19937_64 engine_;
};

TEST(RandomWord, ReachesTheFirstAndLastPositionsAndTwoLetterRequests) {
    const int n = static_cast<int>(lexicon().Count());
    ASSERT_EQ(lexicon().Keys()[static_cast<std::size_t>(n - 1)].size(), 3u);
    ScriptedRandom random{valueForIndex(0, n), valueForIndex(n - 1, n), valueForIndex(96, n),
                          valueForIndex(95, n)};
    EXPECT_EQ(randomWord(lexicon(), random, 2), "AA");
    // The last word is three letters long, so a two-letter request skips it.
    EXPECT_EQ(randomWord(lexicon(), random, 2), lexicon().Keys()[95]);
    EXPECT_EQ(random.draws(), 4);
}

TEST(RandomWord, DiscardsAnIndexPastTheEndOfTheLexicon) {
    // With 1,000 words the top single-precision values land past the end.
    Lexicon lex;
    for (int i = 0; i < 1000; ++i)
        lex.Add(std::string{char('A' + i / 100), char('A' + i / 10 % 10), char('A' + i % 10)}, "");
    const float top = std::nextafter(1.0f, 0.0f);
    ASSERT_EQ(randomIndexDraw(top, 1000), 1000);

    ScriptedRandom random{top, valueForIndex(999, 1000)};
    EXPECT_EQ(randomWord(lex, random, 3), "JJJ");
    EXPECT_EQ(random.draws(), 2);
}

TEST(RandomWord, UsesTheSinglePrecisionValue) {
    // Find a value just below an index boundary that single precision rounds
    // across it: the word drawn must be the one above the boundary.
    const int n = static_cast<int>(lexicon().Count());
    const double step = 2147483647 / n;
    for (int idx = 97; idx < n; ++idx) {
        const double r = (idx * step - 1.0) / 2147483647.0;
        if (randomIndexDraw(r, n) != idx - 1 || randomIndexDraw(static_cast<float>(r), n) != idx)
            continue;
        ScriptedRandom random{r};
        EXPECT_EQ(randomWord(lexicon(), random, 3),
                  lexicon().Keys()[static_cast<std::size_t>(idx)]);
        return;
    }
    FAIL() << "no boundary that single precision rounds across";
}

TEST(Generator, BuildsTheDownWordsFromTheAcrossLetters) {
    ScriptedRandom random{draws("TOE"), draws("TEN"), draws("BOA")};
    long attempts = 0;
    const PuzzleWords w = generateWords(lexicon(), random, &attempts);
    EXPECT_EQ(w, (PuzzleWords{"TOE", "TEN", "BOA", "TO", "TEA", "ON"}));
    EXPECT_EQ(attempts, 1);
    EXPECT_EQ(random.reseeds(), 3);
    std::string cells;
    for (int k = 0; k < kCellCount; ++k)
        cells += solutionLetter(w, k);
    EXPECT_EQ(cells, "TOETENBOA");

    // The same word may fill all three rows.
    random = ScriptedRandom{draws("TOE"), draws("TOE"), draws("TOE")};
    EXPECT_EQ(generateWords(lexicon(), random),
              (PuzzleWords{"TOE", "TOE", "TOE", "TO", "TOE", "OE"}));
}

TEST(Generator, DrawsAllThreeAcrossWordsAfreshAfterAFailedAttemptSkippingOtherLengths) {
    ASSERT_FALSE(downWordsExist(lexicon(), wordsFromAcross("ZAX", "ZAX", "ZAX")));
    // Second attempt: a two-letter draw is discarded inside it.
    ScriptedRandom random{draws("ZAX"), draws("ZAX"), draws("ZAX"), draws("TOE"),
                          draws("AB"),  draws("TEN"), draws("BOA")};
    long attempts = 0;
    const PuzzleWords w = generateWords(lexicon(), random, &attempts);
    EXPECT_EQ(w, wordsFromAcross("TOE", "TEN", "BOA"));
    EXPECT_EQ(attempts, 2);
    EXPECT_EQ(random.remaining(), 0u);
    EXPECT_EQ(random.reseeds(), 6);  // once per word, not once per draw
}

TEST(Generator, AboutOneAttemptInFifteenSucceeds) {
    SeededRandom random(20240611u);
    const int puzzles = 4000;
    long totalAttempts = 0;
    for (int i = 0; i < puzzles; ++i) {
        long attempts = 0;
        const PuzzleWords w = generateWords(lexicon(), random, &attempts);
        ASSERT_GE(attempts, 1);
        totalAttempts += attempts;
        for (const std::string& word : w)
            ASSERT_TRUE(lexicon().Exists(word)) << word;
        for (int e = kAcross1; e <= kAcross4; ++e)
            ASSERT_EQ(w[e].size(), 3u);
    }
    const double share = static_cast<double>(puzzles) / static_cast<double>(totalAttempts);
    EXPECT_GT(share, 0.058);
    EXPECT_LT(share, 0.072);
}

TEST(Generator, SameValuesGiveTheSamePuzzles) {
    SeededRandom a(7u), b(7u);
    for (int i = 0; i < 50; ++i)
        ASSERT_EQ(generateWords(lexicon(), a), generateWords(lexicon(), b));
}

TEST(Generator, RefusesALexiconWithoutAWordOfTheLengthAndAcrossWordsOfAnotherLength) {
    Lexicon twos;
    twos.Add("AA", "");
    ScriptedRandom random{0.5};
    EXPECT_THROW(randomWord(Lexicon{}, random, 3), std::invalid_argument);
    EXPECT_THROW(generateWords(twos, random), std::invalid_argument);
    EXPECT_THROW(wordsFromAcross("TO", "TEN", "BOA"), std::invalid_argument);
    EXPECT_EQ(random.draws(), 0);
}

}  // namespace
