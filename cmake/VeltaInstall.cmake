# `cmake --install build --prefix P`: what a host developer builds against and
# what a workstation runs. Two install components, one per Debian package:
# Runtime (the libraries, the tools, the Designer plugin) and Development (the
# public headers, the library name links and the CMake package).
include(CMakePackageConfigHelpers)

set(VELTA_INSTALL_CMAKEDIR ${CMAKE_INSTALL_LIBDIR}/cmake/Velta)

install(TARGETS veltaorder veltaiq
  EXPORT VeltaTargets
  LIBRARY DESTINATION ${CMAKE_INSTALL_LIBDIR} COMPONENT Runtime NAMELINK_COMPONENT Development)

# The public headers: Qt and the standard library only, each including the
# others by the paths they have in the source tree.
install(FILES order/UserControl1.h order/veltaorder_export.h
  DESTINATION ${VELTA_INSTALL_INCLUDE_ROOT}/order COMPONENT Development)
install(FILES inquiry/UserControl1.h inquiry/veltaiq_export.h
  DESTINATION ${VELTA_INSTALL_INCLUDE_ROOT}/inquiry COMPONENT Development)
install(FILES qt/Presenter.h qt/PropertyBag.h qt/MemoryPropertyBag.h
  DESTINATION ${VELTA_INSTALL_INCLUDE_ROOT}/qt COMPONENT Development)

install(EXPORT VeltaTargets
  NAMESPACE Velta::
  DESTINATION ${VELTA_INSTALL_CMAKEDIR}
  COMPONENT Development)
configure_package_config_file(${CMAKE_CURRENT_LIST_DIR}/VeltaConfig.cmake.in
  ${CMAKE_CURRENT_BINARY_DIR}/VeltaConfig.cmake
  INSTALL_DESTINATION ${VELTA_INSTALL_CMAKEDIR})
write_basic_package_version_file(${CMAKE_CURRENT_BINARY_DIR}/VeltaConfigVersion.cmake
  VERSION ${PROJECT_VERSION}
  COMPATIBILITY SameMajorVersion)
install(FILES ${CMAKE_CURRENT_BINARY_DIR}/VeltaConfig.cmake ${CMAKE_CURRENT_BINARY_DIR}/VeltaConfigVersion.cmake
  DESTINATION ${VELTA_INSTALL_CMAKEDIR} COMPONENT Development)

# The tools. Only velta-workstation links the control libraries: it finds
# them beside bin/ wherever the prefix was moved.
install(TARGETS velta-data velta-distributor velta-workstation
  RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR} COMPONENT Runtime)
file(RELATIVE_PATH velta_bin_to_lib
  ${CMAKE_INSTALL_PREFIX}/${CMAKE_INSTALL_BINDIR} ${CMAKE_INSTALL_PREFIX}/${CMAKE_INSTALL_LIBDIR})
set_target_properties(velta-workstation PROPERTIES INSTALL_RPATH "$ORIGIN/${velta_bin_to_lib}")
