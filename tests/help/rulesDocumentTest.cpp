// The shipped rules document: its headings are the viewer's contents, and each
// word list holds exactly the lexicon's words that its rule selects.
#include <gtest/gtest.h>

#include <algorithm>
#include <fstream>
#include <iterator>
#include <regex>
#include <set>
#include <string>
#include <vector>

#include "core/mainMod.h"
#include "help/frmRules.h"
#include "ui/rtf/rtfDocument.h"

using quillbox::mainMod::lexicon;
using Words = std::set<std::string>;

namespace {

struct Paragraph {
    std::string text;  // line breaks left out
    bool bold = false;
};

const std::vector<Paragraph>& paragraphs() {
    static const std::vector<Paragraph> all = [] {
        std::ifstream in(QUILLBOX_RULES_RTF, std::ios::binary);
        const std::string bytes{std::istreambuf_iterator<char>(in), {}};
        std::vector<Paragraph> out;
        for (const auto& p : quillbox::rtf::readRtf(bytes).paragraphs) {
            Paragraph& q = out.emplace_back();
            for (const auto& run : p.runs)
                for (const char16_t c : run.text)
                    if (c != quillbox::rtf::kLineBreak) {
                        q.text += static_cast<char>(c);
                        q.bold |= run.format.bold && c != u' ';
                    }
        }
        return out;
    }();
    return all;
}

std::vector<std::string> headings() {
    std::vector<std::string> out;
    for (const auto& entry : quillbox::frmRules::contentsEntries())
        out.push_back(entry.trimmed().toStdString());
    return out;
}

// The first paragraph that mentions the text, or the number of paragraphs.
std::size_t firstMention(const std::string& text) {
    const auto& ps = paragraphs();
    return static_cast<std::size_t>(
        std::find_if(ps.begin(), ps.end(),
                     [&](const Paragraph& p) { return p.text.find(text) != std::string::npos; }) -
        ps.begin());
}

// The lists of a sub-topic: paragraphs of words, each word with an optional
// note ("XU (Vietnam), ATT (Laos)").
std::vector<Words> shownLists(const std::string& heading) {
    static const std::regex list("[A-Z]{2,3}( \\([^)]+\\))?(, [A-Z]{2,3}( \\([^)]+\\))?)*");
    static const std::regex word("(^|, )([A-Z]{2,3})");
    const auto all = headings();
    const auto next = std::find(all.begin(), all.end(), heading) + 1;
    const std::size_t end = next == all.end() ? paragraphs().size() : firstMention(*next);
    std::vector<Words> out;
    for (std::size_t p = firstMention(heading) + 1; p < end; ++p) {
        const std::string& t = paragraphs()[p].text;
        if (!std::regex_match(t, list))
            continue;
        Words& words = out.emplace_back();
        for (std::sregex_iterator m(t.begin(), t.end(), word), none; m != none; ++m)
            words.insert((*m)[2]);
    }
    return out;
}

// A list's rule: its words are those whose letters or definition match the
// pattern; the plurals and present tenses of a definition list's words form
// a list of their own after it.
struct Rule {
    bool ofLetters;
    const char* pattern;
};

std::vector<Words> selected(const std::vector<Rule>& rules) {
    static const std::regex formOf("(?:plural|present tense) of ([A-Z]{2,3})\\b");
    std::vector<Words> lists;
    for (const auto& [ofLetters, pattern] : rules) {
        const std::regex rule(pattern);
        Words words, forms;
        for (const auto& w : lexicon().Keys())
            if (std::regex_search(ofLetters ? w : lexicon().Item(w), rule))
                words.insert(w);
        for (const auto& w : ofLetters ? std::vector<std::string>{} : lexicon().Keys())
            for (std::sregex_iterator i(lexicon().Item(w).begin(), lexicon().Item(w).end(), formOf),
                 end;
                 i != end; ++i)
                if (words.count((*i)[1]))
                    forms.insert(w);
        for (const auto& f : forms)
            words.erase(f);
        lists.push_back(words);
        if (!forms.empty())
            lists.push_back(forms);
    }
    return lists;
}

TEST(RulesDocument, MeetsEveryContentsEntryFirstAsItsHeadingInOrderEachSectionEndingInAnEmptyLine) {
    const auto all = headings();
    const auto& ps = paragraphs();
    for (std::size_t i = 0, previous = 0; i < all.size(); ++i) {
        const std::size_t at = firstMention(all[i]);
        ASSERT_LT(at, ps.size()) << all[i];
        EXPECT_GT(at, previous) << all[i];
        EXPECT_EQ(ps[at].text, all[i]);
        // The viewer scrolls to the first empty line after a heading, then back to it.
        const auto next = i + 1 < all.size() ? firstMention(all[i + 1]) : ps.size();
        const auto empty = std::find_if(ps.begin() + at + 1, ps.end(),
                                        [](const Paragraph& p) { return p.text.empty(); });
        const auto emptyAt = static_cast<std::size_t>(empty - ps.begin());
        EXPECT_LT(emptyAt, next) << all[i];
        EXPECT_GT(emptyAt, at + 1) << all[i] << " has no text";
        previous = at;
    }
}

TEST(RulesDocument, BoldsNothingButHeadingsAmongTheWordLists) {
    const auto all = headings();
    for (std::size_t p = firstMention("HELPFUL WORD LISTS"); p < paragraphs().size(); ++p)
        if (paragraphs()[p].bold) {
            EXPECT_NE(std::find(all.begin(), all.end(), paragraphs()[p].text), all.end())
                << paragraphs()[p].text;
        }
}

TEST(RulesDocument, ListsExactlyTheWordsEachListsRuleSelects) {
    const std::vector<std::pair<std::string, std::vector<Rule>>> lists = {
        {"Words Without Vowels", {{true, "^[^AEIOUY]+$"}, {true, "^[^AEIOU]*Y[^AEIOU]*$"}}},
        {"Words Containing Q", {{true, "Q"}}},
        {"Diatonic Musical Scale", {{false, "the [0-9]+(st|nd|rd|th) note of the diatonic scale"}}},
        {"English Letters", {{false, "\\bthe letter [A-Z]\\b"}, {false, "Old English"}}},
        {"Greek Letters", {{false, "the [0-9]+(st|nd|rd|th) letter of the Greek alphabet"}}},
        {"Hebrew Letters", {{false, "the [0-9]+(st|nd|rd|th) letter of the Hebrew alphabet"}}},
        {"Interjections and Utterances",
         {{false, "(^|; |[A-Z] \\()used (to|as) "},
          {false, "(^|; |\\()(yes|no)\\b|(affirmative|negative) (reply|vote)"}}},
        {"Animal Noises", {{false, "\\b(bark|barking|bleat|cry of a|howl|meow|moo|purr|yelp)\\b"}}},
        {"Coins and Monetary Units", {{false, "monetary unit|\\bcoin\\b"}}},
        {"Units of Measurement", {{false, "\\b(?!monetary )\\w+ unit\\b|\\bmeasure\\b"}}},
    };
    for (const auto& [heading, rules] : lists)
        EXPECT_EQ(shownLists(heading), selected(rules)) << heading;
}

}  // namespace
