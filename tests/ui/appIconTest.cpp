// The program's icon: compiled in from data/icons, at every size the desktop
// install offers, and the same tile at each.
#include <gtest/gtest.h>

#include <QIcon>
#include <QImage>
#include <QPixmap>
#include <vector>

#include "ui/appearance.h"

namespace {

const std::vector<int> kSizes{QUILLBOX_ICON_SIZES};

QImage iconImage(int size) {
    return quillbox::ui::appIcon()
        .pixmap(size, size)
        .toImage()
        .convertToFormat(QImage::Format_ARGB32);
}

}  // namespace

TEST(AppIcon, OffersEveryInstalledSizeAsItsOwnImage) {
    const QIcon icon = quillbox::ui::appIcon();
    ASSERT_FALSE(icon.isNull()) << "the icon resource is not linked into the program";
    const QList<QSize> available = icon.availableSizes();
    EXPECT_EQ(available.size(), static_cast<qsizetype>(kSizes.size()));
    for (int size : kSizes) {
        EXPECT_TRUE(available.contains(QSize(size, size))) << size;
        EXPECT_EQ(iconImage(size).size(), QSize(size, size)) << size;
    }
}

TEST(AppIcon, EverySizeIsARoundedCreamTile) {
    for (int size : kSizes) {
        const QImage image = iconImage(size);
        // Rounded corners leave the very corner see-through.
        EXPECT_EQ(qAlpha(image.pixel(0, 0)), 0) << size;
        EXPECT_EQ(qAlpha(image.pixel(size - 1, size - 1)), 0) << size;
        // Just inside the border the tile is opaque cream: red and green high,
        // blue clearly lower.
        const QRgb face = image.pixel(size / 4, size / 2 - size / 3);
        EXPECT_EQ(qAlpha(face), 255) << size;
        EXPECT_GT(qRed(face), 200) << size;
        EXPECT_GT(qGreen(face), 180) << size;
        EXPECT_LT(qBlue(face), qGreen(face) - 30) << size;
    }
}

TEST(AppIcon, EverySizeCarriesTheDarkLetter) {
    for (int size : kSizes) {
        const QImage image = iconImage(size);
        int dark = 0;
        for (int y = size / 4; y < size * 3 / 4; ++y)
            for (int x = size / 4; x < size * 3 / 4; ++x)
                if (qAlpha(image.pixel(x, y)) == 255 && qGray(image.pixel(x, y)) < 90)
                    ++dark;
        // The letter's strokes cover a good part of the tile's middle.
        EXPECT_GT(dark, size * size / 40) << size;
    }
}
