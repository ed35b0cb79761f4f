#pragma once
// The high-score window: the ten best Classic scores printed at fixed
// character columns, always shown modally.
#include <QDialog>
#include <QPoint>
#include <QString>
#include <vector>

#include "ui/singleInstance.h"

namespace quillbox::scores {

class frmHighScores : public QDialog, public ui::SingleInstance<frmHighScores> {
    Q_OBJECT
  public:
    explicit frmHighScores(QWidget* parent = nullptr);
    ~frmHighScores() override;

    // Shows the single instance modally, centred on the screen, and returns
    // when the user has closed it.
    static void showModal(QWidget* parent = nullptr);

    // Reads the table and prints the heading and the ten lines. Runs once each
    // time the window is shown, before it is first painted; painting repeats
    // what was printed.
    void showScores();

    // One piece of printed text: where it starts (the top of its line) and
    // whether it belongs to the heading.
    struct PrintedText {
        QString text;
        QPoint at;
        bool heading = false;
    };
    const std::vector<PrintedText>& printed() const { return printed_; }
    // The printed pieces as lines of three (position, name, score): line 0 is
    // the heading, then one line per entry; none yet before the first print.
    int printedLines() const { return static_cast<int>(printed_.size()) / 3; }
    const PrintedText& printedCell(int line, int column) const {
        return printed_.at(static_cast<std::size_t>(line) * 3 + column);
    }
    // One print column: the average character width of the bold font. Column
    // k starts at (k - 1) column widths, rounded to the nearest pixel.
    qreal columnWidth() const;
    int lineHeight() const;

  protected:
    void showEvent(QShowEvent* event) override;
    void paintEvent(QPaintEvent* event) override;

  private:
    std::vector<PrintedText> printed_;
};

}  // namespace quillbox::scores
