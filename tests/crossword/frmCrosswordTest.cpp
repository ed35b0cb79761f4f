#include <gtest/gtest.h>

#include <QAction>
#include <QApplication>
#include <QFontMetrics>
#include <QLabel>
#include <QMenu>
#include <QPointer>
#include <QPushButton>
#include <QTest>
#include <algorithm>
#include <utility>

#include "core/frmLaunchpad.h"
#include "core/mainMod.h"
#include "crossword/boardWidgets.h"
#include "crossword/frmCrossword.h"
#include "support/scriptedDialogs.h"
#include "ui/maskedLetterBox.h"
#include "ui/twips.h"

using namespace quillbox::crossword;
using quillbox::core::frmLaunchpad;
using quillbox::core::mainMod::lexicon;
using quillbox::crossword::frmCrossword;
using quillbox::testing::ScriptedDialogs;
using quillbox::ui::twRect;

namespace {

const QColor kWhite(255, 255, 255);
const QColor kRed(255, 0, 0);

class CrosswordWindowTest : public ::testing::Test {
  protected:
    void SetUp() override {
        pad = &frmLaunchpad::instance();
        pad->show();
        pad->cmdCrossword_Click();
        ASSERT_TRUE(frmCrossword::loaded());
        open();
    }
    void TearDown() override {
        frmCrossword::unload();
        frmLaunchpad::unload();
        QApplication::processEvents();
        QApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    }
    void open() {
        w = &frmCrossword::instance();
        w->activateWindow();
        QApplication::setActiveWindow(w);
        ASSERT_TRUE(QTest::qWaitForWindowExposed(w));
    }
    // Clicks cell k and types into the entry box that opens.
    void typeInto(int k, const QString& keys) {
        QTest::mouseClick(w->lblBox[k], Qt::LeftButton);
        ASSERT_TRUE(w->mskBox[k]->isVisible()) << k;
        ASSERT_TRUE(w->mskBox[k]->hasFocus()) << k;
        QTest::keyClicks(w->mskBox[k], keys);
    }
    QString solution(int k) const { return QString::fromStdString(w->board().solution(k)); }
    void generate() {
        ASSERT_TRUE(w->cmdGenerate->isEnabled());
        QTest::mouseClick(w->cmdGenerate, Qt::LeftButton);
    }
    long visibleBoxes() const {
        return std::count_if(w->mskBox.begin(), w->mskBox.end(),
                             [](QWidget* box) { return box->isVisible(); });
    }
    // Generate, Check and Show, as 0 (disabled) or 1 (enabled).
    std::string buttons() const {
        std::string s;
        for (auto* b : {w->cmdGenerate, w->cmdCheckSolution, w->cmdShowSolution})
            s += b->isEnabled() ? '1' : '0';
        return s;
    }
    void expectSolutionShownAndLocked() const {
        for (int k = 0; k < 9; ++k) {
            EXPECT_EQ(w->lblBox[k]->text(), solution(k)) << k;
            EXPECT_TRUE(w->lblBox[k]->isVisible()) << k;
            EXPECT_FALSE(w->lblBox[k]->isEnabled()) << k;
            EXPECT_EQ(w->lblBox[k]->background(), kWhite) << k;
        }
        EXPECT_EQ(buttons(), "100");
    }

