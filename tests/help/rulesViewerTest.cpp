// The rules viewer: opening it from a game window's Help menu, its table of
// contents, and the searches that bring a section into view.
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
#include "ui/programFolder.h"
#include "ui/richTextBox.h"

using quillbox::help::frmRules;
using quillbox::help::openRulesViewer;
namespace ui = quillbox::ui;

namespace {

const QString kFileName = QStringLiteral("Quillbox Rules.rtf");

// A minimal RTF document, one paragraph per entry.
QByteArray rtfOf(const QStringList& paragraphs) {
    QByteArray out = "{\\rtf1\\ansi\\deff0{\\fonttbl{\\f0 Arial;}}\\f0\\fs20 ";
    for (const QString& p : paragraphs)
        out += p.toLatin1() + "\\par\r\n";
    return out + "}";
}

// Where, in the view, the section of the selected heading ends: the top of
// the next heading, or the end of the document after the last one.
int sectionEndInView(ui::RichTextBox& box, const QString& nextHeading) {
    const QTextCursor next = nextHeading.isEmpty()
                                 ? QTextCursor()
                                 : box.document()->find(nextHeading, box.textCursor(),
                                                        QTextDocument::FindCaseSensitively);
    const QRectF r = box.document()->documentLayout()->blockBoundingRect(
        next.isNull() ? box.document()->lastBlock() : next.block());
    return static_cast<int>(next.isNull() ? r.bottom() : r.top()) -
           box.verticalScrollBar()->value();
}

class RulesViewer : public ::testing::Test {
  protected:
    void TearDown() override {
        frmRules::unload();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        ui::setProgramFolderForTesting({});
    }

    // Points the program folder at a scratch folder holding the given document.
    void useDocument(const QByteArray& bytes) {
        ui::setProgramFolderForTesting(folder.path());
        QFile f(folder.filePath(kFileName));
        ASSERT_TRUE(f.open(QIODevice::WriteOnly | QIODevice::Truncate));
        f.write(bytes);
    }

    frmRules& openViewer() {
        openRulesViewer(nullptr);
        EXPECT_TRUE(frmRules::loaded());
        frmRules& v = frmRules::instance();
        EXPECT_TRUE(QTest::qWaitForWindowExposed(&v));
        return v;
    }

    static void clickEntry(frmRules& v, int row) {
        QListWidgetItem* item = v.lstContents->item(row);
        v.lstContents->scrollToItem(item);
        QTest::mouseClick(v.lstContents->viewport(), Qt::LeftButton, {},
                          v.lstContents->visualItemRect(item).center());
    }

