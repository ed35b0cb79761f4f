// The launch pad: the lookup box and its definition line, the two games it
// opens and returns to, and closing it, which ends the program. And the
// labels of every window that shows a definition: none is ever cut off.
#include <gtest/gtest.h>

#include <QApplication>
#include <QPushButton>
#include <QTest>
#include <QTimer>

#include "classic/classicGame.h"
#include "classic/frmMain.h"
#include "core/frmLaunchpad.h"
#include "core/mainMod.h"
#include "crossword/frmCrossword.h"
#include "help/frmRules.h"
#include "support/windowChecks.h"
#include "ui/maskedLetterBox.h"

using namespace quillbox;

struct Launchpad : ::testing::Test {
    void SetUp() override {
        pad = &core::frmLaunchpad::instance();
        pad->show();
        QApplication::setActiveWindow(pad);
        ASSERT_TRUE(QTest::qWaitForWindowExposed(pad));
    }
    void TearDown() override {
        for (QWidget* w : QApplication::topLevelWidgets())
            w->close();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    }
    core::frmLaunchpad* pad = nullptr;
};

// Enter in the lookup box opens Classic, the default; on Crossword's button,
// the Crossword. Closing a game brings the launch pad back (see their tests).
TEST_F(Launchpad, EnterOpensClassicFromTheLookupBoxOrTheGameWhoseButtonIsFocusedInItsPlace) {
    QTest::keyClick(pad->mskWord, Qt::Key_Return);
    EXPECT_TRUE(classic::frmMain::instance().isVisible() && !pad->isVisible());
    pad->show();
    QTest::keyClick(pad->cmdCrossword, Qt::Key_Return);
    EXPECT_TRUE(crossword::frmCrossword::instance().isVisible() && !pad->isVisible());
}

TEST_F(Launchpad, ClosingItByExitOrEscEndsTheProgramAndClosesTheRulesViewer) {
    for (bool esc : {false, true}) {
        SetUp();
        help::frmRules::instance().show();
        QWidget* key = esc ? static_cast<QWidget*>(pad->mskWord) : pad->cmdExit;
        QTimer::singleShot(0, [=] { QTest::keyClick(key, esc ? Qt::Key_Escape : Qt::Key_Space); });
        QTimer stop;  // ends a program that does not end by itself
        QObject::connect(&stop, &QTimer::timeout, [] { QCoreApplication::exit(1); });
        stop.start(2000);
        EXPECT_EQ(QApplication::exec(), 0);
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        EXPECT_FALSE(core::frmLaunchpad::loaded() || help::frmRules::loaded());
    }
}

// The box takes three letters; Alt+W reaches it.
TEST_F(Launchpad, EveryControlIsNamedForScreenReadersAndTheLookupBoxHasItsShortcut) {
    using quillbox::testing::accessibleText;
    pad->mskWord->setText(QStringLiteral("qats"));
    EXPECT_EQ(QStringList({accessibleText(pad->mskWord), accessibleText(pad->Image1),
                           accessibleText(pad->mskWord, QAccessible::Description),
                           accessibleText(pad->lblDefinition)}) +
                  quillbox::testing::unnamedControls(pad),
              QStringList({"Word", "Quillbox icon", "Key in a word here to see its definition",
                           core::mainMod::lexicon().Item("QAT").c_str()}));
    EXPECT_FALSE(pad->Image1->pixmap().isNull());
    QTest::keyClick(pad, Qt::Key_W, Qt::AltModifier);
    EXPECT_TRUE(pad->mskWord->hasFocus());
}

// Each definition, put into each label that shows one, fits in it whole, and
// the label does not grow out of its window. The Crossword's clues keep their
// height.
TEST_F(Launchpad, NoWindowCutsADefinitionOff) {
    const auto cutOff = [](QLabel* label, const auto& show) {
        std::string cut;
        const QWidget& window = *label->parentWidget();
        for (const std::string& word : core::mainMod::lexicon().Keys()) {
            show(word);
            const bool clear = window.rect().contains(label->geometry()) &&
                               quillbox::testing::showsWholeText(*label);
            cut += clear ? "" : window.windowTitle().toStdString() + ": " + word + " ";
        }
        return cut;
    };
    classic::frmMain& game = classic::frmMain::instance();
    game.show();
    QLabel* clue = crossword::frmCrossword::instance().lbl1Adef;
    EXPECT_EQ(
        cutOff(pad->lblDefinition, [this](auto& w) { pad->mskWord->setText(w.c_str()); }) +
            cutOff(game.lblDefinition, [&](auto& w) { game.game().showDefinition(w); }) +
            cutOff(clue, [=](auto& w) { clue->setText(core::mainMod::lexicon().Item(w).c_str()); }),
        "");
}
