#!/usr/bin/env bash
# Makes the picture fixtures with ImageMagick, each beside ImageMagick's own decoding of it as
# a binary PNM (the reference pixels the tests compare against).
# Usage: make_fixtures.sh <output dir>
set -euo pipefail
out=$1
mkdir -p "$out"
cd "$out"
im=/usr/bin/convert
[ -x "$im" ] || im=convert

# A 40x30 source with gradients, a disc and sharp edges: enough structure to show any
# misplaced row, swapped channel or palette error.
"$im" -size 40x30 gradient:red-blue \
  -fill yellow -draw "circle 20,15 20,6" -fill black -draw "rectangle 2,2 9,7" \
  -fill white -draw "rectangle 30,22 37,27" -depth 8 PPM:source.ppm

reference() { "$im" -define jpeg:dct-method=islow "$1" -depth 8 PPM:"$2"; }

"$im" source.ppm -quality 85 photo.jpg
"$im" source.ppm -quality 90 -colorspace Gray gray.jpg
"$im" source.ppm -quality 85 -interlace JPEG progressive.jpg
"$im" source.ppm -quality 95 -colorspace CMYK cmyk.jpg
for f in photo gray progressive cmyk; do reference $f.jpg $f.jpg.ppm; done

"$im" source.ppm -type TrueColor BMP3:rgb24.bmp
"$im" source.ppm -colors 200 -type Palette -compress None BMP3:pal8.bmp
"$im" source.ppm -colors 200 -type Palette -compress RLE BMP3:rle8.bmp
"$im" source.ppm -colors 12 -type Palette -compress None BMP3:pal4.bmp
"$im" source.ppm -monochrome BMP3:mono.bmp
"$im" source.ppm -type TrueColor BMP2:core24.bmp
"$im" source.ppm -alpha set -define bmp:format=bmp4 argb32.bmp
for f in rgb24 pal8 rle8 pal4 mono core24 argb32; do reference $f.bmp $f.bmp.ppm; done

"$im" source.ppm -resize 32x32! icon.ico
reference icon.ico icon.ico.ppm
touch manifest.txt
