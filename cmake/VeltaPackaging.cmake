# `cpack -G DEB` in the build folder: one Debian package per install
# component of cmake/VeltaInstall.cmake, all of one version, installed under
# /usr (the Designer plugin lands in Qt's own plugin folder):
#
#   libveltaorder<soversion>, libveltaiq<soversion>   the libraries, named after their SONAME
#   velta-workstation                                 the host a counter workstation runs
#   velta-data, velta-distributor                     the support tool, the simulator
#   velta-designer-plugin                             needs Qt Designer's libraries
#   velta-dev                                         headers, CMake package
#
# A counter workstation installs the two libraries and velta-workstation,
# which bring neither Designer nor the development files. The packages are
# written to the folder cpack runs in (-B names another).
set(CPACK_PACKAGE_NAME velta)
set(CPACK_PACKAGE_VENDOR "Velta link developers")
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_CONTACT "Velta link developers <dev@velta.invalid>")
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)

set(CPACK_GENERATOR DEB)
set(CPACK_DEB_COMPONENT_INSTALL ON)
set(CPACK_COMPONENTS_ALL ${VELTA_COMPONENTS})
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_MAINTAINER "Velta link developers <dev@velta.invalid>")
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
# velta-workstation and the plugin link the libraries of the other packages;
# dpkg-shlibdeps finds them in the build folder, and the dependency on them
# (of this very version) comes from the component dependencies below.
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS_PRIVATE_DIRS ${CMAKE_LIBRARY_OUTPUT_DIRECTORY})
set(CPACK_DEBIAN_ENABLE_COMPONENT_DEPENDS ON)
# The libraries' shlibs: a package built against 0.3.0 takes any later 0.3.x.
# (CPack asks it of every package; for the Designer plugin, a module without
# a SONAME, it warns and writes none.)
set(CPACK_DEBIAN_PACKAGE_GENERATE_SHLIBS ON)
set(CPACK_DEBIAN_PACKAGE_GENERATE_SHLIBS_POLICY ">=")
# The build keeps its debugging information; the packages do not.
set(CPACK_STRIP_FILES ON)

# velta_deb(COMPONENT SECTION DESCRIPTION [DEPENDS component...]): the
# package of COMPONENT; DESCRIPTION's first line is the synopsis, the rest
# the long description.
function(velta_deb component section description)
  cmake_parse_arguments(PARSE_ARGV 3 arg "" "" "DEPENDS")
  string(TOUPPER ${component} upper)
  set(CPACK_DEBIAN_${upper}_PACKAGE_NAME ${VELTA_PACKAGE_${component}} PARENT_SCOPE)
  set(CPACK_DEBIAN_${upper}_PACKAGE_SECTION ${section} PARENT_SCOPE)
  set(CPACK_DEBIAN_${upper}_DESCRIPTION "${description}" PARENT_SCOPE)
  set(CPACK_COMPONENT_${upper}_DEPENDS ${arg_DEPENDS} PARENT_SCOPE)
endfunction()

velta_deb(OrderLibrary libs "Velta link order control for Qt 6 hosts
The order control veltaorder::UserControl1 loads a purchase order of the
dealer's business system, sends it to the parts distributor (message set
850), shows the acknowledgement and asks the status of an order sent before
(869). The library keeps its own copy of the data engine that reads the
business system's files on the file server.")
velta_deb(InquiryLibrary libs "Velta link inquiry control for Qt 6 hosts
The inquiry control veltaiq::UserControl1 asks the parts distributor whether
a part, and up to five more, are available and where (message set 846). The
library also offers clsMACAddress, the workstation's adapter address, and
keeps its own copy of the data engine.")
velta_deb(Workstation utils "dealer's workstation for Velta link orders and inquiries
velta-workstation is the window a dealer's staff works in: the order control
and the inquiry control over the fields a host sets, the journal of every
exchange with the distributor, and a status bar naming the business system.
Headless, it runs the controls from a script and writes a transcript.
This is all a counter workstation needs of the Velta link."
  DEPENDS OrderLibrary InquiryLibrary)
velta_deb(DataTool utils "Velta link business system files from a shell
velta-data reads the dealer's business system as the Velta link controls do:
the workstation's settings, logical files, indexes and records, vendor and
product-line records, and the exchange journal. It edits packed fields and
compressed text, computes check tokens and writes a sample business system.")
velta_deb(Distributor utils "parts distributor simulator for the Velta link
velta-distributor answers 850 orders, 869 order status requests and 846
availability inquiries on this computer from a catalog file, checks every
request as a distributor does, and has fault modes for tests and
demonstrations.")
if(TARGET veltadesigner)
  velta_deb(DesignerPlugin devel "Qt Designer plugin of the Velta link controls
Places the order control and the inquiry control on forms in Qt Designer
(the widget box's Velta group). Their properties are saved untranslated, and
forms loaded with QUiLoader at run time get working controls."
    DEPENDS OrderLibrary InquiryLibrary)
  # The plugin uses Designer's own classes: only the Designer it was built against will do.
  set(CPACK_DEBIAN_DESIGNERPLUGIN_PACKAGE_DEPENDS "qt6-designer-abi (= ${VELTA_DESIGNER_ABI})")
endif()
velta_deb(Development libdevel "Velta link controls: headers and CMake package
The public headers of the order control and the inquiry control, and the
CMake package: find_package(Velta) gives Velta::veltaorder and Velta::veltaiq,
which bring Qt 6 Widgets with them."
  DEPENDS OrderLibrary InquiryLibrary)
set(CPACK_DEBIAN_DEVELOPMENT_PACKAGE_DEPENDS "qt6-base-dev")

include(CPack)
