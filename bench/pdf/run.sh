#!/usr/bin/env bash
# Builds the PDF benchmark and runs it under Wine with the CUPS PDF queue as default printer;
# the printed copies land in ~/PDF, where the benchmark waits for them.
# Usage: bench/pdf/run.sh [rounds (default 5)]   (BUILD_ROOT as for scripts/build.sh)
set -euo pipefail
root=$(cd "$(dirname "$0")/../.." && pwd)
arch=$("$root/scripts/wine-arch.sh")
build=${BUILD_ROOT:-$root/build}/$arch
cmake -S "$root" -B "$build" -DCMAKE_TOOLCHAIN_FILE="$root/cmake/toolchain-$arch-mingw.cmake" >/dev/null
cmake --build "$build" --target pdf_bench -j"$(nproc)" >/dev/null
wine=/usr/lib/wine/wine64
[ "$arch" = i686 ] && wine=/usr/lib/wine/wine
printed=$(getent passwd "$(id -un)" | cut -d: -f6)/PDF
mkdir -p "$build/bench/pdf/out"
bash "$root/scripts/with-wine.sh" "$build" "$wine" "$build/bench/pdf/pdf_bench.exe" "${1:-5}" \
  "Z:$build/bench/pdf/out" "Z:$printed"
