// The legal-play finder: racks worked out by hand in
// tests/data/classic/legalPlays.txt, and racks of every kind against the
// literal search of legalPlayOracle.h, character for character.
#include <gtest/gtest.h>

#include <fstream>

#include "classic/legalPlayFinder.h"
#include "classic/legalPlayOracle.h"
#include "core/mainMod.h"

namespace {

using namespace quillbox::classic;
using namespace quillbox::testing;
using quillbox::core::mainMod::lexicon;

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

TEST(LegalPlayFinder, ListsWhatWasWorkedOutByHand) {
    std::ifstream in(QUILLBOX_TEST_DATA "/classic/legalPlays.txt");
    std::vector<std::pair<std::string, std::string>> racks;  // the rack, what it shows
    for (std::string line; std::getline(in, line);)
        if (line.rfind("rack ", 0) == 0)
            racks.emplace_back(line.substr(5), "");
        else if (!line.empty() && line[0] != '#')
            racks.back().second += line + "\n";
    ASSERT_EQ(racks.size(), 4u);
    LegalPlayFinder finder(lexicon());
    for (const auto& [rack, shows] : racks) {
        EXPECT_EQ(finderSays(finder, rack), shows + "\n\n\n\n\n\n");
        EXPECT_EQ(literalSearch(lexicon(), rack), shows + "\n\n\n\n\n\n");  // the oracle too
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

TEST(LegalPlayFinder, MatchesTheLiteralSearchOnRacksOfEveryKind) {
    // Other sizes, other characters, three blanks, repeated letters, then
    // racks drawn from a bag with no blank, one and two (one of the longest
    // lists, about 24,000 lines). One finder for all, so that nothing of a
    // search leaks into the next.
    LegalPlayFinder finder(lexicon());
    for (const std::string rack :
         {"QIXENA",  "",        "QIXENATS", "qixenat", "QIX$NAT", "___AHOT", "AAAAHHH", "EEEEEEE",
          "OTUPEAN", "NUTANGO", "INIESTH",  "AHAQPTS", "XIJEEET", "GTEMHAD", "IAOZTOA", "EWILBNQ",
          "AAAAHH_", "_DEAOIL", "OEBNAA_",  "IZOYI_I", "TEMAG_X", "OIQ_RFS", "_AGSTH_", "AEHMO__"})
        ASSERT_EQ(finderSays(finder, rack), literalSearch(lexicon(), rack)) << "rack " << rack;
}

}  // namespace
