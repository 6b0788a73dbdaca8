#!/usr/bin/env bash
# Builds the program and starts it under Wine, on the user's display when there is one.
set -euo pipefail
root=$(realpath "$(dirname "$0")/..")
bash "$root/scripts/setup.sh"
arch=$("$root/scripts/wine-arch.sh")
bash "$root/scripts/build.sh" "$arch"
build=${BUILD_ROOT:-$root/build}/$arch
KEEP_DISPLAY=1 exec bash "$root/scripts/with-wine.sh" "$build" \
  bash -c 'exec "$WINE" "$1"' run "$build/src/app/RadonMonitor.exe"
