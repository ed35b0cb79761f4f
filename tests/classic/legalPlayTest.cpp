#include <gtest/gtest.h>

#include <algorithm>
#include <set>
#include <string>
#include <vector>

#include "classic/legalPlayFinder.h"
#include "classic/legalPlayOracle.h"
#include "classic/legalPlayRacks.h"
#include "core/mainMod.h"

using quillbox::classic::LegalPlay;
using quillbox::classic::LegalPlayFinder;
using quillbox::classic::LegalPlayList;
using quillbox::core::Lexicon;
using quillbox::core::mainMod::lexicon;
using quillbox::testing::drawRacks;
using quillbox::testing::LegalPlayOracle;

namespace {

struct Search {
    LegalPlayList list;
    std::vector<int> countdown;
};

Search search(LegalPlayFinder& finder, const std::string& rack) {
    Search s;
    s.list = finder.find(rack, [&](int value) { s.countdown.push_back(value); });
    return s;
}

std::vector<std::string> linesOf(const LegalPlayList& list) {
    std::vector<std::string> lines;
    for (const auto& p : list.plays)
        lines.push_back(p.line);
    return lines;
}

const std::vector<int> kCountdownBy500 = {5000, 4500, 4000, 3500, 3000, 2500,
                                          2000, 1500, 1000, 500,  0,    0};

// Compares one search of the finder with the literal search: every line, its
// underlines, the trailing line breaks and each countdown value, in order.
void expectSameAsOracle(LegalPlayFinder& finder, LegalPlayOracle& oracle, const std::string& rack) {
    SCOPED_TRACE("rack " + rack);
    oracle.findLegalPlays(rack);
    std::vector<int> countdown;
    const LegalPlayList& list = finder.find(rack, [&](int v) { countdown.push_back(v); });

    ASSERT_GE(oracle.appended.size(), 6u);
    const std::size_t listed = oracle.appended.size() - 6;
    ASSERT_EQ(list.plays.size(), listed);
    for (std::size_t i = 0; i < listed; ++i) {
        const auto& want = oracle.appended[i];
        const LegalPlay& got = list.plays[i];
        ASSERT_TRUE(got.line + "\r\n" == want.text && got.underline1 == want.underline1 &&
                    got.underline2 == want.underline2 && want.black)
            << "line " << i << ": got \"" << got.line << "\" (" << got.underline1 << ", "
            << got.underline2 << "), literal search gave \"" << want.text.substr(0, 9) << "\" ("
            << want.underline1 << ", " << want.underline2 << ")";
    }
    std::vector<std::string> captions;
    for (int v : countdown)
        captions.push_back(std::to_string(v));
    EXPECT_EQ(captions, oracle.countdownCaptions);
    EXPECT_EQ(list.searched, !oracle.countdownCaptions.empty());

    const quillbox::classic::ListContent content = quillbox::classic::listContent(list);
    EXPECT_EQ(content.text, oracle.listText());
    EXPECT_EQ(content.underlined, oracle.underlinedPositions());
}

// One finder for a whole batch, so that nothing of a search may leak into the
// next.
void compareBatch(const std::vector<std::string>& racks) {
    LegalPlayFinder finder(lexicon());
    LegalPlayOracle oracle(lexicon());
    for (const auto& rack : racks) {
        expectSameAsOracle(finder, oracle, rack);
        if (::testing::Test::HasFatalFailure())
            return;
    }
}

}  // namespace

// ---- the racks worked through by hand ----

// Anchors the literal search as well: worked out on paper, not by either method.
TEST(LegalPlayFinder, HandWorkedRacksListTheirPlaysWithBlanksUnderlined) {
    LegalPlayFinder finder(lexicon());
    const Search s = search(finder, "QIXENAT");
    EXPECT_TRUE(s.list.searched);
    // IN EX QAT and EX IN QAT are one play: only the first met is listed.
    EXPECT_EQ(s.list.plays,
              (std::vector<LegalPlay>{
                  {"XI EN QAT", -1, -1}, {"IN EX QAT", -1, -1}, {"XI NE QAT", -1, -1}}));
    EXPECT_EQ(s.countdown, kCountdownBy500);

    const Search blank = search(finder, "QIXEN_T");
    EXPECT_EQ(
        blank.list.plays,
        (std::vector<LegalPlay>{{"XI EN QAT", 7, -1}, {"IN EX QAT", 7, -1}, {"XI NE QAT", 7, -1}}));
    EXPECT_EQ(quillbox::classic::listContent(blank.list).underlined, (std::vector<int>{7, 18, 29}));

    const Search none = search(finder, "ABCDEFG");
    EXPECT_TRUE(none.list.searched);
    EXPECT_EQ(none.countdown, kCountdownBy500);
    EXPECT_EQ(quillbox::classic::listContent(none.list).text, "\r\n\r\n\r\n\r\n\r\n\r\n");
}

