#pragma once
// What a reader gets of a window: the whole text of its labels, and what a
// screen reader is told about its controls.
#include <QAccessible>
#include <QLabel>
#include <QStringList>

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

}  // namespace quillbox::testing
