// The Classic window driven through its real widgets, offscreen, with a
// scripted bag and scripted dialog answers.
#include <gtest/gtest.h>

#include <QApplication>
#include <QCheckBox>
#include <QFile>
#include <QLabel>
#include <QPushButton>
#include <QScrollBar>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

#include "classic/classicGame.h"
#include "classic/frmMain.h"
#include "classic/legalPlayFinder.h"
#include "classic/rackWidgets.h"
#include "core/frmLaunchpad.h"
#include "core/mainMod.h"
#include "core/random.h"
#include "support/scriptedDialogs.h"
#include "support/scriptedRandom.h"
#include "ui/programFolder.h"
#include "ui/richTextBox.h"
#include "ui/rtf/rtfDocument.h"

using quillbox::classic::ClassicGame;
using quillbox::classic::frmMain;
using quillbox::core::frmLaunchpad;
using quillbox::testing::kFillOrder;
using quillbox::testing::ScriptedDialogs;
using quillbox::testing::ScriptedRandom;
using quillbox::testing::shuffleScript;

namespace {

// The bag after the shuffle: the first seven tiles form the first rack.
std::string bagStartingWith(const std::string& front) {
    std::string rest = kFillOrder;
    for (char c : front)
        rest.erase(rest.find(c), 1);
    return front + rest;
}

class ClassicWindowTest : public ::testing::Test {
  protected:
    void SetUp() override {
        ASSERT_TRUE(folder.isValid());
        quillbox::ui::setProgramFolderForTesting(folder.path());
        quillbox::core::setApplicationRandom(&random);
        w = &frmMain::instance();
        w->show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(w));
    }
    void TearDown() override {
        if (frmMain::loaded()) {
            // A game in progress asks before closing; answer Yes.
            dialogs.yesNoAnswers.push_back(true);
            w->close();
        }
        frmLaunchpad::unload();
        QApplication::processEvents();
        quillbox::core::setApplicationRandom(nullptr);
        quillbox::ui::setProgramFolderForTesting(QString());
    }

    void startWithRack(const std::string& front) {
        for (double v : shuffleScript(kFillOrder, bagStartingWith(front)))
            random.push(v);
        QTest::mouseClick(w->cmdStartGame, Qt::LeftButton);
    }

    QString rackText() const {
        QString s;
        for (auto* t : w->lblTile)
            s += t->occupied() ? t->text() : QStringLiteral(".");
        return s;
    }
    QString selection() const {
        QString s;
        for (auto* t : w->lblTile)
            s += t->occupied() && t->selected() ? QStringLiteral("*") : QStringLiteral(".");
        return s;
    }

    // Drags the tile of slot `from` to a point of the client area.
    void dragTo(int from, QPoint target) {
        auto* src = w->lblTile[from];
        const QPoint start = QPoint(src->width() / 2, src->height() / 2);
        QTest::mousePress(src, Qt::LeftButton, {}, start);
        // Moves are delivered to the pressed tile, which holds the mouse.
        const QPoint via = src->mapFrom(w->client, (src->geometry().center() + target) / 2);
        QTest::mouseMove(src, via);
        QTest::mouseMove(src, src->mapFrom(w->client, target));
        QTest::mouseRelease(src, Qt::LeftButton, {}, src->mapFrom(w->client, target));
    }
    void click(int slot) { QTest::mouseClick(w->lblTile[slot], Qt::LeftButton); }
    // What the platform delivers for a double-click: a click, then a second
    // press followed by the double-click event, then the release.
    void doubleClick(int slot) {
        auto* t = w->lblTile[slot];
        QTest::mouseClick(t, Qt::LeftButton);
        QTest::mousePress(t, Qt::LeftButton);
        QTest::mouseDClick(t, Qt::LeftButton);
        QTest::mouseRelease(t, Qt::LeftButton);
    }

    QTemporaryDir folder;
    ScriptedRandom random;
    ScriptedDialogs dialogs;
    frmMain* w = nullptr;
};

TEST_F(ClassicWindowTest, StartGameDrawsSevenTilesAndListsThePlays) {
    EXPECT_FALSE(w->cmdPlayWord->isEnabled());
    EXPECT_FALSE(w->cmdDrawTiles->isEnabled());
    EXPECT_TRUE(w->chkLearnMode->isChecked());
    EXPECT_EQ(w->lblBagCount->text(), "100");
    EXPECT_EQ(rackText(), "..........");
    startWithRack("QIXENAT");
    EXPECT_EQ(rackText(), "QIXENAT...");
    EXPECT_EQ(w->lblBagCount->text(), "93");
    EXPECT_EQ(w->lblPoints->text(), "0");
    EXPECT_FALSE(w->cmdStartGame->isEnabled());
    EXPECT_FALSE(w->chkLearnMode->isEnabled());
    EXPECT_FALSE(w->cmdDrawTiles->isEnabled());
    EXPECT_EQ(w->rtfPotentials->text(),
              "XI EN QAT\r\nIN EX QAT\r\nXI NE QAT\r\n\r\n\r\n\r\n\r\n\r\n\r\n");
    EXPECT_EQ(w->lblCountdown->text(), "0");
}

