#!/usr/bin/env bash
# Builds the retrieval benchmark and runs it under Wine on the COM5<->COM6 pair.
# Usage: bench/monitor/run.sh [rounds (default 3)]   (BUILD_ROOT as for scripts/build.sh)
set -euo pipefail
root=$(cd "$(dirname "$0")/../.." && pwd)
arch=$("$root/scripts/wine-arch.sh")
build=${BUILD_ROOT:-$root/build}/$arch
cmake -S "$root" -B "$build" -DCMAKE_TOOLCHAIN_FILE="$root/cmake/toolchain-$arch-mingw.cmake" >/dev/null
cmake --build "$build" --target retrieval_bench -j"$(nproc)" >/dev/null
wine=/usr/lib/wine/wine64
[ "$arch" = i686 ] && wine=/usr/lib/wine/wine
bash "$root/scripts/with-wine.sh" "$build" "$wine" "$build/bench/monitor/retrieval_bench.exe" "${1:-3}"
