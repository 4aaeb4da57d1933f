# `cpack -G DEB` in the build folder: two Debian packages of one version,
#   velta          the libraries, the tools and the Designer plugin (Runtime)
#   velta-dev      the headers and the CMake package (Development); depends
#                  on velta of the same version.
# Installed under /usr, so the Designer plugin lands in Qt's own plugin folder.
# The packages are written to the folder cpack runs in (-B names another).
set(CPACK_PACKAGE_NAME velta)
set(CPACK_PACKAGE_VENDOR "Velta")
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "Parts ordering and availability controls for dealer workstations")
set(CPACK_PACKAGE_CONTACT "Velta developers <velta@localhost>")
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)

set(CPACK_GENERATOR DEB)
set(CPACK_DEB_COMPONENT_INSTALL ON)
set(CPACK_COMPONENTS_ALL Runtime Development)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_MAINTAINER "Velta developers <velta@localhost>")
set(CPACK_DEBIAN_PACKAGE_SECTION libs)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
# The build keeps its debugging information; the packages do not.
set(CPACK_STRIP_FILES ON)
# dpkg-shlibdeps finds the package's own libraries in the staging tree.
set(CPACK_DEBIAN_PACKAGE_GENERATE_SHLIBS ON)

set(CPACK_DEBIAN_RUNTIME_PACKAGE_NAME velta)
set(CPACK_DEBIAN_RUNTIME_PACKAGE_SECTION libs)
set(CPACK_COMPONENT_RUNTIME_DESCRIPTION
  "The order control (libveltaorder) and the inquiry control (libveltaiq) for Qt 6 hosts,
velta-workstation, velta-data, velta-distributor and the Qt Designer plugin of both controls.")
set(CPACK_DEBIAN_DEVELOPMENT_PACKAGE_NAME velta-dev)
set(CPACK_DEBIAN_DEVELOPMENT_PACKAGE_SECTION libdevel)
# The dependency on velta (= version) comes from the component dependency below.
set(CPACK_DEBIAN_DEVELOPMENT_PACKAGE_DEPENDS "qt6-base-dev")
set(CPACK_COMPONENT_DEVELOPMENT_DESCRIPTION
  "The public headers of both controls and the CMake package: find_package(Velta) gives
Velta::veltaorder and Velta::veltaiq.")
set(CPACK_COMPONENT_DEVELOPMENT_DEPENDS Runtime)
set(CPACK_DEBIAN_ENABLE_COMPONENT_DEPENDS ON)

include(CPack)
