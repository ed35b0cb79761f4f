// The high-score file's engine: the names' code page, files of odd sizes, an
// update that dies before it is complete, and many programs updating at once.
// What a player sees of odd files is in frmHighScoresTest.cpp.
#include <gtest/gtest.h>

#include <chrono>
#include <csignal>
#include <thread>

#include "scoreTestFiles.h"
#include "scores/scoreFile.h"

using namespace quillbox::scores;
using namespace scoretest;

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

// The tenth record counts when its 19 data bytes are there, not one fewer.
TEST(ScoreFile, AShortFileReadsItsMissingRecordsAsEmptyUntilAnUpdateRewritesItWhole) {
    const TempFolder dir;
    ScoreFile file(dir.path);
    for (std::size_t cut : {19u, 18u}) {
        writeBytes(dir.scoreFile(), descending(0, 9) + record("Tenth", 5).substr(0, cut));
        EXPECT_EQ(file.readScores()[9].points, cut == 19 ? 5 : 0) << cut;
    }
    file.addScore("B", 3);
    EXPECT_EQ(readBytes(dir.scoreFile()), descending(0, 9) + record("B", 3));
}

// Whether it throws or is killed just before its rename, an update leaves the
// old table. The next update removes what a killed one left (see
// oddFiles.txt).
TEST(ScoreFile, AnUpdateThatDiesBeforeItsRenameLosesNothing) {
    const TempFolder dir;
    ScoreFile file(dir.path);
    writeBytes(dir.scoreFile(), descending());
    file.setBeforeReplaceHook([] { throw std::runtime_error("crash"); });
    EXPECT_THROW(file.addScore("Lost", 100), std::runtime_error);
    EXPECT_EQ(std::distance(fs::directory_iterator(dir.path), {}), 2);  // the table and its lock
    file.setBeforeReplaceHook([] { ::raise(SIGKILL); });
    EXPECT_EQ(Child(false, [&] { return file.addScore("Lost", 100), ""; }).finish().first,
              128 + SIGKILL);
    EXPECT_EQ(readBytes(dir.scoreFile()), descending());
}

// Rounds of ten processes finishing games at once. The first round starts
// without a table: one makes it, and those that found none keep what is there
// once they have the folder. Later, as root, every other one is a player who
// may write the table but not its folder, and so rewrites it in place, while
// the others replace it; each round starts without a lock file, which the
// first comers make or do without. Each round's scores beat all earlier ones,
// so after it the table holds exactly its ten.
TEST(ScoreFile, ManyProgramsAddingAtOnceLoseNoEntry) {
    const TempFolder dir;
    fs::permissions(dir.path, fs::perms(0755));
    for (int round = 0; round < 10; ++round) {
        fs::remove(dir / "High Scores.rnd.lock");
        const auto start = std::chrono::steady_clock::now() + std::chrono::milliseconds(30);
        std::vector<Child> children;
        std::string expected;
        for (int i = 9; i >= 0; --i) {
            const std::string name = "R" + std::to_string(round) + "-" + std::to_string(i);
            const int points = 100 * round + i + 1;
            // The odd ones are players, starting a little earlier.
            children.emplace_back(round > 0 && i % 2 == 1, [&, name, points, i] {
                std::this_thread::sleep_until(start + std::chrono::milliseconds(i % 2 ? 0 : 3));
                return ScoreFile(dir.path).addScore(name, points), std::string();
            });
            expected += record(name, points);
        }
        for (Child& c : children)
            ASSERT_EQ(c.finish(), std::pair(0, std::string()));
        ASSERT_EQ(readBytes(dir.scoreFile()), expected) << "round " << round;
        fs::permissions(dir.scoreFile(), fs::perms(0666));
    }
}
