// The shipped rules document: its headings are the viewer's contents, and each
// word list holds exactly the lexicon's words that its rule selects.
#include <gtest/gtest.h>

#include <fstream>
#include <iterator>
#include <map>
#include <regex>
#include <set>
#include <string>
#include <vector>

#include "core/mainMod.h"
#include "help/frmRules.h"
#include "ui/rtf/rtfDocument.h"

using quillbox::core::mainMod::lexicon;
using Words = std::set<std::string>;

namespace {

const quillbox::ui::rtf::Document& document() {
    static const auto read = [] {
        std::ifstream in(QUILLBOX_RULES_RTF, std::ios::binary);
        return quillbox::ui::rtf::readRtf(std::string(std::istreambuf_iterator<char>(in), {}));
    }();
    return read;
}

// Paragraphs end in CR LF, as the viewer searches them; line breaks are left out.
std::string ascii(const std::u16string& text) {
    std::string out;
    for (const char16_t c : text)
        if (c != quillbox::ui::rtf::kLineBreak)
            out += static_cast<char>(c);
    return out;
}

// The contents entries, each with its text as the viewer searches it: from
// the paragraph end before its first mention to the one before the next
// entry's ("" when missing or out of order).
std::vector<std::pair<std::string, std::string>> sections() {
    const std::string text = ascii(quillbox::ui::rtf::plainText(document()));
    std::vector<std::pair<std::string, std::string>> out;
    std::vector<std::size_t> at;
    for (const auto& entry : quillbox::help::frmRules::contentsEntries()) {
        out.emplace_back(entry.trimmed().toStdString(), "");
        at.push_back(std::min(text.find(out.back().first) - 2, text.size()));
    }
    at.push_back(text.size());
    for (std::size_t i = 0; i < out.size(); ++i)
        out[i].second = at[i] < at[i + 1] ? text.substr(at[i], at[i + 1] + 2 - at[i]) : "";
    return out;
}

TEST(RulesDocument, MeetsEachContentsEntryFirstAsItsHeadingInOrderWithAnEmptyLineEndingItsSection) {
    for (const auto& [heading, section] : sections()) {
        EXPECT_EQ(section.rfind("\r\n" + heading + "\r\n", 0), 0u)
            << heading << " is missing, out of order or first met inside a paragraph";
        // The viewer scrolls to the first empty line after a heading, then back to it.
        const auto emptyLine = section.find("\n\r");
        EXPECT_TRUE(emptyLine > heading.size() + 4 && emptyLine != std::string::npos) << heading;
    }
}

TEST(RulesDocument, BoldsNothingButHeadingsAmongTheWordLists) {
    std::set<std::string> headings;
    for (const auto& entry : quillbox::help::frmRules::contentsEntries())
        headings.insert(entry.trimmed().toStdString());
    bool inLists = false;
    for (const auto& paragraph : document().paragraphs) {
        std::string text, bold;
        for (const auto& run : paragraph.runs)
            (run.format.bold ? bold : text) += ascii(run.text);
        inLists = inLists || bold == "HELPFUL WORD LISTS";
        EXPECT_TRUE(!inLists || bold.empty() || (text.empty() && headings.count(bold)))
            << text << bold;
    }
}

TEST(RulesDocument, ListsExactlyTheWordsThatEachListsRuleSelectsAndThenTheirForms) {
    // For each sub-topic, its lists' rules: the words whose letters (true) or
    // definition (false) match; the plurals and present tenses of a definition
    // list's words leave it for a list of their own that follows it.
    const std::vector<std::pair<std::string, std::vector<std::pair<bool, const char*>>>> rules = {
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
    const std::regex formOf("(plural|present tense) of ([A-Z]{2,3})\\b");
    // A list is a paragraph of words, each with an optional note: "XU (Vietnam), ATT (Laos)".
    const std::regex list("\n([A-Z]{2,3}( \\([^)]+\\))?(, [A-Z]{2,3}( \\([^)]+\\))?)*)\r");
    const std::regex listed("(^|, )([A-Z]{2,3})");
    const auto all = sections();
    const std::map<std::string, std::string> sectionOf(all.begin(), all.end());
    for (const auto& [heading, lists] : rules) {
        const std::string& section = sectionOf.at(heading);
        std::vector<Words> expected, shown;
        for (const auto& [ofLetters, pattern] : lists) {
            const std::regex selects(pattern);
            Words words, forms;
            for (const auto& w : lexicon().Keys())
                if (std::regex_search(ofLetters ? w : lexicon().Item(w), selects))
                    words.insert(w);
            std::smatch m;
            for (const auto& w : lexicon().Keys())
                if (!ofLetters && std::regex_search(lexicon().Item(w), m, formOf) &&
                    words.count(m[2]))
                    forms.insert(w);
            for (const auto& f : forms)
                words.erase(f);
            expected.push_back(words);
            if (!forms.empty())
                expected.push_back(forms);
        }
        for (std::sregex_iterator l(section.begin(), section.end(), list), end; l != end; ++l) {
            const std::string line = (*l)[1];
            Words& words = shown.emplace_back();
            for (std::sregex_iterator w(line.begin(), line.end(), listed); w != end; ++w)
                words.insert((*w)[2]);
        }
        EXPECT_EQ(shown, expected) << heading;
    }
}

}  // namespace
