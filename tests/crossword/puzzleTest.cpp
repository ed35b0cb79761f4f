// The puzzle: random words, the search for a valid grid, and where the
// keyboard goes on the grid.
#include <gtest/gtest.h>

#include <cmath>
#include <functional>
#include <random>
#include <stdexcept>

#include "core/mainMod.h"
#include "crossword/generator.h"
#include "support/scriptedRandom.h"

using namespace quillbox::core;
using namespace quillbox::crossword;
using quillbox::core::mainMod::lexicon;
using quillbox::testing::ScriptedRandom;
using quillbox::testing::valueForWord;

namespace {

TEST(Generator, EveryPuzzleHasThreeLetterAcrossWordsAndDownWordsOfTheLexiconReadOffTheGrid) {
    std::mt19937 engine(20240611u);
    ScriptedRandom random;
    for (int i = 0; i < 30000; ++i)
        random.push(std::generate_canonical<double, 32>(engine));
    for (int i = 0; i < 300; ++i) {
        const PuzzleWords w = generateWords(lexicon(), random);
        const std::string a = w[kAcross1] + w[kAcross3] + w[kAcross4];
        ASSERT_EQ(a.size(), 9u) << a;
        for (const std::string& word : w)
            ASSERT_TRUE(lexicon().Exists(word)) << word;
        ASSERT_EQ(w[kDown3] + w[kDown1] + w[kDown2],
                  (std::string{a[3], a[7], a[0], a[4], a[8], a[1], a[5]}));
    }
}

TEST(Generator, DrawsAllThreeAcrossWordsAfreshRedrawingWordsOfAnotherLength) {
    ScriptedRandom random;
    for (const char* word : {"ZAX", "ZAX", "ZAX", "TOE", "AB", "TEN", "BOA"})
        random.push(valueForWord(lexicon(), word));
    long attempts = 0;
    EXPECT_EQ(generateWords(lexicon(), random, &attempts),
              (PuzzleWords{"TOE", "TEN", "BOA", "TO", "TEA", "ON"}));
    EXPECT_EQ(attempts, 2);
    EXPECT_EQ(random.remaining(), 0u);
    EXPECT_EQ(random.reseeds(), 6);  // once per word, not once per draw
}

TEST(Generator, RedrawsAPositionPastTheEndOfTheLexicon) {
    Lexicon thousand;  // its top single-precision value lands past the end
    for (int i = 0; i < 1000; ++i)
        thousand.Add({char('A' + i / 100), char('A' + i / 10 % 10), char('A' + i % 10)}, "");
    ScriptedRandom random{std::nextafter(1.0f, 0.0f), quillbox::testing::valueForIndex(999, 1000)};
    EXPECT_EQ(randomWord(thousand, random, 3), "JJJ");
    EXPECT_EQ(random.remaining(), 0u);
}

TEST(Generator, RefusesWhatCannotMakeAGrid) {
    Lexicon twos;
    twos.Add("AA", "");
    ScriptedRandom random{0.5};
    EXPECT_THROW(randomWord(Lexicon{}, random, 3), std::invalid_argument);
    EXPECT_THROW(generateWords(twos, random), std::invalid_argument);
    EXPECT_THROW(wordsFromAcross("TO", "TEN", "BOA"), std::invalid_argument);
    EXPECT_THROW(wordsFromAcross("TOE", "TENT", "BOA"), std::invalid_argument);
    EXPECT_THROW(wordsFromAcross("TOE", "TEN", "BO"), std::invalid_argument);
    EXPECT_EQ(random.draws(), 0);
}

// Where each move leads from cells 0 to 8.
TEST(Grid, ArrowsWalkTheStaircaseAndTypingFollowsTheEntries) {
    const std::pair<std::function<int(int)>, std::string> cases[] = {
        {[](int k) { return arrowMove(k, Arrow::Left); }, "001234567"},
        {[](int k) { return arrowMove(k, Arrow::Right); }, "123456788"},
        {[](int k) { return arrowMove(k, Arrow::Up); }, "012301634"},
        {[](int k) { return arrowMove(k, Arrow::Down); }, "452785678"},
        {[](int k) { return typingMove(k, Direction::Across, true); }, "123456788"},
        {[](int k) { return typingMove(k, Direction::Across, false); }, "001234567"},
        // 1 Down (0, 4, 8), 2 Down (1, 5), 3 Down (3, 7); 2 and 6 go across.
        {[](int k) { return typingMove(k, Direction::Down, true); }, "453783771"},
        {[](int k) { return typingMove(k, Direction::Down, false); }, "081501534"},
    };
    for (const auto& [move, to] : cases) {
        std::string got;
        for (int k = 0; k < kCellCount; ++k)
            got += std::to_string(move(k));
        EXPECT_EQ(got, to);
    }
}

}  // namespace
