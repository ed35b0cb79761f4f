// The real dialog layer (ui::dialogs() with nothing scripted): each real Qt
// dialog is driven offscreen by pressing its own buttons once it is shown.
#include <gtest/gtest.h>

#include <QApplication>
#include <QDialogButtonBox>
#include <QFile>
#include <QFileDialog>
#include <QInputDialog>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QPrintDialog>
#include <QPrinter>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTimer>
#include <deque>
#include <functional>

#include "ui/dialogs.h"

using quillbox::ui::dialogs;
using quillbox::ui::MessageIcon;

namespace {

// Answers the modal dialogs the code under test opens, one step per dialog in
// order: a step waits until a dialog of its kind is the active modal widget,
// then looks at it and presses a button (from a fresh event, since pressing
// may open a further modal dialog). Steps left after ten seconds fail the
// test and the dialog is closed, so nothing blocks.
class ModalAnswers {
  public:
    ModalAnswers() {
        QObject::connect(&timer_, &QTimer::timeout, [this] { poll(); });
        timer_.start(10);
    }
    ~ModalAnswers() { EXPECT_TRUE(steps_.empty()) << steps_.size() << " dialog(s) never shown"; }

    template <class Dialog>
    ModalAnswers& then(std::function<void(Dialog*)> answer) {
        steps_.push_back({[](QWidget* w) { return qobject_cast<Dialog*>(w) != nullptr; },
                          [answer](QWidget* w) { answer(qobject_cast<Dialog*>(w)); }});
        return *this;
    }

  private:
    struct Step {
        std::function<bool(QWidget*)> matches;
        std::function<void(QWidget*)> answer;
    };

    void poll() {
        QWidget* w = QApplication::activeModalWidget();
        if (!w || !w->isVisible() || w == answering_)
            return;
        if (!steps_.empty() && steps_.front().matches(w)) {
            answering_ = w;
            QTimer::singleShot(0, [this, w, answer = steps_.front().answer] {
                answering_ = nullptr;
                answer(w);
            });
            steps_.pop_front();
            waited_ = 0;
        } else if (++waited_ > 1000) {
            ADD_FAILURE() << "an unexpected dialog: " << w->metaObject()->className();
            static_cast<QDialog*>(w)->reject();
        }
    }

    std::deque<Step> steps_;
    QTimer timer_;
    QWidget* answering_ = nullptr;
    int waited_ = 0;
};

void press(QMessageBox* box, QMessageBox::StandardButton which) {
    ASSERT_NE(box->button(which), nullptr);
    box->button(which)->click();
}

// Presses the dialog's button of that role (a file dialog's Save button is
// its relabelled Open button).
void press(QDialog* dialog, QDialogButtonBox::ButtonRole role) {
    auto* buttons = dialog->findChild<QDialogButtonBox*>();
    ASSERT_NE(buttons, nullptr);
    for (QAbstractButton* b : buttons->buttons()) {
        if (buttons->buttonRole(b) == role) {
            b->click();
            return;
        }
    }
    ADD_FAILURE() << "no button of role " << role;
    dialog->reject();
}

}  // namespace

TEST(RealDialogs, AYesNoQuestionIsTrueForYesAndFalseForNo) {
    for (const auto& [button, expected] :
         {std::pair{QMessageBox::Yes, true}, std::pair{QMessageBox::No, false}}) {
        ModalAnswers answers;
        answers.then<QMessageBox>([button](QMessageBox* box) {
            EXPECT_EQ(box->windowTitle(), QStringLiteral("Quit Game?"));
            EXPECT_EQ(box->text(), QStringLiteral("A game is in progress. Quit anyway?"));
            EXPECT_EQ(box->standardButtons(), QMessageBox::Yes | QMessageBox::No);
            press(box, button);
        });
        EXPECT_EQ(dialogs().askYesNo(nullptr, QStringLiteral("A game is in progress. Quit anyway?"),
                                     QStringLiteral("Quit Game?")),
                  expected);
    }
}

TEST(RealDialogs, AMessageShowsItsTextTitleAndIconWithOneOkButton) {
    for (const auto& [icon, shown] : {std::pair{MessageIcon::Critical, QMessageBox::Critical},
                                      std::pair{MessageIcon::Information, QMessageBox::Information},
                                      std::pair{MessageIcon::None, QMessageBox::NoIcon}}) {
        ModalAnswers answers;
        answers.then<QMessageBox>([shown](QMessageBox* box) {
            EXPECT_EQ(box->windowTitle(), QStringLiteral("Help File Missing"));
            EXPECT_EQ(box->text(), QStringLiteral("The help file /x is missing."));
            EXPECT_EQ(box->icon(), shown);
            EXPECT_EQ(box->standardButtons(), QMessageBox::Ok);
            press(box, QMessageBox::Ok);
        });
        dialogs().message(nullptr, QStringLiteral("The help file /x is missing."),
                          QStringLiteral("Help File Missing"), icon);
    }
}

