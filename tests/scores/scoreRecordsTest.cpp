// The table's format and rules without any file: the path, the code page,
// the record layout and where a new entry goes.
#include <gtest/gtest.h>

#include <algorithm>
#include <random>
#include <vector>

#include "scoreTestFiles.h"
#include "scores/scoreRecords.h"

using namespace quillbox;

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
    EXPECT_EQ(scoreFilePathIn("C:\\Games\\Quillbox", '\\'), "C:\\Games\\Quillbox\\High Scores.rnd");
    // Only the platform's own separator counts as one.
    EXPECT_EQ(scoreFilePathIn("C:/", '\\'), "C:/\\High Scores.rnd");
    EXPECT_EQ(scoreFilePathIn("/srv/q"),
              std::string("/srv/q") + kPathSeparator + "High Scores.rnd");
}

TEST(CodePage, MapsLatinLettersAndTheWindowsExtras) {
    EXPECT_EQ(toWindows1252("Ann-Marie 42"), "Ann-Marie 42");
    EXPECT_EQ(toWindows1252("Zoë Ñúñez ÿ"),
              "Zo\xEB \xD1\xFA\xF1"
              "ez \xFF");
    EXPECT_EQ(toWindows1252("€ Š ™ œ Ÿ — …"), "\x80 \x8A \x99 \x9C \x9F \x97 \x85");
    EXPECT_EQ(toWindows1252("\u00A0\u00BF"), "\xA0\xBF");
}

TEST(CodePage, CharactersOutsideBecomeOneQuestionMarkEach) {
    EXPECT_EQ(toWindows1252("Ā"), "?");         // U+0100
    EXPECT_EQ(toWindows1252("日本語"), "???");  // three characters, nine bytes
    EXPECT_EQ(toWindows1252("A😀B"), "A?B");     // outside the basic plane
    EXPECT_EQ(toWindows1252("\xC2\x80"), "?");  // a C1 control the page has no byte for
}

TEST(CodePage, MalformedUtf8BecomesQuestionMarks) {
    EXPECT_EQ(toWindows1252("A\xFF"
                            "B"),
              "A?B");
    EXPECT_EQ(toWindows1252("A\xC3"), "A?");               // cut short
    EXPECT_EQ(toWindows1252("\xC3(X"), "?(X");             // bad continuation keeps what follows
    EXPECT_EQ(toWindows1252("\xC0\x80"), "??");            // overlong NUL
    EXPECT_EQ(toWindows1252("\xED\xA0\x80"), "???");       // a lone surrogate
    EXPECT_EQ(toWindows1252("\xF4\x90\x80\x80"), "????");  // beyond U+10FFFF
}

TEST(CodePage, EveryByteSurvivesTheRoundTrip) {
    std::string all;
    for (int b = 0; b < 256; ++b)
        all += static_cast<char>(b);
    const std::string utf8 = fromWindows1252(all);
    EXPECT_EQ(toWindows1252(utf8), all);
    EXPECT_EQ(fromWindows1252("\x80\x99\xE9"), "€™é");
}

TEST(NewEntry, KeepsTheFirstFifteenCharactersPaddedWithBlanks) {
    EXPECT_EQ(nameBytes(entry("ABCDEFGHIJKLMNOPQRST", 1)), "ABCDEFGHIJKLMNO");
    EXPECT_EQ(nameBytes(entry("Sam", 1)), "Sam            ");
    EXPECT_EQ(nameBytes(entry("", 1)), std::string(15, ' '));
    // Characters, not UTF-8 bytes: seventeen two-byte letters keep fifteen.
    EXPECT_EQ(nameBytes(entry("ééééééééééééééééé", 1)), std::string(15, '\xE9'));
    EXPECT_EQ(entry("Sam", -7).points, -7);
}

TEST(NewEntry, NameTextLeavesOutNulsAndKeepsBlanks) {
    ScoreRecord empty;
    EXPECT_EQ(nameText(empty), "");
    EXPECT_EQ(nameText(entry("Zoë", 3)), "Zoë            ");
    ScoreRecord odd;
    const std::string raw("A\0B\x80\0\0\0\0\0\0\0\0\0\0C", 15);
    std::copy(raw.begin(), raw.end(), odd.name.begin());
    EXPECT_EQ(nameText(odd), "AB€C");
}

