#!/usr/bin/env bash
# Finds the PDF files CUPS' PDF queue made of the printed reports, checks each one's page count,
# texts and the test chart on its first page, and leaves pictures of its pages in <pictures dir>.
# Usage: check_printed_reports.sh <check file> <pictures dir>; exit 77 = skipped (no printer).
set -euo pipefail
check=$1 pictures=$2
source "$(dirname "$0")/report_texts.sh"
[ -s "$check" ] || { echo "no report printed (no printer?)"; exit 77; }
out_dir=$(getent passwd "$(id -un)" | cut -d: -f6)/PDF
mkdir -p "$pictures"
status=0
while read -r token model units pages; do
  pdf=""
  for _ in $(seq 360); do
    for f in $(ls -t "$out_dir"/*Radon_Report*.pdf 2>/dev/null | head -20); do
      if pdftotext "$f" - 2>/dev/null | grep -q "$token"; then pdf=$f; break; fi
    done
    [ -n "$pdf" ] && break
    sleep 0.5
  done
  [ -n "$pdf" ] || { echo "no PDF holds $token"; status=1; continue; }
  text=$(pdftotext -layout "$pdf" -)
  got=$(pdfinfo "$pdf" | awk '/^Pages:/ {print $2}')
  echo "$model: $pdf, $got pages"
  [ "$got" = "$pages" ] || { echo "$model: expected $pages pages as in the preview"; status=1; }
  report_texts_missing "$model" "$units" "$text" || status=1
  report_chart_missing "$model" "$pdf" || status=1
  pdftoppm -r 50 -png "$pdf" "$pictures/report$model"
  [ $status -ne 0 ] || rm -f "$pdf"
done <"$check"
rm -f "$check"
exit $status
