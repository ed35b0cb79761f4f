#include "classic/frmMain.h"

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QCloseEvent>
#include <QGraphicsOpacityEffect>
#include <QGuiApplication>
#include <QLabel>
#include <QLayout>
#include <QLocale>
#include <QMenuBar>
#include <QMouseEvent>
#include <QPrinter>
#include <QPushButton>
#include <QScreen>
#include <QScrollBar>
#include <QTextCursor>
#include <QTimer>

#include "classic/classicGame.h"
#include "classic/rackWidgets.h"
#include "core/frmLaunchpad.h"
#include "core/mainMod.h"
#include "help/helpMenu.h"
#include "scores/frmHighScores.h"
#include "scores/programScoreTable.h"
#include "ui/appearance.h"
#include "ui/dialogs.h"
#include "ui/richTextBox.h"
#include "ui/twips.h"
#include "ui/windowSetup.h"

namespace quillbox::classic {

using ui::tw;
using ui::twRect;

namespace {

// The system "application workspace" colour the window is painted in.
const QColor kAppWorkspace = QColor(171, 171, 171);

QColor toQColor(Rgb c) {
    return QColor(c.red, c.green, c.blue);
}

QString qs(const std::string& s) {
    return QString::fromStdString(s);
}

QLabel* makeLabel(QWidget* parent, const QString& text, const QRect& geometry, bool bold,
                  bool underline, const QString& tip, bool transparent = false) {
    auto* l = new QLabel(text, parent);
    l->setGeometry(geometry);
    l->setFont(ui::classicFont(QStringLiteral("MS Sans Serif"), 8.25, bold, underline));
    l->setAlignment(Qt::AlignHCenter | Qt::AlignTop);
    l->setToolTip(tip);
    if (!transparent) {
        // Labels are opaque in the button-face colour unless made transparent.
        l->setAutoFillBackground(true);
        QPalette pal = l->palette();
        pal.setColor(QPalette::Window, QApplication::palette().color(QPalette::Button));
        l->setPalette(pal);
    }
    return l;
}

// Leading and trailing blanks only, as the selection handlers trim.
QString trimBlanks(const QString& s) {
    qsizetype b = 0;
    qsizetype e = s.size();
    while (b < e && s[b] == QLatin1Char(' '))
        ++b;
    while (e > b && s[e - 1] == QLatin1Char(' '))
        --e;
    return s.mid(b, e - b);
}

bool looksLikeWord(const QString& s) {
    return (s.size() == 2 || s.size() == 3) && s[0] >= QLatin1Char('A') && s[0] <= QLatin1Char('Z');
}

// Fills the emptied list box with the legal plays in one go. A list can hold
// twenty thousand lines, far too many to compose one by one; the result is the
// same as appending each line in black with its blank letters underlined,
// followed by the six empty lines.
void fillListBox(ui::RichTextBox& box, const LegalPlayList& list) {
    const ListContent lines = listContent(list, "\n");
    ui::FormattedText content;
    content.baseFormat.setForeground(QColor(0, 0, 0));
    QTextCharFormat underlined = content.baseFormat;
    underlined.setFontUnderline(true);
    content.formats.push_back(underlined);
    content.text =
        QString::fromLatin1(lines.text.data(), static_cast<qsizetype>(lines.text.size()));
    content.stretches.reserve(lines.underlined.size());
    for (int u : lines.underlined)
        content.stretches.push_back({u, 1, 0});
    box.setFormattedText(std::move(content));
    // The caret ends after the list, as after any append, but the player
    // reads the list from its first play.
    box.moveCursor(QTextCursor::End);
    box.verticalScrollBar()->setValue(0);
}

}  // namespace

frmMain::frmMain(QWidget* parent) : QMainWindow(parent), finder_(core::mainMod::lexicon()) {
    registerInstance(this);
    ui::setUpWindow(*this, ui::Frame::Fixed);
    setWindowTitle(QStringLiteral("Quillbox"));

    scores_ = std::make_unique<quillbox::scores::ProgramScoreTable>(this);
    game_ = std::make_unique<ClassicGame>(static_cast<ClassicPort&>(*this), *scores_);

    buildControls();
    buildMenus();
    layout()->setSizeConstraint(QLayout::SetFixedSize);
    render();
}

frmMain::~frmMain() = default;

void frmMain::buildControls() {
    client = new QWidget(this);
    client->setFixedSize(tw(6375), tw(3780));
    client->setAutoFillBackground(true);
    QPalette pal = client->palette();
    pal.setColor(QPalette::Window, kAppWorkspace);
    client->setPalette(pal);
    setCentralWidget(client);

    // Created in Tab order: the buttons, Learn Mode, the rack, then the tally
    // sheet and the list. Learn Mode comes before the rack: when Start Game and
    // Learn Mode disable themselves after a key press, the focus moves on to the
    // rack, ready to play.
    auto makeButton = [this](const QString& text, const QRect& g, const QString& tip) {
        auto* b = new QPushButton(text, client);
        b->setGeometry(g);
        b->setToolTip(tip);
        return b;
    };
    cmdPlayWord = makeButton(QStringLiteral("&Play Word"), twRect(2640, 2040, 1215, 495),
                             QStringLiteral("Play the currently selected word"));
    cmdDrawTiles = makeButton(QStringLiteral("&Draw Tiles"), twRect(2640, 2640, 1215, 495),
                              QStringLiteral("Draw letter tiles from the bag"));
    cmdStartGame = makeButton(QStringLiteral("&Start Game"), twRect(2640, 3240, 1215, 495),
                              QStringLiteral("Start a new game"));

    chkLearnMode = new WrappingCheckBox(QStringLiteral("&Learn Mode"), client);
    chkLearnMode->setGeometry(twRect(3960, 3240, 855, 495));
    chkLearnMode->setToolTip(QStringLiteral("Toggle Learn Mode off and on"));
    chkLearnMode->setChecked(true);

    // Stacking from the bottom: gaps, then tiles, then markers.
    for (int k = 0; k < 11; ++k) {
        auto* gap = new QLabel(client);
        gap->setGeometry(twRect(k == 0 ? 0 : 600 * k - 120, 360, 615, 975));
        gap->setAttribute(Qt::WA_TranslucentBackground);
        lblSpacer[static_cast<std::size_t>(k)] = gap;
    }
    const QFont tileFont = ui::classicFont(QStringLiteral("Arial"), 21.75);
    rack = new RackView(client);
    rack->setGeometry(twRect(240, 600, 600 * 9 + 495, 495));
    rack->installEventFilter(this);
    for (int i = 0; i < 10; ++i) {
        TileLabel* tile = rack->tile(i);
        tile->setFont(tileFont);
        tile->installEventFilter(this);
        lblTile[static_cast<std::size_t>(i)] = tile;
    }
    const QPixmap hand = insertMarkerPixmap();
    for (int k = 0; k < 11; ++k) {
        auto* marker = new QLabel(client);
        marker->setGeometry(twRect(120 + 600 * k, 1080, 240, 240));
        marker->setPixmap(hand);
        marker->setScaledContents(true);
        marker->setAttribute(Qt::WA_TransparentForMouseEvents);
        marker->hide();
        marker->setAccessibleName(k < 10
                                      ? QStringLiteral("insertion point before slot %1").arg(k + 1)
                                      : QStringLiteral("insertion point after slot 10"));
        imgSpacer[static_cast<std::size_t>(k)] = marker;
    }

    const QFont fixed = ui::classicFont(QStringLiteral("Fixedsys"), 9);
    rtfPlays = new ui::RichTextBox(client);
    rtfPlays->setGeometry(twRect(120, 1440, 1575, 1695));
    rtfPlays->setFont(fixed);
    rtfPlays->setReadOnly(true);
    rtfPlays->setToolTip(QStringLiteral("Tally sheet of words played and scoring"));
    rtfPlays->setAccessibleName(QStringLiteral("Tally sheet"));

    lblDefinition = makeLabel(client, QString(), twRect(1800, 1440, 2775, 495), false, false,
                              QStringLiteral("Definition of currently selected letters"));
    lblDefinition->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    lblDefinition->setWordWrap(true);

    rtfHidden = new ui::RichTextBox(client);
    rtfHidden->setGeometry(twRect(1800, 2160, 735, 255));
    rtfHidden->hide();

    rtfPotentials = new ui::RichTextBox(client);
    rtfPotentials->setGeometry(twRect(4680, 1440, 1575, 1695));
    rtfPotentials->setFont(fixed);
    rtfPotentials->setReadOnly(true);
    rtfPotentials->setToolTip(QStringLiteral("List of legal plays to clear the rack"));
    rtfPotentials->setAccessibleName(QStringLiteral("Legal plays"));

    Label1 = makeLabel(client, QStringLiteral("Letters in Bag"), twRect(240, 3240, 1335, 255), true,
                       true, QStringLiteral("Number of letter tiles remaining in bag"));
    lblBagCount = makeLabel(client, QStringLiteral("100"), twRect(600, 3480, 615, 255), true, false,
                            QStringLiteral("Number of letter tiles remaining in bag"));
    Label2 = makeLabel(client, QStringLiteral("Points"), twRect(1800, 3240, 615, 255), true, true,
                       QStringLiteral("Points scored thus far in the current game"));
    lblPoints = makeLabel(client, QStringLiteral("0"), twRect(1800, 3480, 615, 255), true, false,
                          QStringLiteral("Points scored thus far in the current game"));
    const QString countdownTip =
        QStringLiteral("The computer counts down to 0 while it determines legal plays");
    lblCountdown2 = makeLabel(client, QStringLiteral("Countdown"), twRect(4800, 3240, 1335, 255),
                              true, true, countdownTip, true);
    lblCountdown = makeLabel(client, QStringLiteral("5000"), twRect(4920, 3480, 1095, 255), true,
                             false, countdownTip, true);

    dragGhost_ = new TileLabel(client);
    dragGhost_->resize(tw(495), tw(495));
    dragGhost_->setFont(tileFont);
    dragGhost_->setAttribute(Qt::WA_TransparentForMouseEvents);
    // See-through, so the target's border and letter show under it; laid on
    // as one picture, so nothing shows through twice where strokes overlap.
    auto* seeThrough = new QGraphicsOpacityEffect(dragGhost_);
    seeThrough->setOpacity(0.6);
    dragGhost_->setGraphicsEffect(seeThrough);
    dragGhost_->setAccessibleName(QStringLiteral("dragged tile"));
    dragGhost_->hide();

    connect(cmdStartGame, &QPushButton::clicked, this, &frmMain::cmdStartGame_Click);
    connect(cmdDrawTiles, &QPushButton::clicked, this, &frmMain::cmdDrawTiles_Click);
    connect(cmdPlayWord, &QPushButton::clicked, this, &frmMain::cmdPlayWord_Click);
    connect(chkLearnMode, &QCheckBox::clicked, this, &frmMain::chkLearnMode_Click);
    connect(rtfPlays, &ui::RichTextBox::mouseUp, this, &frmMain::rtfPlays_MouseUp);
    connect(rtfPotentials, &ui::RichTextBox::mouseUp, this, &frmMain::rtfPotentials_MouseUp);
}

void frmMain::buildMenus() {
    QMenu* file = menuBar()->addMenu(QStringLiteral("&File"));
    mnuFileHighScores = file->addAction(QStringLiteral("&High Scores..."));
    mnuFileSaveResults = file->addAction(QStringLiteral("&Save Tally Sheet As..."));
    mnuFilePrintResults = file->addAction(QStringLiteral("&Print Tally Sheet..."));
    mnuFileExit = file->addAction(QStringLiteral("E&xit"));
    QMenu* help = menuBar()->addMenu(QStringLiteral("&Help"));
    mnuHelpRules = help->addAction(QStringLiteral("&Rules..."));
    mnuHelpAbout = help->addAction(QStringLiteral("&About..."));

    connect(mnuFileHighScores, &QAction::triggered, this, &frmMain::mnuFileHighScores_Click);
    connect(mnuFileSaveResults, &QAction::triggered, this, &frmMain::mnuFileSaveResults_Click);
    connect(mnuFilePrintResults, &QAction::triggered, this, &frmMain::mnuFilePrintResults_Click);
    connect(mnuFileExit, &QAction::triggered, this, &frmMain::mnuFileExit_Click);
    connect(mnuHelpRules, &QAction::triggered, this, &frmMain::mnuHelpRules_Click);
    connect(mnuHelpAbout, &QAction::triggered, this, &frmMain::mnuHelpAbout_Click);
}

void frmMain::render() {
    const ClassicGame& g = *game_;
    const Rack& onRack = g.rack();
    const int tiles = onRack.rackCount();
    int ordinal = 0;
    for (int i = 0; i < 10; ++i) {
        const RackSlot& s = onRack.slot(i);
        TileLabel* t = lblTile[static_cast<std::size_t>(i)];
        const QString letter = s.occupied ? QString(QChar(s.letter)) : QString();
        t->setTile(s.occupied, letter, s.selected(), s.blank);
        t->setBorder(onRack.hasBorder(i));
        if (s.occupied) {
            ++ordinal;
            t->setAccessibleName(
                QStringLiteral("tile %1 of %2, %3%4")
                    .arg(ordinal)
                    .arg(tiles)
                    .arg(s.blank ? QStringLiteral("blank shown as ") + letter : letter)
                    .arg(s.selected() ? QStringLiteral(", selected") : QString()));
        } else {
            t->setAccessibleName(QStringLiteral("empty slot"));
        }
    }
    for (int k = 0; k < 11; ++k)
        imgSpacer[static_cast<std::size_t>(k)]->setVisible(onRack.markerVisible(k));

    cmdStartGame->setEnabled(g.startGameEnabled());
    cmdDrawTiles->setEnabled(g.drawTilesEnabled());
    cmdPlayWord->setEnabled(g.playWordEnabled());
    chkLearnMode->setEnabled(g.learnModeEnabled());
    lblPoints->setText(qs(g.pointsText()));
    lblBagCount->setText(qs(g.bagCountText()));
    ui::setWrappedText(*lblDefinition, qs(g.definitionText()), tw(495));

    const bool learn = g.learnWidgetsVisible();
    lblDefinition->setVisible(learn);
    rtfPotentials->setVisible(learn);
    lblCountdown2->setVisible(learn);
    lblCountdown->setVisible(learn);
}

// ---- Buttons, check box and menus -------------------------------------------------------

void frmMain::cmdStartGame_Click() {
    game_->startGame();
}
void frmMain::cmdDrawTiles_Click() {
    game_->drawTiles();
}
void frmMain::cmdPlayWord_Click() {
    game_->playWord();
}

void frmMain::chkLearnMode_Click() {
    const Qt::CheckState s = chkLearnMode->checkState();
    game_->setLearnMode(s == Qt::Checked            ? LearnMode::On
                        : s == Qt::PartiallyChecked ? LearnMode::Undetermined
                                                    : LearnMode::Off);
}

void frmMain::mnuFileHighScores_Click() {
    showHighScores();
}

void frmMain::mnuFileSaveResults_Click() {
    // Any failure ends the command silently: nothing saved, nothing changed.
    const QString path = ui::dialogs().saveFileName(this, QStringLiteral("Rich Text Files (*.rtf)"),
                                                    QStringLiteral("rtf"));
    if (path.isEmpty())
        return;
    try {
        rtfPlays->saveFile(path);
    } catch (const std::exception&) {
    }
}

void frmMain::mnuFilePrintResults_Click() {
    QPrinter printer;
    if (!ui::dialogs().choosePrinter(this, printer))
        return;
    try {
        rtfPlays->selPrint(printer);
    } catch (const std::exception&) {
    }
}

void frmMain::mnuFileExit_Click() {
    close();
}
void frmMain::mnuHelpRules_Click() {
    quillbox::help::openRulesViewer(this);
}
void frmMain::mnuHelpAbout_Click() {
    quillbox::help::showAboutBox(this);
}

void frmMain::rtfPlays_MouseUp() {
    const QString s = trimBlanks(rtfPlays->selText());
    if (looksLikeWord(s))
        game_->showDefinition(s.toStdString());
}

void frmMain::rtfPotentials_MouseUp() {
    const QString s = trimBlanks(rtfPotentials->selText());
    if (looksLikeWord(s))
        game_->showDefinition(s.toStdString());
}

void frmMain::closeEvent(QCloseEvent* event) {
    if (game_->gameInProgress() &&
        !ui::dialogs().askYesNo(
            this, QStringLiteral("A game is in progress!\r\nDo you really want to exit?"),
            QStringLiteral("Exit Quillbox?"))) {
        event->ignore();
        return;
    }
    scores::frmHighScores::unload();
    event->accept();
    core::frmLaunchpad::instance().show();
}

// ---- What the game asks of the window ------------------------------------------------

void frmMain::message(const std::string& text, const std::string& title) {
    ui::dialogs().message(this, qs(text), qs(title));
}

std::string frmMain::input(const std::string& prompt, const std::string& title,
                           const std::string& defaultAnswer) {
    return ui::dialogs().input(this, qs(prompt), qs(title), qs(defaultAnswer)).toStdString();
}

std::string frmMain::pointsText(int points) const {
    return QLocale().toString(points).toStdString();
}

void frmMain::clearTally() {
    rtfPlays->setText(QString());
}

void frmMain::appendTally(const TallyEntry& entry) {
    appendFormatted(*rtfPlays, qs(entry.line), toQColor(entry.color), entry.blankIndex1,
                    entry.blankIndex2);
}

void frmMain::appendFormatted(ui::RichTextBox& target, const QString& text,
                              std::optional<QColor> color, int u1, int u2) {
    // The hidden box is empty between calls, so the text goes in at 0.
    rtfHidden->setSelText(text);
    for (int u : {u1, u2}) {
        if (u == -1)
            continue;
        rtfHidden->setSelStart(u);
        rtfHidden->setSelLength(1);
        rtfHidden->setSelUnderline(true);
    }
    rtfHidden->setSelStart(0);
    rtfHidden->setSelLength(rtfHidden->textLength());
    if (color)
        rtfHidden->setSelColor(*color);
    target.setSelStart(target.textLength());
    target.setSelText(rtfHidden->textRTF());
    rtfHidden->setTextRTF(QString());
    target.setSelStart(target.textLength());
}

void frmMain::findLegalPlays(const Rack& rack) {
    rtfPotentials->setText(QString());
    const LegalPlayList& list = finder_.find(rack.tileString(), [this](int value) {
        lblCountdown->setText(QString::number(value));
        lblCountdown->repaint();
    });
    fillListBox(*rtfPotentials, list);
}

void frmMain::showHighScores() {
    scores::frmHighScores::showModal(this);
}

// ---- Keys on the rack --------------------------------------------------------------------

bool frmMain::rackKeyPress(const QKeyEvent& key) {
    const int at = rack->cursorSlot();
    const Qt::KeyboardModifiers mods = key.modifiers() & ~Qt::KeypadModifier;
    const bool sideways = key.key() == Qt::Key_Left || key.key() == Qt::Key_Right;
    if (mods == Qt::ControlModifier && sideways) {
        moveTileByKey(at, key.key() == Qt::Key_Left ? -1 : 1);
        return true;
    }
    // Anything with Alt, Ctrl or Meta belongs to the access keys and menus.
    if (mods != Qt::NoModifier && mods != Qt::ShiftModifier)
        return false;
    switch (key.key()) {
        case Qt::Key_Space:
            game_->toggleTile(at);
            return true;
        case Qt::Key_Backspace:
            if (const int i = game_->unselectLast(); i >= 0)
                rack->setCursorSlot(i);
            return true;
        case Qt::Key_Return:
        case Qt::Key_Enter:
            if (!cmdPlayWord->isEnabled())
                return false;
            cmdPlayWord_Click();
            return true;
        case Qt::Key_F2:
            game_->relabelBlank(at);
            return true;
        default:
            break;
    }
    const QString text = key.text();
    if (text.size() != 1 || text[0].toUpper() < QLatin1Char('A') ||
        text[0].toUpper() > QLatin1Char('Z'))
        return false;
    if (const int i = game_->selectLetter(text[0].toLatin1()); i >= 0)
        rack->setCursorSlot(i);
    return true;
}

void frmMain::moveTileByKey(int from, int step) {
    const int to = from + step;
    if (to < 0 || to > 9 || !game_->canPickUp(from))
        return;
    // Over the far half of the neighbour, as a mouse carries a tile past it.
    const double x = kTileWidthTwips * (step == 1 ? 0.75 : 0.25);
    game_->hoverSlot(to, DragState::Enter, x);
    rack->setCursorSlot(game_->dropOnSlot(to, from));
}

// ---- Drag and drop on the rack --------------------------------------------------------

QRect frmMain::slotRect(int i) const {
    const TileLabel* t = lblTile[static_cast<std::size_t>(i)];
    return {t->mapTo(client, QPoint(0, 0)), t->size()};
}

int frmMain::tileAt(const QPoint& p) const {
    for (int i = 0; i < 10; ++i)
        if (slotRect(i).contains(p))
            return i;
    return -1;
}

int frmMain::gapAt(const QPoint& p) const {
    // Later gaps lie above earlier ones where they overlap.
    for (int k = 10; k >= 0; --k)
        if (lblSpacer[static_cast<std::size_t>(k)]->geometry().contains(p))
            return k;
    return -1;
}

frmMain::Target frmMain::targetAt(const QPoint& p) const {
    // Tiles lie above the gaps, so a gap is reached only where no tile covers it.
    if (int i = tileAt(p); i >= 0)
        return {TargetKind::Tile, i};
    if (int k = gapAt(p); k >= 0)
        return {TargetKind::Gap, k};
    return {};
}

void frmMain::sendOver(const Target& t, DragState state, const QPoint& p) {
    if (t.kind == TargetKind::Tile) {
        game_->hoverSlot(t.index, state, (p.x() - slotRect(t.index).left()) * 15.0);
    } else if (t.kind == TargetKind::Gap) {
        game_->hoverGap(t.index, state);
    }
}

void frmMain::pressTile(int i, const QPoint& p) {
    if (!game_->canPickUp(i))
        return;
    drag_ = {};
    drag_.source = i;
    drag_.current = {TargetKind::Tile, i};
    const RackSlot& s = game_->rack().slot(i);
    dragGhost_->setTile(true, QString(QChar(s.letter)), s.selected(), s.blank);
    sendOver(drag_.current, DragState::Enter, p);
}

void frmMain::moveDrag(const QPoint& p) {
    if (!dragging())
        return;
    // Made after the rack and the boxes, the carried tile lies above them.
    dragGhost_->show();
    // Held above the pointer, so the slot under it stays in view.
    dragGhost_->move(p.x() - dragGhost_->width() / 2, p.y() - dragGhost_->height() * 3 / 2);
    const Target now = targetAt(p);
    if (now == drag_.current) {
        sendOver(now, DragState::Over, p);
        return;
    }
    sendOver(drag_.current, DragState::Leave, p);
    drag_.current = now;
    drag_.movedAway = true;
    sendOver(now, DragState::Enter, p);
}

void frmMain::releaseDrag(const QPoint& p) {
    if (!dragging())
        return;
    const Carry d = drag_;
    drag_ = {};
    dragGhost_->hide();
    const Target t = targetAt(p);
    if (t.kind == TargetKind::Tile) {
        game_->dropOnSlot(t.index, d.source);
        // Released where it was pressed without wandering off: also a click.
        if (t.index == d.source && !d.movedAway)
            game_->toggleTile(t.index);
    } else if (t.kind == TargetKind::Gap) {
        game_->dropOnGap(t.index, d.source);
    } else if (d.current.kind != TargetKind::None) {
        // Let whatever was under the tile drop its feedback.
        sendOver(d.current, DragState::Leave, p);
    }
}

bool frmMain::eventFilter(QObject* watched, QEvent* event) {
    if (watched == rack && event->type() == QEvent::KeyPress)
        return rackKeyPress(*static_cast<QKeyEvent*>(event));
    const auto it = std::find(lblTile.begin(), lblTile.end(), watched);
    auto* mouse = dynamic_cast<QMouseEvent*>(event);
    if (it == lblTile.end() || !mouse)
        return QMainWindow::eventFilter(watched, event);
    // A tile's mouse events are the rack's: the label itself gets none.
    tileMouseEvent(static_cast<int>(it - lblTile.begin()), *mouse);
    return true;
}

void frmMain::tileMouseEvent(int i, const QMouseEvent& me) {
    const QPoint p = lblTile[static_cast<std::size_t>(i)]->mapTo(client, me.position().toPoint());
    const bool left = me.button() == Qt::LeftButton;
    switch (me.type()) {
        case QEvent::MouseButtonPress:
            if (left)
                pressTile(i, p);
            break;
        case QEvent::MouseMove:
            moveDrag(p);
            break;
        case QEvent::MouseButtonRelease:
            if (left)
                releaseDrag(p);
            break;
        case QEvent::MouseButtonDblClick:
            if (!left)
                break;
            // The second press of a double-click is no click of its own and
            // starts no drag: undo what it began before asking for a letter.
            if (dragging()) {
                sendOver(drag_.current, DragState::Leave, p);
                drag_ = {};
                dragGhost_->hide();
            }
            game_->relabelBlank(i);
            break;
        default:
            break;
    }
}

}  // namespace quillbox::classic