// Each listed line uses exactly the rack's tiles, blanks as the underlined
// letters, is made of words, and is listed once, without its twin.
TEST(LegalPlayFinder, EveryLineIsADistinctPlayOfTheRack) {
    LegalPlayFinder finder(lexicon());
    std::vector<std::string> racks = drawRacks(40, 1, 77);
    for (const auto& r : drawRacks(3, 2, 78))
        racks.push_back(r);
    for (const char* r : {"AAAAHHH", "AAAAHH_", "OOOOHH_", "EEEENNN"})
        racks.push_back(r);
    std::size_t total = 0;
    for (const auto& rack : racks) {
        SCOPED_TRACE("rack " + rack);
        std::string tiles = rack;
        std::sort(tiles.begin(), tiles.end());
        std::set<std::string> seen;
        for (const LegalPlay& play : finder.find(rack).plays) {
            ++total;
            const std::string& line = play.line;
            ASSERT_EQ(line.size(), 9u);
            EXPECT_EQ(line[2], ' ');
            EXPECT_EQ(line[5], ' ');
            EXPECT_TRUE(lexicon().Exists(line.substr(0, 2)));
            EXPECT_TRUE(lexicon().Exists(line.substr(3, 2)));
            EXPECT_TRUE(lexicon().Exists(line.substr(6, 3)));
            std::string used = line;
            for (int u : {play.underline1, play.underline2}) {
                if (u == -1)
                    continue;
                ASSERT_TRUE(u >= 0 && u < 9 && used[u] != ' ');
                used[u] = '_';
            }
            std::erase(used, ' ');
            std::sort(used.begin(), used.end());
            EXPECT_EQ(used, tiles) << line;
            if (play.underline2 != -1) {
                EXPECT_LT(play.underline1, play.underline2);
            }
            EXPECT_TRUE(seen.insert(line).second) << line << " listed twice";
            const std::string twin = line.substr(3, 2) + " " + line.substr(0, 2) + line.substr(5);
            if (twin != line) {
                EXPECT_EQ(seen.count(twin), 0u) << line << " listed with its twin";
            }
        }
    }
    EXPECT_GT(total, 100u) << "the sample should list plays";
}

TEST(LegalPlayFinder, SearchesAnyLexicon) {
    Lexicon words;
    for (const char* w : {"AB", "CD", "EFG", "ABCD", "ab"})  // ABCD: never listed
        words.Add(w, "");
    LegalPlayFinder finder(words);
    std::vector<int> countdown;
    const LegalPlayList list = finder.find("GFEDCBA", [&](int v) { countdown.push_back(v); });
    EXPECT_EQ(linesOf(list), (std::vector<std::string>{"CD AB EFG"}));
    EXPECT_EQ(countdown, kCountdownBy500);
    const LegalPlayList blank = finder.find("ABCDEF_");
    EXPECT_EQ(blank.plays, (std::vector<LegalPlay>{{"AB CD EFG", 8, -1}}));
    EXPECT_TRUE(finder.find("abcdefg").plays.empty());
}

// ---- the fast finder against the literal search ----

TEST(LegalPlayOracleComparison, HandPickedRacks) {
    // Racks of other sizes are not searched and must not show the list of the
    // search before them.
    compareBatch({"QIXENAT", "QIXEN_T", "ABCDEFG", "QIXENA", "", "Q", "QIXENATS", "__QIXENA",
                  "QI_EN_T", "AAAAHHH", "AAAAHH_", "OOHHMM_", "EEEEEEE", "qixenat", "QIX$NAT",
                  "___AHOT", "_A_HOTE", "__HOTEA",
                  // among the racks that list the most plays (about 24,000)
                  "AEHMO__"});
}

TEST(LegalPlayOracleComparison, RacksWithoutBlanks) {
    compareBatch(drawRacks(300, 0, 20240601));
}

TEST(LegalPlayOracleComparison, RacksWithOneBlank) {
    compareBatch(drawRacks(150, 1, 20240602));
}

TEST(LegalPlayOracleComparison, RacksWithTwoBlanks) {
    compareBatch(drawRacks(12, 2, 20240603));
}

// The literal search itself must hold the arrangement order the finder copies.
TEST(LegalPlayOracle, PermuteKeepsItsFixedOrder) {
    Lexicon none;
    LegalPlayOracle oracle(none);
    oracle.clearPermutations();
    oracle.permute("ABC");
    EXPECT_EQ(
        std::vector<std::string>(oracle.permutations.begin(), oracle.permutations.begin() + 8),
        (std::vector<std::string>{"", "ABC", "BAC", "BCA", "CAB", "ACB", "CBA", ""}));
    oracle.clearPermutations();
    oracle.permute("ABCDEFG");
    EXPECT_EQ(oracle.permutations[5040].size(), 7u);
    EXPECT_EQ(oracle.permutations[5041], "");
    std::set<std::string> distinct(oracle.permutations.begin() + 1,
                                   oracle.permutations.begin() + 5041);
    EXPECT_EQ(distinct.size(), 5040u);
}
