// The table's rules without any file: the path, the code page and where a new
// entry goes. The record layout is checked byte by byte through the file.
#include <gtest/gtest.h>

#include <algorithm>
#include <random>
#include <vector>

#include "scores/scoreRecords.h"

using namespace quillbox::scores;

namespace {

TEST(ScoreFilePath, JoinsFolderAndNameWithOneSeparatorOfThePlatform) {
    const char* cases[][3] = {{"/opt/q", "/", "/opt/q/High Scores.rnd"},
                              {"/opt/q/", "/", "/opt/q/High Scores.rnd"},
                              {"/", "/", "/High Scores.rnd"},
                              {"C:\\", "\\", "C:\\High Scores.rnd"},
                              {"C:\\G", "\\", "C:\\G\\High Scores.rnd"},
                              {"C:/", "\\", "C:/\\High Scores.rnd"}};
    for (const auto& c : cases)
        EXPECT_EQ(scoreFilePathIn(c[0], c[1][0]), c[2]);
}

TEST(CodePage, MapsWhatThePageHasAndOneQuestionMarkPerCharacterOrBadByteOtherwise) {
    EXPECT_EQ(toWindows1252("Zoë Ñ ÿ|€ Š ™ œ Ÿ — …|\u00A0\u00BF"),
              "Zo\xEB \xD1 \xFF|\x80 \x8A \x99 \x9C \x9F \x97 \x85|\xA0\xBF");
    // U+0100, CJK, beyond the basic plane, a C1 control the page lacks; a stray
    // byte, a bad continuation (which keeps what follows), an overlong NUL, a
    // lone surrogate, beyond U+10FFFF, cut short.
    EXPECT_EQ(toWindows1252("Ā|日本|A😀B|\xC2\x80|A\xFFZ|\xC3(X|\xC0\x80|\xED\xA0\x80|"
                            "\xF4\x90\x80\x80|A\xC3"),
              "?|??|A?B|?|A?Z|?(X|??|???|????|A?");
    std::string all;
    for (int b = 0; b < 256; ++b)
        all += static_cast<char>(b);
    EXPECT_EQ(toWindows1252(fromWindows1252(all)), all);
    EXPECT_EQ(fromWindows1252("\x80\x99\xE9\x81"), "€™é\u0081");
}

// From an empty table, after every game the table holds the ten best positive
// scores so far, highest first, earlier entries first among equals; a new
// entry reports the position it took.
TEST(Inserting, AgreesWithAStableRankingOverManyGames) {
    std::mt19937 rng(20240611);
    std::uniform_int_distribution<int> points(-20, 60);
    ScoreRecords t{};
    std::vector<ScoreRecord> entered;
    for (int game = 0; game < 2000; ++game) {
        const ScoreRecord e = makeScoreRecord("G" + std::to_string(game), points(rng));
        const bool high = beatsAnyScore(t, e.points);
        const auto position = insertScore(t, e);
        ASSERT_EQ(position.has_value(), high);
        ASSERT_TRUE(!position || t[*position - 1] == e);
        if (e.points > 0)
            entered.push_back(e);
        std::vector<ScoreRecord> ranked = entered;
        std::stable_sort(
            ranked.begin(), ranked.end(),
            [](const ScoreRecord& a, const ScoreRecord& b) { return a.points > b.points; });
        ranked.resize(10);
        ASSERT_TRUE(std::equal(ranked.begin(), ranked.end(), t.begin())) << "after game " << game;
    }
}

}  // namespace
