#!/usr/bin/env bash
# quillon-tool archive on a copy of the program folder template: add, list,
# recall, delete and import, with the exit status and the Italian message
# of bad input, and a damaged archive left as it was.
# Usage: ToolArchiveTest.sh QUILLON_TOOL TEMPLATE_FOLDER
set -u
tool=$1
template=$2
source "$(dirname "$0")/ToolTestLib.sh"

expect() { local name=$1 want=$2; shift 2; run_expect "$name" "$want" "$tool" --program-folder "$prog" archive "$@"; }

# add: sorted insertion, made current; --zone +1 is stored as -1.
expect add-rossi 0 add BASE --name "Rossi Mario" --date 15/03/1950 --time 12:30 --zone +1 \
  --coords "45N04 007E41" --place "Torino*TO*" --nation Italia --notes "Prima nota" "" "" "ultima"
expect_same add-rossi-line out "Rossi Mario${tab}00001${tab}195003151230-1${tab}45N04 007E41${tab}Torino*TO*${tab}GR"
expect add-bianchi 0 add base --name "Bianchi Zoé" --date 29/02/1900 --time 06:05 --zone -5,5 \
  --coords "41N54 012E29" --place Roma --calendar GI
expect list-base 0 list BASE
expect_same list-base-order out "Bianchi Zoé${tab}00002${tab}190002290605+5,5${tab}41N54 012E29${tab}Roma${tab}GI
Rossi Mario${tab}00001${tab}195003151230-1${tab}45N04 007E41${tab}Torino*TO*${tab}GR"
expect list-archives 0 list
expect_same list-archives-labels out "BASE (personale)"
expect list-current-after-add 0 list TMPR
expect_text current-is-bianchi out "Bianchi Zoé${tab}00000"
grep -qx $'BASE\r' "$prog/FileDum/MMordina.dum" && passes=$((passes + 1)) || { echo "FAIL MMordina"; failures=$((failures + 1)); }

# add: bad input.
expect add-31-february 1 add BASE --name X --date 31/02/1950 --time 12:00 --zone 1 --coords "45N04 007E41" --place P
expect_text add-31-february-message err 'data "31/02/1950" non valida'
expect add-29-february-gregorian-1900 1 add BASE --name X --date 29/02/1900 --time 12:00 --zone 1 --coords "45N04 007E41" --place P
expect add-bad-time 1 add BASE --name X --date 01/02/1950 --time 24:00 --zone 1 --coords "45N04 007E41" --place P
# A place in another script is refused, not stored as question marks; a
# Latin letter without a Windows-1252 byte is transliterated.
expect add-cyrillic-place 1 add BASE --name X --date 01/02/1950 --time 12:00 --zone 3 --coords "55N45 037E37" --place "Москва"
expect_line add-cyrillic-message err "alfabeto non latino"
# Minutes of 60 typed by the user stay refused (the atlas now prints 145E00).
expect add-60-minutes 1 add BASE --name X --date 01/02/1950 --time 12:00 --zone 10 --coords "37S51 144E60" --place P
expect add-bad-zone 1 add BASE --name X --date 01/02/1950 --time 12:00 --zone 15 --coords "45N04 007E41" --place P
expect add-bad-coords 1 add BASE --name X --date 01/02/1950 --time 12:00 --zone 1 --coords "45N64 007E41" --place P
expect add-long-name 1 add BASE --name "Un nome davvero troppo lungo per l'indice" --date 01/02/1950 --time 12:00 \
  --zone 1 --coords "45N04 007E41" --place P
expect_text add-long-name-message err "supera i 38 caratteri"
expect add-three-letter-archive 1 add BAS --name X --date 01/02/1950 --time 12:00 --zone 1 --coords "45N04 007E41" --place P
expect_text add-three-letter-archive-message err "Nome Archivio Non Ammesso"
expect add-current-archive 1 add TMPR --name X --date 01/02/1950 --time 12:00 --zone 1 --coords "45N04 007E41" --place P
expect add-missing-option 2 add BASE --name X --date 01/02/1950
expect_text add-missing-option-message err "manca l'opzione --time"
expect add-unknown-option 2 add BASE --colore rosso
expect list-base-unchanged 0 list BASE
expect_no_text nothing-stored-by-bad-adds out "X${tab}"

