#pragma once
#include <QString>

namespace quillbox::ui {

// The folder that holds the program file: the only place Quillbox reads or
// writes files of its own.
QString programFolder();

// A file beside the program: the folder, a separator unless the folder already
// ends with one (a file-system root), then the name.
QString besideProgram(const QString& fileName);

// Tests point the program folder elsewhere; an empty path restores the real one.
void setProgramFolderForTesting(const QString& folder);

}  // namespace quillbox::ui
