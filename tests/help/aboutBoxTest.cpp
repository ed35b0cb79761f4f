// The about box: shown modally over the game window that asks for it, filled
// from the program's identity data, closed by OK, Enter, Esc or its close box.
#include <gtest/gtest.h>

#include <QApplication>
#include <QLabel>
#include <QPushButton>
#include <QTest>
#include <QTimer>
#include <functional>

#include "help/frmAbout.h"
#include "help/helpMenu.h"
#include "help/programIdentity.h"
#include "support/windowChecks.h"

using quillbox::help::frmAbout;

namespace {

// Opens the about box from `caller` and runs `inside` once it is up; `inside`
// must close it, else the test fails.
void whileOpen(QWidget& caller, const std::function<void(frmAbout&)>& inside) {
    QTimer::singleShot(0, [&] { inside(frmAbout::instance()); });
    QTimer stillOpen;
    QObject::connect(&stillOpen, &QTimer::timeout, [] {
        ADD_FAILURE() << "the about box stayed open";
        frmAbout::instance().done(0);
    });
    stillOpen.start(2000);
    quillbox::help::showAboutBox(&caller);  // returns once the box has closed
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_FALSE(frmAbout::loaded());
}

TEST(AboutBox, ShowsThisBuildsIdentityModallyOverTheCallingWindow) {
    QWidget game;
    game.show();
    whileOpen(game, [&game](frmAbout& box) {
        EXPECT_EQ(QApplication::activeModalWidget(), &box);
        EXPECT_EQ(box.parentWidget(), &game);
        EXPECT_EQ(box.windowTitle(), "About Quillbox");
        EXPECT_EQ(box.lblTitle->text(), "Quillbox");
        EXPECT_EQ(box.lblVersion->text(), "Version 3.1.0");
        EXPECT_EQ(box.lblDescription->text(),
                  "Have fun learning two-letter and three-letter words.");
        EXPECT_EQ(box.lblDisclaimer->text(), quillbox::help::programIdentity().comments);
        for (const QLabel* label : box.findChildren<QLabel*>())
            EXPECT_TRUE(quillbox::testing::showsWholeText(*label)) << label->text().toStdString();
        EXPECT_EQ(box.picIcon->pixmap().size(), QSize(32, 32));
        EXPECT_EQ(quillbox::testing::unnamedControls(&box).join(" ").toStdString(), "");
        box.cmdOK->click();
    });
}

TEST(AboutBox, OkEnterEscAndTheCloseBoxCloseItAndEachOpeningStartsAfresh) {
    QWidget game;
    const std::function<void(frmAbout&)> closers[] = {
        [](frmAbout& box) { QTest::mouseClick(box.cmdOK, Qt::LeftButton); },
        [](frmAbout& box) { QTest::keyClick(&box, Qt::Key_Return); },
        [](frmAbout& box) { QTest::keyClick(&box, Qt::Key_Escape); },
        [](frmAbout& box) { box.close(); },
    };
    for (const auto& close : closers) {
        whileOpen(game, [&close](frmAbout& box) {
            EXPECT_EQ(box.lblVersion->text(), "Version 3.1.0");
            box.lblVersion->setText(QStringLiteral("changed"));
            close(box);
        });
    }
}

}  // namespace
