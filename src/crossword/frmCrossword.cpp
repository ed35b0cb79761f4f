#include "crossword/frmCrossword.h"
#include "help/helpMenu.h"

#include <QCloseEvent>
#include <QFocusEvent>
#include <QGuiApplication>
#include <QLabel>
#include <QLayout>
#include <QMenuBar>
#include <QPushButton>
#include <QScreen>

#include "core/frmLaunchpad.h"
#include "core/mainMod.h"
#include "core/random.h"
#include "crossword/boardWidgets.h"
#include "ui/appearance.h"
#include "ui/dialogs.h"
#include "ui/maskedLetterBox.h"
#include "ui/twips.h"
#include "ui/windowSetup.h"

namespace quillbox::crossword {

using ui::twRect;

namespace {

const QString kTitle = QStringLiteral("Quillbox Crossword");

// Cells are 495 twips square and 480 apart, so neighbours share a border line;
// each row starts one cell further left than the row above.
QRect cellRect(int k) {
    const int row = k / 3;
    const int place = k % 3;
    return twRect(2520 - 480 * row + 480 * place, 240 + 480 * row, 495, 495);
}

QLabel* makeLabel(QWidget* parent, const QString& caption, const QRect& geometry) {
    auto* l = new QLabel(caption, parent);
    l->setGeometry(geometry);
    l->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    return l;
}

QFont cellFont() {
    return ui::classicFont(QStringLiteral("MS Serif"), 24);
}

}  // namespace

frmCrossword::frmCrossword(QWidget* parent)
    : QMainWindow(parent), board_(core::mainMod::lexicon(), core::applicationRandom()) {
    registerInstance(this);
    ui::setUpWindow(*this, ui::Frame::Fixed);
    setWindowTitle(kTitle);

    mnuFile = menuBar()->addMenu(QStringLiteral("&File"));
    mnuFileExit = mnuFile->addAction(QStringLiteral("E&xit"));
    mnuHelp = menuBar()->addMenu(QStringLiteral("&Help"));
    mnuHelpRules = mnuHelp->addAction(QStringLiteral("&Rules..."));
    mnuHelpAbout = mnuHelp->addAction(QStringLiteral("&About..."));

    auto* client = new QWidget(this);
    client->setFixedSize(ui::tw(6630), ui::tw(3405));
    setCentralWidget(client);
    // The menu bar adds to the client area; the frame follows and stays fixed.
    layout()->setSizeConstraint(QLayout::SetFixedSize);

    const QFont small = ui::classicFont(QStringLiteral("MS Sans Serif"), 8.25);

    Label1 = makeLabel(client, QStringLiteral("Current Run"), twRect(120, 120, 1335, 375));
    Label1->setFont(ui::classicFont(QStringLiteral("MS Sans Serif"), 8.25, false, true));
    lblRunCount = makeLabel(client, QString(), twRect(120, 360, 1455, 495));

    for (int k = 0; k < kCellCount; ++k) {
        lblBox[k] = new CellLabel(client);
        lblBox[k]->setGeometry(cellRect(k));
        lblBox[k]->setFont(cellFont());
        connect(lblBox[k], &CellLabel::clicked, this, [this, k] { lblBox_Click(k); });
    }

    // The clue numbers sit over their cells; clicks go through to the cell.
    auto number = [&](const QString& digit, int k) {
        const QRect c = cellRect(k);
        auto* l = new EtchedLabel(digit, client);
        l->setGeometry(QRect(c.left() + 2, c.top() + 1, ui::tw(255), ui::tw(255)));
        l->setFont(ui::classicFont(QStringLiteral("MS Sans Serif"), 8.25, true));
        l->setEnabled(false);
        l->setAttribute(Qt::WA_TransparentForMouseEvents);
        return l;
    };
    lbl1 = number(QStringLiteral("1"), 0);
    lbl2 = number(QStringLiteral("2"), 1);
    lbl3 = number(QStringLiteral("3"), 3);
    lbl4 = number(QStringLiteral("4"), 6);

    for (int k = 0; k < kCellCount; ++k) {
        mskBox[k] = new ui::MaskedLetterBox(1, client);
        mskBox[k]->setGeometry(cellRect(k));
        mskBox[k]->setFont(cellFont());
        mskBox[k]->setAlignment(Qt::AlignCenter);
        mskBox[k]->setTextMargins(0, 0, 0, 0);
        mskBox[k]->hide();
        mskBox[k]->installEventFilter(this);
    }
    // The numbers stay readable while a letter is being typed under them.
    for (QLabel* l : {lbl1, lbl2, lbl3, lbl4})
        l->raise();

    lblAcross = makeLabel(client, QStringLiteral("Across"), twRect(120, 1680, 735, 255));
    lblAcross->setFont(ui::classicFont(QStringLiteral("MS Sans Serif"), 8.25, true, true));
    lbl1A = makeLabel(client, QStringLiteral("1."), twRect(120, 1920, 255, 255));
    lbl3A = makeLabel(client, QStringLiteral("3."), twRect(120, 2400, 255, 255));
    lbl4A = makeLabel(client, QStringLiteral("4."), twRect(120, 2880, 255, 255));
    lbl1Adef = makeLabel(client, QString(), twRect(360, 1920, 2775, 495));
    lbl3Adef = makeLabel(client, QString(), twRect(360, 2400, 2775, 495));
    lbl4Adef = makeLabel(client, QString(), twRect(360, 2880, 2775, 495));

    lblDown = makeLabel(client, QStringLiteral("Down"), twRect(3360, 1680, 615, 255));
    lblDown->setFont(lblAcross->font());
    lbl1D = makeLabel(client, QStringLiteral("1."), twRect(3360, 1920, 255, 255));
    lbl2D = makeLabel(client, QStringLiteral("2."), twRect(3360, 2400, 255, 255));
    lbl3D = makeLabel(client, QStringLiteral("3."), twRect(3360, 2880, 255, 255));
    lbl1Ddef = makeLabel(client, QString(), twRect(3600, 1920, 2775, 495));
    lbl2Ddef = makeLabel(client, QString(), twRect(3600, 2400, 2775, 495));
    lbl3Ddef = makeLabel(client, QString(), twRect(3600, 2880, 2775, 495));
    for (QLabel* l : {lbl1Adef, lbl3Adef, lbl4Adef, lbl1Ddef, lbl2Ddef, lbl3Ddef}) {
        l->setWordWrap(true);
        l->setFont(small);
    }

    cmdGenerate = new WrappingButton(QStringLiteral("&Generate Crossword"), client);
    cmdGenerate->setGeometry(twRect(5040, 120, 1215, 495));
    cmdCheckSolution = new WrappingButton(QStringLiteral("&Check Solution"), client);
    cmdCheckSolution->setGeometry(twRect(5040, 720, 1215, 495));
    cmdShowSolution = new WrappingButton(QStringLiteral("&Show Solution"), client);
    cmdShowSolution->setGeometry(twRect(5040, 1320, 1215, 495));

    connect(cmdGenerate, &QPushButton::clicked, this, &frmCrossword::cmdGenerate_Click);
    connect(cmdCheckSolution, &QPushButton::clicked, this, &frmCrossword::cmdCheckSolution_Click);
    connect(cmdShowSolution, &QPushButton::clicked, this, &frmCrossword::cmdShowSolution_Click);
    connect(mnuFileExit, &QAction::triggered, this, &frmCrossword::mnuFileExit_Click);
    connect(mnuHelpRules, &QAction::triggered, this, &frmCrossword::mnuHelpRules_Click);
    connect(mnuHelpAbout, &QAction::triggered, this, &frmCrossword::mnuHelpAbout_Click);

    showBoard();
}

frmCrossword::~frmCrossword() = default;

void frmCrossword::cmdGenerate_Click() {
    commitOpenEntry();
    board_.generate();
    showBoard();
}

void frmCrossword::cmdCheckSolution_Click() {
    commitOpenEntry();
    board_.check(
        [this] { ui::dialogs().message(this, QStringLiteral("Correct Solution!"), kTitle); });
    showBoard();
}

void frmCrossword::cmdShowSolution_Click() {
    commitOpenEntry();
    board_.reveal();
    showBoard();
}

void frmCrossword::lblBox_Click(int index) {
    // At most one entry box is open: another one commits first.
    if (openCell_ != index)
        commitOpenEntry();
    if (!board_.openCell(index))
        return;
    showCell(index);
    lblBox[index]->hide();
    openCell_ = index;
    mskBox[index]->show();
    mskBox[index]->setFocus(Qt::MouseFocusReason);
}

void frmCrossword::mskBox_GotFocus(int index) {
    // The cell's earlier letter is not offered for editing.
    mskBox[index]->clear();
    mskBox[index]->setCursorPosition(0);
}

void frmCrossword::mskBox_LostFocus(int index) {
    if (openCell_ == index)
        commitEntry(index);
}

void frmCrossword::mnuFileExit_Click() {
    close();
}

void frmCrossword::mnuHelpRules_Click() {
    quillbox::help::openRulesViewer(this);
}

void frmCrossword::mnuHelpAbout_Click() {
    quillbox::help::showAboutBox(this);
}

bool frmCrossword::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::FocusIn || event->type() == QEvent::FocusOut) {
        for (int k = 0; k < kCellCount; ++k) {
            if (watched != mskBox[k])
                continue;
            // Switching to another window or opening a menu leaves the letter
            // being typed where it is; coming back must not erase it.
            const auto reason = static_cast<QFocusEvent*>(event)->reason();
            if (reason == Qt::ActiveWindowFocusReason || reason == Qt::PopupFocusReason)
                break;
            if (event->type() == QEvent::FocusIn)
                mskBox_GotFocus(k);
            else
                mskBox_LostFocus(k);
            break;
        }
    }
    return QMainWindow::eventFilter(watched, event);
}

