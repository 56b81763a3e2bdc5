# Sourced by the scripts that start the real program: a display server of
# their own on a free display, and a desktop session's runtime folder, so
# that Qt has nothing to warn about.
#   inicia_display <screen geometry> <work folder>
# sets `servidor` (the server's pid, for the caller to stop), DISPLAY,
# QT_QPA_PLATFORM and XDG_RUNTIME_DIR.
inicia_display() {
  local n display=
  for n in $(seq 150 199); do
    [ -e /tmp/.X11-unix/X$n ] || [ -e /tmp/.X$n-lock ] || { display=:$n; break; }
  done
  Xvfb "$display" -screen 0 "$1" -nolisten tcp -noreset >/dev/null 2>&1 &
  servidor=$!
  mkdir -m 700 "$2/runtime"
  export DISPLAY=$display QT_QPA_PLATFORM=xcb XDG_RUNTIME_DIR=$2/runtime
  for _ in $(seq 50); do xdpyinfo >/dev/null 2>&1 && return 0; sleep 0.1; done
}

# The window of process $1 whose name is exactly $2 (searched by the pattern
# $3, or $2: a pattern may also match another window), once mapped on the
# display in DISPLAY; waits up to 20 s.
janela_mapeada() {
  local janela
  for _ in $(seq 200); do
    for janela in $(xdotool search --onlyvisible --pid "$1" --name "${3:-$2}" 2>/dev/null); do
      [ "$(xdotool getwindowname "$janela")" = "$2" ] && { echo "$janela"; return 0; }
    done
    sleep 0.1
  done
  return 1
}
