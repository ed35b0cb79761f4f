// The high-score file on disk: its exact bytes after each kind of update,
// damaged files, unusable folders, crashes and two programs at once.
#include <gtest/gtest.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <csignal>
#include <cstdio>
#include <set>
#include <stdexcept>
#include <vector>

#include "scoreTestFiles.h"
#include "scores/scoreFile.h"

using namespace quillbox::scores;
using scoretest::emptyRecords;
using scoretest::readBytes;
using scoretest::record;
using scoretest::TempFolder;
using scoretest::writeBytes;

namespace {

namespace fs = std::filesystem;

std::set<std::string> folderEntries(const TempFolder& dir) {
    std::set<std::string> names;
    for (const auto& e : fs::directory_iterator(dir.path()))
        names.insert(e.path().filename());
    return names;
}

// n of the ten entries scoring 90, 80, ..., 0 named after their scores,
// starting at index `from`.
std::string descending(int from = 0, int n = 10) {
    std::string t;
    for (int i = from; i < from + n; ++i)
        t += record("P" + std::to_string(90 - 10 * i), 90 - 10 * i);
    return t;
}

class ScoreFileTest : public ::testing::Test {
  protected:
    std::string bytes() const { return readBytes(dir.scoreFile()); }
    void store(const std::string& b) const { writeBytes(dir.scoreFile(), b); }

