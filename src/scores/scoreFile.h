#pragma once
// The high-score file "High Scores.rnd" in one folder. No operation keeps the
// file open between calls.
//
// Which file: a symbolic link is followed to the file it names, and every
// operation works there (a dangling link gets its file created where it
// points; the link itself is never replaced). Only a regular file is opened,
// without blocking, so a FIFO or a device is refused, and reads never go
// beyond the 360 bytes of the table plus the tail the file's size gives.
//
// Updates: the new table (and any bytes the old file had past its tenth
// record) goes to a uniquely named temporary file beside the real file, is
// flushed to disk and renamed over it, so a crash, a full disk or a killed
// process leaves the old table or the new one, never a mixture. Leftover
// temporary files of killed updates are removed by the next update. When the
// folder refuses new files (a system-wide install with a shared, writable
// table), or the replacement could not keep the table's owner, the 360 bytes
// are rewritten in place instead. A table the user may not write is never
// touched.
//
// Locks: an update holds an exclusive lock on "High Scores.rnd.lock" beside
// the real file (when the folder has one or lets us make one) and on the table
// itself; a reader holds a shared lock on the table. A lock on a table that was
// replaced meanwhile is dropped and taken again on the new one. So copies of
// the program finishing games at the same moment all keep their entries,
// whichever way each of them writes.
#include <functional>
#include <stdexcept>
#include <string>

#include "scores/scoreRecords.h"
#include "scores/scoreTable.h"

namespace quillbox::scores {

// A file operation failed. Carries the file that failed (the table where its
// link leads, or its lock file) and the reason, for a message naming both.
class ScoreFileError : public std::runtime_error {
  public:
    enum class Action { Create, Read, Write };

    ScoreFileError(Action action, std::string path, std::string reason);

    // What the player was doing: consulting (Read), creating the missing
    // table (Create) or saving a score (Write).
    Action action() const { return action_; }
    const std::string& path() const { return path_; }
    const std::string& reason() const { return reason_; }

  private:
    Action action_;
    std::string path_;
    std::string reason_;
};

class ScoreFile : public ScoreTable {
  public:
    // folder: where the file lives (the program's folder), in the file
    // system's own encoding.
    explicit ScoreFile(std::string folder);

    // The ten records as stored; a short file's missing records are empty.
    ScoreRecords readScores();

    // All throw ScoreFileError when the file cannot be created, read or written.
    bool isHigh(std::int32_t points) override;
    void addScore(const std::string& name, std::int32_t points) override;

    // Runs after the new table is safely in the temporary file and before it
    // replaces the old one: lets tests crash an update at its most delicate
    // moment.
    void setBeforeReplaceHook(std::function<void()> hook) { beforeReplace_ = std::move(hook); }

  private:
    // Follows "High Scores.rnd" through its links and creates a missing file
    // with ten empty records (group-writable in a set-group-ID folder, the
    // usual way to share a folder among players); an existing file is used as
    // it is, whatever its size. Returns the path of the real file.
    std::string prepareScoreFile(ScoreFileError::Action action);

    std::string folder_;
    std::function<void()> beforeReplace_;
};

}  // namespace quillbox::scores
