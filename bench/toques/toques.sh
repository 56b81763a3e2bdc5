#!/usr/bin/env bash
# What a key costs the whole program, beside a bare line edit, on a display
# of its own (1280x1024, Brazilian keyboard): a student takes exercise 1 with
# the keyboard on the screen and types its lines as xdotool types them, at a
# steady pace; the floor is a window of the exercise screen's size holding
# one line edit, typed the same way. What each process spends on the CPU
# (all its threads, from /proc) is counted over its own typing only.
#   toques.sh <build dir> [runs, 3 by default] [ms between two keys, 15 by default]
# In each run both are started afresh, each on a display of its own where it
# keeps the focus, and typed into by turns, a round of the exercise each,
# seven rounds (504 keys) each after one to warm up: whatever else the
# machine does weighs on both alike. Prints each run and the medians.
set -euo pipefail
build=$(cd "$1" && pwd)
vezes=${2:-3}
ritmo=${3:-15}
raiz=$(cd "$(dirname "$0")/../.." && pwd)
work=$(mktemp -d)
quiravo=
vazia=
servidores=()
termina() {
  local pid
  for pid in "$quiravo" "$vazia" "${servidores[@]}"; do
    [ -n "$pid" ] && kill "$pid" 2>/dev/null || true
  done
  rm -rf "$work"
}
trap termina EXIT

# One round of exercise 1 as a student types it, with no box on the way: a
# right pass through its three lines, then its first line with the last
# letter wrong, which loses that one pass (no box asks about fewer than
# two): 19 + 17 + 13 + 19 letters and 4 ENTERs, 72 keys.
linhas=('asdf fdsa asdf fdsa' 'aa ss dd ff sa df' 'fada dada asa' 'asdf fdsa asdf fdss')
rodadas=7

bash "$raiz/tools/prepare-course.sh" "$build" "$work/curso" >/dev/null
(cd "$work/curso" && "$build/bench/quiravo_um_aluno")
source "$raiz/tools/display-proprio.sh"
# A display for each: the one typed into keeps the focus, and neither sees
# the other's window become active or inactive.
tela() {
  mkdir "$work/$1"
  inicia_display 1280x1024x24 "$work/$1"
  servidores+=("$servidor")
  setxkbmap br
}
tela programa
programa=$DISPLAY
tela piso
piso=$DISPLAY
# a new account's settings: the keyboard is shown
export LANG=pt_BR.UTF-8 SDL_AUDIODRIVER=dummy XDG_CONFIG_HOME=$work/config

janela() {
  janela_mapeada "$@" || { echo "toques.sh: no window \"$2\"" >&2; return 1; }
}

janelas() { DISPLAY=$programa xdotool search --onlyvisible --pid "$quiravo" --name . 2>/dev/null | wc -l; }

# Nanoseconds process $1 has spent on the CPU so far, all its threads.
cpu() { awk '{ns += $1} END {printf "%d\n", ns}' /proc/"$1"/task/*/schedstat; }

# One round typed into process $1 on display $2: the nanoseconds it cost.
rodada() {
  local antes linha
  antes=$(cpu "$1")
  for linha in "${linhas[@]}"; do
    DISPLAY=$2 xdotool type --delay "$ritmo" "$linha"
    DISPLAY=$2 xdotool key Return
  done
  sleep 0.3
  echo $(($(cpu "$1") - antes))
}

# The program: F2 on the main menu, the student chosen on the entry screen
# (Tab from the password field to the list, Down), F2 for the lesson.
abre_exercicio() {
  export DISPLAY=$programa XDG_RUNTIME_DIR=$work/programa/runtime
  (cd "$work/curso" && exec "$build/app/quiravo") >/dev/null 2>&1 &
  quiravo=$!
  xdotool windowfocus --sync "$(janela "$quiravo" 'Quiravo - Curso de digitação' 'Quiravo')"
  xdotool key F2
  janela "$quiravo" Entrada >/dev/null
  xdotool key Tab Down F2
  xdotool getwindowgeometry --shell "$(janela "$quiravo" 'Exercícios de digitação' 'Exerc.*cios')" |
    sed -n 's/^\(WIDTH\|HEIGHT\)=//p' >"$work/tamanho"
}

abre_piso() {
  export DISPLAY=$piso XDG_RUNTIME_DIR=$work/piso/runtime
  # shellcheck disable=SC2046
  "$build/bench/quiravo_janela_vazia" $(cat "$work/tamanho") &
  vazia=$!
  xdotool windowfocus --sync "$(janela "$vazia" 'janela vazia')"
}

# One run: the milliseconds of the program's 504 keys and of the floor's.
uma_vez() {
  abre_exercicio
  abre_piso
  local abertas q=0 v=0
  # the first round fills the caches (glyphs, the keys' pictures)
  rodada "$quiravo" "$programa" >/dev/null
  rodada "$vazia" "$piso" >/dev/null
  abertas=$(janelas)
  for _ in $(seq "$rodadas"); do
    q=$((q + $(rodada "$quiravo" "$programa")))
    v=$((v + $(rodada "$vazia" "$piso")))
  done
  # a box that came up on the way is a new window
  [ "$(janelas)" = "$abertas" ] || { echo "toques.sh: a box came up during the typing" >&2; return 1; }
  kill "$quiravo" "$vazia"
  wait "$quiravo" "$vazia" 2>/dev/null || true
  quiravo=
  vazia=
  echo "$((q / 1000)) $((v / 1000))" | awk '{printf "%.1f %.1f\n", $1 / 1000, $2 / 1000}'
}

for vez in $(seq "$vezes"); do
  uma_vez >>"$work/runs"
  tail -1 "$work/runs" | awk -v n="$vez" '{printf "run %d: %.1f ms, bare line edit %.1f ms, %.2fx\n", n, $1, $2, $1 / $2}'
done

mediana() { sort -n | awk '{v[NR]=$1} END {print (NR % 2) ? v[(NR+1)/2] : (v[NR/2]+v[NR/2+1])/2}'; }
awk -v q="$(cut -d' ' -f1 "$work/runs" | mediana)" -v v="$(cut -d' ' -f2 "$work/runs" | mediana)" \
    -v r="$(awk '{print $1 / $2}' "$work/runs" | mediana)" -v n="$vezes" -v d="$ritmo" 'BEGIN {
  printf "504 keys at --delay %d, medians of %d runs:\n", d, n
  printf "  CPU time    %8.1f ms, bare line edit %8.1f ms\n", q, v
  printf "  a key       %8.3f ms, bare line edit %8.3f ms\n", q / 504, v / 504
  printf "  ratio       %.2fx (the median of the runs)\n", r
}'
