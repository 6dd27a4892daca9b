#!/bin/sh
# show-skips.sh BUILD: the tests of the last ctest run in BUILD that skipped, each with the
# reason it gave, so that a run that left part of its point untried says so.
set -eu
log="$1/Testing/Temporary/LastTest.log"
[ -f "$log" ] || exit 0
awk '
  /^[0-9]+\/[0-9]+ Testing: / { test = $3 }
  /: Skipped$/ { getline reason; printf "skipped: %s: %s\n", test, reason }
' "$log"
