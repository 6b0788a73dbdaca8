#!/usr/bin/env bash
# Builds the chart benchmark and runs it under Wine.
# Usage: bench/chart/run.sh [rounds (default 5)]   (BUILD_ROOT as for scripts/build.sh)
set -euo pipefail
root=$(cd "$(dirname "$0")/../.." && pwd)
arch=$("$root/scripts/wine-arch.sh")
build=${BUILD_ROOT:-$root/build}/$arch
cmake -S "$root" -B "$build" -DCMAKE_TOOLCHAIN_FILE="$root/cmake/toolchain-$arch-mingw.cmake" >/dev/null
cmake --build "$build" --target chart_bench -j"$(nproc)" >/dev/null
wine=/usr/lib/wine/wine64
[ "$arch" = i686 ] && wine=/usr/lib/wine/wine
bash "$root/scripts/with-wine.sh" "$build" "$wine" "$build/bench/chart/chart_bench.exe" "${1:-5}"
