#include "ui/maskedLetterBox.h"

#include <QRegularExpressionValidator>

namespace quillbox::ui {

MaskedLetterBox::MaskedLetterBox(int positions, QWidget* parent)
    : QLineEdit(parent), positions_(positions) {
    // The validator refuses digits, blanks and punctuation, typed or pasted.
    setValidator(new QRegularExpressionValidator(
        QRegularExpression(QStringLiteral("[A-Za-z]{0,%1}").arg(positions)), this));
    setMaxLength(positions);
    connect(this, &QLineEdit::textChanged, this, &MaskedLetterBox::changed);
}

QString MaskedLetterBox::letters() const {
    QString out;
    for (QChar c : text())
        if (c != QLatin1Char(' '))
            out += c;
    return out;
}

}  // namespace quillbox::ui
