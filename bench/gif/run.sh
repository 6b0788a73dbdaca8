#!/usr/bin/env bash
# Host benchmark and fuzzing of the GIF codec's pure units.
# Usage: bench/gif/run.sh [fuzz seconds (default 120)] [build dir (default /tmp/gif-bench)]
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
seconds=${1:-120}
build=${2:-/tmp/gif-bench}
corpus=$build/corpus
rm -rf "$corpus"
bash "$here/../../tests/gif/make_corpus.sh" "$corpus" bench >/dev/null
cmake -S "$here" -B "$build" -DCMAKE_CXX_COMPILER=clang++ -DCMAKE_BUILD_TYPE=Release >/dev/null
cmake --build "$build" -j"$(nproc)" >/dev/null
echo "== decode throughput (whole corpus, best of 15 rounds)"
"$build/gif_bench" "$corpus"/*.gif
echo "== fuzzing for ${seconds}s"
mkdir -p "$build/fuzz-corpus"
cp "$corpus"/*.gif "$build/fuzz-corpus/"
"$build/gif_fuzz" -max_total_time="$seconds" -timeout=10 -rss_limit_mb=2048 -max_len=65536 \
  -print_final_stats=1 "$build/fuzz-corpus" 2>&1 | tail -n 25
