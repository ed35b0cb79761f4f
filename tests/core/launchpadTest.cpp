// The launch pad: the lookup box and its definition line, the two games it
// opens and returns to, and closing it, which ends the program.
#include <gtest/gtest.h>

#include <QAccessible>
#include <QApplication>
#include <QLabel>
#include <QPushButton>
#include <QTest>
#include <QTimer>
#include <functional>

#include "classic/frmMain.h"
#include "core/frmLaunchpad.h"
#include "core/mainMod.h"
#include "crossword/frmCrossword.h"
#include "help/frmRules.h"
#include "support/scriptedDialogs.h"
#include "ui/maskedLetterBox.h"

using quillbox::classic::frmMain;
using quillbox::core::frmLaunchpad;
using quillbox::crossword::frmCrossword;

namespace {

class Launchpad : public ::testing::Test {
  protected:
    void SetUp() override {
        pad = &frmLaunchpad::instance();
        pad->show();
        QApplication::setActiveWindow(pad);
        ASSERT_TRUE(QTest::qWaitForWindowExposed(pad));
    }
    void TearDown() override {
        frmMain::unload();
        frmCrossword::unload();
        frmLaunchpad::unload();
        quillbox::help::frmRules::unload();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    }
    static std::string item(const char* word) {
        return quillbox::core::mainMod::lexicon().Item(word);
    }
    std::string definition() const { return pad->lblDefinition->text().toStdString(); }

    frmLaunchpad* pad = nullptr;
    quillbox::testing::ScriptedDialogs dialogs;
};

TEST_F(Launchpad, TheDefinitionLineFollowsEveryKeystrokeInTheLookupBox) {
    const std::pair<Qt::Key, std::string> steps[] = {
        {Qt::Key_A, ""},
        {Qt::Key_A, item("AA")},
        {Qt::Key_X, "--- NOT A WORD! ---"},
        {Qt::Key_Backspace, item("AA")},
        {Qt::Key_H, item("AAH")},
        {Qt::Key_Backspace, item("AA")},
        {Qt::Key_Backspace, ""},
    };
    pad->mskWord->setFocus();
    for (const auto& [key, shown] : steps) {
        QTest::keyClick(pad->mskWord, key);
        EXPECT_EQ(definition(), shown) << pad->mskWord->text().toStdString();
    }
}

TEST_F(Launchpad, AltWTakesTheFocusToTheLookupBox) {
    pad->cmdExit->setFocus();
    QTest::keyClick(pad, Qt::Key_W, Qt::AltModifier);
    EXPECT_TRUE(pad->mskWord->hasFocus());
}

TEST_F(Launchpad, EnterOpensClassicFromTheLookupBoxOrTheGameWhoseButtonHasTheFocus) {
    using Control = QWidget* (*)(frmLaunchpad&);
    const std::pair<Control, bool> cases[] = {
        {[](frmLaunchpad& p) -> QWidget* { return p.mskWord; }, true},
        {[](frmLaunchpad& p) -> QWidget* { return p.cmdClassic; }, true},
        {[](frmLaunchpad& p) -> QWidget* { return p.cmdCrossword; }, false},
    };
    for (const auto& [control, classic] : cases) {
        SetUp();
        QWidget* focus = control(*pad);
        focus->setFocus();
        QTest::keyClick(focus, Qt::Key_Return);
        EXPECT_EQ(frmMain::loaded() && frmMain::instance().isVisible(), classic);
        EXPECT_EQ(frmCrossword::loaded() && frmCrossword::instance().isVisible(), !classic);
        EXPECT_FALSE(pad->isVisible());
        TearDown();
    }
}

TEST_F(Launchpad, ClosingAGameBringsItBackShowingWhatItShowed) {
    for (QPushButton* game : {pad->cmdClassic, pad->cmdCrossword}) {
        pad->mskWord->setText(QStringLiteral("ab"));
        game->click();
        ASSERT_FALSE(pad->isVisible());
        frmMain::unload();
        frmCrossword::unload();
        EXPECT_TRUE(pad->isVisible());
        EXPECT_EQ(pad->mskWord->text(), "ab");
        EXPECT_EQ(definition(), item("AB"));
    }
}

TEST_F(Launchpad, ClosingItEndsTheProgramAndClosesTheRulesViewer) {
    const std::vector<std::function<void(frmLaunchpad&)>> closers{
        [](frmLaunchpad& p) { p.cmdExit->click(); },
        [](frmLaunchpad& p) { QTest::keyClick(p.mskWord, Qt::Key_Escape); },
        [](frmLaunchpad& p) { p.close(); },
    };
    for (const auto& close : closers) {
        SetUp();
        quillbox::help::frmRules::instance().show();
        QTimer::singleShot(0, [&] { close(*pad); });
        // The program's event loop must end by itself; else it is ended here.
        QTimer stillRunning;
        QObject::connect(&stillRunning, &QTimer::timeout, [] { QCoreApplication::exit(1); });
        stillRunning.start(2000);
        EXPECT_EQ(QApplication::exec(), 0);
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        EXPECT_FALSE(frmLaunchpad::loaded());
        EXPECT_FALSE(quillbox::help::frmRules::loaded());
    }
}

TEST_F(Launchpad, EveryControlIsNamedForScreenReaders) {
    pad->mskWord->setText(QStringLiteral("qat"));
    const auto name = [](QObject* o) {
        return QAccessible::queryAccessibleInterface(o)->text(QAccessible::Name);
    };
    EXPECT_EQ(name(pad->cmdCrossword), "Crossword");
    EXPECT_EQ(name(pad->mskWord), "Word");
    EXPECT_EQ(name(pad->Image1), "Quillbox icon");
    EXPECT_EQ(name(pad->lblDefinition).toStdString(), item("QAT"));
    QAccessibleInterface* window = QAccessible::queryAccessibleInterface(pad);
    for (int i = 0; i < window->childCount(); ++i)
        EXPECT_FALSE(window->child(i)->text(QAccessible::Name).isEmpty())
            << window->child(i)->object()->metaObject()->className();
    EXPECT_EQ(QAccessible::queryAccessibleInterface(pad->mskWord)->text(QAccessible::Description),
              "Key in a word here to see its definition");
}

}  // namespace