# recall: the first match by prefix, in any letter case, becomes current.
expect recall-rossi 0 recall BASE rOsS
expect_text recall-rossi-line out "Rossi Mario${tab}00001"
expect list-current-after-recall 0 list TMPR
expect_text current-place-for-display out "Torino(TO)"
expect_same annotations-handed-over "prog/FileDum/Annotaz.dum" "$(printf 'Prima nota ultima\r')"
expect_same recall-trace "prog/FileDum/PointGlo.dum" "$(printf '00001\r\nBASE\r')"
expect recall-nothing 1 recall BASE Zeta
expect_text recall-nothing-message err 'nessun soggetto'

# delete: exact name ignoring case; the current subject stays.
expect delete-rossi 0 delete BASE "  rossi mario "
expect list-after-delete 0 list BASE
expect_same list-after-delete-content out "Bianchi Zoé${tab}00002${tab}190002290605+5,5${tab}41N54 012E29${tab}Roma${tab}GI"
expect delete-missing 1 delete BASE "Rossi Mario"
expect current-stays 0 list TMPR
expect_text current-stays-rossi out "Rossi Mario"

# import: a good row stored, a bad row refused with its line, Windows-1252 input.
printf 'coords,name,date,time,zone,place,nation\r\n"45N28 009E11","Verdi, Luca",01/01/1990,08:15,1,"Milano*MI*",Italia\r\n41N54 012E29,Neri Ugo,31/02/1990,08:15,1,Roma,\r\n45N04 007E41,Citt\xe0 Nicol\xf2,02/02/1902,10:00,+1,Torino,\r\n' >"$work/clients.csv"
expect import-one-bad-row 1 import BASE "$work/clients.csv"
expect_text import-count out "Soggetti registrati: 2"
expect_text import-bad-row err 'riga 3: data "31/02/1990" non valida'
expect list-after-import 0 list BASE
expect_text import-stored-verdi out "Verdi, Luca${tab}00003${tab}199001010815-1${tab}45N28 009E11${tab}Milano*MI*${tab}GR"
expect_text import-latin1-as-utf8 out "Città Nicolò"
expect_no_text import-bad-row-not-stored out "Neri Ugo"
expect recall-accented-upper-case 0 recall BASE "CITTÀ NICOLÒ"
expect_text recall-accented-line out "Città Nicolò${tab}00004${tab}190202021000-1"
printf 'name,date,time,zone,coords\nA,01/01/1990,10:00,1,45N04 007E41\n' >"$work/noplace.csv"
expect import-missing-column 1 import BASE "$work/noplace.csv"
expect_text import-missing-column-message err 'manca il campo "place"'

# import writes its rows in one go: the archive files are byte for byte
# those that adding the same rows one at a time, in file order, leaves.
rows=("Verdi, Luca|01/01/1990|08:15|+1|45N28 009E11|Milano*MI*|Italia"
      "bianchi anna|02/02/1960|23:59|-5,5|41N54 012E29|Roma|"
      "Bianchi Anna|03/03/1700|00:00|+0|41N54 012E29|Roma|"
      "Zeta|04/04/2000|12:00|+2|51N30 000W07|Londra|UK"
      "Verdi, Luca|05/05/1950|06:30|+1|45N04 007E41|Torino|Italia")
printf 'name,date,time,zone,coords,place,nation\n' >"$work/batch.csv"
cp -r "$template" "$work/one"
for r in "${rows[@]}"; do
  IFS='|' read -r n d t z c p s <<<"$r"
  printf '"%s",%s,%s,"%s",%s,"%s",%s\n' "$n" "$d" "$t" "$z" "$c" "$p" "$s" >>"$work/batch.csv"
  "$tool" --program-folder "$work/one" archive add RICE --name "$n" --date "$d" --time "$t" --zone "$z" \
    --coords "$c" --place "$p" --nation "$s" >/dev/null || fail "add $n"
done
expect import-batch 0 import RICE "$work/batch.csv"
expect_text import-batch-count out "Soggetti registrati: 5"
for f in RICE.ST1 RICE.ST2 RICE.ST3; do
  cmp -s "$prog/$f" "$work/one/$f" && pass || fail "import $f differs from one-at-a-time adds"
done

# A damaged archive is reported and left byte for byte as it was.
printf 'x' >>"$prog/BASE.ST1"
cp "$prog/BASE.ST1" "$work/st1.before"
expect damaged-add 1 add BASE --name Y --date 01/02/1950 --time 12:00 --zone 1 --coords "45N04 007E41" --place P
expect_text damaged-message err "danneggiato"
expect damaged-list 1 list BASE
expect damaged-delete 1 delete BASE "Verdi, Luca"
cmp -s "$prog/BASE.ST1" "$work/st1.before" && passes=$((passes + 1)) || { echo "FAIL damaged ST1 changed"; failures=$((failures + 1)); }

finish
