#pragma once
// A letters-only entry box of a fixed number of positions. Unfilled positions
// show as blanks (the prompt); letters() returns what was typed without them.
#include <QLineEdit>

namespace quillbox::ui {

class MaskedLetterBox : public QLineEdit {
    Q_OBJECT
  public:
    explicit MaskedLetterBox(int positions, QWidget* parent = nullptr);

    int positions() const { return positions_; }
    // The letters entered, without prompt blanks.
    QString letters() const;

  signals:
    // After every change of the content, each keystroke included.
    void changed();

  private:
    int positions_;
};

}  // namespace quillbox::ui
