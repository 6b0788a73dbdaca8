#!/usr/bin/env bash
# Finds the PDF files CUPS' PDF queue made of the printed reports, checks each one's page count
# and texts, and leaves pictures of its pages in <pictures dir>.
# Usage: check_printed_reports.sh <check file> <pictures dir>; exit 77 = skipped (no printer).
set -euo pipefail
check=$1 pictures=$2
[ -s "$check" ] || { echo "no report printed (no printer?)"; exit 77; }
out_dir=$(getent passwd "$(id -un)" | cut -d: -f6)/PDF
mkdir -p "$pictures"
status=0
while read -r token model units pages; do
  pdf=""
  for _ in $(seq 120); do
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
  heading="Bq/m3"; [ "$model" = 6916 ] && heading="Bq/M3"
  [ "$units" = "pCi/l" ] && heading="pCi/l"
  for want in "Continuous Radon Monitor" "Model Number:" "$model" "Serial Number: 15001" \
              "Test Summary" "Exposure Time:" "Error Flags:" "Inspector Signature" \
              "Embedded Software Version: 412" "Radon Risk Information" \
              "Testing Protocols" "$heading" "or more"; do
    grep -qF -- "$want" <<<"$text" || { echo "$model: \"$want\" missing"; status=1; }
  done
  if [ "$model" = 6916 ]; then
    grep -qF "hPa" <<<"$text" || { echo "6916: pressure unit hPa missing"; status=1; }
    grep -qF "between 74.0 and" <<<"$text" || { echo "6916: protocol lower bound not in Bq/m3"; status=1; }
  fi
  pdftoppm -r 50 -png "$pdf" "$pictures/report$model"
  [ $status -ne 0 ] || rm -f "$pdf"
done <"$check"
rm -f "$check"
exit $status
