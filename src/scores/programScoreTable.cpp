#include "scores/programScoreTable.h"

#include <QDir>
#include <QFile>

#include "ui/dialogs.h"
#include "ui/programFolder.h"

namespace quillbox::scores {

ScoreFile programScoreFile() {
    return ScoreFile(QFile::encodeName(ui::programFolder()).toStdString());
}

QString scoreFileErrorTitle(const ScoreFileError& error) {
    if (error.action() == ScoreFileError::Action::Write)
        return QStringLiteral("High Score Not Saved");
    return QStringLiteral("High Scores Unavailable");
}

QString scoreFileErrorText(const ScoreFileError& error) {
    QString lead;
    switch (error.action()) {
        case ScoreFileError::Action::Create:
            lead = QStringLiteral("The high-score table could not be created:");
            break;
        case ScoreFileError::Action::Read:
            lead = QStringLiteral("The high-score table could not be read:");
            break;
        case ScoreFileError::Action::Write:
            lead = QStringLiteral("Your score could not be saved in the high-score table:");
            break;
    }
    const QString path =
        QDir::toNativeSeparators(QFile::decodeName(QByteArray::fromStdString(error.path())));
    const QString reason = QString::fromLocal8Bit(error.reason().c_str());
    return QStringLiteral("%1\n\n%2\n\n%3.").arg(lead, path, reason);
}

void reportScoreFileError(QWidget* parent, const ScoreFileError& error) {
    ui::dialogs().message(parent, scoreFileErrorText(error), scoreFileErrorTitle(error),
                          ui::MessageIcon::Critical);
}

ProgramScoreTable::ProgramScoreTable(QWidget* parent) : parent_(parent) {}

bool ProgramScoreTable::isHigh(std::int32_t points) {
    try {
        return programScoreFile().isHigh(points);
    } catch (const ScoreFileError& e) {
        reportScoreFileError(parent_, e);
        return false;
    }
}

void ProgramScoreTable::addScore(const std::string& name, std::int32_t points) {
    // Composed characters, so that an accented letter typed as a letter and a
    // combining mark is stored as the one character the code page has.
    const std::string composed =
        QString::fromUtf8(name).normalized(QString::NormalizationForm_C).toUtf8().toStdString();
    try {
        programScoreFile().addScore(composed, points);
    } catch (const ScoreFileError& e) {
        reportScoreFileError(parent_, e);
    }
}

}  // namespace quillbox::scores
