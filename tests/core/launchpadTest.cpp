// The launch pad: the lookup box and its definition line, the two games it
// opens and returns to, and closing it, which ends the program. And the
// labels of every window that shows a definition: none is ever cut off.
#include <gtest/gtest.h>

#include <QApplication>
#include <QLabel>
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

using quillbox::classic::frmMain;
using quillbox::core::frmLaunchpad;
using quillbox::core::mainMod::lexicon;
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
        for (QWidget* w : QApplication::topLevelWidgets())
            w->close();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    }
    static QString item(const char* word) { return QString::fromStdString(lexicon().Item(word)); }
    frmLaunchpad* pad = nullptr;
};

TEST_F(Launchpad, TheDefinitionLineFollowsEveryKeystrokeInTheLookupBox) {
    const std::pair<Qt::Key, QString> steps[] = {
        {Qt::Key_A, ""},
        {Qt::Key_A, item("AA")},
        {Qt::Key_X, "--- NOT A WORD! ---"},
        {Qt::Key_Backspace, item("AA")},
        {Qt::Key_H, item("AAH")},
        {Qt::Key_S, item("AAH")},  // a fourth letter does not go in
        {Qt::Key_Backspace, item("AA")},
        {Qt::Key_Backspace, ""},
    };
    for (const auto& [key, shown] : steps) {
        QTest::keyClick(pad->mskWord, key);
        EXPECT_EQ(pad->lblDefinition->text(), shown) << pad->mskWord->text().toStdString();
    }
}

TEST_F(Launchpad, EnterOpensClassicFromTheLookupBoxOrTheGameWhoseButtonHasTheFocus) {
    const std::function<QWidget*()> focused[] = {[this] { return pad->mskWord; },
                                                 [this] { return pad->cmdCrossword; }};
    for (const auto& focus : focused) {
        SetUp();
        QTest::keyClick(focus(), Qt::Key_Return);
        EXPECT_EQ(frmMain::loaded() && frmMain::instance().isVisible(), focus() == pad->mskWord);
        EXPECT_EQ(frmCrossword::loaded() && frmCrossword::instance().isVisible(),
                  focus() == pad->cmdCrossword);
        EXPECT_FALSE(pad->isVisible());
        TearDown();
    }
}

TEST_F(Launchpad, ClosingAGameBringsItBackShowingWhatItShowed) {
    for (QPushButton* game : {pad->cmdClassic, pad->cmdCrossword}) {
        pad->mskWord->setText(QStringLiteral("ab"));
        game->click();
        ASSERT_TRUE(frmMain::loaded() || frmCrossword::loaded());
        frmMain::unload();
        frmCrossword::unload();
        EXPECT_TRUE(pad->isVisible());
        EXPECT_EQ(pad->mskWord->text(), "ab");
        EXPECT_EQ(pad->lblDefinition->text(), item("AB"));
    }
}

TEST_F(Launchpad, ClosingItEndsTheProgramAndClosesTheRulesViewer) {
    const std::function<void()> closers[] = {
        [this] { pad->cmdExit->click(); },
        [this] { QTest::keyClick(pad->mskWord, Qt::Key_Escape); },
        [this] { pad->close(); },
    };
    for (const auto& close : closers) {
        SetUp();
        quillbox::help::frmRules::instance().show();
        QTimer::singleShot(0, close);
        QTimer stillRunning;  // ends a program that does not end by itself
        QObject::connect(&stillRunning, &QTimer::timeout, [] { QCoreApplication::exit(1); });
        stillRunning.start(2000);
        EXPECT_EQ(QApplication::exec(), 0);
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        EXPECT_FALSE(frmLaunchpad::loaded());
        EXPECT_FALSE(quillbox::help::frmRules::loaded());
    }
}

TEST_F(Launchpad, EveryControlIsNamedForScreenReadersAndAltWReachesTheLookupBox) {
    using quillbox::testing::accessibleText;
    pad->mskWord->setText(QStringLiteral("qat"));
    EXPECT_EQ(accessibleText(pad->mskWord), "Word");
    EXPECT_EQ(accessibleText(pad->mskWord, QAccessible::Description),
              "Key in a word here to see its definition");
    EXPECT_EQ(accessibleText(pad->Image1), "Quillbox icon");
    EXPECT_FALSE(pad->Image1->pixmap().isNull());
    EXPECT_EQ(accessibleText(pad->lblDefinition), item("QAT"));
    EXPECT_EQ(quillbox::testing::unnamedControls(pad).join(" ").toStdString(), "");
    QTest::keyClick(pad, Qt::Key_W, Qt::AltModifier);
    EXPECT_TRUE(pad->mskWord->hasFocus());
}

// The words that `show` puts into a label cut off, or that make it grow out
// of its window or over another control.
std::string cutOff(QLabel& label, const std::function<void(const std::string&)>& show) {
    std::string cut;
    QWidget& window = *label.parentWidget();
    for (const std::string& word : lexicon().Keys()) {
        show(word);
        bool clear = window.rect().contains(label.geometry());
        for (QWidget* other : window.findChildren<QWidget*>(Qt::FindDirectChildrenOnly))
            clear &= !other->isVisible() || qobject_cast<QLabel*>(other) ||
                     !other->geometry().intersects(label.geometry());
        if (!clear || !quillbox::testing::showsWholeText(label))
            cut += word + " ";
    }
    return cut;
}

TEST_F(Launchpad, NoWindowCutsADefinitionOff) {
    EXPECT_EQ(cutOff(*pad->lblDefinition,
                     [this](const std::string& w) { pad->mskWord->setText(w.c_str()); }),
              "");
    auto& classic = frmMain::instance();
    classic.show();
    EXPECT_EQ(cutOff(*classic.lblDefinition,
                     [&classic](const std::string& w) { classic.game().showDefinition(w); }),
              "");
    // The clues keep their height: every definition must fit it as it is.
    QLabel* clue = frmCrossword::instance().lbl1Adef;
    EXPECT_EQ(
        cutOff(*clue, [clue](const std::string& w) { clue->setText(lexicon().Item(w).c_str()); }),
        "");
}

}  // namespace
