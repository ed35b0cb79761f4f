#include "ui/programFolder.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>

namespace quillbox::ui {

namespace {
QString& overrideFolder() {
    static QString folder;
    return folder;
}

const QString kRulesDocument = QStringLiteral("Quillbox Rules.rtf");

// Where a package puts the rules document, relative to the program's folder
// (/usr/games/../share/quillbox).
QString systemRulesPath() {
    return QDir::cleanPath(programFolder() + QStringLiteral("/../share/quillbox/") +
                           kRulesDocument);
}
}  // namespace

QString programFolder() {
    if (!overrideFolder().isEmpty())
        return overrideFolder();
    return QDir::toNativeSeparators(QCoreApplication::applicationDirPath());
}

QString besideProgram(const QString& fileName) {
    const QString folder = programFolder();
    const QChar sep = QDir::separator();
    if (folder.endsWith(sep))
        return folder + fileName;
    return folder + sep + fileName;
}

FileLayout fileLayout() {
    if (!QFileInfo::exists(besideProgram(kRulesDocument)) && QFileInfo::exists(systemRulesPath()))
        return FileLayout::System;
    return FileLayout::Portable;
}

QString rulesDocumentPath() {
    if (fileLayout() == FileLayout::System)
        return QDir::toNativeSeparators(systemRulesPath());
    return besideProgram(kRulesDocument);
}

QString scoreFolder() {
    if (fileLayout() == FileLayout::Portable)
        return programFolder();
    // The XDG base directory rules: a relative path in the variable is ignored.
    QString dataHome = qEnvironmentVariable("XDG_DATA_HOME");
    if (dataHome.isEmpty() || QDir::isRelativePath(dataHome))
        dataHome = QDir::homePath() + QStringLiteral("/.local/share");
    return QDir::toNativeSeparators(QDir::cleanPath(dataHome + QStringLiteral("/quillbox")));
}

void setProgramFolderForTesting(const QString& folder) {
    overrideFolder() = folder;
}

}  // namespace quillbox::ui
