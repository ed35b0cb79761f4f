// Paints the program's icon, a cream letter tile with a dark "Q" and its point
// value, and writes it as quillbox-<size>.png for each size asked for. The PNGs
// are committed under data/icons; the program and the desktop install use
// them, so this drawing is the one place the icon is defined.
//
//   iconExport <folder> <size>...
#include <QColor>
#include <QDir>
#include <QFont>
#include <QGuiApplication>
#include <QImage>
#include <QPainter>
#include <QPen>
#include <QRectF>
#include <cstdio>

namespace {

QImage paintIcon(int size) {
    QImage image(size, size, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    p.setRenderHint(QPainter::TextAntialiasing);
    const qreal m = size / 16.0;
    const QRectF tile(m, m, size - 2 * m, size - 2 * m);
    p.setPen(QPen(QColor(120, 84, 40), qMax<qreal>(1.0, size / 32.0)));
    p.setBrush(QColor(242, 222, 170));
    p.drawRoundedRect(tile, size / 8.0, size / 8.0);

    QFont letter(QStringLiteral("DejaVu Serif"));
    letter.setBold(true);
    letter.setPixelSize(qRound(size * 0.62));
    p.setFont(letter);
    p.setPen(QColor(40, 30, 20));
    p.drawText(tile.adjusted(0, -size * 0.04, -size * 0.08, 0), Qt::AlignCenter,
               QStringLiteral("Q"));

    // Below 24 pixels the value would be a smudge beside the letter.
    if (size >= 24) {
        QFont value = letter;
        value.setPixelSize(qRound(size * 0.2));
        p.setFont(value);
        p.drawText(tile.adjusted(0, 0, -size * 0.08, -size * 0.04),
                   Qt::AlignRight | Qt::AlignBottom, QStringLiteral("10"));
    }
    p.end();
    return image;
}

}  // namespace

int main(int argc, char** argv) {
    // Needs fonts but no screen.
    if (!qEnvironmentVariableIsSet("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    const QStringList args = QGuiApplication::arguments();
    if (args.size() < 3) {
        std::fprintf(stderr, "usage: iconExport <folder> <size>...\n");
        return 2;
    }
    const QDir folder(args.at(1));
    if (!folder.exists() && !QDir().mkpath(folder.path())) {
        std::fprintf(stderr, "iconExport: cannot create %s\n", qPrintable(folder.path()));
        return 1;
    }
    for (qsizetype i = 2; i < args.size(); ++i) {
        bool ok = false;
        const int size = args.at(i).toInt(&ok);
        if (!ok || size < 8 || size > 1024) {
            std::fprintf(stderr, "iconExport: not a size: %s\n", qPrintable(args.at(i)));
            return 2;
        }
        const QString path = folder.filePath(QStringLiteral("quillbox-%1.png").arg(size));
        if (!paintIcon(size).save(path, "PNG")) {
            std::fprintf(stderr, "iconExport: cannot write %s\n", qPrintable(path));
            return 1;
        }
        std::printf("%s\n", qPrintable(path));
    }
    return 0;
}
