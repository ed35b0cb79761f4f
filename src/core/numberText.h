#pragma once
#include <string>

namespace quillbox::core {

// A score as the windows show it: a leading blank for zero or more, a minus
// sign otherwise (7 -> " 7", -3 -> "-3").
std::string signedNumberText(long value);

}  // namespace quillbox::core
