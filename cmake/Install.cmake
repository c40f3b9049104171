# Installation and the Debian package. The executables, the help file and the
# language files go together into bin/, because the program looks for help.chm
# and the language files beside its executable.
include(GNUInstallDirs)

set(MORVANE_APP_ID org.example.morvane)

if(TARGET morvane)
  install(TARGETS morvane RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
endif()
if(TARGET morvane-cli)
  install(TARGETS morvane-cli RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
endif()

install(FILES ${CMAKE_BINARY_DIR}/help.chm DESTINATION ${CMAKE_INSTALL_BINDIR} OPTIONAL)
file(GLOB MORVANE_SHIPPED_LANGUAGES ${CMAKE_SOURCE_DIR}/lang/*.lng)
install(FILES ${MORVANE_SHIPPED_LANGUAGES} DESTINATION ${CMAKE_INSTALL_BINDIR})
install(FILES ${MORVANE_SHIPPED_LANGUAGES} DESTINATION ${CMAKE_INSTALL_DATADIR}/morvane/lang)

install(FILES ${CMAKE_SOURCE_DIR}/packaging/${MORVANE_APP_ID}.desktop
        DESTINATION ${CMAKE_INSTALL_DATADIR}/applications)
install(FILES ${CMAKE_SOURCE_DIR}/packaging/${MORVANE_APP_ID}.metainfo.xml
        DESTINATION ${CMAKE_INSTALL_DATADIR}/metainfo)
install(FILES ${CMAKE_SOURCE_DIR}/resources/icons/morvane.svg
        DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/scalable/apps)
install(FILES ${CMAKE_SOURCE_DIR}/docs/morvane.1 ${CMAKE_SOURCE_DIR}/docs/morvane-cli.1
        DESTINATION ${CMAKE_INSTALL_MANDIR}/man1)

# `cpack -G DEB` (or `make package`) builds morvane_<version>_<arch>.deb.
set(CPACK_PACKAGE_NAME morvane)
set(CPACK_PACKAGE_VENDOR "Morvane developers")
set(CPACK_PACKAGE_CONTACT "Morvane developers <morvane@example.org>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "batch file renamer for the desktop and the command line")
set(CPACK_PACKAGE_DESCRIPTION
    "Morvane renames many files of one folder in one operation. New names are built\n"
    "from a prefix, the old name or a running number, a suffix, a new extension and\n"
    "a change of case, or by search and replace, and are shown beside the old ones\n"
    "before anything is renamed. A rename never replaces an existing file.\n"
    "The package holds the Qt program morvane and the command morvane-cli.")
string(JOIN "" CPACK_PACKAGE_DESCRIPTION ${CPACK_PACKAGE_DESCRIPTION})
set(CPACK_PACKAGE_HOMEPAGE_URL "https://morvane.example.org/")
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_GENERATOR DEB)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION utils)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
# dpkg-shlibdeps adds the libraries the executables link with, versions
# included; the SVG icons are loaded through a Qt plug-in that none links with.
set(CPACK_DEBIAN_PACKAGE_DEPENDS "libqt6svg6")
include(CPack)
