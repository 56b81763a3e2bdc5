#!/usr/bin/env bash
# The course preparation of `make run`: it lays the built catalogue, words, phrases and notes
# into the course directory and leaves the student and lesson files alone;
# when the build has not made the course, or a copy fails, it says so and
# fails, so that the program is not started on a course that is not there.
#   test_prepare_course.sh <source dir> <build dir>
set -euo pipefail
source=$1
build=$2
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
prepare=$source/tools/prepare-course.sh

# a build tree holding only what the course needs
mkdir -p "$work/build/content"
cp "$build/content/ZORPExercicio20.dat" "$build/content/palavras.txt" "$build/content/frases.txt" "$work/build/content/"
cp -r "$build/content/notas" "$work/build/content/"

# Runs the preparation into a directory; it must fail and name the reason.
fails_saying() {
  local reason=$1 dir=$2
  if bash "$prepare" "$work/build" "$dir" 2>"$work/err"; then
    echo "prepared $dir although $reason"; exit 1
  fi
  grep -q "The course cannot be prepared in $dir" "$work/err" || {
    echo "no word of why ($reason):"; cat "$work/err"; exit 1
  }
}

# student and lesson files already there stay as they are
curso=$work/curso
mkdir -p "$curso"
printf 'alunos' >"$curso/ZORPAlunos20.dat"
printf 'aulas' >"$curso/ZORPAulas20.dat"
bash "$prepare" "$work/build" "$curso"
cmp -s "$curso/ZORPExercicio20.dat" "$build/content/ZORPExercicio20.dat" || { echo "no catalogue"; exit 1; }
cmp -s "$curso/palavras.txt" "$build/content/palavras.txt" || { echo "no words for the practice"; exit 1; }
cmp -s "$curso/frases.txt" "$build/content/frases.txt" || { echo "no phrases for the practice"; exit 1; }
[ "$(ls "$curso"/notas/*.wav | wc -l)" -eq 7 ] || { echo "not seven notes"; exit 1; }
[ "$(cat "$curso/ZORPAlunos20.dat")" = alunos ] || { echo "the student file changed"; exit 1; }
[ "$(cat "$curso/ZORPAulas20.dat")" = aulas ] || { echo "the lesson file changed"; exit 1; }

# a build from a tree without phrases lays the rest
mv "$work/build/content/frases.txt" "$work/frases"
bash "$prepare" "$work/build" "$work/sem-frases"
[ -f "$work/sem-frases/palavras.txt" ] && [ ! -e "$work/sem-frases/frases.txt" ] || { echo "a course without phrases"; exit 1; }
mv "$work/frases" "$work/build/content/frases.txt"

# a note the build did not make
rm "$work/build/content/notas/la5.wav"
fails_saying "a note is missing" "$work/sem-nota"
[ ! -e "$work/sem-nota" ] || { echo "a half course was laid"; exit 1; }
cp "$build/content/notas/la5.wav" "$work/build/content/notas/"

# a catalogue the build did not make
mv "$work/build/content/ZORPExercicio20.dat" "$work/catalogo"
fails_saying "the catalogue is missing" "$work/sem-catalogo"
mv "$work/catalogo" "$work/build/content/ZORPExercicio20.dat"

# a course directory that cannot be made (a file stands in its place; root
# writes into protected folders)
touch "$work/arquivo"
fails_saying "its folder cannot be made" "$work/arquivo"

# a catalogue that cannot be copied over
mkdir -p "$work/ocupado/notas" "$work/ocupado/ZORPExercicio20.dat"
fails_saying "the catalogue cannot be copied" "$work/ocupado"
