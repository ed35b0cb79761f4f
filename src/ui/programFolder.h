#pragma once
#include <QString>

namespace quillbox::ui {

// The folder that holds the program file.
QString programFolder();

// A file beside the program: the folder, a separator unless the folder already
// ends with one (a file-system root), then the name.
QString besideProgram(const QString& fileName);

// How Quillbox was installed, read from what lies around the program file on
// every call (two file tests), so nothing is configured:
//   Portable: one folder holding the program and its rules document (a folder
//     install, a build tree). The high-score file lives in that folder too.
//   System: no rules document beside the program, but one in
//     <folder>/../share/quillbox, as a package installs it under /usr. Players
//     cannot write there, so each keeps a high-score file of their own.
// With the rules document in neither place the layout is Portable, so the
// "missing" message names the file beside the program.
enum class FileLayout { Portable, System };
FileLayout fileLayout();

// "Quillbox Rules.rtf" where the layout puts it.
QString rulesDocumentPath();

// The folder of "High Scores.rnd": the program's folder in the portable layout;
// in the system layout $XDG_DATA_HOME/quillbox, or ~/.local/share/quillbox when
// that variable is unset or not an absolute path. Not created here.
QString scoreFolder();

// Tests point the program folder elsewhere; an empty path restores the real one.
void setProgramFolderForTesting(const QString& folder);

}  // namespace quillbox::ui
