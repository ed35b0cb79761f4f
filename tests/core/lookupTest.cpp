// The launch pad's definition line and the signed score text, as pure functions.
#include <gtest/gtest.h>

#include "core/lookup.h"
#include "core/mainMod.h"
#include "core/numberText.h"

using namespace quillbox::core;

namespace {

TEST(LookupDefinition, ShowsNothingBeforeTwoLettersThenTheDefinitionOrTheNonWordMarker) {
    const Lexicon& words = mainMod::lexicon();
    const std::pair<const char*, std::string> cases[] = {
        {"", ""},
        {"q", ""},
        {"aB", words.Item("AB")},  // upper-cased before the lookup
        {"zax", words.Item("ZAX")},
        {"awl", ""},  // the one word without a definition
        {"QQ", "--- NOT A WORD! ---"},
        {"a a", "--- NOT A WORD! ---"},  // no trimming
    };
    for (const auto& [typed, shown] : cases)
        EXPECT_EQ(lookupDefinition(words, typed), shown) << typed;
    EXPECT_EQ(toUpperAscii("az`{@[AZ"), "AZ`{@[AZ");
}

TEST(SignedNumberText, WritesABlankBeforeZeroOrMoreAndAMinusBeforeLess) {
    for (const auto& [value, text] :
         {std::pair{7L, " 7"}, {0L, " 0"}, {-1L, "-1"}, {-32768L, "-32768"}, {40000L, " 40000"}})
        EXPECT_EQ(signedNumberText(value), text) << value;
}

}  // namespace
