# The project's version as the code and the libraries see it:
#   VELTA_GENERATED_INCLUDE_DIR  the include root of generated headers
#                                (velta/version.h here, the export headers of
#                                the control libraries, see VeltaExports.cmake)
#   VELTA_SOVERSION              what the libraries' SONAMEs carry: the major
#                                version, and until 1.0 the minor one too, for
#                                no compatibility is kept across minor
#                                versions before 1.0 (libveltaorder.so.0.3)
#   VELTA_PACKAGE_COMPATIBILITY  the promise of the CMake package, to match
set(VELTA_GENERATED_INCLUDE_DIR ${PROJECT_BINARY_DIR}/include)
if(PROJECT_VERSION_MAJOR EQUAL 0)
  set(VELTA_SOVERSION ${PROJECT_VERSION_MAJOR}.${PROJECT_VERSION_MINOR})
  set(VELTA_PACKAGE_COMPATIBILITY SameMinorVersion)
else()
  set(VELTA_SOVERSION ${PROJECT_VERSION_MAJOR})
  set(VELTA_PACKAGE_COMPATIBILITY SameMajorVersion)
endif()
configure_file(${CMAKE_CURRENT_LIST_DIR}/version.h.in ${VELTA_GENERATED_INCLUDE_DIR}/velta/version.h @ONLY)

# For the programs that print the version (--version) or report it.
add_library(velta_version INTERFACE)
target_include_directories(velta_version INTERFACE ${VELTA_GENERATED_INCLUDE_DIR})
