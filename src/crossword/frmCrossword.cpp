#include "crossword/frmCrossword.h"

#include <QCloseEvent>

#include "core/frmLaunchpad.h"
#include "ui/appearance.h"
#include "ui/twips.h"

namespace quillbox {

frmCrossword::frmCrossword(QWidget* parent) : QMainWindow(parent) {
    registerInstance(this);
    setAttribute(Qt::WA_DeleteOnClose);
    setWindowTitle(QStringLiteral("Quillbox Crossword"));
    setWindowIcon(ui::appIcon());
    auto* client = new QWidget(this);
    client->setFixedSize(ui::tw(6630), ui::tw(3405));
    setCentralWidget(client);
}

frmCrossword::~frmCrossword() = default;

void frmCrossword::closeEvent(QCloseEvent* event) {
    event->accept();
    frmLaunchpad::instance().show();
}

}  // namespace quillbox
