#include "classic/legalPlayOracle.h"

#include <algorithm>

namespace quillbox::testing {
using namespace quillbox::core;

LegalPlayOracle::LegalPlayOracle(const Lexicon& lexicon) : permutations(5042), lexicon_(lexicon) {}

void LegalPlayOracle::clearPermutations() {
    for (int i = 1; i <= 5041; ++i)
        permutations[i] = "";
}

std::string LegalPlayOracle::rotateLeft(const std::string& s) {
    return s.substr(1) + s.substr(0, 1);
}

void LegalPlayOracle::permute(const std::string& s) {
    const int n = static_cast<int>(s.size());
    if (n == 1) {
        permutations[1] = s;
        return;
    }
    permute(s.substr(0, n - 1));
    int i = 1;
    while (permutations[i] != "") {
        permutations[i] += s.substr(n - 1, 1);
        ++i;
    }
    const int m = i - 1;
    const int length = static_cast<int>(permutations[1].size());
    int f = m + 1;
    for (int j = 1; j <= m; ++j) {
        std::string t = permutations[j];
        for (int r = 1; r <= length - 1; ++r) {
            t = rotateLeft(t);
            permutations[f] = t;
            ++f;
        }
    }
}

void LegalPlayOracle::testPermutation(int index, const std::string& letter1,
                                      const std::string& letter2,
                                      std::map<std::string, std::string>& listedPlays) {
    std::string p = permutations[index];
    int u1 = -1;
    int u2 = -1;
    int blanksSeen = 0;
    for (int k = 1; k <= static_cast<int>(p.size()); ++k) {
        if (p.substr(k - 1, 1) != "_")
            continue;
        p.replace(k - 1, 1, blanksSeen == 0 ? letter1 : letter2);
        int offset;
        if (k <= 2)
            offset = k - 1;
        else if (k <= 4)
            offset = k;
        else
            offset = k + 1;
        if (blanksSeen == 0)
            u1 = offset;
        else
            u2 = offset;
        ++blanksSeen;
    }
    const std::string w1 = p.substr(0, 2);
    const std::string w2 = p.substr(2, 2);
    const std::string w3 = p.substr(4, 3);
    if (!lexicon_.Exists(w1) || !lexicon_.Exists(w2) || !lexicon_.Exists(w3))
        return;
    const std::string line = w1 + " " + w2 + " " + w3;
    const std::string twin = w2 + " " + w1 + " " + w3;
    if (listedPlays.count(line) || listedPlays.count(twin))
        return;
    listedPlays[line] = line;
    appendFormatted(line + "\r\n", true, u1, u2);
}

void LegalPlayOracle::findLegalPlays(const std::string& rack) {
    appended.clear();
    countdownCaptions.clear();

    clearPermutations();
    int tileCount = 0;
    int blankCount = 0;
    std::string rackString;
    for (char c : rack) {
        ++tileCount;
        if (c == '_')
            ++blankCount;
        rackString += c;
    }
    if (tileCount == 7) {
        permute(rackString);
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
            ++i;
            if (i % step == 0)
                countdownCaptions.push_back(std::to_string(5000 - i));
        }
        countdownCaptions.push_back("0");
    }
    for (int k = 0; k < 6; ++k)
        appendFormatted("\r\n", false, -1, -1);
}

void LegalPlayOracle::appendFormatted(const std::string& text, bool black, int u1, int u2) {
    appended.push_back({text, black, u1, u2});
}

std::string LegalPlayOracle::listText() const {
    std::string text;
    for (const auto& a : appended)
        text += a.text;
    return text;
}

std::vector<int> LegalPlayOracle::underlinedPositions() const {
    std::vector<int> positions;
    int base = 0;
    for (const auto& a : appended) {
        for (int u : {a.underline1, a.underline2})
            if (u != -1)
                positions.push_back(base + u);
        base += static_cast<int>(a.text.size());
    }
    std::sort(positions.begin(), positions.end());
    return positions;
}

}  // namespace quillbox::testing
