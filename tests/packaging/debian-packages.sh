#!/usr/bin/env bash
# debian-packages.sh BUILD SOURCE VERSION SOVERSION CONFIG LIBDIR DESIGNERDIR DESIGNERABI
#
# Runs `cpack -G DEB` on the build (into a temporary folder, not the build
# folder) and checks every package without installing it on this machine
# (dpkg-deb -f, -x, --ctrl-tarfile): names after the SONAMEs, versions,
# sections, maintainer, descriptions, dependencies, the files each one holds,
# the libraries' shlibs, the desktop entry and metainfo; that what a counter
# workstation installs (the libraries and velta-workstation) needs neither the
# Designer plugin, nor velta-dev, nor Qt Designer's libraries; and that the
# development package finds its libraries in the library packages.
set -uo pipefail
BUILD=$1 SOURCE=$2 VERSION=$3 SOVERSION=$4 CONFIG=$5 LIBDIR=$6 DESIGNERDIR=$7 DESIGNERABI=$8
HERE=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)
# shellcheck source=tests/packaging/check.sh
. "$HERE/check.sh"
# shellcheck source=tests/packaging/layout.sh
. "$HERE/layout.sh"

WORK=$(mktemp -d "${TMPDIR:-/tmp}/velta-deb-XXXXXX")
trap 'rm -rf "$WORK"' EXIT
if ! (cd "$BUILD" && cpack -G DEB -B "$WORK") >"$WORK/cpack.log" 2>&1; then
  cat "$WORK/cpack.log" >&2
  fail "cpack -G DEB"
  finish
  exit 1
fi
ARCH=$(dpkg --print-architecture)
deb_of() { echo "$WORK/$(package_of "$1")_${VERSION}_$ARCH.deb"; }
expect_eq "the packages made" "$(for c in $(components); do basename "$(deb_of "$c")"; done | LC_ALL=C sort)" \
  "$(cd "$WORK" && ls -1 ./*.deb | sed 's|^\./||' | LC_ALL=C sort)"

field() { dpkg-deb -f "$1" "$2"; }
# The Depends field, one package a line, with its version constraint.
depends() { field "$1" Depends | tr ',' '\n' | sed 's/^ *//; s/ *$//'; }
section_of() {
  case $1 in
    OrderLibrary | InquiryLibrary) echo libs ;;
    Workstation | DataTool | Distributor) echo utils ;;
    DesignerPlugin) echo devel ;;
    Development) echo libdevel ;;
  esac
}

for component in $(components); do
  deb=$(deb_of "$component")
  name=$(package_of "$component")
  [ -f "$deb" ] || continue
  expect_eq "$name: package" "$name" "$(field "$deb" Package)"
  expect_eq "$name: version" "$VERSION" "$(field "$deb" Version)"
  expect_eq "$name: architecture" "$ARCH" "$(field "$deb" Architecture)"
  expect_eq "$name: section" "$(section_of "$component")" "$(field "$deb" Section)"
  expect_eq "$name: priority" optional "$(field "$deb" Priority)"
  expect_eq "$name: maintainer" "Velta link developers <dev@velta.invalid>" "$(field "$deb" Maintainer)"
  # A synopsis of its own, and a long description below it.
  description=$(field "$deb" Description)
  synopsis=$(head -1 <<<"$description")
  [ -n "$synopsis" ] && [ "${#synopsis}" -le 80 ] && pass || fail "$name: synopsis \"$synopsis\""
  [ "$(wc -l <<<"$description")" -ge 3 ] && pass || fail "$name: no long description"
  echo "$synopsis" >>"$WORK/synopses"
  # What it holds, below /usr.
  mkdir -p "$WORK/tree/$name"
  dpkg-deb -x "$deb" "$WORK/tree/$name"
  expect_eq "$name: files" "$(expected_files "$component" | sed 's|^|usr/|; s| -> usr/| -> |' | LC_ALL=C sort)" \
    "$(tree_listing "$WORK/tree/$name")"
  # Everything a package holds is also in one root, as installed together.
  dpkg-deb -x "$deb" "$WORK/root"
done
expect_eq "every synopsis differs" "$(wc -l <"$WORK/synopses")" "$(sort -u "$WORK/synopses" | wc -l)"

ORDER=libveltaorder$SOVERSION INQUIRY=libveltaiq$SOVERSION
# The libraries: named after their SONAME, with the shlibs of it (later 0.3.x
# releases will do for a package built against this one).
for lib in veltaorder veltaiq; do
  package=lib$lib$SOVERSION
  soname=$(readelf -d "$WORK/tree/$package/usr/$LIBDIR/lib$lib.so.$VERSION" | sed -n 's/.*(SONAME).*\[\(.*\)\]/\1/p')
  expect_eq "$package: SONAME" "lib$lib.so.$SOVERSION" "$soname"
  expect_eq "$package: shlibs" "lib$lib $SOVERSION $package (>= $VERSION)" \
    "$(dpkg-deb --ctrl-tarfile "$WORK/$package"_"${VERSION}"_"$ARCH.deb" | tar -xO ./shlibs)"
  lib_depends=$(depends "$WORK/$package"_"${VERSION}"_"$ARCH.deb" | sed 's/ .*//')
  for needed in libc6 libqt6widgets6 libqt6network6 libsqlite3-0 libsmbclient; do
    expect_line "$package depends on $needed" "$needed" "$lib_depends"
  done
