#include "classic/legalPlayFinder.h"

#include <algorithm>
#include <array>
#include <bit>

namespace quillbox::classic {

namespace {

constexpr int kRackSize = 7;
constexpr int kArrangements = 5040;  // 7!

// Letter codes: 0-25 for A-Z, then the blank, then anything else. All fit in
// five bits, so seven of them pack into a 35-bit key.
constexpr std::uint8_t kBlank = 26;
constexpr std::uint8_t kOther = 27;

using Arrangement = std::array<std::uint8_t, kRackSize>;

// The arrangements of rack positions 0-6 in the fixed order of the walk:
// those of the first n-1 positions, each extended by position n-1, then
// every extended one followed by its n-1 successive left rotations.
// Identical letters are not merged here; the walk sees every arrangement.
const std::vector<Arrangement>& arrangementOrder() {
    static const std::vector<Arrangement> order = [] {
        std::vector<std::vector<std::uint8_t>> entries{{0}};
        for (std::uint8_t n = 2; n <= kRackSize; ++n) {
            const std::size_t m = entries.size();
            for (auto& e : entries)
                e.push_back(static_cast<std::uint8_t>(n - 1));
            for (std::size_t j = 0; j < m; ++j) {
                std::vector<std::uint8_t> t = entries[j];
                for (int r = 0; r < n - 1; ++r) {
                    std::rotate(t.begin(), t.begin() + 1, t.end());
                    entries.push_back(t);
                }
            }
        }
        std::vector<Arrangement> flat(entries.size());
        for (std::size_t i = 0; i < entries.size(); ++i)
            std::copy(entries[i].begin(), entries[i].end(), flat[i].begin());
        return flat;
    }();
    return order;
}

std::uint8_t letterCode(char c) {
    if (c >= 'A' && c <= 'Z')
        return static_cast<std::uint8_t>(c - 'A');
    return c == '_' ? kBlank : kOther;
}

int segmentOf(int position) {
    return position < 2 ? 0 : position < 4 ? 1 : 2;
}

// Offset in "W1 W2 W3" of the letter at a position of an arrangement; -1
// (no blank) stays -1.
int lineOffset(int position) {
    if (position < 0)
        return -1;
    return position + segmentOf(position);
}

// The same key for a play and its twin (its two-letter words swapped), so one
// look-up answers "is the line or its twin already listed".
std::uint64_t twinFreeKey(const std::uint8_t* p) {
    const std::uint64_t w1 = p[0] * 32u + p[1];
    const std::uint64_t w2 = p[2] * 32u + p[3];
    const std::uint64_t w3 = (p[4] * 32u + p[5]) * 32u + p[6];
    return ((std::min(w1, w2) << 10 | std::max(w1, w2)) << 15) | w3;
}

template <typename Visit>
void forEachLetter(std::uint32_t mask, Visit visit) {
    while (mask) {
        visit(std::countr_zero(mask));
        mask &= mask - 1;
    }
}

constexpr int kKeyBits = 35;
constexpr std::uint64_t kKeyMask = (std::uint64_t{1} << kKeyBits) - 1;
constexpr std::uint64_t kLastGeneration = (std::uint64_t{1} << (64 - kKeyBits)) - 1;

}  // namespace

void LegalPlayFinder::KeySet::startSearch() {
    if (slots_.empty()) {
        bits_ = 12;
        slots_.assign(std::size_t{1} << bits_, 0);
    }
    if (generation_ == kLastGeneration) {
        std::fill(slots_.begin(), slots_.end(), 0);
        generation_ = 0;
    }
    ++generation_;
    size_ = 0;
}

bool LegalPlayFinder::KeySet::insert(std::uint64_t key) {
    const std::size_t mask = slots_.size() - 1;
    std::size_t h = (key * 0x9E3779B97F4A7C15ull) >> (64 - bits_);
    for (;;) {
        const std::uint64_t s = slots_[h];
        if ((s >> kKeyBits) != generation_) {
            slots_[h] = generation_ << kKeyBits | key;
            if (++size_ * 2 > slots_.size())
                grow();
            return true;
        }
        if ((s & kKeyMask) == key)
            return false;
        h = (h + 1) & mask;
    }
}

void LegalPlayFinder::KeySet::grow() {
    const std::vector<std::uint64_t> old = std::move(slots_);
    slots_.assign(old.size() * 2, 0);
    ++bits_;
    const std::size_t mask = slots_.size() - 1;
    for (std::uint64_t s : old) {
        if ((s >> kKeyBits) != generation_)
            continue;
        std::size_t h = ((s & kKeyMask) * 0x9E3779B97F4A7C15ull) >> (64 - bits_);
        while ((slots_[h] >> kKeyBits) == generation_)
            h = (h + 1) & mask;
        slots_[h] = s;
    }
}

LegalPlayFinder::LegalPlayFinder(const core::Lexicon& lexicon) {
    for (const std::string& w : lexicon.Keys()) {
        const bool letters =
            std::all_of(w.begin(), w.end(), [](char c) { return c >= 'A' && c <= 'Z'; });
        if (!letters)
            continue;
        if (w.size() == 2) {
            const int a = w[0] - 'A', b = w[1] - 'A';
            twoMask_[0][b] |= 1u << a;
            twoMask_[1][a] |= 1u << b;
            anyTwoLetterWord_ = true;
        } else if (w.size() == 3) {
            const int a = w[0] - 'A', b = w[1] - 'A', c = w[2] - 'A';
            threeMask_[0][b * 26 + c] |= 1u << a;
            threeMask_[1][a * 26 + c] |= 1u << b;
            threeMask_[2][a * 26 + b] |= 1u << c;
            threeAnyAt_[0] |= 1u << a;
            threeAnyAt_[1] |= 1u << b;
            threeAnyAt_[2] |= 1u << c;
        }
    }
}

bool LegalPlayFinder::canBeWord(std::uint8_t a, std::uint8_t b) const {
    if (a == kBlank)
        return b == kBlank ? anyTwoLetterWord_ : twoMask_[0][b] != 0;
    return b == kBlank ? twoMask_[1][a] != 0 : twoLetterWord(a, b);
}

bool LegalPlayFinder::canBeWord(std::uint8_t a, std::uint8_t b, std::uint8_t c) const {
    const std::uint8_t l[3] = {a, b, c};
    int blanks = 0, blankAt = 0, letterAt = 0;
    for (int k = 0; k < 3; ++k) {
        if (l[k] == kBlank) {
            ++blanks;
            blankAt = k;
        } else {
            letterAt = k;
        }
    }
    switch (blanks) {
        case 0:
            return threeLetterWord(a, b, c);
        case 1:
            return threeMask_[blankAt][blankAt == 0   ? b * 26 + c
                                       : blankAt == 1 ? a * 26 + c
                                                      : a * 26 + b] != 0;
        case 2:
            return (threeAnyAt_[letterAt] >> l[letterAt]) & 1u;
        default:
            return threeAnyAt_[0] != 0;
    }
}

std::uint32_t LegalPlayFinder::singleBlankMask(const std::uint8_t* p, int position) const {
    switch (position) {
        case 0:
            return twoMask_[0][p[1]];
        case 1:
            return twoMask_[1][p[0]];
        case 2:
            return twoMask_[0][p[3]];
        case 3:
            return twoMask_[1][p[2]];
        case 4:
            return threeMask_[0][p[5] * 26 + p[6]];
        case 5:
            return threeMask_[1][p[4] * 26 + p[6]];
        default:
            return threeMask_[2][p[4] * 26 + p[5]];
    }
}

void LegalPlayFinder::emitPlay(const std::uint8_t* p, int blank1, int blank2, LegalPlayList& out) {
    if (!listed_.insert(twinFreeKey(p)))
        return;
    LegalPlay play;
    play.line = {char('A' + p[0]), char('A' + p[1]), ' ',
                 char('A' + p[2]), char('A' + p[3]), ' ',
                 char('A' + p[4]), char('A' + p[5]), char('A' + p[6])};
    play.underline1 = lineOffset(blank1);
    play.underline2 = lineOffset(blank2);
    out.plays.push_back(std::move(play));
}

void LegalPlayFinder::testArrangement(std::uint8_t* p, LegalPlayList& out) {
    // An arrangement met before, as it stands or with its two-letter parts
    // swapped, yields only plays (or twins of plays) already listed.
    if (!arrangements_.insert(twinFreeKey(p)))
        return;
    int blank[2] = {-1, -1};
    int blanks = 0;
    for (int k = 0; k < kRackSize; ++k)
        if (p[k] == kBlank)
            blank[blanks++] = k;
    const int b1 = blank[0], b2 = blank[1];
    if (blanks == 0)
        return emitPlay(p, -1, -1, out);
    if (blanks == 1) {
        return forEachLetter(singleBlankMask(p, b1), [&](int c) {
            p[b1] = static_cast<std::uint8_t>(c);
            emitPlay(p, b1, -1, out);
        });
    }
    if (segmentOf(b1) != segmentOf(b2)) {
        const std::uint32_t mask2 = singleBlankMask(p, b2);
        return forEachLetter(singleBlankMask(p, b1), [&](int c1) {
            p[b1] = static_cast<std::uint8_t>(c1);
            forEachLetter(mask2, [&](int c2) {
                p[b2] = static_cast<std::uint8_t>(c2);
                emitPlay(p, b1, b2, out);
            });
        });
    }
    // Both blanks in one word: for each letter of the first, the letters the
    // second may take.
    const int x = b1 - 4, y = b2 - 4, z = 3 - x - y;
    for (int c1 = 0; c1 < 26; ++c1) {
        p[b1] = static_cast<std::uint8_t>(c1);
        const std::uint32_t second =
            b2 < 4 ? twoMask_[1][c1]
                   : threeMask_[y][x < z ? c1 * 26 + p[4 + z] : p[4 + z] * 26 + c1];
        forEachLetter(second, [&](int c2) {
            p[b2] = static_cast<std::uint8_t>(c2);
            emitPlay(p, b1, b2, out);
        });
    }
}

const LegalPlayList& LegalPlayFinder::find(std::string_view rack,
                                           const CountdownCallback& onCountdown) {
    LegalPlayList& out = result_;
    out.plays.clear();
    out.searched = rack.size() == kRackSize;
    if (!out.searched)
        return out;

    std::uint8_t codes[kRackSize];
    int blanks = 0;
    bool lettersOnly = true;
    for (int k = 0; k < kRackSize; ++k) {
        codes[k] = letterCode(rack[k]);
        blanks += codes[k] == kBlank;
        lettersOnly = lettersOnly && codes[k] != kOther;
    }
    const bool testable = lettersOnly && blanks <= 2;
    // Two blanks make each arrangement 676 times as costly, so the countdown
    // steps more often.
    const int step = blanks == 2 ? 100 : 500;
    const auto report = [&](int value) {
        if (onCountdown)
            onCountdown(value);
    };

    // Which ordered pairs and triples of rack positions can make a word at
    // all: most arrangements fail on one of these three look-ups.
    bool pairCan[kRackSize][kRackSize] = {};
    bool tripleCan[kRackSize][kRackSize][kRackSize] = {};
    if (testable) {
        for (int a = 0; a < kRackSize; ++a)
            for (int b = 0; b < kRackSize; ++b) {
                pairCan[a][b] = canBeWord(codes[a], codes[b]);
                for (int c = 0; c < kRackSize; ++c)
                    tripleCan[a][b][c] = canBeWord(codes[a], codes[b], codes[c]);
            }
    }

    report(kCountdownStart);
    listed_.startSearch();
    arrangements_.startSearch();
    const auto& order = arrangementOrder();
    for (int i = 0; i < kArrangements; ++i) {
        const Arrangement& o = order[i];
        if (pairCan[o[0]][o[1]] && pairCan[o[2]][o[3]] && tripleCan[o[4]][o[5]][o[6]]) {
            std::uint8_t p[kRackSize];
            for (int k = 0; k < kRackSize; ++k)
                p[k] = codes[o[k]];
            testArrangement(p, out);
        }
        // Arrangements are counted from 1, and the count is checked after
        // moving on to the next one.
        const int next = i + 2;
        if (next % step == 0)
            report(kCountdownStart - next);
    }
    report(0);
    return out;
}

ListContent listContent(const LegalPlayList& list, std::string_view lineEnd) {
    ListContent content;
    for (const LegalPlay& play : list.plays) {
        const auto start = static_cast<int>(content.text.size());
        content.text += play.line;
        content.text += lineEnd;
        for (int offset : {std::min(play.underline1, play.underline2),
                           std::max(play.underline1, play.underline2)})
            if (offset >= 0)
                content.underlined.push_back(start + offset);
    }
    for (int k = 0; k < kListTrailingLineBreaks; ++k)
        content.text += lineEnd;
    return content;
}

}  // namespace quillbox::classic
