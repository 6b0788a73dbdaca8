#!/usr/bin/env bash
# Finds the PDF that CUPS' PDF queue made of the test job and checks its pages and text.
# Usage: check_printed_pdf.sh <check file written by the print test>; exit 77 = skipped.
set -euo pipefail
check=$1
[ -s "$check" ] || { echo "no print job recorded (no printer?)"; exit 77; }
title=$(sed -n 1p "$check" | tr -d "\r")
token=$(sed -n 2p "$check" | tr -d "\r")
out_dir=$(getent passwd "$(id -un)" | cut -d: -f6)/PDF
pdf=""
for _ in $(seq 120); do
  pdf=$(ls -t "$out_dir"/"$title"*.pdf 2>/dev/null | head -1 || true)
  [ -n "$pdf" ] && [ -s "$pdf" ] && break
  sleep 0.5
done
[ -n "$pdf" ] || { echo "no PDF for $title in $out_dir"; exit 1; }
sleep 1
text=$(pdftotext -layout "$pdf" -)
pages=$(pdfinfo "$pdf" | awk '/^Pages:/ {print $2}')
echo "$pdf: $pages pages"
[ "$pages" = 2 ] || { echo "expected 2 pages"; exit 1; }
grep -q "Radon graphics page one $token" <<<"$text" || { echo "page one text missing"; exit 1; }
grep -q "Radon graphics page two $token" <<<"$text" || { echo "page two text missing"; exit 1; }
rm -f "$check" "$pdf"
echo "printed text found"
