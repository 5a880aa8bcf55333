# `cpack -G DEB` in the build folder makes quimbolo_<version>_amd64.deb: the
# install above under /usr, with the package dependencies worked out from the
# shared libraries the executables use (dpkg-shlibdeps, from dpkg-dev).
set(CPACK_PACKAGE_NAME quimbolo)
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_VENDOR "Quimbolo")
set(CPACK_PACKAGE_CONTACT "Quimbolo <quimbolo@localhost>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "Dominó en parejas contra la computadora o en red")
set(CPACK_PACKAGE_DESCRIPTION
    "Dominó de cuatro jugadores en dos parejas con el juego doble seis, con su propio servidor de mesa (brintal) y una computadora que aconseja y analiza cada mano.")
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION games)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
# Debug information stays in the build tree; the package carries the programs.
set(CPACK_STRIP_FILES ON)
# Loaded at run time, so no shared-library scan can find them: the window
# system plugin, the icon, the sound back end and Qt's Spanish texts.
set(CPACK_DEBIAN_PACKAGE_DEPENDS "qt6-qpa-plugins, libqt6svg6")
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "qt6-translations-l10n, gstreamer1.0-plugins-base, gstreamer1.0-plugins-good")
set(CPACK_GENERATOR DEB)
include(CPack)
