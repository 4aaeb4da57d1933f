# `cmake --install build --prefix P`: what a host developer builds against and
# what a workstation runs, in install components that are the Debian packages
# of cmake/VeltaPackaging.cmake, one each:
#
#   OrderLibrary    libveltaorder<soversion>    lib/<multiarch>/libveltaorder.so.*
#   InquiryLibrary  libveltaiq<soversion>       lib/<multiarch>/libveltaiq.so.*
#   Workstation     velta-workstation           bin/, desktop entry, icon, metainfo
#   DataTool        velta-data                  bin/
#   Distributor     velta-distributor           bin/
#   DesignerPlugin  velta-designer-plugin       Qt's plugin folder designer/
#   Development     velta-dev                   include/, name links, lib/<multiarch>/cmake/Velta
#
# Each also gets share/doc/<package>/copyright and changelog.gz, and each tool
# its man page.
include(CMakePackageConfigHelpers)

set(VELTA_PACKAGE_OrderLibrary libveltaorder${VELTA_SOVERSION})
set(VELTA_PACKAGE_InquiryLibrary libveltaiq${VELTA_SOVERSION})
set(VELTA_PACKAGE_Workstation velta-workstation)
set(VELTA_PACKAGE_DataTool velta-data)
set(VELTA_PACKAGE_Distributor velta-distributor)
set(VELTA_PACKAGE_DesignerPlugin velta-designer-plugin)
set(VELTA_PACKAGE_Development velta-dev)
set(VELTA_COMPONENTS OrderLibrary InquiryLibrary Workstation DataTool Distributor Development)
if(TARGET veltadesigner)
  list(APPEND VELTA_COMPONENTS DesignerPlugin)
endif()

set(VELTA_INSTALL_CMAKEDIR ${CMAKE_INSTALL_LIBDIR}/cmake/Velta)

install(TARGETS veltaorder EXPORT VeltaTargets
  LIBRARY DESTINATION ${CMAKE_INSTALL_LIBDIR} COMPONENT OrderLibrary NAMELINK_COMPONENT Development)
install(TARGETS veltaiq EXPORT VeltaTargets
  LIBRARY DESTINATION ${CMAKE_INSTALL_LIBDIR} COMPONENT InquiryLibrary NAMELINK_COMPONENT Development)

# The public headers: Qt and the standard library only, each including the
# others by the paths they have in the source tree; the generated ones from
# the build folder.
install(FILES order/UserControl1.h order/Version.h order/WorkstationSetup.h
  ${VELTA_GENERATED_INCLUDE_DIR}/order/veltaorder_export.h
  DESTINATION ${VELTA_INSTALL_INCLUDE_ROOT}/order COMPONENT Development)
install(FILES inquiry/UserControl1.h inquiry/Version.h inquiry/WorkstationSetup.h inquiry/clsMACAddress.h
  ${VELTA_GENERATED_INCLUDE_DIR}/inquiry/veltaiq_export.h
  DESTINATION ${VELTA_INSTALL_INCLUDE_ROOT}/inquiry COMPONENT Development)
install(FILES qt/Presenter.h qt/PropertyBag.h qt/MemoryPropertyBag.h
  DESTINATION ${VELTA_INSTALL_INCLUDE_ROOT}/qt COMPONENT Development)
install(FILES ${VELTA_GENERATED_INCLUDE_DIR}/velta/version.h
  DESTINATION ${VELTA_INSTALL_INCLUDE_ROOT} COMPONENT Development)

install(EXPORT VeltaTargets
  NAMESPACE Velta::
  DESTINATION ${VELTA_INSTALL_CMAKEDIR}
  COMPONENT Development)
configure_package_config_file(${CMAKE_CURRENT_LIST_DIR}/VeltaConfig.cmake.in
  ${CMAKE_CURRENT_BINARY_DIR}/VeltaConfig.cmake
  INSTALL_DESTINATION ${VELTA_INSTALL_CMAKEDIR})
write_basic_package_version_file(${CMAKE_CURRENT_BINARY_DIR}/VeltaConfigVersion.cmake
  VERSION ${PROJECT_VERSION}
  COMPATIBILITY ${VELTA_PACKAGE_COMPATIBILITY})
install(FILES ${CMAKE_CURRENT_BINARY_DIR}/VeltaConfig.cmake ${CMAKE_CURRENT_BINARY_DIR}/VeltaConfigVersion.cmake
  DESTINATION ${VELTA_INSTALL_CMAKEDIR} COMPONENT Development)

# The tools. Only velta-workstation links the control libraries: it finds
# them in the library folder beside bin/ wherever the prefix was moved.
install(TARGETS velta-workstation RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR} COMPONENT Workstation)
install(TARGETS velta-data RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR} COMPONENT DataTool)
install(TARGETS velta-distributor RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR} COMPONENT Distributor)
file(RELATIVE_PATH velta_bin_to_lib
  ${CMAKE_INSTALL_PREFIX}/${CMAKE_INSTALL_BINDIR} ${CMAKE_INSTALL_PREFIX}/${CMAKE_INSTALL_LIBDIR})
set_target_properties(velta-workstation PROPERTIES INSTALL_RPATH "$ORIGIN/${velta_bin_to_lib}")

# The workstation on the desktop: its entry, its icon and what software
# centres show of it.
set(velta_desktop ${PROJECT_SOURCE_DIR}/tools/velta-workstation/desktop)
install(FILES ${velta_desktop}/invalid.velta.workstation.desktop
  DESTINATION ${CMAKE_INSTALL_DATADIR}/applications COMPONENT Workstation)
install(FILES ${velta_desktop}/velta-workstation.svg
  DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/scalable/apps COMPONENT Workstation)
install(FILES ${velta_desktop}/invalid.velta.workstation.metainfo.xml
  DESTINATION ${CMAKE_INSTALL_DATADIR}/metainfo COMPONENT Workstation)

include(${CMAKE_CURRENT_LIST_DIR}/VeltaManPages.cmake)
velta_man_page(velta-workstation Workstation "a host of the Velta order and inquiry controls")
velta_man_page(velta-data DataTool "the business system's files, packed fields and check tokens, from a shell")
velta_man_page(velta-distributor Distributor "a distributor simulator for the Velta link")

# Debian's copyright file (machine-readable) and the changelog, compressed as
# Debian has it (gzip -9n), in every package's documentation folder.
set(velta_changelog ${PROJECT_SOURCE_DIR}/cmake/debian/changelog)
set(velta_changelog_gz ${PROJECT_BINARY_DIR}/doc/changelog.gz)
add_custom_command(OUTPUT ${velta_changelog_gz}
  COMMAND ${CMAKE_COMMAND} -E copy ${velta_changelog} ${PROJECT_BINARY_DIR}/doc/changelog
  COMMAND gzip -9nf ${PROJECT_BINARY_DIR}/doc/changelog
  DEPENDS ${velta_changelog}
  COMMENT "Compressing the changelog"
  VERBATIM)
add_custom_target(velta-changelog ALL DEPENDS ${velta_changelog_gz})
foreach(component ${VELTA_COMPONENTS})
  install(FILES ${PROJECT_SOURCE_DIR}/cmake/debian/copyright ${velta_changelog_gz}
    DESTINATION ${CMAKE_INSTALL_DATAROOTDIR}/doc/${VELTA_PACKAGE_${component}} COMPONENT ${component})
endforeach()
