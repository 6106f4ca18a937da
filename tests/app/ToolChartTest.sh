#!/usr/bin/env bash
# quillon-tool chart on a copy of the built program folder: the line
# structure and number format, the options overriding the settings, the
# planetary hour at polar day, and the refusals. The moments given with
# --jd lie before every correction-table window (JD 1700000), so they do
# not depend on the FilePosi tables; the current subject's chart is
# checked whole when the tables are there, and must otherwise fail with
# the file error.
# Usage: ToolChartTest.sh QUILLON_TOOL TEMPLATE_FOLDER
set -u
tool=$1
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
cp -r "$2" "$work/prog"
folder=$work/prog
passes=0
failures=0

check() { # name condition-status message
  if [ "$2" -eq 0 ]; then
    passes=$((passes + 1))
  else
    echo "FAIL $1: $3"
    failures=$((failures + 1))
  fi
}

chart() { "$tool" --program-folder "$folder" chart "$@" 2>/dev/null; }

# The layout: jd, lst, eot, body 1..19, cusp 1..12, hour; tab-separated,
# plain decimals with at least 6 decimals, R or - for the motion.
structure() { # output
  awk -F'\t' '
    function num(x) { return x ~ /^-?[0-9]+\.[0-9][0-9][0-9][0-9][0-9][0-9]+$/ }
    NR == 1 { if ($1 != "jd" || NF != 2 || !num($2)) bad = "jd line: " $0 }
    NR == 2 { if ($1 != "lst" || NF != 2 || !num($2) || $2 < 0 || $2 >= 24) bad = "lst line: " $0 }
    NR == 3 { if ($1 != "eot" || NF != 2 || !num($2)) bad = "eot line: " $0 }
    NR >= 4 && NR <= 22 { if ($1 != "body" || $2 != NR - 3 || NF != 7 || !num($3) || !num($4) || !num($5) || !num($6) || ($7 != "R" && $7 != "-") || $3 < 0 || $3 >= 360) bad = "body line: " $0 }
    NR >= 23 && NR <= 34 { if ($1 != "cusp" || $2 != NR - 22 || NF != 3 || !num($3)) bad = "cusp line: " $0 }
    NR == 35 { if ($1 != "hour" || NF != 4 || $2 !~ /^([0-9]|1[0-2])$/ || $3 !~ /^[DN-]$/ || $4 !~ /^[0-7]$/ || (($2 == 0) != ($3 == "-")) || (($2 == 0) != ($4 == 0))) bad = "hour line: " $0 }
    END { if (NR != 35) bad = bad " lines: " NR; if (bad != "") { print bad; exit 1 } }' <<<"$1"
}

field() { # output key index column
  awk -F'\t' -v k="$2" -v i="$3" -v c="$4" '$1 == k && (i == "" || $2 == i) { print $c; exit }' <<<"$1"
}

jd=1700000.25
out=$(chart --jd $jd --lat 45.5 --lon 9.2)
check moment-exit $? "exit status"
msg=$(structure "$out"); check moment-structure $? "$msg"
[ "$(field "$out" jd "" 2)" = "1700000.250000000" ]; check moment-jd $? "jd echoed: $(field "$out" jd "" 2)"
[ "$(field "$out" cusp 1 3)" = "$(field "$out" body 13 3)" ]; check ascendant-body-13 $? "cusp 1 and body 13 differ"
[ "$(field "$out" cusp 7 3)" = "$(field "$out" body 14 3)" ]; check descendant-body-14 $? "cusp 7 and body 14 differ"

# Equal houses: every cusp 30 degrees on from the one before.
eq=$(chart --jd $jd --lat 45.5 --lon 9.2 --houses CASE_UGUALI)
awk -F'\t' '$1 == "cusp" { c[$2] = $3 } END { for (k = 2; k <= 12; k++) { d = c[k] - c[k-1]; if (d < 0) d += 360; if (d < 29.999999 || d > 30.000001) exit 1 } }' <<<"$eq"
check equal-houses $? "cusps not 30 degrees apart"
[ "$(field "$eq" cusp 10 3)" != "$(field "$out" cusp 10 3)" ] || [ "$(field "$eq" cusp 2 3)" != "$(field "$out" cusp 2 3)" ]
check houses-override $? "--houses changed nothing"

# Node: mean and true differ; the mean node always regresses. (The
# corrected Black Moon differs from the mean only inside its table's
# window: checked on the subject below.)
mean=$(chart --jd $jd --lat 45.5 --lon 9.2 --node MEDIO --black-moon MEDIA)
true_=$(chart --jd $jd --lat 45.5 --lon 9.2 --node VERO --black-moon VERA)
[ "$(field "$mean" body 11 7)" = "R" ]; check mean-node-retrograde $? "mean node not retrograde"
[ "$(field "$mean" body 11 3)" != "$(field "$true_" body 11 3)" ]; check node-override $? "--node changed nothing"

