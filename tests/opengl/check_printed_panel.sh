#!/usr/bin/env bash
# Finds the PDF that CUPS' PDF queue made of the printed panel and checks its one page: the
# picture 3.125 x 2.083 inches (300 x 200 pixels at 96 per inch), red with its lower left
# quarter blue. Usage: check_printed_panel.sh <check file>; exit 77 = skipped (no printer).
set -euo pipefail
check=$1
[ -s "$check" ] || { echo "no panel printed (no printer?)"; exit 77; }
title=$(sed -n 1p "$check" | tr -d "\r")
out_dir=$(getent passwd "$(id -un)" | cut -d: -f6)/PDF
pdf=""
for _ in $(seq 360); do
  pdf=$(ls -t "$out_dir"/"$title"*.pdf 2>/dev/null | head -1 || true)
  [ -n "$pdf" ] && [ -s "$pdf" ] && break
  sleep 0.5
done
[ -n "$pdf" ] || { echo "no PDF for $title in $out_dir"; exit 1; }
sleep 1
pages=$(pdfinfo "$pdf" | awk '/^Pages:/ {print $2}')
[ "$pages" = 1 ] || { echo "$pdf: $pages pages, expected 1"; exit 1; }
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
pdftoppm -r 96 -png -singlefile "$pdf" "$work/page"
# The picture: the page's non-white part.
geometry=$(convert "$work/page.png" -fuzz 10% -trim -format '%w %h %X %Y' info: | tr -d '+')
read -r width height left top <<<"$geometry"
echo "$pdf: picture ${width}x${height} at $left,$top (96 dpi)"
near() { [ $(( $1 - $2 )) -le 3 ] && [ $(( $2 - $1 )) -le 3 ]; }
near "$width" 300 && near "$height" 200 || { echo "expected about 300x200"; exit 1; }
color() {
  convert "$work/page.png" -format "%[fx:int(255*p{$1,$2}.r)],%[fx:int(255*p{$1,$2}.g)],%[fx:int(255*p{$1,$2}.b)]" info:
}
is() {  # is <x> <y> <r> <g> <b>: each channel within 40 of the expected one
  IFS=, read -r r g b <<<"$(color "$1" "$2")"
  for pair in "$r:$3" "$g:$4" "$b:$5"; do
    a=${pair%:*} e=${pair#*:}
    [ $(( a - e )) -le 40 ] && [ $(( e - a )) -le 40 ] || { echo "($1,$2) is $r,$g,$b"; return 1; }
  done
}
is $((left + 225)) $((top + 50)) 255 0 0 || exit 1     # upper right: red
is $((left + 75)) $((top + 150)) 0 0 255 || exit 1     # lower left: blue
is $((left + 225)) $((top + 150)) 255 0 0 || exit 1    # lower right: red
rm -f "$check" "$pdf"
echo "printed panel found"
