// The about box: shown modally from the Help menu, filled from the program's
// identity data, closed by OK, Enter, Esc or the close box.
#include <gtest/gtest.h>

#include <QApplication>
#include <QFrame>
#include <QLabel>
#include <QPushButton>
#include <QTest>
#include <QTimer>
#include <functional>

#include "help/frmAbout.h"
#include "help/helpMenu.h"
#include "help/programIdentity.h"

using quillbox::help::frmAbout;
using quillbox::help::programIdentity;
using quillbox::help::showAboutBox;

namespace {

// Runs `inside` once the about box is up, then `close`, which must end the
// modal loop. True when the box is gone afterwards.
bool whileAboutBoxIsOpen(const std::function<void(frmAbout&)>& inside,
                         const std::function<void(frmAbout&)>& close, QWidget* caller = nullptr) {
    bool ran = false;
    QTimer::singleShot(0, [&] {
        ASSERT_TRUE(frmAbout::loaded());
        frmAbout& box = frmAbout::instance();
        EXPECT_TRUE(QTest::qWaitForWindowExposed(&box));
        inside(box);
        close(box);
        ran = true;
        // Should the step not have closed it, end the loop so the test fails
        // instead of hanging.
        QTimer::singleShot(500, [] {
            if (frmAbout::loaded() && frmAbout::instance().isVisible()) {
                ADD_FAILURE() << "the about box did not close";
                frmAbout::instance().done(0);
            }
        });
    });
    showAboutBox(caller);  // returns only once the dialog has closed
    EXPECT_TRUE(ran);
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    return !frmAbout::loaded();
}

TEST(AboutBox, AFixedDialogShowingTheIdentityOfThisBuildOverTheCallingWindow) {
    QWidget gameWindow;
    gameWindow.show();
    const auto inside = [&gameWindow](frmAbout& box) {
        EXPECT_EQ(QApplication::activeModalWidget(), &box);
        EXPECT_EQ(box.parentWidget(), &gameWindow);
        EXPECT_EQ(box.windowTitle(), "About Quillbox");
        EXPECT_EQ(box.lblTitle->text(), "Quillbox");
        EXPECT_EQ(box.lblVersion->text(), "Version 3.1.0");
        EXPECT_EQ(box.lblDescription->text(),
                  "Have fun learning two-letter and three-letter words.");
        EXPECT_EQ(box.lblDisclaimer->text(), programIdentity().comments);
        EXPECT_TRUE(box.lblDisclaimer->text().contains("the Quillbox authors"));
        EXPECT_TRUE(box.lblDisclaimer->text().contains("North American"));

        EXPECT_EQ(box.minimumSize(), box.maximumSize());
        EXPECT_FALSE(box.windowFlags() & Qt::WindowMinMaxButtonsHint);
        EXPECT_TRUE(box.windowFlags() & Qt::WindowCloseButtonHint);
        EXPECT_EQ(box.cmdOK->text(), "OK");
        EXPECT_TRUE(box.cmdOK->isDefault());
        EXPECT_EQ(box.picIcon->pixmap().size(), QSize(32, 32));
        // The wrapped texts fit their labels: nothing is cut off.
        for (QLabel* l : {box.lblDescription, box.lblDisclaimer}) {
            EXPECT_TRUE(l->wordWrap());
            EXPECT_LE(l->heightForWidth(l->width()), l->height()) << l->text().toStdString();
        }
        // The etched separator: grey above white, one pixel apart.
        EXPECT_EQ(box.Line1[1]->geometry().top() + 1, box.Line1[0]->geometry().top());
        EXPECT_EQ(box.Line1[0]->palette().color(QPalette::Window), QColor(Qt::white));
        EXPECT_EQ(box.Line1[1]->palette().color(QPalette::Window), QColor(128, 128, 128));
        EXPECT_EQ(box.Line1[1]->height(), 1);
    };
    EXPECT_TRUE(whileAboutBoxIsOpen(
        inside, [](frmAbout& box) { box.cmdOK->click(); }, &gameWindow));
}

TEST(AboutBox, EnterEscAndTheCloseBoxCloseItAndEachOpeningBuildsItAfresh) {
    const auto key = [](Qt::Key k) {
        return [k](frmAbout& box) {
            QTest::keyClick(box.focusWidget() ? box.focusWidget() : &box, k);
        };
    };
    EXPECT_TRUE(whileAboutBoxIsOpen([](frmAbout& box) { box.lblVersion->setText("changed"); },
                                    key(Qt::Key_Return)));
    EXPECT_TRUE(whileAboutBoxIsOpen(
        [](frmAbout& box) { EXPECT_EQ(box.lblVersion->text(), "Version 3.1.0"); },
        key(Qt::Key_Escape)));
    EXPECT_TRUE(whileAboutBoxIsOpen([](frmAbout&) {}, [](frmAbout& box) { box.close(); }));
}

}  // namespace
