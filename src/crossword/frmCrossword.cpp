#include "crossword/frmCrossword.h"
#include "help/helpMenu.h"

#include <QCloseEvent>
#include <QFocusEvent>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QLabel>
#include <QLayout>
#include <QMenuBar>
#include <QPushButton>
#include <QRegularExpression>
#include <algorithm>
#include <optional>
#include <vector>

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

template <class W, std::size_t N>
int indexIn(const std::array<W*, N>& widgets, const QObject* w) {
    for (std::size_t k = 0; k < N; ++k)
        if (widgets[k] == w)
            return static_cast<int>(k);
    return -1;
}

std::optional<Arrow> arrowFor(int key) {
    switch (key) {
        case Qt::Key_Left:
            return Arrow::Left;
        case Qt::Key_Right:
            return Arrow::Right;
        case Qt::Key_Up:
            return Arrow::Up;
        case Qt::Key_Down:
            return Arrow::Down;
        default:
            return std::nullopt;
    }
}

// Keys with Ctrl, Alt or Meta belong to the access keys and the menus.
bool isCommandKey(const QKeyEvent& key) {
    return (key.modifiers() & (Qt::ControlModifier | Qt::AltModifier | Qt::MetaModifier)) != 0;
}

QString directionName(Direction d) {
    return d == Direction::Across ? QStringLiteral("across") : QStringLiteral("down");
}

// What a screen reader says of a cell's place: "1 across, letter 2; 2 down, letter 1".
QString placeText(int cell) {
    QStringList places;
    for (const Direction d : {Direction::Across, Direction::Down})
        if (const auto p = placeOf(cell, d))
            places << QStringLiteral("%1 %2, letter %3")
                          .arg(shapeOf(p->entry).number)
                          .arg(directionName(d))
                          .arg(p->letter);
    return places.join(QStringLiteral("; "));
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
        lblBox[k]->installEventFilter(this);
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
        mskBox[k]->hide();
        mskBox[k]->installEventFilter(this);
        mskBox[k]->setAccessibleName(placeText(k));
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
    // A clue label is read by its text; the description says whose clue it is.
    for (const auto& [label, entry] : clueLabels())
        label->setAccessibleDescription(QStringLiteral("Clue for %1 %2")
                                            .arg(shapeOf(entry).number)
                                            .arg(directionName(shapeOf(entry).direction)));
    lblRunCount->setAccessibleDescription(Label1->text());

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

    // The keyboard starts on Generate, as the first control that takes it.
    cmdGenerate->setFocus();
    render();
}

frmCrossword::~frmCrossword() = default;

void frmCrossword::cmdGenerate_Click() {
    commitOpenEntry();
    board_.generate();
    render();
}

void frmCrossword::cmdCheckSolution_Click() {
    commitOpenEntry();
    board_.check(
        [this] { ui::dialogs().message(this, QStringLiteral("Correct Solution!"), kTitle); });
    render();
}

void frmCrossword::cmdShowSolution_Click() {
    commitOpenEntry();
    board_.reveal();
    render();
}

void frmCrossword::lblBox_Click(int index) {
    // At most one entry box is open: another one commits first.
    if (editedCell_ != index)
        commitOpenEntry();
    if (!board_.openCell(index))
        return;
    renderCell(index);
    editedCell_ = index;
    mskBox[index]->show();
    mskBox[index]->setFocus(Qt::MouseFocusReason);
    // Hidden only now: a focused cell that hid first would pass the focus on.
    lblBox[index]->hide();
}

void frmCrossword::mskBox_GotFocus(int index) {
    // The cell's earlier letter is not offered for editing.
    mskBox[index]->clear();
    mskBox[index]->setCursorPosition(0);
}

void frmCrossword::mskBox_LostFocus(int index) {
    if (editedCell_ == index)
        commitEntry(index);
}

bool frmCrossword::lblBox_KeyDown(int index, const QKeyEvent& key) {
    if (isCommandKey(key))
        return false;
    if (const auto arrow = arrowFor(key.key())) {
        typingDirection_ =
            *arrow == Arrow::Up || *arrow == Arrow::Down ? Direction::Down : Direction::Across;
        lblBox[arrowMove(index, *arrow)]->setFocus(Qt::OtherFocusReason);
        return true;
    }
    const int back = typingMove(index, typingDirection_, false);
    switch (key.key()) {
        case Qt::Key_Backspace:
            // On an empty cell Backspace takes back the letter before it.
            fillCell(board_.cell(index).caption.empty() ? back : index, {});
            lblBox[back]->setFocus(Qt::OtherFocusReason);
            return true;
        case Qt::Key_Delete:
            fillCell(index, {});
            return true;
        case Qt::Key_Space:
        case Qt::Key_Return:
        case Qt::Key_Enter:
        case Qt::Key_F2:
            lblBox_Click(index);
            return true;
        default:
            break;
    }
    static const QRegularExpression letter(QStringLiteral("^[A-Za-z]$"));
    if (!letter.match(key.text()).hasMatch())
        return false;
    fillCell(index, key.text());
    lblBox[typingMove(index, typingDirection_, true)]->setFocus(Qt::OtherFocusReason);
    return true;
}

