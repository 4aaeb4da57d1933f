#!/usr/bin/env bash
# install-and-host.sh BUILD SOURCE VERSION SOVERSION CONFIG LIBDIR DESIGNERDIR
#
# Installs the build into a temporary prefix and checks what lies there: the
# file list, the libraries' multiarch folder, SONAMEs and name links, where
# the installed programs find the libraries, public headers that need only Qt,
# the version header, the tools' --version and man pages, the documentation
# every package carries. Then it builds tests/packaging/tiny-host against the
# installed package with find_package(Velta), runs it headless on the sample
# business system that the installed velta-data writes, and checks that the
# package refuses a host of another minor version.
set -uo pipefail
BUILD=$1 SOURCE=$2 VERSION=$3 SOVERSION=$4 CONFIG=$5 LIBDIR=$6 DESIGNERDIR=$7
MAJOR=${VERSION%%.*}
MINOR=${VERSION#*.}
MINOR=${MINOR%%.*}
HERE=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)
# shellcheck source=tests/packaging/check.sh
. "$HERE/check.sh"
# shellcheck source=tests/packaging/layout.sh
. "$HERE/layout.sh"

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
expected=$(for component in $(components); do expected_files "$component"; done | LC_ALL=C sort)
expect_eq "installed files" "$expected" "$(tree_listing "$PREFIX")"
# The libraries lie in Debian's multiarch folder below any prefix.
MULTIARCH=$(gcc -print-multiarch 2>/dev/null || true)
[ -n "$MULTIARCH" ] && expect_eq "library folder" "lib/$MULTIARCH" "$LIBDIR"

# Each library: its SONAME carries the version of its compatibility (until
# 1.0 the minor one); the name links lead to the file.
expect_eq "SONAME version" "$([ "$MAJOR" = 0 ] && echo "0.$MINOR" || echo "$MAJOR")" "$SOVERSION"
for lib in veltaorder veltaiq; do
  soname=$(readelf -d "$PREFIX/$LIBDIR/lib$lib.so.$VERSION" | sed -n 's/.*(SONAME).*\[\(.*\)\]/\1/p')
  expect_eq "SONAME of lib$lib" "lib$lib.so.$SOVERSION" "$soname"
  # The core stays inside: no symbol of it is exported.
  expect_no_line "lib$lib exports the core" '^[0-9a-f]+ [A-Za-z] (velta::|typeinfo (name )?for velta::|vtable for velta::)' "$(nm -D --defined-only -C "$PREFIX/$LIBDIR/lib$lib.so.$VERSION")"
done

# The installed programs find the installed libraries, never the build's.
resolved() {
  local path
  path=$(ldd "$1" | sed -n "s/^[[:space:]]*lib$2\.so\.$SOVERSION => \([^ ]*\).*/\1/p")
  [ -n "$path" ] && realpath -s "$path"
}
for lib in veltaorder veltaiq; do
  expect_eq "velta-workstation finds lib$lib" "$(realpath -s "$PREFIX/$LIBDIR")/lib$lib.so.$SOVERSION" \
    "$(resolved "$PREFIX/bin/velta-workstation" "$lib")"
  if [ -n "$DESIGNERDIR" ]; then
    expect_eq "the Designer plugin finds lib$lib" "$(realpath -s "$PREFIX/$LIBDIR")/lib$lib.so.$SOVERSION" \
      "$(resolved "$PREFIX/$DESIGNERDIR/libveltadesigner.so" "$lib")"
  fi
done
expect_line "velta-workstation's run path" "\$ORIGIN/../$LIBDIR" \
  "$(readelf -d "$PREFIX/bin/velta-workstation" | sed -n 's/.*(RUNPATH).*\[\(.*\)\]/\1/p')"
expect_no_line "velta-workstation's run path names the build" "$BUILD|$SOURCE" "$(readelf -d "$PREFIX/bin/velta-workstation")"