TEST(RecordLayout, EncodesNameScoreAndZeroFiller) {
    ScoreRecords t{};
    t[0] = entry("Ann", 1234567);
    t[1] = entry("Bo", -1);
    t[9] = entry("Zed", 0x01020304);
    const std::string bytes = encodeScores(t);
    ASSERT_EQ(bytes.size(), 360u);
    EXPECT_EQ(bytes.substr(0, 36), scoretest::record("Ann", 1234567));
    EXPECT_EQ(bytes.substr(15, 4), std::string("\x87\xD6\x12\x00", 4));
    EXPECT_EQ(bytes.substr(36 + 15, 4), "\xFF\xFF\xFF\xFF");
    EXPECT_EQ(bytes.substr(72, 36), scoretest::emptyRecord());
    EXPECT_EQ(bytes.substr(324 + 15, 4), "\x04\x03\x02\x01");
    EXPECT_EQ(decodeScores(bytes), t);
}

TEST(RecordLayout, DecodingIgnoresFillerAndToleratesShortAndLongInput) {
    std::string bytes = scoretest::record("Ann", 50) + scoretest::record("Bo", 40);
    bytes[20] = 'x';  // filler
    bytes[71] = 'y';
    ScoreRecords t = decodeScores(bytes);
    EXPECT_EQ(nameText(t[0]), "Ann            ");
    EXPECT_EQ(t[0].points, 50);
    EXPECT_EQ(t[1].points, 40);
    for (int i = 2; i < 10; ++i)
        EXPECT_EQ(t[i], ScoreRecord{}) << "position " << i + 1;

    // The last record may stop right after its data bytes; one byte less and
    // it counts as missing.
    std::string full;
    for (int i = 0; i < 10; ++i)
        full += scoretest::record("P" + std::to_string(i), 100 - i);
    EXPECT_EQ(decodeScores(full.substr(0, 343))[9].points, 91);
    EXPECT_EQ(decodeScores(full.substr(0, 342))[9], ScoreRecord{});
    EXPECT_EQ(decodeScores(full.substr(0, 342))[8].points, 92);
    EXPECT_EQ(decodeScores(full + "extra bytes"), decodeScores(full));
    EXPECT_EQ(decodeScores(""), ScoreRecords{});
}

ScoreRecords descendingTable() {  // 90, 80, ..., 0
    ScoreRecords t{};
    for (int i = 0; i < 10; ++i)
        t[i] = entry("P" + std::to_string(90 - 10 * i), 90 - 10 * i);
    return t;
}

TEST(Qualifying, BeatingAnyStoredScoreStrictly) {
    const ScoreRecords empty{};
    EXPECT_FALSE(beatsAnyScore(empty, 0));
    EXPECT_TRUE(beatsAnyScore(empty, 1));
    EXPECT_FALSE(beatsAnyScore(empty, -3));
    const ScoreRecords t = descendingTable();
    EXPECT_FALSE(beatsAnyScore(t, 0));
    EXPECT_TRUE(beatsAnyScore(t, 5));
    // Signed: a negative score does not beat a stored 3.
    ScoreRecords small{};
    small.fill(entry("S", 3));
    EXPECT_FALSE(beatsAnyScore(small, -1));
    small[9] = entry("N", -5);
    EXPECT_TRUE(beatsAnyScore(small, -4));
}

TEST(Inserting, GoesAboveTheHighestEntryItBeatsAndDropsTheTenth) {
    ScoreRecords t = descendingTable();
    EXPECT_EQ(insertScore(t, entry("X", 5)), 10);
    EXPECT_EQ(t[9], entry("X", 5));
    EXPECT_EQ(t[8], entry("P10", 10));

    t = descendingTable();
    EXPECT_EQ(insertScore(t, entry("TOP", 1000)), 1);
    EXPECT_EQ(t[0], entry("TOP", 1000));
    for (int i = 1; i < 10; ++i)
        EXPECT_EQ(t[i], descendingTable()[i - 1]);
}

TEST(Inserting, ATieGoesBelowTheEntryItTies) {
    ScoreRecords t = descendingTable();
    t[2] = entry("OLD50", 50);
    t[3] = entry("OLD40", 40);
    const ScoreRecords before = t;
    EXPECT_EQ(insertScore(t, entry("NEW50", 50)), 4);
    EXPECT_EQ(t[2], entry("OLD50", 50));
    EXPECT_EQ(t[3], entry("NEW50", 50));
    for (int i = 4; i < 10; ++i)
        EXPECT_EQ(t[i], before[i - 1]);
}

TEST(Inserting, ALowerScoreLeavesTheTableAsItWas) {
    ScoreRecords t = descendingTable();
    EXPECT_EQ(insertScore(t, entry("LOW", 0)), std::nullopt);
    EXPECT_EQ(insertScore(t, entry("NEG", -10)), std::nullopt);
    EXPECT_EQ(t, descendingTable());
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