# West longitude: the sidereal time is 9.2 degrees (0.613 h) less than at 0.
w=$(chart --jd $jd --lat 45.5 --lon -9.2)
e=$(chart --jd $jd --lat 45.5 --lon 0)
awk -v a="$(field "$w" lst "" 2)" -v b="$(field "$e" lst "" 2)" 'BEGIN { d = b - a; if (d < 0) d += 24; exit !(d > 0.6133 && d < 0.6134) }'
check west-longitude $? "lst $(field "$w" lst "" 2) vs $(field "$e" lst "" 2)"

# Polar day (the Sun in Taurus at 89 N): the hour is unknown, no ruler.
polar=$(chart --jd $jd --lat 89 --lon 0)
msg=$(structure "$polar"); check polar-structure $? "$msg"
[ "$(field "$polar" hour "" 2) $(field "$polar" hour "" 3) $(field "$polar" hour "" 4)" = "0 - 0" ]
check polar-hour-unknown $? "$(field "$polar" hour "" 0)"
msg=$(structure "$(chart --jd $jd --lat -90 --lon 180)"); check south-pole $? "$msg"

# The current subject: the whole chart, or the error of a missing table.
subject=$("$tool" --program-folder "$folder" chart 2>"$work/err")
rc=$?
if [ $rc -eq 0 ]; then
  msg=$(structure "$subject"); check subject-structure $? "$msg"
  [ "$(field "$subject" hour "" 2)" != "0" ]; check subject-hour-known $? "sample subject's hour unknown"
  a=$("$tool" --program-folder "$folder" chart --black-moon MEDIA 2>/dev/null)
  b=$("$tool" --program-folder "$folder" chart --black-moon VERA 2>/dev/null)
  [ "$(field "$a" body 12 3)" != "$(field "$b" body 12 3)" ]; check black-moon-override $? "--black-moon changed nothing"
else
  [ $rc -eq 1 ] && grep -qi "FilePosi" "$work/err"; check subject-table-error $? "exit $rc: $(cat "$work/err")"
fi

# A damaged settings file still gives a chart: an unknown house system is
# computed as PLACIDO, a non-numeric orb does not matter to the positions.
placidus=$(chart --jd $jd --lat 45.5 --lon 9.2 --houses PLACIDO)
cp "$folder/FileSet/OrbiDomi.stt" "$work/OrbiDomi.stt"
awk 'BEGIN { ORS = "\r\n" } { sub(/\r$/, "") } NR == 1 { $0 = "abc" } NR == 17 { $0 = "TOPOCENTRICO" } { print }' \
  "$work/OrbiDomi.stt" >"$folder/FileSet/OrbiDomi.stt"
damaged=$(chart --jd $jd --lat 45.5 --lon 9.2)
check damaged-settings-exit $? "exit status"
[ "$damaged" = "$placidus" ]; check damaged-settings-placidus $? "chart differs from PLACIDO"
cp "$work/OrbiDomi.stt" "$folder/FileSet/OrbiDomi.stt"

# A missing or truncated correction table inside its window is the file
# error (exit 1, the file named), never a chart.
if [ -f "$folder/FilePosi/DSEL.rnd" ]; then
  for t in DSEL DPR1; do
    mv "$folder/FilePosi/$t.rnd" "$work/$t.rnd"
    head -c 64 "$work/$t.rnd" >"$folder/FilePosi/$t.rnd"
    "$tool" --program-folder "$folder" chart >/dev/null 2>"$work/err"
    rc=$?
    [ $rc -eq 1 ] && grep -q "$t" "$work/err"; check "truncated-$t" $? "exit $rc: $(cat "$work/err")"
    rm "$folder/FilePosi/$t.rnd"
    "$tool" --program-folder "$folder" chart >/dev/null 2>"$work/err"
    rc=$?
    [ $rc -eq 1 ] && grep -q "$t" "$work/err"; check "missing-$t" $? "exit $rc: $(cat "$work/err")"
    mv "$work/$t.rnd" "$folder/FilePosi/$t.rnd"
  done
fi

# Refusals: bad usage exits 2, a missing settings file 1.
usage() { # name args...
  local name=$1; shift
  "$tool" --program-folder "$folder" chart "$@" >/dev/null 2>&1
  local rc=$?
  [ $rc -eq 2 ]; check "$name" $? "exit $rc, expected 2"
}
usage jd-without-place --jd $jd
usage unknown-houses --jd $jd --lat 45 --lon 9 --houses TOPOCENTRICO
usage bad-node --jd $jd --lat 45 --lon 9 --node VERA
usage bad-black-moon --jd $jd --lat 45 --lon 9 --black-moon VERO
usage latitude-beyond-pole --jd $jd --lat 91 --lon 9
usage jd-not-a-number --jd abc --lat 45 --lon 9
usage missing-value --jd $jd --lat 45 --lon
usage unknown-option --jd $jd --lat 45 --lon 9 --sistema PLACIDO
rm -f "$folder/FileSet/OrbiDomi.stt"
chart --jd $jd --lat 45 --lon 9 >/dev/null
rc=$?
[ $rc -eq 1 ]; check missing-settings $? "exit $rc, expected 1"

echo "$passes passed, $failures failed"
[ "$failures" -eq 0 ]
