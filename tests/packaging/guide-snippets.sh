#!/usr/bin/env bash
# guide-snippets.sh BUILD README VELTA_DATA
#
# The host developer's guide of README.md followed literally. Its ```cmake and
# ```cpp blocks from "### Building against the controls" to the end of the
# guide are taken as they stand today, each put where the comment on the line
# before it says:
#
#   <!-- snippet: cmake -->      the host's CMakeLists.txt, after project() and
#                                add_executable(myhost main.cpp)
#   <!-- snippet: top -->        the top of main.cpp (the includes)
#   <!-- snippet: namespace -->  after all of those, at namespace scope (classes)
#   <!-- snippet: body NAME -->  the body of a function of the host for NAME, with
#                                `bag` (a velta::qt::PropertyBag&) at hand; it makes
#                                one control, named `control`
#   <!-- snippet: setup NAME -->  at namespace scope too: a function NAME(folder)
#                                that points both libraries at the sample in folder
#
# Every cmake or cpp block of the guide has a marker: a new one is built too.
# The host is built with the guide's CMake lines against the libraries and
# headers installed into a temporary prefix, warnings as errors, and run
# headless with its order and inquiry bodies on the sample business system that
# velta-data writes: with the settings velta-data prints; with the setup
# function alone; and without a settings file, where the show handler already
# meets a failure and the presenter has to answer its box.
set -uo pipefail
BUILD=$1 README=$2 VELTA_DATA=$3
HERE=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)
# shellcheck source=tests/packaging/check.sh
. "$HERE/check.sh"

WORK=$(mktemp -d "${TMPDIR:-/tmp}/velta-guide-XXXXXX")
[ -n "${KEEP:-}" ] || trap 'rm -rf "$WORK"' EXIT
PREFIX=$WORK/prefix HOST=$WORK/host SNIPPETS=$WORK/snippets
mkdir -p "$HOST" "$SNIPPETS"

# Only what a host developer installs: the two libraries and velta-dev.
for component in OrderLibrary InquiryLibrary Development; do
  if ! cmake --install "$BUILD" --prefix "$PREFIX" --component "$component" >>"$WORK/install.log" 2>&1; then
    cat "$WORK/install.log" >&2
    fail "cmake --install --component $component"
    finish
    exit 1
  fi
done

