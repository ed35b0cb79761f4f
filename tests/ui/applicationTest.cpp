// What the thin ui layer gives every window: the application set-up, the
// classic fonts, the icon, the program's folder and the masked letter box.
#include <gtest/gtest.h>

#include <QApplication>
#include <QIcon>
#include <QImage>
#include <QSignalSpy>
#include <QTest>
#include <vector>

#include "ui/appearance.h"
#include "ui/maskedLetterBox.h"
#include "ui/programFolder.h"
#include "ui/windowSetup.h"

namespace ui = quillbox::ui;

TEST(Application, IsSetUpAsQuillboxThatOutlivesItsLastWindow) {
    // The test program ran setUpApplication, as the program does.
    EXPECT_EQ(QApplication::applicationName(), QStringLiteral("Quillbox"));
    EXPECT_EQ(QApplication::applicationVersion(), QStringLiteral("3.1.0"));
    EXPECT_EQ(QGuiApplication::desktopFileName(), QStringLiteral("quillbox"));
    EXPECT_FALSE(QApplication::quitOnLastWindowClosed());
    EXPECT_EQ(QApplication::font().family(), QStringLiteral("MS Sans Serif"));
    EXPECT_DOUBLE_EQ(QApplication::font().pointSizeF(), 8.25);
    for (const char* classic : {"MS Sans Serif", "Arial", "MS Serif", "Fixedsys"})
        EXPECT_EQ(QFont::substitutes(QString::fromLatin1(classic)).size(), 2) << classic;
    EXPECT_EQ(QFont::substitutes(QStringLiteral("Fixedsys")).front(),
              QStringLiteral("dejavu sans mono"));  // Qt keeps them in lower case
}

TEST(Application, ClassicFontsCarryTheirSizeStyleAndPitch) {
    const QFont fixed = ui::classicFont(QStringLiteral("Fixedsys"), 9);
    EXPECT_EQ(fixed.styleHint(), QFont::TypeWriter);
    EXPECT_TRUE(QFontInfo(fixed).fixedPitch());
    const QFont label = ui::classicFont(QStringLiteral("MS Sans Serif"), 9.75, true, true);
    EXPECT_EQ(std::tuple(label.pointSizeF(), label.bold(), label.underline(), label.styleHint()),
              std::tuple(9.75, true, true, QFont::AnyStyle));
    EXPECT_FALSE(ui::classicFont(QStringLiteral("Arial"), 8).bold());
}

TEST(Application, TheIconIsARoundedCreamTileWithADarkLetterAtEverySize) {
    const std::vector<int> sizes{QUILLBOX_ICON_SIZES};
    const QIcon icon = ui::appIcon();
    EXPECT_EQ(icon.availableSizes().size(), static_cast<qsizetype>(sizes.size()));
    EXPECT_EQ(QApplication::windowIcon().cacheKey(), icon.cacheKey());
    for (int size : sizes) {
        SCOPED_TRACE(size);
        EXPECT_TRUE(icon.availableSizes().contains(QSize(size, size)));
        const QImage image =
            icon.pixmap(size, size).toImage().convertToFormat(QImage::Format_ARGB32);
        ASSERT_EQ(image.size(), QSize(size, size));
        EXPECT_EQ(qAlpha(image.pixel(0, 0)), 0);  // rounded corners
        const QRgb face = image.pixel(size / 4, size / 2 - size / 3);
        EXPECT_EQ(qAlpha(face), 255);
        EXPECT_GT(qRed(face), 200);
        EXPECT_LT(qBlue(face), qGreen(face) - 30);
        int dark = 0;
        for (int y = size / 4; y < size * 3 / 4; ++y)
            for (int x = size / 4; x < size * 3 / 4; ++x)
                dark += qAlpha(image.pixel(x, y)) == 255 && qGray(image.pixel(x, y)) < 90;
        EXPECT_GT(dark, size * size / 40);
    }
}

TEST(Application, WindowsAreCentredOnTheirScreen) {
    QWidget w;
    w.resize(200, 100);
    ui::centreOnScreen(w);
    EXPECT_EQ(w.frameGeometry().center(), w.screen()->availableGeometry().center());
}

TEST(ProgramFolder, FilesBesideTheProgramTakeOneSeparator) {
    EXPECT_EQ(ui::programFolder(), QCoreApplication::applicationDirPath());
    for (const auto& [folder, expected] :
         {std::pair{"/opt/quillbox", "/opt/quillbox/x.rtf"}, std::pair{"/", "/x.rtf"}}) {
        ui::setProgramFolderForTesting(QString::fromLatin1(folder));
        EXPECT_EQ(ui::programFolder(), QString::fromLatin1(folder));
        EXPECT_EQ(ui::besideProgram(QStringLiteral("x.rtf")), QString::fromLatin1(expected));
    }
    ui::setProgramFolderForTesting(QString());
    EXPECT_EQ(ui::programFolder(), QCoreApplication::applicationDirPath());
}

TEST(MaskedLetterBox, TakesOnlyLettersUpToItsPositions) {
    ui::MaskedLetterBox box(3);
    QSignalSpy changed(&box, &ui::MaskedLetterBox::changed);
    QTest::keyClicks(&box, QStringLiteral("a1 b-cd"));
    EXPECT_EQ(box.letters(), QStringLiteral("abc"));
    EXPECT_EQ(changed.count(), 3);
    box.setText(QStringLiteral("Q I"));  // blanks are prompts, not letters
    EXPECT_EQ(box.letters(), QStringLiteral("QI"));
    EXPECT_EQ(box.positions(), 3);
}
