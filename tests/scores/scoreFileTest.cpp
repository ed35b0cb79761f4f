// The high-score file on disk: its exact bytes after each kind of update,
// damaged files, unusable folders, crashes and two programs at once.
#include <fcntl.h>
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <time.h>
#include <unistd.h>

#include <csignal>
#include <set>
#include <stdexcept>
#include <vector>

#include "scoreTestFiles.h"
#include "scores/scoreFile.h"

using namespace quillbox;
using scoretest::emptyRecord;
using scoretest::readBytes;
using scoretest::record;
using scoretest::TempFolder;
using scoretest::writeBytes;

namespace {

namespace fs = std::filesystem;

std::string emptyTable() {
    return std::string(360, '\0');
}

// Ten entries scoring 90, 80, ..., 0 named after their scores.
std::string descendingTable() {
    std::string t;
    for (int p = 90; p >= 0; p -= 10)
        t += record("P" + std::to_string(p), p);
    return t;
}

std::set<std::string> folderEntries(const TempFolder& dir) {
    std::set<std::string> names;
    for (const auto& e : fs::directory_iterator(dir.path()))
        names.insert(e.path().filename());
    return names;
}

class ScoreFileTest : public ::testing::Test {
  protected:
    std::string bytes() const { return readBytes(dir.scoreFile()); }
    void store(const std::string& b) const { writeBytes(dir.scoreFile(), b); }

