// The rules viewer: opened from a game's Help menu, it shows the rules
// document at its top, and each contents entry brings its heading to the top
// of the view with the section below it.
#include <gtest/gtest.h>

#include <QAccessible>
#include <QApplication>
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
#include "ui/programFolder.h"
#include "ui/richTextBox.h"

using quillbox::help::frmRules;
using quillbox::help::openRulesViewer;
namespace ui = quillbox::ui;

namespace {

// A minimal RTF document, one paragraph per entry.
QByteArray rtfOf(const QStringList& paragraphs) {
    QByteArray out = "{\\rtf1\\ansi\\deff0{\\fonttbl{\\f0 Arial;}}\\f0\\fs20 ";
    for (const QString& p : paragraphs)
        out += p.toLatin1() + "\\par\r\n";
    return out + "}";
}

class RulesViewer : public ::testing::Test {
  protected:
    void TearDown() override {
        frmRules::unload();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        ui::setProgramFolderForTesting({});
    }
    // Puts a document (or, with no bytes, nothing) where the viewer looks.
    QString useDocument(const QByteArray& bytes) {
        ui::setProgramFolderForTesting(folder.path());
        const QString path = folder.filePath(QStringLiteral("Quillbox Rules.rtf"));
        QFile::remove(path);
        QFile f(path);
        if (!bytes.isEmpty() && f.open(QIODevice::WriteOnly))
            f.write(bytes);
        return path;
    }
    frmRules& openViewer() {
        openRulesViewer(&caller);
        EXPECT_TRUE(frmRules::loaded() && frmRules::instance().isVisible());
        EXPECT_TRUE(QTest::qWaitForWindowExposed(&frmRules::instance()));
        return frmRules::instance();
    }
    static void clickEntry(frmRules& v, int row) {
        QListWidgetItem* item = v.lstContents->item(row);
        v.lstContents->scrollToItem(item);
        QTest::mouseClick(v.lstContents->viewport(), Qt::LeftButton, {},
                          v.lstContents->visualItemRect(item).center());
    }
    static int scroll(const frmRules& v) { return v.rtbRules->verticalScrollBar()->value(); }

