#include "scores/frmHighScores.h"

#include <QFontMetrics>
#include <QFontMetricsF>
#include <QGuiApplication>
#include <QLocale>
#include <QPainter>
#include <QScreen>
#include <QShowEvent>

#include "scores/highScoresAccessible.h"
#include "scores/programScoreTable.h"
#include "ui/appearance.h"
#include "ui/twips.h"
#include "ui/windowSetup.h"

namespace quillbox::scores {

namespace {

const QColor kHeadingColor = QColor(0, 0, 255);
const QColor kLineColor = QColor(0, 0, 0);

// Everything in the window is printed bold.
QFont windowFont(bool underline = false) {
    return ui::classicFont(QStringLiteral("MS Sans Serif"), 8.25, true, underline);
}

// One print column. Kept fractional: rounding it up to whole pixels would
// push column 34 past the window's right edge with some fonts.
qreal cellWidth(const QFont& font) {
    return QFontMetricsF(font).averageCharWidth();
}

// Prints text at fixed character columns, line by line, from the top-left
// corner. A column left of where the previous text ended continues on the
// next line.
class ColumnPrinter {
  public:
    ColumnPrinter(const QFont& font, std::vector<frmHighScores::PrintedText>& out)
        : metrics_(font), cell_(cellWidth(font)), out_(out) {}

    void printAt(int column, const QString& text, bool heading) {
        const int x = qRound((column - 1) * cell_);
        if (x < x_)
            y_ += metrics_.height();
        out_.push_back({text, QPoint(x, y_), heading});
        x_ = x + metrics_.horizontalAdvance(text);
    }
    void endLine() {
        y_ += metrics_.height();
        x_ = 0;
    }

  private:
    const QFontMetrics metrics_;
    qreal cell_;
    std::vector<frmHighScores::PrintedText>& out_;
    int x_ = 0;
    int y_ = 0;
};

}  // namespace

frmHighScores::frmHighScores(QWidget* parent) : QDialog(parent) {
    registerInstance(this);
    ui::setUpWindow(*this, ui::Frame::Dialog);
    installHighScoresAccessibility();
    setWindowTitle(QStringLiteral("Quillbox High Scores"));
    setFixedSize(ui::tw(3495), ui::tw(2550));
}

frmHighScores::~frmHighScores() = default;

void frmHighScores::showModal(QWidget* parent) {
    frmHighScores& w = instance();
    // Owned by the calling window so that it stays above it, out of the task
    // bar, and goes when that window goes.
    if (parent && w.parentWidget() != parent->window())
        w.setParent(parent->window(), w.windowFlags());
    w.exec();
}

qreal frmHighScores::columnWidth() const {
    return cellWidth(windowFont());
}

int frmHighScores::lineHeight() const {
    return QFontMetrics(windowFont()).height();
}

void frmHighScores::showScores() {
    setFont(windowFont());
    printed_.clear();
    ColumnPrinter out(font(), printed_);

    out.printAt(1, QStringLiteral("Position"), true);
    out.printAt(10, QStringLiteral("Name"), true);
    out.printAt(30, QStringLiteral("Score"), true);
    out.endLine();

    ScoreRecords records;
    try {
        records = programScoreFile().readScores();
    } catch (const ScoreFileError& e) {
        reportScoreFileError(this, e);
        return;
    }

    const QLocale locale;
    for (int i = 0; i < kScoreRecordCount; ++i) {
        const QString position = QStringLiteral(" ") + QString::number(i + 1);
        out.printAt(6 - position.size(), position, false);
        out.printAt(10, QString::fromUtf8(nameText(records[i])), false);
        const QString score = locale.toString(records[i].points);
        out.printAt(35 - score.size(), score, false);
        out.endLine();
    }
}

void frmHighScores::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    // Each showing prints the table once; a window-system show (after being
    // uncovered or restored) only repaints.
    if (!event->spontaneous())
        showScores();
}

void frmHighScores::paintEvent(QPaintEvent*) {
    QPainter p(this);
    const QFont headingFont = windowFont(true);
    const QFont lineFont = windowFont();
    const int ascent = QFontMetrics(lineFont).ascent();
    for (const PrintedText& piece : printed_) {
        p.setFont(piece.heading ? headingFont : lineFont);
        p.setPen(piece.heading ? kHeadingColor : kLineColor);
        p.drawText(piece.at + QPoint(0, ascent), piece.text);
    }
}

}  // namespace quillbox::scores
