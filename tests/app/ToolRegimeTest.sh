#!/usr/bin/env bash
# quillon-tool regime on the built program folder: the correction in force
# for a place, a day and a local clock time, and its refusals.
# Usage: ToolRegimeTest.sh QUILLON_TOOL TEMPLATE_FOLDER
set -u
tool=$1
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
# A copy: foreign zones leave their working copy in the program folder.
cp -r "$2" "$work/prog"
folder=$work/prog
passes=0
failures=0

expect() { # name expected-output expected-status args...
  local name=$1 want=$2 status=$3
  shift 3
  local got rc
  got=$("$tool" --program-folder "$folder" regime "$@" 2>/dev/null)
  rc=$?
  if [ "$rc" -ne "$status" ] || [ "$got" != "$want" ]; then
    echo "FAIL $name: got '$got' (exit $rc), expected '$want' (exit $status)"
    failures=$((failures + 1))
  else
    passes=$((passes + 1))
  fi
}

expect milan-war-time "2 CEST" 0 --place Milano --date 15/07/1944 --time 10:30
expect new-york-summer "-4 EDT" 0 --place "New York" --date 04/07/1976 --time 12:00
expect rome-mean-time "0.832222222222222 RMT" 0 --place Roma --date 01/01/1880 --time 12:00
expect italy-winter "1 CET" 0 --place Torino --date 15/01/1967 --time 12:00
expect changeover-before "1 CET" 0 --place Roma --date 28/03/2021 --time 01:30
expect changeover-after "2 CEST" 0 --place Roma --date 28/03/2021 --time 03:30
# The first moment of a regime belongs to it: 03:00 as summer time ends is
# shown by the winter clock only; 02:30 twice, the summer reading first.
expect rome-winter-begins "1 CET" 0 --place Roma --date 25/10/2020 --time 03:00
expect rome-hour-shown-twice "2 CEST" 0 --place Roma --date 25/10/2020 --time 02:30
expect detroit-standard-begins "-5 EST" 0 --place Detroit --date 07/11/2021 --time 02:00
expect hanoi-north-vietnam "7 +07" 0 --place Hanoi --date 01/06/1972 --time 12:00
expect by-italian-name "2 CEST" 0 --place Parigi --date 15/07/1990 --time 12:00
expect by-usual-name "1 CET" 0 --place "Reggio Emilia" --date 15/01/1990 --time 12:00
expect by-second-name "1 CET" 0 --place Bozen --date 15/01/1990 --time 12:00
expect cyrillic "" 2 --place "Москва" --date 15/01/1990 --time 12:00
expect foreign-forced "-4 EDT" 0 --place "New York" --foreign --date 04/07/1976 --time 12:00
expect no-such-place "" 1 --place Zzqxw --date 01/01/1950 --time 12:00
expect impossible-day "" 1 --place Roma --date 31/04/1950 --time 12:00
expect hour-24 "" 1 --place Roma --date 01/04/1950 --time 24:00
expect missing-time "" 2 --place Roma --date 01/04/1950
expect unknown-option "" 2 --place Roma --date 01/04/1950 --time 12:00 --fuso 1

echo "$passes passed, $failures failed"
[ "$failures" -eq 0 ]
