#!/usr/bin/env bash
# The command line of quillon-tool: help, the program-folder option and the
# exit status of bad usage.
# Usage: ToolCliTest.sh QUILLON_TOOL TEMPLATE_FOLDER
set -u
tool=$1
template=$2
source "$(dirname "$0")/ToolTestLib.sh"

expect() { run_expect "$@"; }

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

finish
