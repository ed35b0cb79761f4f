#include "core/frmLaunchpad.h"

#include <QCloseEvent>
#include <QCoreApplication>
#include <QGuiApplication>
#include <QLabel>
#include <QPushButton>
#include <QScreen>

#include "classic/frmMain.h"
#include "core/lookup.h"
#include "core/mainMod.h"
#include "crossword/frmCrossword.h"
#include "help/frmRules.h"
#include "ui/appearance.h"
#include "ui/maskedLetterBox.h"
#include "ui/twips.h"
#include "ui/windowSetup.h"

namespace quillbox::core {

using ui::twRect;

frmLaunchpad::frmLaunchpad(QWidget* parent) : QDialog(parent) {
    registerInstance(this);
    ui::setUpWindow(*this, ui::Frame::Fixed);
    setWindowTitle(QStringLiteral("Quillbox LaunchPad"));
    setFixedSize(ui::tw(3765), ui::tw(1920));

    // The controls are made in their tab order.
    cmdClassic = new QPushButton(QStringLiteral("&Classic"), this);
    cmdClassic->setGeometry(twRect(120, 120, 1095, 495));
    cmdClassic->setDefault(true);

    cmdCrossword = new QPushButton(QStringLiteral("C&rossword"), this);
    cmdCrossword->setGeometry(twRect(1320, 120, 1095, 495));

    cmdExit = new QPushButton(QStringLiteral("E&xit"), this);
    cmdExit->setGeometry(twRect(2520, 120, 1095, 495));

    lblWord = new QLabel(QStringLiteral("&Word:"), this);
    lblWord->setGeometry(twRect(120, 840, 735, 375));
    lblWord->setAlignment(Qt::AlignRight | Qt::AlignTop);

    mskWord = new ui::MaskedLetterBox(3, this);
    mskWord->setGeometry(twRect(960, 720, 1335, 495));
    mskWord->setFont(ui::classicFont(QStringLiteral("MS Sans Serif"), 18));
    mskWord->setToolTip(QStringLiteral("Key in a word here to see its definition"));
    mskWord->setAccessibleName(QStringLiteral("Word"));
    lblWord->setBuddy(mskWord);

    Image1 = new QLabel(this);
    Image1->setGeometry(twRect(2880, 720, 480, 480));
    Image1->setPixmap(ui::appIcon().pixmap(Image1->size()));
    Image1->setAccessibleName(QStringLiteral("Quillbox icon"));

    lblDef = new QLabel(QStringLiteral("Definition:"), this);
    lblDef->setGeometry(twRect(120, 1320, 735, 375));
    lblDef->setAlignment(Qt::AlignRight | Qt::AlignTop);

    lblDefinition = new QLabel(this);
    lblDefinition->setGeometry(twRect(960, 1320, 2655, 495));
    lblDefinition->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    lblDefinition->setWordWrap(true);
    lblDefinition->setToolTip(QStringLiteral("Definition of word showing above"));

    connect(cmdClassic, &QPushButton::clicked, this, &frmLaunchpad::cmdClassic_Click);
    connect(cmdCrossword, &QPushButton::clicked, this, &frmLaunchpad::cmdCrossword_Click);
    connect(cmdExit, &QPushButton::clicked, this, &frmLaunchpad::cmdExit_Click);
    connect(mskWord, &ui::MaskedLetterBox::changed, this, &frmLaunchpad::mskWord_Change);
}

frmLaunchpad::~frmLaunchpad() = default;

void frmLaunchpad::cmdClassic_Click() {
    classic::frmMain::instance().show();
    hide();
}

void frmLaunchpad::cmdCrossword_Click() {
    crossword::frmCrossword::instance().show();
    hide();
}

void frmLaunchpad::cmdExit_Click() {
    close();
}

void frmLaunchpad::reject() {
    close();
}

void frmLaunchpad::mskWord_Change() {
    // A definition that needs a third line grows the label into the space
    // below it rather than being cut.
    ui::setWrappedText(*lblDefinition,
                       QString::fromStdString(
                           lookupDefinition(mainMod::lexicon(), mskWord->letters().toStdString())),
                       ui::tw(495));
}

void frmLaunchpad::closeEvent(QCloseEvent* event) {
    // The launch pad is the last window: closing it ends the program.
    help::frmRules::unload();
    event->accept();
    QCoreApplication::quit();
}

}  // namespace quillbox::core
