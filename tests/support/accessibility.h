#pragma once
// What a screen reader is told about a window's controls.
#include <QAccessible>
#include <QStringList>
#include <QWidget>

namespace quillbox::testing {

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

}  // namespace quillbox::testing
