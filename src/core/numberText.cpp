#include "core/numberText.h"

namespace quillbox::core {

std::string signedNumberText(long value) {
    return value >= 0 ? " " + std::to_string(value) : std::to_string(value);
}

}  // namespace quillbox::core
