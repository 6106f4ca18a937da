# Shared by the quillon-tool test scripts (sourced after setting $tool and
# $template): a work folder with a copy of the program folder template,
# pass/fail counters and the checks on a command's exit status and output.
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
cp -r "$template" "$work/prog"
prog="$work/prog"
failures=0
passes=0
tab=$'\t'

pass() { passes=$((passes + 1)); }
fail() { echo "FAIL $*"; failures=$((failures + 1)); }

run_expect() { # name expected-status command...: output in $work/out and $work/err
  local name=$1 want=$2
  shift 2
  "$@" >"$work/out" 2>"$work/err"
  local got=$?
  if [ "$got" -ne "$want" ]; then
    fail "$name: exit $got, expected $want"; cat "$work/out" "$work/err"
  else
    pass
  fi
}
expect_text() { # name file text
  if grep -qF -- "$3" "$work/$2"; then pass; else fail "$1: '$3' not in $2"; cat "$work/$2"; fi
}
expect_no_text() { # name file text
  if grep -qF -- "$3" "$work/$2"; then fail "$1: '$3' in $2"; cat "$work/$2"; else pass; fi
}
expect_same() { # name output-file expected-text
  if [ "$(cat "$work/$2")" = "$3" ]; then pass; else
    fail "$1: got"; cat "$work/$2"; echo "expected"; echo "$3"; fi
}
expect_line() { # name file regex: some line matches
  if grep -qE -- "$3" "$work/$2"; then pass; else fail "$1: no line of $2 matches '$3'"; cat "$work/$2"; fi
}
expect_lines() { # name file count
  local n
  n=$(wc -l <"$work/$2")
  if [ "$n" -eq "$3" ]; then pass; else fail "$1: $n lines in $2, expected $3"; cat "$work/$2"; fi
}

finish() {
  echo "$passes passed, $failures failed"
  [ "$failures" -eq 0 ]
}
