#pragma once
// The pieces the rack is drawn with: tile labels and the insertion marker.
#include <QCheckBox>
#include <QLabel>
#include <QPixmap>
#include <array>

namespace quillbox::classic {

// One rack slot. Empty slots draw nothing at all, so the gaps behind them
// show through; occupied slots draw an opaque tile with a centred letter.
class TileLabel : public QLabel {
    Q_OBJECT
  public:
    explicit TileLabel(QWidget* parent = nullptr);

    void setTile(bool occupied, const QString& letter, bool selected, bool blank);
    void setBorder(bool on);
    // The keyboard cursor: a thick ring in the highlight colour, unlike the
    // thin black border of a drag target.
    void setCursorShown(bool on);

    bool occupied() const { return occupied_; }
    bool selected() const { return selected_; }
    bool blank() const { return blank_; }
    bool hasBorder() const { return border_; }
    bool cursorShown() const { return cursor_; }

  protected:
    void paintEvent(QPaintEvent* event) override;

  private:
    void paintTile(QPainter& p) const;

    bool occupied_ = false;
    bool selected_ = false;
    bool blank_ = false;
    bool border_ = false;
    bool cursor_ = false;
};

// The rack: the ten slots in a row, and one stop in the tab order. It holds
// the keyboard cursor and moves it with Left, Right, Home and End; the window
// decides what the other keys do. For a screen reader it is a list whose
// items are the slots.
class RackView : public QWidget {
    Q_OBJECT
  public:
    explicit RackView(QWidget* parent = nullptr);

    TileLabel* tile(int i) const { return tiles_.at(static_cast<std::size_t>(i)); }
    int cursorSlot() const { return cursor_; }
    // Moves the cursor to slot i (0..9) and, while the rack has the focus,
    // tells a screen reader which slot it is on now.
    void setCursorSlot(int i);

  protected:
    void keyPressEvent(QKeyEvent* event) override;
    void focusInEvent(QFocusEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;

  private:
    void showCursor();

    std::array<TileLabel*, 10> tiles_{};
    int cursor_ = 0;
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
