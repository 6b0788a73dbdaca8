#!/usr/bin/env bash
# Checks the report PDF files the Print to PDF test wrote: each is a valid file (qpdf), has the
# preview's page count, holds the report's texts and its own customer name as selectable text
# (pdftotext) and no other's, has the test chart on its first page, and its first page rendered
# by poppler has the layout of the preview's first page. Leaves the renderings beside the files
# to look at.
# Usage: check_pdf_reports.sh <check file> <output folder>
set -euo pipefail
check=$1 out=$2
source "$(dirname "$0")/report_texts.sh"
[ -s "$check" ] || { echo "the test wrote no check file"; exit 1; }
cd "$out"
status=0
fail() { echo "FAIL: $*"; status=1; }
tokens=$(awk '{print $1}' "$check")

# The PDF page is the whole sheet, the preview page the printable area at screen resolution;
# the report lays out by fractions of its page, so the rendering is scaled onto the preview's
# size. The preview's screen fonts set letters a little narrower than the PDF's, so the pages
# are compared as means of 16 x 16 pixel blocks (about a text line): the difference must stay
# small beside the difference the page makes to white paper. A page one line or a few letters
# off does not pass.
compare_first_page() {
  local pdf=$1 preview=$2 name=${1%.pdf}
  pdftoppm -r 100 -f 1 -l 1 -singlefile -png "$pdf" "$name-pdf1"
  local size; size=$(identify -format "%wx%h" "$preview")
  convert "$name-pdf1.png" -resize "$size!" -colorspace Gray -scale 6.25% "$name-a.png"
  convert "$preview" -colorspace Gray -scale 6.25% "$name-b.png"
  convert "$name-b.png" -fill white -colorize 100 "$name-w.png"
  local diff ink
  diff=$( (compare -metric MAE "$name-a.png" "$name-b.png" null: 2>&1 || true) | sed 's/.*(\(.*\))/\1/')
  ink=$( (compare -metric MAE "$name-w.png" "$name-b.png" null: 2>&1 || true) | sed 's/.*(\(.*\))/\1/')
  echo "$pdf page 1 against the preview: difference $diff, ink $ink"
  awk -v d="$diff" -v i="$ink" 'BEGIN { exit !(i > 0.005 && d < 0.3 * i) }' \
    || fail "$pdf page 1 differs from the preview: $diff (ink $ink)"
}

while read -r token model units pages pdf preview; do
  [ -s "$pdf" ] || { fail "$pdf missing"; continue; }
  qpdf --check "$pdf" >/dev/null 2>&1 || fail "$pdf: qpdf --check: $(qpdf --check "$pdf" 2>&1 | tail -3)"
  got=$(pdfinfo "$pdf" | awk '/^Pages:/ {print $2}')
  echo "$pdf ($model, $units): $got pages"
  [ "$got" = "$pages" ] || fail "$pdf: $got pages, the preview had $pages"
  text=$(pdftotext -layout "$pdf" -)
  report_texts_missing "$model" "$units" "$text" || fail "$pdf lacks report texts"
  report_chart_missing "$model" "$pdf" || fail "$pdf lacks the test chart"
  grep -qF "$token" <<<"$text" || fail "$pdf: customer name $token missing"
  for other in $tokens; do
    [ "$other" = "$token" ] || ! grep -qF "$other" <<<"$text" || fail "$pdf holds $other too"
  done
  compare_first_page "$pdf" "$preview"
done <"$check"
[ $status = 0 ] && echo "all report PDF checks passed"
exit $status
