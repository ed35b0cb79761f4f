#include "support/scriptedDialogs.h"

#include <gtest/gtest.h>

#include <QPrinter>

namespace quillbox::testing {

ScriptedDialogs::ScriptedDialogs() {
    ui::setDialogs(this);
}
ScriptedDialogs::~ScriptedDialogs() {
    ui::setDialogs(nullptr);
}

std::vector<ScriptedDialogs::Shown> ScriptedDialogs::messages() const {
    std::vector<Shown> out;
    for (const auto& s : shown)
        if (s.kind == QLatin1String("message"))
            out.push_back(s);
    return out;
}

void ScriptedDialogs::message(QWidget* parent, const QString& text, const QString& title,
                              ui::MessageIcon icon) {
    shown.push_back({QStringLiteral("message"), text, title, {}, icon, parent});
    if (onMessage)
        onMessage(shown.back());
}

bool ScriptedDialogs::askYesNo(QWidget* parent, const QString& text, const QString& title) {
    shown.push_back({QStringLiteral("yesno"), text, title, {}, ui::MessageIcon::None, parent});
    if (yesNoAnswers.empty()) {
        ADD_FAILURE() << "unexpected Yes/No question: " << text.toStdString();
        return false;
    }
    bool a = yesNoAnswers.front();
    yesNoAnswers.pop_front();
    return a;
}

QString ScriptedDialogs::input(QWidget* parent, const QString& prompt, const QString& title,
                               const QString& defaultAnswer) {
    shown.push_back(
        {QStringLiteral("input"), prompt, title, defaultAnswer, ui::MessageIcon::None, parent});
    if (inputAnswers.empty()) {
        ADD_FAILURE() << "unexpected input box: " << prompt.toStdString();
        return QStringLiteral("A");  // a valid answer ends any prompt loop
    }
    QString a = inputAnswers.front();
    inputAnswers.pop_front();
    return a;
}

QString ScriptedDialogs::saveFileName(QWidget* parent, const QString& filter,
                                      const QString& defaultSuffix) {
    shown.push_back(
        {QStringLiteral("save"), filter, {}, defaultSuffix, ui::MessageIcon::None, parent});
    if (saveAnswers.empty())
        return {};
    QString a = saveAnswers.front();
    saveAnswers.pop_front();
    return a;
}

bool ScriptedDialogs::choosePrinter(QWidget* parent, QPrinter& printer) {
    shown.push_back({QStringLiteral("print"), {}, {}, {}, ui::MessageIcon::None, parent});
    if (printAnswers.empty())
        return false;
    bool a = printAnswers.front();
    printAnswers.pop_front();
    if (a && !printToPdf.isEmpty()) {
        printer.setOutputFormat(QPrinter::PdfFormat);
        printer.setOutputFileName(printToPdf);
    }
    return a;
}

}  // namespace quillbox::testing
