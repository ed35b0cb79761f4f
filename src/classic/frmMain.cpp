#include "classic/frmMain.h"

#include <QCloseEvent>

#include "core/frmLaunchpad.h"
#include "ui/appearance.h"
#include "ui/twips.h"

namespace quillbox {

frmMain::frmMain(QWidget* parent) : QMainWindow(parent) {
    registerInstance(this);
    setAttribute(Qt::WA_DeleteOnClose);
    setWindowTitle(QStringLiteral("Quillbox"));
    setWindowIcon(ui::appIcon());
    auto* client = new QWidget(this);
    client->setFixedSize(ui::tw(6375), ui::tw(3780));
    setCentralWidget(client);
}

frmMain::~frmMain() = default;

void frmMain::closeEvent(QCloseEvent* event) {
    event->accept();
    frmLaunchpad::instance().show();
}

}  // namespace quillbox
