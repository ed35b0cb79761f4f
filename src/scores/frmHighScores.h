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
    // time the window is shown; painting repeats what was printed.
    void showScores();

    // One piece of printed text: where it starts (the top of its line) and
    // whether it belongs to the heading.
    struct PrintedText {
        QString text;
        QPoint at;
        bool heading = false;
    };
    const std::vector<PrintedText>& printed() const { return printed_; }
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
