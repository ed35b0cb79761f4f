// Plays the start of a Classic game in learn mode and saves a picture of the
// window: classicSnapshot <output.png>. With --drag first, the picture is of a
// tile carried over another, taken from the screen. For the documentation;
// run it on a real display (or under xvfb-run).
#include <QApplication>
#include <QTest>
#include <QTimer>
#include <cstdio>

#include <QPrinter>
#include <QPushButton>
#include <QScreen>
#include "classic/classicGame.h"
#include "classic/frmMain.h"
#include "classic/rackWidgets.h"
#include "core/random.h"
#include "support/scriptedRandom.h"
#include "ui/appearance.h"
#include "ui/dialogs.h"

using namespace quillbox;
using namespace quillbox::classic;
using namespace quillbox::core;

namespace {
void clickTile(quillbox::classic::frmMain& w, int slot) {
    QTest::mouseClick(w.lblTile[slot], Qt::LeftButton);
}
void doubleClickTile(quillbox::classic::frmMain& w, int slot) {
    auto* t = w.lblTile[slot];
    QTest::mouseClick(t, Qt::LeftButton);
    QTest::mousePress(t, Qt::LeftButton);
    QTest::mouseDClick(t, Qt::LeftButton);
    QTest::mouseRelease(t, Qt::LeftButton);
}
}  // namespace

int main(int argc, char** argv) {
    const bool drag = argc == 3 && QByteArray(argv[1]) == "--drag";
    if (argc != 2 && !drag) {
        std::fprintf(stderr, "usage: classicSnapshot [--drag] <output.png>\n");
        return 2;
    }
    QApplication app(argc, argv);
    ui::setUpApplication();

    // First rack X I E N Q A and a blank; then D O G H A E and the other blank.
    std::string bag = testing::kFillOrder;
    std::string front = "XIENQA_DOGHA_E";
    for (char c : front)
        bag.erase(bag.find(c), 1);
    testing::ScriptedRandom random;
    for (double v : testing::shuffleScript(testing::kFillOrder, front + bag))
        random.push(v);
    setApplicationRandom(&random);

    // The blank is asked for twice: once it stands for T.
    struct Answers : ui::DialogPort {
        void message(QWidget*, const QString&, const QString&, ui::MessageIcon) override {}
        bool askYesNo(QWidget*, const QString&, const QString&) override { return true; }
        QString input(QWidget*, const QString&, const QString&, const QString&) override {
            return QStringLiteral("T");
        }
        QString saveFileName(QWidget*, const QString&, const QString&) override { return {}; }
        bool choosePrinter(QWidget*, QPrinter&) override { return false; }
    } answers;
    ui::setDialogs(&answers);

    const QString out = QString::fromLocal8Bit(argv[argc - 1]);
    int status = 1;
    QTimer::singleShot(0, [&] {
        auto& w = frmMain::instance();
        w.show();
        const bool exposed = QTest::qWaitForWindowExposed(&w);
        QTest::mouseClick(w.cmdStartGame, Qt::LeftButton);
        if (drag) {
            // Carry the X low over the N, where the carried copy covers the top of it.
            auto* from = w.lblTile[0];
            const QRect to = w.slotRect(3);
            QTest::mousePress(from, Qt::LeftButton, {}, from->rect().center());
            for (int step = 1; step <= 4; ++step)
                QTest::mouseMove(from, from->mapFrom(w.client, to.center() * step / 4 +
                                                                   QPoint(0, to.height() / 3)));
            QTest::qWait(300);
            const QRect frame(w.mapToGlobal(QPoint(0, 0)), w.size());
            status =
                exposed && w.screen()
                               ->grabWindow(0, frame.x(), frame.y(), frame.width(), frame.height())
                               .save(out)
                    ? 0
                    : 1;
            QTest::mouseRelease(from, Qt::LeftButton, {}, from->rect().center());
            delete &w;
            QApplication::quit();
            return;
        }
        clickTile(w, 0);
        clickTile(w, 1);  // XI
        QTest::mouseClick(w.cmdPlayWord, Qt::LeftButton);
        clickTile(w, 2);
        clickTile(w, 3);  // EN
        QTest::mouseClick(w.cmdPlayWord, Qt::LeftButton);
        clickTile(w, 4);
        clickTile(w, 5);
        doubleClickTile(w, 6);  // the blank becomes T: QAT, and the rack is clear
        QTest::mouseClick(w.cmdPlayWord, Qt::LeftButton);
        QTest::mouseClick(w.cmdDrawTiles, Qt::LeftButton);
        clickTile(w, 0);
        clickTile(w, 2);  // DG, not a word
        QTest::mouseClick(w.cmdPlayWord, Qt::LeftButton);
        clickTile(w, 3);
        clickTile(w, 4);  // HA: its definition shows
        QTest::qWait(200);
        status = exposed && w.grab().save(out) ? 0 : 1;
        // Deleted rather than closed: closing would ask about the game in progress.
        delete &w;
        QApplication::quit();
    });
    QApplication::exec();
    return status;
}
