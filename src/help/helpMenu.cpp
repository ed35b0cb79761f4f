#include "help/helpMenu.h"

#include <QWidget>

#include "help/frmAbout.h"
#include "help/frmRules.h"
#include "ui/dialogs.h"
#include "ui/programFolder.h"
#include "ui/richTextBox.h"

namespace quillbox::help {

void openRulesViewer(QWidget* caller) {
    const QString path = ui::rulesDocumentPath();
    const bool wasLoaded = frmRules::loaded();
    frmRules& viewer = frmRules::instance();
    try {
        viewer.loadDocument(path);
    } catch (const ui::RichTextError&) {
        // A viewer made just for this call goes again; one already open stays.
        if (!wasLoaded)
            delete &viewer;
        ui::dialogs().message(
            caller, QStringLiteral("The help file ") + path + QStringLiteral(" is missing."),
            QStringLiteral("Help File Missing"), ui::MessageIcon::Critical);
        return;
    }
    viewer.setWindowState(viewer.windowState() & ~Qt::WindowMinimized);
    viewer.show();
    viewer.raise();
    viewer.activateWindow();
}

void showAboutBox(QWidget* parent) {
    frmAbout& about = frmAbout::instance();
    // Owned by the calling window, the dialog stays out of the task bar and
    // on top of that window; it is still centred on the screen.
    if (parent != nullptr)
        about.setParent(parent->window(), about.windowFlags());
    about.exec();
}

}  // namespace quillbox::help
