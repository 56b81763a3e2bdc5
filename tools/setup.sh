#!/usr/bin/env bash
# Installs the Debian 12 packages the project needs, only those that are missing.
set -euo pipefail

packages=(
  cmake ninja-build g++ make
  qt6-base-dev qt6-svg-dev libgl-dev qt6-translations-l10n
  libsdl2-dev libjpeg62-turbo-dev libsndfile1-dev libsodium-dev
  libgtest-dev libgmock-dev libbenchmark-dev hunspell-pt-br libhunspell-dev
  fonts-liberation xvfb xauth x11-utils xdotool libx11-dev
  desktop-file-utils appstream lintian dpkg-dev poppler-utils
  clang libclang-rt-14-dev
)

missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed' || missing+=("$p")
done
[ ${#missing[@]} -eq 0 ] && exit 0

echo "Installing: ${missing[*]}"
sudo_cmd=()
[ "$(id -u)" -eq 0 ] || sudo_cmd=(sudo)
"${sudo_cmd[@]}" apt-get update -qq
DEBIAN_FRONTEND=noninteractive "${sudo_cmd[@]}" apt-get install -y -qq --no-install-recommends "${missing[@]}"
