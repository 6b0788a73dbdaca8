# The texts every whole report holds, for the scripts that read reports back from PDF files.
# report_texts_missing <model> <units> <text>: prints each missing text; fails when any is.
report_texts_missing() {
  local model=$1 units=$2 text=$3 missing=0
  local heading="Bq/m3"
  [ "$model" = 6916 ] && heading="Bq/M3"
  [ "$units" = "pCi/l" ] && heading="pCi/l"
  local wants=("Continuous Radon Monitor" "Model Number:" "$model" "Serial Number: 15001"
               "Test Summary" "Exposure Time:" "Error Flags:" "Inspector Signature"
               "Embedded Software Version: 412" "Radon Risk Information"
               "Testing Protocols" "$heading" "or more")
  [ "$model" = 6916 ] && wants+=("hPa")
  [ "$model" = 6916 ] && [ "$units" != "pCi/l" ] && wants+=("between 74.0 and")
  for want in "${wants[@]}"; do
    grep -qF -- "$want" <<<"$text" || { echo "$model: \"$want\" missing"; missing=1; }
  done
  return $missing
}

# The share of an image's pixels near a colour.
colour_share() {
  convert "$1" -fuzz 25% -fill white +opaque "$2" -fill black -opaque "$2" -colorspace Gray \
    -negate -format "%[fx:mean]" info:
}

# report_chart_missing <model> <pdf>: prints what shows that the test chart is not on the first
# page: its title and legend as text, and inside the chart area (the lower half of the page)
# the black of its radon series, axes and labels and the red of its action-level line and
# motion points; fails when any is missing. What is drawn after the chart (the markers, the
# action-level label and the summary row) alone has less than a third of the black asked for.
report_chart_missing() {
  local model=$1 pdf=$2 missing=0 text want
  text=$(pdftotext -f 1 -l 1 "$pdf" - | tr -s ' \n' '  ')
  for want in "Continuous Radon Monitor Model $model S/N: 15001" "Motion Errors" "Action Level"; do
    grep -qF -- "$want" <<<"$text" || { echo "$model: chart text \"$want\" missing"; missing=1; }
  done
  local dir; dir=$(mktemp -d)
  pdftoppm -r 100 -f 1 -l 1 -singlefile -png "$pdf" "$dir/page"
  local w h; read -r w h < <(identify -format "%w %h" "$dir/page.png")
  convert "$dir/page.png" -crop "$((w * 75 / 100))x$((h * 40 / 100))+$((w * 5 / 100))+$((h / 2))" \
    +repage "$dir/chart.png"
  local black red
  black=$(colour_share "$dir/chart.png" black)
  red=$(colour_share "$dir/chart.png" red)
  rm -rf "$dir"
  echo "$model: chart area $black black, $red red"
  awk -v b="$black" -v r="$red" 'BEGIN { exit !(b > 0.005 && r > 0.001) }' \
    || { echo "$model: the chart area lacks the chart"; missing=1; }
  return $missing
}
