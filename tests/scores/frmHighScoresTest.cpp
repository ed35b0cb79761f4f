// The high-score window and what a screen reader finds in it; the table the
// Classic game uses through it, among files that are not what they seem
// (tests/data/scores/oddFiles.txt) and in a system install.
#include <gtest/gtest.h>
#include <sys/stat.h>

#include <QAccessible>
#include <QLocale>
#include <QTest>
#include <QTimer>
#include <map>
#include <numeric>
#include <regex>
#include <set>

#include "scoreTestFiles.h"
#include "scores/frmHighScores.h"
#include "scores/programScoreTable.h"
#include "support/scriptedDialogs.h"
#include "ui/programFolder.h"

using quillbox::scores::frmHighScores;
using namespace scoretest;

namespace {

// The folder's names, its subfolders' included, and which table the file
// (where its link leads) holds, with its mode and owner (see oddFiles.txt).
std::string state(const TempFolder& d, const std::string& tail) {
    std::set<std::string> names;
    for (const auto& e : fs::recursive_directory_iterator(d.path))
        names.insert(e.path().lexically_relative(d.path).string() + ", ");
    const std::string listed = std::accumulate(names.begin(), names.end(), std::string());
    struct stat st {};
    if (::stat(d.scoreFile().c_str(), &st) != 0 || !S_ISREG(st.st_mode))
        return listed + "none";
    const std::map<std::string, std::string> kinds = {
        {descending() + tail, "old"},
        {descending(0, 5) + record("X", 50) + descending(5, 4) + tail, "new"},
        {std::string(360, '\0'), "empty"},
        {record("X", 50) + std::string(9 * 36, '\0'), "X alone"}};
    fs::permissions(d.scoreFile(), fs::perms::owner_read, fs::perm_options::add);  // to look
    const auto kind = kinds.find(readBytes(d.scoreFile()));
    return listed + (kind == kinds.end() ? "other" : kind->second) + " " +
           QString::number(st.st_mode & 07777, 8).toStdString() + (st.st_uid ? " player" : " root");
}

// What the player's program answered, then each message it showed.
std::string seen(const std::string& folder, bool add) {
    ::umask(027);
    quillbox::testing::ScriptedDialogs dialogs;
    quillbox::ui::setProgramFolderForTesting(QString::fromStdString(folder));
    quillbox::scores::ProgramScoreTable table;
    QString seen = add ? (table.addScore("X", 50), "") : QString::number(table.isHigh(5));
    for (const auto& m : dialogs.messages())
        seen += m.title + ": " + QString(m.text).replace("\n\n", " / ");
    return seen.toStdString();
}

TEST(ScoreFileSystem, EachOddFileIsUsedOrLeftAloneWithAMessageNamingTheFileThatFailed) {
    const std::string data = readBytes(QUILLBOX_TEST_DATA "/scores/oddFiles.txt");
    // Each case's fields, in this order: case, set-up, do, sees, state.
    const std::regex fields("\ncase (.*)\nset-up (.*)\ndo (.*)\nsees ?(.*)\nstate (.*)");
    const std::sregex_iterator first(data.begin(), data.end(), fields), end;
    ASSERT_EQ(std::distance(first, end), 21);
    const std::string tail = record("Eleventh", 999) + std::string(70'000, 'x');
    for (auto c = first; c != end; ++c) {
        SCOPED_TRACE(c->str(1));
        TempFolder d;
        writeBytes(d.scoreFile(), descending() + tail);
        const std::string script =
            "(set -e; cd '" + d.path + "'; T='High Scores.rnd'; L=\"$T.lock\"; chmod 644 \"$T\"; " +
            (kRoot ? "chown 65534 \"$T\"; " : "") + c->str(2) + ") 2>/dev/null";
        if (std::system(script.c_str()) != 0) {
            ASSERT_FALSE(kRoot);
            continue;
        }
        Child player(true, [&] { return seen(d.path, c->str(3) == "add"); });
        const QString sees = QString::fromStdString(c->str(4)).replace("%1", d.path.c_str());
        EXPECT_EQ(player.finish(), std::pair(0, sees.toStdString()));
        EXPECT_EQ(state(d, tail), c->str(5));
    }
}

// The printed pieces, one printed line a line, each as the column it starts
// in ("h" first for the heading's, "?" when off the columns) and its text.
QString printedText(const frmHighScores& w) {
    QString out;
    for (int line = 0; const frmHighScores::PrintedText& p : w.printed()) {
        for (; line < p.at.y() / w.lineHeight(); ++line)
            out += '\n';
        const int column = qRound(p.at.x() / w.columnWidth()) + 1;
        const bool onColumn =
            p.at.x() == qRound((column - 1) * w.columnWidth()) && p.at.y() % w.lineHeight() == 0;
        out += QString(out.isEmpty() || out.endsWith('\n') ? "" : " ") + (p.heading ? "h" : "") +
               (onColumn ? QString::number(column) : "?") + "[" + p.text + "]";
    }
    return out + "\n";
}

// The table as a screen reader meets it: its name and headings, then row by
// row each cell's text, or "?" for a cell that is not what and where it
// should be (its row and column, its heading, where it is painted and found).
QString accessibleText(frmHighScores& w) {
    QAccessibleInterface* table = QAccessible::queryAccessibleInterface(&w)->child(0);
    QAccessibleTableInterface* t = table->tableInterface();
    QString out = table->text(QAccessible::Name) + ":";
    for (int c = 0; c < t->columnCount() && table->childCount() > 0; ++c)
        out += " " + t->columnDescription(c);
    for (int r = 0; r < t->rowCount(); ++r) {
        for (int c = 0; c < t->columnCount(); ++c) {
            QAccessibleInterface* cell = t->cellAt(r, c);
            QAccessibleTableCellInterface* i = cell->tableCellInterface();
            QAccessibleInterface* heading = i->columnHeaderCells().value(0);
            const QPoint middle = cell->rect().center();
            const bool ok =
                i->rowIndex() == r && i->columnIndex() == c && i->rowExtent() == 1 &&
                i->columnExtent() == 1 && i->table() == table && cell->parent() == table &&
                table->indexOfChild(cell) == 3 * (r + 1) + c && cell->role() == QAccessible::Cell &&
                cell->isValid() && cell->state().readOnly && !i->isSelected() &&
                cell->childCount() + cell->indexOfChild(table) == -1 && !cell->child(0) &&
                heading == table->child(c) && heading->role() == QAccessible::ColumnHeader &&
                heading->tableCellInterface()->columnHeaderCells().isEmpty() &&
                cell->rect().topLeft() == w.mapToGlobal(w.printedCell(r + 1, c).at) &&
                (cell->text(QAccessible::Name).isEmpty() ||
                 table->childAt(middle.x(), middle.y()) == cell);
            out += (c ? "|" : "\n") + (ok ? cell->text(QAccessible::Name) : "?");
        }
    }
    return out + "\n";
}

struct HighScoreWindow : ::testing::Test {
    HighScoreWindow() {
        QLocale::setDefault(QLocale(QLocale::German, QLocale::Germany));
        quillbox::ui::setProgramFolderForTesting(QString::fromStdString(dir.path));
        writeBytes(dir.scoreFile(), record(std::string(15, 'W'), 1234567) + record("Ann", 12) +
                                        record("Neg", -1234) + std::string(7 * 36, '\0'));
    }
    ~HighScoreWindow() override {
        frmHighScores::unload();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        QLocale::setDefault(QLocale::c());
    }
    // The printed text, then the accessible text, of the shown window.
    QString shown() {
        frmHighScores& w = frmHighScores::instance();
        w.show();
        EXPECT_TRUE(QTest::qWaitForWindowExposed(&w));
        return printedText(w) + accessibleText(w);
    }
    TempFolder dir;
    quillbox::testing::ScriptedDialogs dialogs;
};

TEST_F(HighScoreWindow, PrintsTheTableAtFixedColumnsOfTheAverageBoldCharacterForAScreenReaderToo) {
    const std::string golden = readBytes(QUILLBOX_TEST_DATA "/scores/highScores.txt");
    EXPECT_EQ(shown().toStdString(), std::regex_replace(golden, std::regex("#.*\n"), ""));
}

TEST_F(HighScoreWindow, OpensModallyOverTheCallingControlsWindowUntilClosed) {
    QWidget caller, other;
    auto* button = new QWidget(&caller);
    for (QWidget* from :
         {static_cast<QWidget*>(&other), button}) {  // a second caller takes it over
        QWidget* over = nullptr;
        QTimer::singleShot(0, [&] {
            over = QApplication::activeModalWidget()->parentWidget();
            frmHighScores::instance().close();
        });
        frmHighScores::showModal(from);
        EXPECT_EQ(over, from->window());
    }
}

// Nothing lies outside the table, and nothing in it can be selected.
TEST_F(HighScoreWindow, AScreenReaderFindsOnlyTheTableWithNothingToSelect) {
    shown();
    frmHighScores& w = frmHighScores::instance();
    QAccessibleInterface* window = QAccessible::queryAccessibleInterface(&w);
    QAccessibleInterface* table = window->child(0);
    QAccessibleTableInterface* t = table->tableInterface();
    const QPoint in = w.mapToGlobal(QPoint(1, 1));
    EXPECT_TRUE(window->text(QAccessible::Name) == "Quillbox High Scores" &&
                window->childCount() == 1 && window->indexOfChild(table) == 0 &&
                window->indexOfChild(window) + table->indexOfChild(window) == -2 &&
                table->parent() == window && table->role() == QAccessible::Table &&
                table->isValid() && table->childCount() == 33 &&
                window->childAt(in.x(), in.y()) == table);
    int wrong = t->selectedCellCount() + t->selectedRowCount() + t->selectedColumnCount() +
                t->selectedCells().size() + t->selectedRows().size() + t->selectedColumns().size() +
                t->isRowSelected(0) + t->isColumnSelected(0) + t->selectRow(0) +
                t->selectColumn(0) + t->unselectRow(0) + t->unselectColumn(0);
    for (QAccessibleInterface* outside :
         {window->child(1), window->childAt(-9, -9), table->childAt(-9, -9), table->child(-1),
          table->child(33), t->cellAt(-1, 0), t->cellAt(10, 0), t->cellAt(0, -1), t->cellAt(1, 3)})
        wrong += outside != nullptr;
    EXPECT_EQ(wrong, 0);
}

// A package puts the program in games/ and its rules in share/quillbox; each
// player then has a private table under the XDG data folder, made on first
// use. A folder that cannot be made is reported with its reason, and the
// window then shows no table.
TEST_F(HighScoreWindow, ASystemInstallKeepsEachPlayersTableInAPrivateFolderMadeOnFirstUse) {
    fs::create_directories(dir / "games");
    fs::create_directories(dir / "share/quillbox");
    writeBytes(dir / "share/quillbox/Quillbox Rules.rtf", "{\\rtf1}");
    quillbox::ui::setProgramFolderForTesting(QString::fromStdString(dir / "games"));
    qputenv("XDG_DATA_HOME", QByteArray::fromStdString(dir / "ann/.local/share"));
    quillbox::scores::ProgramScoreTable table;
    table.addScore("Zoe\xCC\x81", 50);  // "e" and a combining accent: one letter
    EXPECT_EQ(readBytes(dir / "ann/.local/share/quillbox/High Scores.rnd"),
              record("Zo\xE9", 50) + std::string(9 * 36, '\0'));
    for (const char* made : {"ann", "ann/.local", "ann/.local/share", "ann/.local/share/quillbox"})
        EXPECT_EQ(fs::status(dir / made).permissions(), fs::perms::owner_all) << made;
    EXPECT_TRUE(fs::is_empty(dir / "games") && dialogs.shown.empty() && !frmHighScores::loaded());
    qputenv("XDG_DATA_HOME", QByteArray::fromStdString(dir / "High Scores.rnd/share"));
    EXPECT_EQ(shown(), "h1[Position] h10[Name] h30[Score]\nHigh scores: Position Name Score\n");
    qunsetenv("XDG_DATA_HOME");
    EXPECT_EQ(dialogs.messages().size(), 1u);  // its text is checked with oddFiles.txt
}

}  // namespace
