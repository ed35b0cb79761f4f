#include <gtest/gtest.h>

#include <QAction>
#include <QApplication>
#include <QFontMetrics>
#include <QLabel>
#include <QMenu>
#include <QPointer>
#include <QPushButton>
#include <QTest>

#include "core/frmLaunchpad.h"
#include "core/mainMod.h"
#include "crossword/boardWidgets.h"
#include "crossword/frmCrossword.h"
#include "support/scriptedDialogs.h"
#include "ui/maskedLetterBox.h"
#include "ui/twips.h"

using quillbox::frmCrossword;
using quillbox::frmLaunchpad;
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
    int visibleBoxes() const {
        int n = 0;
        for (auto* b : w->mskBox)
            n += b->isVisible() ? 1 : 0;
        return n;
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
    EXPECT_EQ(w->mnuFile->title(), "&File");
    EXPECT_EQ(w->mnuFileExit->text(), "E&xit");
    EXPECT_EQ(w->mnuHelp->title(), "&Help");
    EXPECT_EQ(w->mnuHelpRules->text(), "&Rules...");
    EXPECT_EQ(w->mnuHelpAbout->text(), "&About...");
    for (QAction* a : {w->mnuFileExit, w->mnuHelpRules, w->mnuHelpAbout})
        EXPECT_TRUE(a->shortcut().isEmpty());

    // The staircase: neighbouring cells share their border line.
    EXPECT_EQ(w->lblBox[0]->geometry(), twRect(2520, 240, 495, 495));
    EXPECT_EQ(w->lblBox[5]->geometry(), twRect(3000, 720, 495, 495));
    EXPECT_EQ(w->lblBox[6]->geometry(), twRect(1560, 1200, 495, 495));
    EXPECT_EQ(w->lblBox[1]->geometry().left(), w->lblBox[0]->geometry().right());
    EXPECT_EQ(w->lblBox[3]->geometry().bottom(), w->lblBox[7]->geometry().top());
    for (int k = 0; k < 9; ++k) {
        EXPECT_EQ(w->mskBox[k]->geometry(), w->lblBox[k]->geometry());
        EXPECT_FALSE(w->mskBox[k]->isVisible());
        EXPECT_TRUE(w->lblBox[k]->isEnabled());
        EXPECT_TRUE(w->lblBox[k]->text().isEmpty());
        EXPECT_EQ(w->lblBox[k]->font().pointSizeF(), 24.0);
    }
    EXPECT_TRUE(w->lbl3->geometry().intersects(w->lblBox[3]->geometry()));
    EXPECT_FALSE(w->lbl3->isEnabled());

    EXPECT_EQ(w->cmdGenerate->text(), "&Generate Crossword");
    EXPECT_EQ(w->cmdCheckSolution->text(), "&Check Solution");
    EXPECT_EQ(w->cmdShowSolution->text(), "&Show Solution");
    EXPECT_TRUE(w->cmdGenerate->isEnabled());
    EXPECT_FALSE(w->cmdCheckSolution->isEnabled());
    EXPECT_FALSE(w->cmdShowSolution->isEnabled());
    EXPECT_TRUE(w->Label1->font().underline());
    EXPECT_TRUE(w->lblAcross->font().bold());
    EXPECT_TRUE(w->lblDown->font().underline());
    EXPECT_TRUE(w->lblRunCount->text().isEmpty());
    EXPECT_TRUE(w->lbl1Adef->text().isEmpty());
    EXPECT_TRUE(w->lbl1Adef->wordWrap());
}

TEST_F(CrosswordWindowTest, GenerateShowsTheCluesOfTheDrawnWords) {
    generate();
    const auto& words = w->board().words();
    const auto& lex = quillbox::mainMod::lexicon();
    auto clue = [&](int e) {
        return QString::fromStdString(lex.Item(words[static_cast<std::size_t>(e)]));
    };
    EXPECT_EQ(w->lbl1Adef->text(), clue(0));
    EXPECT_EQ(w->lbl3Adef->text(), clue(1));
    EXPECT_EQ(w->lbl4Adef->text(), clue(2));
    EXPECT_EQ(w->lbl3Ddef->text(), clue(3));
    EXPECT_EQ(w->lbl1Ddef->text(), clue(4));
    EXPECT_EQ(w->lbl2Ddef->text(), clue(5));
    EXPECT_FALSE(w->cmdGenerate->isEnabled());
    EXPECT_TRUE(w->cmdCheckSolution->isEnabled());
    EXPECT_FALSE(w->cmdShowSolution->isEnabled());
    for (auto* cell : w->lblBox)
        EXPECT_EQ(cell->background(), kWhite);
}

TEST_F(CrosswordWindowTest, EveryDefinitionFitsAClueLabelInTwoLines) {
    const QFontMetrics fm(w->lbl1Ddef->font());
    const QRect label = w->lbl1Ddef->geometry();
    for (const auto& word : quillbox::mainMod::lexicon().Keys()) {
        const QString clue = QString::fromStdString(quillbox::mainMod::lexicon().Item(word));
        const QRect needed =
            fm.boundingRect(QRect(0, 0, label.width(), 1000), Qt::TextWordWrap, clue);
        ASSERT_LE(needed.height(), label.height()) << word;
    }
}