TEST(RealDialogs, AnInputBoxGivesWhatWasTypedOrNothingWhenCancelled) {
    const struct {
        const char* typed;  // nullptr: the default answer left as it is
        QDialogButtonBox::ButtonRole button;
        QString expected;
    } cases[] = {
        {"Zed", QDialogButtonBox::AcceptRole, QStringLiteral("Zed")},
        {nullptr, QDialogButtonBox::AcceptRole, QStringLiteral("Ann")},
        {"Zed", QDialogButtonBox::RejectRole, QString()},
        {nullptr, QDialogButtonBox::RejectRole, QString()},
    };
    for (const auto& c : cases) {
        ModalAnswers answers;
        answers.then<QInputDialog>([&c](QInputDialog* box) {
            EXPECT_EQ(box->windowTitle(), QStringLiteral("High Score!"));
            EXPECT_EQ(box->labelText(), QStringLiteral("Enter your name:"));
            auto* edit = box->findChild<QLineEdit*>();
            ASSERT_NE(edit, nullptr);
            EXPECT_EQ(edit->text(), QStringLiteral("Ann"));
            if (c.typed)
                edit->setText(QString::fromLatin1(c.typed));
            press(box, c.button);
        });
        EXPECT_EQ(dialogs().input(nullptr, QStringLiteral("Enter your name:"),
                                  QStringLiteral("High Score!"), QStringLiteral("Ann")),
                  c.expected);
    }
}

namespace {
// Types a name into a Save As dialog and presses Save.
std::function<void(QFileDialog*)> typeAndSave(const QString& name) {
    return [name](QFileDialog* d) {
        EXPECT_EQ(d->acceptMode(), QFileDialog::AcceptSave);
        EXPECT_EQ(d->nameFilters(), QStringList{QStringLiteral("Rich Text Files (*.rtf)")});
        EXPECT_EQ(d->defaultSuffix(), QStringLiteral("rtf"));
        auto* edit = d->findChild<QLineEdit*>(QStringLiteral("fileNameEdit"));
        ASSERT_NE(edit, nullptr);
        edit->setText(name);
        press(d, QDialogButtonBox::AcceptRole);
    };
}
}  // namespace

TEST(RealDialogs, SaveAsAddsTheDefaultSuffixAndAsksBeforeReplacingAFile) {
    QTemporaryDir dir;
    const QString filter = QStringLiteral("Rich Text Files (*.rtf)");
    auto save = [&filter] {
        return dialogs().saveFileName(nullptr, filter, QStringLiteral("rtf"));
    };
    {
        ModalAnswers answers;
        answers.then<QFileDialog>(typeAndSave(dir.filePath(QStringLiteral("tally"))));
        EXPECT_EQ(save(), dir.filePath(QStringLiteral("tally.rtf")));
    }
    QFile existing(dir.filePath(QStringLiteral("old.rtf")));
    ASSERT_TRUE(existing.open(QIODevice::WriteOnly));
    existing.close();
    {
        // No keeps the dialog open; Cancel then gives nothing.
        ModalAnswers answers;
        answers.then<QFileDialog>(typeAndSave(dir.filePath(QStringLiteral("old"))))
            .then<QMessageBox>([](QMessageBox* box) {
                EXPECT_TRUE(box->text().contains(QStringLiteral("old.rtf")))
                    << box->text().toStdString();
                press(box, QMessageBox::No);
            })
            .then<QFileDialog>([](QFileDialog* d) { press(d, QDialogButtonBox::RejectRole); });
        EXPECT_EQ(save(), QString());
    }
    {
        ModalAnswers answers;
        answers.then<QFileDialog>(typeAndSave(dir.filePath(QStringLiteral("old"))))
            .then<QMessageBox>([](QMessageBox* box) { press(box, QMessageBox::Yes); });
        EXPECT_EQ(save(), dir.filePath(QStringLiteral("old.rtf")));
    }
}

TEST(RealDialogs, ThePrinterDialogOffersNeitherSelectionNorFileAndCanBeCancelled) {
    for (const bool accept : {false, true}) {
        QPrinter printer;
        ModalAnswers answers;
        answers.then<QPrintDialog>([accept](QPrintDialog* d) {
            EXPECT_FALSE(d->testOption(QAbstractPrintDialog::PrintSelection));
            EXPECT_FALSE(d->testOption(QAbstractPrintDialog::PrintToFile));
            if (accept) {
                d->accept();
            } else {
                d->reject();
            }
        });
        EXPECT_EQ(dialogs().choosePrinter(nullptr, printer), accept);
    }
}
