// The rules viewer: opened from a game's Help menu, it shows the rules
// document from its top, and each contents entry brings its heading to the
// top of the view with the section below it.
#include <gtest/gtest.h>

#include <QAbstractTextDocumentLayout>
#include <QApplication>
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QListWidget>
#include <QScrollBar>
#include <QTemporaryDir>
#include <QTest>
#include <QTextBlock>

#include "help/frmRules.h"
#include "help/helpMenu.h"
#include "support/scriptedDialogs.h"
#include "support/windowChecks.h"
#include "ui/programFolder.h"
#include "ui/richTextBox.h"

using quillbox::help::frmRules;
namespace ui = quillbox::ui;

namespace {

class RulesViewer : public ::testing::Test {
  protected:
    void TearDown() override {
        frmRules::unload();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        ui::setProgramFolderForTesting({});
    }
    // Puts an RTF document of these paragraphs (or, with none, no file at all)
    // where the viewer looks, and returns its path.
    QString useDocument(const QStringList& paragraphs, const QByteArray& header = "{\\rtf1 ") {
        ui::setProgramFolderForTesting(folder.path());
        const QString path = folder.filePath(QStringLiteral("Quillbox Rules.rtf"));
        QFile::remove(path);
        QFile f(path);
        if (!paragraphs.isEmpty() && f.open(QIODevice::WriteOnly))
            f.write(header + paragraphs.join(QStringLiteral("\\par ")).toLatin1() + "}");
        return path;
    }
    frmRules& openViewer() {
        quillbox::help::openRulesViewer(&caller);
        EXPECT_TRUE(frmRules::loaded() && frmRules::instance().isVisible());
        EXPECT_TRUE(QTest::qWaitForWindowExposed(&frmRules::instance()));
        return frmRules::instance();
    }
    static void clickEntry(frmRules& v, int row) {
        v.lstContents->scrollToItem(v.lstContents->item(row));
        QTest::mouseClick(v.lstContents->viewport(), Qt::LeftButton, {},
                          v.lstContents->visualItemRect(v.lstContents->item(row)).center());
    }
    static int scroll(const frmRules& v) { return v.rtbRules->verticalScrollBar()->value(); }

