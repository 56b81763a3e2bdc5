#!/usr/bin/env bash
# Makes the two 640 x 480 photographs of the screens with ImageMagick:
#   fotos/menu.jpg      background of the main menu: a keyboard seen at dusk
#   fotos/paisagem.jpg  background of the about screen: sky, clouds and a
#                       wooded hill
# The fixed seeds make every run give the same pictures.
set -euo pipefail
cd "$(dirname "$0")"
IM=/usr/bin/convert
tmp=$(mktemp -d)
trap 'rm -rf "$tmp"' EXIT
mkdir -p fotos

# --- main menu: dark blue evening light over a keyboard in perspective ---
$IM -size 640x480 gradient:'#06122a'-'#1c5f7d' "$tmp/ceu.png"
$IM -size 640x480 -seed 7 plasma:'#000000'-'#3a3a3a' -blur 0x12 "$tmp/nevoa.png"
$IM "$tmp/ceu.png" "$tmp/nevoa.png" -compose screen -composite "$tmp/fundo.png"

keys=()
for row in 0 1 2 3 4; do
  y=$((20 + row * 46))
  off=$((row * 12))
  for col in $(seq 0 13); do
    x=$((16 + off + col * 44))
    keys+=(-fill '#1b2233' -draw "roundrectangle $x,$((y+4)) $((x+38)),$((y+42)) 6,6")
    keys+=(-fill '#3b4660' -draw "roundrectangle $x,$y $((x+38)),$((y+36)) 6,6")
    keys+=(-fill '#56627f' -draw "roundrectangle $((x+5)),$((y+4)) $((x+33)),$((y+26)) 4,4")
  done
done
$IM -size 660x260 xc:none "${keys[@]}" "$tmp/teclas.png"
$IM "$tmp/teclas.png" -virtual-pixel transparent \
    -distort Perspective '0,0 150,0  660,0 490,0  0,260 -120,240  660,260 760,240' \
    -crop 640x240+0+0 +repage "$tmp/teclado.png"
$IM "$tmp/fundo.png" \( "$tmp/teclado.png" -blur 0x0.6 \) -geometry +0+250 -compose over -composite \
    \( -size 640x480 radial-gradient:'#00000000'-'#000000b0' \) -compose over -composite \
    -seed 11 -attenuate 0.25 +noise Gaussian -quality 88 fotos/menu.jpg

# --- about screen: sky, clouds and a wooded hill ---
$IM -size 640x300 gradient:'#2f6fc4'-'#b9dcf6' "$tmp/ceu2.png"
$IM -size 640x480 xc:'#b9dcf6' "$tmp/ceu2.png" -geometry +0+0 -composite "$tmp/paisagem0.png"
$IM -size 640x480 -seed 23 plasma:fractal -colorspace Gray -blur 0x5 -level 45%,70% \
    \( -size 640x480 gradient:white-black -level 0%,75% \) -compose multiply -composite "$tmp/nuvens_mask.png"
$IM "$tmp/paisagem0.png" \( -size 640x480 xc:white \) "$tmp/nuvens_mask.png" -compose over -composite \
    "$tmp/com_nuvens.png"
hill="M 0,480 L 0,300 C 90,250 170,215 260,220 C 350,225 420,255 500,262 C 560,268 610,280 640,290 L 640,480 Z"
$IM -size 640x480 xc:black -fill white -draw "path '$hill'" "$tmp/morro_mask.png"
# the wood: many tree crowns in shades of green, the far ones first
RANDOM=53
crowns=()
for i in $(seq 1 900); do
  x=$((RANDOM % 660 - 10))
  y=$((200 + RANDOM % 290))
  r=$((4 + (y - 200) / 22 + RANDOM % 4))
  shade=$((RANDOM % 5))
  colours=('#123d14' '#1c5220' '#25662a' '#2f7a2f' '#3d8a36')
  crowns+=(-fill "${colours[$shade]}" -draw "circle $x,$y $((x + r)),$y")
done
$IM -size 640x480 xc:'#0f3511' "${crowns[@]}" -blur 0x0.7 \
    -seed 37 -attenuate 0.4 +noise Gaussian -colorspace sRGB "$tmp/mata.png"
$IM -size 640x480 xc:none -fill '#0a2a0c80' -draw "path '$hill'" -blur 0x8 "$tmp/sombra.png"
$IM "$tmp/com_nuvens.png" "$tmp/mata.png" "$tmp/morro_mask.png" -compose over -composite \
    "$tmp/sombra.png" -compose over -composite \
    -seed 41 -attenuate 0.2 +noise Gaussian -quality 88 fotos/paisagem.jpg

echo "fotos/menu.jpg fotos/paisagem.jpg"
