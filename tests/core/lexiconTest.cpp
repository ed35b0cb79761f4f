#include <gtest/gtest.h>

#include <fstream>
#include <regex>
#include <string>
#include <utility>
#include <vector>

#include "core/lexicon.h"
#include "core/mainMod.h"

using quillbox::core::mainMod::lexicon;

TEST(Lexicon, HoldsTheReferenceWordsInOrderWithTheDefinitionsOfTheDataFile) {
    std::ifstream words(QUILLBOX_WORD_LIST), data(QUILLBOX_LEXICON_TSV);
    ASSERT_TRUE(words && data);
    std::vector<std::string> expected;
    for (std::string w; words >> w;)
        expected.push_back(w);
    EXPECT_EQ(lexicon().Keys(), expected);
    for (std::string line; std::getline(data, line);)
        EXPECT_EQ(lexicon().Item(line.substr(0, line.find('\t'))),
                  line.substr(line.find('\t') + 1));
}

TEST(Lexicon, FindsOnlyExactUpperCaseWords) {
    EXPECT_TRUE(lexicon().Exists("ZOO"));
    for (const char* w : {"zoo", "Zoo", "Z", "ZOOS", "", "QI"})
        EXPECT_FALSE(lexicon().Exists(w)) << w;
}

TEST(Lexicon, FillsTwoThenThreeLetterWordsAndRefusesADuplicate) {
    quillbox::core::Lexicon l;
    quillbox::core::mainMod::loadTwoLetterWords(l);
    EXPECT_EQ(l.Count(), 96u);
    quillbox::core::mainMod::loadThreeLetterWords(l);
    EXPECT_EQ(l.Keys(), lexicon().Keys());
    EXPECT_THROW(l.Add("AA", "again"), quillbox::core::DuplicateWordError);
    EXPECT_EQ(l.Item("AA"), lexicon().Item("AA"));
}

TEST(LexiconDefinitions, KeepTheHouseRulesAndOnlyAwlIsEmpty) {
    const std::pair<const char*, std::regex> faults[] = {
        {"more than 71 characters", std::regex(".{72}")},
        {"a full stop at the end", std::regex("\\.$")},
        {"a capital first", std::regex("^[A-Z]")},
        {"a character other than letters, digits, blanks and '(),-.;",
         std::regex("[^A-Za-z0-9 '(),.;-]")},
        {"blanks doubled or at an end, or alternatives not set apart by \"; \"",
         std::regex("  |^ | $| ;|;(?! )")},
        // A cited word short enough to be in the lexicon: "a past tense of eat".
        {"a citation in lower case", std::regex("(plural|tense|variant|form) of [a-z]{2,3}\\b")},
    };
    const std::regex capitals("\\b[A-Z]{2,}\\b");
    for (const auto& w : lexicon().Keys()) {
        const std::string& d = lexicon().Item(w);
        EXPECT_EQ(d.empty(), w == "AWL") << w;
        for (const auto& [fault, pattern] : faults)
            EXPECT_FALSE(std::regex_search(d, pattern)) << w << " has " << fault << ": " << d;
        for (std::sregex_iterator i(d.begin(), d.end(), capitals), end; i != end; ++i)
            EXPECT_TRUE(lexicon().Exists(i->str())) << w << " cites " << i->str();
    }
}