done
# Each package that links the libraries needs them of this very version.
for component in Workstation Development DesignerPlugin; do
  [ "$component" = DesignerPlugin ] && [ -z "$DESIGNERDIR" ] && continue
  deps=$(depends "$(deb_of "$component")")
  expect_line "$(package_of "$component") depends on $ORDER" "$ORDER (= $VERSION)" "$deps"
  expect_line "$(package_of "$component") depends on $INQUIRY" "$INQUIRY (= $VERSION)" "$deps"
done
expect_line "velta-workstation depends on Qt Widgets" libqt6widgets6 "$(depends "$(deb_of Workstation)" | sed 's/ .*//')"
expect_line "velta-dev depends on Qt's development files" qt6-base-dev "$(depends "$(deb_of Development)")"
for component in DataTool Distributor; do
  expect_no_line "$(package_of "$component") needs no control library" "^libvelta" "$(depends "$(deb_of "$component")")"
done
if [ -n "$DESIGNERDIR" ]; then
  deps=$(depends "$(deb_of DesignerPlugin)")
  expect_line "the plugin depends on Qt Designer's library" libqt6designer6 "$(sed 's/ .*//' <<<"$deps")"
  expect_line "the plugin depends on the Designer it was built for" "qt6-designer-abi (= $DESIGNERABI)" "$deps"
fi

# A counter workstation: the two libraries and velta-workstation need no
# other package of ours, and neither Designer's libraries nor the
# development files.
counter="$ORDER $INQUIRY velta-workstation"
for package in $counter; do
  deps=$(depends "$WORK/${package}_${VERSION}_$ARCH.deb" | sed 's/ .*//')
  expect_no_line "$package needs Designer or the development files" '^(libqt6designer|libqt6designercomponents|qt6-designer-abi|velta-designer-plugin|velta-dev|qt6-base-dev)' "$deps"
  for ours in $(grep -E '^(libvelta|velta)' <<<"$deps"); do
    if grep -qw -- "$ours" <<<"$counter"; then pass; else fail "$package needs $ours"; fi
  done
done
# And what apt would install for it on a machine with nothing installed
# (simulated from the package lists of this machine; skipped without them).
: >"$WORK/empty-status"
if apt-get -s -o Dir::State::status="$WORK/empty-status" -o Debug::NoLocking=1 install \
  "$(deb_of OrderLibrary)" "$(deb_of InquiryLibrary)" "$(deb_of Workstation)" >"$WORK/apt.log" 2>&1; then
  expect_no_line "a counter workstation's installation" '^Inst (libqt6designer6|libqt6designercomponents6|velta-dev|velta-designer-plugin|qt6-base-dev) ' \
    "$(cat "$WORK/apt.log")"
  expect_line "a counter workstation's installation takes Qt Widgets" yes \
    "$(grep -q '^Inst libqt6widgets6 ' "$WORK/apt.log" && echo yes)"
else
  echo "skipped: apt-get cannot simulate the installation here: $(tail -2 "$WORK/apt.log")"
fi

# The workstation on the desktop.
desktop=$WORK/root/usr/share/applications/invalid.velta.workstation.desktop
metainfo=$WORK/root/usr/share/metainfo/invalid.velta.workstation.metainfo.xml
expect_line "desktop entry runs" "Exec=velta-workstation" "$(cat "$desktop")"
expect_line "desktop entry icon" "Icon=velta-workstation" "$(cat "$desktop")"
if command -v desktop-file-validate >/dev/null; then
  out=$(desktop-file-validate "$desktop" 2>&1) && [ -z "$out" ] && pass || fail "desktop-file-validate: $out"
else
  echo "skipped: desktop-file-validate (desktop-file-utils) is not installed"
fi
if command -v appstreamcli >/dev/null; then
  out=$(appstreamcli validate --no-net "$metainfo" 2>&1) && pass || fail "appstreamcli validate: $out"
else
  echo "skipped: appstreamcli (appstream) is not installed"
fi
expect_line "metainfo launches the desktop entry" \
  "  <launchable type=\"desktop-id\">invalid.velta.workstation.desktop</launchable>" "$(cat "$metainfo")"
expect_line "metainfo names this release" "    <release version=\"$VERSION\" date=\"$(LC_ALL=C date -u -d \
  "@$(dpkg-parsechangelog -l "$SOURCE/cmake/debian/changelog" -STimestamp)" +%F)\">" "$(cat "$metainfo")"

# velta-dev finds its libraries in the library packages: a host configures
# against the packages' files alone.
MAJOR=${VERSION%%.*} MINOR=${VERSION#*.}
if cmake -S "$HERE/tiny-host" -B "$WORK/host" -G Ninja -DCMAKE_PREFIX_PATH="$WORK/root/usr" \
  -DVELTA_WANTED="$MAJOR.${MINOR%%.*}" >"$WORK/host.log" 2>&1; then
  pass
else
  fail "the tiny host does not configure against the packages: $(tail -5 "$WORK/host.log")"
fi
finish
