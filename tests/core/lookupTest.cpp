#include <gtest/gtest.h>

#include "core/lookup.h"
#include "core/mainMod.h"
#include "core/numberText.h"

using quillbox::core::lookupDefinition;
using quillbox::core::mainMod::lexicon;

TEST(LookupDefinition, UpperCasesTwoOrMoreLettersAndReportsNonWords) {
    for (const char* tooShort : {"", "a", "Q"})
        EXPECT_EQ(lookupDefinition(lexicon(), tooShort), "") << tooShort;
    EXPECT_EQ(lookupDefinition(lexicon(), "aB"), "abdominal muscle");
    EXPECT_EQ(lookupDefinition(lexicon(), "ten"), "10");
    // Both ends of the alphabet are raised.
    EXPECT_EQ(lookupDefinition(lexicon(), "zax"), "a tool for cutting roof slates");
    EXPECT_EQ(lookupDefinition(lexicon(), "awl"), "");  // the word without a definition
    // No trimming: a blank inside is part of the text and never a word.
    for (const char* nonWord : {"QQ", "xyz", "a a"})
        EXPECT_EQ(lookupDefinition(lexicon(), nonWord), "--- NOT A WORD! ---") << nonWord;
}

TEST(SignedNumberText, LeadingBlankForZeroOrMore) {
    EXPECT_EQ(quillbox::core::signedNumberText(7), " 7");
    EXPECT_EQ(quillbox::core::signedNumberText(0), " 0");
    EXPECT_EQ(quillbox::core::signedNumberText(-32768), "-32768");
}
