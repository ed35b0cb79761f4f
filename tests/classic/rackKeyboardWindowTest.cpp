// The Classic window with the keyboard alone, and as a screen reader reads it.
#include <QAccessible>
#include <QClipboard>

#include "classicWindowFixture.h"

namespace quillbox::testing {
namespace {

class Keyboard : public ClassicWindow {
  protected:
    // Keys as characters: a letter types it, < > Left and Right, ^ $ Home and
    // End, { } Ctrl+Left and Ctrl+Right, ' ' Space, # Backspace, ! F2, = Enter.
    void keys(const QString& script) {
        static const std::map<QChar, QKeyCombination> named = {
            {'<', Qt::Key_Left},  {'>', Qt::Key_Right},           {'^', Qt::Key_Home},
            {'$', Qt::Key_End},   {'{', Qt::CTRL | Qt::Key_Left}, {'}', Qt::CTRL | Qt::Key_Right},
            {' ', Qt::Key_Space}, {'#', Qt::Key_Backspace},       {'!', Qt::Key_F2},
            {'=', Qt::Key_Return}};
        for (QChar c : script) {
            if (named.count(c))
                QTest::keyClick(QApplication::focusWidget(), named.at(c).key(),
                                named.at(c).keyboardModifiers());
            else
                QTest::keyClick(QApplication::focusWidget(), c.toLatin1());
        }
    }
    // An access key: its button clicks a moment later.
    void alt(Qt::Key key) {
        QTest::keyClick(w, key, Qt::AltModifier);
        QTest::qWait(150);
    }
    static QAccessibleInterface* reader(QObject* o) {
        return QAccessible::queryAccessibleInterface(o);
    }
};

TEST_F(Keyboard, KeysOnTheRackSelectMoveRelabelAndPlayAsTheMouseDoes) {
    struct Row {
        const char* rack;
        QString keys;
        const char* after;
        int cursor;
    } rows[] = {
        {"QIXENAT", "x", "QIxENAT...", 2},   {"QIXENAT", "ee", "QIXeNAT...", 3},
        {"QIXEN_T", "ee", "QIXeNeT...", 5},  {"QIXENAT", "xn<<#", "QIxENAT...", 4},
        {"QIXENAT", "Q#", "QIXENAT...", 0},  {"QIXENAT", "z#", "QIXENAT...", 0},
        {"QIXENAT", ">> ", "QIxENAT...", 2}, {"QIXENAT", ">>  ", "QIXENAT...", 2},
        {"QIXENAT", "<$>", "QIXENAT...", 9}, {"QIXENAT", "$^>", "QIXENAT...", 1},
        {"QIXENAT", "^}", ".IQXENAT..", 2},  {"QIXENAT", "$<<<}", "QIXENA.T..", 7},
        {"QIXENAT", ">{", "IQXENAT...", 0},  {"QIXENAT", "{", "QIXENAT...", 0},
        {"QIXENAT", "$<{", "QIXENAT...", 8}, {"QIXENAT", "xi=", "Q..ENAT...", 1},
        {"QIXENAT", "x=", "QIxENAT...", 2},  {"QIXEN_T", ">>>>>!", "QIXENAT...", 5},
        {"QIXEN_T", "!", "QIXENET...", 0},
    };
    for (const Row& r : rows) {
        SCOPED_TRACE(r.keys.toStdString() + " on " + r.rack);
        TearDown();
        SetUp();
        start(r.rack);
        dialogs.inputAnswers = {"a"};
        w->rack->setFocus();
        keys(r.keys);
        EXPECT_EQ(rack(), r.after);
        EXPECT_EQ(w->rack->cursorSlot(), r.cursor);
    }
}

TEST_F(Keyboard, AccessKeysMenusAndTheReadOnlyBoxesKeepTheirKeys) {
    start("QIXENAT");
    w->rack->setFocus();
    keys("xi");
    alt(Qt::Key_P);
    EXPECT_EQ(rack(), "Q..ENAT...");
    QTest::keyClick(w, Qt::Key_F, Qt::AltModifier);
    QTRY_COMPARE(QApplication::activePopupWidget(), w->mnuFileExit->parent());
    QTest::keyClick(QApplication::activePopupWidget(), Qt::Key_Escape);
    for (ui::RichTextBox* box : {w->rtfPotentials, w->rtfPlays}) {
        box->setFocus();
        keys("en");
        EXPECT_EQ(rack(), "Q..ENAT...");
    }
    EXPECT_EQ(w->rtfPotentials->text().left(9), "XI EN QAT");
    QTest::keyClick(w->rtfPlays, Qt::Key_A, Qt::ControlModifier);
    QTest::keyClick(w->rtfPlays, Qt::Key_C, Qt::ControlModifier);
    EXPECT_EQ(QApplication::clipboard()->text(), "IX     -1\n");
}

TEST_F(Keyboard, AWholeGameIsPlayedWithTheKeyboardAlone) {
    dialogs.inputAnswers = {"A"};
    for (double v : shuffleScript(kFillOrder, bagStartingWith("_QXIENT")))
            random.push(v);
    alt(Qt::Key_S);
    ASSERT_TRUE(w->rack->hasFocus());  // Start Game and Learn Mode pass it on
    keys("!}");                        // the blank becomes A and moves past the Q
    EXPECT_EQ(rack(), ".QAXIENT..");
    keys("qat=xi=en=");
    EXPECT_EQ(lines(*w->rtfPlays).mid(3, 2),
              QStringList({"BONUS   5 #0000ff", "QBONUS  5 #ff00ff"}));
    for (int turn = 0; turn < 30 && w->game().gameInProgress(); ++turn) {
        alt(Qt::Key_D);
        while (w->game().rackCount() >= 2) {  // the first tiles, three at a time
            QString word;
            for (int i = 0; i < 10 && word.size() < 3; ++i)
                word += w->lblTile[i]->text();
            keys(word.toLower() + "=");
        }
    }
    EXPECT_TRUE(lines(*w->rtfPlays).join("").contains("TOTAL"));
    ASSERT_FALSE(dialogs.messages().empty());
    EXPECT_EQ(dialogs.messages().back().title, "Final Score");
    EXPECT_TRUE(w->cmdStartGame->isEnabled());
}

TEST_F(Keyboard, TabVisitsTheRackAfterLearnMode) {
    QList<QWidget*> order;
    for (QWidget* x = w->cmdPlayWord->nextInFocusChain(); order.size() < 6;
         x = x->nextInFocusChain())
        if (x->focusPolicy() & Qt::TabFocus)
            order << x;
    EXPECT_EQ(order, QList<QWidget*>({w->cmdDrawTiles, w->cmdStartGame, w->chkLearnMode, w->rack,
                                      w->rtfPlays, w->rtfPotentials}));
    EXPECT_FALSE(w->rtfHidden->isVisible());
}

TEST_F(Keyboard, ControlsAreNamedByCaptionRoleOrWhatTheyShowAndDescribedByTheirTips) {
    const std::pair<QObject*, QString> rows[] = {
        {w->cmdPlayWord, "Play Word|Play the currently selected word"},
        {w->cmdDrawTiles, "Draw Tiles|Draw letter tiles from the bag"},
        {w->cmdStartGame, "Start Game|Start a new game"},
        {w->chkLearnMode, "Learn Mode|Toggle Learn Mode off and on"},
        {w->rtfPlays, "Tally sheet|Tally sheet of words played and scoring"},
        {w->rtfPotentials, "Legal plays|List of legal plays to clear the rack"},
        {w->lblDefinition, "|Definition of currently selected letters"},
        {w->Label1, "Letters in Bag|Number of letter tiles remaining in bag"},
        {w->lblCountdown, "5000|The computer counts down to 0 while it determines legal plays"},
        {w->imgSpacer[3], "insertion point before slot 4|"},
        {w->imgSpacer[10], "insertion point after slot 10|"}};
    for (const auto& [object, expected] : rows)
        EXPECT_EQ(reader(object)->text(QAccessible::Name) + "|" +
                      reader(object)->text(QAccessible::Description),
                  expected);
    EXPECT_EQ(reader(w->rack)->text(QAccessible::Name), "Rack");
    EXPECT_EQ(reader(w->mnuFileExit->parent())->child(0)->text(QAccessible::Name),
              "High Scores...");
}

TEST_F(Keyboard, TheRackReadsAsAListOfSlotsWithTheCursorsSlotFocused) {
    start("QIXEN_T");
    w->rtfPlays->setFocus();
    click(2);
    QAccessibleInterface* list = reader(w->rack);
    EXPECT_EQ(list->role(), QAccessible::List);
    ASSERT_EQ(list->childCount(), 10);
    const std::pair<int, QString> names[] = {{0, "tile 1 of 7, Q"},
                                             {2, "tile 3 of 7, X, selected"},
                                             {5, "tile 6 of 7, blank shown as E"},
                                             {7, "empty slot"}};
    for (const auto& [slot, name] : names) {
        EXPECT_EQ(list->child(slot)->text(QAccessible::Name), name);
        EXPECT_EQ(list->child(slot)->role(), QAccessible::ListItem);
        EXPECT_EQ(list->child(slot)->state().selected, slot == 2);
    }
    EXPECT_EQ(list->focusChild(), nullptr);
    EXPECT_FALSE(list->child(0)->state().focused);
    w->rack->setFocus();
    keys(">>");
    EXPECT_EQ(list->focusChild(), list->child(2));
    EXPECT_TRUE(list->child(2)->state().focused);
    EXPECT_FALSE(list->child(1)->state().focused);
}

}  // namespace
}  // namespace quillbox::testing
