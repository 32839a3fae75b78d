# The Debian package: "cpack -G DEB" in the build folder packs whatever
# "cmake --install" installs, under /usr.
set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME cinefiche)
set(CPACK_PACKAGE_VENDOR "Corvin de Ombrelune")
set(CPACK_PACKAGE_CONTACT "Corvin de Ombrelune <${CINEFICHE_MAIL}>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "write and read information cards about movies")
# The body alone: CPack puts the summary above it and indents each line.
set(CPACK_DEBIAN_PACKAGE_DESCRIPTION "Cinefiche writes and reads movie cards: .cfh files that hold a movie's title,
year, running time, genre, director, up to ten actors, a summary and the
poster, in one file beside the movie they describe. Its editor writes cards;
its viewer shows a card read-only and plays the movie beside it with the
desktop's player. The interface is in French.

Cinefiche is free software under the GNU General Public License, version 3
or later.")
set(CPACK_RESOURCE_FILE_LICENSE ${PROJECT_SOURCE_DIR}/COPYING)
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION video)
set(CPACK_DEBIAN_PACKAGE_HOMEPAGE ${CINEFICHE_WEB_SITE})
# The libraries (Qt's, Qt Charts' for the collection's statistics) come
# from dpkg-shlibdeps; what the program loads at run time
# is named here: the French texts of Qt's standard buttons, the fonts the
# editor lays out with, the image plugins for posters beyond JPEG, GIF and BMP;
# and libzip, which reads the zip archives of exports and catalogues, named
# too so that the package says it even where dpkg-shlibdeps is not run.
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_DEPENDS "qt6-translations-l10n, fonts-liberation, qt6-image-formats-plugins, libzip4")
# Qt opens movies and addresses through xdg-open on desktops without a portal.
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "xdg-utils")
include(CPack)
