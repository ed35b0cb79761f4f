// Every window stays readable on a dark desktop: a dark theme (or, without
// one, its palette put in place as a theme does) is there before the program
// sets itself up, and each text must then stand out from what is painted
// behind it by at least the 4.5:1 contrast that accessibility guidelines ask.
#include <gtest/gtest.h>

#include <QAbstractScrollArea>
#include <QApplication>
#include <QListWidget>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>
#include <cmath>
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

// The contrast ratio of two colours, from their relative luminance.
double contrast(QRgb a, QRgb b) {
    const auto linear = [](int value) {
        const double s = value / 255.0;
        return s <= 0.04045 ? s / 12.92 : std::pow((s + 0.055) / 1.055, 2.4);
    };
    const auto luminance = [&](QRgb c) {
        return 0.2126 * linear(qRed(c)) + 0.7152 * linear(qGreen(c)) + 0.0722 * linear(qBlue(c));
    };
    const auto [darker, lighter] = std::minmax({luminance(a), luminance(b)});
    return (lighter + 0.05) / (darker + 0.05);
}

// Takes the text out of a widget and returns it ("" for a widget without
// text of its own), so that a second picture shows what lies behind it.
QString takeText(QWidget* w) {
    QString text;
    if (auto* list = qobject_cast<QListWidget*>(w))
        for (int i = 0; i < list->count(); ++i)
            text += list->item(i)->text(), list->item(i)->setText({});
    for (const char* property : {"text", "plainText"})
        if (text.isEmpty() && w->property(property).isValid())
            text = w->property(property).toString(), w->setProperty(property, QString());
    return text;
}

// Shows a window, checks every enabled text in it, then closes it. The pixels
// that change when a text goes are its letters; on each colour behind them
// (a selection, a red cell) the best must reach 4.5:1. Disabled text is
// exempt, as the guidelines exempt inactive controls.
void expectReadable(QWidget& window) {
    window.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&window));
    const QImage shown = window.grab().toImage();
    std::vector<std::pair<QString, QRect>> texts;
    for (QWidget* w : window.findChildren<QWidget*>()) {
        // A text box's scroll bars come and go with its text; its page stays.
        auto* box = qobject_cast<QAbstractScrollArea*>(w);
        QWidget* page = box ? box->viewport() : w;
        if (w->isVisible() && w->isEnabled())
            if (const QString text = takeText(w); !text.trimmed().isEmpty())
                texts.push_back(
                    {text.left(30), QRect(page->mapTo(&window, QPoint()), page->size())});
    }
    QImage bare = window.grab().toImage();
    if (texts.empty()) {  // a window that paints its text itself, on its background
        bare.fill(window.palette().color(QPalette::Window));
        texts.push_back({window.windowTitle(), window.rect()});
    }
    for (const auto& [text, rect] : texts) {
        std::map<QRgb, std::pair<int, double>> behind;  // text pixels, best contrast
        for (int y = rect.top(); y <= rect.bottom(); ++y)
            for (int x = rect.left(); x <= rect.right(); ++x)
                if (shown.pixel(x, y) != bare.pixel(x, y)) {
                    auto& [pixels, best] = behind[bare.pixel(x, y)];
                    ++pixels, best = std::max(best, contrast(shown.pixel(x, y), bare.pixel(x, y)));
                }
        EXPECT_FALSE(behind.empty()) << text.toStdString() << " cannot be seen";
        for (const auto& [background, seen] : behind)
            EXPECT_TRUE(seen.first < 20 || seen.second >= 4.5)
                << text.toStdString() << " on " << QColor(background).name().toStdString() << ": "
                << seen.second << ":1";
    }
    window.close();
}

TEST(DarkDesktop, EveryWindowKeepsItsTextReadable) {
    QTemporaryDir folder;
    quillbox::ui::setProgramFolderForTesting(folder.path());
    quillbox::testing::ScriptedDialogs dialogs;
    dialogs.yesNoAnswers.push_back(true);  // leave the game in progress
    quillbox::core::frmLaunchpad::instance().mskWord->setText(QStringLiteral("qat"));
    expectReadable(quillbox::core::frmLaunchpad::instance());
    auto& classic = quillbox::classic::frmMain::instance();
    classic.cmdStartGame->click();  // in learn mode
    for (int tile : {0, 1})
        classic.game().toggleTile(tile);
    expectReadable(classic);
    auto& crossword = quillbox::crossword::frmCrossword::instance();
    crossword.cmdGenerate->click();
    for (int cell = 0; crossword.editedCell() < 0; ++cell)
        crossword.lblBox_Click(cell);
    QTest::keyClicks(crossword.mskBox[crossword.editedCell()], "e");
    crossword.cmdCheckSolution->click();  // a red cell beside white ones
    expectReadable(crossword);
    quillbox::help::openRulesViewer(nullptr);
    quillbox::help::frmRules::instance().lstContents->setCurrentRow(6);  // a selection
    expectReadable(quillbox::help::frmRules::instance());
    expectReadable(quillbox::help::frmAbout::instance());
    expectReadable(quillbox::scores::frmHighScores::instance());
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
