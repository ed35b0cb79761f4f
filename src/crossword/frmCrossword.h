#pragma once
// The Crossword window: the staircase grid, its clues, the run counter and
// the Generate / Check / Show buttons. The rules live in Board;
// this window turns clicks and typing into board calls and shows the result.
//
// From the keyboard the grid is one stop of the Tab order, entered at the
// first cell still to fill; there arrows move between cells, a letter fills
// the cell and moves on along its word, Backspace clears back, Delete clears,
// and Space, Enter or F2 open the cell's entry box as a click does.
#include <QMainWindow>
#include <array>

#include "crossword/board.h"
#include "ui/singleInstance.h"

class QAction;
class QKeyEvent;
class QLabel;
class QMenu;
class QPushButton;

namespace quillbox::ui {
class MaskedLetterBox;
}

namespace quillbox::crossword {

class CellLabel;
class frmCrossword : public QMainWindow, public ui::SingleInstance<frmCrossword> {
    Q_OBJECT
  public:
    explicit frmCrossword(QWidget* parent = nullptr);
    ~frmCrossword() override;

    QMenu* mnuFile;
    QAction* mnuFileExit;
    QMenu* mnuHelp;
    QAction* mnuHelpRules;
    QAction* mnuHelpAbout;

    QLabel* Label1;
    QLabel* lblRunCount;
    std::array<CellLabel*, kCellCount> lblBox{};
    std::array<ui::MaskedLetterBox*, kCellCount> mskBox{};
    QLabel* lbl1;
    QLabel* lbl2;
    QLabel* lbl3;
    QLabel* lbl4;
    QLabel* lblAcross;
    QLabel* lbl1A;
    QLabel* lbl3A;
    QLabel* lbl4A;
    QLabel* lbl1Adef;
    QLabel* lbl3Adef;
    QLabel* lbl4Adef;
    QLabel* lblDown;
    QLabel* lbl1D;
    QLabel* lbl2D;
    QLabel* lbl3D;
    QLabel* lbl1Ddef;
    QLabel* lbl2Ddef;
    QLabel* lbl3Ddef;
    QPushButton* cmdGenerate;
    QPushButton* cmdCheckSolution;
    QPushButton* cmdShowSolution;

    void cmdGenerate_Click();
    void cmdCheckSolution_Click();
    void cmdShowSolution_Click();
    void lblBox_Click(int index);
    void mskBox_GotFocus(int index);
    void mskBox_LostFocus(int index);
    // True when the key was used.
    bool lblBox_KeyDown(int index, const QKeyEvent& key);
    bool mskBox_KeyDown(int index, const QKeyEvent& key);
    void mnuFileExit_Click();
    void mnuHelpRules_Click();
    void mnuHelpAbout_Click();

    const Board& board() const { return board_; }
    // The cell whose entry box is open, or -1.
    int editedCell() const { return editedCell_; }

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    bool focusNextPrevChild(bool next) override;
    void closeEvent(QCloseEvent* event) override;

  private:
    void commitEntry(int index);
    void commitOpenEntry();
    // Opens a cell and leaves `letters` in it, as a click and the entry box would.
    void fillCell(int index, const QString& letters);
    // Where Tab enters the grid: the first cell empty or marked wrong, else
    // the first cell; -1 while the grid is locked.
    int firstOpenCell() const;
    void render();
    void renderCell(int index);
    // Each clue label with the entry whose definition it shows.
    std::array<std::pair<QLabel*, Entry>, kEntryCount> clueLabels() const;

    Board board_;
    int editedCell_ = -1;
    // The way typing moves on: set by the last arrow key.
    Direction typingDirection_ = Direction::Across;
};

}  // namespace quillbox::crossword
