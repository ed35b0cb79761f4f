#pragma once
// The high-score file as the windows use it: beside the program, or the
// player's own in a system install (see ui/programFolder.h). A file that
// cannot be created, read or written is reported in a message box naming the
// file that failed (the table, where its link leads, or its lock file) and the
// reason, and the game goes on without the table.
#include <QString>

#include "scores/scoreFile.h"
#include "scores/scoreTable.h"

class QWidget;

namespace quillbox::scores {

// The engine's table in ui::scoreFolder(). In the system layout that folder
// and its missing parents are created first; throws ScoreFileError (Create)
// naming the file and the reason when that fails.
ScoreFile programScoreFile();

// Title and text of the message box for a failed file operation.
QString scoreFileErrorTitle(const ScoreFileError& error);
QString scoreFileErrorText(const ScoreFileError& error);
void reportScoreFileError(QWidget* parent, const ScoreFileError& error);

// What the end of a Classic game consults and updates.
class ProgramScoreTable : public ScoreTable {
  public:
    // parent: the window the message boxes belong to.
    explicit ProgramScoreTable(QWidget* parent = nullptr);

    // False when the file cannot be created or read: nothing can be entered.
    bool isHigh(std::int32_t points) override;
    // name: UTF-8. When the file cannot be written the entry is not stored.
    void addScore(const std::string& name, std::int32_t points) override;

  private:
    QWidget* parent_;
};

}  // namespace quillbox::scores
