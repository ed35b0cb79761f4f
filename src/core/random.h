#pragma once
// The one source of randomness: clock-seeded in the program, scripted in tests.
#include <cstdint>
#include <memory>
#include <random>

namespace quillbox::core {

class RandomSource {
  public:
    virtual ~RandomSource() = default;
    // Called at the start of each drawing procedure. It never restarts the
    // sequence: draws in quick succession still differ.
    virtual void reseedFromClock() = 0;
    // A uniform value in [0, 1).
    virtual double nextDouble() = 0;
    // A uniform single-precision value in [0, 1).
    virtual float nextSingle() = 0;
};

class ClockRandom : public RandomSource {
  public:
    ClockRandom();
    void reseedFromClock() override;
    double nextDouble() override;
    float nextSingle() override;

  private:
    std::mt19937_64 engine_;
};

// The application's generator: the clock-seeded one unless a test installed
// its own.
RandomSource& applicationRandom();
// Installs a generator for the whole program (tests); nullptr restores the
// clock-seeded one.
void setApplicationRandom(RandomSource* source);

// The index draw shared by the shuffle and the crossword: r in [0, 1) becomes
// round(r * 2147483647) (halves to even) div (2147483647 div n). The result can
// reach n for the largest r; callers discard and redraw such values.
std::int32_t randomIndexDraw(double r, std::int32_t n);

}  // namespace quillbox::core
