#include "help/frmAbout.h"

#include <QFrame>
#include <QLabel>
#include <QPalette>
#include <QPushButton>

#include "help/programIdentity.h"
#include "ui/appearance.h"
#include "ui/twips.h"
#include "ui/windowSetup.h"

namespace quillbox::help {

using ui::tw;
using ui::twRect;

namespace {

// The labels' text is black: the program's own palette writes window text so.
QLabel* topLeftLabel(QWidget* parent, const QRect& geometry) {
    auto* label = new QLabel(parent);
    label->setGeometry(geometry);
    label->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    return label;
}

// A horizontal line drawn as a filled strip, like the form designer's line.
QFrame* line(QWidget* parent, const QRect& geometry, const QColor& color) {
    auto* strip = new QFrame(parent);
    strip->setGeometry(geometry);
    strip->setAutoFillBackground(true);
    QPalette pal = strip->palette();
    pal.setColor(QPalette::Window, color);
    strip->setPalette(pal);
    strip->setAccessibleName(QStringLiteral("Separator"));
    return strip;
}

}  // namespace

frmAbout::frmAbout(QWidget* parent) : QDialog(parent) {
    registerInstance(this);
    ui::setUpWindow(*this, ui::Frame::Dialog);
    setFixedSize(tw(5730), tw(3555));

    cmdOK = new QPushButton(QStringLiteral("OK"), this);
    cmdOK->setGeometry(twRect(4245, 2625, 1260, 345));
    cmdOK->setDefault(true);

    picIcon = new QLabel(this);
    picIcon->setGeometry(twRect(240, 240, 540, 540));
    picIcon->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    picIcon->setPixmap(ui::appIcon().pixmap(32, 32));
    picIcon->setAccessibleName(QStringLiteral("Quillbox icon"));

    lblTitle = topLeftLabel(this, twRect(1050, 240, 3885, 480));
    lblTitle->setText(QStringLiteral("Application Title"));
    lblTitle->setFont(ui::classicFont(QStringLiteral("MS Sans Serif"), 18));

    lblVersion = topLeftLabel(this, twRect(1050, 780, 3885, 225));
    lblVersion->setText(QStringLiteral("Version"));

    lblDescription = topLeftLabel(this, twRect(1050, 1125, 3885, 1170));
    lblDescription->setText(QStringLiteral("App Description"));
    lblDescription->setWordWrap(true);

    lblDisclaimer = topLeftLabel(this, twRect(255, 2625, 3870, 825));
    lblDisclaimer->setText(QStringLiteral("Warning: ..."));
    lblDisclaimer->setWordWrap(true);

    // From (105, 2460) and (90, 2445) to x 5654 in twips: white, 2 pixels high,
    // under grey, 1 pixel high.
    Line1[0] = line(this, QRect(tw(105), tw(2460), tw(5654) - tw(105) + 1, 2), Qt::white);
    Line1[1] = line(this, QRect(tw(90), tw(2445), tw(5654) - tw(90) + 1, 1), QColor(128, 128, 128));

    // Enter presses OK, the default button and the only one to take the focus;
    // Esc and the close box reject the dialog, which closes it just the same.
    connect(cmdOK, &QPushButton::clicked, this, &frmAbout::cmdOK_Click);

    Form_Load();
}

frmAbout::~frmAbout() = default;

void frmAbout::Form_Load() {
    const ProgramIdentity& id = programIdentity();
    setWindowTitle(QStringLiteral("About ") + id.title);
    lblVersion->setText(
        QStringLiteral("Version %1.%2.%3").arg(id.major).arg(id.minor).arg(id.revision));
    lblTitle->setText(id.title);
    lblDescription->setText(id.description);
    lblDisclaimer->setText(id.comments);
}

void frmAbout::cmdOK_Click() {
    accept();
}

}  // namespace quillbox::help