TEST_F(CrosswordWindowTest, TypedLettersAreCommittedInUpperCaseAndAWinIsAnnounced) {
    generate();
    for (int k = 0; k < 9; ++k) {
        // Every other cell typed in lower case.
        typeInto(k, k % 2 ? solution(k).toLower() : solution(k));
        EXPECT_EQ(visibleBoxes(), 1);
    }
    // Cell 8's box is still open: pressing Check commits it first.
    EXPECT_TRUE(w->mskBox[8]->isVisible());
    dialogs.onMessage = [&](const ScriptedDialogs::Shown&) {
        EXPECT_TRUE(w->cmdCheckSolution->isEnabled());
        EXPECT_TRUE(w->lblRunCount->text().isEmpty());
    };
    QTest::mouseClick(w->cmdCheckSolution, Qt::LeftButton);

    for (int k = 0; k < 9; ++k) {
        EXPECT_EQ(w->lblBox[k]->text(), solution(k)) << k;
        EXPECT_TRUE(w->lblBox[k]->isVisible());
        EXPECT_FALSE(w->lblBox[k]->isEnabled());
    }
    ASSERT_EQ(dialogs.messages().size(), 1u);
    EXPECT_EQ(dialogs.messages()[0].text, "Correct Solution!");
    EXPECT_EQ(dialogs.messages()[0].title, "Quillbox Crossword");
    EXPECT_EQ(w->lblRunCount->text(), " 1 win(s)");
    EXPECT_TRUE(w->cmdGenerate->isEnabled());
    EXPECT_FALSE(w->cmdCheckSolution->isEnabled());

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
    EXPECT_TRUE(w->cmdShowSolution->isEnabled());
    EXPECT_FALSE(w->cmdGenerate->isEnabled());
    EXPECT_EQ(w->lblBox[0]->text(), wrong);
    for (auto* cell : w->lblBox)
        EXPECT_EQ(cell->background(), kRed);

    // Reopening a red cell: white, and the old letter is not offered.
    QTest::mouseClick(w->lblBox[0], Qt::LeftButton);
    EXPECT_FALSE(w->lblBox[0]->isVisible());
    EXPECT_TRUE(w->mskBox[0]->isVisible());
    EXPECT_TRUE(w->mskBox[0]->letters().isEmpty());
    EXPECT_EQ(w->lblBox[0]->background(), kWhite);
    // Leaving it for another cell without typing leaves it empty.
    typeInto(4, solution(4));
    EXPECT_TRUE(w->lblBox[0]->isVisible());
    EXPECT_TRUE(w->lblBox[0]->text().trimmed().isEmpty());
    EXPECT_EQ(w->lblBox[4]->background(), kWhite);
    EXPECT_EQ(w->lblBox[1]->background(), kRed);

    // A second wrong check keeps the first result in the run.
    QTest::mouseClick(w->cmdCheckSolution, Qt::LeftButton);
    EXPECT_EQ(w->lblBox[4]->text(), solution(4));
    EXPECT_EQ(w->lblBox[4]->background(), kWhite);
    EXPECT_EQ(w->lblBox[0]->background(), kRed);
    EXPECT_EQ(w->lblRunCount->text(), " 1 loss(es)");

    QTest::mouseClick(w->cmdShowSolution, Qt::LeftButton);
    for (int k = 0; k < 9; ++k) {
        EXPECT_EQ(w->lblBox[k]->text(), solution(k));
        EXPECT_EQ(w->lblBox[k]->background(), kWhite);
        EXPECT_FALSE(w->lblBox[k]->isEnabled());
    }
    EXPECT_TRUE(w->cmdGenerate->isEnabled());
    EXPECT_FALSE(w->cmdShowSolution->isEnabled());
    EXPECT_EQ(w->lblRunCount->text(), " 1 loss(es)");
}

TEST_F(CrosswordWindowTest, EntryBoxTakesOneLetterOnly) {
    typeInto(2, "1.b c");
    EXPECT_EQ(w->mskBox[2]->text(), "b");
    // Before the first puzzle cells take letters but cannot be checked.
    QTest::mouseClick(w->lblBox[5], Qt::LeftButton);
    EXPECT_EQ(w->lblBox[2]->text(), "B");
    EXPECT_EQ(w->openCell(), 5);
    EXPECT_FALSE(w->cmdCheckSolution->isEnabled());
}

TEST_F(CrosswordWindowTest, LeavingTheBoxByKeyboardCommitsTheLetter) {
    generate();
    typeInto(7, "m");
    QTest::keyClick(w->mskBox[7], Qt::Key_Tab);
    EXPECT_FALSE(w->mskBox[7]->isVisible());
    EXPECT_TRUE(w->lblBox[7]->isVisible());
    EXPECT_EQ(w->lblBox[7]->text(), "M");
    EXPECT_EQ(w->board().cell(7).caption, "M");
    EXPECT_EQ(w->openCell(), -1);
}

TEST_F(CrosswordWindowTest, GeneratingWhileTypingCommitsThenClears) {
    typeInto(3, "q");
    generate();
    EXPECT_EQ(visibleBoxes(), 0);
    EXPECT_TRUE(w->lblBox[3]->isVisible());
    EXPECT_TRUE(w->lblBox[3]->text().isEmpty());
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
    EXPECT_FALSE(w->cmdCheckSolution->isEnabled());
    generate();
    for (int k = 0; k < 9; ++k)
        typeInto(k, solution(k));
    QTest::mouseClick(w->cmdCheckSolution, Qt::LeftButton);
    EXPECT_EQ(w->lblRunCount->text(), " 1 win(s)");
}

}  // namespace