TEST_F(ClassicWindowTest, ALongListShowsFromItsFirstPlayWithItsBlanksUnderlined) {
    startWithRack("AEHMO__");
    quillbox::classic::LegalPlayFinder finder(quillbox::core::mainMod::lexicon());
    const quillbox::classic::ListContent expected =
        quillbox::classic::listContent(finder.find("AEHMO__"));
    ASSERT_GT(expected.underlined.size(), 10000u);
    EXPECT_EQ(w->rtfPotentials->text().toStdString(), expected.text);
    EXPECT_EQ(w->rtfPotentials->verticalScrollBar()->value(), 0);
    EXPECT_EQ(w->rtfPotentials->selStart(), w->rtfPotentials->textLength());

    // Where the underlines are, in the CR LF text, as the box writes them out.
    const quillbox::ui::rtf::Document shown =
        quillbox::ui::rtf::readRtf(w->rtfPotentials->textRTF().toStdString());
    std::vector<int> underlined;
    int position = 0;
    for (const auto& paragraph : shown.paragraphs) {
        for (const auto& run : paragraph.runs) {
            EXPECT_EQ(run.format.color, (quillbox::ui::rtf::Color{0, 0, 0}));
            for (std::size_t k = 0; k < run.text.size(); ++k, ++position) {
                if (run.format.underline)
                    underlined.push_back(position);
            }
        }
        position += 2;
    }
    EXPECT_EQ(underlined, expected.underlined);
}

TEST_F(ClassicWindowTest, ClicksSelectTilesAndShowTheDefinition) {
    startWithRack("QIXENAT");
    click(2);  // X
    EXPECT_EQ(selection(), "..*.......");
    EXPECT_FALSE(w->cmdPlayWord->isEnabled());
    click(1);  // I
    EXPECT_TRUE(w->cmdPlayWord->isEnabled());
    EXPECT_TRUE(w->lblDefinition->text().startsWith("IX: --- NOT A WORD! ---"));
    click(7);  // an empty slot changes nothing
    EXPECT_TRUE(w->cmdPlayWord->isEnabled());
    click(1);
    EXPECT_FALSE(w->cmdPlayWord->isEnabled());
    EXPECT_EQ(w->lblDefinition->text(), "");
}

TEST_F(ClassicWindowTest, DroppingOnATileInsertsBeforeOrAfterItByTheHalfHit) {
    startWithRack("ABCDEFG");
    const QRect c = w->lblTile[2]->geometry();
    dragTo(0, QPoint(c.left() + 5, c.center().y()));
    // The first empty slot right of the insertion point (slot 7) absorbs the
    // shift, although slot 0 was emptied closer on the left.
    EXPECT_EQ(rackText(), ".BACDEFG..");
    for (auto* m : w->imgSpacer)
        EXPECT_FALSE(m->isVisible());
    dragTo(2, QPoint(w->lblTile[1]->geometry().right() - 3, c.center().y()));
    EXPECT_EQ(rackText(), ".BACDEFG..");
    dragTo(1, QPoint(c.left() + 3, c.center().y()));
    EXPECT_EQ(rackText(), "..BACDEFG.");
}

TEST_F(ClassicWindowTest, DraggingIntoAGapAndOntoAnEmptySlot) {
    startWithRack("ABCDEFG");
    // Drop G on the empty slot 9: only G moves.
    dragTo(6, w->lblTile[9]->geometry().center());
    EXPECT_EQ(rackText(), "ABCDEF...G");
    // Drop G into the gap between slots 2 and 3, reached below the tiles.
    const QRect gap = w->lblSpacer[3]->geometry();
    const QPoint belowTiles(gap.center().x(), w->lblTile[3]->geometry().bottom() + 6);
    dragTo(9, belowTiles);
    EXPECT_EQ(rackText(), "ABCGDEF...");
}

TEST_F(ClassicWindowTest, ReleasingOutsideChangesNothingAndAStillPressIsAClick) {
    startWithRack("ABCDEFG");
    dragTo(3, w->cmdStartGame->geometry().center());
    EXPECT_EQ(rackText(), "ABCDEFG...");
    EXPECT_EQ(selection(), "..........");
    for (auto* m : w->imgSpacer)
        EXPECT_FALSE(m->isVisible());
    for (auto* t : w->lblTile)
        EXPECT_FALSE(t->hasBorder());
    click(3);
    EXPECT_EQ(selection(), "...*......");
    // A dragged selected tile stays selected.
    dragTo(3, w->lblTile[8]->geometry().center());
    EXPECT_EQ(rackText(), "ABC.EFG.D.");
    EXPECT_EQ(selection(), "........*.");
}