    TempFolder dir;
    ScoreFile file{dir.str()};
};

TEST_F(ScoreFileTest, EveryOperationCreatesAMissingFileWithTenEmptyRecords) {
    EXPECT_FALSE(file.isHigh(0));
    EXPECT_EQ(file.scoreFilePath(), dir.scoreFile());
    EXPECT_EQ(bytes(), emptyRecords(10));
    EXPECT_TRUE(file.isHigh(1));
    EXPECT_FALSE(file.isHigh(-1));
    const std::function<void()> others[] = {[&] { ScoreFile::createScoreFile(dir.scoreFile()); },
                                            [&] { file.readScores(); },
                                            [&] { file.addScore("Zero", 0); }};
    for (const auto& operation : others) {
        fs::remove(dir.scoreFile());
        operation();
        EXPECT_EQ(bytes(), emptyRecords(10));
    }
}

TEST_F(ScoreFileTest, AFullTableTakesEachEntryInItsPlaceAndDropsTheLowest) {
    store(descending());
    EXPECT_FALSE(file.isHigh(0));
    EXPECT_TRUE(file.isHigh(5));
    file.addScore("Low", 0);
    EXPECT_EQ(bytes(), descending());
    file.addScore("X", 5);
    EXPECT_EQ(bytes(), descending(0, 9) + record("X", 5));
    // Names are cut to fifteen characters and stored in the Windows code page.
    const std::string best = record("ABCDEFGHIJKLMNO", 1234567);
    file.addScore("ABCDEFGHIJKLMNOPQRST", 1234567);
    EXPECT_EQ(bytes(), best + descending(0, 9));
    // A tie goes below the earlier entry.
    file.addScore("Zoë €", 50);
    EXPECT_EQ(bytes(), best + descending(0, 5) + record("Zo\xEB \x80", 50) + descending(5, 3));
}

TEST_F(ScoreFileTest, AShortFileIsUsedAsItIsUntilAnUpdateRewritesItWhole) {
    // Two whole records and the data bytes of a third.
    const std::string partial = record("A", 9) + record("B", 8) + record("C", 7).substr(0, 19);
    store(partial);
    file.prepareScoreFile();
    EXPECT_EQ(file.readScores()[2].points, 7);
    EXPECT_TRUE(file.isHigh(1));
    EXPECT_EQ(bytes(), partial);
    file.addScore("D", 3);
    EXPECT_EQ(bytes(),
              record("A", 9) + record("B", 8) + record("C", 7) + record("D", 3) + emptyRecords(6));
    // A record cut inside its data bytes counts as missing.
    store(record("A", 9) + record("B", 8).substr(0, 18));
    file.addScore("E", 1);
    EXPECT_EQ(bytes(), record("A", 9) + record("E", 1) + emptyRecords(8));
    store("");
    file.addScore("F", 2);
    EXPECT_EQ(bytes(), record("F", 2) + emptyRecords(9));
}

TEST_F(ScoreFileTest, ALongFileIsReadForItsFirstTenAndKeepsTheRest) {
    const std::string trailer = record("Eleventh", 999) + "tail";
    store(descending() + trailer);
    EXPECT_FALSE(file.isHigh(0));  // the 999 beyond the tenth record does not count
    file.addScore("Low", -1);
    EXPECT_EQ(bytes(), descending() + trailer);
    file.addScore("X", 85);
    EXPECT_EQ(bytes(), record("P90", 90) + record("X", 85) + descending(1, 8) + trailer);
}

TEST_F(ScoreFileTest, AGarbageFileIsReadAsBytesAndRewrittenCleanly) {
    std::string garbage;
    for (int i = 0; i < 360; ++i)
        garbage += static_cast<char>((i * 73 + 41) % 256);
    store(garbage);
    EXPECT_EQ(file.readScores()[0].points, 0x4B02B970);

    // Whatever the stored scores are, a new best one goes first and the old
    // names move down byte for byte, with their filler zeroed.
    file.addScore("Best", 2147483647);
    const std::string after = bytes();
    ASSERT_EQ(after.size(), 360u);
    EXPECT_EQ(after.substr(0, 36), record("Best", 2147483647));
    for (int i = 1; i < 10; ++i) {
        const std::string moved = garbage.substr((i - 1) * 36, 19) + std::string(17, '\0');
        EXPECT_EQ(after.substr(i * 36, 36), moved) << "position " << i + 1;
    }
}

TEST_F(ScoreFileTest, AnUpdateLeavesOnlyTheTableAndItsLockAndKeepsPermissions) {
    store(descending());
    const auto mode = fs::perms::owner_read | fs::perms::owner_write;
    fs::permissions(dir.scoreFile(), mode);
    file.addScore("X", 55);
    EXPECT_EQ(folderEntries(dir),
              (std::set<std::string>{"High Scores.rnd", "High Scores.rnd.lock"}));
    EXPECT_EQ(fs::status(dir.scoreFile()).permissions() & fs::perms::all, mode);
}

TEST_F(ScoreFileTest, ATableReachedByALinkIsUpdatedWhereItLives) {
    TempFolder elsewhere;
    writeBytes(elsewhere.scoreFile(), descending());
    fs::create_symlink(elsewhere.scoreFile(), dir.scoreFile());
    file.addScore("X", 95);
    EXPECT_TRUE(fs::is_symlink(dir.scoreFile()));
    EXPECT_EQ(readBytes(elsewhere.scoreFile()), record("X", 95) + descending(0, 9));
}

TEST_F(ScoreFileTest, AnUpdateInterruptedBeforeTheRenameLeavesTheOldTable) {
    store(descending());
    file.setBeforeReplaceHook([this] {
        // The new table is complete beside the old one at this moment.
        EXPECT_EQ(readBytes(dir.scoreFile() + ".tmp").substr(0, 36), record("Lost", 100));
        throw std::runtime_error("crash");
    });
    EXPECT_THROW(file.addScore("Lost", 100), std::runtime_error);
    EXPECT_EQ(bytes(), descending());
    EXPECT_FALSE(fs::exists(dir.scoreFile() + ".tmp"));

    file.setBeforeReplaceHook({});
    file.addScore("Kept", 100);
    EXPECT_EQ(bytes().substr(0, 36), record("Kept", 100));
}

TEST(ScoreFileErrors, NameTheFailedActionThePathAndTheSystemsReason) {
    using Action = ScoreFileError::Action;
    TempFolder dir;
    const std::string gone = (dir.path() / "gone").string();
    const std::string plain = (dir.path() / "plain").string();
    writeBytes(plain, "not a folder");
    fs::create_directory(dir.scoreFile());  // a file that cannot be read
    const auto isHigh = [](ScoreFile& f) { f.isHigh(1); };
    const auto add = [](ScoreFile& f) { f.addScore("A", 1); };
    const auto read = [](ScoreFile& f) { f.readScores(); };
    const struct {
        std::string folder;
        std::function<void(ScoreFile&)> operation;
        Action action;
        std::string reason;
    } cases[] = {
        {gone, isHigh, Action::Create, "No such file or directory"},
        {gone, add, Action::Write, "No such file or directory"},
        {gone, read, Action::Create, "No such file or directory"},
        {plain, isHigh, Action::Read, "Not a directory"},
        {plain, add, Action::Write, "Not a directory"},
        {dir.str(), isHigh, Action::Read, "Is a directory"},
        {dir.str(), add, Action::Read, "Is a directory"},
    };
    for (const auto& c : cases) {
        ScoreFile file(c.folder);
        const std::string path = c.folder + "/High Scores.rnd";
        try {
            c.operation(file);
            ADD_FAILURE() << "no error for " << path;
        } catch (const ScoreFileError& e) {
            EXPECT_EQ(e.action(), c.action) << path;
            EXPECT_EQ(e.path(), path);
            EXPECT_EQ(e.reason(), c.reason);
            EXPECT_NE(std::string(e.what()).find(path), std::string::npos) << e.what();
            EXPECT_NE(std::string(e.what()).find(c.reason), std::string::npos) << e.what();
        }
    }
    EXPECT_TRUE(fs::is_directory(dir.scoreFile()));
}

// --- Separate processes -----------------------------------------------------

struct Finished {
    int exitCode = -1;
    int signal = 0;
    std::string output;
};

// The writer program with the given arguments, started at once; finish()
// waits for it and collects what it printed.
class Writer {
  public:
    explicit Writer(const std::vector<std::string>& args) {
        std::string command = "exec '" QUILLBOX_SCORE_WRITER "'";
        for (const std::string& a : args)
            command += " '" + a + "'";
        out_ = ::popen((command + " 2>&1").c_str(), "r");
        if (!out_)
            throw std::runtime_error("popen");
    }

