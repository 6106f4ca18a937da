#!/usr/bin/env bash
# quillon-tool kb multi on a copy of the program folder template: the
# ranking of the multiple-symptom search for symptoms of the shipped
# knowledge base, the wrong argument counts and a missing name list.
# Usage: ToolKbMultiTest.sh QUILLON_TOOL TEMPLATE_FOLDER
set -u
tool=$1
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
cp -r "$2" "$work/prog"
prog="$work/prog"
failures=0
tab=$'\t'

run() { "$tool" --program-folder "$prog" kb multi "$@" >"$work/out" 2>"$work/err"; }
fail() { echo "FAIL $1"; cat "$work/out" "$work/err"; failures=$((failures + 1)); }

run "Insonnia da agitazione nervosa" "Palpitazioni di origine nervosa" "Insonnia da agitazione nervosa"
[ $? -eq 0 ] || fail "exit status"
# Melissa is indicated for both: the insomnia, chosen twice, counts twice.
grep -qx "03${tab}MSA Melissa" "$work/out" || fail "Melissa with 03"
head -1 "$work/out" | grep -q "^0[3-9]${tab}" || fail "highest tally first"
# Every line is a tally of two digits, a tab and a name; tallies never rise.
awk -F'\t' 'NF != 2 || $1 !~ /^[0-9][0-9]$/ || (NR > 1 && $1 + 0 > prev) { bad = 1 } { prev = $1 + 0 }
            END { exit bad }' "$work/out" || fail "format and order"
[ "$(wc -l <"$work/out")" -ge 10 ] || fail "fewer remedies than the starter base holds"
# The working file holds one tally per remedy name of ProdotA.txt.
names=$(grep -c '' "$prog/OpzioneH/ProdotA.txt")
[ "$(stat -c %s "$prog/OpzioneH/RicCom.Rnd")" -eq $((names * 52)) ] || fail "RicCom.Rnd size"

run "Nessun sintomo simile"
[ $? -eq 0 ] && [ ! -s "$work/out" ] || fail "no match gives no line"

run
[ $? -eq 2 ] || fail "no symptom is a usage error"
run a b c d e f g h i j k l m n o p
[ $? -eq 2 ] && grep -q "15" "$work/err" || fail "16 symptoms are a usage error"

rm "$prog/OpzioneH/ProdotA.txt"
run "Inappetenza"
[ $? -eq 1 ] && grep -q "ProdotA" "$work/err" || fail "missing name list"

[ $failures -eq 0 ] || exit 1
echo "tool kb multi: all checks passed"
