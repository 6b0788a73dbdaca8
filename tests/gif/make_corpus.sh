#!/usr/bin/env bash
# Makes the GIF test corpus with ImageMagick and, beside every file, ImageMagick's own decoding
# of each frame as raw RGBA (<name>.<frame>.rgba) with the frame sizes in <name>.frames, and
# for animations every frame composed onto the logical screen (<name>.coalesced.<frame>.rgba).
# Usage: make_corpus.sh <output dir> [bench]   ("bench" adds larger pictures for timing)
set -euo pipefail
out=$1
mode=${2:-}
im=/usr/bin/convert
[ -x "$im" ] || im=$(command -v convert)
mkdir -p "$out"
cd "$out"

make() { local name=$1; shift; "$im" "$@" "$name.gif"; }

make bits1 -size 33x17 pattern:checkerboard -colors 2
make bits2 -seed 1 -size 41x29 plasma: -colors 4
make bits4 -seed 2 -size 64x48 plasma: -colors 16
make bits8 -seed 3 -size 200x150 plasma: -colors 256
make gradient8 -size 97x61 gradient:navy-orange -colors 200
make interlaced -seed 4 -size 75x53 plasma: -colors 64 -interlace GIF
make interlaced_short -seed 5 -size 19x3 plasma: -colors 8 -interlace GIF
make transparent -size 40x30 xc:none -fill red -draw 'circle 20,15 20,5' -fill blue \
  -draw 'rectangle 2,2 8,8'
make one_by_one -size 1x1 xc:purple
make tall_thin -seed 6 -size 1x100 plasma: -colors 16
make wide_thin -seed 7 -size 257x1 plasma: -colors 32
make odd_size -seed 8 -size 257x3 plasma: -colors 128
make local_tables -delay 20 \( -size 30x20 gradient:red-blue -colors 32 \) \
  \( -size 30x20 gradient:green-yellow -colors 32 \) \( -size 30x20 gradient:white-black -colors 7 \)
for disposal in None Background Previous; do
  make "dispose_$(echo $disposal | tr A-Z a-z)" -delay 10 -dispose "$disposal" \
    -size 60x40 xc:white \( -size 20x10 xc:red -set page +5+5 \) \
    \( -size 15x15 xc:none -fill blue -draw 'circle 7,7 7,2' -set page +20+15 \) \
    \( -size 10x20 xc:green -set page +40+10 \) -loop 0
done
make dispose_mixed -delay 10 -size 50x50 xc:yellow -dispose Background \
  \( -size 10x10 xc:red -set page +5+5 \) -dispose Previous \( -size 10x10 xc:blue -set page +20+20 \) \
  -dispose None \( -size 10x10 xc:none -fill green -draw 'point 5,5' -set page +30+30 \) -loop 2

if [ "$mode" = bench ]; then
  make bench_logo logo: -colors 256
  make bench_plasma -seed 9 -size 1024x768 plasma: -colors 256
  make bench_gradient -size 1200x900 gradient:blue-yellow -colors 128
  make bench_rose rose: -resize 800% -colors 256 -interlace GIF
  make bench_anim -delay 5 -seed 10 -size 320x240 plasma: plasma: plasma: plasma: -colors 64
fi

for gif in *.gif; do
  name=${gif%.gif}
  [ "$mode" = bench ] && continue
  "${im%convert}identify" -format '%w %h %X %Y\n' "$gif" > "$name.frames"
  n=$(wc -l < "$name.frames")
  for ((i = 0; i < n; i++)); do
    "$im" "$gif[$i]" -depth 8 "rgba:$name.$i.rgba"
  done
  # The animation as a viewer shows it: every frame composed onto the logical screen.
  if [ "$n" -gt 1 ]; then
    "$im" "$gif" -coalesce +adjoin -depth 8 "rgba:$name.coalesced.%d.rgba"
  fi
done
ls *.gif > manifest.txt