# Each public header compiles on its own with only the installed include
# roots (include/velta, and include/ for <velta/version.h>) and Qt.
QT_FLAGS=$(pkg-config --cflags Qt6Widgets)
compiles() {
  # shellcheck disable=SC2086
  c++ -std=c++20 -fPIC -fsyntax-only -Wall -Wextra -I "$PREFIX/include/velta" -I "$PREFIX/include" $QT_FLAGS \
    "$1" 2>"$WORK/header.err"
}
for header in $(public_headers); do
  printf '#include <%s>\n' "$header" >"$WORK/one-header.cpp"
  if compiles "$WORK/one-header.cpp"; then pass; else fail "$header does not compile with only Qt and the include roots: $(head -3 "$WORK/header.err")"; fi
done
# The version header says the project's version, and the export headers are CMake's, with deprecation.
cat >"$WORK/version-check.cpp" <<EOF
#include <velta/version.h>
#include <order/veltaorder_export.h>
#include <inquiry/veltaiq_export.h>
static_assert(VELTA_VERSION == VELTA_VERSION_CHECK($MAJOR, $MINOR, ${VERSION##*.}));
static_assert(VELTA_VERSION > VELTA_VERSION_CHECK($MAJOR, $MINOR, ${VERSION##*.}) - 1);
static_assert(VELTA_VERSION_CHECK(0, 3, 0) == 0x000300 && VELTA_VERSION_CHECK(1, 0, 0) > VELTA_VERSION_CHECK(0, 99, 99));
constexpr bool same(const char* a, const char* b) { return *a == *b && (*a == 0 || same(a + 1, b + 1)); }
static_assert(same(VELTA_VERSION_STRING, "$VERSION"));
VELTAORDER_DEPRECATED_EXPORT void oldOrderCall();
VELTAIQ_DEPRECATED_EXPORT void oldInquiryCall();
struct VELTAORDER_NO_EXPORT Hidden {};
EOF
if compiles "$WORK/version-check.cpp"; then pass; else fail "velta/version.h or the export headers: $(head -5 "$WORK/header.err")"; fi

# The tools: --version is one line, name and version, exit status 0; --help names it.
for tool in velta-data velta-distributor velta-workstation; do
  out=$(QT_QPA_PLATFORM=offscreen "$PREFIX/bin/$tool" --version 2>&1)
  expect_eq "$tool --version exit status" 0 "$?"
  expect_eq "$tool --version" "$tool $VERSION" "$out"
  if QT_QPA_PLATFORM=offscreen "$PREFIX/bin/$tool" --help 2>&1 | grep -q -- '--version'; then pass; else fail "$tool --help does not name --version"; fi
done

# Compressed as Debian has it: gzip -9n keeps no name and no time.
gzip_without_name_or_time() {
  local header
  header=$(od -An -tx1 -N10 "$1" | tr -d ' \n')
  [ "${header:0:6}" = 1f8b08 ] && [ "${header:6:2}" = 00 ] && [ "${header:8:8}" = 00000000 ] && [ "${header:16:2}" = 02 ]
}
# The pages carry the month of the latest changelog entry, for a build to be repeatable.
month=$(LC_ALL=C date -u -d "@$(dpkg-parsechangelog -l "$SOURCE/cmake/debian/changelog" -STimestamp)" '+%B %Y')
for tool in velta-data velta-distributor velta-workstation; do
  page=$PREFIX/share/man/man1/$tool.1.gz
  if gzip_without_name_or_time "$page"; then pass; else fail "$tool.1.gz is not compressed with gzip -9n"; fi
  text=$(zcat "$page")
  expect_line "$tool.1 title" ".TH ${tool^^} \"1\" \"$month\" \"$tool $VERSION\" \"User Commands\"" \
    "$(grep '^\.TH' <<<"$text")"
  if grep -qF -- '\-\-version' <<<"$text"; then pass; else fail "$tool.1 does not name --version"; fi
done
for component in $(components); do
  doc=$PREFIX/share/doc/$(package_of "$component")
  if gzip_without_name_or_time "$doc/changelog.gz"; then pass; else fail "$doc/changelog.gz is not compressed with gzip -9n"; fi
done
doc=$PREFIX/share/doc/velta-workstation
zcat "$doc/changelog.gz" >"$WORK/changelog"
expect_eq "changelog version" "$VERSION" "$(dpkg-parsechangelog -l "$WORK/changelog" -SVersion 2>&1)"
expect_eq "changelog maintainer" "Velta link developers <dev@velta.invalid>" \
  "$(dpkg-parsechangelog -l "$WORK/changelog" -SMaintainer 2>&1)"
copyright=$(cat "$doc/copyright")
expect_eq "copyright format" "Format: https://www.debian.org/doc/packaging-manuals/copyright-format/1.0/" "$(head -1 <<<"$copyright")"
for field in "Upstream-Name: velta" "Files: *" "Copyright: 2026 Velta link developers"; do
  expect_line "copyright field" "$field" "$copyright"
done

# The tiny host, built against the installed package only.
if cmake -S "$HERE/tiny-host" -B "$WORK/host" -G Ninja -DCMAKE_PREFIX_PATH="$PREFIX" \
  -DCMAKE_BUILD_TYPE=RelWithDebInfo -DVELTA_WANTED="$MAJOR.$MINOR" >"$WORK/host-configure.log" 2>&1 &&
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
expect_no_line "the tiny host is compiled with the build's headers" "(-I ?|-isystem )$BUILD/include" "$commands"
if grep -qF -- "$PREFIX/include/velta" <<<"$commands"; then pass; else fail "the tiny host is not compiled with $PREFIX/include/velta"; fi
expect_eq "the tiny host finds libveltaorder" "$(realpath -s "$PREFIX/$LIBDIR")/libveltaorder.so.$SOVERSION" \
  "$(resolved "$WORK/host/tiny-host" veltaorder)"

# The package keeps its promise: a host of the next minor version is refused.
mkdir -p "$WORK/newer"
printf 'cmake_minimum_required(VERSION 3.25)\nproject(newer LANGUAGES CXX)\nfind_package(Velta %s REQUIRED)\n' \
  "$MAJOR.$((MINOR + 1))" >"$WORK/newer/CMakeLists.txt"
if cmake -S "$WORK/newer" -B "$WORK/newer/build" -DCMAKE_PREFIX_PATH="$PREFIX" >"$WORK/newer.log" 2>&1; then
  fail "find_package(Velta $MAJOR.$((MINOR + 1))) accepts $VERSION"
else
  if grep -q "The following configuration files were considered but not accepted" "$WORK/newer.log"; then pass; else fail "find_package(Velta $MAJOR.$((MINOR + 1))): $(tail -5 "$WORK/newer.log")"; fi
fi

# The sample business system, written by the installed velta-data, and the
# host run on it as velta-workstation's tests run it.
"$PREFIX/bin/velta-data" sample "$WORK/sample" >"$WORK/sample.log" 2>&1 || fail "velta-data sample: $(cat "$WORK/sample.log")"
out=$(env -u VELTA_SHARES -u VELTA_UNC_ROOT -u VELTA_TOKEN_TABLE \
  TMPDIR="$WORK/sample/workstation/tmp" XDG_CONFIG_HOME="$WORK/sample/workstation/config" \
  XDG_RUNTIME_DIR="$WORK/runtime" QT_QPA_PLATFORM=offscreen \
  "$WORK/host/tiny-host" 100236 1207 FLT 1A0013 2 2>"$WORK/host.err")
expect_eq "the tiny host's exit status" 0 "$?"
echo "$out"
expect_line "versions" "headers $VERSION order library $VERSION inquiry library $VERSION same" "$out"
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
