# The packaging tests' way of saying what failed: every check is counted and
# the script ends with "N passed, N failed" and a non-zero status on failure.
passed=0
failed=0
pass() { passed=$((passed + 1)); }
fail() {
  failed=$((failed + 1))
  echo "FAIL: $*" >&2
}
# expect_eq WHAT EXPECTED ACTUAL
expect_eq() {
  if [ "$2" = "$3" ]; then
    pass
  else
    fail "$1"
    diff <(printf '%s\n' "$2") <(printf '%s\n' "$3") | sed 's/^/    /' >&2 || true
  fi
}
# expect_line WHAT LINE TEXT: LINE is one whole line of TEXT.
expect_line() {
  if grep -qxF -- "$2" <<<"$3"; then pass; else fail "$1: no line \"$2\""; fi
}
# expect_no_line WHAT PATTERN TEXT: no line of TEXT matches the extended regex.
expect_no_line() {
  if grep -qE -- "$2" <<<"$3"; then fail "$1: $(grep -E -- "$2" <<<"$3" | head -3)"; else pass; fi
}
finish() {
  echo "$passed passed, $failed failed"
  [ "$failed" -eq 0 ]
}
