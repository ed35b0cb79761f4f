// Shows the high-score window with a few entries and saves its picture:
//   highScoresSnapshot <output.png>
// For the documentation; run it on a real display (or under xvfb-run).
#include <QApplication>
#include <QTest>
#include <QTimer>
#include <cstdio>

#include "scoreTestFiles.h"
#include "scores/frmHighScores.h"
#include "scores/scoreFile.h"
#include "ui/appearance.h"
#include "ui/programFolder.h"

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: highScoresSnapshot <output.png>\n");
        return 2;
    }
    QApplication app(argc, argv);
    quillbox::ui::setUpApplication();

    scoretest::TempFolder dir;
    quillbox::scores::ScoreFile table(dir.path);
    table.addScore("Margaret", 112);
    table.addScore("Zoë", 97);
    table.addScore("Tom", 85);
    table.addScore("Priya", 97);
    table.addScore("Sam", 64);
    table.addScore("NAME", 41);
    quillbox::ui::setProgramFolderForTesting(QString::fromStdString(dir.path));

    const QString out = QString::fromLocal8Bit(argv[1]);
    int status = 1;
    QTimer::singleShot(0, [&] {
        auto& w = quillbox::scores::frmHighScores::instance();
        const bool exposed = QTest::qWaitForWindowExposed(&w);
        QTest::qWait(200);
        status = exposed && w.grab().save(out) ? 0 : 1;
        w.close();
    });
    quillbox::scores::frmHighScores::showModal();
    return status;
}
