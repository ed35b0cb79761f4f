#pragma once
// The phrase that rates a final score.
#include <string_view>

namespace quillbox::classic {

// One of nineteen phrases, in steps of five points from below 30 to 115 and
// above; every negative score takes the lowest.
std::string_view ratingPhrase(int score);

}  // namespace quillbox::classic
