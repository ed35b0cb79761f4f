#pragma once
// The Crossword window: the staircase grid, its clues, the run counter and
// the Generate / Check / Show buttons. The rules live in Board;
// this window turns clicks and typing into board calls and shows the result.
#include <QMainWindow>
#include <array>

#include "crossword/board.h"
#include "ui/singleInstance.h"

class QAction;
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
    void mnuFileExit_Click();
    void mnuHelpRules_Click();
    void mnuHelpAbout_Click();

    const Board& board() const { return board_; }
    // The cell whose entry box is open, or -1.
    int openCell() const { return openCell_; }

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

  private:
    void commitEntry(int index);
    void commitOpenEntry();
    void showCell(int index);
    void showBoard();
    void showClue(QLabel* label, Entry entry);

    Board board_;
    int openCell_ = -1;
};

}  // namespace quillbox::crossword