    QTemporaryDir folder;
    quillbox::testing::ScriptedDialogs dialogs;
};

TEST_F(RulesViewer, AResizableWindowWhoseControlsStayPutOpeningEachTimeWithNothingSelected) {
    useDocument(rtfOf({QStringLiteral("INTRODUCTION")}));
    frmRules& v = openViewer();
    EXPECT_EQ(v.windowTitle(), "Quillbox Rules");
    EXPECT_FALSE(v.isModal());
    EXPECT_TRUE(v.windowFlags() & Qt::WindowMinMaxButtonsHint);
    EXPECT_NE(v.minimumSize(), v.maximumSize());
    EXPECT_EQ(v.lstContents->item(4)->text(), "  Playing Blanks");  // sub-topics indented
    EXPECT_TRUE(v.lstContents->selectedItems().isEmpty());
    const QRect text = v.rtbRules->geometry(), list = v.lstContents->geometry();
    v.resize(900, 700);
    QApplication::processEvents();
    EXPECT_EQ(v.rtbRules->geometry(), text);
    EXPECT_EQ(v.lstContents->geometry(), list);

    // Closing unloads it; the next opening starts afresh.
    clickEntry(v, 0);
    ASSERT_EQ(v.lstContents->currentRow(), 0);
    v.close();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_FALSE(frmRules::loaded());
    frmRules& again = openViewer();
    EXPECT_TRUE(again.lstContents->selectedItems().isEmpty());
    EXPECT_EQ(again.lstContents->currentRow(), -1);
}

TEST_F(RulesViewer, EveryEntryOfTheShippedGuideSelectsItsHeadingAndShowsIt) {
    frmRules& v = openViewer();
    EXPECT_TRUE(dialogs.shown.empty());
    const QString text = v.rtbRules->text();
    ASSERT_GT(text.size(), 5000);
    ASSERT_EQ(v.lstContents->count(), 21);

    // Walk the contents backwards and forwards, so each search scrolls both ways.
    for (int i = 0; i < 42; ++i) {
        const int row = i < 21 ? 20 - i : i - 21;
        const QString heading = v.lstContents->item(row)->text().trimmed();
        SCOPED_TRACE(heading.toStdString());
        clickEntry(v, row);
        EXPECT_EQ(v.rtbRules->selText(), heading);
        EXPECT_EQ(v.rtbRules->selStart(), text.indexOf(heading));
        EXPECT_EQ(v.lstContents->currentRow(), row);
        // The heading is in view together with its section: either the whole
        // section fits below it, or the heading stands at the top of the view.
        const QRect headingRect = v.rtbRules->cursorRect();
        const QRect view = v.rtbRules->viewport()->rect();
        EXPECT_TRUE(view.contains(headingRect)) << "heading scrolled out of view";
        const QString next = row < 20 ? v.lstContents->item(row + 1)->text().trimmed() : QString();
        const int sectionEnd = sectionEndInView(*v.rtbRules, next);
        EXPECT_TRUE(sectionEnd <= view.height() || headingRect.top() < view.height() / 4)
            << "heading at " << headingRect.top() << ", section ends at " << sectionEnd;
    }
}

TEST_F(RulesViewer, ClickingTheSameEntryAgainBringsItsSectionBack) {
    frmRules& v = openViewer();
    clickEntry(v, 15);
    const int scrolled = v.rtbRules->verticalScrollBar()->value();
    ASSERT_GT(scrolled, 0);
    v.rtbRules->verticalScrollBar()->setValue(0);
    v.rtbRules->setSelStart(0);
    clickEntry(v, 15);
    EXPECT_EQ(v.rtbRules->selText(), "Greek Letters");
    EXPECT_EQ(v.rtbRules->verticalScrollBar()->value(), scrolled);
}

TEST_F(RulesViewer, ArrowKeysInTheContentsRunTheSearchToo) {
    frmRules& v = openViewer();
    clickEntry(v, 6);
    ASSERT_EQ(v.rtbRules->selText(), "SCORING");
    // Set QUILLBOX_SCREENSHOT to a file name to keep this view for the documentation.
    const QString shot = qEnvironmentVariable("QUILLBOX_SCREENSHOT");
    if (!shot.isEmpty()) {
        EXPECT_TRUE(v.grab().save(shot));
    }
    v.lstContents->setFocus();
    QTest::keyClick(v.lstContents, Qt::Key_Down);
    EXPECT_EQ(v.rtbRules->selText(), "PLAYING TIPS");
    QTest::keyClick(v.lstContents, Qt::Key_Up);
    QTest::keyClick(v.lstContents, Qt::Key_Up);
    EXPECT_EQ(v.rtbRules->selText(), "What if I can't");
}

TEST_F(RulesViewer, HeadingsAreMatchedExactlyAndTheFirstOccurrenceWins) {
    // SCORING written in mixed case is not that heading; LEARN MODE in capitals
    // inside a paragraph comes before the real heading and is the one found.
    QStringList paragraphs{"INTRODUCTION", "", "Scoring", "", "Turn on LEARN MODE to study.", ""};
    for (int i = 0; i < 80; ++i)
        paragraphs << QStringLiteral("Filler line %1").arg(i);
    paragraphs << ""
               << "LEARN MODE"
               << ""
               << "About learning."
               << "";
    useDocument(rtfOf(paragraphs));
    frmRules& v = openViewer();
    const QString text = v.rtbRules->text();

    clickEntry(v, 8);
    EXPECT_EQ(v.rtbRules->selText(), "LEARN MODE");
    EXPECT_EQ(v.rtbRules->selStart(), text.indexOf(QStringLiteral("LEARN MODE")));
    EXPECT_LT(v.rtbRules->selStart(), text.indexOf(QStringLiteral("Filler")));

    // Not found: selection and scroll position stay exactly as they were.
    clickEntry(v, 0);
    v.rtbRules->verticalScrollBar()->setValue(v.rtbRules->verticalScrollBar()->maximum() / 2);
    const int scroll = v.rtbRules->verticalScrollBar()->value();
    ASSERT_GT(scroll, 0);
    for (int row : {6, 18}) {  // "SCORING" (only mixed case here), "Animal Noises" (absent)
        clickEntry(v, row);
        EXPECT_EQ(v.rtbRules->selText(), "INTRODUCTION");
        EXPECT_EQ(v.rtbRules->selStart(), 0);
        EXPECT_EQ(v.rtbRules->verticalScrollBar()->value(), scroll);
    }
}

TEST_F(RulesViewer, AMissingOrNonRtfDocumentIsReportedAndNoViewerOpens) {
    const auto expectReported = [this](const QString& path) {
        ASSERT_EQ(dialogs.messages().size(), 1u);
        EXPECT_EQ(dialogs.messages()[0].text, "The help file " + path + " is missing.");
        EXPECT_EQ(dialogs.messages()[0].title, "Help File Missing");
        EXPECT_FALSE(frmRules::loaded() && frmRules::instance().isVisible());
        dialogs.shown.clear();
    };
    ui::setProgramFolderForTesting(folder.path());
    openRulesViewer(nullptr);
    expectReported(folder.filePath(kFileName));
    useDocument("INTRODUCTION\r\nThis is plain text, not rich text.\r\n");
    openRulesViewer(nullptr);
    expectReported(folder.filePath(kFileName));
    // A program folder at the root gets no double separator.
    ui::setProgramFolderForTesting(QStringLiteral("/"));
    if (!QFile::exists(QStringLiteral("/") + kFileName)) {
        openRulesViewer(nullptr);
        expectReported(QStringLiteral("/") + kFileName);
    }
}

TEST_F(RulesViewer, ASystemInstallReadsTheDocumentFromItsSharedFolder) {
    // The program in games/, nothing beside it, the document in share/quillbox.
    QDir(folder.path()).mkpath(QStringLiteral("games"));
    QDir(folder.path()).mkpath(QStringLiteral("share/quillbox"));
    QFile f(folder.filePath(QStringLiteral("share/quillbox/") + kFileName));
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write(rtfOf({QStringLiteral("INTRODUCTION"), QStringLiteral("Shared copy.")}));
    f.close();
    ui::setProgramFolderForTesting(folder.filePath(QStringLiteral("games")));
    frmRules& v = openViewer();
    EXPECT_TRUE(v.rtbRules->text().contains(QStringLiteral("Shared copy.")));
    EXPECT_TRUE(dialogs.shown.empty());
}

TEST_F(RulesViewer, OpeningAgainReloadsTheSameViewerAndAFailedReloadKeepsIt) {
    useDocument(rtfOf({QStringLiteral("INTRODUCTION"), QStringLiteral("First edition.")}));
    frmRules* first = &openViewer();
    useDocument(rtfOf({QStringLiteral("INTRODUCTION"), QStringLiteral("Second edition.")}));
    frmRules& v = openViewer();
    EXPECT_EQ(first, &v);
    EXPECT_TRUE(v.rtbRules->text().contains(QStringLiteral("Second edition.")));
    EXPECT_FALSE(v.rtbRules->text().contains(QStringLiteral("First edition.")));
    EXPECT_TRUE(dialogs.shown.empty());

    const QString before = v.rtbRules->text();
    useDocument("not rich text");
    openRulesViewer(nullptr);
    QFile::remove(folder.filePath(kFileName));
    openRulesViewer(nullptr);
    ASSERT_EQ(dialogs.messages().size(), 2u);
    EXPECT_EQ(dialogs.messages()[0].title, "Help File Missing");
    ASSERT_TRUE(frmRules::loaded());
    EXPECT_EQ(&frmRules::instance(), &v);
    EXPECT_TRUE(v.isVisible());
    EXPECT_EQ(v.rtbRules->text(), before);
}

}  // namespace
