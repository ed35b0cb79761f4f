# Runs inside `cmake --install` for the desktop and system layouts, after the
# program is in place. Expects QUILLBOX_PROGRAM_DIR, QUILLBOX_SYSTEM_INSTALL,
# QUILLBOX_DESKTOP_ENTRY (the entry to install) and QUILLBOX_STAGE_DIR (a
# scratch folder) to be set.
#
# The prefix is only known for certain now: `cmake --install --prefix` may
# differ from the one configured.
include(${CMAKE_CURRENT_LIST_DIR}/desktopPrefix.cmake)
quillbox_is_desktop_prefix("${CMAKE_INSTALL_PREFIX}" prefixIsDesktop)
set(programFolder "${CMAKE_INSTALL_PREFIX}/${QUILLBOX_PROGRAM_DIR}")
cmake_path(NORMAL_PATH programFolder)
string(REGEX REPLACE "(.)/$" "\\1" programFolder "${programFolder}")

if(NOT prefixIsDesktop)
    message(WARNING
        "${CMAKE_INSTALL_PREFIX} is not /usr, /usr/local or ~/.local: the menu entry is "
        "installed but a desktop will not find it there.")
endif()

# The menu entry starts the program in its folder by its full path, so it works
# whether or not <prefix>/bin is on the desktop session's PATH. Quoted as a
# desktop entry's Exec line asks, then escaped as its string values are.
set(arg "${programFolder}/quillbox")
string(REPLACE "\\" "\\\\" arg "${arg}")
string(REPLACE "\"" "\\\"" arg "${arg}")
string(REPLACE "`" "\\`" arg "${arg}")
string(REPLACE "$" "\\$" arg "${arg}")
string(REPLACE "%" "%%" arg "${arg}")
set(exec "\"${arg}\"")
string(REPLACE "\\" "\\\\" exec "${exec}")

file(READ "${QUILLBOX_DESKTOP_ENTRY}" entry)
string(REGEX MATCH "\nExec=[^\n]*" oldExec "${entry}")
string(REPLACE "${oldExec}" "\nExec=${exec}" entry "${entry}")
file(MAKE_DIRECTORY "${QUILLBOX_STAGE_DIR}")
file(WRITE "${QUILLBOX_STAGE_DIR}/quillbox.desktop" "${entry}")
file(INSTALL DESTINATION "${CMAKE_INSTALL_PREFIX}/share/applications" TYPE FILE
     FILES "${QUILLBOX_STAGE_DIR}/quillbox.desktop")
file(REMOVE_RECURSE "${QUILLBOX_STAGE_DIR}")

if(QUILLBOX_SYSTEM_INSTALL)
    # The program itself is on the PATH, and each player's scores live in
    # their own folder.
    return()
endif()

# bin/quillbox for starting it from a shell. A relative link, so a staged
# install (DESTDIR) keeps working once moved into place. The program finds its
# folder through the link.
set(link "$ENV{DESTDIR}${CMAKE_INSTALL_PREFIX}/bin/quillbox")
file(RELATIVE_PATH target "${CMAKE_INSTALL_PREFIX}/bin" "${programFolder}/quillbox")
message(STATUS "Installing: ${link} -> ${target}")
file(MAKE_DIRECTORY "$ENV{DESTDIR}${CMAKE_INSTALL_PREFIX}/bin")
file(CREATE_LINK "${target}" "${link}" SYMBOLIC)
# The manifest lists installed paths without DESTDIR, like cmake's own entries.
list(APPEND CMAKE_INSTALL_MANIFEST_FILES "${CMAKE_INSTALL_PREFIX}/bin/quillbox")

if(NOT CMAKE_INSTALL_PREFIX MATCHES "/\\.local/?$")
    message(STATUS
        "Quillbox keeps its high scores in ${programFolder}: players need write access "
        "to it (see docs/install.md).")
endif()
