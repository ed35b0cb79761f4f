// The Classic window with the mouse, its menus and its dialogs.
#include <QFile>
#include <QProcess>
#include <QScrollBar>
#include <QTimer>

#include "classicWindowFixture.h"

namespace quillbox::testing {
namespace {

using Window = ClassicWindow;

TEST_F(Window, StartGameDrawsSevenTilesAndListsEveryWayToClearThem) {
    start("QIXEN_T");
    EXPECT_EQ(rack(), "QIXENET...");
    EXPECT_EQ(w->lblBagCount->text() + w->lblPoints->text() + w->lblCountdown->text(), "9300");
    for (QWidget* off : std::initializer_list<QWidget*>{w->cmdStartGame, w->chkLearnMode,
                                                        w->cmdDrawTiles, w->cmdPlayWord})
        EXPECT_FALSE(off->isEnabled());
    // The blank stands for the A of QAT in every line.
    EXPECT_EQ(lines(*w->rtfPotentials),
              QStringList({"XI EN QaT #000000", "IN EX QaT #000000", "XI NE QaT #000000", "", "",
                           "", "", "", "", ""}));
}

TEST_F(Window, ALongListShowsFromItsFirstLine) {
    start("AEHMO__");
    EXPECT_GT(w->rtfPotentials->verticalScrollBar()->maximum(), 0);
    EXPECT_EQ(w->rtfPotentials->verticalScrollBar()->value(), 0);
}

TEST_F(Window, DropsRearrangeTheRackAsThePointOfReleaseSays) {
    // To a slot (fx across it), to the gap below the tiles left of a slot
    // ('g'), outside the rack ('o'), or to a slot and back to its own ('b').
    struct Row {
        int from, to;
        char kind;
        double fx;
        const char* after;
    } rows[] = {{0, 2, 't', 0.1, ".BACDEFG.."}, {0, 1, 't', 0.9, ".BACDEFG.."},
                {6, 9, 't', 0.5, "ABCDEF...G"}, {3, 1, 'g', 0, "ADBCEFG..."},
                {3, 0, 'o', 0, "ABCDEFG..."},   {3, 3, 't', 0.3, "ABCdEFG..."},
                {3, 5, 'b', 0, "ABCDEFG..."},   {3, 0, 'g', 0, "DABCEFG..."}};
    for (const Row& r : rows) {
        SCOPED_TRACE(r.after);
        TearDown();
        SetUp();
        start("ABCDEFG");
        const QPoint gap(w->lblSpacer[r.to]->geometry().center().x(), at(0, 0, 1.2).y());
        const std::map<char, std::vector<QPoint>> paths = {
            {'t', {at(r.to, r.fx)}},
            {'g', {gap}},
            {'o', {w->cmdStartGame->geometry().center()}},
            {'b', {at(r.to), at(r.from)}}};
        drag(r.from, paths.at(r.kind));
        EXPECT_EQ(rack(), r.after);
        for (auto* marker : w->imgSpacer)
            EXPECT_FALSE(marker->isVisible());
    }
}

TEST_F(Window, ADraggedTileShowsTheTargetsBorderAndMarkerThroughItself) {
    start("ABCDEFG");
    drag(0, {at(4, 0.2)}, false);
    EXPECT_TRUE(w->lblTile[4]->hasBorder());
    EXPECT_TRUE(w->imgSpacer[4]->isVisible());
    // Low on the target, so the carried copy lies over its upper part.
    QTest::mouseMove(w->lblTile[0], w->lblTile[0]->mapFrom(w->client, at(4, 0.7, 0.9)));
    EXPECT_TRUE(w->imgSpacer[5]->isVisible());
    const QImage shot = w->client->grab().toImage();
    const QRect r = w->slotRect(4);
    for (int i = 0; i < 2 * (r.width() + r.height()); ++i) {
        const QPoint p = i < 2 * r.width() ? QPoint(r.left() + i / 2, i % 2 ? r.bottom() : r.top())
                                           : QPoint(i % 2 ? r.right() : r.left(),
                                                    r.top() + (i - 2 * r.width()) / 2);
        ASSERT_LT(qGray(shot.pixel(p)), 170) << p.x() << "," << p.y();
    }
    QTest::mouseMove(w->lblTile[0], w->lblTile[0]->mapFrom(w->client, QPoint(2, 2)));
    EXPECT_FALSE(w->lblTile[4]->hasBorder());
    EXPECT_FALSE(w->imgSpacer[5]->isVisible());
}

// Counts the pixels of an image that pass a test.
template <class Test>
int pixels(const QImage& image, Test test) {
    int n = 0;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            n += test(QColor(image.pixel(x, y))) ? 1 : 0;
    return n;
}

TEST_F(Window, TilesShowTheirLetterSelectionBlankAndTheKeyboardCursor) {
    start("EE_XIQA");
    click(3);
    w->rack->setFocus();
    auto shot = [&](int i, int inset = 0) {
        return w->client->grab(w->slotRect(i).adjusted(inset, inset, -inset, -inset)).toImage();
    };
    const QImage cursor = shot(0), plain = shot(1), blank = shot(2);
    const QPalette& look = w->lblTile[1]->palette();
    const int h = plain.height();
    const QRgb face = look.color(QPalette::Button).rgb();
    EXPECT_EQ(plain.pixel(5, 5), face);
    EXPECT_EQ(plain.pixel(0, 5), look.color(QPalette::Light).rgb());
    EXPECT_EQ(plain.pixel(5, h - 1), look.color(QPalette::Dark).rgb());
    auto ink = [](QColor c) { return qGray(c.rgb()) < 60; };
    auto white = [](QColor c) { return qGray(c.rgb()) > 245; };
    auto ring = [&](QColor c) { return c.rgb() == look.color(QPalette::Highlight).rgb(); };
    EXPECT_GT(pixels(blank, ink), pixels(plain, ink) + 10);  // the underline
    EXPECT_GT(pixels(shot(3, 2), white), 10);                // inside the bevel
    EXPECT_EQ(pixels(shot(1, 2), white), 0);
    EXPECT_GT(pixels(cursor, ring), 40);
    EXPECT_EQ(pixels(plain, ring), 0);
    const QRgb behind = w->client->palette().color(QPalette::Window).rgb();
    EXPECT_EQ(pixels(shot(8), [&](QColor c) { return c.rgb() != behind; }), 0);
    // Labels are opaque in the face colour, the countdown's lie on the window.
    EXPECT_EQ(w->client->grab(w->Label1->geometry()).toImage().pixel(1, 1), face);
    EXPECT_EQ(w->client->grab(w->lblCountdown2->geometry()).toImage().pixel(1, 1), behind);
    const QImage hand = w->imgSpacer[0]->pixmap().toImage();
    EXPECT_EQ(qAlpha(hand.pixel(0, 0)), 0);
    EXPECT_GT(pixels(hand, [](QColor c) { return c == Qt::white; }), 20);
    EXPECT_GT(pixels(hand, [](QColor c) { return c == QColor(0, 0, 200); }), 20);
}

TEST_F(Window, LearnModeOffHidesItsWidgetsAndKeepsWhatTheyShow) {
    w->rtfPlays->setText("QAT");
    w->rtfPlays->setSelStart(0);
    w->rtfPlays->setSelLength(3);
    emit w->rtfPlays->mouseUp();
    const QString definition = w->lblDefinition->text();
    ASSERT_TRUE(definition.startsWith("QAT: "));
    for (bool on : {false, true}) {
        w->chkLearnMode->click();
        for (QWidget* shown : std::initializer_list<QWidget*>{w->lblDefinition, w->rtfPotentials,
                                                              w->lblCountdown, w->lblCountdown2})
            EXPECT_EQ(shown->isVisible(), on);
        EXPECT_EQ(w->lblDefinition->text(), definition);
    }
}

TEST_F(Window, SelectingAWordInTheSheetOrTheListShowsItsDefinition) {
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

TEST_F(Window, PlaysAreWrittenInTheirColorsWithBlankLettersUnderlined) {
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
    EXPECT_EQ(lines(*w->rtfPlays),
              QStringList({"XI      1 #000000", "QAT     1 #000000", "en      1 #000000",
                           "BONUS   5 #0000ff", "QBONUS  5 #ff00ff", ""}));
    EXPECT_EQ(w->lblPoints->text(), " 13");
}

TEST_F(Window, SaveAsOffersRtfFilesAndWritesTheWholeSheet) {
    w->rtfPlays->setText("XI      1\r\n");
    const QString path = folder.filePath("tally.rtf");
    dialogs.saveAnswers = {path};
    w->mnuFileSaveResults->trigger();
    const ScriptedDialogs::Shown& save = dialogs.shown.back();
    EXPECT_EQ(QStringList({save.kind, save.text, save.defaultAnswer}),
              QStringList({"save", "Rich Text Files (*.rtf)", "rtf"}));
    EXPECT_EQ(save.parent, w);
    QFile f(path);
    ASSERT_TRUE(f.open(QIODevice::ReadOnly));
    EXPECT_EQ(ui::rtf::plainText(ui::rtf::readRtf(f.readAll().toStdString())), u"XI      1\r\n");
}

TEST_F(Window, PrintingPrintsTheSelectionWhenThereIsOne) {
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

TEST_F(Window, ClosingAsksOnlyDuringAGameAndNoKeepsTheGame) {
    start("QIXENAT");
    dialogs.yesNoAnswers = {false, true};
    for (int close = 0; close < 3; ++close) {
        w->mnuFileExit->trigger();
        QApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        EXPECT_EQ(frmMain::loaded(), close == 0);
        EXPECT_EQ(core::frmLaunchpad::loaded(), close > 0);
        EXPECT_TRUE(close > 0 || rack() == "QIXENAT...");
        w = &frmMain::instance();  // the last time with no game in progress
    }
    ASSERT_EQ(dialogs.shown.size(), 2u);
    EXPECT_EQ(dialogs.shown[0].kind + dialogs.shown[0].title, "yesnoExit Quillbox?");
    EXPECT_EQ(dialogs.shown[0].text, "A game is in progress!\r\nDo you really want to exit?");
}

TEST_F(Window, MenusOpenTheHighScoresTheAboutBoxAndTheRules) {
    for (auto [menu, title] : {std::pair(w->mnuFileHighScores, "Quillbox High Scores"),
                               std::pair(w->mnuHelpAbout, "About Quillbox")}) {
        QString shown;
        QTimer::singleShot(0, [&] { shown = QApplication::activeModalWidget()->windowTitle(); });
        QTimer::singleShot(0, [] { QApplication::activeModalWidget()->close(); });
        menu->trigger();
        EXPECT_EQ(shown, title);
    }
    w->mnuHelpRules->trigger();  // this program folder has no rules document
    EXPECT_EQ(dialogs.shown.back().title, "Help File Missing");
}

}  // namespace
}  // namespace quillbox::testing
