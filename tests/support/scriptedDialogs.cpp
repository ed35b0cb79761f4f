#include "support/scriptedDialogs.h"

#include <gtest/gtest.h>

#include <QPrinter>

namespace quillbox::testing {

// The next answer in the queue, or `none` when the test gave no more.
template <class T>
static T take(std::deque<T>& answers, T none) {
    if (!answers.empty())
        none = answers.front(), answers.pop_front();
    return none;
}

std::vector<ScriptedDialogs::Shown> ScriptedDialogs::messages() const {
    std::vector<Shown> out;
    std::copy_if(shown.begin(), shown.end(), std::back_inserter(out),
                 [](const Shown& s) { return s.kind == "message"; });
    return out;
}

void ScriptedDialogs::message(QWidget* parent, const QString& text, const QString& title,
                              ui::MessageIcon icon) {
    shown.push_back({"message", text, title, {}, icon, parent});
    if (onMessage)
        onMessage(shown.back());
}

bool ScriptedDialogs::askYesNo(QWidget* parent, const QString& text, const QString& title) {
    shown.push_back({"yesno", text, title, {}, ui::MessageIcon::None, parent});
    if (yesNoAnswers.empty())
        ADD_FAILURE() << "unexpected Yes/No question: " << text.toStdString();
    return take(yesNoAnswers, false);
}

QString ScriptedDialogs::input(QWidget* parent, const QString& prompt, const QString& title,
                               const QString& defaultAnswer) {
    shown.push_back({"input", prompt, title, defaultAnswer, ui::MessageIcon::None, parent});
    if (inputAnswers.empty())
        ADD_FAILURE() << "unexpected input box: " << prompt.toStdString();
    return take(inputAnswers, QStringLiteral("A"));  // a valid answer ends any prompt loop
}

QString ScriptedDialogs::saveFileName(QWidget* parent, const QString& filter,
                                      const QString& defaultSuffix) {
    shown.push_back({"save", filter, {}, defaultSuffix, ui::MessageIcon::None, parent});
    return take(saveAnswers, QString());
}

bool ScriptedDialogs::choosePrinter(QWidget* parent, QPrinter& printer) {
    shown.push_back({"print", {}, {}, {}, ui::MessageIcon::None, parent});
    const bool chosen = take(printAnswers, false);
    if (chosen && !printToPdf.isEmpty())
        printer.setOutputFormat(QPrinter::PdfFormat), printer.setOutputFileName(printToPdf);
    return chosen;
}

}  // namespace quillbox::testing
