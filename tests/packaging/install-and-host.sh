#!/usr/bin/env bash
# install-and-host.sh BUILD SOURCE VERSION CONFIG LIBDIR DESIGNERDIR
#
# Installs the build into a temporary prefix and checks what lies there (the
# file list, the libraries' SONAMEs and name links, where the installed
# programs find the libraries, public headers that need only Qt), then builds
# tests/packaging/tiny-host against the installed package with
# find_package(Velta) and runs it headless on the sample business system that
# the installed velta-data writes.
set -uo pipefail
BUILD=$1 SOURCE=$2 VERSION=$3 CONFIG=$4 LIBDIR=$5 DESIGNERDIR=$6
MAJOR=${VERSION%%.*}
HERE=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)
# shellcheck source=tests/packaging/check.sh
. "$HERE/check.sh"

WORK=$(mktemp -d "${TMPDIR:-/tmp}/velta-install-XXXXXX")
trap 'rm -rf "$WORK"' EXIT
PREFIX=$WORK/prefix

if ! cmake --install "$BUILD" --prefix "$PREFIX" >"$WORK/install.log" 2>&1; then
  cat "$WORK/install.log" >&2
  fail "cmake --install"
  finish
  exit 1
fi

# The whole installed tree, and nothing else.
expected="bin/velta-data
bin/velta-distributor
bin/velta-workstation
include/velta/inquiry/UserControl1.h
include/velta/inquiry/veltaiq_export.h
include/velta/order/UserControl1.h
include/velta/order/veltaorder_export.h
include/velta/qt/MemoryPropertyBag.h
include/velta/qt/Presenter.h
include/velta/qt/PropertyBag.h
$LIBDIR/cmake/Velta/VeltaConfig.cmake
$LIBDIR/cmake/Velta/VeltaConfigVersion.cmake
$LIBDIR/cmake/Velta/VeltaTargets-$CONFIG.cmake
$LIBDIR/cmake/Velta/VeltaTargets.cmake
$LIBDIR/libveltaiq.so
$LIBDIR/libveltaiq.so.$MAJOR
$LIBDIR/libveltaiq.so.$VERSION
$LIBDIR/libveltaorder.so
$LIBDIR/libveltaorder.so.$MAJOR
$LIBDIR/libveltaorder.so.$VERSION"
[ -n "$DESIGNERDIR" ] && expected+=$'\n'"$DESIGNERDIR/libveltadesigner.so"
expect_eq "installed files" "$(sort <<<"$expected")" "$(cd "$PREFIX" && find . ! -type d | sed 's|^\./||' | LC_ALL=C sort)"

# Each library: its SONAME carries the major version; the name links lead to the file.
for lib in veltaorder veltaiq; do
  soname=$(readelf -d "$PREFIX/$LIBDIR/lib$lib.so.$VERSION" | sed -n 's/.*(SONAME).*\[\(.*\)\]/\1/p')
  expect_eq "SONAME of lib$lib" "lib$lib.so.$MAJOR" "$soname"
  expect_eq "lib$lib.so links to" "lib$lib.so.$MAJOR" "$(readlink "$PREFIX/$LIBDIR/lib$lib.so")"
  expect_eq "lib$lib.so.$MAJOR links to" "lib$lib.so.$VERSION" "$(readlink "$PREFIX/$LIBDIR/lib$lib.so.$MAJOR")"
  # The core stays inside: no symbol of it is exported.
  expect_no_line "lib$lib exports the core" '^[0-9a-f]+ [A-Za-z] (velta::|typeinfo (name )?for velta::|vtable for velta::)' "$(nm -D --defined-only -C "$PREFIX/$LIBDIR/lib$lib.so.$VERSION")"
done

# The installed programs find the installed libraries, never the build's.
resolved() {
  local path
  path=$(ldd "$1" | sed -n "s/^[[:space:]]*lib$2\.so\.$MAJOR => \([^ ]*\).*/\1/p")
  [ -n "$path" ] && realpath -s "$path"
}
for lib in veltaorder veltaiq; do
  expect_eq "velta-workstation finds lib$lib" "$(realpath -s "$PREFIX/$LIBDIR")/lib$lib.so.$MAJOR" \
    "$(resolved "$PREFIX/bin/velta-workstation" "$lib")"
  if [ -n "$DESIGNERDIR" ]; then
    expect_eq "the Designer plugin finds lib$lib" "$(realpath -s "$PREFIX/$LIBDIR")/lib$lib.so.$MAJOR" \
      "$(resolved "$PREFIX/$DESIGNERDIR/libveltadesigner.so" "$lib")"
  fi
done
expect_no_line "velta-workstation's run path names the build" "$BUILD|$SOURCE" "$(readelf -d "$PREFIX/bin/velta-workstation")"

