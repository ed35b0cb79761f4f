#include "crossword/boardWidgets.h"

#include <QMouseEvent>
#include <QPainter>
#include <QStyleOptionButton>
#include <QStylePainter>

namespace quillbox::crossword {

namespace {

// The classic look of disabled text: grey, with a white copy one pixel
// down and right.
void drawEtched(QPainter& p, const QPoint& origin, const QString& text) {
    p.setPen(QColor(255, 255, 255));
    p.drawText(origin + QPoint(1, 1), text);
    p.setPen(QColor(128, 128, 128));
    p.drawText(origin, text);
}

}  // namespace

CellLabel::CellLabel(QWidget* parent) : QLabel(parent) {
    background_ = palette().color(QPalette::Base);
    setAlignment(Qt::AlignCenter);
    setFocusPolicy(Qt::TabFocus);
}

void CellLabel::setBackground(const QColor& color) {
    if (color == background_)
        return;
    background_ = color;
    update();
}

void CellLabel::paintEvent(QPaintEvent*) {
    QPainter p(this);
    p.fillRect(rect(), background_);
    // The border stays black when the cell is locked; only the letter greys.
    p.setPen(palette().color(QPalette::Active, QPalette::WindowText));
    p.drawRect(rect().adjusted(0, 0, -1, -1));
    if (hasFocus()) {
        p.setPen(QPen(palette().color(QPalette::Active, QPalette::Highlight), 2));
        p.drawRect(rect().adjusted(2, 2, -3, -3));
    }
    if (text().isEmpty())
        return;
    p.setFont(font());
    // The capital sits low in the cell, clear of most of the clue number in
    // the corner, a few pixels above the bottom border.
    const QFontMetrics fm(font());
    const QPoint origin((width() - fm.horizontalAdvance(text())) / 2, height() - 5);
    if (isEnabled()) {
        // On the system colour the system's text colour; on the white or red
        // of a puzzle black, whatever the desktop's colours.
        const bool system = background_ == palette().color(QPalette::Base);
        p.setPen(system ? palette().color(QPalette::Active, QPalette::Text) : QColor(0, 0, 0));
        p.drawText(origin, text());
    } else {
        drawEtched(p, origin, text());
    }
}

void CellLabel::mousePressEvent(QMouseEvent* event) {
    if (event->button() != Qt::LeftButton)
        return QLabel::mousePressEvent(event);
    pressed_ = true;
    event->accept();
}

void CellLabel::mouseReleaseEvent(QMouseEvent* event) {
    // A click is a press and a release over the same cell.
    const bool click = pressed_ && event->button() == Qt::LeftButton &&
                       rect().contains(event->position().toPoint());
    pressed_ = false;
    event->accept();
    if (click)
        emit clicked();
}

void EtchedLabel::paintEvent(QPaintEvent* event) {
    if (isEnabled())
        return QLabel::paintEvent(event);
    QPainter p(this);
    p.setFont(font());
    drawEtched(p, QPoint(0, QFontMetrics(font()).ascent()), text());
}

void WrappingButton::paintEvent(QPaintEvent*) {
    QStylePainter p(this);
    QStyleOptionButton opt;
    initStyleOption(&opt);
    const QString caption = opt.text;
    opt.text.clear();
    p.drawControl(QStyle::CE_PushButton, opt);

    int flags = Qt::AlignCenter | Qt::TextWordWrap | Qt::TextShowMnemonic;
    if (!style()->styleHint(QStyle::SH_UnderlineShortcut, &opt, this))
        flags |= Qt::TextHideMnemonic;
    const QRect area = style()->subElementRect(QStyle::SE_PushButtonContents, &opt, this);
    p.drawItemText(area, flags, opt.palette, isEnabled(), caption, QPalette::ButtonText);
}

}  // namespace quillbox::crossword
