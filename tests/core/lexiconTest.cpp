#include <gtest/gtest.h>

#include <cctype>
#include <fstream>
#include <functional>
#include <regex>
#include <string>
#include <utility>
#include <vector>

#include "core/lexicon.h"
#include "core/mainMod.h"

using quillbox::mainMod::lexicon;

TEST(Lexicon, HoldsTheReferenceWordsInTheirOrderWithTheDefinitionsOfTheDataFile) {
    std::ifstream words(QUILLBOX_WORD_LIST), data(QUILLBOX_LEXICON_TSV);
    ASSERT_TRUE(words && data);
    std::vector<std::string> expected;
    for (std::string w; words >> w;)
        expected.push_back(w);
    EXPECT_EQ(lexicon().Keys(), expected);
    for (std::string line; std::getline(data, line);) {
        const auto tab = line.find('\t');
        EXPECT_EQ(lexicon().Item(line.substr(0, tab)), line.substr(tab + 1));
    }
}

TEST(Lexicon, FindsOnlyExactUpperCaseWords) {
    for (const char* w : {"AA", "YO", "AAH", "ZOO", "AWL"})
        EXPECT_TRUE(lexicon().Exists(w)) << w;
    for (const char* w : {"aa", "Aa", "A", "ZOOS", "", "QI"})
        EXPECT_FALSE(lexicon().Exists(w)) << w;
}

TEST(Lexicon, FillsTwoThenThreeLetterWordsAndRefusesADuplicate) {
    quillbox::Lexicon l;
    quillbox::mainMod::loadTwoLetterWords(l);
    EXPECT_EQ(l.Keys().back(), "YO");
    quillbox::mainMod::loadThreeLetterWords(l);
    EXPECT_EQ(l.Keys(), lexicon().Keys());
    EXPECT_THROW(l.Add("AA", "again"), quillbox::DuplicateWordError);
    EXPECT_EQ(l.Item("AA"), lexicon().Item("AA"));
    EXPECT_EQ(l.Count(), lexicon().Count());
}

TEST(LexiconDefinitions, KeepTheHouseRulesAndOnlyAwlIsEmpty) {
    const auto cites = [](const std::string& d, const std::regex& r, auto&& ok) {
        for (std::sregex_iterator i(d.begin(), d.end(), r), end; i != end; ++i)
            if (!ok((*i)[1].str()))
                return false;
        return true;
    };
    const std::vector<std::pair<const char*, std::function<bool(const std::string&)>>> rules = {
        {"at most 71 characters", [](const auto& d) { return d.size() <= 71; }},
        {"no full stop at the end", [](const auto& d) { return d.back() != '.'; }},
        {"begins in lower case or with a digit",
         [](const auto& d) { return !std::isupper(static_cast<unsigned char>(d[0])); }},
        {"only letters, digits, blanks and ' ( ) , - . ;",
         [](const auto& d) { return std::regex_match(d, std::regex("[A-Za-z0-9 '(),.;-]+")); }},
        {"single blanks inside, and alternatives after \"; \"",
         [](const auto& d) { return !std::regex_search(d, std::regex("  |^ | $| ;|;(?! )")); }},
        {"capitals are lexicon words",
         [&](const auto& d) {
             return cites(d, std::regex("\\b([A-Z]{2,})\\b"),
                          [](const std::string& w) { return lexicon().Exists(w); });
         }},
        {"a cited lexicon word is in capitals",
         [&](const auto& d) {
             return cites(d, std::regex("(?:plural|tense|variant|form) of ([a-z]+)\\b"),
                          [](std::string w) {
                              for (char& c : w)
                                  c = static_cast<char>(std::toupper(c));
                              return !lexicon().Exists(w);
                          });
         }},
    };
    std::vector<std::string> empty;
    for (const auto& w : lexicon().Keys()) {
        const std::string& d = lexicon().Item(w);
        if (d.empty()) {
            empty.push_back(w);
            continue;
        }
        for (const auto& [rule, holds] : rules)
            EXPECT_TRUE(holds(d)) << w << " " << rule << ": " << d;
    }
    EXPECT_EQ(empty, std::vector<std::string>{"AWL"});
}
