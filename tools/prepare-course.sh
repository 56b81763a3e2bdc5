#!/usr/bin/env bash
# Prepares the course directory: the catalogue, the practice's words and
# phrases and the seven note files (a build from a tree without phrases has
# none to lay).
# Student and lesson files already there are left as they are. Says so and
# fails when the build has not made the course or a copy fails.
#   prepare-course.sh <build dir> <course dir>
set -euo pipefail
build=$1
dir=$2
catalogue=$build/content/ZORPExercicio20.dat
words=$build/content/palavras.txt
phrases=$build/content/frases.txt
notes=()
for note in do5 re5 mi5 fa5 sol5 la5 si5; do
  notes+=("$build/content/notas/$note.wav")
done

fail() {
  echo "The course cannot be prepared in $dir: $1" >&2
  exit 1
}

for file in "$catalogue" "$words" "${notes[@]}"; do
  [ -f "$file" ] || fail "the build made no $file"
done
mkdir -p "$dir/notas" || fail "its folder cannot be made"
cp "$catalogue" "$dir/" || fail "the catalogue cannot be copied"
cp "$words" "$dir/" || fail "the practice's words cannot be copied"
if [ -f "$phrases" ]; then
  cp "$phrases" "$dir/" || fail "the practice's phrases cannot be copied"
fi
cp "${notes[@]}" "$dir/notas/" || fail "the notes cannot be copied"
