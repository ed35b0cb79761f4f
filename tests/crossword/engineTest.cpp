// The crossword engine: the generator's puzzles, where the keyboard goes on
// the grid, and the run counter.
#include <gtest/gtest.h>

#include <random>

#include "core/mainMod.h"
#include "crossword/board.h"
#include "support/scriptedRandom.h"

using namespace quillbox::core;
using namespace quillbox::crossword;
using quillbox::core::mainMod::lexicon;
using namespace quillbox::testing;

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

TEST(Grid, ArrowsWalkTheStaircaseAndTypingFollowsTheEntries) {
    std::string to;  // where each move leads from cells 0 to 8
    for (const Arrow a : {Arrow::Left, Arrow::Right, Arrow::Up, Arrow::Down})
        for (int k = 0; k < kCellCount; ++k)
            to += std::to_string(arrowMove(k, a)) + (k == 8 ? " " : "");
    for (const Direction d : {Direction::Across, Direction::Down})
        for (const bool forward : {true, false})
            for (int k = 0; k < kCellCount; ++k)
                to += std::to_string(typingMove(k, d, forward)) + (k == 8 ? " " : "");
    // Typing down: 1 Down (0, 4, 8), 2 Down (1, 5), 3 Down (3, 7); 2 and 6 go across.
    EXPECT_EQ(to,
              "001234567 123456788 012301634 452785678 "
              "123456788 001234567 453783771 081501534 ");
}

TEST(Board, TheRunCountsEachPuzzlesFirstCheckAndStopsAtTheSixteenBitLimits) {
    ScriptedRandom random;  // empty: an unexpected draw throws
    Board board(lexicon(), random);
    std::string runs;
    for (const std::string& results :
         {std::string("WW"), std::string("LL"), std::string(32768, 'W'), std::string(32769, 'L')}) {
        for (const char r : results) {
            board.begin(wordsFromAcross("TOE", "TEN", "BOA"));
            for (int k = 0; r == 'W' && k < kCellCount; ++k)
                board.commitCell(k, std::string(1, "toetenboa"[k]));  // committed in upper case
            board.check();
            board.check();  // a second check of the same puzzle does not count
            board.reveal();
        }
        runs += board.runText() + "|";
    }
    EXPECT_EQ(runs, " 2 win(s)| 2 loss(es)| 32767 win(s)| 32768 loss(es)|");
}
