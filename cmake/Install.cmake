# Installation and the Debian package. Executables go to bin/; the help (help.chm
# and the HTML pages) and the shipped language files to share/morvane/, where
# an installed copy looks for them (src/app/paths.h). The program itself never
# writes there.
include(GNUInstallDirs)

set(MORVANE_APP_ID org.example.morvane)
set(MORVANE_DATADIR ${CMAKE_INSTALL_DATADIR}/morvane)

if(TARGET morvane)
  install(TARGETS morvane RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
endif()
if(TARGET morvane-cli)
  install(TARGETS morvane-cli RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
endif()

install(FILES ${CMAKE_BINARY_DIR}/help.chm DESTINATION ${MORVANE_DATADIR} OPTIONAL)
install(DIRECTORY ${CMAKE_BINARY_DIR}/html DESTINATION ${MORVANE_DATADIR} OPTIONAL)
file(GLOB MORVANE_SHIPPED_LANGUAGES ${CMAKE_SOURCE_DIR}/lang/*.lng)
install(FILES ${MORVANE_SHIPPED_LANGUAGES} DESTINATION ${MORVANE_DATADIR}/lang)

install(FILES ${CMAKE_SOURCE_DIR}/packaging/${MORVANE_APP_ID}.desktop
        DESTINATION ${CMAKE_INSTALL_DATADIR}/applications)
# Dolphin offers the service menu on selected files (KDE Frameworks 5.85 and
# later read share/kio/servicemenus/).
install(FILES ${CMAKE_SOURCE_DIR}/packaging/${MORVANE_APP_ID}.servicemenu.desktop
        DESTINATION ${CMAKE_INSTALL_DATADIR}/kio/servicemenus)
install(FILES ${CMAKE_SOURCE_DIR}/packaging/${MORVANE_APP_ID}.metainfo.xml
        DESTINATION ${CMAKE_INSTALL_DATADIR}/metainfo)
install(FILES ${CMAKE_SOURCE_DIR}/resources/icons/morvane.svg
        DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/scalable/apps)
install(FILES ${CMAKE_SOURCE_DIR}/packaging/copyright DESTINATION ${CMAKE_INSTALL_DATADIR}/doc/morvane)

# Shell completions of morvane-cli, each where its shell looks for them.
set(MORVANE_COMPLETIONS ${CMAKE_SOURCE_DIR}/packaging/completions)
install(FILES ${MORVANE_COMPLETIONS}/morvane-cli.bash RENAME morvane-cli
        DESTINATION ${CMAKE_INSTALL_DATADIR}/bash-completion/completions)
install(FILES ${MORVANE_COMPLETIONS}/_morvane-cli
        DESTINATION ${CMAKE_INSTALL_DATADIR}/zsh/vendor-completions)
install(FILES ${MORVANE_COMPLETIONS}/morvane-cli.fish
        DESTINATION ${CMAKE_INSTALL_DATADIR}/fish/vendor_completions.d)

# Manual pages and the changelog, compressed at build time as Debian wants
# them (gzip -n: no name or time stamp, so the package is reproducible).
find_program(GZIP gzip REQUIRED)
set(MORVANE_GZIPPED)
function(morvane_gzip source output)
  add_custom_command(OUTPUT ${output}
                     COMMAND ${CMAKE_COMMAND} -E make_directory ${CMAKE_BINARY_DIR}/man
                     COMMAND ${GZIP} -9nc ${source} > ${output}
                     DEPENDS ${source}
                     COMMENT "Compressing ${source}")
  set(MORVANE_GZIPPED ${MORVANE_GZIPPED} ${output} PARENT_SCOPE)
endfunction()
foreach(page morvane morvane-cli)
  morvane_gzip(${CMAKE_SOURCE_DIR}/docs/${page}.1 ${CMAKE_BINARY_DIR}/man/${page}.1.gz)
  install(FILES ${CMAKE_BINARY_DIR}/man/${page}.1.gz DESTINATION ${CMAKE_INSTALL_MANDIR}/man1)
endforeach()
morvane_gzip(${CMAKE_SOURCE_DIR}/packaging/changelog ${CMAKE_BINARY_DIR}/man/changelog.gz)
add_custom_target(morvane_man_pages ALL DEPENDS ${MORVANE_GZIPPED})
install(FILES ${CMAKE_BINARY_DIR}/man/changelog.gz DESTINATION ${CMAKE_INSTALL_DATADIR}/doc/morvane)

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
set(CPACK_RESOURCE_FILE_LICENSE ${CMAKE_SOURCE_DIR}/LICENSE)
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)
set(CPACK_GENERATOR DEB)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION utils)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
# dpkg-shlibdeps adds the libraries the executables link with, versions
# included. Beyond those: the SVG icons load through a Qt plug-in that none
# links with; the window's layout is measured with DejaVu Sans and its
# condensed cut; "open" requests go through xdg-open. A viewer for help.chm is
# recommended; without one the HTML help opens in the browser. So is Qt's
# Wayland platform plug-in: without it a Wayland desktop runs the window
# through XWayland.
set(CPACK_DEBIAN_PACKAGE_DEPENDS "libqt6svg6, fonts-dejavu-core, fonts-dejavu-extra, xdg-utils")
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "xchm, qt6-wayland")
include(CPack)
