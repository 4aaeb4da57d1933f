#!/usr/bin/env bash
# debian-packages.sh BUILD VERSION CONFIG LIBDIR DESIGNERDIR
#
# Runs `cpack -G DEB` on the build (into a temporary folder, not the build
# folder) and checks both packages: their names, versions and dependencies,
# and the files each one holds.
set -uo pipefail
BUILD=$1 VERSION=$2 CONFIG=$3 LIBDIR=$4 DESIGNERDIR=$5
MAJOR=${VERSION%%.*}
HERE=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)
# shellcheck source=tests/packaging/check.sh
. "$HERE/check.sh"

WORK=$(mktemp -d "${TMPDIR:-/tmp}/velta-deb-XXXXXX")
trap 'rm -rf "$WORK"' EXIT
if ! (cd "$BUILD" && cpack -G DEB -B "$WORK") >"$WORK/cpack.log" 2>&1; then
  cat "$WORK/cpack.log" >&2
  fail "cpack -G DEB"
  finish
  exit 1
fi
ARCH=$(dpkg --print-architecture)
RUNTIME=$WORK/velta_${VERSION}_$ARCH.deb
DEV=$WORK/velta-dev_${VERSION}_$ARCH.deb
expect_eq "the packages made" "$(printf '%s\n' "$(basename "$DEV")" "$(basename "$RUNTIME")")" \
  "$(cd "$WORK" && ls -1 ./*.deb | sed 's|^\./||' | LC_ALL=C sort)"

field() { dpkg-deb -f "$1" "$2"; }
expect_eq "runtime package name" velta "$(field "$RUNTIME" Package)"
expect_eq "runtime package version" "$VERSION" "$(field "$RUNTIME" Version)"
expect_eq "development package name" velta-dev "$(field "$DEV" Package)"
expect_eq "development package version" "$VERSION" "$(field "$DEV" Version)"
for deb in "$RUNTIME" "$DEV"; do
  [ -n "$(field "$deb" Maintainer)" ] && pass || fail "$(basename "$deb") has no maintainer"
  [ -n "$(field "$deb" Description)" ] && pass || fail "$(basename "$deb") has no description"
done
# The development package needs the runtime package of its own version.
dev_depends=$(field "$DEV" Depends | tr ',' '\n' | sed 's/^ *//')
expect_line "development package depends on the runtime one" "velta (= $VERSION)" "$dev_depends"
# dpkg-shlibdeps found what the libraries and programs link.
runtime_depends=$(field "$RUNTIME" Depends | tr ',' '\n' | sed 's/^ *//; s/ .*//')
for package in libc6 libqt6widgets6 libqt6network6 libsqlite3-0 libsmbclient; do
  expect_line "runtime package depends on $package" "$package" "$runtime_depends"
done

# Files (not folders) and links of each package, as paths below /.
contents() { dpkg-deb -c "$1" | awk '$1 !~ /^d/ { p = $6; sub(/^\./, "", p); print p ($7 == "->" ? " -> " $8 : "") }' | LC_ALL=C sort; }
runtime_expected="/usr/bin/velta-data
/usr/bin/velta-distributor
/usr/bin/velta-workstation
/usr/$LIBDIR/libveltaiq.so.$MAJOR -> libveltaiq.so.$VERSION
/usr/$LIBDIR/libveltaiq.so.$VERSION
/usr/$LIBDIR/libveltaorder.so.$MAJOR -> libveltaorder.so.$VERSION
/usr/$LIBDIR/libveltaorder.so.$VERSION"
[ -n "$DESIGNERDIR" ] && runtime_expected+=$'\n'"/usr/$DESIGNERDIR/libveltadesigner.so"
expect_eq "runtime package files" "$(LC_ALL=C sort <<<"$runtime_expected")" "$(contents "$RUNTIME")"
dev_expected="/usr/include/velta/inquiry/UserControl1.h
/usr/include/velta/inquiry/veltaiq_export.h
/usr/include/velta/order/UserControl1.h
/usr/include/velta/order/veltaorder_export.h
/usr/include/velta/qt/MemoryPropertyBag.h
/usr/include/velta/qt/Presenter.h
/usr/include/velta/qt/PropertyBag.h
/usr/$LIBDIR/cmake/Velta/VeltaConfig.cmake
/usr/$LIBDIR/cmake/Velta/VeltaConfigVersion.cmake
/usr/$LIBDIR/cmake/Velta/VeltaTargets-$CONFIG.cmake
/usr/$LIBDIR/cmake/Velta/VeltaTargets.cmake
/usr/$LIBDIR/libveltaiq.so -> libveltaiq.so.$MAJOR
/usr/$LIBDIR/libveltaorder.so -> libveltaorder.so.$MAJOR"
expect_eq "development package files" "$(LC_ALL=C sort <<<"$dev_expected")" "$(contents "$DEV")"
finish
