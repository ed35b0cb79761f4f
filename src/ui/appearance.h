#pragma once
#include <QFont>
#include <QIcon>

class QWidget;

namespace quillbox::ui {

// Maps the classic Windows font names the layouts use onto fonts that Debian
// provides, so windows look alike with or without the originals.
void installFontSubstitutions();

// A font by classic name and point size.
QFont classicFont(const QString& family, double pointSize, bool bold = false,
                  bool underline = false);

// Moves a top-level window so that its frame is centred on its screen.
void centreOnScreen(QWidget* window);

// The program's icon, the same on every window.
QIcon appIcon();

}  // namespace quillbox::ui
