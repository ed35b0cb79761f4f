#include "ui/programFolder.h"

#include <QCoreApplication>
#include <QDir>

namespace quillbox::ui {

namespace {
QString& overrideFolder() {
    static QString folder;
    return folder;
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

void setProgramFolderForTesting(const QString& folder) {
    overrideFolder() = folder;
}

}  // namespace quillbox::ui
