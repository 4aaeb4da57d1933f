# velta_man_page(TOOL COMPONENT NAME)
#
# TOOL's man page, share/man/man1/TOOL.1.gz in COMPONENT: help2man reads the
# built program's own --help and --version, NAME is the line after the
# program's name; compressed as Debian has man pages (gzip -9n). The date on
# the page is the changelog's latest, so that a build can be repeated.
find_program(VELTA_HELP2MAN help2man)
if(NOT VELTA_HELP2MAN)
  message(STATUS "help2man not found (Debian: help2man): the tools' man pages are not made")
endif()
find_program(VELTA_PARSECHANGELOG dpkg-parsechangelog)
set(velta_release_epoch "")
if(VELTA_PARSECHANGELOG)
  execute_process(COMMAND ${VELTA_PARSECHANGELOG} -l ${PROJECT_SOURCE_DIR}/cmake/debian/changelog -STimestamp
    OUTPUT_VARIABLE velta_release_epoch OUTPUT_STRIP_TRAILING_WHITESPACE ERROR_QUIET)
endif()
set_property(DIRECTORY APPEND PROPERTY CMAKE_CONFIGURE_DEPENDS ${PROJECT_SOURCE_DIR}/cmake/debian/changelog)

function(velta_man_page tool component name)
  if(NOT VELTA_HELP2MAN)
    return()
  endif()
  set(page ${PROJECT_BINARY_DIR}/man/${tool}.1)
  set(environment QT_QPA_PLATFORM=offscreen)
  if(velta_release_epoch)
    list(APPEND environment SOURCE_DATE_EPOCH=${velta_release_epoch})
  endif()
  add_custom_command(OUTPUT ${page}.gz
    COMMAND ${CMAKE_COMMAND} -E make_directory ${PROJECT_BINARY_DIR}/man
    COMMAND ${CMAKE_COMMAND} -E env ${environment}
      ${VELTA_HELP2MAN} --no-info --name=${name} --output=${page} $<TARGET_FILE:${tool}>
    COMMAND gzip -9nf ${page}
    DEPENDS ${tool}
    COMMENT "Man page of ${tool}"
    VERBATIM)
  add_custom_target(${tool}-man ALL DEPENDS ${page}.gz)
  install(FILES ${page}.gz DESTINATION ${CMAKE_INSTALL_MANDIR}/man1 COMPONENT ${component})
endfunction()
