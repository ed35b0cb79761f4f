#include <gtest/gtest.h>

#include "core/lookup.h"
#include "core/mainMod.h"
#include "core/numberText.h"

using quillbox::lookupDefinition;
using quillbox::mainMod::lexicon;

TEST(LookupDefinition, NeedsAtLeastTwoLetters) {
    EXPECT_EQ(lookupDefinition(lexicon(), ""), "");
    EXPECT_EQ(lookupDefinition(lexicon(), "a"), "");
    EXPECT_EQ(lookupDefinition(lexicon(), "Q"), "");
}

TEST(LookupDefinition, UpperCasesWhatWasTyped) {
    EXPECT_EQ(lookupDefinition(lexicon(), "aa"), "type of lava");
    EXPECT_EQ(lookupDefinition(lexicon(), "aB"), "abdominal muscle");
    EXPECT_EQ(lookupDefinition(lexicon(), "ten"), "10");
}

TEST(LookupDefinition, NonWordsAreReported) {
    EXPECT_EQ(lookupDefinition(lexicon(), "QQ"), "--- NOT A WORD! ---");
    EXPECT_EQ(lookupDefinition(lexicon(), "xyz"), "--- NOT A WORD! ---");
    // No trimming: a blank inside is part of the text and never a word.
    EXPECT_EQ(lookupDefinition(lexicon(), "a a"), "--- NOT A WORD! ---");
}

TEST(LookupDefinition, TheWordWithoutDefinitionGivesAnEmptyLine) {
    EXPECT_EQ(lookupDefinition(lexicon(), "awl"), "");
}

TEST(SignedNumberText, LeadingBlankForZeroOrMore) {
    EXPECT_EQ(quillbox::signedNumberText(7), " 7");
    EXPECT_EQ(quillbox::signedNumberText(0), " 0");
    EXPECT_EQ(quillbox::signedNumberText(-3), "-3");
    EXPECT_EQ(quillbox::signedNumberText(-32768), "-32768");
}
