#!/usr/bin/env bash
# Runs the checker of the practice's words on a list (and phrases) it must
# refuse: it must end with status 1, name every expected line and no other,
# and write nothing.
#   recusa.sh <checker> <dictionary> <struck words> <words> <phrases> <expected message>...
set -uo pipefail
checker=$1 dictionary=$2 struck=$3 words=$4 phrases=$5
shift 5
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

"$checker" "$dictionary" "$struck" "$words" "$work/palavras.txt" "$phrases" "$work/frases.txt" 2>"$work/err"
status=$?
[ "$status" -eq 1 ] || { echo "status $status, not 1:"; cat "$work/err"; exit 1; }
for expected in "$@"; do
  grep -qF -- "$expected" "$work/err" || { echo "no \"$expected\" in:"; cat "$work/err"; exit 1; }
done
named=$(grep -cE ':[0-9]+: ' "$work/err")
[ "$named" -eq $# ] || { echo "$named lines named, not $#:"; cat "$work/err"; exit 1; }
[ ! -e "$work/palavras.txt" ] && [ ! -e "$work/frases.txt" ] || { echo "a refused list was written"; exit 1; }