# Each public header compiles on its own with only the installed include root and Qt.
QT_FLAGS=$(pkg-config --cflags Qt6Widgets)
for header in order/UserControl1.h inquiry/UserControl1.h qt/Presenter.h qt/PropertyBag.h qt/MemoryPropertyBag.h; do
  printf '#include <%s>\n' "$header" >"$WORK/one-header.cpp"
  # shellcheck disable=SC2086
  if c++ -std=c++20 -fPIC -fsyntax-only -Wall -Wextra -I "$PREFIX/include/velta" $QT_FLAGS \
    "$WORK/one-header.cpp" 2>"$WORK/header.err"; then
    pass
  else
    fail "$header does not compile with only Qt and include/velta: $(head -3 "$WORK/header.err")"
  fi
done

# The tiny host, built against the installed package only.
if cmake -S "$HERE/tiny-host" -B "$WORK/host" -G Ninja -DCMAKE_PREFIX_PATH="$PREFIX" \
  -DCMAKE_BUILD_TYPE=RelWithDebInfo >"$WORK/host-configure.log" 2>&1 &&
  cmake --build "$WORK/host" >"$WORK/host-build.log" 2>&1; then
  pass
else
  cat "$WORK/host-configure.log" "$WORK/host-build.log" >&2
  fail "the tiny host does not build against the installed package"
  finish
  exit 1
fi
commands=$(cat "$WORK/host/compile_commands.json")
expect_no_line "the tiny host is compiled with the source tree" \
  "(-I ?|-isystem )$SOURCE(/(base|platform|engine|records|link|qt|order|inquiry|tools))?[ \"]" "$commands"
if grep -qF -- "$PREFIX/include/velta" <<<"$commands"; then pass; else fail "the tiny host is not compiled with $PREFIX/include/velta"; fi
expect_eq "the tiny host finds libveltaorder" "$(realpath -s "$PREFIX/$LIBDIR")/libveltaorder.so.$MAJOR" \
  "$(resolved "$WORK/host/tiny-host" veltaorder)"

# The sample business system, written by the installed velta-data, and the
# host run on it as velta-workstation's tests run it.
"$PREFIX/bin/velta-data" sample "$WORK/sample" >"$WORK/sample.log" 2>&1 || fail "velta-data sample: $(cat "$WORK/sample.log")"
out=$(env -u VELTA_SHARES -u VELTA_UNC_ROOT -u VELTA_TOKEN_TABLE \
  TMPDIR="$WORK/sample/workstation/tmp" XDG_CONFIG_HOME="$WORK/sample/workstation/config" \
  XDG_RUNTIME_DIR="$WORK/runtime" QT_QPA_PLATFORM=offscreen \
  "$WORK/host/tiny-host" 100236 1207 FLT 1A0013 2 2>"$WORK/host.err")
expect_eq "the tiny host's exit status" 0 "$?"
echo "$out"
# Purchase order 100236 of the sample, as the control shows it.
expect_line "order number" "order lblPO=100236" "$out"
expect_line "vendor" "order lblPOHdr(0)=SUMMIT CHEMICAL, INC.         " "$out"
expect_line "account" "order lblPOHdr(2)=SC 1180" "$out"
expect_line "first comment" "order lblPOHdr(3)=SEASON STOCK, BRAKE FLUID                             " "$out"
expect_line "total" "order lblPOHdr(7)=12345.67" "$out"
expect_line "ports" "order Label4=Using ports... 12000 - 12003" "$out"
expect_line "xPONum" "order property xPONum=text 100236" "$out"
expect_line "xPOSuccess" "order property xPOSuccess=number 0" "$out"
expect_line "lastOutcome" "order lastOutcome=none" "$out"
expect_line "saved properties" "order saved=xPONum" "$out"
# Vendor 1207 of the sample, as the inquiry control shows it after setSearch.
expect_line "inquiry xVendor" "inquiry property xVendor=number 1207" "$out"
expect_line "inquiry xPart" "inquiry property xPart=text 1A0013" "$out"
expect_line "inquiry vendor" "inquiry lblSearch(0)=1207 - NORTHERN PARTS DISTRIBUTION   " "$out"
expect_line "inquiry port" "inquiry lblSearch(1)=12106" "$out"
expect_line "inquiry address" "inquiry lblSearch(3)=127.0.0.1      " "$out"
expect_line "inquiry account" "inquiry lblSearch(4)=104233/A7" "$out"
expect_line "inquiry errText" "inquiry errText=" "$out"
expect_no_line "boxes" '^\[box\]' "$out"
expect_no_line "controlShutdown" 'controlShutdown' "$out"
finish
