# Where `cmake --install` puts Quillbox (see docs/install.md).
#
# The program finds its rules document and keeps its high-score file in its own
# folder, so by default it is installed as one self-contained folder:
#   desktop layout, for the prefixes a desktop's menu reads (/usr, /usr/local,
#     ~/.local): the folder is <prefix>/lib/quillbox, with <prefix>/bin/quillbox
#     linking to the program, a menu entry in share/applications and the icon
#     in share/icons/hicolor;
#   folder layout, for any other prefix: the prefix itself is the folder.
# Only when asked for, the system layout spreads it over the usual places, as
# a Debian package does: <prefix>/games/quillbox, the rules document in
# share/quillbox, menu entry, icons, AppStream metadata, manual page and the
# package's documents. Finding no rules beside itself but some in
# ../share/quillbox, the program then keeps each player's high scores in their
# own data folder.
set(QUILLBOX_INSTALL_LAYOUT "auto" CACHE STRING
    "How to install: auto (by the prefix), desktop, folder or system")
set_property(CACHE QUILLBOX_INSTALL_LAYOUT PROPERTY STRINGS auto desktop folder system)

include(${CMAKE_CURRENT_LIST_DIR}/desktopPrefix.cmake)

set(QUILLBOX_SYSTEM_INSTALL FALSE)
if(QUILLBOX_INSTALL_LAYOUT STREQUAL "auto")
    quillbox_is_desktop_prefix("${CMAKE_INSTALL_PREFIX}" QUILLBOX_DESKTOP_INSTALL)
elseif(QUILLBOX_INSTALL_LAYOUT STREQUAL "desktop")
    set(QUILLBOX_DESKTOP_INSTALL TRUE)
elseif(QUILLBOX_INSTALL_LAYOUT STREQUAL "folder")
    set(QUILLBOX_DESKTOP_INSTALL FALSE)
elseif(QUILLBOX_INSTALL_LAYOUT STREQUAL "system")
    # Menu entry and icons as in the desktop layout, plus the rest.
    set(QUILLBOX_DESKTOP_INSTALL TRUE)
    set(QUILLBOX_SYSTEM_INSTALL TRUE)
else()
    message(FATAL_ERROR "QUILLBOX_INSTALL_LAYOUT is '${QUILLBOX_INSTALL_LAYOUT}'; use auto, "
                        "desktop, folder or system.")
endif()

# The program's folder and the rules document's, relative to the prefix.
# The system layout follows Debian's rule for games (/usr/games); the program
# looks for its rules in ../share/quillbox from there.
if(QUILLBOX_SYSTEM_INSTALL)
    set(QUILLBOX_PROGRAM_DIR "games")
    set(QUILLBOX_RULES_DIR "share/quillbox")
elseif(QUILLBOX_DESKTOP_INSTALL)
    set(QUILLBOX_PROGRAM_DIR "lib/quillbox")
    set(QUILLBOX_RULES_DIR "${QUILLBOX_PROGRAM_DIR}")
else()
    set(QUILLBOX_PROGRAM_DIR ".")
    set(QUILLBOX_RULES_DIR "${QUILLBOX_PROGRAM_DIR}")
endif()

# Checked before anything is copied.
install(CODE "set(QUILLBOX_DESKTOP_INSTALL ${QUILLBOX_DESKTOP_INSTALL})")
install(SCRIPT ${CMAKE_CURRENT_LIST_DIR}/installPrefixCheck.cmake)

# The icon sizes drawn by tools/iconExport and listed in data/icons/icons.qrc.
set(QUILLBOX_ICON_SIZES 16 24 32 48 64 128 256)
