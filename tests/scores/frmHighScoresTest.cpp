// The high-score window, what a screen reader finds in it, and the table the
// Classic game uses through it.
#include <gtest/gtest.h>

#include <QAccessible>
#include <QApplication>
#include <QImage>
#include <QLocale>
#include <QScreen>
#include <QTest>
#include <QTimer>

#include "scoreTestFiles.h"
#include "scores/frmHighScores.h"
#include "scores/programScoreTable.h"
#include "support/scriptedDialogs.h"
#include "ui/programFolder.h"

using quillbox::scores::frmHighScores;
using quillbox::scores::ProgramScoreTable;
using namespace scoretest;
namespace fs = std::filesystem;

namespace {

// The printed pieces, one printed line a line, each as the column it starts
// in ("h" first for the heading's, "?" when off the columns) and its text.
QString printedText(const frmHighScores& w) {
    QString out;
    int line = 0;
    for (const frmHighScores::PrintedText& p : w.printed()) {
        for (; line < p.at.y() / w.lineHeight(); ++line)
            out += '\n';
        const int column = qRound(p.at.x() / w.columnWidth()) + 1;
        const bool onColumn =
            p.at.x() == qRound((column - 1) * w.columnWidth()) && p.at.y() % w.lineHeight() == 0;
        out += QString(out.isEmpty() || out.endsWith('\n') ? "" : " ") + (p.heading ? "h" : "") +
               (onColumn ? QString::number(column) : "?") + "[" + p.text + "]";
    }
    return out;
}

// The table as a screen reader meets it: its name and headings, then row by
// row each cell's text, or "?" for a cell that is not what and where it
// should be (its row and column, its heading, where it is painted and found).
QString accessibleText(frmHighScores& w) {
    QAccessibleInterface* table = QAccessible::queryAccessibleInterface(&w)->child(0);
    QAccessibleTableInterface* t = table->tableInterface();
    QStringList lines{table->text(QAccessible::Name) + ":"};
    for (int c = 0; c < t->columnCount() && table->childCount() > 0; ++c)
        lines[0] += " " + t->columnDescription(c);
    for (int r = 0; r < t->rowCount(); ++r) {
        QStringList cells;
        for (int c = 0; c < t->columnCount(); ++c) {
            QAccessibleInterface* cell = t->cellAt(r, c);
            QAccessibleTableCellInterface* i = cell->tableCellInterface();
            QAccessibleInterface* heading = i->columnHeaderCells().value(0);
            const QString text = cell->text(QAccessible::Name);
            const QPoint middle = cell->rect().center();
            const bool ok =
                i->rowIndex() == r && i->columnIndex() == c && i->rowExtent() == 1 &&
                i->columnExtent() == 1 && i->table() == table && cell->parent() == table &&
                table->indexOfChild(cell) == 3 * (r + 1) + c && cell->role() == QAccessible::Cell &&
                cell->isValid() && cell->state().readOnly && !i->isSelected() &&
                heading == table->child(c) && heading->role() == QAccessible::ColumnHeader &&
                heading->tableCellInterface()->columnHeaderCells().isEmpty() &&
                heading->text(QAccessible::Name) == t->columnDescription(c) &&
                cell->rect().topLeft() == w.mapToGlobal(w.printedCell(r + 1, c).at) &&
                (text.isEmpty() || table->childAt(middle.x(), middle.y()) == cell);
            cells << (ok ? text : "?");
        }
        lines << cells.join('|');
    }
    return lines.join('\n');
}

class HighScoresTest : public ::testing::Test {
  protected:
    void SetUp() override {
        QLocale::setDefault(QLocale(QLocale::German, QLocale::Germany));
        useFolder(dir.path);
    }
    void TearDown() override {
        frmHighScores::unload();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        quillbox::ui::setProgramFolderForTesting({});
        QLocale::setDefault(QLocale::c());
    }
    static void useFolder(const std::string& folder) {
        quillbox::ui::setProgramFolderForTesting(QString::fromStdString(folder));
    }
    // A name reaching past column 26, three kinds of score and seven empty
    // slots.
    void storeThreeEntries() const {
        writeBytes(dir.scoreFile(), record(std::string(15, 'W'), 1234567) + record("Ann", 12) +
                                        record("Neg", -1234) + std::string(7 * 36, '\0'));
    }
    frmHighScores& shown() {
        frmHighScores& w = frmHighScores::instance();
        w.show();
        EXPECT_TRUE(QTest::qWaitForWindowExposed(&w));
        return w;
    }

