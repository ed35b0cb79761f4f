#pragma once
// What Help > Rules... and Help > About... do; both game windows call these.
class QWidget;

namespace quillbox::help {

// Loads the rules document beside the program into the one rules viewer and
// brings the viewer up, modeless. A missing or unreadable document is
// reported with a message box; the viewer is then not shown by this call and
// an already open viewer keeps what it showed.
void openRulesViewer(QWidget* caller);

// Shows the about box modally; returns when it has been closed.
void showAboutBox(QWidget* parent);

}  // namespace quillbox::help
