// The lexicon against the reference word list and the data file, and the
// launch pad's definition line and the signed score text as pure functions.
#include <gtest/gtest.h>

#include <fstream>

#include "core/lookup.h"
#include "core/mainMod.h"
#include "core/numberText.h"

using namespace quillbox::core;
using mainMod::lexicon;

TEST(Lexicon, HoldsTheReferenceWordsTwoLettersFirstWithTheDefinitionsOfTheDataFile) {
    std::ifstream list(QUILLBOX_WORD_LIST), data(QUILLBOX_LEXICON_TSV);
    ASSERT_TRUE(list && data);
    std::vector<std::string> expected;
    for (std::string w; list >> w;)
        expected.push_back(w);
    EXPECT_EQ(lexicon().Keys(), expected);
    for (std::string line; std::getline(data, line);)
        EXPECT_EQ(lexicon().Item(line.substr(0, line.find('\t'))),
                  line.substr(line.find('\t') + 1));
}

TEST(Lexicon, FindsOnlyExactUpperCaseWordsAndRefusesADuplicate) {
    for (const char* w : {"zoo", "Zoo", "Z", "ZOOS", "", "QI", "ZOO"})
        EXPECT_EQ(lexicon().Exists(w), w == std::string("ZOO")) << w;
    Lexicon l;
    l.Add("AA", "lava");
    EXPECT_THROW(l.Add("AA", "again"), DuplicateWordError);
    EXPECT_EQ(l.Item("AA") + std::to_string(l.Count()), "lava1");
}

// Upper-cased before the lookup, not trimmed; AWL is the one word without a
// definition.
TEST(LookupDefinition, ShowsNothingBeforeTwoLettersThenTheDefinitionOrTheNonWordMarker) {
    std::vector<std::string> shown;
    for (const char* typed : {"", "q", "aB", "zax", "awl", "QQ", "a a"})
        shown.push_back(lookupDefinition(lexicon(), typed));
    const std::string no = "--- NOT A WORD! ---";
    EXPECT_EQ(shown, (std::vector<std::string>{"", "", lexicon().Item("AB"), lexicon().Item("ZAX"),
                                               "", no, no}));
    EXPECT_EQ(toUpperAscii("az`{@[AZ"), "AZ`{@[AZ");
}

TEST(SignedNumberText, WritesABlankBeforeZeroOrMoreAndAMinusBeforeLess) {
    for (const auto& [value, text] : {std::pair{7L, " 7"}, {0L, " 0"}, {-1L, "-1"}})
        EXPECT_EQ(signedNumberText(value), text) << value;
}
