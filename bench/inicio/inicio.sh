#!/usr/bin/env bash
# The program's start-up beside a bare Qt window, on a display of its own:
# both are started alternately, warm, and each run measures when the first
# window is mapped (the splash for the program), when the main menu is, and
# the peak resident memory by then. Prints the medians and the ratios.
#   inicio.sh <build dir> [runs, 5 by default]
set -euo pipefail
build=$(cd "$1" && pwd)
vezes=${2:-5}
raiz=$(cd "$(dirname "$0")/../.." && pwd)
work=$(mktemp -d)
servidor=
termina() {
  [ -n "$servidor" ] && kill "$servidor" 2>/dev/null || true
  rm -rf "$work"
}
trap termina EXIT

bash "$raiz/tools/prepare-course.sh" "$build" "$work/curso" >/dev/null
source "$raiz/tools/display-proprio.sh"
inicia_display 1280x1024x24 "$work"
export LANG=pt_BR.UTF-8

mede=$build/bench/quiravo_mede_inicio
vazia() { "$mede" "janela vazia" -- "$build/bench/quiravo_janela_vazia"; }
quiravo() { (cd "$work/curso" && "$mede" "Sobre" "Quiravo - Curso de digitação" -- "$build/app/quiravo"); }

vazia >/dev/null; quiravo >/dev/null  # warm: the files in the page cache
for _ in $(seq "$vezes"); do
  vazia >>"$work/vazia"
  quiravo >>"$work/quiravo"
done

mediana() { sort -n | awk '{v[NR]=$1} END {print (NR % 2) ? v[(NR+1)/2] : (v[NR/2]+v[NR/2+1])/2}'; }
janela=$(cut -d' ' -f1 "$work/vazia" | mediana)
memoria_vazia=$(cut -d' ' -f2 "$work/vazia" | mediana)
splash=$(cut -d' ' -f1 "$work/quiravo" | mediana)
menu=$(cut -d' ' -f2 "$work/quiravo" | mediana)
memoria=$(cut -d' ' -f3 "$work/quiravo" | mediana)
awk -v j="$janela" -v mv="$memoria_vazia" -v s="$splash" -v m="$menu" -v r="$memoria" -v n="$vezes" 'BEGIN {
  printf "start-up, medians of %d warm runs     figure      floor   ratio\n", n
  printf "splash mapped (first window)      %8.1f ms %8.1f ms   %.2fx\n", s, j, s / j
  printf "main menu mapped                  %8.1f ms %8.1f ms   %.2fx\n", m, j, m / j
  printf "peak RSS at the main menu         %8.1f MB %8.1f MB   %.2fx\n", r / 1024, mv / 1024, r / mv
}'
echo "shared libraries: $(ldd "$build/app/quiravo" | wc -l) (bare window: $(ldd "$build/bench/quiravo_janela_vazia" | wc -l))"
