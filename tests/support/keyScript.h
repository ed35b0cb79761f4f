#pragma once
// Typing as a player does: one key at a time to whatever has the focus.
#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QApplication>
#include <QKeySequence>
#include <QTest>
#include <algorithm>

namespace quillbox::testing {

// Presses `keys` in order on the focused widget. A plain character is typed
// as itself; {name} is a key as QKeySequence spells it, modifiers included:
// {Backspace}, {Tab}, {Shift+Tab}, {Up}, {Space}, {Return}, {F2}, {Alt+G}...
// After each key it waits while a button shows itself pressed, as one does
// for a moment when its access key clicks it.
inline void pressKeys(const QString& keys) {
    for (qsizetype i = 0; i < keys.size(); ++i) {
        const qsizetype end = keys[i] == '{' ? keys.indexOf('}', i) : i;
        const QKeyCombination k = end > i ? QKeySequence(keys.mid(i + 1, end - i - 1))[0]
                                          : QKeyCombination(Qt::Key(keys[i].toUpper().unicode()));
        QTest::keyClick(QApplication::focusWidget(), k.key(), k.keyboardModifiers());
        i = end;
        const auto down = [](QWidget* w) {
            const auto* b = qobject_cast<QAbstractButton*>(w);
            return b && b->isDown();
        };
        if (!QTest::qWaitFor(
                [&] { return std::ranges::none_of(QApplication::allWidgets(), down); }))
            ADD_FAILURE() << "a button stays pressed after " << keys.toStdString();
    }
}

}  // namespace quillbox::testing
