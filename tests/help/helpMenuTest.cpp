// What a game's Help > Rules and Help > About open: the rules viewer with the
// shipped rules document, and the about box.
#include <gtest/gtest.h>

#include <QListWidget>
#include <QScrollBar>
#include <QTemporaryDir>
#include <QTest>
#include <QTextBlock>
#include <QTimer>
#include <fstream>
#include <regex>

#include "core/mainMod.h"
#include "help/frmAbout.h"
#include "help/frmRules.h"
#include "help/helpMenu.h"
#include "help/programIdentity.h"
#include "support/scriptedDialogs.h"
#include "support/windowChecks.h"
#include "ui/programFolder.h"
#include "ui/richTextBox.h"
#include "ui/rtf/rtfDocument.h"

using namespace quillbox::help;
using namespace quillbox;

TEST(RulesDocument, WordListsHoldEveryFormOfAListedWordAndNoBoldButTheirHeadings) {
    std::ifstream in(QUILLBOX_RULES_RTF, std::ios::binary);
    // A list: "XU (Vietnam), ATT (Laos)"; its words "(plural|present tense) of" one listed.
    const std::regex listed("(^|, )([A-Z]{2,3})(?=$|,| \\()"),
        formOf("(plural|present tense) of ([A-Z]+)");
    std::set<std::string> words;
    bool inLists = false;
    for (const auto& p :
         ui::rtf::readRtf(std::string(std::istreambuf_iterator(in), {})).paragraphs) {
        std::string plain, bold;
        for (const auto& run : p.runs)
            (run.format.bold ? bold : plain) += QString::fromStdU16String(run.text)
                                                    .remove(QChar(ui::rtf::kLineBreak))
                                                    .toStdString();
        inLists = inLists || bold == "HELPFUL WORD LISTS";
        const QRegularExpression heading(" *" + QRegularExpression::escape(bold.c_str()));
        EXPECT_TRUE(!inLists || bold.empty() ||
                    (plain.empty() && frmRules::contentsEntries().contains(heading)))
            << bold;
        if (inLists)
            words.insert(std::sregex_token_iterator(plain.begin(), plain.end(), listed, 2), {});
    }
    int forms = 0;
    for (std::smatch m; const auto& w : core::mainMod::lexicon().Keys())
        EXPECT_TRUE(!std::regex_search(core::mainMod::lexicon().Item(w), m, formOf) ||
                    !words.count(m[2]) || (++forms && words.count(w)))
            << w;
    EXPECT_GT(forms * 10, words.size());
}

class RulesViewer : public ::testing::Test {
  protected:
    void TearDown() override {
        frmRules::unload();
        EXPECT_FALSE(loaded());
        ui::setProgramFolderForTesting({});
    }
    static bool loaded() {
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        return frmRules::loaded();
    }
    frmRules& open() {
        openRulesViewer(&caller);
        EXPECT_TRUE(loaded() && QTest::qWaitForWindowActive(&frmRules::instance()));
        return frmRules::instance();
    }
    static QList<int> selectionAndScroll(const frmRules& v) {
        return {v.rtbRules->selStart(), v.rtbRules->selLength(),
                v.rtbRules->verticalScrollBar()->value()};
    }

    QWidget caller;
    QTemporaryDir folder;
    quillbox::testing::ScriptedDialogs dialogs;
};

TEST_F(RulesViewer, EachOpeningShowsTheNamedReadOnlyDocumentFromItsTopTillEscOrCtrlW) {
    for (const QKeyCombination close : {QKeyCombination(Qt::Key_Escape), Qt::CTRL | Qt::Key_W}) {
        frmRules& v = open();
        EXPECT_EQ(selectionAndScroll(v) << v.lstContents->currentRow(), QList({0, 0, 0, -1}));
        EXPECT_EQ(quillbox::testing::unnamedControls(&v).join(" ").toStdString(), "");
        EXPECT_TRUE(QAccessible::queryAccessibleInterface(v.rtbRules)->state().readOnly);
        QTest::keyClick(v.rtbRules, Qt::Key_End, Qt::ShiftModifier);  // selectable by keyboard
        EXPECT_GT(v.rtbRules->selLength(), 0);
        v.rtbRules->verticalScrollBar()->setValue(90);
        v.setWindowState(Qt::WindowMinimized);
        EXPECT_EQ(&open(), &v);  // the same viewer, back from the task bar, reloaded
        EXPECT_EQ(selectionAndScroll(v), QList({0, 0, 0}));
        QTest::keyClick(v.lstContents, close.key(), close.keyboardModifiers());
        EXPECT_FALSE(loaded()) << QKeySequence(close).toString().toStdString();
    }
}

