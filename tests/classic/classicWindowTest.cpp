// The Classic window driven through its real widgets, offscreen, with a
// scripted bag, scripted dialogs and a program folder of its own: with the
// mouse, with the keyboard alone, and as a screen reader reads it.
#include <QAccessible>
#include <QFile>
#include <QProcess>
#include <QPushButton>
#include <QScrollBar>
#include <QTemporaryDir>
#include <QTimer>

#include "classic/classicGame.h"
#include "classic/frmMain.h"
#include "classic/rackWidgets.h"
#include "core/frmLaunchpad.h"
#include "scores/frmHighScores.h"
#include "support/dataTable.h"
#include "support/keyScript.h"
#include "support/scriptedDialogs.h"
#include "support/scriptedRandom.h"
#include "support/windowChecks.h"
#include "ui/programFolder.h"
#include "ui/richTextBox.h"
#include "ui/rtf/rtfDocument.h"

namespace quillbox::testing {
namespace {
using namespace quillbox::classic;

class ClassicWindow : public ::testing::Test {
  protected:
    void SetUp() override {
        ASSERT_TRUE(folder.isValid());
        ui::setProgramFolderForTesting(folder.path());
        core::setApplicationRandom(&random);
        w = &frmMain::instance();
        w->show();
        w->activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(w));
    }
    void TearDown() override {
        if (frmMain::loaded()) {
            dialogs.yesNoAnswers = {true};  // a game in progress asks first
            w->close();
        }
        core::frmLaunchpad::unload();
        QApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        core::setApplicationRandom(nullptr);
        ui::setProgramFolderForTesting(QString());
    }
    // A fresh window whose game starts with the tiles `front`.
    void restart(const std::string& front) {
        TearDown();
        SetUp();
        start(front);
    }
    void start(const std::string& front) {
        for (double v : shuffleScript(kFillOrder, bagStartingWith(front)))
            random.push(v);
        w->cmdStartGame->click();
    }
    // One character per slot: '.' empty, upper case a tile, lower case a selected tile.
    QString rack() const {
        QString s;
        for (auto* t : w->lblTile)
            s += !t->occupied() ? QString(".") : t->selected() ? t->text().toLower() : t->text();
        return s;
    }
    // A point of slot i in the client area, fx of the way across and fy down.
    QPoint at(int i, double fx = 0.5, double fy = 0.5) const {
        const QRect r = w->slotRect(i);
        return r.topLeft() + QPoint(int(r.width() * fx), int(r.height() * fy));
    }
    // Presses the tile of slot `from` and moves through `path` (the pressed
    // tile gets the moves, as on a real screen); releases at the last point.
    void drag(int from, const std::vector<QPoint>& path, bool release = true) {
        auto* t = w->lblTile[from];
        QTest::mousePress(t, Qt::LeftButton, {}, t->rect().center());
        for (const QPoint& p : path)
            QTest::mouseMove(t, t->mapFrom(w->client, p));
        if (release)
            QTest::mouseRelease(t, Qt::LeftButton, {}, t->mapFrom(w->client, path.back()));
    }
    void click(int i) { QTest::mouseClick(w->lblTile[i], Qt::LeftButton); }
    // The lines of a rich-text box: underlined letters in lower case, then
    // the colour ("QaT     1 #000000").
    static QStringList lines(const ui::RichTextBox& box) {
        QStringList out;
        for (const auto& par : ui::rtf::readRtf(box.textRTF().toStdString()).paragraphs) {
            QString line;
            ui::rtf::Color c;
            for (const auto& run : par.runs) {
                const QString text = QString::fromStdU16String(run.text);
                line += run.format.underline ? text.toLower() : text;
                c = run.format.color.value_or(c);
            }
            out << (line.isEmpty() ? line : line + ' ' + QColor(c.red, c.green, c.blue).name());
        }
        return out;
    }

