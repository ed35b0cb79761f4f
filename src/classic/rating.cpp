#include "classic/rating.h"

#include <array>

namespace quillbox::classic {

namespace {
constexpr int kLowestBound = 30;
constexpr int kStep = 5;

// Phrase i rates scores below kLowestBound + kStep * i; the last has no bound.
constexpr std::array<std::string_view, 19> kPhrases = {
    "SUBTERRANEANLY SUPREMELY EXTREMELY TERRIBLE",
    "SUPREMELY EXTREMELY TERRIBLE",
    "EXTREMELY TERRIBLE",
    "TERRIBLE",
    "VERY VERY POOR, ALMOST TERRIBLE",
    "VERY VERY POOR",
    "VERY POOR",
    "POOR",
    "FAIR LEANING TOWARDS POOR",
    "FAIR",
    "FAIR LEANING TOWARDS GOOD",
    "GOOD",
    "VERY GOOD",
    "VERY VERY GOOD",
    "VERY VERY GOOD, ALMOST EXCELLENT",
    "EXCELLENT",
    "EXTREMELY EXCELLENT",
    "SUPREMELY EXTREMELY EXCELLENT",
    "STRATOSPHEREICALLY SUPREMELY EXTREMELY EXCELLENT",
};
}  // namespace

std::string_view ratingPhrase(int score) {
    for (std::size_t i = 0; i + 1 < kPhrases.size(); ++i)
        if (score < kLowestBound + kStep * static_cast<int>(i))
            return kPhrases[i];
    return kPhrases.back();
}

}  // namespace quillbox::classic
