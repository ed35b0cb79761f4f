#include "classic/rackWidgets.h"

#include <QAccessible>
#include <QAccessibleWidget>
#include <QKeyEvent>
#include <QPainter>
#include <QPainterPath>
#include <QStyleOptionButton>
#include <QStylePainter>
#include <mutex>

#include "ui/twips.h"

namespace quillbox::classic {

namespace {

// A slot of the rack as a screen reader sees it: an item of the rack's list,
// selectable, and focused where the keyboard cursor is.
class TileAccessible : public QAccessibleWidget {
  public:
    explicit TileAccessible(TileLabel* tile) : QAccessibleWidget(tile, QAccessible::ListItem) {}
    QAccessible::State state() const override {
        QAccessible::State s = QAccessibleWidget::state();
        const auto* t = static_cast<const TileLabel*>(widget());
        s.selectable = t->occupied();
        s.selected = t->occupied() && t->selected();
        s.focusable = true;
        s.focused = t->cursorShown();
        return s;
    }
};

class RackAccessible : public QAccessibleWidget {
  public:
    explicit RackAccessible(RackView* rack) : QAccessibleWidget(rack, QAccessible::List) {}
    QAccessibleInterface* focusChild() const override {
        const auto* rack = static_cast<const RackView*>(widget());
        if (!rack->hasFocus())
            return nullptr;
        return QAccessible::queryAccessibleInterface(rack->tile(rack->cursorSlot()));
    }
};

QAccessibleInterface* rackAccessibleFactory(const QString&, QObject* object) {
    if (auto* rack = qobject_cast<RackView*>(object))
        return new RackAccessible(rack);
    auto* tile = qobject_cast<TileLabel*>(object);
    if (tile && qobject_cast<RackView*>(tile->parentWidget()))
        return new TileAccessible(tile);
    return nullptr;
}

}  // namespace

TileLabel::TileLabel(QWidget* parent) : QLabel(parent) {
    setAlignment(Qt::AlignCenter);
    setAttribute(Qt::WA_TranslucentBackground);
}

void TileLabel::setTile(bool occupied, const QString& letter, bool selected, bool blank) {
    occupied_ = occupied;
    selected_ = selected;
    blank_ = blank;
    setText(letter);
    update();
}

void TileLabel::setBorder(bool on) {
    if (border_ == on)
        return;
    border_ = on;
    update();
}

void TileLabel::setCursorShown(bool on) {
    if (cursor_ == on)
        return;
    cursor_ = on;
    update();
}

void TileLabel::paintEvent(QPaintEvent*) {
    QPainter p(this);
    paintTile(p);
}

void TileLabel::paintTile(QPainter& p) const {
    const QRect r = rect();
    if (occupied_) {
        p.fillRect(r, palette().color(QPalette::Button));
        // A light bevel, as a tile lying on the rack.
        p.setPen(palette().color(QPalette::Light));
        p.drawLine(r.topLeft(), r.topRight());
        p.drawLine(r.topLeft(), r.bottomLeft());
        p.setPen(palette().color(QPalette::Dark));
        p.drawLine(r.bottomLeft(), r.bottomRight());
        p.drawLine(r.topRight(), r.bottomRight());

        QFont f = font();
        f.setUnderline(blank_);
        QPainterPath glyphs;
        const QFontMetricsF fm(f);
        const QString t = text();
        const qreal x = (r.width() - fm.horizontalAdvance(t)) / 2.0;
        const qreal y = (r.height() - fm.height()) / 2.0 + fm.ascent();
        glyphs.addText(QPointF(x, y), f, t);
        p.setRenderHint(QPainter::Antialiasing);
        if (selected_) {
            // White letters need an outline to stand out on the light tile;
            // it lies outside the strokes, which stay white all through.
            p.strokePath(glyphs, QPen(QColor(0, 0, 0), 2.0));
            p.fillPath(glyphs, Qt::white);
            if (blank_) {
                const qreal uy = y + fm.underlinePos();
                const QRectF u(x, uy, fm.horizontalAdvance(t), qMax<qreal>(1.0, fm.lineWidth()));
                p.setPen(QPen(QColor(0, 0, 0), 1.0));
                p.drawRect(u);
            }
        } else {
            p.setPen(Qt::NoPen);
            p.setBrush(Qt::black);
            p.drawPath(glyphs);
            if (blank_) {
                const qreal uy = y + fm.underlinePos();
                p.fillRect(QRectF(x, uy, fm.horizontalAdvance(t), qMax<qreal>(1.0, fm.lineWidth())),
                           Qt::black);
            }
        }
        p.setRenderHint(QPainter::Antialiasing, false);
    }
    if (border_) {
        p.setPen(QPen(Qt::black, 1));
        p.setBrush(Qt::NoBrush);
        p.drawRect(r.adjusted(0, 0, -1, -1));
    }
    if (cursor_) {
        // Inside the drag border, so both show when they meet.
        p.setPen(QPen(palette().color(QPalette::Highlight), 3));
        p.setBrush(Qt::NoBrush);
        p.drawRect(r.adjusted(3, 3, -4, -4));
    }
}

RackView::RackView(QWidget* parent) : QWidget(parent) {
    static std::once_flag factoryInstalled;
    std::call_once(factoryInstalled, [] { QAccessible::installFactory(rackAccessibleFactory); });
    setFocusPolicy(Qt::TabFocus);
    setAccessibleName(QStringLiteral("Rack"));
    setAccessibleDescription(
        QStringLiteral("Your tiles. Left and Right move between slots; a letter selects its tile; "
                       "Space selects or deselects; Backspace deselects the last; Enter plays; "
                       "Ctrl+Left and Ctrl+Right move a tile; F2 gives a blank its letter"));
    for (int i = 0; i < 10; ++i) {
        auto* t = new TileLabel(this);
        t->setGeometry(ui::twRect(600 * i, 0, 495, 495));
        t->setAccessibleDescription(QStringLiteral("slot %1 of 10").arg(i + 1));
        tiles_.at(static_cast<std::size_t>(i)) = t;
    }
}

void RackView::setCursorSlot(int i) {
    cursor_ = i;
    showCursor();
    if (hasFocus()) {
        QAccessibleEvent moved(tile(i), QAccessible::Focus);
        QAccessible::updateAccessibility(&moved);
    }
}

void RackView::showCursor() {
    for (int i = 0; i < 10; ++i)
        tile(i)->setCursorShown(hasFocus() && i == cursor_);
}

void RackView::keyPressEvent(QKeyEvent* event) {
    const bool plain = (event->modifiers() & ~Qt::KeypadModifier) == Qt::NoModifier;
    switch (plain ? event->key() : 0) {
        case Qt::Key_Left:
            setCursorSlot(std::max(0, cursor_ - 1));
            break;
        case Qt::Key_Right:
            setCursorSlot(std::min(9, cursor_ + 1));
            break;
        case Qt::Key_Home:
            setCursorSlot(0);
            break;
        case Qt::Key_End:
            setCursorSlot(9);
            break;
        default:
            QWidget::keyPressEvent(event);
    }
}

void RackView::focusInEvent(QFocusEvent* event) {
    QWidget::focusInEvent(event);
    setCursorSlot(cursor_);
}

void RackView::focusOutEvent(QFocusEvent* event) {
    QWidget::focusOutEvent(event);
    showCursor();
}

QPixmap insertMarkerPixmap() {
    QPixmap pm(32, 32);
    pm.fill(Qt::transparent);
    QPainter p(&pm);
    p.setRenderHint(QPainter::Antialiasing);
    const QPen outline(QColor(0, 0, 0), 1.2);
    // Index finger pointing up.
    QPainterPath hand;
    hand.addRoundedRect(QRectF(13, 2, 6, 16), 3, 3);
    // Curled fingers and palm.
    hand.addRoundedRect(QRectF(9, 12, 16, 11), 4, 4);
    // Thumb on the left.
    hand.addRoundedRect(QRectF(6, 13, 6, 7), 3, 3);
    p.setPen(outline);
    p.setBrush(Qt::white);
    p.drawPath(hand.simplified());
    p.setPen(QPen(QColor(0, 0, 0), 0.8));
    p.drawLine(QPointF(19, 15.5), QPointF(24, 15.5));
    p.drawLine(QPointF(19, 18.5), QPointF(24, 18.5));
    // Blue cuff at the wrist.
    p.setPen(outline);
    p.setBrush(QColor(0, 0, 200));
    p.drawRect(QRectF(10, 23, 14, 7));
    return pm;
}

}  // namespace quillbox::classic

namespace quillbox::classic {

void WrappingCheckBox::paintEvent(QPaintEvent*) {
    QStylePainter p(this);
    QStyleOptionButton opt;
    initStyleOption(&opt);
    const QRect indicator = style()->subElementRect(QStyle::SE_CheckBoxIndicator, &opt, this);
    QStyleOptionButton box = opt;
    box.rect = indicator;
    box.rect.moveTop((height() - indicator.height()) / 2);
    p.drawPrimitive(QStyle::PE_IndicatorCheckBox, box);
    const int gap = style()->pixelMetric(QStyle::PM_CheckBoxLabelSpacing, &opt, this);
    const QRect textRect(indicator.right() + 1 + gap, 0, width() - indicator.right() - 1 - gap,
                         height());
    style()->drawItemText(
        &p, textRect, Qt::AlignLeft | Qt::AlignVCenter | Qt::TextWordWrap | Qt::TextShowMnemonic,
        palette(), isEnabled(), text(), QPalette::WindowText);
    if (hasFocus()) {
        QStyleOptionFocusRect focus;
        focus.initFrom(this);
        focus.rect = textRect;
        p.drawPrimitive(QStyle::PE_FrameFocusRect, focus);
    }
}

}  // namespace quillbox::classic
