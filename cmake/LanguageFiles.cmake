# Language files ship beside the executable: copy lang/*.lng to the top of the
# build folder on every build.
file(GLOB MORVANE_LANGUAGE_FILES CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/lang/*.lng)
set(MORVANE_LANGUAGE_OUTPUTS)
foreach(lng ${MORVANE_LANGUAGE_FILES})
  get_filename_component(lngName ${lng} NAME)
  add_custom_command(OUTPUT ${CMAKE_BINARY_DIR}/${lngName}
                     COMMAND ${CMAKE_COMMAND} -E copy_if_different ${lng}
                             ${CMAKE_BINARY_DIR}/${lngName}
                     DEPENDS ${lng}
                     COMMENT "Copying language file ${lngName}"
                     VERBATIM)
  list(APPEND MORVANE_LANGUAGE_OUTPUTS ${CMAKE_BINARY_DIR}/${lngName})
endforeach()
add_custom_target(morvane_language_files ALL DEPENDS ${MORVANE_LANGUAGE_OUTPUTS})
