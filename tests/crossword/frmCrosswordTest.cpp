// The Crossword window through its real widgets, offscreen on a dark desktop,
// with the puzzle TOE, TEN, BOA (down TO, TEA, ON) and scripted dialogs.
#include <gtest/gtest.h>

#include <QAccessible>
#include <QPointer>
#include <QPushButton>

#include "core/frmLaunchpad.h"
#include "core/mainMod.h"
#include "crossword/boardWidgets.h"
#include "crossword/frmCrossword.h"
#include "support/keyScript.h"
#include "support/scriptedDialogs.h"
#include "support/scriptedRandom.h"
#include "support/windowChecks.h"
#include "ui/maskedLetterBox.h"

using namespace quillbox::crossword;
using quillbox::testing::accessibleText;
using quillbox::testing::pressKeys;

class CrosswordWindow : public ::testing::Test {
  protected:
    void SetUp() override {
        QPalette dark = desktop;  // so that the system colour is not the puzzle's white
        dark.setColor(QPalette::Base, QColor(30, 30, 30));
        QApplication::setPalette(dark);
        for (const char* word : {"TOE", "TEN", "BOA", "TOE", "TEN", "BOA"})
            random.push(quillbox::testing::valueForWord(quillbox::core::mainMod::lexicon(), word));
        quillbox::core::setApplicationRandom(&random);
        open();
    }
    void TearDown() override {
        frmCrossword::unload();
        pad->close();
        QApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        quillbox::core::setApplicationRandom(nullptr);
        QApplication::setPalette(desktop);
    }
    void open() {  // from the launch pad
        pad->show();
        pad->cmdCrossword_Click();
        w = &frmCrossword::instance();
        QApplication::setActiveWindow(w);
        ASSERT_TRUE(QTest::qWaitForWindowExposed(w));
    }
    void click(QWidget* target) { QTest::mouseClick(target, Qt::LeftButton); }
    // The cells' letters ('.' none), the cell with the focus (@9: none),
    // Generate, Check and Show (1 enabled), the cells' colours (system, white, red).
    QString shows() const {
        QString letters, buttons, colors;
        for (CellLabel* c : w->lblBox) {
            letters += c->text().isEmpty() ? QStringLiteral(".") : c->text();
            colors += c->background() == Qt::red ? 'r' : c->background() == Qt::white ? 'w' : 's';
        }
        for (QPushButton* b : {w->cmdGenerate, w->cmdCheckSolution, w->cmdShowSolution})
            buttons += b->isEnabled() ? '1' : '0';
        const auto* at = std::find(w->lblBox.begin(), w->lblBox.end(), QApplication::focusWidget());
        return letters + " @" + QString::number(at - w->lblBox.begin()) + " " + buttons + " " +
               colors;
    }

    const QPalette desktop = QApplication::palette();
    quillbox::testing::ScriptedDialogs dialogs;
    quillbox::testing::ScriptedRandom random;
    quillbox::core::frmLaunchpad* pad = &quillbox::core::frmLaunchpad::instance();
    frmCrossword* w = nullptr;
};

TEST_F(CrosswordWindow,
       TheKeyboardAloneSolvesAPuzzleWithOneWrongCheckOnTheWayHeardByAScreenReader) {
    ASSERT_TRUE(w->cmdGenerate->hasFocus());
    pressKeys("{Alt+G}");  // Generate is spent: the keyboard goes on into the grid
    EXPECT_EQ(shows(), "......... @0 010 wwwwwwwww");
    // A screen reader hears each cell's place and state, then its clues.
    EXPECT_EQ(accessibleText(w->lblBox[5]), "3 across, letter 3; 2 down, letter 2: empty");
    EXPECT_EQ(accessibleText(w->lblBox[2]), "1 across, letter 3: empty");
    EXPECT_EQ(accessibleText(w->lblBox[6], QAccessible::Description),
              "4 across: " + w->lbl4Adef->text());
    EXPECT_EQ(w->lbl1Ddef->text().toStdString(), quillbox::core::mainMod::lexicon().Item("TEA"));
    pressKeys("toex");
    EXPECT_EQ(shows().left(12), "TOEX..... @4");
    pressKeys("{Backspace}");  // on an empty cell it takes back the letter before
    EXPECT_EQ(shows().left(12), "TOE...... @3");
    pressKeys("tenbxq");  // the last cell keeps the keyboard
    EXPECT_EQ(shows().left(12), "TOETENBXQ @8");
    pressKeys("{Backspace}{Delete}");  // on a letter it clears it and goes back; Delete stays
    EXPECT_EQ(shows().left(12), "TOETENB.. @7");
    pressKeys("xx{Alt+C}");
    EXPECT_EQ(shows(), "TOETENBXX @8 011 wwwwwwwrr");
    EXPECT_EQ(accessibleText(w->lblBox[8]),
              "4 across, letter 3; 1 down, letter 3: X, marked wrong");
    w->lblBox[0]->setFocus();
    pressKeys("{Tab}");  // the grid is one stop: on to Check, back in at the first red cell
    EXPECT_TRUE(w->cmdCheckSolution->hasFocus());
    pressKeys("{Shift+Tab}{Up}");
    EXPECT_EQ(shows().left(12), "TOETENBXX @3");
    pressKeys("{Down}o");  // typing now runs down 3 Down, which ends here
    EXPECT_EQ(shows(), "TOETENBOX @7 011 wwwwwwwwr");
    pressKeys("{Right}{Return}");  // opens the red cell as a click does: white and empty
    EXPECT_TRUE(w->mskBox[8]->hasFocus() && w->mskBox[8]->letters().isEmpty());
    EXPECT_EQ(accessibleText(w->mskBox[8]), "4 across, letter 3; 1 down, letter 3");
    EXPECT_EQ(shows(), "TOETENBOX @9 011 wwwwwwwww");
    pressKeys("a{Escape}");
    EXPECT_EQ(shows(), "TOETENBOA @8 011 wwwwwwwww");
    pressKeys("{Tab}{Shift+Tab}");  // with no cell open or red, back in at the first
    dialogs.onMessage = [&](auto&) { EXPECT_EQ(shows(), "TOETENBOA @0 011 wwwwwwwww"); };
    pressKeys("{Alt+C}");
    ASSERT_EQ(dialogs.shown.size(), 1u);
    EXPECT_EQ(dialogs.shown[0].text + " / " + dialogs.shown[0].title,
              "Correct Solution! / Quillbox Crossword");
    EXPECT_EQ(w->lblRunCount->text() + shows(), " 1 loss(es)TOETENBOA @9 100 wwwwwwwww");
    EXPECT_TRUE(w->cmdGenerate->hasFocus());
}

