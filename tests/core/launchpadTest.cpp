// The launch pad: the lookup box and its definition line, the two games it
// opens and returns to, and closing it, which ends the program. And the
// labels of every window that shows a definition: none is ever cut off.
#include <gtest/gtest.h>

#include <QApplication>
#include <QPushButton>
#include <QTest>
#include <QTimer>
#include <functional>

#include "classic/classicGame.h"
#include "classic/frmMain.h"
#include "core/frmLaunchpad.h"
#include "core/mainMod.h"
#include "crossword/frmCrossword.h"
#include "help/frmRules.h"
#include "support/windowChecks.h"
#include "ui/maskedLetterBox.h"

using namespace quillbox::classic;
using namespace quillbox::core;
using namespace quillbox::crossword;
using quillbox::testing::accessibleText;

struct Launchpad : ::testing::Test {
    void SetUp() override {
        pad = &frmLaunchpad::instance();
        pad->show();
        QApplication::setActiveWindow(pad);
        ASSERT_TRUE(QTest::qWaitForWindowExposed(pad));
    }
    void TearDown() override {
        for (QWidget* w : QApplication::topLevelWidgets())
            w->close();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    }
    frmLaunchpad* pad = nullptr;
};

// Enter in the lookup box opens Classic, the default; on Crossword's button,
// the Crossword. Closing a game brings the launch pad back (see their tests).
TEST_F(Launchpad, EnterOpensClassicFromTheLookupBoxOrTheGameWhoseButtonIsFocusedInItsPlace) {
    QTest::keyClick(pad->mskWord, Qt::Key_Return);
    EXPECT_TRUE(frmMain::loaded() && frmMain::instance().isVisible() && !pad->isVisible());
    pad->show();
    QTest::keyClick(pad->cmdCrossword, Qt::Key_Return);
    EXPECT_TRUE(frmCrossword::loaded() && frmCrossword::instance().isVisible() &&
                !pad->isVisible());
}

TEST_F(Launchpad, ClosingItByExitOrEscEndsTheProgramAndClosesTheRulesViewer) {
    for (bool esc : {false, true}) {
        SetUp();
        quillbox::help::frmRules::instance().show();
        QWidget* key = esc ? static_cast<QWidget*>(pad->mskWord) : pad->cmdExit;
        QTimer::singleShot(0, [=] { QTest::keyClick(key, esc ? Qt::Key_Escape : Qt::Key_Space); });
        QTimer stop;  // ends a program that does not end by itself
        QObject::connect(&stop, &QTimer::timeout, [] { QCoreApplication::exit(1); });
        stop.start(2000);
        EXPECT_EQ(QApplication::exec(), 0);
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        EXPECT_FALSE(frmLaunchpad::loaded() || quillbox::help::frmRules::loaded());
    }
}

// The box takes three letters; Alt+W reaches it.
TEST_F(Launchpad, EveryControlIsNamedForScreenReadersAndTheLookupBoxHasItsShortcut) {
    pad->mskWord->setText(QStringLiteral("qats"));
    EXPECT_EQ(accessibleText(pad->mskWord), "Word");
    EXPECT_EQ(accessibleText(pad->mskWord, QAccessible::Description),
              "Key in a word here to see its definition");
    EXPECT_EQ(accessibleText(pad->Image1), "Quillbox icon");
    EXPECT_FALSE(pad->Image1->pixmap().isNull());
    EXPECT_EQ(accessibleText(pad->lblDefinition),
              QString::fromStdString(mainMod::lexicon().Item("QAT")));
    EXPECT_EQ(quillbox::testing::unnamedControls(pad).join(" ").toStdString(), "");
    QTest::keyClick(pad, Qt::Key_W, Qt::AltModifier);
    EXPECT_TRUE(pad->mskWord->hasFocus());
}

// Each definition, put into each label that shows one, fits in it whole, and
// the label neither leaves its window nor grows over another control. The
// Crossword's clues keep their height.
TEST_F(Launchpad, NoWindowCutsADefinitionOff) {
    frmMain& classic = frmMain::instance();
    classic.show();
    QLabel* clue = frmCrossword::instance().lbl1Adef;
    const std::pair<QLabel*, std::function<void(const std::string&)>> labels[] = {
        {pad->lblDefinition, [this](auto& w) { pad->mskWord->setText(w.c_str()); }},
        {classic.lblDefinition, [&](auto& w) { classic.game().showDefinition(w); }},
        {clue, [clue](auto& w) { clue->setText(mainMod::lexicon().Item(w).c_str()); }}};
    for (const auto& [label, show] : labels) {
        std::string cut;
        for (const std::string& word : mainMod::lexicon().Keys()) {
            show(word);
            const QWidget& window = *label->parentWidget();
            bool clear = window.rect().contains(label->geometry()) &&
                         quillbox::testing::showsWholeText(*label);
            for (QWidget* other : window.findChildren<QWidget*>(Qt::FindDirectChildrenOnly))
                clear &= !other->isVisible() || qobject_cast<QLabel*>(other) ||
                         !other->geometry().intersects(label->geometry());
            cut += clear ? "" : word + " ";
        }
        EXPECT_EQ(cut, "") << label->window()->windowTitle().toStdString();
    }
}
