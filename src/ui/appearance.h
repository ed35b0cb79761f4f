#pragma once
#include <QFont>
#include <QIcon>

class QLabel;
class QWidget;

namespace quillbox::ui {

// Everything the program sets on its QApplication before the first window:
// name, version, icon, fonts, its own style and light palette, and that
// closing the last window does not quit (the launch pad is hidden, not closed,
// while a game runs; only its own close ends the program). Tests, benchmarks
// and probes start the same way.
void setUpApplication();

// Sets the text of a word-wrapped label and lets the label grow below its
// designed height when the text needs more lines, so that no line is cut;
// a shorter text takes it back to that height.
void setWrappedText(QLabel& label, const QString& text, int designHeight);

// Maps the classic Windows font names the layouts use onto fonts that Debian
// provides, so windows look alike with or without the originals.
void installFontSubstitutions();

// A font by classic name and point size.
QFont classicFont(const QString& family, double pointSize, bool bold = false,
                  bool underline = false);

// The program's icon, the same on every window.
QIcon appIcon();

}  // namespace quillbox::ui
