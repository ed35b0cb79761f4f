#pragma once
// What a reader gets of a window: the whole text of its labels, what a
// screen reader is told about its controls, and what its Help menu opens.
#include <gtest/gtest.h>
#include <QAccessible>
#include <QAction>
#include <QApplication>
#include <QLabel>
#include <QStringList>
#include <QTimer>

#include "help/frmAbout.h"
#include "help/frmRules.h"

namespace quillbox::testing {

// The label's text, laid out with the label's own font, width and wrapping,
// fits inside it.
inline bool showsWholeText(const QLabel& label) {
    const QRect shown = label.contentsRect();
    const QRect needed = label.fontMetrics().boundingRect(
        shown.adjusted(0, 0, 0, 1000), label.wordWrap() ? Qt::TextWordWrap : 0, label.text());
    return needed.width() <= shown.width() && needed.height() <= shown.height();
}

inline QString accessibleText(QObject* object, QAccessible::Text text = QAccessible::Name) {
    return QAccessible::queryAccessibleInterface(object)->text(text);
}

// The classes of the window's controls that a screen reader finds nameless.
inline QStringList unnamedControls(QWidget* window) {
    QStringList unnamed;
    const QAccessibleInterface* w = QAccessible::queryAccessibleInterface(window);
    for (int i = 0; i < w->childCount(); ++i)
        if (w->child(i)->text(QAccessible::Name).isEmpty())
            unnamed << QString::fromLatin1(w->child(i)->object()->metaObject()->className());
    return unnamed;
}

// Help > Rules opens the rules viewer alone, Help > About the about box alone,
// over the window (looked at from inside the about box's modal loop).
inline void expectHelpItemsOpenTheirWindows(QWidget* window, QAction* rules, QAction* about) {
    using help::frmAbout, help::frmRules;
    QWidget* aboutOver = nullptr;
    for (QAction* item : {rules, about}) {
        QTimer::singleShot(0, [&] {
            aboutOver = frmAbout::loaded() ? frmAbout::instance().parentWidget() : nullptr;
            frmAbout::unload();
        });
        item->trigger();  // the about box returns once closed
        QApplication::processEvents();
        EXPECT_EQ(frmRules::loaded(), item == rules);
        EXPECT_EQ(aboutOver, item == about ? window : nullptr);
        frmRules::unload();
        QApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    }
}

}  // namespace quillbox::testing
