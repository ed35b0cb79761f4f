// What the thin ui layer gives every window: the application set-up, the
// classic fonts, the icon, the masked letter box, and where the program's
// files are.
#include <gtest/gtest.h>

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QIcon>
#include <QSignalSpy>
#include <QStyle>
#include <QTemporaryDir>
#include <QTest>

#include "ui/appearance.h"
#include "ui/maskedLetterBox.h"
#include "ui/programFolder.h"

namespace ui = quillbox::ui;

TEST(Application, OutlivesItsLastWindowWithTheClassicFontsAndTheIconAtEverySize) {
    // The test program ran setUpApplication, as the program does.
    EXPECT_EQ(std::tuple(QApplication::applicationName(), QGuiApplication::desktopFileName(),
                         QApplication::style()->name()),
              std::tuple("Quillbox", "quillbox", "fusion"));
    EXPECT_FALSE(QApplication::quitOnLastWindowClosed());
    // Its own light colours, whatever the desktop's.
    EXPECT_GT(QApplication::palette().color(QPalette::Window).lightness(), 200);
    EXPECT_EQ(QApplication::font().family(), "MS Sans Serif");
    for (const char* classic : {"MS Sans Serif", "Arial", "MS Serif", "Fixedsys"})
        EXPECT_EQ(QFont::substitutes(classic).size(), 2) << classic;
    EXPECT_TRUE(QFontInfo(ui::classicFont("Fixedsys", 9)).fixedPitch());
    const QFont label = ui::classicFont("Arial", 9.75, true, true);
    EXPECT_EQ(std::tuple(label.pointSizeF(), label.bold(), label.underline(), label.styleHint()),
              std::tuple(9.75, true, true, QFont::AnyStyle));
    const std::vector<int> iconSizes{QUILLBOX_ICON_SIZES};
    EXPECT_EQ(QApplication::windowIcon().availableSizes().size(), iconSizes.size());
}

TEST(MaskedLetterBox, TakesOnlyLettersUpToItsPositions) {
    ui::MaskedLetterBox box(3);
    QSignalSpy changed(&box, &ui::MaskedLetterBox::changed);
    QTest::keyClicks(&box, "a1 b-cd");
    EXPECT_EQ(box.letters() + QString::number(changed.count()), "abc3");
    box.setText("Q I");  // blanks are prompts, not letters
    EXPECT_EQ(box.letters(), "QI");
}

// Beside the program, unless the rules document is only in the folders of a
// system install: then the scores go to the player's XDG data folder.
TEST(ProgramFolder, FilesLieBesideTheProgramUnlessOnlyASystemInstallHasTheRules) {
    QTemporaryDir root;
    auto at = [&root](const char* path) { return root.filePath(path); };
    const QString rules = "/Quillbox Rules.rtf";
    QDir().mkpath(at("games"));
    QDir().mkpath(at("share/quillbox"));
    ui::setProgramFolderForTesting(at("games"));
    qputenv("HOME", at("home").toUtf8());
    qputenv("XDG_DATA_HOME", at("data").toUtf8());
    // With no document anywhere, the missing one is named beside the program.
    EXPECT_EQ(std::pair(ui::rulesDocumentPath(), ui::scoreFolder()),
              std::pair(at("games") + rules, at("games")));
    QFile(at("share/quillbox") + rules).open(QIODevice::WriteOnly);
    EXPECT_EQ(std::pair(ui::rulesDocumentPath(), ui::scoreFolder()),
              std::pair(at("share/quillbox") + rules, at("data/quillbox")));
    for (const char* ignored : {"data", ""}) {  // relative or empty, as the XDG rules say
        qputenv("XDG_DATA_HOME", ignored);
        EXPECT_EQ(ui::scoreFolder(), at("home/.local/share/quillbox"));
    }
    EXPECT_FALSE(QFile::exists(at("home")));  // nothing is created by asking
    // A copy beside the program wins over the one under share.
    QFile(at("games") + rules).open(QIODevice::WriteOnly);
    EXPECT_EQ(std::pair(ui::rulesDocumentPath(), ui::scoreFolder()),
              std::pair(at("games") + rules, at("games")));
    ui::setProgramFolderForTesting("/");
    EXPECT_EQ(ui::besideProgram("x.rtf"), "/x.rtf");
    ui::setProgramFolderForTesting({});
    EXPECT_EQ(ui::programFolder(), QCoreApplication::applicationDirPath());
}
