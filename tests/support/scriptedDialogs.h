#pragma once
#include <QString>
#include <deque>
#include <functional>
#include <vector>

#include "ui/dialogs.h"

namespace quillbox::testing {

// Records every dialog shown, with every argument it was given, and answers
// from queues the test fills. An unexpected question fails the test instead
// of blocking.
class ScriptedDialogs : public ui::DialogPort {
  public:
    struct Shown {
        QString kind;  // "message", "yesno", "input", "save", "print"
        QString text;  // message or prompt; the filter of a Save As dialog
        QString title;
        QString defaultAnswer;  // of an input box; the default suffix of a Save As dialog
        ui::MessageIcon icon = ui::MessageIcon::None;
        QWidget* parent = nullptr;
    };

    ScriptedDialogs() { ui::setDialogs(this); }               // installs itself
    ~ScriptedDialogs() override { ui::setDialogs(nullptr); }  // restores the real dialogs

    std::deque<bool> yesNoAnswers;
    std::deque<QString> inputAnswers;
    std::deque<QString> saveAnswers;
    std::deque<bool> printAnswers;
    // Runs when a message box is shown (e.g. to look at the window meanwhile).
    std::function<void(const Shown&)> onMessage;

    std::vector<Shown> shown;
    std::vector<Shown> messages() const;

    void message(QWidget*, const QString& text, const QString& title, ui::MessageIcon) override;
    bool askYesNo(QWidget*, const QString& text, const QString& title) override;
    QString input(QWidget*, const QString& prompt, const QString& title,
                  const QString& defaultAnswer) override;
    QString saveFileName(QWidget*, const QString& filter, const QString& defaultSuffix) override;
    bool choosePrinter(QWidget*, QPrinter& printer) override;

    // Printer settings applied to the QPrinter handed to choosePrinter.
    QString printToPdf;
};

}  // namespace quillbox::testing
