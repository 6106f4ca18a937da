#!/usr/bin/env bash
# quillon-tool atlas find: the place lines from the Italian gazetteer and
# then the foreign one, the options and the exit status when nothing
# matches.
# Usage: ToolAtlasTest.sh QUILLON_TOOL TEMPLATE_FOLDER
set -u
tool=$1
template=$2
source "$(dirname "$0")/ToolTestLib.sh"

expect() { run_expect "$@"; }
atlas() { "$tool" --program-folder "$work/prog" atlas "$@"; }

expect roma 0 atlas find roma --limit 3
expect_line roma-first-line out "^Roma\(RM\)${tab}41N5[34] 012E(2[89]|3[01])${tab}Roma${tab}00390000\.CAL$"
expect_lines roma-limit out 3

# Italian places first, then the foreign ones; five columns for a foreign zone.
expect milan-both 0 atlas find milan --limit 200
expect_line milan-italian out "^Milano\(MI\)${tab}45N2[78] 009E1[01]${tab}Milano${tab}00390000\.CAL$"
expect_line milan-foreign out "^Milan${tab}[0-9]{2}N[0-9]{2} [0-9]{3}W[0-9]{2}${tab}USA, [^${tab}]+${tab}TZ[0-9]{6}\.CAL${tab}America/"
first_foreign=$(grep -n "${tab}TZ" "$work/out" | head -1 | cut -d: -f1)
last_italian=$(grep -n "${tab}00390000\.CAL$" "$work/out" | tail -1 | cut -d: -f1)
if [ -n "$first_foreign" ] && [ -n "$last_italian" ] && [ "$last_italian" -lt "$first_foreign" ]; then
  passes=$((passes + 1)); else echo "FAIL milan-order: Italian lines must come first"; failures=$((failures + 1)); fi

expect new-york 0 atlas find "new york" --foreign --limit 1
expect_line new-york-zone out "^New York City${tab}40N43 074W00${tab}USA, New York${tab}TZ[0-9]{6}\.CAL${tab}America/New_York$"
expect foreign-only-skips-italy 0 atlas find roma --foreign --limit 5
if grep -q "00390000" "$work/out"; then echo "FAIL foreign-only: Italian place listed"; failures=$((failures + 1));
else passes=$((passes + 1)); fi

# A name typed with letters the gazetteer transliterates, in UTF-8 output.
expect lodz 0 atlas find "Łódź" --limit 1
expect_line lodz-utf8 out "^Lódz${tab}51N46 019E28${tab}Polonia, "

# Typed as people type them; found by another name, the place's own line.
expect forli-apostrophe 0 atlas find "forli'" --limit 1
expect_line forli-apostrophe-line out "^Forlì\(FC\)${tab}44N13 012E02${tab}Forlì-Cesena${tab}00390000\.CAL$"
expect bozen 0 atlas find Bozen --limit 1
expect_line bozen-line out "^Bolzano\(BZ\)${tab}46N[0-9]{2} 011E[0-9]{2}${tab}Bolzano${tab}00390000\.CAL$"
expect parigi 0 atlas find Parigi --foreign --limit 1
expect_line parigi-line out "^Paris${tab}48N51 002E21${tab}Francia, [^${tab}]+${tab}TZ[0-9]{6}\.CAL${tab}Europe/Paris$"
expect hanoi 0 atlas find Hanoi --foreign --limit 1
expect_line hanoi-line out "^Hanoi${tab}21N01 105E50${tab}Vietnam, Hanoi${tab}TZ[0-9]{6}\.CAL${tab}Asia/Bangkok$"
# A latitude of 44°59.9994' is written 45N00, never 44N60.
expect altavilla 0 atlas find "Altavilla Monferrato" --limit 1
expect_line altavilla-line out "^Altavilla Monferrato\(AL\)${tab}45N00 008E23${tab}"
expect cyrillic 2 atlas find "Москва"
expect_line cyrillic-message err "alfabeto non latino"
expect lone-apostrophe 2 atlas find "'"
expect_line lone-apostrophe-message err "Scrivere le prime lettere del nome della località"
expect control-character 2 atlas find "$(printf 'Roma\tX')"
expect too-long 2 atlas find "$(printf 'a%.0s' $(seq 200))"
expect_line too-long-message err "troppo lungo"

expect nothing 1 atlas find xqzxqz
expect_line nothing-message err "Nessuna località inizia per \"xqzxqz\""
expect no-prefix 2 atlas find
expect bad-limit 2 atlas find roma --limit zero
expect unknown-option 2 atlas find roma --tutto
expect unknown-subcommand 2 atlas cerca roma

finish
