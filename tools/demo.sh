#!/usr/bin/env bash
# The worked example of `./dev demo`; $1 is the folder of the built binaries.
#
# It builds the sample business system in a temporary folder, points the share
# access and the workstation's settings at it (TMPDIR and XDG_CONFIG_HOME name
# temporary folders, never the user's own), and reads it the way the controls
# do: the site configuration and the engine's start-up, a vendor, a product
# line, a line-code lookup, an index. Then, under the hood: packed fields,
# compressed text and the check token of a request. Then the controls, headless
# in velta-workstation against the distributor simulator on free loopback
# ports: an order loaded and submitted, the status of an order sent before,
# an availability inquiry, and the journal of all three. The simulator is stopped
# at the end; nothing is left running.
set -euo pipefail
BIN=$1
VD="$BIN/velta-data"

DEMO=$(mktemp -d "${TMPDIR:-/tmp}/velta-demo-XXXXXX")
trap 'rm -rf "$DEMO"' EXIT

step() { printf '\n== %s\n' "$1"; }
# Shows the command (arguments with blanks in quotes), then runs it.
show() {
  local a line='$ velta-data'
  for a in "$@"; do
    case $a in *' '*) line+=" \"$a\"" ;; *) line+=" $a" ;; esac
  done
  echo "$line"
}
run() {
  show "$@"
  "$VD" "$@" 2>&1
}
# Runs a command and shows only the first N lines of what it prints.
first() {
  local n=$1
  shift
  show "$@"
  "$VD" "$@" >"$DEMO/out" 2>&1
  sed -n "1,${n}p" "$DEMO/out"
  echo "   ..."
}

step "Build a sample business system (server SRV, dealer directory D1) in $DEMO."
"$VD" sample "$DEMO/system" --parts 2000 | sed 's/^/   /'

# The workstation's settings file lies in its temporary folder; the per-user
# settings (share map, line-code host) in its configuration folder.
export TMPDIR="$DEMO/system/workstation/tmp"
export XDG_CONFIG_HOME="$DEMO/system/workstation/config"
unset VELTA_SHARES VELTA_UNC_ROOT

step "The workstation's settings file and the engine's start-up (terminal map, address)."
run site

step "The distributor's vendor record, found through the vendor index VNDRI."
run vendor 1207

step "Product line 12, with its commodity codes from COMODI (first lines)."
first 12 line 12

step "The line-code map: the distributor's code of the dealer's line code FLT, and back."
run linecode hbt FLT
run linecode rkt "$("$VD" linecode hbt FLT)"

step "The part index: how many keys, and the first three in key order."
run count PARTI
first 3 walk PARTI

step "Under the hood: a quantity of 1500 packed as a 2-byte field (opcode C) at position 3."
run pack C 0000000000000000 1500 3
run unpack J 000005dc00000000 3

step "Dates: a day number (C), MMDDYY (D); compressed text, three characters in two bytes."
run packdate C 0000 1 2026-12-08
run unpackdate D 002967 1
run crm "ACME PARTS 4/7"
run ucm "$("$VD" crm "ACME PARTS 4/7")"

step "Errors: one line with number, source and text, exit status 1."
run pack C 0000 1 2 || echo "   (exit status $?)"

step "The check token that ends every request header, for 8 December 2026 at 10:20:07."
run token 20261208 10:20:07
echo "   (with no configured table this is the public demonstration table)"

# The controls, as a dealer's host shows them: velta-workstation runs them
# headless and prints every box and form as a transcript. The distributor is
# the simulator, on free loopback ports, with the sample's vendor record
# pointing at them.
WS="$BIN/velta-workstation"
step "A distributor to talk to: velta-distributor on free loopback ports."
# The sample's order 100232 was sent before: the distributor remembers it.
# shellcheck source=tools/demo-distributor.sh
. "$(dirname "${BASH_SOURCE[0]}")/demo-distributor.sh"
start_distributor "$BIN"
echo "   listening: order $ORDER_PORT, status $STATUS_PORT, inquiry $INQUIRY_PORT"
"$VD" sample "$DEMO/system" --parts 2000 --force --distributor 127.0.0.1 \
  --order-port "$ORDER_PORT" --status-port "$STATUS_PORT" --inquiry-port "$INQUIRY_PORT" >/dev/null

# Qt's offscreen platform says two harmless things on standard error; the rest is shown.
wsrun() {
  echo "\$ velta-workstation $*"
  local status=0
  XDG_RUNTIME_DIR="$DEMO/runtime" "$WS" "$@" --settings "$DEMO/workstation.ini" 2>"$DEMO/ws.err" || status=$?
  grep -v -e 'propagateSizeHints' -e 'XDG_RUNTIME_DIR' "$DEMO/ws.err" || true
  [ "$status" -eq 0 ] || echo "   (exit status $status)"
}

step "The order control loads purchase order 100231 (open: \"Submit Order\" enabled)."
wsrun order --po 100231 --headless --show-loaded

step "Submit it: the distributor acknowledges the order (xPOSuccess becomes 1)."
wsrun order --po 100231 --headless --submit --ship-method C --journal "$DEMO/journal"

step "Order 100232 was sent before: ask the distributor for its status."
wsrun order --po 100232 --headless --status --journal "$DEMO/journal"

step "The inquiry control asks the distributor about a part and two more (one it does not know)."
wsrun inquiry --vendor 1207 --line FLT --part 1A0013 --qty 2 --desc "OIL FILTER, SPIN ON" --extra FLT:1A0007:20 --extra BLT:NOSUCH:1 --search --headless --show-loaded --journal "$DEMO/journal"

step "Every exchange is in the journal, request and answer exactly as they went."
echo "\$ velta-data journal $DEMO/journal"
"$VD" journal "$DEMO/journal"