TEST_F(ClassicWindowTest, DragFeedbackShowsTheBorderAndTheMarker) {
    startWithRack("ABCDEFG");
    auto* src = w->lblTile[0];
    QTest::mousePress(src, Qt::LeftButton, {}, QPoint(10, 10));
    const QRect c = w->lblTile[4]->geometry();
    QTest::mouseMove(src, src->mapFrom(w->client, QPoint(c.left() + 4, c.center().y())));
    EXPECT_TRUE(w->lblTile[4]->hasBorder());
    EXPECT_TRUE(w->imgSpacer[4]->isVisible());
    QTest::mouseMove(src, src->mapFrom(w->client, QPoint(c.right() - 4, c.center().y())));
    EXPECT_FALSE(w->imgSpacer[4]->isVisible());
    EXPECT_TRUE(w->imgSpacer[5]->isVisible());
    QTest::mouseMove(src, src->mapFrom(w->client, w->cmdDrawTiles->geometry().center()));
    EXPECT_FALSE(w->lblTile[4]->hasBorder());
    EXPECT_FALSE(w->imgSpacer[5]->isVisible());
    QTest::mouseRelease(src, Qt::LeftButton, {},
                        src->mapFrom(w->client, w->cmdDrawTiles->geometry().center()));
    EXPECT_EQ(rackText(), "ABCDEFG...");
}

TEST_F(ClassicWindowTest, LearnModeShowsAndHidesItsWidgets) {
    QTest::mouseClick(w->chkLearnMode, Qt::LeftButton);
    EXPECT_FALSE(w->chkLearnMode->isChecked());
    EXPECT_FALSE(w->lblDefinition->isVisible());
    EXPECT_FALSE(w->rtfPotentials->isVisible());
    EXPECT_FALSE(w->lblCountdown->isVisible());
    startWithRack("QIXENAT");
    // No search without learn mode.
    EXPECT_EQ(w->lblCountdown->text(), "5000");
    click(2);
    click(1);
    EXPECT_EQ(w->lblDefinition->text(), "");
    EXPECT_TRUE(w->cmdPlayWord->isEnabled());
}

TEST_F(ClassicWindowTest, BlanksAreReletteredByDoubleClick) {
    startWithRack("_ATQIXN");
    EXPECT_TRUE(w->lblTile[0]->blank());
    EXPECT_EQ(w->lblTile[0]->text(), "E");
    dialogs.inputAnswers = {"", "ab", "x"};
    doubleClick(0);
    EXPECT_EQ(w->lblTile[0]->text(), "X");
    EXPECT_TRUE(w->lblTile[0]->blank());
    EXPECT_EQ(dialogs.messages().size(), 2u);  // "" and "ab" refused
}

TEST_F(ClassicWindowTest, PlaysAreWrittenToTheTallySheetInColor) {
    startWithRack("_ATQIXN");
    dialogs.inputAnswers = {"Q"};
    doubleClick(0);  // blank as Q, now selected
    click(1);
    click(2);  // Q A T: the blank's Q underlined
    ASSERT_EQ(w->game().selectedWord(), "QAT");
    QTest::mouseClick(w->cmdPlayWord, Qt::LeftButton);
    click(4);
    click(5);  // I X: not a word
    QTest::mouseClick(w->cmdPlayWord, Qt::LeftButton);
    EXPECT_EQ(w->rtfPlays->text(), "QAT     1\r\nIX     -1\r\n");
    EXPECT_EQ(w->lblPoints->text(), " 0");
    EXPECT_TRUE(w->cmdDrawTiles->isEnabled());

    // Saved as RTF: the same lines, colours and underline.
    const QString path = folder.filePath("tally.rtf");
    dialogs.saveAnswers.push_back(path);
    w->mnuFileSaveResults->trigger();
    QFile f(path);
    ASSERT_TRUE(f.open(QIODevice::ReadOnly));
    const auto doc = quillbox::ui::rtf::readRtf(f.readAll().toStdString());
    EXPECT_EQ(quillbox::ui::rtf::plainText(doc), u"QAT     1\r\nIX     -1\r\n");
    bool underlinedQ = false, redIX = false;
    for (const auto& par : doc.paragraphs)
        for (const auto& run : par.runs) {
            if (run.text == u"Q" && run.format.underline)
                underlinedQ = true;
            if (run.text.find(u"IX") != std::u16string::npos && run.format.color &&
                *run.format.color == quillbox::ui::rtf::Color{255, 0, 0})
                redIX = true;
        }
    EXPECT_TRUE(underlinedQ);
    EXPECT_TRUE(redIX);
}