TEST_F(RulesViewer, EachEntryShowsItsHeadingWithItsSectionBelowIt) {
    frmRules& v = open();
    // Down the list and back up: the view scrolls both ways.
    for (int i = 0; i < 41; ++i) {
        const int row = std::min(i, 40 - i);
        QTest::keyClick(v.lstContents, i == 0 ? Qt::Key_Home : i <= 20 ? Qt::Key_Down : Qt::Key_Up);
        const QString heading = v.lstContents->item(row)->text().trimmed();
        EXPECT_EQ(v.rtbRules->selText(), heading);
        EXPECT_EQ(v.rtbRules->selStart(), v.rtbRules->text().indexOf(heading)) << row;
        // Its section's end (the empty line after it) is in view, unless the
        // section is taller than the view, which the heading then opens.
        QTextCursor end = v.rtbRules->textCursor();
        while (!end.block().text().isEmpty())
            end.movePosition(QTextCursor::NextBlock);
        EXPECT_TRUE(v.rtbRules->viewport()->rect().contains(v.rtbRules->cursorRect(end)) ||
                    v.rtbRules->cursorForPosition({}).block() == v.rtbRules->textCursor().block());
    }
}

TEST_F(RulesViewer, OnlyAClickOnAnEntryWhoseHeadingIsThereMovesSelectionAndView) {
    ui::setProgramFolderForTesting(folder.path());
    QFile f(folder.filePath(QStringLiteral("Quillbox Rules.rtf")));
    f.open(QIODevice::WriteOnly);
    f.write("{\\rtf1 INTRODUCTION\\par SCORING\\par" + QByteArray(" x").repeated(2000) + "}");
    f.close();
    frmRules& v = open();
    const auto entry = [&](int row) {
        return v.lstContents->visualItemRect(v.lstContents->item(row)).center();
    };
    QTest::mouseClick(v.lstContents->viewport(), Qt::LeftButton, {}, entry(0));
    EXPECT_EQ(v.rtbRules->selText(), "INTRODUCTION");  // found at the very start
    v.rtbRules->setSelStart(20);
    v.rtbRules->setSelLength(5);
    v.rtbRules->verticalScrollBar()->setValue(7);
    QTest::mouseClick(v.lstContents->viewport(), Qt::LeftButton, {}, entry(3));  // absent
    // A press that leaves its entry before the release is no click.
    QTest::mousePress(v.lstContents->viewport(), Qt::LeftButton, {}, entry(6));
    QTest::mouseRelease(v.lstContents->viewport(), Qt::LeftButton, {}, entry(6) + QPoint(0, 99));
    EXPECT_EQ(v.lstContents->currentRow(), 6);
    EXPECT_EQ(selectionAndScroll(v), QList({20, 5, 7}));
    QTest::keyClick(v.lstContents, Qt::Key_Home);  // after the release, keys search again
    EXPECT_EQ(v.rtbRules->selText(), "INTRODUCTION");
}

TEST_F(RulesViewer, AMissingDocumentOrADirectoryInItsPlaceIsReportedAndOpensNoViewer) {
    ui::setProgramFolderForTesting(folder.path());
    const QString path = folder.filePath(QStringLiteral("Quillbox Rules.rtf"));
    for (const bool directory : {false, true}) {
        ASSERT_TRUE(!directory || QDir().mkpath(path));
        openRulesViewer(&caller);
        EXPECT_FALSE(loaded());
        ASSERT_EQ(dialogs.shown.size(), 1u + directory);
        EXPECT_EQ(dialogs.shown.back().text + " / " + dialogs.shown.back().title,
                  "The help file " + path + " is missing. / Help File Missing");
    }
}

TEST(AboutBox, ShowsThisBuildsIdentityModallyOverTheCallingWindowUntilEnterPressesOk) {
    QWidget game;
    QTimer::singleShot(0, [&game] {
        frmAbout& box = frmAbout::instance();
        EXPECT_TRUE(QApplication::activeModalWidget() == &box && box.parentWidget() == &game);
        EXPECT_EQ(QStringList({box.windowTitle(), box.lblTitle->text(), box.lblVersion->text(),
                               box.lblDescription->text(), box.lblDisclaimer->text()}),
                  QStringList({"About Quillbox", "Quillbox", "Version 3.1.0",
                               "Have fun learning two-letter and three-letter words.",
                               programIdentity().comments}));
        for (const QLabel* label : box.findChildren<QLabel*>())
            EXPECT_TRUE(quillbox::testing::showsWholeText(*label));
        EXPECT_EQ(box.picIcon->pixmap().size(), QSize(32, 32));
        EXPECT_EQ(quillbox::testing::unnamedControls(&box).join(" ").toStdString(), "");
        QTest::keyClick(&box, Qt::Key_Return);
        EXPECT_FALSE(box.isVisible()) << "Enter left it open";
        box.done(0);
    });
    showAboutBox(&game);  // returns once the box has closed
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_FALSE(frmAbout::loaded());
}