    QWidget caller;
    QTemporaryDir folder;
    quillbox::testing::ScriptedDialogs dialogs;
};

TEST_F(RulesViewer, EachOpeningLoadsTheDocumentAfreshIntoTheOneViewerShownFromItsTop) {
    QStringList lines{"INTRODUCTION", "First edition."};
    for (int i = 0; i < 80; ++i)
        lines << QStringLiteral("Filler line %1").arg(i);
    useDocument(lines);
    frmRules& v = openViewer();
    EXPECT_EQ(scroll(v), 0);
    v.rtbRules->verticalScrollBar()->setValue(9);
    useDocument(lines.replaceInStrings(QStringLiteral("First"), QStringLiteral("Second")));
    EXPECT_EQ(&openViewer(), &v);  // again while open: the same viewer, reloaded
    EXPECT_TRUE(v.rtbRules->text().startsWith(QStringLiteral("INTRODUCTION\r\nSecond edition.")));
    EXPECT_EQ(scroll(v), 0);
    v.setWindowState(Qt::WindowMinimized);
    openViewer();  // brings a minimised viewer back
    EXPECT_FALSE(v.windowState() & Qt::WindowMinimized);
    EXPECT_TRUE(QTest::qWaitForWindowActive(&v));
    v.close();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_EQ(scroll(openViewer()), 0);
    EXPECT_EQ(frmRules::instance().lstContents->currentRow(), -1);
}

TEST_F(RulesViewer, EachEntryShowsItsHeadingWithItsSectionBelowIt) {
    frmRules& v = openViewer();
    const QString text = v.rtbRules->text();
    // Forwards by keyboard, then backwards by mouse: the view scrolls both ways.
    for (int i = 0; i < 42; ++i) {
        const int row = i < 21 ? i : 41 - i;
        i < 21 ? QTest::keyClick(v.lstContents, i == 0 ? Qt::Key_Home : Qt::Key_Down)
               : clickEntry(v, row);
        const QString heading = v.lstContents->item(row)->text().trimmed();
        SCOPED_TRACE(heading.toStdString());
        EXPECT_EQ(v.rtbRules->selText(), heading);
        EXPECT_EQ(v.rtbRules->selStart(), text.indexOf(heading));
        // The heading is in view, and so is its section's end (the empty line
        // after it) unless the section is taller than the view: then the
        // heading opens the view.
        const QRect view = v.rtbRules->viewport()->rect();
        EXPECT_TRUE(view.contains(v.rtbRules->cursorRect()));
        QTextBlock end = v.rtbRules->textCursor().block();
        while (!end.text().isEmpty())
            end = end.next();
        EXPECT_TRUE(view.contains(v.rtbRules->cursorRect(QTextCursor(end))) ||
                    v.rtbRules->cursorForPosition({}).block() == v.rtbRules->textCursor().block());
    }
}

TEST_F(RulesViewer, AnEntryWhoseHeadingIsAbsentLeavesTheViewAsItWas) {
    QStringList lines{"INTRODUCTION"};
    for (int i = 0; i < 80; ++i)
        lines << QStringLiteral("Filler line %1").arg(i);
    useDocument(lines);
    frmRules& v = openViewer();
    clickEntry(v, 0);  // found at the very start
    EXPECT_EQ(v.rtbRules->selText(), "INTRODUCTION");
    v.rtbRules->setSelStart(20);
    v.rtbRules->setSelLength(5);
    v.rtbRules->verticalScrollBar()->setValue(7);
    clickEntry(v, 18);
    EXPECT_EQ(v.rtbRules->selStart(), 20);
    EXPECT_EQ(v.rtbRules->selLength(), 5);
    EXPECT_EQ(scroll(v), 7);
}

TEST_F(RulesViewer, OnlyAClickOnAnEntrySearchesAPressThatLeavesItDoesNot) {
    frmRules& v = openViewer();
    const QRect entry = v.lstContents->visualItemRect(v.lstContents->item(6));
    QTest::mousePress(v.lstContents->viewport(), Qt::LeftButton, {}, entry.center());
    QTest::mouseRelease(v.lstContents->viewport(), Qt::LeftButton, {},
                        entry.bottomRight() + QPoint(0, 40));
    EXPECT_EQ(v.lstContents->currentRow(), 6);
    EXPECT_EQ(v.rtbRules->selLength(), 0);
    EXPECT_EQ(scroll(v), 0);
}

TEST_F(RulesViewer, TheDocumentIsForReadingAndSelectingNotForEditing) {
    frmRules& v = openViewer();
    const QString text = v.rtbRules->text();
    QTest::keyClicks(v.rtbRules, "x");
    QTest::keyClick(v.rtbRules, Qt::Key_End, Qt::ShiftModifier);
    EXPECT_EQ(v.rtbRules->text(), text);
    EXPECT_GT(v.rtbRules->selLength(), 0);
}

TEST_F(RulesViewer, ADocumentThatCannotBeLoadedIsReportedAndChangesNoViewer) {
    useDocument({"INTRODUCTION"});
    frmRules* open = &openViewer();
    for (const auto& [paragraphs, header] :
         {std::pair{QStringList(), QByteArray()}, {QStringList("INTRODUCTION"), "Plain text "}}) {
        const QString path = useDocument(paragraphs, header);
        dialogs.shown.clear();
        quillbox::help::openRulesViewer(&caller);
        ASSERT_EQ(dialogs.shown.size(), 1u);
        EXPECT_EQ(dialogs.shown[0].kind, "message");
        EXPECT_EQ(dialogs.shown[0].text, "The help file " + path + " is missing.");
        EXPECT_EQ(dialogs.shown[0].title, "Help File Missing");
        EXPECT_EQ(dialogs.shown[0].icon, ui::MessageIcon::Critical);
        EXPECT_EQ(dialogs.shown[0].parent, &caller);
        // An open viewer stays as it was; else none opens.
        EXPECT_EQ(frmRules::loaded(), open != nullptr);
        EXPECT_TRUE(open == nullptr || open->rtbRules->text() == "INTRODUCTION");
        TearDown();
        open = nullptr;
    }
}

TEST_F(RulesViewer, ASystemInstallReadsTheDocumentFromItsSharedFolder) {
    // The program in games/, nothing beside it, the document in share/quillbox.
    QDir(folder.path()).mkpath(QStringLiteral("games"));
    QDir(folder.path()).mkpath(QStringLiteral("share/quillbox"));
    QFile f(folder.filePath(QStringLiteral("share/quillbox/Quillbox Rules.rtf")));
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write("{\\rtf1 INTRODUCTION\\par Shared copy.}");
    f.close();
    ui::setProgramFolderForTesting(folder.filePath(QStringLiteral("games")));
    EXPECT_TRUE(openViewer().rtbRules->text().contains(QStringLiteral("Shared copy.")));
    EXPECT_TRUE(dialogs.shown.empty());
}

TEST_F(RulesViewer, EscAndCtrlWCloseIt) {
    for (const QKeyCombination key : {QKeyCombination(Qt::Key_Escape), Qt::CTRL | Qt::Key_W}) {
        QTest::keyClick(openViewer().lstContents, key.key(), key.keyboardModifiers());
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        EXPECT_FALSE(frmRules::loaded()) << QKeySequence(key).toString().toStdString();
    }
}

TEST_F(RulesViewer, ItsTextAndContentsAreNamedAndTheTextIsReadOnlyForScreenReaders) {
    frmRules& v = openViewer();
    using quillbox::testing::accessibleText;
    EXPECT_EQ(accessibleText(v.rtbRules), "Rules");
    EXPECT_FALSE(accessibleText(v.rtbRules, QAccessible::Description).isEmpty());
    EXPECT_TRUE(QAccessible::queryAccessibleInterface(v.rtbRules)->state().readOnly);
    EXPECT_EQ(accessibleText(v.lstContents), "Table of Contents");
    EXPECT_EQ(quillbox::testing::unnamedControls(&v).join(" ").toStdString(), "");
}

}  // namespace
