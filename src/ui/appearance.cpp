#include "ui/appearance.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QGuiApplication>
#include <QLabel>
#include <QPalette>
#include <QStyleFactory>
#include <QToolTip>
#include <algorithm>
#include <utility>

// The icon's PNGs (data/icons, drawn by tools/iconExport) are a resource of
// this static library, so they must be registered by name before first use.
static void initIconResource() {
    Q_INIT_RESOURCE(icons);
}

namespace quillbox::ui {

namespace {

// The program's own light colours, every role set, so that nothing is left
// to the desktop: a style's standard palette follows the desktop's theme.
QPalette lightPalette() {
    const QColor face = QColor(239, 239, 239);
    const std::pair<QPalette::ColorRole, QColor> colors[] = {
        {QPalette::Window, face},
        {QPalette::WindowText, Qt::black},
        {QPalette::Base, Qt::white},
        {QPalette::AlternateBase, QColor(247, 247, 247)},
        {QPalette::Text, Qt::black},
        {QPalette::PlaceholderText, QColor(110, 110, 110)},
        {QPalette::Button, face},
        {QPalette::ButtonText, Qt::black},
        {QPalette::BrightText, Qt::white},
        {QPalette::Light, Qt::white},
        {QPalette::Midlight, QColor(227, 227, 227)},
        {QPalette::Mid, QColor(184, 184, 184)},
        {QPalette::Dark, QColor(159, 159, 159)},
        {QPalette::Shadow, QColor(118, 118, 118)},
        // Dark enough for the white text of a selection to read at 4.5:1 or better.
        {QPalette::Highlight, QColor(0, 102, 204)},
        {QPalette::HighlightedText, Qt::white},
        {QPalette::Link, QColor(0, 0, 238)},
        {QPalette::LinkVisited, QColor(85, 26, 139)},
        {QPalette::ToolTipBase, QColor(255, 255, 220)},
        {QPalette::ToolTipText, Qt::black},
    };
    QPalette palette;
    for (const auto& [role, color] : colors)
        palette.setColor(role, color);  // in every group
    for (const auto role : {QPalette::WindowText, QPalette::Text, QPalette::ButtonText})
        palette.setColor(QPalette::Disabled, role, QColor(120, 120, 120));
    palette.setColor(QPalette::Disabled, QPalette::Base, face);
    palette.setColor(QPalette::Disabled, QPalette::Highlight, QColor(145, 145, 145));
    return palette;
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
    QApplication::setStyle(QStyleFactory::create(QStringLiteral("Fusion")));
    // Setting the application's palette also drops the palettes a desktop
    // theme gave to single widget classes (labels, buttons, text boxes).
    QApplication::setPalette(lightPalette());
    QToolTip::setPalette(lightPalette());
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
