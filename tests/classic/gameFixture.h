#pragma once
// A Classic game on its own bag and random source, with a window that records
// everything and a table in memory. The word list is a small one unless a test
// passes the program's own.
#include <gtest/gtest.h>

#include <algorithm>
#include <initializer_list>
#include <string>

#include "classic/classicGame.h"
#include "classicTestSupport.h"

namespace quillbox::testing {
using namespace quillbox::classic;
using namespace quillbox::core;
using namespace quillbox::scores;

inline const Lexicon& smallLexicon() {
    static const Lexicon words = [] {
        Lexicon l;
        for (const auto& [word, definition] :
             std::initializer_list<std::pair<const char*, const char*>>{
                 {"AT", "in the place of"},
                 {"EH", "a sound of doubt"},
                 {"TA", "thanks"},
                 {"XI", "a letter of the Greek alphabet"},
                 {"AWL", ""},
                 {"TEN", "one more than nine"}})
            l.Add(word, definition);
        return l;
    }();
    return words;
}

class ClassicGameTest : public ::testing::Test {
  protected:
    explicit ClassicGameTest(const Lexicon& words = smallLexicon())
        : game{port, scores, bag, &random, words} {}

    RecordingPort port;
    MemoryScoreTable scores;
    TileBag bag;
    ScriptedRandom random;
    ClassicGame game;

    // Starts a game whose first tiles drawn are `front`.
    void startWith(const std::string& front) {
        scriptShuffleToStartWith(random, front);
        game.startGame();
        ASSERT_EQ(random.remaining(), 0u);
    }
    void turnLearnModeOff() { game.setLearnMode(LearnMode::Off); }
    void click(std::initializer_list<int> slots) {
        for (int s : slots)
            game.toggleTile(s);
    }
    void play(std::initializer_list<int> slots) {
        click(slots);
        game.playWord();
    }
    // Replaces what is left in the bag.
    void leaveInBag(const std::string& tiles) { bag = bagOf(tiles); }
    // Brings an empty score to `points` with tally entries of at most 5 each.
    void scorePoints(int points) {
        while (points != 0) {
            const int step = std::clamp(points, -5, 5);
            game.displayPoints("AT", step, colors::black, -1, -1);
            points -= step;
        }
    }
    std::string layout() const { return layoutOf(game.rack()); }
};

}  // namespace quillbox::testing