# The snippets, one file per place: cmake, top, namespace, body.NAME (bodies
# lists the names in the order of the guide, setup the setup function's). A cpp snippet begins with a
# #line directive, so that the compiler names the README's own lines.
awk -v dir="$SNIPPETS" -v readme="$README" '
  function complain(message) { printf "%s:%d: %s\n", readme, NR, message > "/dev/stderr"; errors++ }
  /^### Building against the controls[[:space:]]*$/ { inside = 1; found = 1; next }
  inside && !fence && /^## / { inside = 0 }
  !inside { next }
  fence {
    if ($0 ~ /^```[[:space:]]*$/) { fence = 0; if (file != "") close(file); next }
    if (file != "") print >> file
    next
  }
  /^<!-- snippet:/ {
    if (marker != "") complain("a snippet marker without its block: " marker)
    if (!match($0, /^<!-- snippet: *[^ ].* -->[[:space:]]*$/)) { complain("a malformed snippet marker"); next }
    marker = $0
    sub(/^<!-- snippet: */, "", marker)
    sub(/ *-->[[:space:]]*$/, "", marker)
    next
  }
  /^```/ {
    language = substr($0, 4)
    sub(/[[:space:]]+$/, "", language)
    fence = 1
    file = ""
    if (language != "cpp" && language != "cmake") {
      if (marker != "") complain("a snippet marker before a ```" language " block")
      marker = ""
      next
    }
    if (marker == "") { complain("a ```" language " block without a snippet marker"); next }
    n = split(marker, word, / +/)
    if (language == "cmake") {
      if (marker != "cmake") complain("a ```cmake block marked \"" marker "\"")
      else file = dir "/cmake"
    } else if ((word[1] == "top" || word[1] == "namespace") && n == 1) {
      file = dir "/" word[1]
    } else if (word[1] == "setup" && n == 2 && word[2] ~ /^[A-Za-z_][A-Za-z0-9_]*$/) {
      if (setup != "") complain("a second setup " word[2])
      setup = word[2]
      print setup > (dir "/setup")
      file = dir "/namespace"
    } else if (word[1] == "body" && n == 2 && word[2] ~ /^[a-z][a-z0-9_]*$/) {
      if (word[2] in bodies) complain("a second body " word[2])
      bodies[word[2]] = 1
      print word[2] >> (dir "/bodies")
      file = dir "/body." word[2]
    } else {
      complain("a ```cpp block marked \"" marker "\" (top, namespace, body NAME or setup NAME)")
    }
    if (file != "" && language == "cpp") printf "#line %d \"%s\"\n", NR + 1, readme >> file
    marker = ""
    next
  }
  marker != "" && NF > 0 { complain("a snippet marker without its block: " marker); marker = "" }
  END {
    if (!found) complain("no heading \"### Building against the controls\"")
    if (fence) complain("a block that does not end")
    if (marker != "") complain("a snippet marker without its block: " marker)
    exit errors > 0
  }
' "$README"
expect_eq "every snippet of the guide marked" 0 "$?"
for place in cmake top namespace body.order body.inquiry setup; do
  if [ -s "$SNIPPETS/$place" ]; then pass; else fail "the guide has no $place snippet"; fi
done
if [ ! -s "$SNIPPETS/bodies" ] || [ ! -s "$SNIPPETS/setup" ]; then
  finish
  exit 1
fi

# The host's CMakeLists.txt: its target is the guide's myhost. Qt comes with
# the package, as the guide says: the host does not look for it itself.
{
  echo "cmake_minimum_required(VERSION 3.25)"
  echo "project(guide_host LANGUAGES CXX)"
  echo "add_executable(myhost main.cpp)"
  cat "$SNIPPETS/cmake"
} >"$HOST/CMakeLists.txt"

# main.cpp: the snippets first, so that they compile with their own includes
# alone; then what runs them and prints what each control shows.
MAIN=$HOST/main.cpp
# Resumes the line numbers of main.cpp after a snippet.
resume_lines() { echo "#line $(($(wc -l <"$MAIN") + 2)) \"$MAIN\""; }
{
  cat "$SNIPPETS/top"
  resume_lines
  echo "template <class Control> void report(const char* name, const Control& control);"
  cat "$SNIPPETS/namespace"
} >"$MAIN"
while read -r body; do
  {
    resume_lines
    echo "void ${body}Snippet([[maybe_unused]] velta::qt::PropertyBag& bag) {"
    cat "$SNIPPETS/body.$body"
  } >>"$MAIN"
  {
    resume_lines
    echo "  report(\"$body\", control);"
    echo "}"
  } >>"$MAIN"
done <"$SNIPPETS/bodies"
{
  resume_lines
  cat <<'EOF'
#include <QAbstractItemModel>
#include <QApplication>
#include <QLabel>
#include <QTableView>
#include <QTextStream>
#include <algorithm>
#include <cstring>
#include <qt/MemoryPropertyBag.h>

// The control's own labels, the first two rows of each of its grids, and errText.
template <class Control> void report(const char* name, const Control& control) {
  QTextStream out(stdout);
  QList<QLabel*> labels = control.template findChildren<QLabel*>(Qt::FindDirectChildrenOnly);
  std::sort(labels.begin(), labels.end(), [](QLabel* a, QLabel* b) { return a->objectName() < b->objectName(); });
  for (const QLabel* label : labels) out << name << ' ' << label->objectName() << '=' << label->text() << Qt::endl;
  for (const QTableView* view : control.template findChildren<QTableView*>()) {
    const QAbstractItemModel* model = view->model();
    for (int row = 0; row < std::min(2, model->rowCount()); ++row) {
      for (int column = 0; column < model->columnCount(); ++column) {
        out << name << ' ' << view->parentWidget()->objectName() << '(' << row << ',' << column
            << ")=" << model->index(row, column).data().toString() << Qt::endl;
      }
    }
  }
  out << name << " errText=" << QString(control.errText()).replace(QStringLiteral("\r\n"), QStringLiteral(" / "))
      << Qt::endl;
}

// myhost [--setup FOLDER] BODY...
int main(int argc, char** argv) {
  QApplication app(argc, argv);
  for (int i = 1; i < argc; ++i) {
    velta::qt::MemoryPropertyBag bag;
EOF
} >>"$MAIN"
echo "    if (std::strcmp(argv[i], \"--setup\") == 0 && i + 1 < argc) $(cat "$SNIPPETS/setup")(QString::fromLocal8Bit(argv[++i]));" >>"$MAIN"
while read -r body; do
  echo "    if (std::strcmp(argv[i], \"$body\") == 0) ${body}Snippet(bag);" >>"$MAIN"
done <"$SNIPPETS/bodies"
cat >>"$MAIN" <<'EOF'
  }
  return 0;
}
EOF

# Built as the guide says, against the temporary prefix only.
if cmake -S "$HOST" -B "$HOST/build" -G Ninja -DCMAKE_PREFIX_PATH="$PREFIX" -DCMAKE_BUILD_TYPE=Debug \
  -DCMAKE_CXX_FLAGS="-Wall -Wextra -Werror" >"$WORK/configure.log" 2>&1; then
  pass
else
  cat "$WORK/configure.log" >&2
  fail "the guide's CMake lines do not configure"
fi
if cmake --build "$HOST/build" >"$WORK/build.log" 2>&1; then
  pass
else
  grep -v '^\[' "$WORK/build.log" >&2
  fail "the guide's snippets do not compile"
  finish
  exit 1
fi

# run NAME TMPDIR CONFIG ARGUMENTS...: the host headless with this TMPDIR and
# XDG_CONFIG_HOME; its output in $WORK/NAME.out, what its presenter logged
# (Qt's info messages) in $WORK/NAME.boxes. A box without a presenter would
# be a real modal one, waited on for ever: `timeout` ends that.
run() {
  local name=$1 tmp=$2 config=$3
  shift 3
  env -u VELTA_SHARES -u VELTA_UNC_ROOT -u VELTA_TOKEN_TABLE \
    TMPDIR="$tmp" XDG_CONFIG_HOME="$config" XDG_RUNTIME_DIR="$WORK/runtime" QT_QPA_PLATFORM=offscreen \
    QT_MESSAGE_PATTERN='%{type} %{message}' timeout 60 "$HOST/build/myhost" "$@" >"$WORK/$name.out" 2>"$WORK/$name.err"
  local status=$?
  if [ "$status" = 124 ]; then
    fail "$name: the host hangs (a box shown without a presenter?)"
  else
    expect_eq "$name: exit status" 0 "$status"
  fi
  sed -n 's/^info //p' "$WORK/$name.err" >"$WORK/$name.boxes"
}

# expect_loaded NAME: purchase order 100231 and vendor 1207 of the sample, loaded without a box.
expect_loaded() {
  local out
  out=$(cat "$WORK/$1.out")
  expect_eq "$1: the presenter's boxes" "" "$(cat "$WORK/$1.boxes")"
  expect_line "$1: order number" "order lblPO=100231" "$out"
  expect_line "$1: order vendor" "order lblPOHdr(0)=NORTHERN PARTS DISTRIBUTION   " "$out"
  expect_line "$1: order total" "order lblPOHdr(7)=4470.82" "$out"
  expect_line "$1: order line 1" "order VSFlexGrid1(0,2)=1A0007            " "$out"
  expect_line "$1: order errText" "order errText=" "$out"
  expect_line "$1: inquiry vendor" "inquiry lblSearch(0)=1207 - NORTHERN PARTS DISTRIBUTION   " "$out"
  expect_line "$1: inquiry account" "inquiry lblSearch(4)=104233/A7" "$out"
  # Row 1 of the grid: the host's part, with its description (xDesc), not "0".
  expect_line "$1: inquiry line" "inquiry grdIQ(0,0)=FLT" "$out"
  expect_line "$1: inquiry part" "inquiry grdIQ(0,1)=1A0013" "$out"
  expect_line "$1: inquiry quantity" "inquiry grdIQ(0,2)=2" "$out"
  expect_line "$1: inquiry description" "inquiry grdIQ(0,3)=OIL FILTER, SPIN ON" "$out"
  expect_line "$1: inquiry errText" "inquiry errText=" "$out"
}

# The sample, and what velta-data says to set for it.
"$VELTA_DATA" sample "$WORK/sample" >"$WORK/sample.log" 2>&1 || fail "velta-data sample: $(cat "$WORK/sample.log")"
SAMPLE_TMP=$(sed -n 's/^TMPDIR=//p' "$WORK/sample.log")
SAMPLE_CONFIG=$(sed -n 's/^XDG_CONFIG_HOME=//p' "$WORK/sample.log")
expect_eq "velta-data sample: TMPDIR" "$WORK/sample/workstation/tmp" "$SAMPLE_TMP"
expect_eq "velta-data sample: XDG_CONFIG_HOME" "$WORK/sample/workstation/config" "$SAMPLE_CONFIG"
mkdir -m 0700 "$WORK/runtime"
mkdir "$WORK/empty-tmp" "$WORK/empty-config"

run with-settings "$SAMPLE_TMP" "$SAMPLE_CONFIG" order inquiry
expect_loaded with-settings
cat "$WORK/with-settings.out"
# Neither settings file nor per-user settings: the guide's setup function alone.
run with-setup "$WORK/empty-tmp" "$WORK/empty-config" --setup "$WORK/sample" order inquiry
expect_loaded with-setup

# No settings file: the show handler fails, and the presenter, set before
# show(), answers that box and then setPO's; the host goes on.
run no-settings "$WORK/empty-tmp" "$SAMPLE_CONFIG" order
boxes=$(cat "$WORK/no-settings.boxes")
expect_eq "no settings file: boxes" 2 "$(wc -l <<<"$boxes")"
missing="You are missing file: $WORK/empty-tmp/hBTCatalog.ini"
if grep -qF -- "$missing" <<<"$(head -1 <<<"$boxes")"; then pass; else fail "no settings file: the first box: $boxes"; fi
notSet="Error in frmPO GetPO routine error # :  91  Object variable or With block variable not set"
if grep -qF -- "$notSet" <<<"$(tail -1 <<<"$boxes")"; then pass; else fail "no settings file: the second box: $boxes"; fi
expect_line "no settings file: errText" "order errText=$notSet" "$(cat "$WORK/no-settings.out")"
finish
