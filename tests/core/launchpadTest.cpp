#include <gtest/gtest.h>

#include <QApplication>
#include <QLabel>
#include <QPushButton>
#include <QSignalSpy>
#include <QTest>

#include "classic/frmMain.h"
#include "core/frmLaunchpad.h"
#include "crossword/frmCrossword.h"
#include "ui/maskedLetterBox.h"

using quillbox::classic::frmMain;
using quillbox::core::frmLaunchpad;
using quillbox::crossword::frmCrossword;

namespace {

class LaunchpadTest : public ::testing::Test {
  protected:
    void SetUp() override {
        pad = &frmLaunchpad::instance();
        pad->show();
        pad->activateWindow();
        QApplication::setActiveWindow(pad);
        ASSERT_TRUE(QTest::qWaitForWindowExposed(pad));
    }
    void TearDown() override {
        frmMain::unload();
        frmCrossword::unload();
        frmLaunchpad::unload();
        QApplication::processEvents();
    }
    void typeIntoLookup(const QString& keys) {
        pad->mskWord->setFocus();
        QTest::keyClicks(pad->mskWord, keys);
    }
    QString definition() const { return pad->lblDefinition->text(); }

    frmLaunchpad* pad = nullptr;
};

TEST_F(LaunchpadTest, OpensWithCaptionFixedSizeAndAnEmptyLookupThatAltWReaches) {
    EXPECT_EQ(pad->windowTitle(), "Quillbox LaunchPad");
    EXPECT_EQ(pad->size(), QSize(251, 128));
    EXPECT_EQ(pad->minimumSize(), pad->maximumSize());
    EXPECT_EQ(pad->cmdClassic->text(), "&Classic");
    EXPECT_EQ(pad->cmdCrossword->text(), "C&rossword");
    EXPECT_EQ(pad->cmdExit->text(), "E&xit");
    EXPECT_EQ(pad->mskWord->toolTip(), "Key in a word here to see its definition");
    EXPECT_EQ(pad->lblDefinition->toolTip(), "Definition of word showing above");
    EXPECT_TRUE(pad->mskWord->text().isEmpty());
    EXPECT_TRUE(definition().isEmpty());
    // Alt+W moves the focus to the lookup box.
    pad->cmdExit->setFocus();
    QTest::keyClick(pad, Qt::Key_W, Qt::AltModifier);
    EXPECT_TRUE(pad->mskWord->hasFocus());
}

TEST_F(LaunchpadTest, TheLookupTakesThreeLettersAndItsDefinitionFollowsEveryKeystroke) {
    typeIntoLookup("a");
    EXPECT_EQ(definition(), "");
    QTest::keyClicks(pad->mskWord, "a");
    EXPECT_EQ(definition(), "type of lava");
    QTest::keyClicks(pad->mskWord, "x");
    EXPECT_EQ(definition(), "--- NOT A WORD! ---");
    QTest::keyClick(pad->mskWord, Qt::Key_Backspace);
    QTest::keyClicks(pad->mskWord, "h");
    EXPECT_EQ(pad->mskWord->letters(), "aah");
    EXPECT_EQ(definition(), "used to express delight or amazement; to exclaim AAH");
    QTest::keyClick(pad->mskWord, Qt::Key_Backspace);
    QTest::keyClick(pad->mskWord, Qt::Key_Backspace);
    EXPECT_EQ(definition(), "");
    // Digits, blanks, punctuation and a fourth letter are refused.
    pad->mskWord->clear();
    QTest::keyClicks(pad->mskWord, "1 a.-b?c d");
    EXPECT_EQ(pad->mskWord->text(), "abc");
}

TEST_F(LaunchpadTest, EnterInTheLookupBoxOpensClassicAndClosingComesBack) {
    typeIntoLookup("ab");
    QTest::keyClick(pad->mskWord, Qt::Key_Return);
    ASSERT_TRUE(frmMain::loaded());
    EXPECT_TRUE(frmMain::instance().isVisible());
    EXPECT_EQ(frmMain::instance().windowTitle(), "Quillbox");
    EXPECT_FALSE(pad->isVisible());
    frmMain::instance().close();
    QApplication::processEvents();
    EXPECT_TRUE(pad->isVisible());
    // The lookup keeps what it showed.
    EXPECT_EQ(pad->mskWord->text(), "ab");
    EXPECT_EQ(definition(), "abdominal muscle");
}

TEST_F(LaunchpadTest, EnterPressesTheButtonThatHasTheFocus) {
    pad->cmdCrossword->setFocus();
    QTest::keyClick(pad->cmdCrossword, Qt::Key_Return);
    ASSERT_TRUE(frmCrossword::loaded());
    EXPECT_TRUE(frmCrossword::instance().isVisible());
    EXPECT_FALSE(frmMain::loaded());
    EXPECT_FALSE(pad->isVisible());
}

TEST_F(LaunchpadTest, EscWhereverTheFocusIsAndExitBothUnloadTheWindow) {
    typeIntoLookup("a");
    QPointer<frmLaunchpad> guard(pad);
    QTest::keyClick(pad->mskWord, Qt::Key_Escape);
    QApplication::processEvents();
    QApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_TRUE(guard.isNull());
    EXPECT_FALSE(frmLaunchpad::loaded());

    SetUp();
    guard = pad;
    QTest::mouseClick(pad->cmdExit, Qt::LeftButton);
    QApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_TRUE(guard.isNull());
}

}  // namespace