    ScriptedDialogs dialogs;
    frmLaunchpad* pad = nullptr;
    frmCrossword* w = nullptr;
};

TEST_F(CrosswordWindowTest, OpensFreshWithItsLayoutAndMenus) {
    EXPECT_EQ(w->windowTitle(), "Quillbox Crossword");
    EXPECT_FALSE(pad->isVisible());
    EXPECT_EQ(w->centralWidget()->size(), QSize(442, 227));
    EXPECT_EQ(w->minimumSize(), w->maximumSize());
    EXPECT_EQ(w->mnuFile->title() + w->mnuHelp->title(), "&File&Help");
    for (QAction* a : {w->mnuFileExit, w->mnuHelpRules, w->mnuHelpAbout})
        EXPECT_TRUE(a->shortcut().isEmpty()) << a->text().toStdString();
    EXPECT_EQ(w->mnuFileExit->text(), "E&xit");
    EXPECT_EQ(w->cmdGenerate->text(), "&Generate Crossword");
    EXPECT_EQ(buttons(), "100");

    // The staircase: neighbouring cells share their border line; each entry
    // box lies over its cell; the clue numbers sit etched in their cells.
    EXPECT_EQ(w->lblBox[0]->geometry(), twRect(2520, 240, 495, 495));
    EXPECT_EQ(w->lblBox[6]->geometry(), twRect(1560, 1200, 495, 495));
    EXPECT_EQ(w->lblBox[1]->geometry().left(), w->lblBox[0]->geometry().right());
    EXPECT_EQ(w->lblBox[3]->geometry().bottom(), w->lblBox[7]->geometry().top());
    for (int k = 0; k < 9; ++k) {
        EXPECT_EQ(w->mskBox[k]->geometry(), w->lblBox[k]->geometry());
        EXPECT_FALSE(w->mskBox[k]->isVisible());
        EXPECT_TRUE(w->lblBox[k]->isEnabled());
        EXPECT_TRUE(w->lblBox[k]->text().isEmpty());
    }
    EXPECT_TRUE(w->lbl3->geometry().intersects(w->lblBox[3]->geometry()));
    EXPECT_FALSE(w->lbl3->isEnabled());
    EXPECT_TRUE(w->lblRunCount->text().isEmpty());
}

TEST_F(CrosswordWindowTest, EveryDefinitionFitsAClueLabelInTwoLines) {
    const QFontMetrics fm(w->lbl1Ddef->font());
    const QRect label = w->lbl1Ddef->geometry();
    for (const auto& word : lexicon().Keys()) {
        const QString clue = QString::fromStdString(lexicon().Item(word));
        ASSERT_LE(
            fm.boundingRect(QRect(0, 0, label.width(), 1000), Qt::TextWordWrap, clue).height(),
            label.height())
            << word;
    }
}

TEST_F(CrosswordWindowTest, ShowsTheCluesTakesLettersInUpperCaseAndAnnouncesAWin) {
    generate();
    EXPECT_EQ(buttons(), "010");
    const std::pair<QLabel*, int> clues[] = {{w->lbl1Adef, kAcross1}, {w->lbl3Adef, kAcross3},
                                             {w->lbl4Adef, kAcross4}, {w->lbl3Ddef, kDown3},
                                             {w->lbl1Ddef, kDown1},   {w->lbl2Ddef, kDown2}};
    for (const auto& [label, entry] : clues)
        EXPECT_EQ(label->text().toStdString(),
                  lexicon().Item(w->board().words()[static_cast<std::size_t>(entry)]))
            << entry;
    for (int k = 0; k < 9; ++k) {
        EXPECT_EQ(w->lblBox[k]->background(), kWhite);
        // Every other cell typed in lower case.
        typeInto(k, k % 2 ? solution(k).toLower() : solution(k));
        EXPECT_EQ(visibleBoxes(), 1);
    }
    // Cell 8's box is still open: pressing Check commits it first.
    dialogs.onMessage = [&](const ScriptedDialogs::Shown&) {
        EXPECT_EQ(buttons(), "010");
        EXPECT_TRUE(w->lblRunCount->text().isEmpty());
    };
    QTest::mouseClick(w->cmdCheckSolution, Qt::LeftButton);
    ASSERT_EQ(dialogs.messages().size(), 1u);
    EXPECT_EQ(dialogs.messages()[0].text, "Correct Solution!");
    EXPECT_EQ(dialogs.messages()[0].title, "Quillbox Crossword");
    EXPECT_EQ(w->lblRunCount->text(), " 1 win(s)");
    expectSolutionShownAndLocked();
    // The locked grid opens no entry box.
    QTest::mouseClick(w->lblBox[0], Qt::LeftButton);
    EXPECT_EQ(visibleBoxes(), 0);
}

TEST_F(CrosswordWindowTest, ARedCellReopensEmptyAndTheRevealLocksTheGrid) {
    generate();
    const QString wrong = solution(0) == "X" ? "Y" : "X";
    typeInto(0, wrong);
    QTest::mouseClick(w->cmdCheckSolution, Qt::LeftButton);
    EXPECT_TRUE(dialogs.messages().empty());
    EXPECT_EQ(w->lblRunCount->text(), " 1 loss(es)");
    EXPECT_EQ(buttons(), "011");
    EXPECT_EQ(w->lblBox[0]->text(), wrong);
    for (auto* cell : w->lblBox)
        EXPECT_EQ(cell->background(), kRed);

    // Reopening a red cell: white, and the old letter is not offered.
    QTest::mouseClick(w->lblBox[0], Qt::LeftButton);
    EXPECT_FALSE(w->lblBox[0]->isVisible());
    EXPECT_TRUE(w->mskBox[0]->letters().isEmpty());
    EXPECT_EQ(w->lblBox[0]->background(), kWhite);
    // Leaving it for another cell without typing leaves it empty.
    typeInto(4, solution(4));
    EXPECT_TRUE(w->lblBox[0]->isVisible());
    EXPECT_TRUE(w->lblBox[0]->text().trimmed().isEmpty());
    EXPECT_EQ(w->lblBox[1]->background(), kRed);

    QTest::mouseClick(w->cmdShowSolution, Qt::LeftButton);
    expectSolutionShownAndLocked();
    EXPECT_EQ(w->lblRunCount->text(), " 1 loss(es)");
}

TEST_F(CrosswordWindowTest, TheEntryBoxTakesOneLetterAndLeavingItAnyWayCommitsIt) {
    // Before the first puzzle cells take letters but cannot be checked.
    typeInto(2, "1.b c");
    EXPECT_EQ(w->mskBox[2]->text(), "b");
    QTest::mouseClick(w->lblBox[5], Qt::LeftButton);
    EXPECT_EQ(w->lblBox[2]->text(), "B");
    EXPECT_EQ(w->openCell(), 5);
    EXPECT_EQ(buttons(), "100");
    // Generating while a box is open commits it, then clears the grid.
    QTest::keyClicks(w->mskBox[5], "q");
    generate();
    EXPECT_EQ(visibleBoxes(), 0);
    EXPECT_EQ(w->openCell(), -1);
    EXPECT_TRUE(w->lblBox[5]->isVisible());
    EXPECT_TRUE(w->lblBox[5]->text().isEmpty());
    EXPECT_TRUE(w->lblBox[2]->text().isEmpty());

    typeInto(7, "m");
    QTest::keyClick(w->mskBox[7], Qt::Key_Tab);
    EXPECT_FALSE(w->mskBox[7]->isVisible());
    EXPECT_EQ(w->lblBox[7]->text(), "M");
    EXPECT_EQ(w->board().cell(7).caption, "M");
    EXPECT_EQ(w->openCell(), -1);
}

TEST_F(CrosswordWindowTest, ClosingReturnsToTheLaunchPadAndForgetsTheRun) {
    generate();
    QTest::mouseClick(w->cmdCheckSolution, Qt::LeftButton);
    ASSERT_EQ(w->lblRunCount->text(), " 1 loss(es)");

    QPointer<frmCrossword> guard(w);
    w->mnuFileExit->trigger();
    QApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_TRUE(guard.isNull());
    EXPECT_TRUE(pad->isVisible());

    pad->cmdCrossword_Click();
    open();
    EXPECT_FALSE(pad->isVisible());
    EXPECT_TRUE(w->lblRunCount->text().isEmpty());
    EXPECT_EQ(w->board().runCount(), 0);
    EXPECT_EQ(w->board().state(), BoardState::Fresh);
}

}  // namespace
