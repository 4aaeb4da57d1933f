#!/usr/bin/env bash
# The worked example of `./dev demo`; $1 is the folder of the built binaries.
set -euo pipefail
BIN=$1
"$BIN/velta-data" --help
