#pragma once
#include <string>
#include <string_view>

#include "core/lexicon.h"

namespace quillbox::core {

inline constexpr std::string_view kNotAWord = "--- NOT A WORD! ---";

// The launch pad's definition line for the letters typed so far.
std::string lookupDefinition(const Lexicon& lexicon, std::string_view typed);

// ASCII upper-casing; typed words are upper-cased before any lookup.
std::string toUpperAscii(std::string_view s);

}  // namespace quillbox::core