    TempFolder dir;
    quillbox::testing::ScriptedDialogs dialogs;
};

// Positions end in column 5, names start in column 10, scores end in column
// 34 under the end of "Score", in the locale's grouping; a score that would
// start left of where the name ended goes to the next line.
TEST_F(HighScoresTest, PrintsTheTableAtFixedColumnsOfTheAverageBoldCharacter) {
    storeThreeEntries();
    frmHighScores& w = shown();
    w.showScores();  // printing again prints the same, once
    EXPECT_EQ(printedText(w),
              "h1[Position] h10[Name] h30[Score]\n"
              "4[ 1] 10[WWWWWWWWWWWWWWW]\n"
              "26[1.234.567]\n"
              "4[ 2] 10[Ann            ] 33[12]\n"
              "4[ 3] 10[Neg            ] 29[-1.234]\n"
              "4[ 4] 10[] 34[0]\n4[ 5] 10[] 34[0]\n4[ 6] 10[] 34[0]\n"
              "4[ 7] 10[] 34[0]\n4[ 8] 10[] 34[0]\n4[ 9] 10[] 34[0]\n"
              "3[ 10] 10[] 34[0]");
}

// The heading blue and underlined (a blue run right across "Position"), the
// lines black, nothing else inked in those colours.
TEST_F(HighScoresTest, PaintsTheHeadingBlueAndUnderlinedAndTheLinesBlack) {
    storeThreeEntries();
    frmHighScores& w = shown();
    const QImage image = w.grab().toImage().convertToFormat(QImage::Format_RGB32);
    const int h = qRound(w.lineHeight() * image.devicePixelRatio());
    const QRgb blue = qRgb(0, 0, 255), black = qRgb(0, 0, 0);
    int counts[2][2] = {}, longestBlueRun = 0;  // [heading?][blue?]
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0, run = 0; x < image.width(); ++x) {
            const QRgb c = image.pixel(x, y);
            counts[y < h][c == blue] += c == blue || c == black;
            run = c == blue ? run + 1 : 0;
            longestBlueRun = std::max(longestBlueRun, run);
        }
    EXPECT_TRUE(counts[1][1] > 0 && counts[1][0] == 0 && counts[0][0] > 0 && counts[0][1] == 0);
    EXPECT_GE(longestBlueRun,
              w.fontMetrics().horizontalAdvance("Position") * image.devicePixelRatio() - 2);
}

TEST_F(HighScoresTest, AScreenReaderFindsATableOfTenRowsOfPositionNameAndScoreWherePainted) {
    storeThreeEntries();
    frmHighScores& w = shown();
    EXPECT_EQ(accessibleText(w),
              "High scores: Position Name Score\n"
              "1|WWWWWWWWWWWWWWW|1.234.567\n2|Ann|12\n3|Neg|-1.234\n"
              "4||0\n5||0\n6||0\n7||0\n8||0\n9||0\n10||0");
    QAccessibleInterface* window = QAccessible::queryAccessibleInterface(&w);
    QAccessibleInterface* table = window->child(0);
    QAccessibleTableInterface* t = table->tableInterface();
    EXPECT_EQ(window->text(QAccessible::Name), "Quillbox High Scores");
    EXPECT_TRUE(window->childCount() == 1 && window->indexOfChild(table) == 0 &&
                window->indexOfChild(window) == -1 && table->parent() == window &&
                table->role() == QAccessible::Table && table->isValid() &&
                table->childCount() == 33 && window->child(1) == nullptr);
    const QPoint inside = w.mapToGlobal(QPoint(1, 1));
    EXPECT_EQ(window->childAt(inside.x(), inside.y()), table);
    for (QAccessibleInterface* outside :
         {window->childAt(-9, -9), table->childAt(-9, -9), table->child(-1), table->child(33),
          t->cellAt(-1, 0), t->cellAt(10, 0), t->cellAt(0, -1), t->cellAt(1, 3)})
        EXPECT_EQ(outside, nullptr);
    // Nothing in it is or can be selected.
    EXPECT_EQ(t->selectedCellCount() + t->selectedRowCount() + t->selectedColumnCount() +
                  t->selectedCells().size() + t->selectedRows().size() +
                  t->selectedColumns().size() + t->isRowSelected(0) + t->isColumnSelected(0) +
                  t->selectRow(0) + t->selectColumn(0) + t->unselectRow(0) + t->unselectColumn(0),
              0);
    // It goes with the window.
    const QAccessible::Id ids[] = {QAccessible::uniqueId(table),
                                   QAccessible::uniqueId(t->cellAt(0, 0))};
    w.close();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    for (QAccessible::Id id : ids)
        EXPECT_EQ(QAccessible::accessibleInterface(id), nullptr);
}