TEST_F(ClassicWindowTest, SelectingAWordOnTheTallySheetShowsItsDefinition) {
    startWithRack("QIXENAT");
    click(5);
    click(4);  // read in slot order: N, A
    QTest::mouseClick(w->cmdPlayWord, Qt::LeftButton);
    w->rtfPlays->setSelStart(0);
    w->rtfPlays->setSelLength(2);
    emit w->rtfPlays->mouseUp();
    EXPECT_TRUE(w->lblDefinition->text().startsWith("NA: "));
    w->rtfPlays->setSelStart(5);
    w->rtfPlays->setSelLength(4);  // blanks and a digit only
    w->lblDefinition->clear();
    emit w->rtfPlays->mouseUp();
    EXPECT_EQ(w->lblDefinition->text(), "");
}

TEST_F(ClassicWindowTest, ClosingAsksFirstOnlyDuringAGame) {
    startWithRack("QIXENAT");
    dialogs.yesNoAnswers.push_back(false);
    w->mnuFileExit->trigger();
    QApplication::processEvents();
    ASSERT_TRUE(frmMain::loaded());
    EXPECT_TRUE(w->isVisible());
    EXPECT_EQ(rackText(), "QIXENAT...");
    ASSERT_EQ(dialogs.shown.back().kind, "yesno");
    EXPECT_EQ(dialogs.shown.back().text, "A game is in progress!\r\nDo you really want to exit?");

    dialogs.yesNoAnswers.push_back(true);
    w->close();
    QApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_FALSE(frmMain::loaded());
    EXPECT_TRUE(frmLaunchpad::instance().isVisible());
}

TEST_F(ClassicWindowTest, ClosingWithoutAGameAsksNothing) {
    w->close();
    QApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_FALSE(frmMain::loaded());
    EXPECT_TRUE(dialogs.shown.empty());
}

// Plays the first two or three tiles of every rack until the game ends.
void playOut(frmMain* w) {
    for (int guard = 0; guard < 200 && w->game().gameInProgress(); ++guard) {
        int picked = 0;
        for (int i = 0; i < 10 && picked < 3; ++i)
            if (w->lblTile[i]->occupied()) {
                QTest::mouseClick(w->lblTile[i], Qt::LeftButton);
                ++picked;
            }
        ASSERT_TRUE(w->cmdPlayWord->isEnabled());
        QTest::mouseClick(w->cmdPlayWord, Qt::LeftButton);
        if (w->cmdDrawTiles->isEnabled())
            QTest::mouseClick(w->cmdDrawTiles, Qt::LeftButton);
    }
}

TEST_F(ClassicWindowTest, AWholeGameEndsAndAHighScoreAsksForTheNameAndShowsTheTable) {
    // A table of ten very low scores: any final score of this game beats them.
    QByteArray table;
    for (int r = 0; r < 10; ++r) {
        QByteArray rec(36, '\0');
        rec.replace(0, 15, QByteArray("LOW").leftJustified(15, ' '));
        const qint32 points = -30000;
        for (int b = 0; b < 4; ++b)
            rec[15 + b] = static_cast<char>((points >> (8 * b)) & 0xff);
        table += rec;
    }
    QFile file(folder.filePath("High Scores.rnd"));
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(table);
    file.close();

    QTest::mouseClick(w->chkLearnMode, Qt::LeftButton);
    startWithRack("AAAAAAA");
    dialogs.inputAnswers = {"", "Ada"};
    bool tableShown = false;
    // The table is modal: close it as soon as it shows.
    QTimer closer;
    QObject::connect(&closer, &QTimer::timeout, [&] {
        for (QWidget* top : QApplication::topLevelWidgets())
            if (top->isVisible() && top->windowTitle() == "Quillbox High Scores") {
                tableShown = true;
                top->close();
            }
    });
    closer.start(20);
    playOut(w);
    closer.stop();
    ASSERT_FALSE(w->game().gameInProgress());
    EXPECT_TRUE(w->rtfPlays->text().contains("TOTAL"));
    EXPECT_TRUE(w->cmdStartGame->isEnabled());
    EXPECT_TRUE(w->chkLearnMode->isEnabled());
    EXPECT_EQ(w->lblBagCount->text(), "0");
    EXPECT_TRUE(tableShown);
    // The empty name was refused, so the name was asked twice.
    EXPECT_TRUE(dialogs.inputAnswers.empty());
    // A high score replaces the final score's message.
    ASSERT_EQ(dialogs.messages().size(), 1u);
    EXPECT_EQ(dialogs.messages()[0].title, "No Name Entered");
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    EXPECT_TRUE(file.readAll().startsWith("Ada            "));
}

}  // namespace
