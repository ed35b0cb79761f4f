#pragma once
// How every window of the program is framed and placed.
class QWidget;

namespace quillbox::ui {

enum class Frame {
    // A fixed single border with minimise and close buttons (the launch pad
    // and the game windows).
    Fixed,
    // A fixed dialog border with the close box alone, kept out of the task
    // bar when owned by another window (the about box, the high scores).
    Dialog,
    // A sizable border with minimise and maximise buttons (the rules viewer).
    Sizable,
};

// Gives a top-level window its frame and the program's icon, makes closing it
// destroy it (the next use builds it afresh), and centres it on its screen
// the first time it is shown.
void setUpWindow(QWidget& window, Frame frame);

// Moves a top-level window so that its frame is centred on its screen.
void centreOnScreen(QWidget& window);

}  // namespace quillbox::ui
