#!/usr/bin/env bash
# Starts the program many times on a display of its own and, in every run,
# presses F10 on the main menu as a user would: each start must answer the
# key and end within a few seconds, and print nothing to its error output
# (Qt's warnings go there).
#   test_inicios.sh <build dir> [runs, 40 by default]
set -euo pipefail
build=$(cd "$1" && pwd)
vezes=${2:-40}
raiz=$(cd "$(dirname "$0")/../.." && pwd)
work=$(mktemp -d)
programa=
servidor=
termina() {
  [ -n "$programa" ] && kill -9 "$programa" 2>/dev/null || true
  [ -n "$servidor" ] && kill "$servidor" 2>/dev/null || true
  rm -rf "$work"
}
trap termina EXIT

bash "$raiz/tools/prepare-course.sh" "$build" "$work/curso" >/dev/null
# a student file with no student yet: the main menu opens without the registration
: >"$work/curso/ZORPAlunos20.dat"

source "$raiz/tools/display-proprio.sh"
inicia_display 1024x768x24 "$work"
export SDL_AUDIODRIVER=dummy

# The main menu's window, once mapped (the splash may match its pattern too).
menu_principal() { janela_mapeada "$programa" 'Quiravo - Curso de digitação' 'Quiravo'; }

# One start: true when the program answered F10 and said nothing.
uma_vez() {
  local saida=$work/stderr
  (cd "$work/curso" && exec "$build/app/quiravo") >/dev/null 2>"$saida" &
  programa=$!
  local janela
  if ! janela=$(menu_principal); then
    echo "run $1: the main menu did not appear"
    return 1
  fi
  xdotool windowfocus --sync "$janela" 2>/dev/null || true
  xdotool key F10
  local parado=
  for _ in $(seq 80); do
    kill -0 "$programa" 2>/dev/null || { parado=1; break; }
    sleep 0.1
  done
  if [ -z "$parado" ]; then
    echo "run $1: F10 on the main menu did not end the program"
    kill -9 "$programa" 2>/dev/null || true
  fi
  wait "$programa" 2>/dev/null || true
  programa=
  if [ -s "$saida" ]; then
    echo "run $1 printed:"; sed 's/^/  /' "$saida"
    return 1
  fi
  [ -n "$parado" ]
}

falhas=0
for vez in $(seq "$vezes"); do
  uma_vez "$vez" || falhas=$((falhas + 1))
done
echo "$vezes starts, $falhas failed"
[ "$falhas" -eq 0 ]
