# Installing: lays out what a box image needs, under DESTDIR:
#   ${UDOVOR_PLUGIN_DIR}/udovor.so                      the plug-in
#   ${UDOVOR_CONFIG_DIR}/tivumo.conf.example            every setting with its default
#   ${UDOVOR_CONFIG_DIR}/tivumo_lang.conf.example       every label with its default text
#   ${UDOVOR_CONFIG_DIR}/tivumo_lang.conf.en            the labels in English
# Both folders are absolute, as on the box, so the prefix does not move
# them:  DESTDIR=/tmp/image cmake --install build
# The PC tools (boxsim, udovor-streamgen) are left out unless asked for:
#   cmake --install build --component pctools --prefix ~/.local
set(UDOVOR_PLUGIN_DIR "/var/tuxbox/plugins" CACHE PATH "Folder of the box's plug-ins")
set(UDOVOR_CONFIG_DIR "/var/korvadel" CACHE PATH "Folder of the plug-in's settings and label files on the box")

install(TARGETS udovor LIBRARY DESTINATION ${UDOVOR_PLUGIN_DIR} COMPONENT plugin)
install(FILES
  ${CMAKE_SOURCE_DIR}/examples/tivumo.conf.example
  ${CMAKE_SOURCE_DIR}/examples/tivumo_lang.conf.example
  ${CMAKE_SOURCE_DIR}/examples/tivumo_lang.conf.en
  DESTINATION ${UDOVOR_CONFIG_DIR} COMPONENT plugin)

foreach(tool boxsim udovor-streamgen)
  if(TARGET ${tool})
    install(TARGETS ${tool} RUNTIME DESTINATION bin COMPONENT pctools EXCLUDE_FROM_ALL)
  endif()
endforeach()
