#include "scores/programScoreTable.h"

#include <sys/stat.h>

#include <QDir>
#include <QFile>
#include <cerrno>
#include <cstring>

#include "ui/dialogs.h"
#include "ui/programFolder.h"

namespace quillbox::scores {

namespace {

// Makes folder and any missing parents (a new account may have no
// ~/.local/share yet), readable by the player alone as the XDG rules ask. A
// folder that cannot be made is reported like a file that cannot be created.
void makeScoreFolder(const std::string& folder) {
    for (std::size_t end = 1; end <= folder.size(); ++end) {
        if (end < folder.size() && folder[end] != '/')
            continue;
        const std::string part = folder.substr(0, end);
        if (::mkdir(part.c_str(), 0700) != 0 && errno != EEXIST)
            throw ScoreFileError(ScoreFileError::Action::Create, folder + "/High Scores.rnd",
                                 std::strerror(errno));
    }
}

}  // namespace

ScoreFile programScoreFile() {
    const std::string folder = QFile::encodeName(ui::scoreFolder()).toStdString();
    // A portable folder is the program's own and exists; a player's folder is
    // made on first use.
    if (ui::fileLayout() == ui::FileLayout::System)
        makeScoreFolder(folder);
    return ScoreFile(folder);
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
