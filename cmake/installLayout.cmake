# Where `cmake --install` puts Quillbox (see docs/install.md).
#
# The program finds its rules document and keeps its high-score file in its own
# folder, so it is always installed as one self-contained folder:
#   desktop layout, for the prefixes a desktop's menu reads (/usr, /usr/local,
#     ~/.local): the folder is <prefix>/lib/quillbox, with <prefix>/bin/quillbox
#     linking to the program, a menu entry in share/applications and the icon
#     in share/icons/hicolor;
#   folder layout, for any other prefix: the prefix itself is the folder.
set(QUILLBOX_INSTALL_LAYOUT "auto" CACHE STRING
    "How to install: auto (by the prefix), desktop or folder")
set_property(CACHE QUILLBOX_INSTALL_LAYOUT PROPERTY STRINGS auto desktop folder)

include(${CMAKE_CURRENT_LIST_DIR}/desktopPrefix.cmake)

if(QUILLBOX_INSTALL_LAYOUT STREQUAL "auto")
    quillbox_is_desktop_prefix("${CMAKE_INSTALL_PREFIX}" QUILLBOX_DESKTOP_INSTALL)
elseif(QUILLBOX_INSTALL_LAYOUT STREQUAL "desktop")
    set(QUILLBOX_DESKTOP_INSTALL TRUE)
elseif(QUILLBOX_INSTALL_LAYOUT STREQUAL "folder")
    set(QUILLBOX_DESKTOP_INSTALL FALSE)
else()
    message(FATAL_ERROR
        "QUILLBOX_INSTALL_LAYOUT is '${QUILLBOX_INSTALL_LAYOUT}'; use auto, desktop or folder.")
endif()

# The program's folder, relative to the prefix. Everything that must sit
# beside the program is installed here.
if(QUILLBOX_DESKTOP_INSTALL)
    set(QUILLBOX_PROGRAM_DIR "lib/quillbox")
else()
    set(QUILLBOX_PROGRAM_DIR ".")
endif()

# Checked before anything is copied.
install(CODE "set(QUILLBOX_DESKTOP_INSTALL ${QUILLBOX_DESKTOP_INSTALL})")
install(SCRIPT ${CMAKE_CURRENT_LIST_DIR}/installPrefixCheck.cmake)

# The icon sizes drawn by tools/iconExport and listed in data/icons/icons.qrc.
set(QUILLBOX_ICON_SIZES 16 24 32 48 64 128 256)
