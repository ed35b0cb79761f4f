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

using quillbox::frmHighScores;
using quillbox::ProgramScoreTable;
using scoretest::readBytes;
using scoretest::record;
using scoretest::writeBytes;

namespace {

// Where text printed at column k starts, for a column width c.
int col(int k, qreal c) {
    return qRound((k - 1) * c);
}

class HighScoresTest : public ::testing::Test {
  protected:
    void SetUp() override {
        savedLocale = QLocale();
        QLocale::setDefault(QLocale(QLocale::English, QLocale::UnitedStates));
        useFolder(dir.str());
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
        t += record("Ivy", 12) + std::string(36, '\0');
        writeBytes(dir.scoreFile(), t);
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

    scoretest::TempFolder dir;
    quillbox::testing::ScriptedDialogs dialogs;
    QLocale savedLocale;
};

TEST_F(HighScoresTest, AFixedDialogWithOnlyACloseBoxAndNoControls) {
    frmHighScores& w = frmHighScores::instance();
    EXPECT_EQ(w.windowTitle(), "Quillbox High Scores");
    EXPECT_EQ(w.size(), QSize(233, 170));
    EXPECT_EQ(w.minimumSize(), w.maximumSize());
    EXPECT_EQ(w.windowType(), Qt::Dialog);
    const Qt::WindowFlags flags = w.windowFlags();
    EXPECT_TRUE(flags & Qt::WindowCloseButtonHint);
    EXPECT_FALSE(flags & Qt::WindowMinimizeButtonHint);
    EXPECT_FALSE(flags & Qt::WindowMaximizeButtonHint);
    EXPECT_FALSE(flags & Qt::WindowContextHelpButtonHint);
    EXPECT_TRUE(w.testAttribute(Qt::WA_DeleteOnClose));
    EXPECT_TRUE(w.findChildren<QWidget*>().isEmpty());
    // Building the window reads nothing; only showing it does.
    EXPECT_FALSE(std::filesystem::exists(dir.scoreFile()));
}

TEST_F(HighScoresTest, PrintsAtFixedColumnsOfTheAverageBoldCharacter) {
    storeNineEntries();
    frmHighScores& w = shown();
    const qreal c = w.columnWidth();
    const int h = w.lineHeight();
    const QFont bold = quillbox::ui::classicFont(QStringLiteral("MS Sans Serif"), 8.25, true);
    EXPECT_EQ(c, QFontMetricsF(bold).averageCharWidth());
    EXPECT_EQ(h, QFontMetrics(bold).height());
    ASSERT_GT(c, 0);
    // The whole table fits in the window.
    EXPECT_LE(col(35, c), w.width());
    ASSERT_EQ(w.printed().size(), 33u);

    const auto expectPiece = [](const frmHighScores::PrintedText& p, const QString& text, QPoint at,
                                bool heading) {
        EXPECT_EQ(p.text, text);
        EXPECT_EQ(p.at, at) << p.text.toStdString();
        EXPECT_EQ(p.heading, heading) << p.text.toStdString();
    };
    expectPiece(w.printed()[0], "Position", {0, 0}, true);
    expectPiece(w.printed()[1], "Name", {col(10, c), 0}, true);
    expectPiece(w.printed()[2], "Score", {col(30, c), 0}, true);

    // Position numbers end in column 5, names start in column 10, scores end
    // in column 34 under the end of "Score".
    expectPiece(piece(w, 1, 0), " 1", {col(4, c), h}, false);
    expectPiece(piece(w, 1, 1), "Ann            ", {col(10, c), h}, false);
    expectPiece(piece(w, 1, 2), "1,234", {col(30, c), h}, false);
    expectPiece(piece(w, 9, 0), " 9", {col(4, c), 9 * h}, false);
    expectPiece(piece(w, 9, 1), "Ivy            ", {col(10, c), 9 * h}, false);
    expectPiece(piece(w, 9, 2), "12", {col(33, c), 9 * h}, false);
    expectPiece(piece(w, 10, 0), " 10", {col(3, c), 10 * h}, false);
    expectPiece(piece(w, 10, 1), "", {col(10, c), 10 * h}, false);
    expectPiece(piece(w, 10, 2), "0", {col(34, c), 10 * h}, false);
}

TEST_F(HighScoresTest, ScoresFollowTheLocalesDigitGrouping) {
    writeBytes(dir.scoreFile(), record("Big", 1234567) + record("Neg", -1234));
    QLocale::setDefault(QLocale(QLocale::German, QLocale::Germany));
    frmHighScores& w = shown();
    const qreal c = w.columnWidth();
    EXPECT_EQ(piece(w, 1, 2).text, "1.234.567");
    EXPECT_EQ(piece(w, 1, 2).at.x(), col(26, c));
    EXPECT_EQ(piece(w, 2, 2).text, "-1.234");
    EXPECT_EQ(piece(w, 2, 2).at.x(), col(29, c));
}

TEST_F(HighScoresTest, ANameRunningPastTheScoreColumnPushesTheScoreToTheNextLine) {
    const std::string wide(15, 'W');
    writeBytes(dir.scoreFile(), record(wide, 1234567) + record(wide, 5));
    frmHighScores& w = shown();
    const qreal c = w.columnWidth();
    const int h = w.lineHeight();
    const QFontMetrics bold(quillbox::ui::classicFont(QStringLiteral("MS Sans Serif"), 8.25, true));
    const int nameEnd = col(10, c) + bold.horizontalAdvance(QString::fromStdString(wide));
    ASSERT_GT(nameEnd, col(26, c));
    ASSERT_LE(nameEnd, col(34, c));

    EXPECT_EQ(piece(w, 1, 1).at, QPoint(col(10, c), h));
    EXPECT_EQ(piece(w, 1, 2).text, "1,234,567");
    EXPECT_EQ(piece(w, 1, 2).at, QPoint(col(26, c), 2 * h));
    // Everything after it moves down one line; a short score stays on its line.
    EXPECT_EQ(piece(w, 2, 0).at, QPoint(col(4, c), 3 * h));
    EXPECT_EQ(piece(w, 2, 2).at, QPoint(col(34, c), 3 * h));
    EXPECT_EQ(piece(w, 10, 0).at, QPoint(col(3, c), 11 * h));
}

// Colour at a point of the window's picture.
bool isColour(const QImage& img, int x, int y, QRgb rgb) {
    return img.pixel(x, y) == rgb;
}

TEST_F(HighScoresTest, TheHeadingIsBlueTheLinesBlackAndAnEmptyNameShowsNothing) {
    storeNineEntries();
    frmHighScores& w = shown();
    const QImage img = w.grab().toImage().convertToFormat(QImage::Format_RGB32);
    const qreal dpr = img.devicePixelRatio();
    const int h = qRound(w.lineHeight() * dpr);
    const qreal c = w.columnWidth() * dpr;
    const QRgb background = img.pixel(img.width() - 1, img.height() - 1);

    auto count = [&](QRect band, QRgb rgb) {
        int n = 0;
        band &= img.rect();
        for (int y = band.top(); y <= band.bottom(); ++y)
            for (int x = band.left(); x <= band.right(); ++x)
                n += isColour(img, x, y, rgb);
        return n;
    };
    auto inked = [&](QRect band) {
        band &= img.rect();
        return band.width() * band.height() - count(band, background);
    };
    const QRgb blue = qRgb(0, 0, 255);
    const QRgb black = qRgb(0, 0, 0);
    const QRect heading(0, 0, img.width(), h);
    const QRect lines(0, h, img.width(), 10 * h);
    EXPECT_GT(count(heading, blue), 20);
    EXPECT_EQ(count(heading, black), 0);
    EXPECT_GT(count(lines, black), 100);
    EXPECT_EQ(count(lines, blue), 0);
    // The underline: one pixel row of the heading that is blue across "Position".
    int longestBlueRow = 0;
    for (int y = 0; y < h; ++y) {
        int run = 0;
        for (int x = 0; x < col(9, c); ++x) {
            run = isColour(img, x, y, blue) ? run + 1 : 0;
            longestBlueRow = std::max(longestBlueRow, run);
        }
    }
    EXPECT_GE(longestBlueRow, col(7, c));

    const QRect firstName(col(10, c), h, col(16, c), h);
    const QRect emptyName(col(10, c), 10 * h, col(21, c), h);
    EXPECT_GT(inked(firstName), 0);
    EXPECT_EQ(inked(emptyName), 0);
    // Its position and its score are there.
    EXPECT_GT(inked(QRect(0, 10 * h, col(10, c), h)), 0);
    EXPECT_GT(inked(QRect(col(32, c), 10 * h, img.width(), h)), 0);
}

TEST_F(HighScoresTest, TheTableIsReadOnceWhenShownAndRepaintsDoNotRereadIt) {
    storeNineEntries();
    frmHighScores& w = shown();
    EXPECT_EQ(piece(w, 1, 1).text, "Ann            ");
    writeBytes(dir.scoreFile(), record("Changed", 5000));
    w.repaint();
    QApplication::processEvents();
    EXPECT_EQ(piece(w, 1, 1).text, "Ann            ");
}

TEST_F(HighScoresTest, ShownModallyCentredAndGoneWhenClosed) {
    QWidget owner;
    owner.resize(300, 200);
    owner.show();
    bool checked = false;
    QTimer::singleShot(0, [&] {
        frmHighScores& w = frmHighScores::instance();
        EXPECT_TRUE(w.isVisible());
        EXPECT_TRUE(w.isModal());
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

TEST_F(HighScoresTest, AnUnreadableTableIsExplainedAndTheWindowStillOpens) {
    const std::string folder = (dir.path() / "gone").string();
    useFolder(folder);
    frmHighScores& w = shown();
    ASSERT_EQ(dialogs.messages().size(), 1u);
    const auto& m = dialogs.messages()[0];
    EXPECT_EQ(m.title, "High Scores Unavailable");
    EXPECT_EQ(m.text,
              QString::fromStdString("The high-score file could not be created:\n\n" + folder +
                                     "/High Scores.rnd\n\n" + "No such file or directory."));
    EXPECT_EQ(w.printed().size(), 3u);
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

TEST_F(HighScoresTest, FileErrorsBecomeMessagesAndTheGameGoesOn) {
    const std::string folder = (dir.path() / "plain").string();
    writeBytes(folder, "a file, not a folder");
    useFolder(folder);
    const std::string path = folder + "/High Scores.rnd";
    ProgramScoreTable table;

    EXPECT_FALSE(table.isHigh(100));
    table.addScore("Sam", 100);
    ASSERT_EQ(dialogs.messages().size(), 2u);
    EXPECT_EQ(dialogs.messages()[0].title, "High Scores Unavailable");
    EXPECT_EQ(dialogs.messages()[0].text,
              QString::fromStdString("The high-score file could not be read:\n\n" + path +
                                     "\n\nNot a directory."));
    EXPECT_EQ(dialogs.messages()[1].title, "High Score Not Saved");
    EXPECT_EQ(dialogs.messages()[1].text,
              QString::fromStdString("Your score could not be saved in the high-score file:\n\n" +
                                     path + "\n\nNot a directory."));
    EXPECT_EQ(readBytes(folder), "a file, not a folder");
}

}  // namespace