    TempFolder dir;
    ScoreFile file{dir.str()};
};

TEST_F(ScoreFileTest, AMissingFileIsCreatedWithTenEmptyRecords) {
    EXPECT_FALSE(fs::exists(dir.scoreFile()));
    EXPECT_FALSE(file.isHigh(0));
    EXPECT_EQ(file.scoreFilePath(), dir.scoreFile());
    EXPECT_EQ(bytes(), emptyTable());
    EXPECT_TRUE(file.isHigh(1));
    EXPECT_FALSE(file.isHigh(-1));

    fs::remove(dir.scoreFile());
    ScoreFile::createScoreFile(dir.scoreFile());
    EXPECT_EQ(bytes(), emptyTable());

    fs::remove(dir.scoreFile());
    file.readScores();
    EXPECT_EQ(bytes(), emptyTable());
}

TEST_F(ScoreFileTest, AnExistingFileIsUsedAsItIs) {
    store("short");
    file.prepareScoreFile();
    EXPECT_EQ(bytes(), "short");
    EXPECT_TRUE(file.isHigh(1));
    EXPECT_EQ(bytes(), "short");
}

TEST_F(ScoreFileTest, ANewLowestEntryTakesPositionTenAndDropsTheOld) {
    store(descendingTable());
    EXPECT_FALSE(file.isHigh(0));
    EXPECT_TRUE(file.isHigh(5));
    file.addScore("X", 5);
    EXPECT_EQ(bytes(), descendingTable().substr(0, 9 * 36) + record("X", 5));
}

TEST_F(ScoreFileTest, ANewBestEntryPushesEveryoneDown) {
    store(descendingTable());
    file.addScore("Champion", 1234567);
    EXPECT_EQ(bytes(), record("Champion", 1234567) + descendingTable().substr(0, 9 * 36));
    EXPECT_EQ(bytes().substr(15, 4), std::string("\x87\xD6\x12\x00", 4));
}

TEST_F(ScoreFileTest, ATieGoesBelowTheEarlierEntry) {
    const std::string before = record("A", 70) + record("B", 60) + record("OLD50", 50) +
                               record("C", 40) + record("D", 30) + record("E", 20) +
                               record("F", 10) + record("G", 5) + record("H", 2) + record("I", 1);
    store(before);
    file.addScore("NEW50", 50);
    EXPECT_EQ(bytes(),
              before.substr(0, 3 * 36) + record("NEW50", 50) + before.substr(3 * 36, 6 * 36));
}

TEST_F(ScoreFileTest, ALowerScoreLeavesTheFileUntouched) {
    store(descendingTable());
    file.addScore("Low", 0);
    file.addScore("Lower", -25);
    EXPECT_EQ(bytes(), descendingTable());
    // An empty table takes no score of zero or below either.
    fs::remove(dir.scoreFile());
    file.addScore("Zero", 0);
    EXPECT_EQ(bytes(), emptyTable());
}

TEST_F(ScoreFileTest, EntriesFillAnEmptyTableInOrder) {
    file.addScore("Second", 20);
    file.addScore("First", 30);
    file.addScore("Third", 10);
    file.addScore("Also20", 20);
    EXPECT_EQ(bytes(), record("First", 30) + record("Second", 20) + record("Also20", 20) +
                           record("Third", 10) + emptyRecord() + emptyRecord() + emptyRecord() +
                           emptyRecord() + emptyRecord() + emptyRecord());
}

TEST_F(ScoreFileTest, NamesAreCutToFifteenAndStoredInTheWindowsCodePage) {
    file.addScore("ABCDEFGHIJKLMNOPQRST", 40);
    file.addScore("Sam", 30);
    file.addScore("Zoë €", 20);
    file.addScore("日本", 10);
    const std::string b = bytes();
    EXPECT_EQ(b.substr(0, 15), "ABCDEFGHIJKLMNO");
    EXPECT_EQ(b.substr(36, 15), "Sam            ");
    EXPECT_EQ(b.substr(72, 15), "Zo\xEB \x80          ");
    EXPECT_EQ(b.substr(108, 15), "??             ");
    const ScoreRecords r = file.readScores();
    EXPECT_EQ(nameText(r[2]), "Zoë €          ");
}

TEST_F(ScoreFileTest, AShortFileReadsItsMissingRecordsAsEmpty) {
    // Two whole records and the data bytes of a third.
    const std::string partial = record("A", 9) + record("B", 8) + record("C", 7).substr(0, 19);
    store(partial);
    ScoreRecords r = file.readScores();
    EXPECT_EQ(r[2].points, 7);
    for (int i = 3; i < 10; ++i)
        EXPECT_EQ(r[i], ScoreRecord{});
    EXPECT_TRUE(file.isHigh(1));

    file.addScore("D", 3);
    EXPECT_EQ(bytes(), record("A", 9) + record("B", 8) + record("C", 7) + record("D", 3) +
                           std::string(6 * 36, '\0'));

    // A record cut inside its data bytes counts as missing.
    store(record("A", 9) + record("B", 8).substr(0, 18));
    r = file.readScores();
    EXPECT_EQ(r[1], ScoreRecord{});
    file.addScore("E", 1);
    EXPECT_EQ(bytes(), record("A", 9) + record("E", 1) + std::string(8 * 36, '\0'));

    store("");
    EXPECT_EQ(file.readScores(), ScoreRecords{});
    file.addScore("F", 2);
    EXPECT_EQ(bytes(), record("F", 2) + std::string(9 * 36, '\0'));
}

TEST_F(ScoreFileTest, ALongFileIsReadForItsFirstTenAndKeepsTheRest) {
    const std::string trailer = record("Eleventh", 999) + "tail";
    store(descendingTable() + trailer);
    EXPECT_EQ(file.readScores()[0].points, 90);
    EXPECT_FALSE(file.isHigh(0));  // the 999 beyond the tenth record does not count

    file.addScore("Low", -1);
    EXPECT_EQ(bytes(), descendingTable() + trailer);
    file.addScore("X", 85);
    EXPECT_EQ(bytes(),
              record("P90", 90) + record("X", 85) + descendingTable().substr(36, 8 * 36) + trailer);
}

TEST_F(ScoreFileTest, AGarbageFileIsReadAsBytesAndRewrittenCleanly) {
    std::string garbage;
    for (int i = 0; i < 360; ++i)
        garbage += static_cast<char>((i * 73 + 41) % 256);
    store(garbage);
    const ScoreRecords before = file.readScores();
    EXPECT_EQ(before[0].points, 0x4B02B970);

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
    store(descendingTable());
    fs::permissions(dir.scoreFile(), fs::perms::owner_read | fs::perms::owner_write);
    file.addScore("X", 55);
    EXPECT_EQ(folderEntries(dir),
              (std::set<std::string>{"High Scores.rnd", "High Scores.rnd.lock"}));
    EXPECT_EQ(fs::status(dir.scoreFile()).permissions() & fs::perms::all,
              fs::perms::owner_read | fs::perms::owner_write);
}

TEST_F(ScoreFileTest, ATableReachedByALinkIsUpdatedWhereItLives) {
    TempFolder elsewhere;
    writeBytes(elsewhere.scoreFile(), descendingTable());
    fs::create_symlink(elsewhere.scoreFile(), dir.scoreFile());
    file.addScore("X", 95);
    EXPECT_TRUE(fs::is_symlink(dir.scoreFile()));
    EXPECT_EQ(readBytes(elsewhere.scoreFile()),
              record("X", 95) + descendingTable().substr(0, 9 * 36));
}

TEST_F(ScoreFileTest, AnUpdateInterruptedBeforeTheRenameLeavesTheOldTable) {
    store(descendingTable());
    file.setBeforeReplaceHook([this] {
        // The new table is complete beside the old one at this moment.
        EXPECT_EQ(readBytes(dir.scoreFile() + ".tmp").substr(0, 36), record("Lost", 100));
        throw std::runtime_error("crash");
    });
    EXPECT_THROW(file.addScore("Lost", 100), std::runtime_error);
    EXPECT_EQ(bytes(), descendingTable());
    EXPECT_FALSE(fs::exists(dir.scoreFile() + ".tmp"));

    file.setBeforeReplaceHook({});
    file.addScore("Kept", 100);
    EXPECT_EQ(bytes().substr(0, 36), record("Kept", 100));
}

void expectFileError(const std::function<void()>& operation, ScoreFileError::Action action,
                     const std::string& path, const std::string& reason) {
    try {
        operation();
        ADD_FAILURE() << "no error for " << path;
    } catch (const ScoreFileError& e) {
        EXPECT_EQ(e.action(), action);
        EXPECT_EQ(e.path(), path);
        EXPECT_EQ(e.reason(), reason);
        EXPECT_NE(std::string(e.what()).find(path), std::string::npos) << e.what();
        EXPECT_NE(std::string(e.what()).find(reason), std::string::npos) << e.what();
    }
}

TEST(ScoreFileErrors, AMissingFolderCannotHoldTheFile) {
    TempFolder dir;
    const std::string folder = (dir.path() / "gone").string();
    ScoreFile file(folder);
    const std::string path = folder + "/High Scores.rnd";
    expectFileError([&] { file.isHigh(1); }, ScoreFileError::Action::Create, path,
                    "No such file or directory");
    expectFileError([&] { file.addScore("A", 1); }, ScoreFileError::Action::Write, path,
                    "No such file or directory");
    expectFileError([&] { file.readScores(); }, ScoreFileError::Action::Create, path,
                    "No such file or directory");
}

TEST(ScoreFileErrors, AFolderThatIsAFile) {
    TempFolder dir;
    const std::string folder = (dir.path() / "plain").string();
    writeBytes(folder, "not a folder");
    ScoreFile file(folder);
    const std::string path = folder + "/High Scores.rnd";
    expectFileError([&] { file.isHigh(1); }, ScoreFileError::Action::Read, path, "Not a directory");
    expectFileError([&] { file.addScore("A", 1); }, ScoreFileError::Action::Write, path,
                    "Not a directory");
}

TEST(ScoreFileErrors, AFileThatCannotBeRead) {
    TempFolder dir;
    fs::create_directory(dir.scoreFile());
    ScoreFile file(dir.str());
    expectFileError([&] { file.isHigh(1); }, ScoreFileError::Action::Read, dir.scoreFile(),
                    "Is a directory");
    expectFileError([&] { file.addScore("A", 1); }, ScoreFileError::Action::Read, dir.scoreFile(),
                    "Is a directory");
    EXPECT_TRUE(fs::is_directory(dir.scoreFile()));
}

// --- Separate processes -----------------------------------------------------

struct Finished {
    int exitCode = -1;
    int signal = 0;
    std::string output;
};

class Writer {
  public:
    explicit Writer(const std::vector<std::string>& args) {
        int fds[2];
        if (::pipe2(fds, O_CLOEXEC) != 0)
            throw std::runtime_error("pipe");
        pid_ = ::fork();
        if (pid_ == 0) {
            ::dup2(fds[1], 1);
            ::dup2(fds[1], 2);
            std::vector<char*> argv;
            std::string program = QUILLBOX_SCORE_WRITER;
            argv.push_back(program.data());
            std::vector<std::string> copy = args;
            for (auto& a : copy)
                argv.push_back(a.data());
            argv.push_back(nullptr);
            ::execv(program.c_str(), argv.data());
            ::_exit(127);
        }
        ::close(fds[1]);
        out_ = fds[0];
    }

