#pragma once
// The high-score file "High Scores.rnd" in one folder. No operation keeps the
// file open between calls. Updates never touch the file in place: the whole
// new table goes to a temporary file beside it, is flushed to disk and then
// renamed over the old one, so a crash, a full disk or a killed process leaves
// either the old table or the new one, never a mixture. The read-modify-write
// runs under an exclusive lock on "High Scores.rnd.lock", so two copies of the
// program finishing games at the same moment both keep their entries.
#include <functional>
#include <stdexcept>
#include <string>

#include "scores/scoreRecords.h"
#include "scores/scoreTable.h"

namespace quillbox::scores {

// A file operation failed. Carries the high-score file's path and the
// system's reason, for a message that names both.
class ScoreFileError : public std::runtime_error {
  public:
    enum class Action { Create, Read, Write };

    ScoreFileError(Action action, std::string path, std::string reason);

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

    // Sets scoreFilePath() and creates the file with ten empty records when it
    // is missing. An existing file is used as it is, whatever its size.
    void prepareScoreFile();
    const std::string& scoreFilePath() const { return scoreFilePath_; }

    // Writes ten empty records (360 zero bytes) at path, atomically. Replaces
    // whatever is there, so callers hold the lock and call it only for a
    // missing file.
    static void createScoreFile(const std::string& path);

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
    void ensureFileExists(bool lockHeld);

    std::string folder_;
    std::string scoreFilePath_;
    std::function<void()> beforeReplace_;
};

}  // namespace quillbox::scores
