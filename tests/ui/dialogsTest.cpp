// The real dialog layer (ui::dialogs() with nothing scripted): each real Qt
// dialog is driven offscreen by pressing its own buttons once it is shown.
#include <gtest/gtest.h>

#include <QApplication>
#include <QDialogButtonBox>
#include <QFile>
#include <QFileDialog>
#include <QInputDialog>
#include <QLineEdit>
#include <QMessageBox>
#include <QPrintDialog>
#include <QPrinter>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <functional>

#include "ui/dialogs.h"

using quillbox::ui::dialogs;

namespace {

// Answers the modal dialogs that open while it lives, in order, one answer
// each; every answer checks the dialog is of the kind it expects. A dialog
// still open five seconds later fails the test and is closed.
class ModalAnswers {
  public:
    explicit ModalAnswers(std::vector<std::function<void(QWidget*)>> answers)
        : answers_(std::move(answers)) {
        QObject::connect(&timer_, &QTimer::timeout, [this] {
            QWidget* w = QApplication::activeModalWidget();
            if (w && w->isVisible() && w != answered_ && next_ < answers_.size()) {
                answered_ = w;
                waited_ = 0;
                QTimer::singleShot(0, [this, w, i = next_++] { answers_[i](w); });
            } else if (w && ++waited_ > 500) {  // five seconds: not answered, or not closed
                ADD_FAILURE() << "a " << w->metaObject()->className() << " left open";
                static_cast<QDialog*>(w)->reject();
            }
        });
        timer_.start(10);
    }
    ~ModalAnswers() { EXPECT_EQ(next_, answers_.size()) << "dialog(s) not shown"; }

  private:
    std::vector<std::function<void(QWidget*)>> answers_;
    std::size_t next_ = 0;
    QWidget* answered_ = nullptr;
    int waited_ = 0;
    QTimer timer_;
};

template <class Dialog>
std::function<void(QWidget*)> answer(std::function<void(Dialog*)> act) {
    return [act](QWidget* w) {
        auto* d = qobject_cast<Dialog*>(w);
        ASSERT_NE(d, nullptr) << "an unexpected " << w->metaObject()->className();
        act(d);
    };
}

// Presses the dialog's button of that role (a file dialog's Save button is
// its relabelled Open button).
void press(QDialog* dialog, QDialogButtonBox::ButtonRole role) {
    auto* box = dialog->findChild<QDialogButtonBox*>();
    for (QAbstractButton* b : box->buttons())
        if (box->buttonRole(b) == role)
            return b->click();
    ADD_FAILURE() << "no button of role " << role;
}

}  // namespace

TEST(RealDialogs, AQuestionIsTrueForYesOrEnterAndFalseForNoOrEscape) {
    // The button clicked, or else the key pressed, and the answer it gives.
    for (const auto& [button, key, expected] : {std::tuple{QMessageBox::Yes, Qt::Key_unknown, true},
                                                {QMessageBox::No, Qt::Key_unknown, false},
                                                {QMessageBox::NoButton, Qt::Key_Return, true},
                                                {QMessageBox::NoButton, Qt::Key_Escape, false}}) {
        ModalAnswers answers{{answer<QMessageBox>([button, key](QMessageBox* box) {
            EXPECT_EQ(box->windowTitle() + box->text(), "Quit?Really quit?");
            EXPECT_EQ(box->standardButtons(), QMessageBox::Yes | QMessageBox::No);
            button ? box->button(button)->click() : QTest::keyClick(box, key);
        })}};
        EXPECT_EQ(dialogs().askYesNo(nullptr, "Really quit?", "Quit?"), expected);
    }
}

