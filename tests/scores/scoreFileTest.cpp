// The high-score file on disk: its exact bytes after each kind of update,
// files of odd sizes, an update that dies before it is complete, and many
// programs updating at once.
#include <gtest/gtest.h>
#include <sys/stat.h>

#include <chrono>
#include <csignal>
#include <functional>
#include <set>
#include <thread>

#include "scoreTestFiles.h"
#include "scores/scoreFile.h"

using namespace quillbox::scores;
using namespace scoretest;

namespace {

std::set<std::string> entries(const TempFolder& d) {
    std::set<std::string> names;
    for (const auto& e : fs::directory_iterator(d.path))
        names.insert(e.path().filename());
    return names;
}
const std::set<std::string> kTableAndLock{"High Scores.rnd", "High Scores.rnd.lock"};

class ScoreFileTest : public ::testing::Test {
  protected:
    std::string bytes() const { return readBytes(dir.scoreFile()); }
    void store(const std::string& b) const { writeBytes(dir.scoreFile(), b); }

    TempFolder dir;
    ScoreFile file{dir.path};
};

TEST_F(ScoreFileTest, EveryOperationCreatesAMissingFileWithTenEmptyRecords) {
    const mode_t savedMask = ::umask(027);
    const std::function<void()> operations[] = {
        [&] { EXPECT_FALSE(file.isHigh(0)); }, [&] { EXPECT_TRUE(file.isHigh(1)); },
        [&] { file.readScores(); }, [&] { file.addScore("Zero", 0); },
        [&] { ScoreFile::createScoreFile(dir.scoreFile()); }};
    for (const auto& operation : operations) {
        fs::remove(dir.scoreFile());
        operation();
        EXPECT_EQ(bytes(), std::string(360, '\0'));
        EXPECT_EQ(fs::status(dir.scoreFile()).permissions(), fs::perms(0640));
    }
    // In a folder shared through its group, the group may write it too.
    fs::permissions(dir.path, fs::perms::set_gid, fs::perm_options::add);
    fs::remove(dir.scoreFile());
    file.prepareScoreFile();
    EXPECT_EQ(fs::status(dir.scoreFile()).permissions(), fs::perms(0660));
    ::umask(savedMask);
    EXPECT_EQ(file.scoreFilePath(), dir.scoreFile());
}

TEST_F(ScoreFileTest, AnUpdatePutsTheEntryInItsPlaceAndKeepsModeAndWhatLiesPastTheTenthRecord) {
    // Longer than one copy step, so the tail is copied in pieces.
    const std::string tail = record("Eleventh", 999) + std::string(70'000, 'x');
    store(descending() + tail);
    fs::permissions(dir.scoreFile(), fs::perms(0604));
    EXPECT_FALSE(file.isHigh(0));  // the 999 past the tenth record does not count
    file.addScore("Low", 0);
    EXPECT_EQ(bytes(), descending() + tail);
    file.addScore("Zoë €", 50);  // below the 50 it ties with, in the Windows code page
    file.addScore("ABCDEFGHIJKLMNOPQRST", 1234567);  // cut to fifteen
    EXPECT_EQ(bytes(), record("ABCDEFGHIJKLMNO", 1234567) + descending(0, 5) +
                           record("Zo\xEB \x80", 50) + descending(5, 3) + tail);
    EXPECT_EQ(fs::status(dir.scoreFile()).permissions(), fs::perms(0604));
    EXPECT_EQ(entries(dir), kTableAndLock);
}

TEST_F(ScoreFileTest, AShortFileReadsItsMissingRecordsAsEmptyUntilAnUpdateRewritesItWhole) {
    // The tenth record counts when its 19 data bytes are there, not one fewer.
    for (std::size_t cut : {19u, 18u}) {
        store(descending(0, 9) + record("Tenth", 5).substr(0, cut));
        EXPECT_EQ(file.readScores()[9].points, cut == 19 ? 5 : 0) << cut;
    }
    store("");
    EXPECT_EQ(file.readScores(), ScoreRecords{});
    store(record("A", 9));
    EXPECT_TRUE(file.isHigh(1));
    EXPECT_EQ(bytes(), record("A", 9));
    file.addScore("B", 3);
    EXPECT_EQ(bytes(), record("A", 9) + record("B", 3) + std::string(8 * 36, '\0'));
}

// Whether it throws or is killed just before its rename, an update leaves the
// old table; a killed one leaves its temporary file too, which the next
// update removes.
TEST_F(ScoreFileTest, AnUpdateThatDiesBeforeItsRenameLosesNothing) {
    store(descending());
    file.setBeforeReplaceHook([] { throw std::runtime_error("crash"); });
    EXPECT_THROW(file.addScore("Lost", 100), std::runtime_error);
    EXPECT_EQ(entries(dir), kTableAndLock);
    file.setBeforeReplaceHook([] { ::raise(SIGKILL); });
    const Child killed(false, [this] { return file.addScore("Lost", 100), std::string(); });
    EXPECT_EQ(killed.finish().first, 128 + SIGKILL);
    EXPECT_EQ(bytes(), descending());
    EXPECT_EQ(entries(dir).size(), 3u);
    file.setBeforeReplaceHook({});
    file.addScore("Kept", 100);
    EXPECT_EQ(bytes(), record("Kept", 100) + descending(0, 9));
    EXPECT_EQ(entries(dir), kTableAndLock);
}

// Rounds of ten processes finishing games at once. As root, every other one
// is a player who may write the table but not its folder, and so rewrites it
// in place, while the others replace it; each round starts without a lock
// file, which the first comers make or do without. Each round's scores beat
// all earlier ones, so after it the table holds exactly its ten.
TEST(ScoreFileProcesses, ManyProgramsAddingAtOnceLoseNoEntry) {
    TempFolder dir;
    fs::permissions(dir.path, fs::perms(0755));
    writeBytes(dir.scoreFile(), std::string(360, '\0'));
    fs::permissions(dir.scoreFile(), fs::perms(0666));
    for (int round = 0; round < 10; ++round) {
        fs::remove(dir / "High Scores.rnd.lock");
        const auto start = std::chrono::steady_clock::now() + std::chrono::milliseconds(30);
        std::vector<Child> children;
        std::string expected;
        for (int i = 9; i >= 0; --i) {
            const std::string name = "R" + std::to_string(round) + "-" + std::to_string(i);
            const int points = 100 * round + i + 1;
            const bool player = i % 2 == 1;  // starting a little earlier
            children.emplace_back(player, [&, name, points, player] {
                std::this_thread::sleep_until(start + std::chrono::milliseconds(player ? 0 : 3));
                return ScoreFile(dir.path).addScore(name, points), std::string();
            });
            expected += record(name, points);
        }
        for (const Child& c : children)
            ASSERT_EQ(c.finish(), std::pair(0, std::string()));
        ASSERT_EQ(readBytes(dir.scoreFile()), expected) << "round " << round;
    }
}

}  // namespace
