#!/usr/bin/env bash
# The worked example of `./dev demo`; $1 is the folder of the built binaries.
# It shows, through velta-data, how the business system packs numbers and dates
# into its records, how it compresses text, and the check token of a request.
set -euo pipefail
BIN=$1
VD="$BIN/velta-data"

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
# Runs a command that changes the record and keeps the changed record in RECORD.
repack() {
  show "$@"
  RECORD=$("$VD" "$@")
  echo "$RECORD"
}

step "A record is a string of bytes; here 8 bytes, all zero, shown as hex."
RECORD=0000000000000000
echo "$RECORD"

step "Pack a quantity of 1500 as a 2-byte unsigned field (opcode C) at position 3."
repack pack C "$RECORD" 1500 3
echo "   (1500 = 05 dc, most significant byte first)"

step "Unpack it again; the same two bytes read as signed (J) give the same number."
run unpack C "$RECORD" 3
run unpack J "$RECORD" 3

step "Pack -2 into 3 bytes at position 6: the low-order bytes of its two's complement."
repack pack K "$RECORD" -2 6
run unpack K "$RECORD" 6
echo "   (read unsigned, opcode D, the same bytes are 16777214)"
run unpack D "$RECORD" 6

step "Dates: a day number (C, days since 31 December 1967), MMDDYY (D) and YYMMDD (R)."
run packdate C 0000 1 2026-12-08
run unpackdate C 5417 1
run packdate D 000000 1 1999-01-05
run unpackdate D 002967 1
run packdate R 000000 1 2005-12-31
echo "   (two-digit years read back in 1930-2029; what is no date reads as 1968-01-01)"
run unpackdate R 991301 1

step "Compressed text: three characters of a 40-character alphabet in two bytes."
run crm "ACME PARTS 4/7"
echo "   (14 characters, padded with a blank to 15: five words, ten bytes; back again:)"
run ucm "$("$VD" crm "ACME PARTS 4/7")"
echo "   (lower-case letters are not in the alphabet and become blanks)"
run crm "abc"

step "Errors: one line with number, source and text, exit status 1."
run pack C 0000 1 2 || echo "   (exit status $?)"

step "The check token that ends every request header, for 8 December 2026 at 10:20:07."
run token 20261208 10:20:07
echo "   (with no configured table this is the public demonstration table)"
