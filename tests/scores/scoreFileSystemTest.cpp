// The high-score file among files that are not what they seem, used by a
// process of an unprivileged player, and what that player sees.
#include <gtest/gtest.h>
#include <sys/stat.h>

#include <QStringList>
#include <set>

#include "scoreTestFiles.h"
#include "scores/programScoreTable.h"

using namespace quillbox::scores;
using namespace scoretest;

namespace {

const std::string kNew = descending(0, 4) + record("X", 55) + descending(4, 5);

// The folder's names, its subfolders' included, and which table the file
// (where its link leads) holds.
std::string state(const TempFolder& d) {
    std::set<std::string> names;
    for (const auto& e : fs::recursive_directory_iterator(d.path))
        names.insert(e.path().lexically_relative(d.path).string());
    std::string s;
    for (const std::string& name : names)
        s += name + ", ";
    std::error_code ec;
    const std::string t = fs::is_regular_file(d.scoreFile(), ec) ? readBytes(d.scoreFile()) : "";
    return s + (t == descending() ? "old" : t == kNew ? "new" : t.empty() ? "no table" : "empty");
}

// What the player's process returned, or for a failure the title and text of
// the message the player sees.
QString seen(const std::pair<int, std::string>& run) {
    if (run.first != 2)
        return QString::fromStdString(run.second);
    const QStringList lines = QString::fromStdString(run.second).split('\n');
    const ScoreFileError e(static_cast<ScoreFileError::Action>(lines.value(0).toInt()),
                           lines.value(1).toStdString(), lines.value(2).toStdString());
    return scoreFileErrorTitle(e) + ": " + scoreFileErrorText(e);
}

std::string message(const std::string& lead, const std::string& file, const std::string& reason) {
    return lead + ":\n\n" + file + "\n\n" + reason + ".";
}
const std::string kNotSaved =
    "High Score Not Saved: Your score could not be saved in the high-score table";
const std::string kNotRead = "High Scores Unavailable: The high-score table could not be read";
const std::string kNotMade = "High Scores Unavailable: The high-score table could not be created";
const std::string kT = "%1/High Scores.rnd", kL = "%1/High Scores.rnd.lock";

// Each starts from the table 90, 80, ..., 0, the player's, in a folder anyone
// may write (%1), and runs its set-up there as root with T and L naming the
// table and its lock file. A set-up that makes another user's file fails when
// the tests do not run as root, and its case is left out.
const struct {
    const char* what;
    const char* setUp;
    const char* command;
    std::string seen;
    const char* state;
} kCases[] = {
    {"leftovers of killed updates go, other files stay",
     R"(mkdir "$T.tmp"; touch "$T.tmp.k1ll3d" "$T.tmp.notes")", "add %1 X 55", "",
     "High Scores.rnd, High Scores.rnd.lock, High Scores.rnd.tmp, High Scores.rnd.tmp.notes, new"},
    {"a write-protected table", R"(chmod 444 "$T")", "add %1 X 55",
     message(kNotSaved, kT, "Not writable (Permission denied)"), "High Scores.rnd, old"},
    {"another user's table the player may write", R"(chown 0 "$T"; chmod 666 "$T")", "add %1 X 55",
     "", "High Scores.rnd, High Scores.rnd.lock, new"},
    {"an unreadable table", R"(chmod 000 "$T")", "ishigh %1 5",
     message(kNotRead, kT, "Permission denied"), "High Scores.rnd, old"},
    {"a read-only folder", "chmod 555 .", "add %1 X 55", "", "High Scores.rnd, new"},
    {"a read-only folder with a lock file", R"(touch "$L"; chmod 555 .)", "add %1 X 55", "",
     "High Scores.rnd, High Scores.rnd.lock, new"},
    {"a read-only folder without a table", R"(rm "$T"; chmod 555 .)", "ishigh %1 5",
     message(kNotMade, kT, "Permission denied"), "no table"},
    {"a lock file that is a folder", R"(mkdir "$L")", "add %1 X 55",
     message(kNotSaved, kL, "Is a directory"), "High Scores.rnd, High Scores.rnd.lock, old"},
    {"another user's lock file", R"(touch "$L"; chown 0 "$L"; chmod 600 "$L")", "add %1 X 55",
     message(kNotSaved, kL, "Permission denied"), "High Scores.rnd, High Scores.rnd.lock, old"},
    {"a link to a table elsewhere", R"(mkdir -m 777 real; mv "$T" real; ln -s "real/$T" "$T")",
     "add %1 X 55", "",
     "High Scores.rnd, real, real/High Scores.rnd, real/High Scores.rnd.lock, new"},
    {"a dangling link", R"(mkdir -m 777 real; rm "$T"; ln -s "$PWD/real/$T" "$T")", "ishigh %1 5",
     "1\n", "High Scores.rnd, real, real/High Scores.rnd, real/High Scores.rnd.lock, empty"},
    {"a link that loops", R"(rm "$T"; ln -s "$T" "$T")", "ishigh %1 5",
     message(kNotRead, kT, "Too many levels of symbolic links"), "High Scores.rnd, no table"},
    {"a FIFO", R"(rm "$T"; mkfifo "$T")", "ishigh %1 5",
     message(kNotRead, kT, "Not a regular file"), "High Scores.rnd, no table"},
    {"a link to /dev/zero", R"(rm "$T"; ln -s /dev/zero "$T")", "add %1 X 55",
     message(kNotSaved, "/dev/zero", "Not a regular file"), "High Scores.rnd, no table"},
    {"a folder as the table", R"(rm "$T"; mkdir "$T")", "ishigh %1 5",
     message(kNotRead, kT, "Is a directory"), "High Scores.rnd, no table"},
    {"a folder as the table, when saving", R"(rm "$T"; mkdir "$T")", "add %1 X 55",
     message(kNotSaved, kT, "Is a directory"), "High Scores.rnd, no table"},
    {"a missing folder", "", "ishigh %1/gone 5",
     message(kNotMade, "%1/gone/High Scores.rnd", "No such file or directory"),
     "High Scores.rnd, old"},
};

// A table that stays a file keeps its owner and mode, whatever happens.
TEST(ScoreFileSystem, EachOddFileIsUsedOrLeftAloneWithAMessageNamingTheFileThatFailed) {
    for (const auto& c : kCases) {
        SCOPED_TRACE(c.what);
        TempFolder d;
        writeBytes(d.scoreFile(), descending());
        const std::string script =
            "(set -e; cd '" + d.path + "'; T='High Scores.rnd'; L=\"$T.lock\"; " +
            (kRoot ? "chown 65534 \"$T\"; " : "") + c.setUp + ") 2>/dev/null";
        if (std::system(script.c_str()) != 0) {
            ASSERT_FALSE(kRoot);
            continue;
        }
        struct stat before {};
        struct stat after {};
        const bool kept = ::stat(d.scoreFile().c_str(), &before) == 0;
        const QStringList command = QString(c.command).replace("%1", d.path.c_str()).split(' ');
        const Child player(true, [&] {
            ScoreFile file(command[1].toStdString());
            if (command[0] == "add")
                return file.addScore(command[2].toStdString(), command[3].toInt()), std::string();
            return std::to_string(file.isHigh(command[2].toInt())) + "\n";
        });
        EXPECT_EQ(seen(player.finish()),
                  QString::fromStdString(c.seen).replace("%1", d.path.c_str()));
        EXPECT_EQ(state(d), c.state);
        if (kept && ::stat(d.scoreFile().c_str(), &after) == 0) {
            EXPECT_EQ(std::pair(after.st_uid, after.st_mode),
                      std::pair(before.st_uid, before.st_mode));
        }
        fs::permissions(d.path, fs::perms::all);  // so that it can be removed
    }
}

}  // namespace
