#include "ui/windowSetup.h"

#include <QEvent>
#include <QGuiApplication>
#include <QScreen>
#include <QWidget>

#include "ui/appearance.h"

namespace quillbox::ui {

namespace {

// Centres its window at the first show, then goes: later showings (after
// hiding or minimising) keep where the player put the window.
class CentreOnFirstShow : public QObject {
  public:
    using QObject::QObject;

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() == QEvent::Show) {
            centreOnScreen(*static_cast<QWidget*>(watched));
            watched->removeEventFilter(this);
            deleteLater();
        }
        return false;
    }
};

Qt::WindowFlags flagsFor(Frame frame) {
    switch (frame) {
        case Frame::Fixed:
            return Qt::Window | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                   Qt::WindowMinimizeButtonHint | Qt::WindowCloseButtonHint |
                   Qt::MSWindowsFixedSizeDialogHint;
        case Frame::Dialog:
            return Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                   Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint |
                   Qt::MSWindowsFixedSizeDialogHint;
        case Frame::Sizable:
            break;
    }
    return Qt::Window | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
           Qt::WindowMinMaxButtonsHint | Qt::WindowCloseButtonHint;
}

}  // namespace

void setUpWindow(QWidget& window, Frame frame) {
    window.setWindowFlags(flagsFor(frame));
    window.setAttribute(Qt::WA_DeleteOnClose);
    window.setWindowIcon(appIcon());
    window.installEventFilter(new CentreOnFirstShow(&window));
}

void centreOnScreen(QWidget& window) {
    const QScreen* s = window.screen() ? window.screen() : QGuiApplication::primaryScreen();
    if (!s)
        return;
    QRect frame = window.frameGeometry();
    frame.moveCenter(s->availableGeometry().center());
    window.move(frame.topLeft());
}

}  // namespace quillbox::ui
