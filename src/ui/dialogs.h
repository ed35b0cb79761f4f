#pragma once
// Every message box, input box and file or printer dialog goes through this
// port, so tests can script the answers instead of blocking on a modal box.
#include <QString>
#include <memory>

class QWidget;
class QPrinter;

namespace quillbox::ui {

enum class MessageIcon { None, Information, Critical };

class DialogPort {
  public:
    virtual ~DialogPort() = default;
    // A box with a single OK button.
    virtual void message(QWidget* parent, const QString& text, const QString& title,
                         MessageIcon icon = MessageIcon::None) = 0;
    // A Yes/No box; true for Yes.
    virtual bool askYesNo(QWidget* parent, const QString& text, const QString& title) = 0;
    // An input box; Cancel yields an empty answer.
    virtual QString input(QWidget* parent, const QString& prompt, const QString& title,
                          const QString& defaultAnswer) = 0;
    // A Save As dialog that asks before replacing a file; "" when cancelled.
    virtual QString saveFileName(QWidget* parent, const QString& filter,
                                 const QString& defaultSuffix) = 0;
    // A printer dialog without the selection-only and print-to-file choices;
    // false when cancelled.
    virtual bool choosePrinter(QWidget* parent, QPrinter& printer) = 0;
};

// The port in use; the real dialogs unless a test installed its own.
DialogPort& dialogs();
// Installs a port (tests); nullptr restores the real dialogs.
void setDialogs(DialogPort* port);

}  // namespace quillbox::ui
