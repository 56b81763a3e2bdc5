#!/usr/bin/env bash
# Prepares the course directory: the catalogue and the seven note files.
# Student and lesson files already there are left as they are.
set -euo pipefail
build=$1
dir=$2
mkdir -p "$dir/notas"
if [ -f "$build/content/ZORPExercicio20.dat" ]; then
  cp "$build/content/ZORPExercicio20.dat" "$dir/"
fi
if [ -d "$build/content/notas" ]; then
  cp "$build"/content/notas/*.wav "$dir/notas/" 2>/dev/null || true
fi