TEST(RealDialogs, AMessageShowsItsTextTitleAndIconWithOneOkButton) {
    using quillbox::ui::MessageIcon;
    for (const auto& [icon, shown] : {std::pair{MessageIcon::Critical, QMessageBox::Critical},
                                      {MessageIcon::Information, QMessageBox::Information},
                                      {MessageIcon::None, QMessageBox::NoIcon}}) {
        ModalAnswers answers{{answer<QMessageBox>([shown](QMessageBox* box) {
            EXPECT_EQ(box->windowTitle() + box->text(), "Help File MissingGone.");
            EXPECT_EQ(std::pair(box->icon(), box->standardButtons()),
                      std::pair(shown, QMessageBox::StandardButtons(QMessageBox::Ok)));
            box->button(QMessageBox::Ok)->click();
        })}};
        dialogs().message(nullptr, "Gone.", "Help File Missing", icon);
    }
}

TEST(RealDialogs, AnInputBoxGivesWhatWasTypedOrNothingWhenCancelled) {
    for (const auto& [typed, button, expected] :
         {std::tuple{"Zed", QDialogButtonBox::AcceptRole, "Zed"},
          {"", QDialogButtonBox::AcceptRole, "Ann"},  // the default answer left as it is
          {"Zed", QDialogButtonBox::RejectRole, ""}}) {
        ModalAnswers answers{{answer<QInputDialog>([typed, button](QInputDialog* box) {
            EXPECT_EQ(box->windowTitle() + box->labelText() + box->textValue(),
                      "High Score!Name:Ann");
            if (*typed)
                box->findChild<QLineEdit*>()->setText(typed);
            press(box, button);
        })}};
        EXPECT_EQ(dialogs().input(nullptr, "Name:", "High Score!", "Ann"), expected);
    }
}

TEST(RealDialogs, SaveAsAddsTheDefaultSuffixAndAsksBeforeReplacingAFile) {
    QTemporaryDir dir;
    QFile(dir.filePath("old.rtf")).open(QIODevice::WriteOnly);
    auto typeAndSave = [&dir](const char* name) {
        return answer<QFileDialog>([&dir, name](QFileDialog* d) {
            EXPECT_EQ(d->nameFilters(), QStringList{"Rich Text Files (*.rtf)"});
            d->findChild<QLineEdit*>("fileNameEdit")->setText(dir.filePath(name));
            press(d, QDialogButtonBox::AcceptRole);
        });
    };
    auto replace = [](QMessageBox::StandardButton button) {
        return answer<QMessageBox>([button](QMessageBox* box) {
            EXPECT_TRUE(box->text().contains("old.rtf"));
            box->button(button)->click();
        });
    };
    auto cancel =
        answer<QFileDialog>([](QFileDialog* d) { press(d, QDialogButtonBox::RejectRole); });
    const std::pair<std::vector<std::function<void(QWidget*)>>, const char*> cases[] = {
        {{typeAndSave("tally")}, "tally.rtf"},
        // No keeps the dialog open; Cancel then gives nothing.
        {{typeAndSave("old"), replace(QMessageBox::No), cancel}, nullptr},
        {{typeAndSave("old"), replace(QMessageBox::Yes)}, "old.rtf"},
    };
    for (const auto& [steps, saved] : cases) {
        ModalAnswers answers{steps};
        EXPECT_EQ(dialogs().saveFileName(nullptr, "Rich Text Files (*.rtf)", "rtf"),
                  saved ? dir.filePath(saved) : QString());
    }
}

TEST(RealDialogs, ThePrinterDialogOffersNeitherSelectionNorFileAndCanBeCancelled) {
    for (const bool accept : {false, true}) {
        QPrinter printer;
        ModalAnswers answers{{answer<QPrintDialog>([accept](QPrintDialog* d) {
            EXPECT_FALSE(d->testOption(QAbstractPrintDialog::PrintSelection));
            EXPECT_FALSE(d->testOption(QAbstractPrintDialog::PrintToFile));
            d->done(accept ? QDialog::Accepted : QDialog::Rejected);
        })}};
        EXPECT_EQ(dialogs().choosePrinter(nullptr, printer), accept);
    }
}
