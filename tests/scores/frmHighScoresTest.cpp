// The high-score window and the table the Classic game uses through it.
#include <gtest/gtest.h>

#include <QApplication>
#include <QFontMetrics>
#include <QImage>
#include <QLocale>
#include <QScreen>
#include <QTest>
#include <QTimer>

#include "scoreTestFiles.h"
#include "scores/frmHighScores.h"
#include "scores/programScoreTable.h"
#include "support/scriptedDialogs.h"
#include "ui/appearance.h"
#include "ui/programFolder.h"

using quillbox::scores::frmHighScores;
using quillbox::scores::ProgramScoreTable;
using scoretest::readBytes;
using scoretest::record;
using scoretest::writeBytes;

namespace {

// Where text printed at column k starts, for a column width c.
int col(int k, qreal c) {
    return qRound((k - 1) * c);
}

QFont boldFont() {
    return quillbox::ui::classicFont(QStringLiteral("MS Sans Serif"), 8.25, true);
}

class HighScoresTest : public ::testing::Test {
  protected:
    void SetUp() override {
        savedLocale = QLocale();
        QLocale::setDefault(QLocale(QLocale::English, QLocale::UnitedStates));
        useFolder(dir.path);
    }
    void TearDown() override {
        frmHighScores::unload();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        quillbox::ui::setProgramFolderForTesting({});
        QLocale::setDefault(savedLocale);
    }
    static void useFolder(const std::string& folder) {
        quillbox::ui::setProgramFolderForTesting(QString::fromStdString(folder));
    }
    // Nine named entries and an empty tenth slot.
    void storeNineEntries() const {
        std::string t = record("Ann", 1234) + record("Bo", 900);
        for (int i = 3; i <= 8; ++i)
            t += record("P" + std::to_string(i), 100 - i);
        writeBytes(dir.scoreFile(), t + record("Ivy", 12) + std::string(36, '\0'));
    }
    frmHighScores& shown() {
        frmHighScores& w = frmHighScores::instance();
        w.show();
        EXPECT_TRUE(QTest::qWaitForWindowExposed(&w));
        return w;
    }
    // The three pieces of table line n (1 to 10) when nothing wrapped.
    static const frmHighScores::PrintedText& piece(const frmHighScores& w, int line, int part) {
        return w.printed().at(3 + (line - 1) * 3 + part);
    }
    void expectMessage(std::size_t i, const QString& title, const std::string& text) const {
        ASSERT_GT(dialogs.messages().size(), i);
        EXPECT_EQ(dialogs.messages()[i].title, title);
        EXPECT_EQ(dialogs.messages()[i].text, QString::fromStdString(text));
    }

