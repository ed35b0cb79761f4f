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
#include <QTimer>
#include <deque>
#include <functional>

#include "ui/dialogs.h"

using quillbox::ui::dialogs;
using quillbox::ui::MessageIcon;

namespace {

// Answers the modal dialogs opened meanwhile, one step per dialog in order:
// a step waits until a dialog of its kind is the active modal widget, then
// answers it from a fresh event (answering may open a further modal dialog).
// A dialog no step expects is failed and closed after ten seconds.
class ModalAnswers {
  public:
    ModalAnswers() {
        QObject::connect(&timer_, &QTimer::timeout, [this] {
            QWidget* w = QApplication::activeModalWidget();
            if (!w || !w->isVisible() || w == answering_)
                return;
            if (!steps_.empty() && steps_.front().first(w)) {
                answering_ = w;
                QTimer::singleShot(0, [this, w, answer = steps_.front().second] {
                    answering_ = nullptr;
                    answer(w);
                });
                steps_.pop_front();
            } else if (++waited_ > 1000) {
                ADD_FAILURE() << "an unexpected " << w->metaObject()->className();
                static_cast<QDialog*>(w)->reject();
            }
        });
        timer_.start(10);
    }
    ~ModalAnswers() { EXPECT_TRUE(steps_.empty()) << steps_.size() << " dialog(s) not shown"; }

    template <class Dialog>
    ModalAnswers& then(std::function<void(Dialog*)> answer) {
        steps_.emplace_back([](QWidget* w) { return qobject_cast<Dialog*>(w) != nullptr; },
                            [answer](QWidget* w) { answer(qobject_cast<Dialog*>(w)); });
        return *this;
    }

  private:
    std::deque<std::pair<std::function<bool(QWidget*)>, std::function<void(QWidget*)>>> steps_;
    QTimer timer_;
    QWidget* answering_ = nullptr;
    int waited_ = 0;
};

// Presses the dialog's button of that role (a file dialog's Save button is
// its relabelled Open button).
void press(QDialog* dialog, QDialogButtonBox::ButtonRole role) {
    auto* box = dialog->findChild<QDialogButtonBox*>();
    for (QAbstractButton* b : box ? box->buttons() : QList<QAbstractButton*>{}) {
        if (box->buttonRole(b) == role)
            return b->click();
    }
    ADD_FAILURE() << "no button of role " << role;
    dialog->reject();
}

}  // namespace

TEST(RealDialogs, AQuestionIsTrueForYesAndFalseForNo) {
    for (const auto& [button, expected] :
         {std::pair{QMessageBox::Yes, true}, {QMessageBox::No, false}}) {
        ModalAnswers answers;
        answers.then<QMessageBox>([button](QMessageBox* box) {
            EXPECT_EQ(box->windowTitle() + box->text(), QStringLiteral("Quit?Really quit?"));
            EXPECT_EQ(box->standardButtons(), QMessageBox::Yes | QMessageBox::No);
            box->button(button)->click();
        });
        EXPECT_EQ(
            dialogs().askYesNo(nullptr, QStringLiteral("Really quit?"), QStringLiteral("Quit?")),
            expected);
    }
}

TEST(RealDialogs, AMessageShowsItsTextTitleAndIconWithOneOkButton) {
    for (const auto& [icon, shown] : {std::pair{MessageIcon::Critical, QMessageBox::Critical},
                                      {MessageIcon::Information, QMessageBox::Information},
                                      {MessageIcon::None, QMessageBox::NoIcon}}) {
        ModalAnswers answers;
        answers.then<QMessageBox>([shown](QMessageBox* box) {
            EXPECT_EQ(box->windowTitle() + box->text(), QStringLiteral("Help File MissingGone."));
            EXPECT_EQ(box->icon(), shown);
            EXPECT_EQ(box->standardButtons(), QMessageBox::Ok);
            box->button(QMessageBox::Ok)->click();
        });
        dialogs().message(nullptr, QStringLiteral("Gone."), QStringLiteral("Help File Missing"),
                          icon);
    }
}

TEST(RealDialogs, AnInputBoxGivesWhatWasTypedOrNothingWhenCancelled) {
    const struct {
        QString typed;  // empty: the default answer left as it is
        QDialogButtonBox::ButtonRole button;
        QString expected;
    } cases[] = {
        {QStringLiteral("Zed"), QDialogButtonBox::AcceptRole, QStringLiteral("Zed")},
        {QString(), QDialogButtonBox::AcceptRole, QStringLiteral("Ann")},
        {QStringLiteral("Zed"), QDialogButtonBox::RejectRole, QString()},
        {QString(), QDialogButtonBox::RejectRole, QString()},
    };
    for (const auto& c : cases) {
        ModalAnswers answers;
        answers.then<QInputDialog>([&c](QInputDialog* box) {
            EXPECT_EQ(box->windowTitle() + box->labelText(), QStringLiteral("High Score!Name:"));
            auto* edit = box->findChild<QLineEdit*>();
            EXPECT_EQ(edit->text(), QStringLiteral("Ann"));
            if (!c.typed.isEmpty())
                edit->setText(c.typed);
            press(box, c.button);
        });
        EXPECT_EQ(dialogs().input(nullptr, QStringLiteral("Name:"), QStringLiteral("High Score!"),
                                  QStringLiteral("Ann")),
                  c.expected);
    }
}

TEST(RealDialogs, SaveAsAddsTheDefaultSuffixAndAsksBeforeReplacingAFile) {
    QTemporaryDir dir;
    QFile existing(dir.filePath(QStringLiteral("old.rtf")));
    ASSERT_TRUE(existing.open(QIODevice::WriteOnly));
    existing.close();
    auto typeAndSave = [&dir](const char* name) {
        return std::function<void(QFileDialog*)>([&dir, name](QFileDialog* d) {
            EXPECT_EQ(d->acceptMode(), QFileDialog::AcceptSave);
            EXPECT_EQ(d->nameFilters(), QStringList{QStringLiteral("Rich Text Files (*.rtf)")});
            d->findChild<QLineEdit*>(QStringLiteral("fileNameEdit"))
                ->setText(dir.filePath(QString::fromLatin1(name)));
            press(d, QDialogButtonBox::AcceptRole);
        });
    };
    auto replace = [](QMessageBox::StandardButton answer) {
        return std::function<void(QMessageBox*)>([answer](QMessageBox* box) {
            EXPECT_TRUE(box->text().contains(QStringLiteral("old.rtf")))
                << box->text().toStdString();
            box->button(answer)->click();
        });
    };
    auto save = [] {
        return dialogs().saveFileName(nullptr, QStringLiteral("Rich Text Files (*.rtf)"),
                                      QStringLiteral("rtf"));
    };
    {
        ModalAnswers answers;
        answers.then(typeAndSave("tally"));
        EXPECT_EQ(save(), dir.filePath(QStringLiteral("tally.rtf")));
    }
    {
        ModalAnswers answers;  // No keeps the dialog open; Cancel then gives nothing
        answers.then(typeAndSave("old"))
            .then(replace(QMessageBox::No))
            .then<QFileDialog>([](QFileDialog* d) { press(d, QDialogButtonBox::RejectRole); });
        EXPECT_EQ(save(), QString());
    }
    {
        ModalAnswers answers;
        answers.then(typeAndSave("old")).then(replace(QMessageBox::Yes));
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
            d->done(accept ? QDialog::Accepted : QDialog::Rejected);
        });
        EXPECT_EQ(dialogs().choosePrinter(nullptr, printer), accept);
    }
}
