#!/usr/bin/env bash
# The worked example with the real window, `./dev demo --gui`; $1 is the folder
# of the built binaries.
#
# Builds the sample business system in a temporary folder, starts
# velta-distributor on free loopback ports with the sample's vendor record
# pointing at them, and opens velta-workstation's main window on it, with a
# journal. Closing the window stops the simulator and removes the folder;
# nothing is left running. Without a display it says so and exits 1.
set -euo pipefail
BIN=$1

if [ -z "${DISPLAY:-}" ] && [ -z "${WAYLAND_DISPLAY:-}" ]; then
  echo "dev demo --gui: no display (neither DISPLAY nor WAYLAND_DISPLAY is set); ./dev demo runs headless" >&2
  exit 1
fi

DEMO=$(mktemp -d "${TMPDIR:-/tmp}/velta-demo-XXXXXX")
trap 'rm -rf "$DEMO"' EXIT

"$BIN/velta-data" sample "$DEMO/system" --parts 2000 >/dev/null
# shellcheck source=tools/demo-distributor.sh
. "$(dirname "${BASH_SOURCE[0]}")/demo-distributor.sh"
start_distributor "$BIN"
"$BIN/velta-data" sample "$DEMO/system" --parts 2000 --force --distributor 127.0.0.1 \
  --order-port "$ORDER_PORT" --status-port "$STATUS_PORT" --inquiry-port "$INQUIRY_PORT" >/dev/null

# The workstation's settings file and per-user settings lie in the sample, never the user's own.
export TMPDIR="$DEMO/system/workstation/tmp"
export XDG_CONFIG_HOME="$DEMO/system/workstation/config"
unset VELTA_SHARES VELTA_UNC_ROOT

cat <<TXT
velta-distributor listens on 127.0.0.1: order $ORDER_PORT, status $STATUS_PORT, inquiry $INQUIRY_PORT.
The main window shows the sample business system in $DEMO/system. Try:
  Purchase order 100231, Load, then "Submit Order": the distributor acknowledges it.
  Purchase order 100232 (sent before), Load, then "PO Status".
  Part availability: vendor 1207, line FLT, part 1A0013, quantity 2, "Set part", then "Begin Search".
  Journal: every exchange, request and answer as they went.
Close the window to end the demo; the simulator stops with it.
TXT

status=0
"$BIN/velta-workstation" --settings "$DEMO/workstation.ini" --journal "$DEMO/journal" || status=$?
exit "$status"
