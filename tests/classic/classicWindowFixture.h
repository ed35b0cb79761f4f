#pragma once
// The Classic window driven through its real widgets, offscreen, with a
// scripted bag, scripted dialogs and a program folder of its own.
#include <gtest/gtest.h>

#include <QApplication>
#include <QCheckBox>
#include <QLabel>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>

#include "classic/classicGame.h"
#include "classic/frmMain.h"
#include "classic/rackWidgets.h"
#include "support/scriptedRandom.h"
#include "core/frmLaunchpad.h"
#include "support/scriptedDialogs.h"
#include "ui/programFolder.h"
#include "ui/richTextBox.h"
#include "ui/rtf/rtfDocument.h"

inline void PrintTo(const QString& s, std::ostream* os) {
    *os << '"' << s.toStdString() << '"';
}

namespace quillbox::testing {
using namespace quillbox::classic;
using namespace quillbox::core;

class ClassicWindow : public ::testing::Test {
  protected:
    void SetUp() override {
        ASSERT_TRUE(folder.isValid());
        ui::setProgramFolderForTesting(folder.path());
        core::setApplicationRandom(&random);
        w = &frmMain::instance();
        w->show();
        w->activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(w));
    }
    void TearDown() override {
        if (frmMain::loaded()) {
            dialogs.yesNoAnswers = {true};  // a game in progress asks first
            w->close();
        }
        core::frmLaunchpad::unload();
        QApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        core::setApplicationRandom(nullptr);
        ui::setProgramFolderForTesting(QString());
    }

    void start(const std::string& front) {
        for (double v : shuffleScript(kFillOrder, bagStartingWith(front)))
            random.push(v);
        w->cmdStartGame->click();
    }
    // One character per slot: '.' empty, upper case a tile, lower case a selected tile.
    QString rack() const {
        QString s;
        for (auto* t : w->lblTile)
            s += !t->occupied() ? QString(".") : t->selected() ? t->text().toLower() : t->text();
        return s;
    }
    // A point of slot i in the client area, fx of the way across and fy down.
    QPoint at(int i, double fx = 0.5, double fy = 0.5) const {
        const QRect r = w->slotRect(i);
        return r.topLeft() + QPoint(int(r.width() * fx), int(r.height() * fy));
    }
    // Presses the tile of slot `from` and moves through `path` (the pressed
    // tile gets the moves, as on a real screen); releases at the last point.
    void drag(int from, const std::vector<QPoint>& path, bool release = true) {
        auto* t = w->lblTile[from];
        QTest::mousePress(t, Qt::LeftButton, {}, t->rect().center());
        for (const QPoint& p : path)
            QTest::mouseMove(t, t->mapFrom(w->client, p));
        if (release)
            QTest::mouseRelease(t, Qt::LeftButton, {}, t->mapFrom(w->client, path.back()));
    }
    void click(int i) { QTest::mouseClick(w->lblTile[i], Qt::LeftButton); }
    // The lines of a rich-text box: the text with underlined letters in lower
    // case, then the colour ("QaT     1 #000000").
    static QStringList lines(const ui::RichTextBox& box) {
        QStringList out;
        for (const auto& par : ui::rtf::readRtf(box.textRTF().toStdString()).paragraphs) {
            QString line;
            ui::rtf::Color c;
            for (const auto& run : par.runs) {
                const QString text = QString::fromStdU16String(run.text);
                line += run.format.underline ? text.toLower() : text;
                c = run.format.color.value_or(c);
            }
            out << (line.isEmpty() ? line : line + ' ' + QColor(c.red, c.green, c.blue).name());
        }
        return out;
    }

    QTemporaryDir folder;
    ScriptedRandom random;
    ScriptedDialogs dialogs;
    frmMain* w = nullptr;
};

}  // namespace quillbox::testing
