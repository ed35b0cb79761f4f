#pragma once
// The Classic game window. It renders the ClassicGame and turns clicks,
// drags and menu choices into calls on it; the rules live in the game.
#include <QColor>
#include <QMainWindow>
#include <array>
#include <memory>
#include <optional>

#include "classic/classicPort.h"
#include "classic/legalPlayFinder.h"
#include "classic/rack.h"
#include "ui/singleInstance.h"

class QAction;
class QCheckBox;
class QKeyEvent;
class QLabel;
class QPushButton;

namespace quillbox::ui {
class RichTextBox;
}
namespace quillbox::scores {
class ScoreTable;
}

namespace quillbox::classic {

class ClassicGame;
class RackView;
class TileLabel;

class frmMain : public QMainWindow, public ui::SingleInstance<frmMain>, private ClassicPort {
    Q_OBJECT
  public:
    explicit frmMain(QWidget* parent = nullptr);
    ~frmMain() override;

    ClassicGame& game() { return *game_; }

    // Controls, named as on the design.
    QWidget* client;
    // The rack holds the slots and the keyboard cursor; it takes the focus.
    RackView* rack;
    std::array<TileLabel*, 10> lblTile{};
    std::array<QLabel*, 11> lblSpacer{};
    std::array<QLabel*, 11> imgSpacer{};
    ui::RichTextBox* rtfPlays;
    QLabel* lblDefinition;
    ui::RichTextBox* rtfHidden;
    QPushButton* cmdPlayWord;
    QPushButton* cmdDrawTiles;
    QPushButton* cmdStartGame;
    ui::RichTextBox* rtfPotentials;
    QCheckBox* chkLearnMode;
    QLabel* Label1;
    QLabel* lblBagCount;
    QLabel* Label2;
    QLabel* lblPoints;
    QLabel* lblCountdown2;
    QLabel* lblCountdown;
    QAction* mnuFileHighScores;
    QAction* mnuFileSaveResults;
    QAction* mnuFilePrintResults;
    QAction* mnuFileExit;
    QAction* mnuHelpRules;
    QAction* mnuHelpAbout;

    void cmdStartGame_Click();
    void cmdDrawTiles_Click();
    void cmdPlayWord_Click();
    void chkLearnMode_Click();
    void mnuFileHighScores_Click();
    void mnuFileSaveResults_Click();
    void mnuFilePrintResults_Click();
    void mnuFileExit_Click();
    void mnuHelpRules_Click();
    void mnuHelpAbout_Click();
    void rtfPlays_MouseUp();
    void rtfPotentials_MouseUp();

    // Adds one line at the end of target, composed in rtfHidden: the whole line
    // in colour (when given), the characters at u1 and u2 underlined (-1: none).
    void appendFormatted(ui::RichTextBox& target, const QString& text, std::optional<QColor> color,
                         int u1, int u2);

    // Slot i in the client area's coordinates.
    QRect slotRect(int i) const;

  protected:
    void closeEvent(QCloseEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    // What the game asks of its window.
    void message(const std::string& text, const std::string& title) override;
    std::string input(const std::string& prompt, const std::string& title,
                      const std::string& defaultAnswer) override;
    std::string pointsText(int points) const override;
    void clearTally() override;
    void appendTally(const TallyEntry& entry) override;
    void findLegalPlays(const Rack& rack) override;
    void showHighScores() override;
    void stateChanged() override { render(); }

    void buildControls();
    void buildMenus();
    void render();

    // Keys on the rack: what a mouse does to tiles, from the keyboard. True
    // when the key was used.
    bool rackKeyPress(const QKeyEvent& key);
    // Carries the tile of slot `from` onto its neighbour as a mouse drop would.
    void moveTileByKey(int from, int step);

    // Drag and drop with the window's own mouse handling.
    enum class TargetKind { None, Tile, Gap };
    struct Target {
        TargetKind kind = TargetKind::None;
        int index = -1;
        bool operator==(const Target&) const = default;
    };
    int tileAt(const QPoint& p) const;
    int gapAt(const QPoint& p) const;
    Target targetAt(const QPoint& p) const;
    bool dragging() const { return drag_.source >= 0; }
    void pressTile(int i, const QPoint& p);
    void moveDrag(const QPoint& p);
    void releaseDrag(const QPoint& p);
    void tileMouseEvent(int i, const QMouseEvent& me);
    void sendOver(const Target& t, DragState state, const QPoint& p);

    // The tile being carried, from the press on it to the release.
    struct Carry {
        int source = -1;
        Target current;
        bool movedAway = false;
    } drag_;
    TileLabel* dragGhost_ = nullptr;

    std::unique_ptr<scores::ScoreTable> scores_;
    std::unique_ptr<ClassicGame> game_;
    LegalPlayFinder finder_;
};

}  // namespace quillbox::classic
