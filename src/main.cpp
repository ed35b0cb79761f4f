// Start-up: the lexicon is filled before the first window opens, then the
// launch pad runs the event loop until it is closed.
#include <QApplication>

#include "core/frmLaunchpad.h"
#include "core/mainMod.h"
#include "ui/appearance.h"

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Quillbox"));
    QApplication::setApplicationVersion(QStringLiteral("%1.%2.%3")
                                            .arg(QUILLBOX_VERSION_MAJOR)
                                            .arg(QUILLBOX_VERSION_MINOR)
                                            .arg(QUILLBOX_VERSION_PATCH));
    QApplication::setWindowIcon(quillbox::ui::appIcon());
    // Lets desktops match the windows to the installed menu entry and icon.
    QGuiApplication::setDesktopFileName(QStringLiteral("quillbox"));
    quillbox::ui::installFontSubstitutions();
    QApplication::setFont(quillbox::ui::classicFont(QStringLiteral("MS Sans Serif"), 8.25));
    // The launch pad is hidden, not closed, while a game runs; only its own
    // close ends the program.
    QApplication::setQuitOnLastWindowClosed(false);

    quillbox::mainMod::lexicon();
    quillbox::frmLaunchpad::instance().show();
    return QApplication::exec();
}
