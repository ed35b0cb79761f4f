#include "ui/appearance.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QGuiApplication>

// The icon's PNGs (data/icons, drawn by tools/iconExport) are a resource of
// this static library, so they must be registered by name before first use.
static void initIconResource() {
    Q_INIT_RESOURCE(icons);
}

namespace quillbox::ui {

void setUpApplication() {
    QApplication::setApplicationName(QStringLiteral("Quillbox"));
    QApplication::setApplicationVersion(QStringLiteral("%1.%2.%3")
                                            .arg(QUILLBOX_VERSION_MAJOR)
                                            .arg(QUILLBOX_VERSION_MINOR)
                                            .arg(QUILLBOX_VERSION_PATCH));
    QApplication::setWindowIcon(appIcon());
    // Lets desktops match the windows to the installed menu entry and icon.
    QGuiApplication::setDesktopFileName(QStringLiteral("quillbox"));
    installFontSubstitutions();
    QApplication::setFont(classicFont(QStringLiteral("MS Sans Serif"), 8.25));
    QApplication::setQuitOnLastWindowClosed(false);
}

void installFontSubstitutions() {
    QFont::insertSubstitutions(QStringLiteral("MS Sans Serif"),
                               {QStringLiteral("Liberation Sans"), QStringLiteral("DejaVu Sans")});
    QFont::insertSubstitutions(QStringLiteral("Arial"),
                               {QStringLiteral("Liberation Sans"), QStringLiteral("DejaVu Sans")});
    QFont::insertSubstitutions(QStringLiteral("MS Serif"), {QStringLiteral("Liberation Serif"),
                                                            QStringLiteral("DejaVu Serif")});
    QFont::insertSubstitutions(QStringLiteral("Fixedsys"), {QStringLiteral("DejaVu Sans Mono"),
                                                            QStringLiteral("Liberation Mono")});
}

QFont classicFont(const QString& family, double pointSize, bool bold, bool underline) {
    QFont f(family);
    f.setPointSizeF(pointSize);
    f.setBold(bold);
    f.setUnderline(underline);
    if (family == QLatin1String("Fixedsys"))
        f.setStyleHint(QFont::TypeWriter);
    return f;
}

QIcon appIcon() {
    static const QIcon icon = [] {
        initIconResource();
        QIcon i;
        const QDir folder(QStringLiteral(":/icons"));
        for (const QString& name : folder.entryList({QStringLiteral("quillbox-*.png")}))
            i.addFile(folder.filePath(name));
        return i;
    }();
    return icon;
}

}  // namespace quillbox::ui
