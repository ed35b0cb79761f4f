#pragma once
// A Classic game on its own bag, random source and a small word list, with a
// window that records everything and a table in memory.
#include <gtest/gtest.h>

#include <initializer_list>
#include <string>

#include "classic/classicGame.h"
#include "classicTestSupport.h"

namespace quillbox::testing {

inline Lexicon smallLexicon() {
    Lexicon l;
    for (const auto& [word, definition] :
         std::initializer_list<std::pair<const char*, const char*>>{
             {"AB", "a belly muscle"},
             {"AN", "one, before a vowel"},
             {"AT", "in the place of"},
             {"EH", "a sound of doubt"},
             {"JO", "a beloved one"},
             {"TA", "thanks"},
             {"XI", "a letter of the Greek alphabet"},
             {"ATE", "took food in"},
             {"AWL", ""},
             {"EAT", "to take food in"},
             {"ONE", "the first counting number"},
             {"QAT", "a shrub whose leaves are chewed"},
             {"TEN", "one more than nine"},
         })
        l.Add(word, definition);
    return l;
}

class ClassicGameTest : public ::testing::Test {
  protected:
    RecordingPort port;
    MemoryScoreTable scores;
    TileBag bag;
    ScriptedRandom random;
    Lexicon lexicon = smallLexicon();
    ClassicGame game{port, scores, bag, &random, lexicon};

    // Starts a game whose first tiles drawn are `prefix`.
    void startWith(const std::string& prefix) {
        scriptShuffleTo(random, orderStartingWith(prefix));
        game.cmdStartGame_Click();
        ASSERT_EQ(random.remaining(), 0u);
    }
    void turnLearnModeOff() { game.chkLearnMode_Click(CheckState::Unchecked); }
    void click(std::initializer_list<int> slots) {
        for (int s : slots)
            game.lblTile_Click(s);
    }
    void play(std::initializer_list<int> slots) {
        click(slots);
        game.cmdPlayWord_Click();
    }
    // Replaces what is left in the bag.
    void leaveInBag(const std::string& tiles) {
        bag.clear();
        for (char c : tiles)
            bag.add(c);
    }
    // Brings an empty score to `points` with tally entries of at most 5 each.
    void scorePoints(int points) {
        const int step = points < 0 ? -5 : 5;
        while (points / step > 0) {
            game.displayPoints("AT", step, colors::black, -1, -1);
            points -= step;
        }
        if (points != 0)
            game.displayPoints("AT", points, colors::black, -1, -1);
    }
    std::string layout() const {
        std::string out;
        for (int i = 0; i < kRackSlots; ++i) {
            const auto& s = game.rack().slot(i);
            out += s.occupied ? s.letter : '.';
        }
        return out;
    }
};

}  // namespace quillbox::testing