    QWidget caller;
    QTemporaryDir folder;
    quillbox::testing::ScriptedDialogs dialogs;
};

TEST_F(RulesViewer, OpensAtTheTopOfTheDocumentEveryTime) {
    frmRules& v = openViewer();
    EXPECT_EQ(scroll(v), 0);
    clickEntry(v, 19);
    ASSERT_GT(scroll(v), 0);
    openViewer();  // again while open: reloaded
    EXPECT_EQ(scroll(v), 0);
    v.close();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_EQ(scroll(openViewer()), 0);
    EXPECT_TRUE(frmRules::instance().lstContents->selectedItems().isEmpty());
}

TEST_F(RulesViewer, EachEntryBringsItsHeadingToTheTopOfTheViewWithItsSectionBelow) {
    frmRules& v = openViewer();
    const QString text = v.rtbRules->text();
    const QScrollBar* bar = v.rtbRules->verticalScrollBar();
    // Backwards by mouse, then forwards by keyboard, so the view scrolls both ways.
    for (int i = 0; i < 42; ++i) {
        const int row = i < 21 ? 20 - i : i - 21;
        if (i < 21) {
            clickEntry(v, row);
        } else {
            v.lstContents->setFocus();
            QTest::keyClick(v.lstContents, row == 0 ? Qt::Key_Home : Qt::Key_Down);
        }
        const QString heading = v.lstContents->item(row)->text().trimmed();
        SCOPED_TRACE(heading.toStdString());
        EXPECT_EQ(v.rtbRules->selText(), heading);
        EXPECT_EQ(v.rtbRules->selStart(), text.indexOf(heading));
        // The heading opens the view, unless the document's end is in view.
        EXPECT_TRUE(v.rtbRules->viewport()->rect().contains(v.rtbRules->cursorRect()));
        if (bar->value() < bar->maximum()) {
            EXPECT_EQ(v.rtbRules->cursorForPosition({}).block(), v.rtbRules->textCursor().block());
        }
    }
}

TEST_F(RulesViewer, HeadingsMatchCaseSensitivelyAndTheFirstMentionWins) {
    QStringList paragraphs{"INTRODUCTION", "", "Scoring", "", "Turn on LEARN MODE to study.", ""};
    for (int i = 0; i < 80; ++i)
        paragraphs << QStringLiteral("Filler line %1").arg(i) << "";
    useDocument(rtfOf(paragraphs << "LEARN MODE"
                                 << ""
                                 << "SCORING"
                                 << ""
                                 << "Points."));
    frmRules& v = openViewer();
    const QString text = v.rtbRules->text();
    for (const auto& [row, heading] : {std::pair{8, "LEARN MODE"}, {6, "SCORING"}}) {
        clickEntry(v, row);
        EXPECT_EQ(v.rtbRules->selStart(), text.indexOf(QLatin1String(heading))) << heading;
    }
}

TEST_F(RulesViewer, AnEntryWhoseHeadingIsAbsentLeavesTheViewAsItWas) {
    QStringList paragraphs{"INTRODUCTION", ""};
    for (int i = 0; i < 80; ++i)
        paragraphs << QStringLiteral("Filler line %1").arg(i);
    useDocument(rtfOf(paragraphs));
    frmRules& v = openViewer();
    v.rtbRules->setSelStart(20);
    v.rtbRules->setSelLength(5);
    v.rtbRules->verticalScrollBar()->setValue(7);
    clickEntry(v, 18);
    EXPECT_EQ(v.rtbRules->selStart(), 20);
    EXPECT_EQ(v.rtbRules->selLength(), 5);
    EXPECT_EQ(scroll(v), 7);
}

TEST_F(RulesViewer, AMissingOrUnreadableDocumentIsReportedAndTheViewerStaysShut) {
    for (const QByteArray& bytes : {QByteArray(), QByteArray("INTRODUCTION, not rich text")}) {
        const QString path = useDocument(bytes);
        dialogs.shown.clear();
        openRulesViewer(&caller);
        ASSERT_EQ(dialogs.shown.size(), 1u);
        const auto& shown = dialogs.shown[0];
        EXPECT_EQ(shown.kind, "message");
        EXPECT_EQ(shown.text, "The help file " + path + " is missing.");
        EXPECT_EQ(shown.title, "Help File Missing");
        EXPECT_EQ(shown.icon, ui::MessageIcon::Critical);
        EXPECT_EQ(shown.parent, &caller);
        EXPECT_FALSE(frmRules::loaded());
    }
}

TEST_F(RulesViewer, OpeningAgainReloadsTheSameViewerAndAFailedReloadKeepsIt) {
    useDocument(rtfOf({"INTRODUCTION", "First edition."}));
    frmRules* first = &openViewer();
    useDocument(rtfOf({"INTRODUCTION", "Second edition."}));
    EXPECT_EQ(&openViewer(), first);
    EXPECT_EQ(first->rtbRules->text(), "INTRODUCTION\r\nSecond edition.\r\n");
    useDocument({});
    openRulesViewer(&caller);
    EXPECT_EQ(dialogs.messages().size(), 1u);
    ASSERT_TRUE(frmRules::loaded());
    EXPECT_TRUE(first->isVisible());
    EXPECT_EQ(first->rtbRules->text(), "INTRODUCTION\r\nSecond edition.\r\n");
}

TEST_F(RulesViewer, EscAndCtrlWCloseIt) {
    for (const QKeyCombination key : {QKeyCombination(Qt::Key_Escape), Qt::CTRL | Qt::Key_W}) {
        frmRules& v = openViewer();
        QApplication::setActiveWindow(&v);
        v.lstContents->setFocus();
        QTest::keyClick(v.lstContents, key.key(), key.keyboardModifiers());
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        EXPECT_FALSE(frmRules::loaded()) << QKeySequence(key).toString().toStdString();
    }
}

TEST_F(RulesViewer, ItsTextAndContentsAreNamedForScreenReaders) {
    frmRules& v = openViewer();
    const auto name = [](QObject* w) {
        return QAccessible::queryAccessibleInterface(w)->text(QAccessible::Name);
    };
    EXPECT_EQ(name(v.rtbRules), "Rules");
    EXPECT_EQ(name(v.lstContents), "Table of Contents");
    EXPECT_EQ(name(v.lblContents), "Table of Contents");
    EXPECT_FALSE(QAccessible::queryAccessibleInterface(v.rtbRules)
                     ->text(QAccessible::Description)
                     .isEmpty());
}

}  // namespace