    QTemporaryDir folder;
    ScriptedRandom random;
    ScriptedDialogs dialogs;
    frmMain* w = nullptr;
};

TEST_F(ClassicWindow, StartGameDrawsSevenTilesAndListsEveryWayToClearThem) {
    start("QIXEN_T");
    EXPECT_EQ(rack(), "QIXENET...");
    EXPECT_EQ(w->lblBagCount->text() + w->lblPoints->text() + w->lblCountdown->text(), "9300");
    EXPECT_FALSE(w->cmdStartGame->isEnabled() || w->chkLearnMode->isEnabled() ||
                 w->cmdDrawTiles->isEnabled() || w->cmdPlayWord->isEnabled());
    // The blank stands for the A of QAT in every line.
    EXPECT_EQ(lines(*w->rtfPotentials).join('|'),
              "XI EN QaT #000000|IN EX QaT #000000|XI NE QaT #000000|||||||");
    restart("AEHMO__");  // a list longer than its box opens at its first play
    EXPECT_EQ(w->rtfPotentials->verticalScrollBar()->value(), 0);
}

TEST_F(ClassicWindow, DropsRearrangeTheRackAsThePointOfReleaseSays) {
    for (const QStringList& row : dataTable("classic/drops.txt")) {
        SCOPED_TRACE(row.join(" | ").toStdString());
        const int from = row[0].toInt(), to = row[1].toInt();
        restart("ABCDEFG");
        const QPoint gap(w->lblSpacer[to]->geometry().center().x(), at(0, 0, 1.2).y());
        const std::map<QString, std::vector<QPoint>> paths = {
            {"tile", {at(to), at(to, row[3].toDouble())}},  // across the tile to the point
            {"gap", {gap}},
            {"out", {w->cmdStartGame->geometry().center()}},
            {"back", {at(to), at(from)}}};
        drag(from, paths.at(row[2]));
        EXPECT_EQ(rack(), row[4]);
        for (auto* marker : w->imgSpacer)
            EXPECT_FALSE(marker->isVisible());
    }
    // The carried tile, held low over its target, lets the target's border show through.
    drag(0, {at(4, 0.5, 0.9)}, false);
    const auto* carried = w->client->findChild<TileLabel*>({}, Qt::FindDirectChildrenOnly);
    EXPECT_TRUE(carried->isVisible() && carried->occupied() &&
                carried->geometry().center().x() == at(4).x() &&
                carried->geometry().bottom() < at(4, 0.5, 0.9).y());  // above the pointer
    const QImage top = w->client->grab(w->slotRect(4).adjusted(0, 0, 0, -20)).toImage();
    for (int x = 0; x < top.width(); ++x)
        EXPECT_LT(qGray(top.pixel(x, 0)), 170) << x;
    // Let go outside the rack, with no move on the way: the border goes.
    QTest::mouseRelease(w->lblTile[0], Qt::LeftButton, {}, w->lblTile[0]->mapFrom(w, QPoint()));
    EXPECT_FALSE(w->lblTile[4]->hasBorder());
}

TEST_F(ClassicWindow, TilesShowTheirLetterInTheMiddleWhiteWhenSelectedAndUnderlinedWhenBlank) {
    start("QIXEN_T");
    click(2);
    click(5);
    w->rack->setFocus();      // the cursor on slot 0
    drag(6, {at(3)}, false);  // slot 3 bordered under the carried tile
    const QPalette pal = w->palette();
    int plainBottom = 0;  // of the E in slot 3, beside the blank shown as E
    for (int i : {0, 2, 3, 5}) {
        SCOPED_TRACE(i);
        const QImage img = w->lblTile[i]->grab().toImage();
        const int mid = img.width() / 2;
        int left = 99, right = 0, top = 99, bottom = 0, white = 0;  // dark ink, white letters
        for (int y = 2; y < img.height() - 2; ++y)
            for (int x = 2; x < img.width() - 2; ++x) {
                const QColor c = img.pixelColor(x, y);
                white += std::min({c.red(), c.green(), c.blue()}) > 245;
                if (std::max({c.red(), c.green(), c.blue()}) < 80)
                    left = std::min(left, x), right = std::max(right, x), top = std::min(top, y),
                    bottom = std::max(bottom, y);
            }
        EXPECT_LE(std::abs(left + right - 2 * mid), 1);
        EXPECT_TRUE(i == 5 ? bottom > plainBottom + 1 : std::abs(top + bottom - 2 * mid) <= 1);
        plainBottom = bottom;
        EXPECT_EQ(white > 0, i == 2 || i == 5);
        EXPECT_EQ(img.pixelColor(5, mid), pal.color(QPalette::Button));
        EXPECT_EQ(QList<QColor>({img.pixelColor(0, 0), img.pixelColor(2 * mid, 2 * mid)}),
                  QList<QColor>({i == 3 ? Qt::black : pal.color(QPalette::Light),
                                 i == 3 ? Qt::black : pal.color(QPalette::Dark)}));
    }
}

TEST_F(ClassicWindow, LearnModeOffHidesItsWidgetsAndKeepsWhatTheyShow) {
    w->game().showDefinition("QAT");
    const QString definition = w->lblDefinition->text();
    for (bool on : {false, true}) {
        const QImage before = w->chkLearnMode->grab().toImage();
        w->chkLearnMode->click();
        EXPECT_NE(w->chkLearnMode->grab().toImage(), before);  // its box shows the change
        for (QWidget* shown : std::initializer_list<QWidget*>{w->lblDefinition, w->rtfPotentials,
                                                              w->lblCountdown, w->lblCountdown2})
            EXPECT_EQ(shown->isVisible(), on);
        EXPECT_EQ(w->lblDefinition->text(), definition);
    }
}

TEST_F(ClassicWindow, SelectingAWordInTheSheetOrTheListShowsItsDefinition) {
    const std::pair<QString, QString> rows[] = {
        {" QAT ", "QAT: "}, {"ZA", "ZA: "}, {"AA", "AA: "}, {"ZZZ", "ZZZ: --- NOT A WORD! ---"},
        {"XI EN", ""},      {"qat", ""},    {"@AB", ""},    {"[AB", ""}};
    for (ui::RichTextBox* box : {w->rtfPlays, w->rtfPotentials})
        for (const auto& [selected, shown] : rows) {
            SCOPED_TRACE(selected.toStdString());
            w->game().showDefinition("");
            box->setText(selected + "\r\nXI");
            box->setSelStart(0);
            box->setSelLength(static_cast<int>(selected.size()));
            emit box->mouseUp();
            EXPECT_TRUE(w->lblDefinition->text().startsWith(shown.isEmpty() ? ": ---" : shown));
        }
}

TEST_F(ClassicWindow, PlaysAreWrittenInTheirColorsWithBlankLettersUnderlined) {
    start("XIQAT__");
    dialogs.inputAnswers = {"", "N"};                  // a letter is asked for until one is given
    QTest::mousePress(w->lblTile[6], Qt::LeftButton);  // the second press of a double-click
    QTest::mouseDClick(w->lblTile[6], Qt::LeftButton);
    QTest::mouseRelease(w->lblTile[6], Qt::LeftButton);
    EXPECT_FALSE(w->lblTile[6]->hasBorder());
    for (const std::vector<int>& word : {std::vector{0, 1}, {2, 3, 4}, {5, 6}}) {
        for (int i : word)
            click(i);
        w->cmdPlayWord->click();
    }
    EXPECT_EQ(lines(*w->rtfPlays).join('|'),
              "XI      1 #000000|QAT     1 #000000|en      1 "
              "#000000|BONUS   5 #0000ff|QBONUS  5 #ff00ff|");
    EXPECT_EQ(w->lblPoints->text(), " 13");
}

TEST_F(ClassicWindow, SaveAsOffersRtfFilesAndWritesTheWholeSheet) {
    w->rtfPlays->setText("XI      1\r\n");
    dialogs.saveAnswers = {folder.filePath("tally.rtf")};
    w->mnuFileSaveResults->trigger();
    const ScriptedDialogs::Shown& save = dialogs.shown.back();
    EXPECT_EQ(
        save.kind + "|" + save.text + "|" + save.defaultAnswer + (save.parent == w ? "" : "?"),
        "save|Rich Text Files (*.rtf)|rtf");
    QFile f(folder.filePath("tally.rtf"));
    ASSERT_TRUE(f.open(QIODevice::ReadOnly));
    EXPECT_EQ(ui::rtf::plainText(ui::rtf::readRtf(f.readAll().toStdString())), u"XI      1\r\n");
}

TEST_F(ClassicWindow, FileHighScoresShowsTheTableOverTheGameUntilItCloses) {
    bool shown = false;  // looked at from inside the table's modal loop
    QTimer::singleShot(0, [&] {
        QWidget* table = QApplication::activeModalWidget();
        shown = qobject_cast<scores::frmHighScores*>(table) && table->parentWidget() == w;
        table->close();
    });
    w->mnuFileHighScores->trigger();
    EXPECT_TRUE(shown);
}

TEST_F(ClassicWindow, ExitAsksFirstDuringAGameAndReturnsToTheLaunchPad) {
    start("QIXEN_T");
    for (const bool yes : {false, true}) {
        dialogs.yesNoAnswers = {yes};
        w->mnuFileExit->trigger();
        EXPECT_EQ(w->isVisible() + core::frmLaunchpad::instance().isVisible() * 2, yes ? 2 : 1);
    }
    EXPECT_EQ(dialogs.shown.back().title + '|' + dialogs.shown.back().text +
                  (dialogs.shown.back().parent == w ? "" : "?"),
              "Exit Quillbox?|A game is in progress!\r\nDo you really want to exit?");
}

TEST_F(ClassicWindow, HelpRulesOpensTheRulesViewerAndHelpAboutTheAboutBoxOverIt) {
    ui::setProgramFolderForTesting({});  // where the rules document is
    expectHelpItemsOpenTheirWindows(w, w->mnuHelpRules, w->mnuHelpAbout);
}

TEST_F(ClassicWindow, PrintingPrintsTheSelectionWhenThereIsOne) {
    w->rtfPlays->setText("QAT     1\r\nXI      1\r\n");
    dialogs.printToPdf = folder.filePath("tally.pdf");
    auto printed = [&] {
        dialogs.printAnswers = {true};
        w->mnuFilePrintResults->trigger();
        QProcess p;
        p.start("pdftotext", {"-layout", dialogs.printToPdf, "-"});
        p.waitForFinished();
        return QString::fromUtf8(p.readAllStandardOutput()).simplified();
    };
    EXPECT_EQ(printed(), "QAT 1 XI 1");
    w->rtfPlays->setSelStart(11);
    w->rtfPlays->setSelLength(2);
    EXPECT_EQ(printed(), "XI");
}

// Records the keys, other than modifiers pressed alone, that reach the window it watches.
struct KeysPassedOn : QObject {
    QStringList keys;
    bool eventFilter(QObject*, QEvent* e) override {
        const auto* k = static_cast<QKeyEvent*>(e);
        if (e->type() == QEvent::KeyPress && (k->key() < Qt::Key_Shift || k->key() > Qt::Key_Alt))
            keys << QKeySequence(k->keyCombination()).toString();
        return false;
    }
};

TEST_F(ClassicWindow, KeysOnTheRackSelectMoveRelabelAndPlayAsTheMouseDoes) {
    for (const QStringList& row : dataTable("classic/rackKeys.txt")) {
        SCOPED_TRACE(row.join(" | ").toStdString());
        restart(row[0].toStdString());
        dialogs.inputAnswers = {"a"};
        w->rack->setFocus();
        KeysPassedOn window;
        w->installEventFilter(&window);
        pressKeys(row[1]);
        EXPECT_EQ(
            QStringList({rack(), QString::number(w->rack->cursorSlot()), window.keys.join(' ')}),
            QStringList({row[2], row[3], row.value(4)}));
    }
}

TEST_F(ClassicWindow, AWholeGameIsPlayedWithTheKeyboardAlone) {
    dialogs.inputAnswers = {"A"};
    for (double v : shuffleScript(kFillOrder, bagStartingWith("_QXIENT")))
        random.push(v);
    pressKeys("{Alt+S}");
    ASSERT_TRUE(w->rack->hasFocus());  // Start Game and Learn Mode pass it on
    pressKeys("{F2}{Ctrl+Right}");     // the blank becomes A and moves past the Q
    EXPECT_EQ(rack(), ".QAXIENT..");
    pressKeys("qat{Return}xi{Return}en{Return}");
    EXPECT_EQ(lines(*w->rtfPlays).mid(3, 2).join('|'), "BONUS   5 #0000ff|QBONUS  5 #ff00ff");
    for (int turn = 0; turn < 30 && w->game().gameInProgress(); ++turn) {
        pressKeys("{Alt+D}");
        while (w->game().rackCount() >= 2) {  // the first tiles, three at a time
            QString word;
            for (int i = 0; i < 10 && word.size() < 3; ++i)
                word += w->lblTile[i]->text();
            pressKeys(word + "{Return}");
        }
    }
    EXPECT_TRUE(lines(*w->rtfPlays).join("").contains("TOTAL") && w->cmdStartGame->isEnabled());
    EXPECT_EQ(dialogs.shown.back().title, "Final Score");
}

TEST_F(ClassicWindow, TabVisitsEachControlAndAScreenReaderHearsItsNameAndPurpose) {
    QStringList heard;  // the Tab stops in order, then the labels with tips
    QWidget* f = w->cmdPlayWord;
    do {
        if (f->focusPolicy() & Qt::TabFocus && f->isVisibleTo(w))
            heard << accessibleText(f) + ": " + accessibleText(f, QAccessible::Description);
    } while ((f = f->nextInFocusChain()) != w->cmdPlayWord);
    for (QLabel* l : {w->Label1, w->lblBagCount, w->Label2, w->lblPoints, w->lblCountdown2,
                      w->lblCountdown, w->lblDefinition})
        heard << accessibleText(l) + ": " + l->toolTip();
    QStringList expected;
    for (const QStringList& row : dataTable("classic/heard.txt"))
        expected << row.join(" | ");
    EXPECT_EQ(heard, expected);
}

TEST_F(ClassicWindow, TheRackReadsAsAListOfSlotsWithTheCursorsSlotFocused) {
    start("QIXEN_T");
    w->rtfPlays->setFocus();
    click(2);
    QAccessibleInterface* list = QAccessible::queryAccessibleInterface(w->rack);
    ASSERT_EQ(list->role() == QAccessible::List ? list->childCount() : 0, 10);
    for (const auto& [slot, name] : {std::pair{0, "tile 1 of 7, Q"},
                                     {2, "tile 3 of 7, X, selected"},
                                     {5, "tile 6 of 7, blank shown as E"},
                                     {7, "empty slot"}}) {
        EXPECT_EQ(list->child(slot)->text(QAccessible::Name), name);
        EXPECT_EQ(list->child(slot)->role(), QAccessible::ListItem);
        EXPECT_EQ(list->child(slot)->state().selected, slot == 2);
    }
    EXPECT_TRUE(list->focusChild() == nullptr && !list->child(0)->state().focused);
    EXPECT_EQ(accessibleText(w->imgSpacer[9]) + accessibleText(w->imgSpacer[10]),
              "insertion point before slot 10insertion point after slot 10");
    w->rack->setFocus();  // the cursor shows only while the rack has the focus
    EXPECT_TRUE(w->lblTile[0]->cursorShown());
    pressKeys("{Right}{Right}");
    EXPECT_EQ(list->focusChild(), list->child(2));
    EXPECT_TRUE(list->child(2)->state().focused && !list->child(1)->state().focused &&
                list->child(7)->state().focusable);
    w->rtfPlays->setFocus();
    EXPECT_FALSE(w->lblTile[2]->cursorShown());
}

}  // namespace
}  // namespace quillbox::testing
