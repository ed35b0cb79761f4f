#include "support/scriptedRandom.h"

namespace quillbox::testing {

double ScriptedRandom::nextDouble() {
    if (values_.empty()) throw std::logic_error("scripted random source ran out of values");
    ++draws_;
    const double v = values_.front();
    values_.pop_front();
    return v;
}

double valueForIndex(int idx, int n) {
    const double step = static_cast<double>(2147483647 / n);
    // The middle of the index's band of whole numbers, as a fraction of 2^31 - 1.
    return (idx * step + step / 2.0) / 2147483647.0;
}

}  // namespace quillbox::testing
