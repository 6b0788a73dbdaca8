#!/usr/bin/env bash
# Builds the cross build and runs the retrieval benchmark under Wine on the COM5<->COM6 pair.
# Usage: bench/monitor/run.sh [rounds (default 3)]   (BUILD_ROOT as for scripts/build.sh)
set -euo pipefail
root=$(cd "$(dirname "$0")/../.." && pwd)
arch=$("$root/scripts/wine-arch.sh")
build=${BUILD_ROOT:-$root/build}/$arch
bash "$root/scripts/build.sh" "$arch" >/dev/null
bash "$root/scripts/with-wine.sh" "$build" "${WINE:-/usr/lib/wine/wine64}" \
  "$build/bench/monitor/retrieval_bench.exe" "${1:-3}"
