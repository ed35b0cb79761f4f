#pragma once
// The brute-force legal-play search written out step by step, as plain as it
// is slow: every arrangement of the rack in a 1-based table of strings, every
// letter for every blank, three look-ups and a keyed table per test. It is the
// reference the fast finder has to match character for character. And racks
// to search, drawn with a fixed seed.
#include <algorithm>
#include <cstdint>
#include <map>
#include <random>
#include <string>
#include <vector>

#include "core/lexicon.h"

namespace quillbox::bench {

class LegalPlayOracle {
  public:
    explicit LegalPlayOracle(const core::Lexicon& lexicon) : lexicon_(lexicon) {}

    // The whole search for a rack string (one character per occupied slot, a
    // letter or "_"), recording what it does to the list and the countdown.
    void findLegalPlays(const std::string& rack) {
        appended.clear();
        countdownCaptions.clear();
        std::fill(permutations.begin() + 1, permutations.end(), "");
        const auto tileCount = rack.size();
        const auto blankCount = std::count(rack.begin(), rack.end(), '_');
        if (tileCount == 7) {
            permute(rack);
            countdownCaptions.push_back("5000");
            const int step = blankCount == 2 ? 100 : 500;
            std::map<std::string, std::string> listedPlays;
            int i = 1;
            while (permutations[i] != "") {
                if (blankCount == 0) {
                    testPermutation(i, "$", "$", listedPlays);
                } else if (blankCount == 1) {
                    for (char c = 'A'; c <= 'Z'; ++c)
                        testPermutation(i, std::string(1, c), "$", listedPlays);
                } else if (blankCount == 2) {
                    for (char c1 = 'A'; c1 <= 'Z'; ++c1)
                        for (char c2 = 'A'; c2 <= 'Z'; ++c2)
                            testPermutation(i, std::string(1, c1), std::string(1, c2), listedPlays);
                }
                i = i + 1;
                if (i % step == 0)
                    countdownCaptions.push_back(std::to_string(5000 - i));
            }
            countdownCaptions.push_back("0");
        }
        for (int k = 0; k < 6; ++k)
            appendFormatted("\r\n", -1, -1);
    }

    // Record of the last search, one formatted append to the list box each,
    // underlined characters in lower case; the list is emptied when it starts.
    std::vector<std::string> appended;
    std::vector<std::string> countdownCaptions;

  private:
    static std::string rotateLeft(const std::string& s) { return s.substr(1) + s.substr(0, 1); }

    void permute(const std::string& s) {
        const int n = static_cast<int>(s.size());
        if (n == 1) {
            permutations[1] = s;
            return;
        }
        permute(s.substr(0, n - 1));
        int i = 1;
        for (; permutations[i] != ""; ++i)
            permutations[i] += s.substr(n - 1, 1);
        const int m = i - 1;
        const int length = static_cast<int>(permutations[1].size());
        int f = m + 1;
        for (int j = 1; j <= m; ++j) {
            std::string t = permutations[j];
            for (int r = 1; r <= length - 1; ++r) {
                t = rotateLeft(t);
                permutations[f] = t;
                f = f + 1;
            }
        }
    }

    void testPermutation(int index, const std::string& letter1, const std::string& letter2,
                         std::map<std::string, std::string>& listedPlays) {
        std::string p = permutations[index];
        int u1 = -1, u2 = -1, blanksSeen = 0;
        for (int k = 1; k <= static_cast<int>(p.size()); ++k) {
            if (p.substr(k - 1, 1) != "_")
                continue;
            p.replace(k - 1, 1, blanksSeen == 0 ? letter1 : letter2);
            const int offset = k <= 2 ? k - 1 : k <= 4 ? k : k + 1;
            (blanksSeen == 0 ? u1 : u2) = offset;
            ++blanksSeen;
        }
        const std::string w1 = p.substr(0, 2), w2 = p.substr(2, 2), w3 = p.substr(4, 3);
        if (!lexicon_.Exists(w1) || !lexicon_.Exists(w2) || !lexicon_.Exists(w3))
            return;
        const std::string line = w1 + " " + w2 + " " + w3;
        const std::string twin = w2 + " " + w1 + " " + w3;
        if (listedPlays.count(line) || listedPlays.count(twin))
            return;
        listedPlays[line] = line;
        appendFormatted(line + "\r\n", u1, u2);
    }

    void appendFormatted(std::string text, int u1, int u2) {
        for (int u : {u1, u2})
            if (u != -1)
                text[static_cast<std::size_t>(u)] += 'a' - 'A';
        appended.push_back(text);
    }

    const core::Lexicon& lexicon_;
    std::vector<std::string> permutations = std::vector<std::string>(5042);  // 1 to 5041
};

// Seven-tile racks drawn from the 98 letter tiles of a full bag, with a number
// of blanks put in at random slots. Plain modulo on mt19937 keeps the draws
// the same on every standard library.
inline std::vector<std::string> drawRacks(int count, int blanks, std::uint32_t seed) {
    std::mt19937 engine(seed);
    std::vector<std::string> racks;
    for (int r = 0; r < count; ++r) {
        std::string pool =
            "AAAAAAAAABBCCDDDDEEEEEEEEEEEEFFGGGHHIIIIIIIIIJKLLLLMMNNNNNNOOOOOOOOPPQRRRRRRSSSSTTTTTT"
            "UUUUVVWWXYYZ";
        std::string rack;
        for (int k = 0; k < 7 - blanks; ++k) {
            const std::size_t at = engine() % pool.size();
            rack += pool[at];
            pool.erase(at, 1);
        }
        for (int k = 0; k < blanks; ++k)
            rack.insert(engine() % (rack.size() + 1), 1, '_');
        racks.push_back(rack);
    }
    return racks;
}

}  // namespace quillbox::bench
