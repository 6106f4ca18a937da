#!/usr/bin/env bash
# quillon-tool kb on a copy of the program folder template: the import of a
# small set of sources and of the shipped data/kb, the rebuild, the exit
# status and Italian message of bad sources and of a damaged database, which
# must leave the files as they were.
# Usage: ToolKbTest.sh QUILLON_TOOL TEMPLATE_FOLDER KB_SOURCES
set -u
tool=$1
template=$2
shipped=$3
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
cp -r "$template" "$work/prog"
prog="$work/prog"
failures=0
passes=0
tab=$'\t'

expect() { # name expected-status arguments...
  local name=$1 want=$2
  shift 2
  "$tool" --program-folder "$prog" kb "$@" >"$work/out" 2>"$work/err"
  local got=$?
  if [ "$got" -ne "$want" ]; then
    echo "FAIL $name: exit $got, expected $want"; cat "$work/out" "$work/err"
    failures=$((failures + 1))
  else
    passes=$((passes + 1))
  fi
}
expect_text() { # name file text
  if grep -qF -- "$3" "$work/$2"; then passes=$((passes + 1)); else
    echo "FAIL $1: '$3' not in $2"; cat "$work/$2"; failures=$((failures + 1)); fi
}
expect_file() { # name program-file expected-bytes (printf format)
  if [ "$(od -An -c "$prog/$2")" = "$(printf "$3" | od -An -c)" ]; then passes=$((passes + 1)); else
    echo "FAIL $1: $2 is"; od -c "$prog/$2" | head; failures=$((failures + 1)); fi
}

# A small set of sources.
mkdir -p "$work/src"
printf 'Rimedio: MSA Melissa\nIndicazione: Insonnia\nIndicazione: Ansia\nSegnatura Planetaria Primaria: Luna\n\nRimedio: TSA Iperico\nIndicazione: Tristezza\nSegnatura Zodiacale: Leone\n' >"$work/src/Rimedi.txt"
printf 'Patologia: Insonnia\nRimedio: MSA Melissa\n\nPatologia: Depressione\nRimedio: TSA Iperico\n' >"$work/src/Repertorio.txt"
printf 'Pianta: Melissa\nSintomo: Insonnia\n' >"$work/src/Piante.txt"
printf 'Melissa\n' >"$work/src/ElePiante.txt"
printf 'Principio: Citrale\n' >"$work/src/Principi.txt"

expect import-small 0 import "$work/src"
expect_text import-db out "OpzioneH\\DBmain.rnd${tab}4 record"
expect_text import-repertory out "OpzioneH\\Repertorio.rnd${tab}3 record"
expect_text import-plants out "OpzioneS\\DataStf.rnd${tab}2 record"
expect rebuild-small 0 rebuild
expect_text rebuild-symptoms out "OpzioneH\\Sintomi.txt${tab}3 righe"
expect_text rebuild-luna out "OpzioneH\\LunaPri.rnd${tab}1 record"
expect_text rebuild-leone out "OpzioneH\\Leone.rnd${tab}1 record"
expect_text rebuild-pesci out "OpzioneH\\Pesci.rnd${tab}0 record"
# Every indication is listed, "Ansia" (the first in order) too.
expect_file symptoms OpzioneH/Sintomi.txt 'Ansia\r\nInsonnia\r\nTristezza\r\n'
expect_file pathologies OpzioneH/Patolog.txt 'Depressione\r\nInsonnia\r\n'
expect_file names OpzioneH/ProdotA.txt 'MSA Melissa\r\nTSA Iperico\r\n'

# What the symptom and remedy windows show, through the same searches.
expect symptom 0 symptom Insonnia
expect_text symptom-heading out "Sintomo${tab}Insonnia"
expect_text symptom-page out "Pagina${tab}1/1"
expect_text symptom-row out "MSA Melissa${tab}Luna ${tab}${tab}"
expect remedy 0 remedy MSA Melissa
expect_text remedy-heading out "Rimedio${tab}MSA Melissa"
expect_text remedy-type out "Tipo${tab}(Macerato Spagirico-Alchemico)"
expect_text remedy-warnings out "Avvertenze${tab}Non è stato finora necessario prescrivere Avvertenze"
expect_text remedy-row1 out "MSA Melissa${tab}Luna ${tab}${tab}Insonnia"
expect_text remedy-row2 out "MSA Melissa${tab}Luna ${tab}${tab}Ansia"
display=$(tr -d '\r' <"$prog/OpzioneH/ProdotB.txt" | awk 'length($0) > 70 && substr($0, 71) == "TSA Iperico"')
expect remedy-display 0 remedy "$display"
expect_text remedy-display-row out "TSA Iperico${tab} ${tab}Leone${tab}Tristezza"
expect symptom-unknown 1 symptom Raffreddore
expect_text symptom-unknown-message err "nessun rimedio per il sintomo"
expect symptom-no-text 2 symptom

# A bad source: refused with its file and line, nothing written.
cp "$prog/OpzioneH/DBmain.rnd" "$work/db-before"
printf 'Rimedio: X\nIndicazione: Y\nColore: rosso\n' >"$work/src/Rimedi.txt"
expect bad-source 1 import "$work/src"
expect_text bad-source-message err "Rimedi.txt, riga 3: campo sconosciuto"
if cmp -s "$work/db-before" "$prog/OpzioneH/DBmain.rnd"; then passes=$((passes + 1)); else
  echo "FAIL bad-source: DBmain.rnd rewritten"; failures=$((failures + 1)); fi

# A damaged database: the rebuild refuses it and leaves the lists alone.
printf 'xyz' >>"$prog/OpzioneH/DBmain.rnd"
expect damaged 1 rebuild
expect_text damaged-message err "danneggiato"
expect_file damaged-untouched OpzioneH/Sintomi.txt 'Ansia\r\nInsonnia\r\nTristezza\r\n'
expect damaged-symptom 1 symptom Insonnia
expect_text damaged-symptom-message err "danneggiato"

expect missing-folder 1 import "$work/nessuna"
expect no-folder 2 import
expect extra-argument 2 rebuild adesso
expect unknown-subcommand 2 export

# The shipped sources import without warnings and rebuild.
expect import-shipped 0 import "$shipped"
if [ -s "$work/err" ]; then echo "FAIL import-shipped: warnings"; cat "$work/err"; failures=$((failures + 1)); else
  passes=$((passes + 1)); fi
expect rebuild-shipped 0 rebuild

echo "$passes passed, $failures failed"
[ "$failures" -eq 0 ]
