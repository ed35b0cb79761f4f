#include "ui/appearance.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QGuiApplication>
#include <QLabel>
#include <QPalette>
#include <QStyle>
#include <QStyleFactory>
#include <QToolTip>
#include <algorithm>

// The icon's PNGs (data/icons, drawn by tools/iconExport) are a resource of
// this static library, so they must be registered by name before first use.
static void initIconResource() {
    Q_INIT_RESOURCE(icons);
}

namespace quillbox::ui {

namespace {

// The palette with every role of every group set explicitly: a role left
// unset would be filled in from the desktop's palette.
QPalette completePalette(const QPalette& light) {
    QPalette complete;
    for (int g = 0; g < QPalette::NColorGroups; ++g) {
        const auto group = static_cast<QPalette::ColorGroup>(g);
        for (int r = 0; r < QPalette::NColorRoles; ++r) {
            const auto role = static_cast<QPalette::ColorRole>(r);
            complete.setBrush(group, role, light.brush(group, role));
        }
    }
    // A selection dark enough for its white text to read at 4.5:1 or better.
    for (const auto group : {QPalette::Active, QPalette::Inactive})
        complete.setColor(group, QPalette::Highlight, QColor(0, 102, 204));
    return complete;
}

}  // namespace

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
    // The windows fix many colours of their own (black labels, a grey
    // workspace, white cells), so the program brings its own light colours and
    // none of a dark desktop's may show through. The style is one that paints
    // with the palette it is given; a desktop style may follow its theme.
    QStyle* fusion = QStyleFactory::create(QStringLiteral("Fusion"));
    QApplication::setStyle(fusion);
    const QPalette light = completePalette(fusion->standardPalette());
    // Setting the application's palette also drops the palettes a desktop
    // theme gave to single widget classes (labels, buttons, text boxes).
    QApplication::setPalette(light);
    QToolTip::setPalette(light);
    QApplication::setQuitOnLastWindowClosed(false);
}

void setWrappedText(QLabel& label, const QString& text, int designHeight) {
    label.setText(text);
    label.resize(label.width(), std::max(designHeight, label.heightForWidth(label.width())));
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
