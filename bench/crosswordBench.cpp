// How long the Generate button blocks: one puzzle from the shipped lexicon,
// drawn with the program's own clock-reseeded generator.
#include <benchmark/benchmark.h>

#include <random>

#include "core/mainMod.h"
#include "core/random.h"
#include "crossword/board.h"
#include "crossword/generator.h"

namespace {

using namespace quillbox;
using namespace quillbox::core;

void BM_GeneratePuzzle(benchmark::State& state) {
    const Lexicon& lex = mainMod::lexicon();
    RandomSource& random = applicationRandom();
    long attempts = 0;
    long totalAttempts = 0;
    for (auto _ : state) {
        auto words = crossword::generateWords(lex, random, &attempts);
        benchmark::DoNotOptimize(words);
        totalAttempts += attempts;
    }
    state.counters["attempts/puzzle"] =
        benchmark::Counter(static_cast<double>(totalAttempts), benchmark::Counter::kAvgIterations);
}
BENCHMARK(BM_GeneratePuzzle)->Unit(benchmark::kMicrosecond);

// The same search with a generator whose reseed costs nothing, to separate
// the search itself from the clock reseed before every word.
class PlainRandom : public RandomSource {
  public:
    void reseedFromClock() override {}
    double nextDouble() override { return static_cast<double>(engine_() >> 11) * 0x1p-53; }
    float nextSingle() override { return static_cast<float>(engine_() >> 40) * 0x1p-24f; }

  private:
    std::mt19937_64 engine_{12345u};
};

void BM_GeneratePuzzleWithoutReseed(benchmark::State& state) {
    const Lexicon& lex = mainMod::lexicon();
    PlainRandom random;
    for (auto _ : state)
        benchmark::DoNotOptimize(crossword::generateWords(lex, random));
}
BENCHMARK(BM_GeneratePuzzleWithoutReseed)->Unit(benchmark::kMicrosecond);

// One three-letter draw, reseed included.
void BM_RandomWord(benchmark::State& state) {
    const Lexicon& lex = mainMod::lexicon();
    RandomSource& random = applicationRandom();
    for (auto _ : state)
        benchmark::DoNotOptimize(crossword::randomWord(lex, random, 3));
}
BENCHMARK(BM_RandomWord)->Unit(benchmark::kNanosecond);

// The whole Generate handler on the board: drawing plus clearing the grid
// and looking up the six clues.
void BM_BoardGenerate(benchmark::State& state) {
    crossword::Board board(mainMod::lexicon(), applicationRandom());
    for (auto _ : state) {
        board.generate();
        board.check();  // a wrong check, then the reveal, re-enables Generate
        board.reveal();
    }
}
BENCHMARK(BM_BoardGenerate)->Unit(benchmark::kMicrosecond);

}  // namespace

BENCHMARK_MAIN();
