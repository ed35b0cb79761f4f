// Start-up: the lexicon is filled before the first window opens, then the
// launch pad runs the event loop until it is closed.
#include <QApplication>

#include "core/frmLaunchpad.h"
#include "core/mainMod.h"
#include "ui/appearance.h"

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    quillbox::ui::setUpApplication();
    quillbox::core::mainMod::lexicon();
    quillbox::core::frmLaunchpad::instance().show();
    return QApplication::exec();
}
