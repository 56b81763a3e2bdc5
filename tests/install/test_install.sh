#!/usr/bin/env bash
# Installs the program into a temporary prefix and starts it twice as a new
# user would, on a display of its own: the first start lays the user's course
# folder with the catalogue, the practice's words and phrases and the notes
# and reaches the main menu; the second keeps a student file written in
# between. The menu entry names the class of the window it starts.
#   test_install.sh <build dir>
set -euo pipefail
build=$1
work=$(mktemp -d)
programa=
servidor=
termina() {
  [ -n "$programa" ] && kill "$programa" 2>/dev/null || true
  [ -n "$servidor" ] && kill "$servidor" 2>/dev/null || true
  rm -rf "$work"
}
trap termina EXIT

cmake --install "$build" --prefix "$work/usr" >/dev/null
export HOME=$work/home
unset XDG_DATA_HOME XDG_CONFIG_HOME
mkdir -p "$HOME"
pasta=$HOME/.local/share/Quiravo

# a display nobody else uses
for n in $(seq 150 199); do
  [ -e /tmp/.X11-unix/X$n ] || [ -e /tmp/.X$n-lock ] || { display=:$n; break; }
done
Xvfb "$display" -screen 0 1024x768x24 -nolisten tcp >/dev/null 2>&1 &
servidor=$!
export DISPLAY=$display QT_QPA_PLATFORM=xcb SDL_AUDIODRIVER=dummy
for _ in $(seq 50); do xdpyinfo >/dev/null 2>&1 && break; sleep 0.1; done

inicia() {
  (cd "$work" && exec "$work/usr/bin/quiravo") >/dev/null 2>&1 &
  programa=$!
  if ! timeout 20 xdotool search --sync --onlyvisible --name '^Quiravo - Curso de digitação$' >/dev/null; then
    echo "the main menu did not appear"; exit 1
  fi
}

inicia
[ -f "$pasta/ZORPExercicio20.dat" ] || { echo "no catalogue in $pasta"; exit 1; }
notas=$(ls "$pasta"/notas/*.wav | wc -l)
[ "$notas" -eq 7 ] || { echo "$notas notes in $pasta/notas"; exit 1; }
cmp -s "$pasta/ZORPExercicio20.dat" "$work/usr/share/quiravo/ZORPExercicio20.dat" || { echo "another catalogue"; exit 1; }
cmp -s "$pasta/palavras.txt" "$work/usr/share/quiravo/palavras.txt" || { echo "no words for the practice"; exit 1; }
cmp -s "$pasta/frases.txt" "$work/usr/share/quiravo/frases.txt" || { echo "no phrases for the practice"; exit 1; }
# a dock ties the window to its menu entry by the window's class
janelas=$(xdotool search --onlyvisible --name '^Quiravo - Curso de digitação$')
janela=${janelas%%$'\n'*}
classe=$(xprop -id "$janela" WM_CLASS | sed -n 's/.*", "\(.*\)"$/\1/p')
entrada=$(sed -n 's/^StartupWMClass=//p' "$work/usr/share/applications/br.com.quiravo.Quiravo.desktop")
[ -n "$classe" ] && [ "$classe" = "$entrada" ] || { echo "window class '$classe', StartupWMClass '$entrada'"; exit 1; }
kill "$programa"; wait "$programa" 2>/dev/null || true

printf 'alunos da turma' > "$pasta/ZORPAlunos20.dat"
inicia
[ "$(cat "$pasta/ZORPAlunos20.dat")" = 'alunos da turma' ] || { echo "the student file was replaced"; exit 1; }
echo "installed, laid $pasta, reached the main menu twice, window class $classe"
