#include "ui/dialogs.h"

#include <QFileDialog>
#include <QInputDialog>
#include <QMessageBox>
#include <QPrintDialog>
#include <QPrinter>

namespace quillbox::ui {

namespace {

class QtDialogs : public DialogPort {
  public:
    void message(QWidget* parent, const QString& text, const QString& title,
                 MessageIcon icon) override {
        QMessageBox box(parent);
        box.setWindowTitle(title);
        box.setText(text);
        box.setStandardButtons(QMessageBox::Ok);
        switch (icon) {
            case MessageIcon::None:
                box.setIcon(QMessageBox::NoIcon);
                break;
            case MessageIcon::Information:
                box.setIcon(QMessageBox::Information);
                break;
            case MessageIcon::Critical:
                box.setIcon(QMessageBox::Critical);
                break;
        }
        box.exec();
    }

    bool askYesNo(QWidget* parent, const QString& text, const QString& title) override {
        return QMessageBox::question(parent, title, text, QMessageBox::Yes | QMessageBox::No,
                                     QMessageBox::Yes) == QMessageBox::Yes;
    }

    QString input(QWidget* parent, const QString& prompt, const QString& title,
                  const QString& defaultAnswer) override {
        bool ok = false;
        QString answer =
            QInputDialog::getText(parent, title, prompt, QLineEdit::Normal, defaultAnswer, &ok);
        return ok ? answer : QString();
    }

    QString saveFileName(QWidget* parent, const QString& filter,
                         const QString& defaultSuffix) override {
        QFileDialog dlg(parent);
        dlg.setAcceptMode(QFileDialog::AcceptSave);
        dlg.setNameFilter(filter);
        dlg.setDefaultSuffix(defaultSuffix);
        dlg.setOption(QFileDialog::DontConfirmOverwrite, false);
        if (dlg.exec() != QDialog::Accepted || dlg.selectedFiles().isEmpty())
            return {};
        return dlg.selectedFiles().constFirst();
    }

    bool choosePrinter(QWidget* parent, QPrinter& printer) override {
        QPrintDialog dlg(&printer, parent);
        dlg.setOption(QAbstractPrintDialog::PrintSelection, false);
        dlg.setOption(QAbstractPrintDialog::PrintToFile, false);
        return dlg.exec() == QDialog::Accepted;
    }
};

DialogPort* installed = nullptr;

}  // namespace

DialogPort& dialogs() {
    static QtDialogs real;
    return installed ? *installed : real;
}

void setDialogs(DialogPort* port) {
    installed = port;
}

}  // namespace quillbox::ui
