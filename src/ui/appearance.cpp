#include "ui/appearance.h"

#include <QFile>
#include <QPainter>
#include <QPixmap>

namespace quillbox::ui {

void installFontSubstitutions() {
    QFont::insertSubstitutions(QStringLiteral("MS Sans Serif"),
                               {QStringLiteral("Liberation Sans"), QStringLiteral("DejaVu Sans")});
    QFont::insertSubstitutions(QStringLiteral("Arial"),
                               {QStringLiteral("Liberation Sans"), QStringLiteral("DejaVu Sans")});
    QFont::insertSubstitutions(QStringLiteral("MS Serif"),
                               {QStringLiteral("Liberation Serif"), QStringLiteral("DejaVu Serif")});
    QFont::insertSubstitutions(QStringLiteral("Fixedsys"), {QStringLiteral("DejaVu Sans Mono"),
                                                            QStringLiteral("Liberation Mono")});
}

QFont classicFont(const QString& family, double pointSize, bool bold, bool underline) {
    QFont f(family);
    f.setPointSizeF(pointSize);
    f.setBold(bold);
    f.setUnderline(underline);
    if (family == QLatin1String("Fixedsys")) f.setStyleHint(QFont::TypeWriter);
    return f;
}

namespace {
// A cream tile with a dark "Q" and a small point value, drawn at any size.
QPixmap paintIcon(int size) {
    QPixmap pm(size, size);
    pm.fill(Qt::transparent);
    QPainter p(&pm);
    p.setRenderHint(QPainter::Antialiasing);
    const qreal m = size / 16.0;
    QRectF tile(m, m, size - 2 * m, size - 2 * m);
    p.setPen(QPen(QColor(120, 84, 40), qMax<qreal>(1.0, size / 32.0)));
    p.setBrush(QColor(242, 222, 170));
    p.drawRoundedRect(tile, size / 8.0, size / 8.0);
    QFont f(QStringLiteral("DejaVu Serif"));
    f.setBold(true);
    f.setPixelSize(qRound(size * 0.62));
    p.setFont(f);
    p.setPen(QColor(40, 30, 20));
    p.drawText(tile.adjusted(0, -size * 0.04, -size * 0.08, 0), Qt::AlignCenter,
               QStringLiteral("Q"));
    QFont s = f;
    s.setPixelSize(qMax(6, qRound(size * 0.2)));
    p.setFont(s);
    p.drawText(tile.adjusted(0, 0, -size * 0.08, -size * 0.04), Qt::AlignRight | Qt::AlignBottom,
               QStringLiteral("10"));
    return pm;
}
}  // namespace

QIcon appIcon() {
    static const QIcon icon = [] {
        QIcon i;
        for (int s : {16, 24, 32, 48, 64, 128, 256}) i.addPixmap(paintIcon(s));
        return i;
    }();
    return icon;
}

}  // namespace quillbox::ui
