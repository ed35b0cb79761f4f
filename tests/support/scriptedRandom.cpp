#include "support/scriptedRandom.h"

#include <algorithm>

namespace quillbox::testing {

double ScriptedRandom::nextDouble() {
    if (values_.empty())
        throw std::logic_error("scripted random source ran out of values");
    const double v = values_.front();
    values_.pop_front(), ++draws_;
    return v;
}

double valueForIndex(int idx, int n) {
    const double step = static_cast<double>(2147483647 / n);
    // The middle of the index's band of whole numbers, as a fraction of 2^31 - 1.
    return (idx * step + step / 2.0) / 2147483647.0;
}

std::string bagStartingWith(const std::string& front) {
    std::string rest = kFillOrder;
    for (char c : front) {
        const auto at = rest.find(c);
        if (at == std::string::npos)
            throw std::invalid_argument("more of a tile than the bag holds");
        rest.erase(at, 1);
    }
    return front + rest;
}

double valueForWord(const core::Lexicon& lexicon, const std::string& word) {
    const auto& keys = lexicon.Keys();
    const auto at = std::find(keys.begin(), keys.end(), word);
    if (at == keys.end())
        throw std::invalid_argument(word + " is not in the lexicon");
    return valueForIndex(static_cast<int>(at - keys.begin()), static_cast<int>(keys.size()));
}

std::vector<double> shuffleScript(std::string from, const std::string& to) {
    if (from.size() != to.size())
        throw std::invalid_argument("bags of different sizes");
    const int n = static_cast<int>(from.size());
    std::vector<double> out;
    for (int p = 0; p < n; ++p) {
        if (from[p] == to[p])
            continue;
        const auto q = from.find(to[p], static_cast<std::size_t>(p + 1));
        if (q == std::string::npos)
            throw std::invalid_argument("not the same tiles");
        std::swap(from[p], from[q]);
        out.push_back(valueForIndex(p, n));
        out.push_back(valueForIndex(static_cast<int>(q), n));
    }
    const std::size_t total = 2u * 10u * static_cast<std::size_t>(n);
    if (out.size() > total)
        throw std::invalid_argument("too many swaps for one shuffle");
    out.resize(total, valueForIndex(0, n));
    return out;
}

}  // namespace quillbox::testing
