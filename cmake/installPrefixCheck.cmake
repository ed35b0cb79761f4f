# Runs first inside `cmake --install`, before anything is copied: the prefix
# given there may differ from the one configured, and a self-contained folder
# must not be spilled into a prefix that many programs share.
# Expects QUILLBOX_DESKTOP_INSTALL to be set.
include(${CMAKE_CURRENT_LIST_DIR}/desktopPrefix.cmake)
quillbox_is_desktop_prefix("${CMAKE_INSTALL_PREFIX}" prefixIsDesktop)
if(prefixIsDesktop AND NOT QUILLBOX_DESKTOP_INSTALL)
    message(FATAL_ERROR
        "This build was configured to install Quillbox as a self-contained folder, and "
        "${CMAKE_INSTALL_PREFIX} is shared by many programs. Configure again with "
        "-DCMAKE_INSTALL_PREFIX=${CMAKE_INSTALL_PREFIX} to install it there with a "
        "menu entry.")
endif()
