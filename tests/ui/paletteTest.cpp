// Every window stays readable on a dark desktop: a dark theme (or, without
// one, its palette put in place as a theme does) is there before the program
// sets itself up, and each text must then stand out from what is painted
// behind it by at least the 4.5:1 contrast that accessibility guidelines ask.
#include <gtest/gtest.h>

#include <QAbstractScrollArea>
#include <QApplication>
#include <QListWidget>
#include <QMenuBar>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>
#include <cmath>
#include <functional>
#include <map>

#include "classic/classicGame.h"
#include "classic/frmMain.h"
#include "core/frmLaunchpad.h"
#include "crossword/frmCrossword.h"
#include "help/frmAbout.h"
#include "help/frmRules.h"
#include "help/helpMenu.h"
#include "scores/frmHighScores.h"
#include "support/scriptedDialogs.h"
#include "ui/appearance.h"
#include "ui/maskedLetterBox.h"
#include "ui/programFolder.h"

namespace {

double luminance(QRgb c) {
    const auto linear = [](int v) {
        const double s = v / 255.0;
        return s <= 0.04045 ? s / 12.92 : std::pow((s + 0.055) / 1.055, 2.4);
    };
    return 0.2126 * linear(qRed(c)) + 0.7152 * linear(qGreen(c)) + 0.0722 * linear(qBlue(c));
}

double contrast(QRgb a, QRgb b) {
    const double la = luminance(a);
    const double lb = luminance(b);
    return (std::max(la, lb) + 0.05) / (std::min(la, lb) + 0.05);
}

// Takes the text out of a widget and returns it ("" for a widget without
// text of its own), so that a second picture shows what lies behind it.
QString takeText(QWidget* w) {
    QString text;
    if (auto* list = qobject_cast<QListWidget*>(w)) {
        for (int i = 0; i < list->count(); ++i) {
            text += list->item(i)->text();
            list->item(i)->setText({});
        }
    }
    if (auto* bar = qobject_cast<QMenuBar*>(w)) {
        for (QAction* a : bar->actions()) {
            text += a->text();
            a->setText({});
        }
    }
    for (const char* property : {"text", "plainText"}) {
        if (text.isEmpty() && w->property(property).isValid()) {
            text = w->property(property).toString();
            w->setProperty(property, QString());
        }
    }
    return text;
}

// Checks every enabled text of a shown window: the pixels that change when
// the text goes are its letters, and the best of them must contrast enough
// with what is painted there without it. Disabled text is exempt, as the
// guidelines exempt inactive controls. The window goes afterwards.
void expectReadable(QWidget& window) {
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&window));
    const QImage shown = window.grab().toImage();
    std::vector<std::pair<QString, QRect>> texts;
    for (QWidget* w : window.findChildren<QWidget*>()) {
        if (!w->isVisible() || !w->isEnabled())
            continue;
        // A text box's scroll bars come and go with its text; its page stays.
        auto* box = qobject_cast<QAbstractScrollArea*>(w);
        QWidget* page = box ? box->viewport() : w;
        if (const QString text = takeText(w); !text.trimmed().isEmpty())
            texts.push_back({text.left(30).replace(QLatin1Char('\n'), QLatin1Char('|')),
                             QRect(page->mapTo(&window, QPoint()), page->size())});
    }
    QImage bare = window.grab().toImage();

    if (texts.empty()) {  // a window that paints its text itself, on its own background
        bare.fill(window.palette().color(QPalette::Window));
        texts.push_back({window.windowTitle(), window.rect()});
    }
    for (const auto& [text, rect] : texts) {
        // Per colour behind the text (a selection, a red cell): how many of
        // the text's pixels lie on it, and the best contrast among them.
        std::map<QRgb, std::pair<int, double>> behind;
        for (int y = rect.top(); y <= rect.bottom(); ++y) {
            for (int x = rect.left(); x <= rect.right(); ++x) {
                if (shown.pixel(x, y) == bare.pixel(x, y))
                    continue;
                auto& [pixels, best] = behind[bare.pixel(x, y)];
                ++pixels;
                best = std::max(best, contrast(shown.pixel(x, y), bare.pixel(x, y)));
            }
        }
        EXPECT_FALSE(behind.empty()) << text.toStdString() << " is invisible";
        for (const auto& [background, seen] : behind)
            EXPECT_TRUE(seen.first < 20 || seen.second >= 4.5)
                << window.windowTitle().toStdString() << ": " << text.toStdString() << " on "
                << QColor(background).name().toStdString() << ", " << seen.second << ":1";
    }
    window.close();
}

TEST(DarkDesktop, EveryWindowKeepsItsTextReadable) {
    QTemporaryDir folder;
    quillbox::ui::setProgramFolderForTesting(folder.path());
    quillbox::testing::ScriptedDialogs dialogs;
    dialogs.yesNoAnswers.push_back(true);  // leave the game in progress
    const std::vector<std::function<QWidget&()>> windows{
        [] {
            auto& pad = quillbox::core::frmLaunchpad::instance();
            pad.mskWord->setText(QStringLiteral("qat"));
            return std::ref(pad);
        },
        [] {
            auto& classic = quillbox::classic::frmMain::instance();
            classic.cmdStartGame->click();  // in learn mode
            for (int tile : {0, 1})
                classic.game().toggleTile(tile);
            return std::ref(classic);
        },
        [] {
            auto& crossword = quillbox::crossword::frmCrossword::instance();
            crossword.cmdGenerate->click();
            for (int cell = 0; crossword.openCell() < 0; ++cell)
                crossword.lblBox_Click(cell);
            QTest::keyClicks(crossword.mskBox[crossword.openCell()], "e");
            crossword.cmdCheckSolution->click();  // a red cell beside white ones
            return std::ref(crossword);
        },
        [] {
            quillbox::help::openRulesViewer(nullptr);
            auto& rules = quillbox::help::frmRules::instance();
            rules.lstContents->setCurrentRow(6);
            return std::ref(rules);
        },
        [] { return std::ref(quillbox::help::frmAbout::instance()); },
        [] { return std::ref(quillbox::scores::frmHighScores::instance()); },
    };
    for (const auto& open : windows) {
        QWidget& window = open();
        window.show();
        expectReadable(window);
    }
    quillbox::ui::setProgramFolderForTesting({});
}

}  // namespace

int main(int argc, char** argv) {
    if (!qEnvironmentVariableIsSet("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    const bool darkTheme = QApplication::palette().color(QPalette::Window).lightness() < 128;
    if (qEnvironmentVariableIsSet("QT_QPA_PLATFORMTHEME") && !darkTheme) {
        qCritical("The desktop theme asked for gives no dark palette.");
        return 1;
    }
    if (!darkTheme) {
        // No dark theme: its palette put in place as a theme does, for the
        // application and for single widget classes.
        QPalette dark(QColor(53, 53, 53), QColor(42, 42, 42));  // button, window
        for (const auto role : {QPalette::WindowText, QPalette::Text, QPalette::ButtonText})
            dark.setColor(role, QColor(230, 230, 230));
        dark.setColor(QPalette::Base, QColor(30, 30, 30));
        QApplication::setPalette(dark);
        for (const char* widgetClass : {"QLabel", "QAbstractButton", "QAbstractItemView",
                                        "QLineEdit", "QMenuBar", "QTextEdit"})
            QApplication::setPalette(dark, widgetClass);
    }
    quillbox::ui::setUpApplication();
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