    scoretest::TempFolder dir;
    quillbox::testing::ScriptedDialogs dialogs;
    QLocale savedLocale;
};

TEST_F(HighScoresTest, PrintsTheTableOnceAtFixedColumnsOfTheAverageBoldCharacter) {
    storeNineEntries();
    frmHighScores& w = shown();
    const qreal c = w.columnWidth();
    const int h = w.lineHeight();
    EXPECT_EQ(c, QFontMetricsF(boldFont()).averageCharWidth());
    EXPECT_EQ(h, QFontMetrics(boldFont()).height());
    ASSERT_GT(c, 0);
    EXPECT_LE(col(35, c), w.width());  // the whole table fits
    ASSERT_EQ(w.printed().size(), 33u);

    // Position numbers end in column 5, names start in column 10, scores end
    // in column 34 under the end of "Score".
    const struct {
        int line;
        const char* texts[3];
        int firstColumn, lastColumn;
    } lines[] = {{0, {"Position", "Name", "Score"}, 1, 30},
                 {1, {" 1", "Ann            ", "1,234"}, 4, 30},
                 {9, {" 9", "Ivy            ", "12"}, 4, 33},
                 {10, {" 10", "", "0"}, 3, 34}};
    for (const auto& l : lines) {
        const int columns[3] = {l.firstColumn, 10, l.lastColumn};
        for (int part = 0; part < 3; ++part) {
            const frmHighScores::PrintedText& p = w.printed()[l.line * 3 + part];
            EXPECT_EQ(p.text, l.texts[part]);
            EXPECT_EQ(p.at, QPoint(col(columns[part], c), l.line * h)) << l.texts[part];
            EXPECT_EQ(p.heading, l.line == 0) << l.texts[part];
        }
    }
    // The table is read once, when shown: repainting does not read it again.
    writeBytes(dir.scoreFile(), record("Changed", 5000));
    w.repaint();
    QApplication::processEvents();
    EXPECT_EQ(piece(w, 1, 1).text, "Ann            ");
}

TEST_F(HighScoresTest, ALongNameAndScorePushTheScoreToTheNextLineInTheLocalesGrouping) {
    const std::string wide(15, 'W');
    writeBytes(dir.scoreFile(), record(wide, 1234567) + record(wide, 5) + record("Neg", -1234));
    QLocale::setDefault(QLocale(QLocale::German, QLocale::Germany));
    frmHighScores& w = shown();
    const qreal c = w.columnWidth();
    const int h = w.lineHeight();
    const int nameEnd =
        col(10, c) + QFontMetrics(boldFont()).horizontalAdvance(QString::fromStdString(wide));
    ASSERT_GT(nameEnd, col(26, c));
    ASSERT_LE(nameEnd, col(34, c));

    EXPECT_EQ(piece(w, 1, 1).at, QPoint(col(10, c), h));
    EXPECT_EQ(piece(w, 1, 2).text, "1.234.567");
    EXPECT_EQ(piece(w, 1, 2).at, QPoint(col(26, c), 2 * h));
    // Everything after it moves down one line; a short score stays on its line.
    EXPECT_EQ(piece(w, 2, 0).at, QPoint(col(4, c), 3 * h));
    EXPECT_EQ(piece(w, 2, 2).at, QPoint(col(34, c), 3 * h));
    EXPECT_EQ(piece(w, 3, 2).text, "-1.234");
    EXPECT_EQ(piece(w, 3, 2).at, QPoint(col(29, c), 4 * h));
    EXPECT_EQ(piece(w, 10, 0).at, QPoint(col(3, c), 11 * h));
}

TEST_F(HighScoresTest, TheHeadingIsBlueAndUnderlinedTheLinesBlackAndAnEmptyNameBlank) {
    storeNineEntries();
    frmHighScores& w = shown();
    const QImage img = w.grab().toImage().convertToFormat(QImage::Format_RGB32);
    const qreal dpr = img.devicePixelRatio();
    const int h = qRound(w.lineHeight() * dpr);
    const qreal c = w.columnWidth() * dpr;
    const QRgb background = img.pixel(img.width() - 1, img.height() - 1);
    // Pixels of the band that are (or, with is = false, are not) of colour rgb.
    auto count = [&](QRect band, QRgb rgb, bool is = true) {
        int n = 0;
        band &= img.rect();
        for (int y = band.top(); y <= band.bottom(); ++y)
            for (int x = band.left(); x <= band.right(); ++x)
                n += (img.pixel(x, y) == rgb) == is;
        return n;
    };
    const QRgb blue = qRgb(0, 0, 255), black = qRgb(0, 0, 0);
    const QRect heading(0, 0, img.width(), h), lines(0, h, img.width(), 10 * h);
    EXPECT_GT(count(heading, blue), 20);
    EXPECT_EQ(count(heading, black), 0);
    EXPECT_GT(count(lines, black), 100);
    EXPECT_EQ(count(lines, blue), 0);
    // The underline: a pixel row of the heading blue right across "Position".
    int longestBlueRow = 0;
    for (int y = 0; y < h; ++y)
        for (int x = 0, run = 0; x < col(9, c); ++x) {
            run = img.pixel(x, y) == blue ? run + 1 : 0;
            longestBlueRow = std::max(longestBlueRow, run);
        }
    EXPECT_GE(longestBlueRow, col(7, c));
    // Names are inked, but not the empty slot's; its position and score are.
    EXPECT_GT(count(QRect(col(10, c), h, col(16, c), h), background, false), 0);
    EXPECT_EQ(count(QRect(col(10, c), 10 * h, col(21, c), h), background, false), 0);
    EXPECT_GT(count(QRect(0, 10 * h, col(10, c), h), background, false), 0);
    EXPECT_GT(count(QRect(col(32, c), 10 * h, img.width(), h), background, false), 0);
}

TEST_F(HighScoresTest, AFixedDialogWithoutControlsShownModallyCentredAndGoneWhenClosed) {
    frmHighScores& built = frmHighScores::instance();
    EXPECT_EQ(built.windowTitle(), "Quillbox High Scores");
    EXPECT_EQ(built.size(), QSize(233, 170));
    EXPECT_EQ(built.minimumSize(), built.maximumSize());
    EXPECT_TRUE(built.windowFlags() & Qt::WindowCloseButtonHint);
    EXPECT_FALSE(built.windowFlags() &
                 (Qt::WindowMinimizeButtonHint | Qt::WindowMaximizeButtonHint |
                  Qt::WindowContextHelpButtonHint));
    EXPECT_TRUE(built.findChildren<QWidget*>().isEmpty());
    // Building the window reads nothing; only showing it does.
    EXPECT_FALSE(std::filesystem::exists(dir.scoreFile()));

    QWidget owner;
    owner.resize(300, 200);
    owner.show();
    bool checked = false;
    QTimer::singleShot(0, [&] {
        frmHighScores& w = frmHighScores::instance();
        EXPECT_EQ(&w, &built);
        EXPECT_TRUE(w.isVisible());
        EXPECT_EQ(QApplication::activeModalWidget(), &w);
        EXPECT_EQ(w.parentWidget(), &owner);
        const QRect screen = owner.screen()->availableGeometry();
        EXPECT_LE((w.geometry().center() - screen.center()).manhattanLength(), 1);
        EXPECT_EQ(w.printed().size(), 33u);
        checked = true;
        w.close();
    });
    frmHighScores::showModal(&owner);
    EXPECT_TRUE(checked);
    EXPECT_FALSE(frmHighScores::loaded());
    // Showing it created the missing file.
    EXPECT_EQ(readBytes(dir.scoreFile()), std::string(360, '\0'));
    EXPECT_TRUE(dialogs.shown.empty());
}

TEST_F(HighScoresTest, TheGameConsultsAndUpdatesTheTableWithoutTheWindow) {
    ProgramScoreTable table;
    EXPECT_FALSE(table.isHigh(0));
    EXPECT_TRUE(table.isHigh(1));
    // "e" followed by a combining acute accent is stored as the one letter.
    table.addScore("Zoe\xCC\x81", 42);
    table.addScore("Ann", 50);
    EXPECT_EQ(readBytes(dir.scoreFile()),
              record("Ann", 50) + record("Zo\xE9", 42) + std::string(8 * 36, '\0'));
    EXPECT_FALSE(frmHighScores::loaded());
    EXPECT_TRUE(dialogs.shown.empty());
}

TEST_F(HighScoresTest, FileErrorsBecomeMessagesAndTheWindowAndTheGameGoOn) {
    const std::string gone = dir / "gone";
    useFolder(gone);
    EXPECT_EQ(shown().printed().size(), 3u);
    expectMessage(0, "High Scores Unavailable",
                  "The high-score table could not be created:\n\n" + gone +
                      "/High Scores.rnd\n\nNo such file or directory.");
    frmHighScores::unload();

    const std::string plain = dir / "plain";
    writeBytes(plain, "a file, not a folder");
    useFolder(plain);
    const std::string path = plain + "/High Scores.rnd";
    ProgramScoreTable table;
    EXPECT_FALSE(table.isHigh(100));
    table.addScore("Sam", 100);
    ASSERT_EQ(dialogs.messages().size(), 3u);
    expectMessage(1, "High Scores Unavailable",
                  "The high-score table could not be read:\n\n" + path + "\n\nNot a directory.");
    expectMessage(2, "High Score Not Saved",
                  "Your score could not be saved in the high-score table:\n\n" + path +
                      "\n\nNot a directory.");
    EXPECT_EQ(readBytes(plain), "a file, not a folder");
}

}  // namespace