    Finished finish() {
        Finished f;
        char buf[512];
        for (std::size_t n; (n = std::fread(buf, 1, sizeof buf, out_)) > 0;)
            f.output.append(buf, n);
        const int status = ::pclose(out_);
        if (WIFEXITED(status))
            f.exitCode = WEXITSTATUS(status);
        if (WIFSIGNALED(status))
            f.signal = WTERMSIG(status);
        return f;
    }

  private:
    FILE* out_;
};

Finished runWriter(const std::vector<std::string>& args) {
    return Writer(args).finish();
}

TEST(ScoreFileProcesses, AProgramKilledBeforeTheRenameLeavesTheOldTable) {
    TempFolder dir;
    writeBytes(dir.scoreFile(), descending());
    const Finished killed = runWriter({"add", dir.str(), "Lost", "100", "--kill-before-rename"});
    EXPECT_EQ(killed.signal, SIGKILL) << killed.output;
    EXPECT_EQ(readBytes(dir.scoreFile()), descending());
    // Its complete temporary table is left behind; the next update replaces it.
    EXPECT_TRUE(fs::exists(dir.scoreFile() + ".tmp"));

    const Finished next = runWriter({"add", dir.str(), "Kept", "100"});
    EXPECT_EQ(next.exitCode, 0) << next.output;
    EXPECT_EQ(readBytes(dir.scoreFile()), record("Kept", 100) + descending(0, 9));
    EXPECT_FALSE(fs::exists(dir.scoreFile() + ".tmp"));
}

// A folder the user may read but not write: the table can still be consulted,
// an update is refused with the system's reason and changes nothing. Root
// writes anywhere, so as root the writer drops to an unprivileged user.
TEST(ScoreFileProcesses, AReadOnlyFolderReportsTheReasonAndKeepsTheTable) {
    TempFolder dir;
    writeBytes(dir.scoreFile(), descending());
    std::vector<std::string> as;
    if (::geteuid() == 0) {
        fs::permissions(dir.path(), fs::perms::owner_all | fs::perms::group_read |
                                        fs::perms::group_exec | fs::perms::others_read |
                                        fs::perms::others_exec);
        fs::permissions(dir.scoreFile(), fs::perms::owner_read | fs::perms::owner_write |
                                             fs::perms::group_read | fs::perms::others_read);
        as = {"--as-nobody"};
    } else {
        fs::permissions(dir.path(), fs::perms::owner_read | fs::perms::owner_exec);
    }
    auto with = [&as](std::vector<std::string> args) {
        args.insert(args.end(), as.begin(), as.end());
        return args;
    };

    const Finished consult = runWriter(with({"ishigh", dir.str(), "5"}));
    if (consult.exitCode == 4)
        GTEST_SKIP() << "cannot switch to an unprivileged user";
    EXPECT_EQ(consult.exitCode, 0) << consult.output;
    EXPECT_EQ(consult.output, "1\n");

    const Finished update = runWriter(with({"add", dir.str(), "X", "55"}));
    EXPECT_EQ(update.exitCode, 2);
    EXPECT_EQ(update.output, "Cannot write " + dir.scoreFile() + ": Permission denied\n");
    EXPECT_EQ(readBytes(dir.scoreFile()), descending());
    EXPECT_EQ(folderEntries(dir), std::set<std::string>{"High Scores.rnd"});

    // With no file yet there is nothing to consult and nowhere to create one.
    fs::permissions(dir.path(), fs::perms::owner_write, fs::perm_options::add);
    fs::remove(dir.scoreFile());
    if (::geteuid() != 0)
        fs::permissions(dir.path(), fs::perms::owner_write, fs::perm_options::remove);
    const Finished missing = runWriter(with({"ishigh", dir.str(), "5"}));
    EXPECT_EQ(missing.exitCode, 2);
    EXPECT_EQ(missing.output, "Cannot create " + dir.scoreFile() + ": Permission denied\n");
    EXPECT_TRUE(folderEntries(dir).empty());
}

// Two programs finish games at the same instant, a hundred times over. Each
// round's two scores are the best so far, so after every round the table must
// hold both of them above the previous rounds' entries.
TEST(ScoreFileProcesses, TwoProgramsAddingAtOnceBothKeepTheirEntries) {
    TempFolder dir;
    std::vector<std::string> expected;  // names, best first
    for (int round = 0; round < 100; ++round) {
        const auto now = std::chrono::steady_clock::now().time_since_epoch();
        const std::string start = std::to_string(
            std::chrono::duration_cast<std::chrono::nanoseconds>(now).count() + 15'000'000);
        const std::string a = "A" + std::to_string(round);
        const std::string b = "B" + std::to_string(round);
        Writer first({"add", dir.str(), a, std::to_string(10 + 2 * round), "--at", start});
        Writer second({"add", dir.str(), b, std::to_string(11 + 2 * round), "--at", start});
        const Finished f1 = first.finish();
        const Finished f2 = second.finish();
        ASSERT_EQ(f1.exitCode, 0) << f1.output;
        ASSERT_EQ(f2.exitCode, 0) << f2.output;

        expected.insert(expected.begin(), {b, a});
        if (expected.size() > 10)
            expected.resize(10);
        const std::string table = readBytes(dir.scoreFile());
        ASSERT_EQ(table.size(), 360u);
        for (std::size_t i = 0; i < expected.size(); ++i) {
            const int points = 11 + 2 * round - static_cast<int>(i);
            ASSERT_EQ(table.substr(i * 36, 36), record(expected[i], points))
                << "round " << round << ", position " << i + 1;
        }
    }
}

}  // namespace
