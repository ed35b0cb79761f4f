#include <gtest/gtest.h>

#include <array>
#include <fstream>
#include <regex>
#include <set>
#include <string>

#include "core/lexicon.h"
#include "core/mainMod.h"

using quillbox::DuplicateWordError;
using quillbox::Lexicon;
using quillbox::mainMod::lexicon;

namespace {

std::array<int, 26> countByFirstLetter(std::size_t length) {
    std::array<int, 26> counts{};
    for (const auto& w : lexicon().Keys())
        if (w.size() == length)
            ++counts[w[0] - 'A'];
    return counts;
}

}  // namespace

TEST(Lexicon, HoldsEveryWordOfTheListInItsOrder) {
    std::ifstream in(QUILLBOX_WORD_LIST);
    ASSERT_TRUE(in) << QUILLBOX_WORD_LIST;
    std::vector<std::string> expected;
    for (std::string w; std::getline(in, w);)
        if (!w.empty())
            expected.push_back(w);
    EXPECT_EQ(lexicon().Keys(), expected);
    EXPECT_EQ(lexicon().Count(), 1059u);
}

TEST(Lexicon, KeysFollowInsertionOrderWithThePublishedCountsByFirstLetter) {
    const auto& keys = lexicon().Keys();
    EXPECT_EQ(keys[0], "AA");
    EXPECT_EQ(keys[95], "YO");
    EXPECT_EQ(keys[96], "AAH");
    EXPECT_EQ(keys[1058], "ZOO");
    // Keys() hands out the same list every time rather than a fresh copy.
    EXPECT_EQ(&lexicon().Keys(), &keys);
    const std::array<int, 26> two = {16, 5,  0, 2, 10, 1, 1, 5, 5, 1, 1, 3, 7,
                                     4,  12, 3, 0, 1,  3, 3, 6, 0, 2, 2, 3, 0};
    const std::array<int, 26> three = {70, 52, 37, 47, 39, 48, 43, 49, 19, 22, 27, 43, 47,
                                       34, 45, 61, 2,  48, 62, 57, 15, 21, 36, 1,  26, 12};
    EXPECT_EQ(countByFirstLetter(2), two);
    EXPECT_EQ(countByFirstLetter(3), three);
}

TEST(Lexicon, LookupsAreExactAndCaseSensitive) {
    EXPECT_TRUE(lexicon().Exists("AA"));
    for (const char* w : {"aa", "Aa", "A", "ZOOS", ""})
        EXPECT_FALSE(lexicon().Exists(w)) << w;
    EXPECT_EQ(lexicon().Item("TEN"), "10");
    EXPECT_TRUE(lexicon().Exists("AWL"));
    EXPECT_EQ(lexicon().Item("AWL"), "");
}

TEST(Lexicon, DefinitionsFollowTheHouseConventionsAndCiteOnlyLexiconWords) {
    const std::regex allowed("[A-Za-z0-9 '(),\\-.;]*");
    // A word written in capitals inside a definition cites the lexicon.
    const std::regex capitals("\\b[A-Z]{2,}\\b");
    int empty = 0;
    std::set<std::string> distinct;
    for (const auto& w : lexicon().Keys()) {
        const std::string& d = lexicon().Item(w);
        distinct.insert(d);
        if (d.empty()) {
            ++empty;
            EXPECT_EQ(w, "AWL");
            continue;
        }
        EXPECT_LE(d.size(), 71u) << w;
        EXPECT_TRUE(std::regex_match(d, allowed)) << w << ": " << d;
        EXPECT_NE(d.front(), ' ') << w;
        EXPECT_NE(d.back(), ' ') << w;
        EXPECT_NE(d.back(), '.') << w;
        EXPECT_EQ(d.find("  "), std::string::npos) << w;
        for (auto it = std::sregex_iterator(d.begin(), d.end(), capitals);
             it != std::sregex_iterator(); ++it)
            EXPECT_TRUE(lexicon().Exists(it->str())) << w << " cites " << it->str();
    }
    EXPECT_EQ(empty, 1);
    // Words with one meaning share one text, so there are fewer texts than words.
    EXPECT_LT(distinct.size(), lexicon().Count());
}

TEST(Lexicon, FillProceduresAddTwoThenThreeLetterWordsAndRefuseDuplicates) {
    Lexicon l;
    quillbox::mainMod::loadTwoLetterWords(l);
    EXPECT_EQ(l.Count(), 96u);
    quillbox::mainMod::loadThreeLetterWords(l);
    EXPECT_EQ(l.Count(), 1059u);
    EXPECT_EQ(l.Keys()[96], "AAH");
    EXPECT_THROW(quillbox::mainMod::loadTwoLetterWords(l), DuplicateWordError);
    EXPECT_THROW(l.Add("AA", "again"), DuplicateWordError);
    EXPECT_EQ(l.Count(), 1059u);
    EXPECT_EQ(l.Item("AA"), "type of lava");
}
