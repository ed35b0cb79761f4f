#pragma once
// Letter and tally colours of the Classic game, as red, green, blue.
#include <cstdint>

namespace quillbox::classic {

struct Rgb {
    std::uint8_t red = 0;
    std::uint8_t green = 0;
    std::uint8_t blue = 0;

    friend constexpr bool operator==(Rgb, Rgb) = default;
};

namespace colors {
inline constexpr Rgb black{0, 0, 0};           // an unselected rack letter; a valid word
inline constexpr Rgb white{255, 255, 255};     // a selected rack letter
inline constexpr Rgb red{255, 0, 0};           // an invalid word
inline constexpr Rgb blue{0, 0, 255};          // the rack bonus
inline constexpr Rgb magenta{255, 0, 255};     // the Q bonus
inline constexpr Rgb darkViolet{64, 32, 128};  // the final total
}  // namespace colors

}  // namespace quillbox::classic
