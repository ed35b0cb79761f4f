#pragma once
// The pieces the rack is drawn with: tile labels and the insertion marker.
#include <QCheckBox>
#include <QLabel>
#include <QPixmap>

namespace quillbox::classic {

// One rack slot. Empty slots draw nothing at all, so the gaps behind them
// show through; occupied slots draw an opaque tile with a centred letter.
class TileLabel : public QLabel {
    Q_OBJECT
  public:
    explicit TileLabel(QWidget* parent = nullptr);

    void setTile(bool occupied, const QString& letter, bool selected, bool blank);
    void setBorder(bool on);
    // Below 1 the tile is painted see-through (a dragged copy).
    void setOpacity(qreal opacity);

    bool occupied() const { return occupied_; }
    bool selected() const { return selected_; }
    bool blank() const { return blank_; }
    bool hasBorder() const { return border_; }

  protected:
    void paintEvent(QPaintEvent* event) override;

  private:
    void paintTile(QPainter& p) const;

    bool occupied_ = false;
    bool selected_ = false;
    bool blank_ = false;
    bool border_ = false;
    qreal opacity_ = 1.0;
};

// A small white hand with a blue cuff pointing upward, drawn at 32 x 32.
QPixmap insertMarkerPixmap();

}  // namespace quillbox::classic

namespace quillbox::classic {

// A check box whose caption wraps onto further lines when it is wider than
// the box, as narrow check boxes on the classic layout do.
class WrappingCheckBox : public QCheckBox {
    Q_OBJECT
  public:
    using QCheckBox::QCheckBox;

  protected:
    void paintEvent(QPaintEvent* event) override;
};

}  // namespace quillbox::classic
