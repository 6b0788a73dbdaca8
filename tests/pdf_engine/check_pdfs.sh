#!/usr/bin/env bash
# Checks the PDF files the engine tests wrote: each is a valid file (qpdf), holds its texts as
# selectable text (pdftotext), keeps its shapes as vectors (pdfimages), and every page rendered
# by poppler looks like the system's own rendering of the same page metafile.
# Usage: check_pdfs.sh <output folder>
set -euo pipefail
out=$1
cd "$out"
failures=0
fail() { echo "FAIL: $*"; failures=$((failures + 1)); }

for pdf in drawing.pdf merge.pdf forms.pdf navigation.pdf; do
  [ -s "$pdf" ] || { fail "$pdf missing"; continue; }
  qpdf --check "$pdf" >/dev/null 2>&1 || fail "$pdf: qpdf --check: $(qpdf --check "$pdf" 2>&1 | tail -3)"
done

# Texts expected on a page, one a line: <file> <page> <text>
expect_text() {
  local pdf=$1 page=$2 text=$3
  pdftotext -f "$page" -l "$page" -layout "$pdf" - | tr -s ' ' | grep -qF -- "$text" \
    || fail "$pdf page $page: \"$text\" not found"
}
for t in "Continuous Radon Monitor Report" "Average Radon Concentration: 4.2 pCi/l" \
         "EPA Protocol Average: 3.9 pCi/l" "Italic note on the test conditions" \
         "Bold italic remark" "12/10/2026 08:00" "12/11/2026 22:00" "5.5" "21.75" \
         "Courier line 123" "Arial label 456"; do
  expect_text drawing.pdf 1 "$t"
done
for t in "Clipped ellipse" "Gradient and hatching above"; do
  expect_text drawing.pdf 2 "$t"
done
# Turned texts: their letters in the order they were written.
for t in "Turnedtext" "Escapementtext"; do
  pdftotext -f 2 -l 2 -raw drawing.pdf - | tr -d ' \n' | grep -qF "$t" \
    || fail "drawing.pdf page 2: \"$t\" not found"
done
expect_text merge.pdf 1 "Jane Inspector"
expect_text merge.pdf 1 "Signed on 12/10/2026"
expect_text forms.pdf 1 "DRAFT COPY"
expect_text forms.pdf 2 "DRAFT COPY"
expect_text forms.pdf 2 "Second page"

# The faces: Times for the report's Times New Roman, Courier and Helvetica for the others.
fonts=$(pdffonts drawing.pdf)
for f in Times-Roman Times-Bold Times-Italic Times-BoldItalic Courier Helvetica; do
  grep -q "^$f " <<<"$fonts" || fail "drawing.pdf does not use $f"
done

# Page 1 holds two images (the bitmap and the copied part of it); page 2 holds the images standing for the hatching and
# the gradient, with their coverage masks; everything else is vector drawing.
images=$(pdfimages -list drawing.pdf | awk 'NR > 2')
[ "$(awk '$1 == 1 && $3 == "image"' <<<"$images" | wc -l)" = 2 ] || fail "page 1 images: $images"
awk '$1 == 1 && $3 == "smask"' <<<"$images" | grep -q . && fail "page 1 has an image in place of drawing"
awk '$1 == 2 && $3 == "image"' <<<"$images" | grep -q . || fail "page 2 has no image"
awk '$1 == 2 && $3 == "smask"' <<<"$images" | grep -q . || fail "page 2 images have no mask"

info=$(pdfinfo drawing.pdf)
grep -q "^Author: *Test Inspector" <<<"$info" || fail "author: $info"
grep -q "^Title: *Drawing test" <<<"$info" || fail "title: $info"
grep -q "^Producer: *Radon Monitor PDF engine" <<<"$info" || fail "producer: $info"
grep -q "^Page size: *595.2.* x 841.9.* pts (A4)" <<<"$info" || fail "page size: $info"
pdfinfo -isodates drawing.pdf | grep -q "^CreationDate: *2025-03-04T05:06:07" \
  || fail "creation date: $(pdfinfo -isodates drawing.pdf | grep Date)"

# Links, outlines and encryption: the link and the two outline entries lead to page 2.
encryption=$(qpdf --show-encryption navigation.pdf)
for line in "R = 3" "print high resolution: allowed" "modify anything: not allowed"; do
  grep -qF "$line" <<<"$encryption" || fail "navigation.pdf encryption lacks \"$line\""
done
expect_text navigation.pdf 2 "Results"
plain=$(qpdf --decrypt --qdf navigation.pdf - 2>/dev/null)
[ "$(grep -c "/Subtype /Link" <<<"$plain")" = 1 ] || fail "navigation.pdf: no link"
grep -q "/Count 2" <<<"$plain" || fail "navigation.pdf: outline entries missing"

# Rendered pages against the reference renderings at 100 dots per inch: the mean difference
# of 8 x 8 pixel blocks must stay small beside the difference the page makes to white paper.
compare_page() {
  local name=$1 page=$2
  pdftoppm -r 100 -f "$page" -l "$page" -singlefile -png "$name.pdf" "$name-$page-pdf"
  local reference="$name-$page.bmp" rendered="$name-$page-pdf.png"
  local size; size=$(identify -format "%wx%h" "$reference")
  convert "$rendered" -resize "$size!" -colorspace Gray -scale 12.5% "$name-$page-a.png"
  convert "$reference" -colorspace Gray -scale 12.5% "$name-$page-b.png"
  convert "$name-$page-b.png" -fill white -colorize 100 "$name-$page-w.png"
  local diff ink
  diff=$( (compare -metric MAE "$name-$page-a.png" "$name-$page-b.png" null: 2>&1 || true) \
         | sed 's/.*(\(.*\))/\1/')
  ink=$( (compare -metric MAE "$name-$page-w.png" "$name-$page-b.png" null: 2>&1 || true) \
        | sed 's/.*(\(.*\))/\1/')
  echo "$name page $page: difference $diff, ink $ink"
  awk -v d="$diff" -v i="$ink" 'BEGIN { exit !(i > 0.005 && d < 0.25 * i) }' \
    || fail "$name page $page differs from its metafile: $diff (ink $ink)"
}
compare_page drawing 1
compare_page drawing 2
# The purple rectangle of page 2 inside and outside the region it was clipped to.
colour_at() {
  convert "$1" -format "%[fx:round(255*p{$2,$3}.r)],%[fx:round(255*p{$2,$3}.g)],%[fx:round(255*p{$2,$3}.b)]" info:
}
[ "$(colour_at drawing-2-pdf.png 583 750)" = 128,0,128 ] \
  || fail "drawing.pdf page 2: the clipped rectangle is missing ($(colour_at drawing-2-pdf.png 583 750))"
[ "$(colour_at drawing-2-pdf.png 483 708)" = 255,255,255 ] \
  || fail "drawing.pdf page 2: the rectangle shows outside its clip"
if [ -s printer.pdf ]; then
  qpdf --check printer.pdf >/dev/null 2>&1 || fail "printer.pdf: qpdf --check"
  expect_text printer.pdf 1 "Measured against the printer"
  compare_page printer 1
fi

[ "$failures" = 0 ] || exit 1
echo "all PDF checks passed"
