#pragma once
#include <deque>
#include <stdexcept>
#include <string>
#include <vector>

#include "core/lexicon.h"
#include "core/random.h"

namespace quillbox::testing {

// Hands out the values a test lists, in order; fails the test loudly when the
// script runs out instead of inventing numbers.
class ScriptedRandom : public core::RandomSource {
  public:
    explicit ScriptedRandom(std::initializer_list<double> values = {}) : values_(values) {}

    void push(double v) { values_.push_back(v); }
    void reseedFromClock() override { ++reseeds_; }
    double nextDouble() override;
    float nextSingle() override { return static_cast<float>(nextDouble()); }

    int reseeds() const { return reseeds_; }
    int draws() const { return draws_; }
    std::size_t remaining() const { return values_.size(); }

  private:
    std::deque<double> values_;
    int reseeds_ = 0;
    int draws_ = 0;
};

// The value r whose index draw randomIndexDraw(r, n) gives exactly idx.
double valueForIndex(int idx, int n);

// The value whose index draw picks `word` from the lexicon's keys; throws
// std::invalid_argument for a word it does not hold.
double valueForWord(const core::Lexicon& lexicon, const std::string& word);

// The values that make a shuffle of exactly 10 x n exchanges turn the tiles
// `from` (in bag order) into `to`: a few real swaps, then exchanges of
// position 1 with itself.
std::vector<double> shuffleScript(std::string from, const std::string& to);

// The bag's tiles in the order they are filled.
inline const std::string kFillOrder =
    "AAAAAAAAABBCCDDDDEEEEEEEEEEEEFFGGGHHIIIIIIIIIJKLLLLMMNNNNNNOOOOOOOOPPQRRRRRRSSSSTTTTTTUUUUVVWW"
    "XYYZ__";

// The full bag with the tiles of `front` taken to the front and the others in
// fill order: what a scripted shuffle is asked to make.
std::string bagStartingWith(const std::string& front);

}  // namespace quillbox::testing
