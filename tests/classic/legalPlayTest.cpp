// The legal-play finder: racks of every kind in
// tests/data/classic/legalPlays.txt against the literal search, character for
// character, and those worked out by hand against what they show.
#include <gtest/gtest.h>

#include <algorithm>
#include <fstream>
#include <set>

#include "classic/legalPlayFinder.h"
#include "core/mainMod.h"

namespace {

using namespace quillbox::classic;
using quillbox::core::mainMod::lexicon;

// The legal-play search written out as plainly as it is slow: every
// arrangement of the rack, every letter for every blank, three look-ups and a
// table of lines listed. The fast finder has to match it character for
// character.
// The arrangements of s in the walk's order: those of all but the last
// character, each with the last appended, then every rotation of each.
std::vector<std::string> arrangements(const std::string& s) {
    if (s.size() == 1)
        return {s};
    std::vector<std::string> out = arrangements(s.substr(0, s.size() - 1));
    for (auto& a : out)
        a += s.back();
    const std::size_t m = out.size();
    for (std::size_t j = 0; j < m; ++j) {
        std::string t = out[j];
        for (std::size_t r = 1; r < s.size(); ++r)
            out.push_back(t = t.substr(1) + t[0]);
    }
    return out;
}

// What the window shows for a rack (one character per tile, "_" a blank):
// "countdown" and its values or "not searched", then each line of the list
// box with a letter a blank stands for in lower case, then six empty lines.
std::string literalSearch(const quillbox::core::Lexicon& words, const std::string& rack) {
    std::string countdown = "not searched", list;
    if (rack.size() == 7) {
        const std::vector<std::string> walk = arrangements(rack);
        const int blanks = static_cast<int>(std::count(rack.begin(), rack.end(), '_'));
        const int step = blanks == 2 ? 100 : 500;
        countdown = "countdown 5000";
        std::set<std::string> listed;
        for (std::size_t i = 0; i < walk.size(); ++i) {
            // The first blank's letter runs slowest: A A, A B, ... Z Z.
            const int choices = blanks == 0 ? 1 : blanks == 1 ? 26 : blanks == 2 ? 676 : 0;
            for (int c = 0; c < choices; ++c) {
                std::string p = walk[i];
                std::vector<std::size_t> under;  // where in the line, words spaced
                for (std::size_t k = 0, seen = 0; k < p.size(); ++k)
                    if (p[k] == '_') {
                        const int letter = seen++ == 0 && blanks == 2 ? c / 26 : c % 26;
                        p[k] = static_cast<char>('A' + letter);
                        under.push_back(k < 2 ? k : k < 4 ? k + 1 : k + 2);
                    }
                const std::string w1 = p.substr(0, 2), w2 = p.substr(2, 2), w3 = p.substr(4);
                std::string line = w1 + " " + w2 + " " + w3;
                if (!words.Exists(w1) || !words.Exists(w2) || !words.Exists(w3) ||
                    listed.count(line) || listed.count(w2 + " " + w1 + " " + w3))
                    continue;
                listed.insert(line);
                for (std::size_t u : under)
                    line[u] += 'a' - 'A';
                list += line + "\n";
            }
            if ((i + 2) % step == 0)
                countdown += " " + std::to_string(5000 - static_cast<int>(i + 2));
        }
        countdown += " 0";
    }
    return countdown + "\n" + list + "\n\n\n\n\n\n";
}

// What the window shows, in the form of literalSearch.
std::string finderSays(LegalPlayFinder& finder, const std::string& rack) {
    std::string countdown = "countdown";
    const LegalPlayList& list =
        finder.find(rack, [&](int v) { countdown += " " + std::to_string(v); });
    const ListContent content = listContent(list, "\n");
    std::string text = content.text;
    for (int u : content.underlined)
        text[static_cast<std::size_t>(u)] += 'a' - 'A';
    return (list.searched ? countdown : "not searched") + "\n" + text;
}

// One finder for all, so that nothing of a search leaks into the next.
TEST(LegalPlayFinder, ListsWhatWasWorkedOutByHandAndWhatTheLiteralSearchListsForRacksOfEveryKind) {
    std::ifstream in(QUILLBOX_TEST_DATA "/classic/legalPlays.txt");
    std::vector<std::pair<std::string, std::string>> racks;  // the rack, what it shows
    for (std::string line; std::getline(in, line);)
        if (line.rfind("rack ", 0) == 0)
            racks.emplace_back(line == "rack \"\"" ? "" : line.substr(5), "");
        else if (!line.empty() && line[0] != '#')
            racks.back().second += line + "\n";
    ASSERT_EQ(racks.size(), 28u);
    LegalPlayFinder finder(lexicon());
    for (const auto& [rack, shows] : racks) {
        ASSERT_EQ(finderSays(finder, rack), literalSearch(lexicon(), rack)) << "rack " << rack;
        if (!shows.empty()) {  // worked out by hand
            EXPECT_EQ(finderSays(finder, rack), shows + "\n\n\n\n\n\n");
        }
    }
}

}  // namespace
