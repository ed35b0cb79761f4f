// No definition is cut through its letters in any window: every definition
// of the lexicon, measured with each label's own font and width, fits the
// height the label shows it in, and a label that grows for it covers no
// other control.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <QLabel>
#include <functional>

#include "classic/classicGame.h"
#include "classic/frmMain.h"
#include "core/frmLaunchpad.h"
#include "core/mainMod.h"
#include "crossword/frmCrossword.h"
#include "ui/maskedLetterBox.h"

using quillbox::core::mainMod::lexicon;
using testing::IsEmpty;

namespace {

// The words that `show` puts into the label cut off, or with the label
// over another control or out of its window.
std::vector<std::string> cutOff(QLabel& label,
                                const std::function<void(const std::string&)>& show) {
    std::vector<std::string> cut;
    QWidget& window = *label.parentWidget();
    for (const std::string& word : lexicon().Keys()) {
        show(word);
        const QRect shown = label.contentsRect();
        const QRect needed = label.fontMetrics().boundingRect(
            QRect(0, 0, shown.width(), 10 * shown.height()), Qt::TextWordWrap, label.text());
        bool covers = !window.rect().contains(label.geometry());
        for (QWidget* other : window.findChildren<QWidget*>(Qt::FindDirectChildrenOnly))
            covers |= other->isVisible() && !qobject_cast<QLabel*>(other) &&
                      other->geometry().intersects(label.geometry());
        if (needed.height() > shown.height() || covers)
            cut.push_back(word);
    }
    return cut;
}

TEST(DefinitionLabels, ShowEveryDefinitionWholeInEveryWindow) {
    auto& pad = quillbox::core::frmLaunchpad::instance();
    EXPECT_THAT(
        cutOff(*pad.lblDefinition,
               [&](const std::string& w) { pad.mskWord->setText(QString::fromStdString(w)); }),
        IsEmpty());

    auto& classic = quillbox::classic::frmMain::instance();
    classic.show();
    EXPECT_THAT(cutOff(*classic.lblDefinition,
                       [&](const std::string& w) { classic.game().showDefinition(w); }),
                IsEmpty());

    auto& crossword = quillbox::crossword::frmCrossword::instance();
    crossword.show();
    for (QLabel* clue : {crossword.lbl1Adef, crossword.lbl3Adef, crossword.lbl4Adef,
                         crossword.lbl1Ddef, crossword.lbl2Ddef, crossword.lbl3Ddef})
        EXPECT_THAT(cutOff(*clue,
                           [&](const std::string& w) {
                               clue->setText(QString::fromStdString(lexicon().Item(w)));
                           }),
                    IsEmpty());
    classic.close();
    crossword.close();
    pad.close();
}

}  // namespace
