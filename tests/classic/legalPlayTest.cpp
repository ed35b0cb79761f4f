// The legal-play finder: the racks worked out by hand in
// tests/data/classic/legalPlays.txt, and racks of every kind against the
// literal search of legalPlayOracle.h, character for character.
#include <gtest/gtest.h>

#include <fstream>
#include <string>
#include <vector>

#include "classic/legalPlayFinder.h"
#include "classic/legalPlayOracle.h"
#include "core/mainMod.h"

namespace {

using namespace quillbox::classic;
using quillbox::core::mainMod::lexicon;
using quillbox::testing::drawRacks;
using quillbox::testing::LegalPlayOracle;

// What a search shows: the countdown's values (or "not searched"), then the
// list box's text, "\n" for each line break and the underlined letters in
// lower case.
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

std::string oracleSays(LegalPlayOracle& oracle, const std::string& rack) {
    oracle.findLegalPlays(rack);
    std::string out = oracle.countdownCaptions.empty() ? "not searched" : "countdown";
    for (const auto& value : oracle.countdownCaptions)
        out += " " + value;
    out += "\n";
    for (std::string text : oracle.appended)
        out += text.replace(text.size() - 2, 2, "\n");
    return out;
}

// One finder for a whole batch, so that nothing of a search may leak into the
// next.
void expectSameAsTheLiteralSearch(const std::vector<std::string>& racks) {
    LegalPlayFinder finder(lexicon());
    LegalPlayOracle oracle(lexicon());
    for (const auto& rack : racks)
        ASSERT_EQ(finderSays(finder, rack), oracleSays(oracle, rack)) << "rack " << rack;
}

TEST(LegalPlayFinder, ListsWhatWasWorkedOutByHand) {
    std::ifstream in(QUILLBOX_TEST_DATA "/classic/legalPlays.txt");
    std::vector<std::pair<std::string, std::string>> racks;  // the rack, what it shows
    for (std::string line; std::getline(in, line);) {
        if (line.rfind("rack ", 0) == 0)
            racks.emplace_back(line.substr(5), "");
        else if (!line.empty() && line[0] != '#')
            racks.back().second += line + "\n";
    }
    ASSERT_EQ(racks.size(), 5u);
    LegalPlayFinder finder(lexicon());
    LegalPlayOracle oracle(lexicon());  // the literal search is held to it too
    for (const auto& [rack, shows] : racks) {
        EXPECT_EQ(finderSays(finder, rack), shows + "\n\n\n\n\n\n");  // then six line breaks
        EXPECT_EQ(oracleSays(oracle, rack), shows + "\n\n\n\n\n\n");
    }
}

TEST(LegalPlayFinder, SearchesOnlyTheTwoAndThreeLetterWordsOfItsLexicon) {
    quillbox::core::Lexicon words;
    for (const char* w : {"AB", "CD", "EFG", "ABCD", "ab", "C"})
        words.Add(w, "");
    LegalPlayFinder finder(words);
    EXPECT_EQ(finder.find("GFEDCBA").plays, (std::vector<LegalPlay>{{"CD AB EFG", -1, -1}}));
    EXPECT_TRUE(finder.find("abcdefg").plays.empty());
}

TEST(LegalPlayFinder, MatchesTheLiteralSearchOnOddRacks) {
    // Other sizes, more than two blanks, other characters, no solution,
    // repeated letters, and one of the longest lists (about 24,000 lines).
    expectSameAsTheLiteralSearch({"QIXENA", "", "QIXENATS", "___AHOT", "qixenat", "QIX$NAT",
                                  "ABCDEFG", "AAAAHHH", "EEEEEEE", "AAAAHH_", "AEHMO__"});
}

TEST(LegalPlayFinder, MatchesTheLiteralSearchOnRacksWithoutBlanks) {
    expectSameAsTheLiteralSearch(drawRacks(100, 0, 20240601));
}

TEST(LegalPlayFinder, MatchesTheLiteralSearchOnRacksWithOneBlank) {
    expectSameAsTheLiteralSearch(drawRacks(40, 1, 20240602));
}

TEST(LegalPlayFinder, MatchesTheLiteralSearchOnRacksWithTwoBlanks) {
    expectSameAsTheLiteralSearch(drawRacks(3, 2, 20240603));
}

}  // namespace
