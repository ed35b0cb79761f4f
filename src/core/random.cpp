#include "core/random.h"

#include <chrono>
#include <cmath>

namespace quillbox::core {

ClockRandom::ClockRandom() {
    reseedFromClock();
}

void ClockRandom::reseedFromClock() {
    // Mix the clock into the running state rather than replacing it, so two
    // reseeds within one clock tick still give different sequences.
    const auto ticks = std::chrono::steady_clock::now().time_since_epoch().count();
    engine_.seed(engine_() ^ (static_cast<std::uint64_t>(ticks) * 0x9E3779B97F4A7C15ull));
}

double ClockRandom::nextDouble() {
    return static_cast<double>(engine_() >> 11) * 0x1p-53;
}

float ClockRandom::nextSingle() {
    // 24 random bits make every float in [0, 1) with step 2^-24 equally likely.
    return static_cast<float>(engine_() >> 40) * 0x1p-24f;
}

namespace {
RandomSource* installedRandom = nullptr;
}  // namespace

RandomSource& applicationRandom() {
    static ClockRandom instance;
    return installedRandom ? *installedRandom : instance;
}

void setApplicationRandom(RandomSource* source) {
    installedRandom = source;
}

std::int32_t randomIndexDraw(double r, std::int32_t n) {
    constexpr std::int64_t kMax = 2147483647;
    const auto x = static_cast<std::int64_t>(std::nearbyint(r * static_cast<double>(kMax)));
    const std::int64_t step = kMax / n;
    return static_cast<std::int32_t>(x / step);
}

}  // namespace quillbox::core
