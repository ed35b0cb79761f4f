#include "help/frmRules.h"

#include <QEvent>
#include <QLabel>
#include <QListWidget>
#include <QScrollBar>
#include <QShortcut>

#include "ui/appearance.h"
#include "ui/richTextBox.h"
#include "ui/twips.h"
#include "ui/windowSetup.h"

namespace quillbox::help {

using ui::twRect;

const QStringList& frmRules::contentsEntries() {
    static const QStringList entries{
        QStringLiteral("INTRODUCTION"),
        QStringLiteral("CROSSWORD GAME"),
        QStringLiteral("CLASSIC GAME"),
        QStringLiteral("GAME PLAY"),
        QStringLiteral("  Playing Blanks"),
        QStringLiteral("  What if I can't"),
        QStringLiteral("SCORING"),
        QStringLiteral("PLAYING TIPS"),
        QStringLiteral("LEARN MODE"),
        QStringLiteral("USING THE TALLY SHEET"),
        QStringLiteral("HELPFUL WORD LISTS"),
        QStringLiteral("  Words Without Vowels"),
        QStringLiteral("  Words Containing Q"),
        QStringLiteral("  Diatonic Musical Scale"),
        QStringLiteral("  English Letters"),
        QStringLiteral("  Greek Letters"),
        QStringLiteral("  Hebrew Letters"),
        QStringLiteral("  Interjections and Utterances"),
        QStringLiteral("  Animal Noises"),
        QStringLiteral("  Coins and Monetary Units"),
        QStringLiteral("  Units of Measurement"),
    };
    return entries;
}

frmRules::frmRules(QWidget* parent) : QWidget(parent, Qt::Window) {
    registerInstance(this);
    ui::setUpWindow(*this, ui::Frame::Sizable);
    setWindowTitle(QStringLiteral("Quillbox Rules"));
    resize(ui::tw(9285), ui::tw(6330));

    // The controls keep their designed places when the window is resized; they
    // are made in their tab order.
    rtbRules = new ui::RichTextBox(this);
    rtbRules->setGeometry(twRect(120, 360, 5535, 5655));
    // Nothing is ever saved, so the document is for reading only.
    rtbRules->setReadOnly(true);
    rtbRules->setTextInteractionFlags(Qt::TextSelectableByMouse | Qt::TextSelectableByKeyboard);

    lstContents = new QListWidget(this);
    lstContents->setGeometry(twRect(6240, 720, 2415, 4155));
    lstContents->addItems(contentsEntries());
    lstContents->setCurrentRow(-1);
    lstContents->clearSelection();

    lblContents = new QLabel(QStringLiteral("Table of Contents"), this);
    lblContents->setGeometry(twRect(6240, 360, 2415, 255));
    lblContents->setAlignment(Qt::AlignHCenter | Qt::AlignTop);
    lblContents->setFont(ui::classicFont(QStringLiteral("MS Sans Serif"), 9.75, true));

    rtbRules->setAccessibleName(QStringLiteral("Rules"));
    rtbRules->setAccessibleDescription(QStringLiteral("The rules of the games and the word lists"));
    lstContents->setAccessibleName(lblContents->text());
    lstContents->setAccessibleDescription(
        QStringLiteral("Choose a topic to bring its section of the rules into view"));

    // The keyboard closes the viewer as its close box does.
    for (const QKeySequence& keys :
         {QKeySequence(Qt::Key_Escape), QKeySequence(Qt::CTRL | Qt::Key_W)})
        connect(new QShortcut(keys, this), &QShortcut::activated, this, &QWidget::close);

    // A click runs the searches even on the entry already selected; the arrow
    // keys run them as the selection moves. A mouse press also moves the
    // selection, so that change waits for the click.
    lstContents->viewport()->installEventFilter(this);
    connect(lstContents, &QListWidget::itemClicked, this, &frmRules::lstContents_Click);
    connect(lstContents, &QListWidget::currentRowChanged, this, [this](int row) {
        if (row >= 0 && !mousePressInList_)
            lstContents_Click();
    });
}

frmRules::~frmRules() = default;

bool frmRules::eventFilter(QObject* watched, QEvent* event) {
    if (watched == lstContents->viewport()) {
        if (event->type() == QEvent::MouseButtonPress ||
            event->type() == QEvent::MouseButtonDblClick)
            mousePressInList_ = true;
        else if (event->type() == QEvent::MouseButtonRelease)
            mousePressInList_ = false;
    }
    return QWidget::eventFilter(watched, event);
}

void frmRules::loadDocument(const QString& path) {
    rtbRules->loadFile(path);
    // The document fills a box that may not be laid out yet, which leaves the
    // view a line down; the reader starts at the title.
    rtbRules->verticalScrollBar()->setValue(0);
}

void frmRules::lstContents_Click() {
    QListWidgetItem* item = lstContents->currentItem();
    if (item == nullptr)
        return;
    QString heading = item->text();
    while (heading.startsWith(QLatin1Char(' ')))
        heading.remove(0, 1);

    const int oldStart = rtbRules->selStart();
    const int oldLength = rtbRules->selLength();
    const int oldScroll = rtbRules->verticalScrollBar()->value();

    rtbRules->setSelLength(0);
    const int p = rtbRules->find(heading, -1, -1, true);
    if (p < 0) {
        // A document without this heading: leave the view as it was.
        rtbRules->setSelStart(oldStart);
        rtbRules->setSelLength(oldLength);
        rtbRules->verticalScrollBar()->setValue(oldScroll);
        return;
    }
    // Forward to the empty line that ends the heading's section, then back to
    // the heading, which the box scrolls only as far as needed: the heading
    // shows together with as much of its section as the view holds.
    rtbRules->find(QStringLiteral("\n\r"), p + rtbRules->selLength());
    rtbRules->find(heading, 0, -1, true);
}

}  // namespace quillbox::help
