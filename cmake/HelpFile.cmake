# help.chm beside the executables: the HTML help in docs/help compiled with
# chmcmd (Debian package fp-utils). The sources are copied to the build folder
# first, so that compiling leaves the source tree untouched.
find_program(CHMCMD chmcmd)
if(NOT CHMCMD)
  message(FATAL_ERROR
          "chmcmd was not found. It compiles the help file help.chm; install the "
          "Debian package fp-utils (make deps does) or set CHMCMD to its path.")
endif()

file(GLOB MORVANE_HELP_SOURCES CONFIGURE_DEPENDS
     ${CMAKE_SOURCE_DIR}/docs/help/*.html ${CMAKE_SOURCE_DIR}/docs/help/*.css
     ${CMAKE_SOURCE_DIR}/docs/help/*.hhp ${CMAKE_SOURCE_DIR}/docs/help/*.hhc
     ${CMAKE_SOURCE_DIR}/docs/help/*.hhk)
set(MORVANE_HELP_WORK ${CMAKE_BINARY_DIR}/help-sources)

add_custom_command(
  OUTPUT ${CMAKE_BINARY_DIR}/help.chm
  COMMAND ${CMAKE_COMMAND} -E rm -rf ${MORVANE_HELP_WORK}
  COMMAND ${CMAKE_COMMAND} -E copy_directory ${CMAKE_SOURCE_DIR}/docs/help ${MORVANE_HELP_WORK}
  COMMAND ${CMAKE_COMMAND} -E chdir ${MORVANE_HELP_WORK} ${CHMCMD} --verbosity 1 help.hhp
  COMMAND ${CMAKE_COMMAND} -E copy ${MORVANE_HELP_WORK}/help.chm ${CMAKE_BINARY_DIR}/help.chm
  WORKING_DIRECTORY ${CMAKE_BINARY_DIR}
  DEPENDS ${MORVANE_HELP_SOURCES}
  COMMENT "Compiling help.chm"
  VERBATIM)
add_custom_target(morvane_help ALL DEPENDS ${CMAKE_BINARY_DIR}/help.chm)

# The same help as plain HTML pages in html/, for desktops that have no viewer
# for help.chm: the pages and the style sheet of docs/help, copied as they are.
file(GLOB MORVANE_HELP_PAGES CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/docs/help/*.html
     ${CMAKE_SOURCE_DIR}/docs/help/*.css)
set(MORVANE_HTML_HELP_OUTPUTS)
foreach(page ${MORVANE_HELP_PAGES})
  get_filename_component(pageName ${page} NAME)
  add_custom_command(OUTPUT ${CMAKE_BINARY_DIR}/html/${pageName}
                     COMMAND ${CMAKE_COMMAND} -E make_directory ${CMAKE_BINARY_DIR}/html
                     COMMAND ${CMAKE_COMMAND} -E copy_if_different ${page}
                             ${CMAKE_BINARY_DIR}/html/${pageName}
                     DEPENDS ${page}
                     COMMENT "Copying help page ${pageName}")
  list(APPEND MORVANE_HTML_HELP_OUTPUTS ${CMAKE_BINARY_DIR}/html/${pageName})
endforeach()
add_custom_target(morvane_html_help ALL DEPENDS ${MORVANE_HTML_HELP_OUTPUTS})