TEST_F(CrosswordWindow, AClickedCellTakesOneLetterThatLeavingItCommitsInUpperCase) {
    // A clue number is part of its cell: a click on it opens the cell.
    for (auto [number, cell] : {std::pair{w->lbl1, 0}, {w->lbl2, 1}, {w->lbl3, 3}, {w->lbl4, 6}}) {
        QTest::mouseClick(w->windowHandle(), Qt::LeftButton, {}, number->mapTo(w, QPoint(2, 2)));
        EXPECT_EQ(w->editedCell(), cell);
    }
    click(w->lblBox[2]);  // before the first puzzle cells already take letters
    QTest::keyClicks(w->mskBox[2], "1.b c");
    EXPECT_EQ(w->mskBox[2]->text(), "b");
    click(w->lblBox[5]);
    QTest::keyClicks(w->mskBox[5], "q");
    for (auto reason : {Qt::ActiveWindowFocusReason, Qt::PopupFocusReason}) {
        QFocusEvent away(QEvent::FocusOut, reason);  // another window or a menu: the box stays
        QApplication::sendEvent(w->mskBox[5], &away);
    }
    EXPECT_EQ(shows(), "..B...... @9 100 wwwwswwss");
    click(w->cmdGenerate);  // commits the open box, then clears every cell
    EXPECT_EQ(shows(), "......... @0 010 wwwwwwwww");
    click(w->lblBox[0]);
    QTest::keyClicks(w->mskBox[0], "x");
    click(w->cmdCheckSolution);
    EXPECT_EQ(shows(), "X........ @9 011 rrrrrrrrr");
    click(w->lblBox[0]);  // a red cell reopens white and empty...
    EXPECT_TRUE(w->mskBox[0]->isVisible() && !w->lblBox[0]->isVisible());
    click(w->lblBox[4]);  // ...and left without typing stays empty
    EXPECT_EQ(shows(), "......... @9 011 wrrrwrrrr");
    click(w->cmdShowSolution);
    click(w->lblBox[0]);  // the revealed grid is locked
    EXPECT_EQ(shows() + QString::number(w->editedCell()), "TOETENBOA @9 100 wwwwwwwww-1");
    EXPECT_TRUE(dialogs.shown.empty());
}

TEST_F(CrosswordWindow, HelpRulesOpensTheRulesViewerAndHelpAboutTheAboutBoxOverIt) {
    quillbox::testing::expectHelpItemsOpenTheirWindows(w, w->mnuHelpRules, w->mnuHelpAbout);
}

TEST_F(CrosswordWindow, ExitAndTheCloseBoxReturnToTheLaunchPadAndTheRunStartsAgain) {
    for (QAction* exit : {w->mnuFileExit, static_cast<QAction*>(nullptr)}) {
        click(w->cmdGenerate);
        click(w->cmdCheckSolution);
        QPointer<frmCrossword> gone(w);
        exit ? exit->trigger() : void(w->close());
        QApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        EXPECT_TRUE(gone.isNull() && pad->isVisible());
        open();
        EXPECT_EQ(w->lblRunCount->text() + shows(), "......... @9 100 sssssssss");
        EXPECT_FALSE(pad->isVisible());
    }
}