bool frmCrossword::mskBox_KeyDown(int index, const QKeyEvent& key) {
    if (isCommandKey(key))
        return false;
    // Enter and Escape close the box onto its cell; an arrow closes it and
    // moves on. The label shows first so that it can take the focus, whose
    // loss commits the box.
    switch (key.key()) {
        case Qt::Key_Return:
        case Qt::Key_Enter:
        case Qt::Key_Escape:
            lblBox[index]->show();
            lblBox[index]->setFocus(Qt::OtherFocusReason);
            return true;
        default:
            break;
    }
    if (!arrowFor(key.key()))
        return false;
    lblBox[index]->show();
    return lblBox_KeyDown(index, key);
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
    const int cell = indexIn(lblBox, watched);
    const int box = indexIn(mskBox, watched);
    if (event->type() == QEvent::KeyPress) {
        const auto& key = *static_cast<QKeyEvent*>(event);
        if ((cell >= 0 && lblBox_KeyDown(cell, key)) || (box >= 0 && mskBox_KeyDown(box, key)))
            return true;
    }
    if (box >= 0 && (event->type() == QEvent::FocusIn || event->type() == QEvent::FocusOut)) {
        // Switching to another window or opening a menu leaves the letter
        // being typed where it is; coming back must not erase it.
        const auto reason = static_cast<QFocusEvent*>(event)->reason();
        if (reason != Qt::ActiveWindowFocusReason && reason != Qt::PopupFocusReason) {
            if (event->type() == QEvent::FocusIn)
                mskBox_GotFocus(box);
            else
                mskBox_LostFocus(box);
        }
    }
    return QMainWindow::eventFilter(watched, event);
}

bool frmCrossword::focusNextPrevChild(bool next) {
    // The grid is one stop of the Tab order, before the buttons.
    std::vector<QWidget*> stops;
    const int entry = firstOpenCell();
    if (entry >= 0)
        stops.push_back(lblBox[entry]);
    stops.insert(stops.end(), {cmdGenerate, cmdCheckSolution, cmdShowSolution});
    // A control may be disabled while render() is halfway through.
    std::erase_if(stops, [](QWidget* w) { return !w->isEnabled(); });
    if (stops.empty())
        return false;
    QWidget* f = focusWidget();
    auto at = std::find(stops.begin(), stops.end(), f) - stops.begin();
    if (indexIn(lblBox, f) >= 0 || indexIn(mskBox, f) >= 0)
        at = 0;
    const auto n = static_cast<long>(stops.size());
    const auto to = at == n ? (next ? 0 : n - 1) : (at + (next ? 1 : n - 1)) % n;
    stops[static_cast<std::size_t>(to)]->setFocus(next ? Qt::TabFocusReason
                                                       : Qt::BacktabFocusReason);
    return true;
}

int frmCrossword::firstOpenCell() const {
    if (!board_.cellsEnabled())
        return -1;
    for (int k = 0; k < kCellCount; ++k)
        if (board_.cell(k).caption.empty() || board_.cell(k).color == CellColor::Red)
            return k;
    return 0;
}

void frmCrossword::fillCell(int index, const QString& letters) {
    if (!board_.openCell(index))
        return;
    board_.commitCell(index, letters.toStdString());
    renderCell(index);
}

void frmCrossword::commitEntry(int index) {
    editedCell_ = -1;
    board_.commitCell(index, mskBox[index]->letters().toStdString());
    renderCell(index);
    lblBox[index]->show();
    mskBox[index]->hide();
}

void frmCrossword::commitOpenEntry() {
    if (editedCell_ >= 0)
        commitEntry(editedCell_);
}

void frmCrossword::renderCell(int index) {
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

    // A screen reader hears the cell's place and state, then its clues.
    QString state = c.caption.empty() ? QStringLiteral("empty") : QString::fromStdString(c.caption);
    if (c.color == CellColor::Red)
        state += QStringLiteral(", marked wrong");
    lblBox[index]->setAccessibleName(placeText(index) + QStringLiteral(": ") + state);
    QStringList clues;
    for (const Direction d : {Direction::Across, Direction::Down}) {
        const auto p = placeOf(index, d);
        if (p && !board_.clue(p->entry).empty())
            clues << QStringLiteral("%1 %2: %3")
                         .arg(shapeOf(p->entry).number)
                         .arg(directionName(d), QString::fromStdString(board_.clue(p->entry)));
    }
    lblBox[index]->setAccessibleDescription(clues.join(QLatin1Char(' ')));
}

std::array<std::pair<QLabel*, Entry>, kEntryCount> frmCrossword::clueLabels() const {
    return {{{lbl1Adef, kAcross1},
             {lbl3Adef, kAcross3},
             {lbl4Adef, kAcross4},
             {lbl1Ddef, kDown1},
             {lbl2Ddef, kDown2},
             {lbl3Ddef, kDown3}}};
}

void frmCrossword::render() {
    // Cells before buttons: a button that loses the focus as it is disabled
    // passes it to the grid only once the grid's cells are enabled.
    for (int k = 0; k < kCellCount; ++k)
        renderCell(k);
    cmdGenerate->setEnabled(board_.generateEnabled());
    cmdCheckSolution->setEnabled(board_.checkEnabled());
    cmdShowSolution->setEnabled(board_.showEnabled());
    for (const auto& [label, entry] : clueLabels())
        label->setText(QString::fromStdString(board_.clue(entry)));
    lblRunCount->setText(QString::fromStdString(board_.runText()));
}

void frmCrossword::closeEvent(QCloseEvent*) {
    // Never refused. The run goes with the window; the launch pad comes back.
    core::frmLaunchpad::instance().show();
}

}  // namespace quillbox::crossword