    Finished finish() {
        Finished f;
        char buf[512];
        for (ssize_t n; (n = ::read(out_, buf, sizeof buf)) > 0;)
            f.output.append(buf, n);
        ::close(out_);
        int status = 0;
        ::waitpid(pid_, &status, 0);
        if (WIFEXITED(status))
            f.exitCode = WEXITSTATUS(status);
        if (WIFSIGNALED(status))
            f.signal = WTERMSIG(status);
        return f;
    }

  private:
    pid_t pid_ = -1;
    int out_ = -1;
};

Finished runWriter(const std::vector<std::string>& args) {
    return Writer(args).finish();
}

long long monotonicNanos() {
    timespec ts{};
    ::clock_gettime(CLOCK_MONOTONIC, &ts);
    return ts.tv_sec * 1000000000LL + ts.tv_nsec;
}

TEST(ScoreFileProcesses, AProgramKilledBeforeTheRenameLeavesTheOldTable) {
    TempFolder dir;
    writeBytes(dir.scoreFile(), descendingTable());
    const Finished killed = runWriter({"add", dir.str(), "Lost", "100", "--kill-before-rename"});
    EXPECT_EQ(killed.signal, SIGKILL) << killed.output;
    EXPECT_EQ(readBytes(dir.scoreFile()), descendingTable());
    // Its complete temporary table is left behind; the next update replaces it.
    EXPECT_TRUE(fs::exists(dir.scoreFile() + ".tmp"));

    const Finished next = runWriter({"add", dir.str(), "Kept", "100"});
    EXPECT_EQ(next.exitCode, 0) << next.output;
    EXPECT_EQ(readBytes(dir.scoreFile()),
              record("Kept", 100) + descendingTable().substr(0, 9 * 36));
    EXPECT_FALSE(fs::exists(dir.scoreFile() + ".tmp"));
}

// A folder the user may read but not write: the table can still be consulted,
// an update is refused with the system's reason and changes nothing. Root
// writes anywhere, so as root the writer drops to an unprivileged user.
TEST(ScoreFileProcesses, AReadOnlyFolderReportsTheReasonAndKeepsTheTable) {
    TempFolder dir;
    writeBytes(dir.scoreFile(), descendingTable());
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
    EXPECT_EQ(readBytes(dir.scoreFile()), descendingTable());
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
        const std::string start = std::to_string(monotonicNanos() + 15'000'000);
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
