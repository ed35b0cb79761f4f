# `cpack` in a build configured with the system layout and the prefix /usr
# makes the Debian package (see scripts/package); other builds have no cpack
# configuration. Its dependencies are read from the program by dpkg-shlibdeps;
# the fonts the windows ask for by name cannot be seen there, so they are
# named here.
set(QUILLBOX_MAINTAINER "Quillbox developers <quillbox@users.noreply.github.com>" CACHE STRING
    "The Debian package's maintainer, as a name and an e-mail address")

set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME quillbox)
set(CPACK_PACKAGE_VENDOR "Quillbox developers")
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "trainer for the short words of tile-based word games")
set(CPACK_PACKAGE_DESCRIPTION
    "Quillbox teaches the valid two-letter and three-letter words of tile-based
crossword word games. Its own list holds 1,059 words, each with a short
definition.

 * Word lookup: type two or three letters and see their definition.
 * Classic: draw tiles onto a rack and clear it by playing short words, with
   scoring, bonuses, a rating, a table of the ten best scores and a learn
   mode that shows definitions and every way to clear the rack; the tally
   sheet can be saved as RTF or printed.
 * Crossword: a generated nine-cell crossword with the words' definitions as
   clues.

Each player's high scores are kept in ~/.local/share/quillbox.")
set(CPACK_PACKAGE_CONTACT "${QUILLBOX_MAINTAINER}")

# Installed with DESTDIR, so the install scripts see the real prefix.
set(CPACK_SET_DESTDIR ON)
set(CPACK_PACKAGING_INSTALL_PREFIX "${CMAKE_INSTALL_PREFIX}")
set(CPACK_STRIP_FILES ON)

set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_MAINTAINER "${QUILLBOX_MAINTAINER}")
set(CPACK_DEBIAN_PACKAGE_SECTION games)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_DEBIAN_PACKAGE_HOMEPAGE "https://github.com/quillbox/quillbox")
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_DEPENDS "fonts-dejavu-core, fonts-liberation2")
set(CPACK_DEBIAN_PACKAGE_CONTROL_STRICT_PERMISSION ON)
set(CPACK_DEBIAN_COMPRESSION_TYPE xz)

include(CPack)
