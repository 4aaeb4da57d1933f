# What each install component (= Debian package) holds, for the packaging
# tests: paths below the prefix, one a line, a link as "PATH -> TARGET".
# Needs VERSION, SOVERSION, CONFIG, LIBDIR and DESIGNERDIR (empty: no plugin).

# The Debian package of a component.
package_of() {
  case $1 in
    OrderLibrary) echo "libveltaorder$SOVERSION" ;;
    InquiryLibrary) echo "libveltaiq$SOVERSION" ;;
    Workstation) echo velta-workstation ;;
    DataTool) echo velta-data ;;
    Distributor) echo velta-distributor ;;
    DesignerPlugin) echo velta-designer-plugin ;;
    Development) echo velta-dev ;;
  esac
}

# The components built here.
components() {
  echo OrderLibrary InquiryLibrary Workstation DataTool Distributor Development
  [ -n "$DESIGNERDIR" ] && echo DesignerPlugin
  true
}

expected_files() {
  local component=$1 lib
  case $component in
    OrderLibrary | InquiryLibrary)
      lib=$([ "$component" = OrderLibrary ] && echo veltaorder || echo veltaiq)
      echo "$LIBDIR/lib$lib.so.$SOVERSION -> lib$lib.so.$VERSION"
      echo "$LIBDIR/lib$lib.so.$VERSION"
      ;;
    Workstation)
      echo bin/velta-workstation
      echo share/applications/invalid.velta.workstation.desktop
      echo share/icons/hicolor/scalable/apps/velta-workstation.svg
      echo share/metainfo/invalid.velta.workstation.metainfo.xml
      echo share/man/man1/velta-workstation.1.gz
      ;;
    DataTool) printf '%s\n' bin/velta-data share/man/man1/velta-data.1.gz ;;
    Distributor) printf '%s\n' bin/velta-distributor share/man/man1/velta-distributor.1.gz ;;
    DesignerPlugin) echo "$DESIGNERDIR/libveltadesigner.so" ;;
    Development)
      printf 'include/velta/inquiry/%s\n' UserControl1.h Version.h WorkstationSetup.h clsMACAddress.h veltaiq_export.h
      printf 'include/velta/order/%s\n' UserControl1.h Version.h WorkstationSetup.h veltaorder_export.h
      printf 'include/velta/qt/%s\n' MemoryPropertyBag.h Presenter.h PropertyBag.h
      echo include/velta/version.h
      printf "$LIBDIR/cmake/Velta/%s\n" VeltaConfig.cmake VeltaConfigVersion.cmake "VeltaTargets-$CONFIG.cmake" VeltaTargets.cmake
      echo "$LIBDIR/libveltaiq.so -> libveltaiq.so.$SOVERSION"
      echo "$LIBDIR/libveltaorder.so -> libveltaorder.so.$SOVERSION"
      ;;
  esac
  printf "share/doc/$(package_of "$component")/%s\n" changelog.gz copyright
}

# Every file and link below DIR, as expected_files gives them.
tree_listing() {
  (cd "$1" && find . ! -type d -printf '%P\n' | while IFS= read -r path; do
    if [ -L "$path" ]; then echo "$path -> $(readlink "$path")"; else echo "$path"; fi
  done) | LC_ALL=C sort
}

# The public headers, as a host includes them.
public_headers() {
  expected_files Development | sed -n 's|^include/velta/\(.*\.h\)$|\1|p'
}
