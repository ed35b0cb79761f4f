// The table's format and rules without any file: the path, the code page,
// the record layout and where a new entry goes.
#include <gtest/gtest.h>

#include <algorithm>
#include <optional>
#include <random>
#include <utility>
#include <vector>

#include "scoreTestFiles.h"
#include "scores/scoreRecords.h"

using namespace quillbox::scores;

namespace {

std::string nameBytes(const ScoreRecord& r) {
    return std::string(r.name.begin(), r.name.end());
}

ScoreRecord entry(const std::string& name, std::int32_t points) {
    return makeScoreRecord(name, points);
}

TEST(ScoreFilePath, JoinsFolderAndNameWithOneSeparator) {
    EXPECT_EQ(scoreFilePathIn("/opt/quillbox", '/'), "/opt/quillbox/High Scores.rnd");
    EXPECT_EQ(scoreFilePathIn("/opt/quillbox/", '/'), "/opt/quillbox/High Scores.rnd");
    EXPECT_EQ(scoreFilePathIn("/", '/'), "/High Scores.rnd");
    EXPECT_EQ(scoreFilePathIn("C:\\", '\\'), "C:\\High Scores.rnd");
    EXPECT_EQ(scoreFilePathIn("C:\\Games", '\\'), "C:\\Games\\High Scores.rnd");
    // Only the platform's own separator counts as one.
    EXPECT_EQ(scoreFilePathIn("C:/", '\\'), "C:/\\High Scores.rnd");
    EXPECT_EQ(scoreFilePathIn("/srv/q"),
              std::string("/srv/q") + kPathSeparator + "High Scores.rnd");
}

TEST(CodePage, MapsWhatThePageHasAndOneQuestionMarkPerCharacterOrBadByteOtherwise) {
    EXPECT_EQ(toWindows1252("Ann-Marie 42|Zoë Ñúñ ÿ|€ Š ™ œ Ÿ — …|\u00A0\u00BF"),
              "Ann-Marie 42|Zo\xEB \xD1\xFA\xF1 \xFF|\x80 \x8A \x99 \x9C \x9F \x97 \x85|\xA0\xBF");
    // U+0100, CJK, beyond the basic plane, a C1 control the page has no byte for.
    EXPECT_EQ(toWindows1252("Ā|日本語|A😀B|\xC2\x80"), "?|???|A?B|?");
    // A stray byte, a bad continuation (which keeps what follows), an overlong
    // NUL, a lone surrogate, beyond U+10FFFF, cut short.
    EXPECT_EQ(toWindows1252("A\xFFZ|\xC3(X|\xC0\x80|\xED\xA0\x80|\xF4\x90\x80\x80|A\xC3"),
              "A?Z|?(X|??|???|????|A?");
    std::string all;
    for (int b = 0; b < 256; ++b)
        all += static_cast<char>(b);
    EXPECT_EQ(toWindows1252(fromWindows1252(all)), all);
    EXPECT_EQ(fromWindows1252("\x80\x99\xE9"), "€™é");
}

TEST(NewEntry, KeepsFifteenCharactersPaddedWithBlanksAndReadsBackWithoutNuls) {
    EXPECT_EQ(nameBytes(entry("ABCDEFGHIJKLMNOPQRST", 1)), "ABCDEFGHIJKLMNO");
    EXPECT_EQ(nameBytes(entry("", 1)), std::string(15, ' '));
    // Characters, not UTF-8 bytes: seventeen two-byte letters keep fifteen.
    EXPECT_EQ(nameBytes(entry("ééééééééééééééééé", 1)), std::string(15, '\xE9'));
    EXPECT_EQ(entry("Sam", -7).points, -7);

    EXPECT_EQ(nameText(ScoreRecord{}), "");
    EXPECT_EQ(nameText(entry("Zoë", 3)), "Zoë            ");
    ScoreRecord odd;
    const std::string raw("A\0B\x80\0\0\0\0\0\0\0\0\0\0C", 15);
    std::copy(raw.begin(), raw.end(), odd.name.begin());
    EXPECT_EQ(nameText(odd), "AB€C");
}

TEST(RecordLayout, EncodesNameScoreAndZeroFillerAndDecodesItBack) {
    ScoreRecords t{};
    t[0] = entry("Ann", 1234567);
    t[1] = entry("Bo", -1);
    t[9] = entry("Zed", 0x01020304);
    const std::string bytes = encodeScores(t);
    ASSERT_EQ(bytes.size(), 360u);
    EXPECT_EQ(bytes.substr(0, 36), scoretest::record("Ann", 1234567));
    EXPECT_EQ(bytes.substr(15, 4), std::string("\x87\xD6\x12\x00", 4));
    EXPECT_EQ(bytes.substr(36 + 15, 4), "\xFF\xFF\xFF\xFF");
    EXPECT_EQ(bytes.substr(72, 36), scoretest::emptyRecords(1));
    EXPECT_EQ(bytes.substr(324 + 15, 4), "\x04\x03\x02\x01");
    EXPECT_EQ(decodeScores(bytes), t);
}

ScoreRecords descendingTable() {  // 90, 80, ..., 0
    ScoreRecords t{};
    for (int i = 0; i < 10; ++i)
        t[i] = entry("P" + std::to_string(90 - 10 * i), 90 - 10 * i);
    return t;
}

TEST(Inserting, ReturnsThePositionTakenAndNothingForALowerScore) {
    const std::pair<std::int32_t, std::optional<int>> cases[] = {
        {1000, 1}, {50, 6}, {5, 10}, {0, std::nullopt}, {-10, std::nullopt}};
    for (const auto& [points, position] : cases) {
        ScoreRecords t = descendingTable();
        const ScoreRecord e = entry("NEW", points);
        EXPECT_EQ(insertScore(t, e), position) << points;
        if (position) {
            EXPECT_EQ(t[*position - 1], e);
        } else {
            EXPECT_EQ(t, descendingTable());
        }
    }
    // Scores are signed: -1 does not beat a stored 3, -4 beats a stored -5.
    ScoreRecords small{};
    small.fill(entry("S", 3));
    EXPECT_FALSE(beatsAnyScore(small, -1));
    small[9] = entry("N", -5);
    EXPECT_TRUE(beatsAnyScore(small, -4));
}

// Starting from an empty table, the table always holds the ten best positive
// scores entered so far, highest first, earlier entries first among equals.
TEST(Inserting, AgreesWithAStableRankingOverManyGames) {
    std::mt19937 rng(20240611);
    std::uniform_int_distribution<int> points(-20, 60);
    ScoreRecords t{};
    std::vector<ScoreRecord> entered;
    for (int game = 0; game < 2000; ++game) {
        const ScoreRecord e = entry("G" + std::to_string(game), points(rng));
        const bool high = beatsAnyScore(t, e.points);
        EXPECT_EQ(insertScore(t, e).has_value(), high);
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
