#!/usr/bin/env bash
# Lets ImageMagick decode every GIF that the tests wrote (<name>.<encoder>.gif) and compares
# each frame with ImageMagick's decoding of the corpus file it came from, or, for a picture the
# tests made themselves, with the frames they wrote beside it (<name>.frames, <name>.<i>.rgba).
set -euo pipefail
corpus=$1
written=$2
im=/usr/bin/convert
[ -x "$im" ] || im=$(command -v convert)
checked=0 failed=0
shopt -s nullglob
for gif in "$written"/*.gif; do
  file=$(basename "$gif" .gif)
  name=${file%.*}
  expected=$corpus
  [ -f "$written/$name.frames" ] && expected=$written
  n=$(wc -l < "$expected/$name.frames")
  for ((i = 0; i < n; i++)); do
    if "$im" "$gif[$i]" -depth 8 rgba:- | cmp -s - "$expected/$name.$i.rgba"; then
      checked=$((checked + 1))
    else
      echo "differs: $file frame $i"
      failed=$((failed + 1))
    fi
  done
done
echo "$checked passed, $failed failed"
[ "$checked" -gt 0 ] && [ "$failed" -eq 0 ]
