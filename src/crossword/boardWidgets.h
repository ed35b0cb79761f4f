#pragma once
// Small widgets the crossword board is drawn with.
#include <QColor>
#include <QLabel>
#include <QPushButton>

namespace quillbox::crossword {

// A letter cell of the grid: a bordered label whose background colour the
// board decides, and which reports clicks. It takes the keyboard focus by
// Tab or arrow key (not by a click, which opens its entry box instead) and
// shows it as a ring inside its border.
class CellLabel : public QLabel {
    Q_OBJECT
  public:
    explicit CellLabel(QWidget* parent = nullptr);

    QColor background() const { return background_; }
    void setBackground(const QColor& color);

  signals:
    void clicked();

  protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;

  private:
    QColor background_;
    bool pressed_ = false;
};

// A small label whose disabled text is etched (grey with a light shadow),
// so that it stays legible on white and on red cells alike.
class EtchedLabel : public QLabel {
    Q_OBJECT
  public:
    using QLabel::QLabel;

  protected:
    void paintEvent(QPaintEvent* event) override;
};

// A push button whose caption wraps onto a second line when it is wider than
// the button, as "Generate Crossword" is at its fixed size.
class WrappingButton : public QPushButton {
    Q_OBJECT
  public:
    using QPushButton::QPushButton;

  protected:
    void paintEvent(QPaintEvent* event) override;
};

}  // namespace quillbox::crossword
