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

using quillbox::frmAbout;
using quillbox::programIdentity;
using quillbox::showAboutBox;

namespace {

// Runs `inside` once the about box is up, then expects `close` to end the
// modal loop. Returns false if the box was still open after the closing step.
bool whileAboutBoxIsOpen(const std::function<void(frmAbout&)>& inside,
                         const std::function<void(frmAbout&)>& close, QWidget* caller = nullptr) {
    bool ran = false;
    bool closedByStep = false;
    QTimer::singleShot(0, [&] {
        ran = true;
        EXPECT_TRUE(frmAbout::loaded());
        if (!frmAbout::loaded())
            return;
        frmAbout& box = frmAbout::instance();
        EXPECT_TRUE(QTest::qWaitForWindowExposed(&box));
        inside(box);
        close(box);
        closedByStep = true;
        // Should the step not have closed it, end the loop so the test fails
        // instead of hanging.
        QTimer::singleShot(500, [] {
            if (frmAbout::loaded() && frmAbout::instance().isVisible()) {
                ADD_FAILURE() << "the about box did not close";
                frmAbout::instance().done(0);
            }
        });
    });
    showAboutBox(caller);
    // showAboutBox returns only once the dialog has closed.
    EXPECT_TRUE(ran);
    EXPECT_TRUE(closedByStep);
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    return !frmAbout::loaded();
}

void noCheck(frmAbout&) {}

TEST(AboutBox, ShowsTheIdentityOfThisBuildOverTheCallingWindow) {
    QWidget gameWindow;
    gameWindow.show();
    const bool closed = whileAboutBoxIsOpen(
        [&gameWindow](frmAbout& box) {
            EXPECT_EQ(box.windowTitle(), "About Quillbox");
            EXPECT_EQ(box.lblTitle->text(), "Quillbox");
            EXPECT_EQ(box.lblVersion->text(), "Version 3.1.0");
            EXPECT_EQ(box.lblDescription->text(),
                      "Have fun learning two-letter and three-letter words.");
            EXPECT_TRUE(box.lblDisclaimer->text().contains("the Quillbox authors"));
            EXPECT_TRUE(box.lblDisclaimer->text().contains("North American"));
            EXPECT_TRUE(box.isModal());
            EXPECT_EQ(QApplication::activeModalWidget(), &box);
            EXPECT_EQ(box.parentWidget(), &gameWindow);
            EXPECT_TRUE(box.isWindow());
        },
        [](frmAbout& box) { box.cmdOK->click(); }, &gameWindow);
    EXPECT_TRUE(closed);
}

TEST(AboutBox, VersionTextFollowsTheIdentityNumbers) {
    // A revision of 0 is still written out.
    const auto& id = programIdentity();
    EXPECT_EQ(id.major, 3);
    EXPECT_EQ(id.minor, 1);
    EXPECT_EQ(id.revision, 0);
    EXPECT_EQ(id.title, "Quillbox");
    EXPECT_FALSE(id.comments.isEmpty());
}

TEST(AboutBox, LaidOutAsAFixedDialogWithAnEtchedSeparator) {
    EXPECT_TRUE(whileAboutBoxIsOpen(
        [](frmAbout& box) {
            EXPECT_EQ(box.size(), QSize(382, 237));
            EXPECT_EQ(box.minimumSize(), box.maximumSize());
            EXPECT_FALSE(box.windowFlags() & Qt::WindowMinimizeButtonHint);
            EXPECT_FALSE(box.windowFlags() & Qt::WindowMaximizeButtonHint);
            EXPECT_TRUE(box.windowFlags() & Qt::WindowCloseButtonHint);
            EXPECT_EQ(box.cmdOK->text(), "OK");
            EXPECT_TRUE(box.cmdOK->isDefault());
            EXPECT_EQ(box.cmdOK->geometry(), QRect(283, 175, 84, 23));
            EXPECT_EQ(box.picIcon->pixmap().size(), QSize(32, 32));
            EXPECT_DOUBLE_EQ(box.lblTitle->font().pointSizeF(), 18.0);
            // The wrapped texts fit their labels: nothing is cut off.
            for (QLabel* l : {box.lblDescription, box.lblDisclaimer}) {
                EXPECT_TRUE(l->wordWrap());
                EXPECT_LE(l->heightForWidth(l->width()), l->height()) << l->text().toStdString();
            }
            // Grey above white, one pixel apart.
            EXPECT_EQ(box.Line1[1]->geometry().top() + 1, box.Line1[0]->geometry().top());
            EXPECT_EQ(box.Line1[0]->palette().color(QPalette::Window), QColor(Qt::white));
            EXPECT_EQ(box.Line1[1]->palette().color(QPalette::Window), QColor(128, 128, 128));
            EXPECT_EQ(box.Line1[0]->height(), 2);
            EXPECT_EQ(box.Line1[1]->height(), 1);
        },
        [](frmAbout& box) { QTest::keyClick(&box, Qt::Key_Escape); }));
}

TEST(AboutBox, EnterEscAndTheCloseBoxAllCloseIt) {
    EXPECT_TRUE(whileAboutBoxIsOpen(noCheck, [](frmAbout& box) {
        QTest::keyClick(box.focusWidget() ? box.focusWidget() : &box, Qt::Key_Return);
    }));
    EXPECT_TRUE(whileAboutBoxIsOpen(noCheck, [](frmAbout& box) {
        QTest::keyClick(box.focusWidget() ? box.focusWidget() : &box, Qt::Key_Escape);
    }));
    EXPECT_TRUE(whileAboutBoxIsOpen(noCheck, [](frmAbout& box) { box.close(); }));
}

TEST(AboutBox, EachOpeningBuildsTheDialogAfresh) {
    EXPECT_TRUE(whileAboutBoxIsOpen([](frmAbout& box) { box.lblVersion->setText("changed"); },
                                    [](frmAbout& box) { box.cmdOK->click(); }));
    EXPECT_TRUE(whileAboutBoxIsOpen(
        [](frmAbout& box) { EXPECT_EQ(box.lblVersion->text(), "Version 3.1.0"); },
        [](frmAbout& box) { box.cmdOK->click(); }));
}

}  // namespace
