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