void frmCrossword::commitEntry(int index) {
    openCell_ = -1;
    board_.commitCell(index, mskBox[index]->letters().toStdString());
    showCell(index);
    lblBox[index]->show();
    mskBox[index]->hide();
}

void frmCrossword::commitOpenEntry() {
    if (openCell_ >= 0)
        commitEntry(openCell_);
}

void frmCrossword::showCell(int index) {
    const Cell& c = board_.cell(index);
    lblBox[index]->setText(QString::fromStdString(c.caption));
    switch (c.color) {
        case CellColor::SystemWindow:
            lblBox[index]->setBackground(palette().color(QPalette::Base));
            break;
        case CellColor::White:
            lblBox[index]->setBackground(QColor(255, 255, 255));
            break;
        case CellColor::Red:
            lblBox[index]->setBackground(QColor(255, 0, 0));
            break;
    }
    lblBox[index]->setEnabled(board_.cellsEnabled());
}

void frmCrossword::showClue(QLabel* label, Entry entry) {
    label->setText(QString::fromStdString(board_.clue(entry)));
}

void frmCrossword::showBoard() {
    cmdGenerate->setEnabled(board_.generateEnabled());
    cmdCheckSolution->setEnabled(board_.checkEnabled());
    cmdShowSolution->setEnabled(board_.showEnabled());
    for (int k = 0; k < kCellCount; ++k)
        showCell(k);
    showClue(lbl1Adef, kAcross1);
    showClue(lbl3Adef, kAcross3);
    showClue(lbl4Adef, kAcross4);
    showClue(lbl1Ddef, kDown1);
    showClue(lbl2Ddef, kDown2);
    showClue(lbl3Ddef, kDown3);
    lblRunCount->setText(QString::fromStdString(board_.runText()));
}

void frmCrossword::closeEvent(QCloseEvent* event) {
    // The run goes with the window; the launch pad comes back.
    event->accept();
    core::frmLaunchpad::instance().show();
}

}  // namespace quillbox::crossword
