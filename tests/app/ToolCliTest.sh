#!/usr/bin/env bash
# The command line of quillon-tool: help, the program-folder option and the
# exit status of bad usage.
# Usage: ToolCliTest.sh QUILLON_TOOL TEMPLATE_FOLDER
set -u
tool=$1
template=$2
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
cp -r "$template" "$work/prog"
failures=0
passes=0

expect() { # name expected-status command...
  local name=$1 want=$2
  shift 2
  "$@" >"$work/out" 2>"$work/err"
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

expect help 0 "$tool" --help
expect_text help-italian out "Uso: quillon-tool [--program-folder CARTELLA] COMANDO"
expect help-after-folder 0 "$tool" --program-folder "$work/prog" --help
expect unknown-command 2 "$tool" --program-folder "$work/prog" nessuno
expect_text unknown-command-message err "comando sconosciuto: nessuno"
expect bad-option 2 "$tool" --colori
expect_text bad-option-message err "opzione sconosciuta: --colori"
expect missing-folder-value 2 "$tool" --program-folder
expect_text missing-folder-message err "manca la cartella dopo --program-folder"
expect no-command 2 "$tool" --program-folder "$work/prog"
(cd "$work" && expect not-a-program-folder-still-usage 2 "$tool" nessuno)

echo "$passes passed, $failures failed"
[ "$failures" -eq 0 ]
