#!/usr/bin/env bash
# A clean list and clean phrases pass the checker and come out without their
# comment lines.
#   confere_limpas.sh <checker> <dictionary> <struck words> <words> <phrases>
set -euo pipefail
checker=$1 dictionary=$2 struck=$3 words=$4 phrases=$5
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

"$checker" "$dictionary" "$struck" "$words" "$work/palavras.txt" "$phrases" "$work/frases.txt"
grep -v '^#' "$words" | cmp -s - "$work/palavras.txt" || { echo "the words came out otherwise"; exit 1; }
grep -v '^#' "$phrases" | cmp -s - "$work/frases.txt" || { echo "the phrases came out otherwise"; exit 1; }