TEST_F(HighScoresTest, ShowsModallyOverItsOwnerAfterReadingNothingAndIsGoneWhenClosed) {
    QWidget owner;
    owner.show();
    frmHighScores& w = frmHighScores::instance();
    EXPECT_EQ(accessibleText(w), "High scores:");  // nothing printed before it is shown
    EXPECT_FALSE(fs::exists(dir.scoreFile()));
    QTimer::singleShot(0, [&] {
        EXPECT_EQ(QApplication::activeModalWidget(), &w);
        EXPECT_EQ(w.parentWidget(), &owner);
        const QPoint centre = owner.screen()->availableGeometry().center();
        EXPECT_LE((w.geometry().center() - centre).manhattanLength(), 1);
        EXPECT_EQ(w.printedLines(), 11);
        w.close();
    });
    frmHighScores::showModal(&owner);
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_FALSE(frmHighScores::loaded());
    EXPECT_EQ(readBytes(dir.scoreFile()), std::string(360, '\0'));  // made when shown
}

TEST_F(HighScoresTest, TheGameConsultsAndUpdatesTheTableWithoutTheWindow) {
    ProgramScoreTable table;
    EXPECT_FALSE(table.isHigh(0));
    EXPECT_TRUE(table.isHigh(1));
    table.addScore("Zoe\xCC\x81", 42);  // "e" and a combining accent: one letter
    table.addScore("Ann", 50);
    EXPECT_EQ(readBytes(dir.scoreFile()),
              record("Ann", 50) + record("Zo\xE9", 42) + std::string(8 * 36, '\0'));
    EXPECT_FALSE(frmHighScores::loaded());
    EXPECT_TRUE(dialogs.shown.empty());
}

// The messages' texts are those of every failure in scoreFileSystemTest.cpp.
TEST_F(HighScoresTest, FileErrorsBecomeMessagesAndTheWindowAndTheGameGoOn) {
    writeBytes(dir / "plain", "a file, not a folder");
    useFolder(dir / "plain");
    EXPECT_EQ(accessibleText(shown()), "High scores: Position Name Score");
    ProgramScoreTable table;
    EXPECT_FALSE(table.isHigh(100));
    table.addScore("Sam", 100);
    QStringList seen;
    for (const auto& m : dialogs.messages())
        seen << m.title + ": " + m.text.section('\n', 0, 0);
    EXPECT_EQ(seen,
              (QStringList{
                  "High Scores Unavailable: The high-score table could not be read:",
                  "High Scores Unavailable: The high-score table could not be read:",
                  "High Score Not Saved: Your score could not be saved in the high-score table:"}));
    EXPECT_EQ(dialogs.messages()[0].icon, quillbox::ui::MessageIcon::Critical);
}

// A package puts the program in games/ and its rules in share/quillbox; each
// player then has a table of their own under the XDG data folder.
TEST_F(HighScoresTest, ASystemInstallKeepsEachPlayersTableInAPrivateFolderMadeOnFirstUse) {
    const fs::path games = fs::path(dir.path) / "games";
    fs::create_directories(games);
    fs::create_directories(fs::path(dir.path) / "share" / "quillbox");
    writeBytes(dir / "share/quillbox/Quillbox Rules.rtf", "{\\rtf1}");
    useFolder(games.string());
    const bool hadDataHome = qEnvironmentVariableIsSet("XDG_DATA_HOME");
    const QByteArray savedDataHome = qgetenv("XDG_DATA_HOME");
    const fs::path dataHome = fs::path(dir.path) / "ann" / ".local" / "share";
    qputenv("XDG_DATA_HOME", QByteArray::fromStdString(dataHome.string()));

    ProgramScoreTable table;
    EXPECT_TRUE(table.isHigh(1));
    table.addScore("Ann", 50);
    EXPECT_EQ(readBytes((dataHome / "quillbox" / "High Scores.rnd").string()),
              record("Ann", 50) + std::string(9 * 36, '\0'));
    for (const fs::path& made : {fs::path(dir.path) / "ann", dataHome, dataHome / "quillbox"})
        EXPECT_EQ(fs::status(made).permissions() & fs::perms::all, fs::perms::owner_all) << made;
    EXPECT_TRUE(fs::is_empty(games));
    EXPECT_TRUE(dialogs.shown.empty());

    // A folder that cannot be made is reported with its reason.
    const std::string plain = dir / "other";
    writeBytes(plain, "a file, not a folder");
    qputenv("XDG_DATA_HOME", QByteArray::fromStdString(plain + "/share"));
    EXPECT_FALSE(table.isHigh(100));
    ASSERT_EQ(dialogs.messages().size(), 1u);
    EXPECT_EQ(dialogs.messages()[0].title + ": " + dialogs.messages()[0].text,
              QString::fromStdString("High Scores Unavailable: The high-score table could not be "
                                     "created:\n\n" + plain +
                                     "/share/quillbox/High Scores.rnd\n\nNot a directory."));
    if (hadDataHome)
        qputenv("XDG_DATA_HOME", savedDataHome);
    else
        qunsetenv("XDG_DATA_HOME");
}

}  // namespace
